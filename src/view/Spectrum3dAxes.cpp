// The box of the 3D picture with its level, frequency and time scales.
#include "document/CKymoDoc.h"
#include "dsp/FloatToInt.h"
#include "view/PlotCanvas.h"
#include "view/PlotScale.h"
#include "view/Spectrum3dPicture.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const QColor kBoxLine(180, 180, 180);
const QColor kLevelText(255, 90, 0);
const QColor kFrequencyText(0, 125, 0);
const QColor kTimeText(0, 0, 200);
constexpr double kFontHeight = 12;

// Draws in box coordinates of one channel's box.
class BoxPen {
public:
    BoxPen(PlotCanvas& c, const Projection3d& proj, int x0, int y0)
        : m_c(c), m_proj(proj), m_x0(x0), m_y0(y0) {}
    QPoint At(double x, double y, double z) const {
        const QPoint p = m_proj.Project3d(x, y, z);
        return QPoint(m_x0 + p.x(), m_y0 + p.y());
    }
    void Line(double xa, double ya, double za, double xb, double yb, double zb) {
        const QPoint a = At(xa, ya, za), b = At(xb, yb, zb);
        m_c.Line(a.x(), a.y(), b.x(), b.y());
    }
    void Text(const QPoint& p, int dx, int dy, const std::string& text, int align) {
        m_c.Text(p.x() + dx, p.y() + dy, text, align);
    }

private:
    PlotCanvas& m_c;
    const Projection3d& m_proj;
    int m_x0, m_y0;
};

void LevelScale(BoxPen& pen, PlotCanvas& c, const Layout3d& l, bool mirrored, double top,
                double bottom, const char* title) {
    c.SetTextColour(kLevelText);
    const double x = mirrored ? l.W : 0;
    const int base = SaturateToInt32(bottom);
    const int step = SaturateToInt32((top - bottom) * 0.2);
    QPoint end;
    for (int k = 0; k <= 5; ++k) {
        const int z = SaturateToInt32(k * 0.2 * l.H);
        pen.Line(x, 0, z, x, -10, z);
        end = pen.At(x, -10, z);
        const int value = base + k * step;
        std::string label = PlotPrintf("%d", value);
        if (k == 3) label = mirrored ? PlotPrintf("%d [dB]", value) : PlotPrintf("[dB] %d", value);
        if (mirrored)
            pen.Text(end, 10, -6, label, PlotCanvas::Left);
        else
            pen.Text(end, -15, -6, label, PlotCanvas::Right);
    }
    pen.Text(end, 0, -15 - static_cast<int>(kFontHeight), title,
             mirrored ? PlotCanvas::Left : PlotCanvas::Right);
}

void FrequencyScale(BoxPen& pen, PlotCanvas& c, const CKymoDoc& doc, const Layout3d& l) {
    c.SetTextColour(kFrequencyText);
    const double dt = doc.m_fDt;
    if (!doc.m_bLogAxis) {
        const double unit = 2.5 * SaturateToInt32(0.00005 / dt);
        const double half = 0.5 / dt;
        for (int k = 0; k <= 4; ++k) {
            const int x = SaturateToInt32(k * unit * 1000.0 * l.W / half);
            pen.Line(x, 0, 0, x, -10, 0);
            std::string label = "0";
            if (k == 1) label = PlotPrintf("%d [kHz]", SaturateToInt32(unit));
            if (k > 1) label = PlotPrintf("%d", SaturateToInt32(k * unit));
            pen.Text(pen.At(x, -10, 0), -8, 8, label, PlotCanvas::Left);
        }
        return;
    }
    static const std::array<const char*, 7> kLabels = {"0.0001", "0.001", "0.01", "0.1",
                                                       "1[kHz]", "10",    "100"};
    const LogAxis axis = MakeLogAxis(2.0 * dt, doc.m_nPoints);
    const double width = static_cast<double>(l.W) / axis.E;
    const int first = axis.o + 1 - (axis.E - 1);
    for (int d = 0; d < axis.E; ++d) {
        for (int m = 1; m <= 10; ++m) {
            const double x = (d + std::log10(static_cast<double>(m))) * width;
            pen.Line(x, 0, 0, x, -15, 0);
        }
        const int index = first + d;
        if (index >= 0 && index < static_cast<int>(kLabels.size()))
            pen.Text(pen.At((d + 1) * width, -15, 0), -10, 10, kLabels[index], PlotCanvas::Left);
    }
}

void TimeScale(BoxPen& pen, PlotCanvas& c, const Layout3d& l, bool mirrored) {
    c.SetTextColour(kTimeText);
    static const std::array<const char*, 5> kRight = {"0", "100 [Time]", "200", "300", "400"};
    static const std::array<const char*, 5> kLeft = {"0", "[Time] 100", "200", "300", "400"};
    for (int k = 0; k <= 4; ++k) {
        const int y = SaturateToInt32(k * 0.25 * l.D);
        if (mirrored) {
            pen.Line(0, y, 0, -10, y, 0);
            pen.Text(pen.At(-10, y, 0), -2, 6, kLeft[k], PlotCanvas::Right);
        } else {
            pen.Line(l.W, y, 0, l.W + 10, y, 0);
            pen.Text(pen.At(l.W + 10, y, 0), 2, 6, kRight[k], PlotCanvas::Left);
        }
    }
}

void BoxEdges(BoxPen& pen, const Layout3d& l) {
    const double W = l.W, D = l.D, H = l.H;
    for (double x : {0.0, W})
        for (double y : {0.0, D}) pen.Line(x, y, 0, x, y, H);
    pen.Line(0, 0, 0, W, 0, 0);
    pen.Line(0, D, 0, W, D, 0);
    pen.Line(0, 0, 0, 0, D, 0);
    pen.Line(W, 0, 0, W, D, 0);
    pen.Line(0, D, H, W, D, H);
    pen.Line(0, 0, H, 0, D, H);
    pen.Line(W, 0, H, W, D, H);
}

// Projected height of the box: from its highest to its lowest corner.
int BoxHeight(const Projection3d& proj, const Layout3d& l) {
    int lo = 0, hi = 0;
    for (double x : {0.0, double(l.W)})
        for (double y : {0.0, double(l.D)})
            for (double z : {0.0, double(l.H)}) {
                const int Y = proj.Project3d(x, y, z).y();
                lo = std::min(lo, Y);
                hi = std::max(hi, Y);
            }
    return hi - lo;
}

} // namespace

int Draw3dAxes(QImage& image, Picture3dState& st, const CKymoDoc& doc, const Layout3d& l,
               int channel, int centre, int c, const char* title) {
    const Projection3d proj(doc.m_nTheta3D, doc.m_nPhi3D);
    const bool mirrored = proj.Mirrored();
    const int a = centre - l.half;
    st.x0 = mirrored ? std::clamp(a, 150, 240) : std::clamp(a, 80, 170);
    const int back = std::max(-proj.Project3d(0, l.D, l.H).y(), -proj.Project3d(l.W, l.D, l.H).y());
    const int y1 = c + 20 + back;
    const int y0 = channel == 2 ? y1 + BoxHeight(proj, l) + 45 : y1;
    st.y[channel - 1] = y0;

    QPainter painter(&image);
    PlotCanvas canvas(painter, 1.0, false);
    canvas.SetFontHeight(kFontHeight);
    canvas.SetPen(kBoxLine, 1);
    BoxPen pen(canvas, proj, st.x0, y0);
    const double top = doc.m_nTopLevel;
    LevelScale(pen, canvas, l, mirrored, top, top - doc.m_nDynamicRange, title);
    FrequencyScale(pen, canvas, doc, l);
    TimeScale(pen, canvas, l, mirrored);
    BoxEdges(pen, l);
    canvas.SetTextColour(Qt::black);
    if (st.upper[0].size() != kHorizonColumns3d) st.ResetHorizons();
    st.upper[channel - 1].assign(kHorizonColumns3d, 10000);
    st.lower[channel - 1].assign(kHorizonColumns3d, -10000);
    return y0;
}
