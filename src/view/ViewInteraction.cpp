#include "view/ViewInteraction.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "view/DocumentView.h"
#include "view/PlotCanvas.h"
#include "view/PlotColours.h"
#include "view/PlotRoutines.h"

#include <algorithm>
#include <cmath>

std::optional<PanelRect> ResizedPlotRect(double ax, double ay, double bx, double by) {
    const double w = std::fabs(bx - ax);
    const double h = std::fabs(by - ay);
    if (w < 40 || h < 40) return std::nullopt;
    PanelRect r;
    r.left = static_cast<int>(std::min(ax, bx));
    r.lower = static_cast<int>(std::min(ay, by));
    r.right = r.left + std::clamp(static_cast<int>(w), 100, 1000);
    r.upper = r.lower + std::clamp(static_cast<int>(h), 50, 350);
    return r;
}

CutWindow ComputeCutWindow(const CKymoDoc& doc, const ViewLayout& layout, double x) {
    CutWindow cw;
    const PanelRect& r = layout.upper;
    const double frames = doc.m_fWaveFrames;
    if (!(frames > 0) || r.W() <= 0) return cw;
    cw.width = doc.m_nPoints * r.W() / frames;
    cw.inside = x >= r.left && x <= r.right && x + cw.width <= r.right;
    cw.startFrame = std::max(0, static_cast<int>(std::trunc((x - r.left) * frames / r.W())));
    return cw;
}

void DrawCutCursor(PlotCanvas& c, const CKymoDoc& doc, const ViewLayout& layout, double x,
                   int drawStep) {
    const PanelRect& r = layout.upper;
    const CutWindow cw = ComputeCutWindow(doc, layout, x);
    c.SetXor();
    c.SetPen(plotcolour::Cursor(), 2);
    if (!cw.inside) {
        c.Line(x, r.lower, x, r.upper);
        c.SetCopy();
        return;
    }
    c.Rectangle(x, r.lower, x + cw.width, r.upper);
    const PanelRect& lo = layout.lower;
    const int n = doc.m_nPoints;
    const double mid = lo.Mid();
    const double half = lo.H() / 2.0;
    const double amp = doc.m_fWaveAmp > 0 ? doc.m_fWaveAmp : 1.0;
    const int code = doc.disp_mode3 > chan::FilteredOffset ? doc.disp_mode3 - chan::FilteredOffset
                                                           : doc.disp_mode3;
    auto trace = [&](int channel, const QColor& colour) {
        QPolygonF pts;
        for (int i = 0; i < n; i += std::max(1, drawStep)) {
            const double v = doc.GetSample(cw.startFrame + i, channel);
            pts.append(QPointF(lo.left + double(lo.W()) * i / n, mid + v * half / amp));
        }
        c.SetPen(colour);
        c.Polyline(pts);
    };
    if (code == chan::Ch1 || code == chan::Both) trace(1, plotcolour::WaveCh1());
    if ((code == chan::Ch2 || code == chan::Both) && doc.m_nChannel > 1)
        trace(2, plotcolour::WaveCh2());
    c.SetCopy();
}

namespace {

std::string LevelText(const char* fmt, const char* falseText, double magnitude) {
    return magnitude > 0 ? PlotPrintf(fmt, 20 * std::log10(magnitude)) : std::string(falseText);
}

} // namespace

Readout ComputeReadout(const CKymoDoc& doc, const ViewState& state, const ViewLayout& layout,
                       double x) {
    Readout ro;
    const int k = doc.disp_mode1;
    const bool complex =
        (k == kind::Spectrum || k == kind::Transfer) && doc.disp_mode2 >= 2 && doc.disp_mode2 <= 4;
    const bool spectrum = k == kind::Spectrum1 || k == kind::Spectrum2;
    const bool audio = k == kind::AudioMeasurement;
    if (!complex && !spectrum && !audio) return ro;
    ro.shown = true;
    ro.panel = audio ? layout.upper : layout.lower;
    const PanelRect& r = ro.panel;
    const int n = doc.m_nPoints;
    const double dt = doc.m_fDt;
    const LogAxis axis = MakeLogAxis(2.0 * dt, n);
    const double f = axis.FrequencyAt(x, r.left, r.W());
    ro.bin = ReadoutBin(f, n, dt);
    if (ro.bin < 1 || ro.bin >= n / 2) return ro;
    ro.valid = true;
    const int b = ro.bin;
    const double bx = BinX(axis, r, b);
    const ViewScales& s = state.scales;
    DbScale scale;
    if (spectrum && doc.disp_mode2 == 4)
        scale = MakeDbScale(doc.m_nTopLevel, doc.m_nTopLevel - doc.m_nDynamicRange, false);
    else
        scale = MakeDbScale(s.m_fTopDb, s.m_fBottomDb, doc.disp_mode2 == 2);
    const double binHz = b / (n * dt);
    ro.text = PlotPrintf("周波数=%3.3f", binHz * axis.UnitScale()) + axis.unit;
    auto marker = [&](double magnitude, const QColor& colour) {
        ro.markers.push_back({bx, scale.YOf(LevelDb(magnitude), r.lower, r.H()), colour});
    };
    if (complex) {
        const double re = doc.m_fRe[b];
        const double im = doc.m_fIm[b];
        const double mag = std::sqrt(re * re + im * im);
        const double deg = std::atan2(im, re) * 180 / M_PI;
        marker(mag, plotcolour::Cursor());
        if (state.m_nPhaseMode == phasemode::Centred || state.m_nPhaseMode == phasemode::Shifted) {
            const double mid = r.Mid();
            ro.markers.push_back({bx,
                                  mid + (r.upper - mid) * PhaseFraction(re, im, state.m_nPhaseMode),
                                  QColor(0, 0, 255)});
        }
        ro.text += mag > 0 ? PlotPrintf(" レベル=%3.2fdB 位相=%3.1fDeg ", 20 * std::log10(mag), deg)
                           : PlotPrintf(" レベル=False     位相=%3.1fDeg ", deg);
        return ro;
    }
    const double a = std::fabs(doc.m_fRe[b]);
    if (k == kind::Spectrum1) {
        marker(a, plotcolour::Cursor());
        ro.text += LevelText(" レベル=%3.2fdB ", " レベル=False    ", a);
        return ro;
    }
    const double c2 = std::fabs(doc.m_fOpRe[b]);
    marker(a, plotcolour::Cursor());
    marker(c2, QColor(0, 0, 255));
    ro.text += LevelText(" ch1=%3.2fdB", " ch1=False   ", a);
    if (a > 0 && c2 > 0)
        ro.text += PlotPrintf(" ch2=%3.2fdB 差分=%3.2fdB", 20 * std::log10(c2),
                              20 * std::log10(c2) - 20 * std::log10(a));
    else
        ro.text += LevelText(" ch2=%3.2fdB ", " ch2=False     ", c2);
    return ro;
}

void DrawReadout(PlotCanvas& c, const Readout& ro, double x) {
    if (!ro.shown) return;
    const PanelRect& r = ro.panel;
    c.SetXor();
    c.SetPen(plotcolour::Cursor());
    c.Line(x, r.lower, x, r.upper);
    c.SetPen(plotcolour::Cursor(), 2);
    for (const auto& m : ro.markers) {
        c.SetPen(m.colour, 2);
        c.Rectangle(m.x - 2, m.y - 2, m.x + 2, m.y + 2);
    }
    c.SetCopy();
    if (!ro.valid) return;
    const double y = r.upper + 20.0 * r.H() / 230;
    c.Text(r.left, y, std::string(90, ' '));
    c.Text(r.left, y, ro.text);
}
