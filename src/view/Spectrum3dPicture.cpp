#include "view/Spectrum3dPicture.h"

#include "document/CKymoDoc.h"
#include "document/DocumentLimits.h"
#include "dsp/FloatToInt.h"
#include "view/PlotRoutines.h"
#include "view/PlotScale.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int16_t kUpperReset = 10000;
constexpr std::int16_t kLowerReset = -10000;
const QRgb kCurtain = qRgb(100, 100, 100);
const QRgb kUnderside = qRgb(192, 192, 192);

// Hue of every height index 7 h, h = 0 .. 255, computed once.
const std::vector<QRgb>& HueTable() {
    static const std::vector<QRgb> table = [] {
        std::vector<QRgb> t(256);
        for (int h = 0; h < 256; ++h) t[h] = HueColour(7 * h).rgb();
        return t;
    }();
    return table;
}

// Writes into one channel's picture with its horizons; columns and rows outside the image or
// the horizon arrays are left alone.
class RowPlotter {
public:
    RowPlotter(QImage& image, Picture3dState& st, int channel, int row)
        : m_image(image), m_upper(st.upper[channel - 1]), m_lower(st.lower[channel - 1]),
          m_row(row), m_hues(HueTable()) {
        m_width = std::min(image.width(), kHorizonColumns3d);
        m_height = std::min(image.height(), 32000);
    }

    void Plot(int col, int y, int h) {
        if (col < 0 || col >= m_width || y < 0 || y >= m_height) return;
        std::int16_t& up = m_upper[col];
        if (y < up) {
            if (m_row > 0 && up != kUpperReset)
                for (int j = std::min<int>(up - 1, m_height - 1); j > y; --j) Set(col, j, kCurtain);
            Set(col, y, m_hues[std::clamp(h, 0, 255)]);
            up = static_cast<std::int16_t>(y);
        }
        std::int16_t& low = m_lower[col];
        if (y > low) {
            low = static_cast<std::int16_t>(y);
            Set(col, y, kUnderside);
        }
    }

private:
    void Set(int x, int y, QRgb c) { reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = c; }

    QImage& m_image;
    std::vector<std::int16_t>& m_upper;
    std::vector<std::int16_t>& m_lower;
    int m_row;
    const std::vector<QRgb>& m_hues;
    int m_width = 0, m_height = 0;
};

} // namespace

Layout3d LargeLayout3d() {
    return {400, 200, 150, 0.5, 200};
}

Layout3d LiveLayout3d() {
    return {250, 150, 100, 0.375, 125};
}

Projection3d::Projection3d(int thetaStep, int phiStep)
    : alphaDeg(10 * thetaStep + 5), sa(std::sin(alphaDeg * M_PI / 180.0)),
      ca(std::cos(alphaDeg * M_PI / 180.0)), sb(std::sin((10 * phiStep + 5) * M_PI / 180.0)),
      cb(std::cos((10 * phiStep + 5) * M_PI / 180.0)) {}

QPoint Projection3d::Project3d(double x, double y, double z) const {
    const int X = SaturateToInt32(y * ca - x * sa + 0.5);
    const int Y = -SaturateToInt32(z * sb - (x * ca + y * sa) * cb + 0.5);
    return QPoint(X, Y);
}

void Picture3dState::ResetHorizons() {
    for (int c = 0; c < 2; ++c) {
        upper[c].assign(kHorizonColumns3d, kUpperReset);
        lower[c].assign(kHorizonColumns3d, kLowerReset);
    }
}

namespace {

// Amplitudes at which the height index reaches 1 .. H: 10^((L + j (T - L) / H) / 20). The
// height of an amplitude is the number of them it reaches, which is the truncated height of its
// level without a logarithm per point.
std::vector<double> HeightThresholds(double top, double bottom, int H) {
    std::vector<double> t;
    if (!(top > bottom) || H < 1) return t;
    t.reserve(static_cast<std::size_t>(H));
    for (int j = 1; j <= H; ++j)
        t.push_back(std::pow(10.0, (bottom + j * (top - bottom) / H) / 20.0));
    return t;
}

int HeightOf(const std::vector<double>& thresholds, float v) {
    if (!(v > 0.0f)) return 0;
    return static_cast<int>(
        std::upper_bound(thresholds.begin(), thresholds.end(), static_cast<double>(v)) -
        thresholds.begin());
}

} // namespace

int Height3d(float v, double top, double bottom, int H) {
    return HeightOf(HeightThresholds(top, bottom, H), v);
}

double BinX3d(int k, int n, double dt, bool logAxis, int W) {
    if (!logAxis) return static_cast<double>(2LL * W * k / std::max(n, 1));
    const LogAxis axis = MakeLogAxis(2.0 * dt, n);
    return (std::log10(k / (n * dt)) - (axis.o - axis.E)) * W / axis.E;
}

namespace {

// What every row of a drawing shares: the bins' positions across the box and their products
// with the projection's factors, the heights' thresholds and z sin β per height.
struct RowTables {
    std::vector<double> xs, xsa, xca, zsb, thresholds;
};

RowTables MakeRowTables(const CKymoDoc& doc, const Layout3d& l, const Projection3d& proj) {
    RowTables t;
    const int bins = std::max(std::min(doc.m_nPoints / 2, doc.m_nBins3D), 0);
    t.xs.assign(static_cast<std::size_t>(bins), 0.0);
    for (int k = doc.m_bLogAxis ? 1 : 0; k < bins; ++k)
        t.xs[k] = BinX3d(k, doc.m_nPoints, doc.m_fDt, doc.m_bLogAxis != 0, l.W);
    for (double x : t.xs) {
        t.xsa.push_back(x * proj.sa);
        t.xca.push_back(x * proj.ca);
    }
    for (int h = 0; h <= l.H; ++h) t.zsb.push_back(h * proj.sb);
    t.thresholds = HeightThresholds(doc.m_nTopLevel, doc.m_nTopLevel - doc.m_nDynamicRange, l.H);
    return t;
}

void DrawRowAt(QImage& image, Picture3dState& st, const CKymoDoc& doc, const Layout3d& l,
               int channel, int row, const float* spectrum, const RowTables& t) {
    if (!spectrum || channel < 1 || channel > 2) return;
    if (st.upper[channel - 1].size() != kHorizonColumns3d) st.ResetHorizons();
    const Projection3d proj(doc.m_nTheta3D, doc.m_nPhi3D);
    const int bins = static_cast<int>(t.xs.size());
    const double depth = SaturateToInt32(static_cast<float>(row) * static_cast<float>(l.g));
    const double yca = depth * proj.ca, ysa = depth * proj.sa;
    const int x0 = st.x0, y0 = st.y[channel - 1];
    RowPlotter plot(image, st, channel, row);
    // Project3d(x_k, depth, h) with the products taken from the tables.
    auto project = [&](int k, int& h) {
        h = HeightOf(t.thresholds, spectrum[k]);
        const int X = SaturateToInt32(yca - t.xsa[k] + 0.5);
        const int Y = -SaturateToInt32(t.zsb[h] - (t.xca[k] + ysa) * proj.cb + 0.5);
        return QPoint(X, Y);
    };
    if (!doc.m_bLogAxis) {
        for (int k = 0; k < bins; ++k) {
            int h = 0;
            const QPoint p = project(k, h);
            plot.Plot(x0 + p.x(), y0 + p.y(), h);
        }
        return;
    }
    if (bins < 2) return;
    int ha = 0;
    QPoint a = project(1, ha);
    for (int k = 2; k < bins; ++k) {
        int h = 0;
        const QPoint p = project(k, h);
        const int span = p.x() - a.x();
        if (span < 2) {
            plot.Plot(x0 + p.x(), y0 + p.y(), h);
            continue;
        }
        for (int j = 0; j < span; ++j) {
            const int y = SaturateToInt32(a.y() + static_cast<double>(j) * (p.y() - a.y()) / span);
            const int hj = SaturateToInt32(ha + static_cast<double>(j) * (h - ha) / span);
            plot.Plot(x0 + a.x() + j, y0 + y, hj);
        }
        a = p;
        ha = h;
    }
}

} // namespace

void Draw3dRow(QImage& image, Picture3dState& st, const CKymoDoc& doc, const Layout3d& l,
               int channel, int row, const float* spectrum) {
    const Projection3d proj(doc.m_nTheta3D, doc.m_nPhi3D);
    DrawRowAt(image, st, doc, l, channel, row, spectrum, MakeRowTables(doc, l, proj));
}

void Draw3dRows(QImage& image, Picture3dState& st, const CKymoDoc& doc, const Layout3d& l,
                int channel) {
    const int i = channel - 1;
    st.upper[i].assign(kHorizonColumns3d, kUpperReset);
    st.lower[i].assign(kHorizonColumns3d, kLowerReset);
    const int rows = std::clamp(doc.m_nRow3D, 0, limits::kHistoryRows3D);
    const RowTables tables = MakeRowTables(doc, l, Projection3d(doc.m_nTheta3D, doc.m_nPhi3D));
    for (int r = 0; r < rows; ++r)
        DrawRowAt(image, st, doc, l, channel, r, doc.History3dRow(channel, r), tables);
}
