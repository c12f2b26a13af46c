#include "view/PlotCanvas.h"
#include "view/PlotColours.h"
#include "view/PlotRoutines.h"

#include <algorithm>
#include <cmath>

double BinX(const LogAxis& axis, const PanelRect& r, int k) {
    return axis.XOf(k * axis.binHz, r.left, r.W());
}

void DrawLogAxis(PlotCanvas& c, const PanelRect& r, const LogAxis& axis) {
    const double W = r.W();
    const double H = r.H();
    const int E = axis.E;
    c.SetCopy();
    c.SetPen(plotcolour::Grid());
    for (int d = 0; d < E; ++d) {
        for (int m = 1; m <= 10; ++m) {
            const double x = r.left + d * W / E + std::log10(double(m)) * W / E;
            c.Line(x, r.lower, x, r.upper);
        }
    }
    const double below = r.lower - 10 * H / 230;
    c.Text(r.right - 10 * W / 340, below, PlotPrintf("%d", axis.topLabel));
    c.Text(r.left + (E / 2) * W / E - 20 * W / 340, below, axis.MiddleLabel());
}

void DrawDbLabels(PlotCanvas& c, const PanelRect& r, const DbScale& s, bool progressLabels) {
    const double x = r.left - 2;
    const int vc = PlotCanvas::Right;
    c.Text(x, r.upper, s.TopLabel(), vc);
    c.Text(x, r.lower, s.BottomLabel(), vc | PlotCanvas::Bottom);
    std::string division = s.DivisionLabel();
    if (progressLabels && s.Wide()) division = PlotPrintf("%3d  ", static_cast<int>(s.Division()));
    c.Text(x, r.Mid() + PlotFontHeight(r), division, vc);
    c.Text(x, r.Mid(), std::string("[dB/div]"), vc);
}

namespace {

void LevelTrace(PlotCanvas& c, const PanelRect& r, const LogAxis& axis, const DbScale& s, int n,
                const QColor& colour, auto levelOfBin) {
    QPolygonF pts;
    pts.reserve(n / 2);
    for (int k = 1; k < n / 2; ++k)
        pts.append(QPointF(BinX(axis, r, k), s.YOf(levelOfBin(k), r.lower, r.H())));
    c.SetPen(colour);
    c.Polyline(pts);
}

void PhaseTrace(PlotCanvas& c, const PanelRect& r, const LogAxis& axis, const float* re,
                const float* im, int n, int mode, const QColor& colour) {
    const double mid = r.Mid();
    QPolygonF pts;
    pts.reserve(n / 2);
    for (int k = 1; k < n / 2; ++k) {
        pts.append(
            QPointF(BinX(axis, r, k), mid + (r.upper - mid) * PhaseFraction(re[k], im[k], mode)));
    }
    c.SetPen(colour);
    c.Polyline(pts);
}

void DrawLogFrame(PlotCanvas& c, const PanelRect& r, const LogAxis& axis, const DbScale& s,
                  const std::string& title, bool progressLabels) {
    DrawPanelFrame(c, r, title, PanelGrid::Log);
    DrawLogAxis(c, r, axis);
    DrawDbLabels(c, r, s, progressLabels);
}

void PhaseLabels(PlotCanvas& c, const PanelRect& r, int mode) {
    if (mode == phasemode::Centred) {
        c.Text(r.right + 2, r.upper, std::string("+180°"));
        c.Text(r.right + 2, r.lower, std::string("-180°"), PlotCanvas::Bottom);
    } else if (mode == phasemode::Shifted) {
        c.Text(r.right + 2, r.upper, std::string("0°"));
        c.Text(r.right + 2, r.lower, std::string("-360°"), PlotCanvas::Bottom);
    }
}

double MagnitudeDb(const float* re, const float* im, int k) {
    const double a = re[k];
    const double b = im ? im[k] : 0.0;
    return LevelDb(std::sqrt(a * a + b * b));
}

} // namespace

void PlotBode(PlotCanvas& c, const PanelRect& r, const float* re, const float* im, double top,
              double bottom, bool automatic, int n, double e, bool draw, int phaseMode,
              const std::string& title) {
    const LogAxis axis = MakeLogAxis(e, n);
    const DbScale s = MakeDbScale(top, bottom, automatic);
    DrawLogFrame(c, r, axis, s, title, false);
    PhaseLabels(c, r, phaseMode);
    if (!draw || !re || !im || n < 4) return;
    if (phaseMode == phasemode::Centred || phaseMode == phasemode::Shifted)
        PhaseTrace(c, r, axis, re, im, n, phaseMode, plotcolour::Second());
    LevelTrace(c, r, axis, s, n, plotcolour::First(),
               [&](int k) { return MagnitudeDb(re, im, k); });
}

void PlotCoherence(PlotCanvas& c, const PanelRect& r, const float* coherence, int n, double e) {
    if (!coherence || n < 4) return;
    const LogAxis axis = MakeLogAxis(e, n);
    QPolygonF pts;
    pts.reserve(n / 2);
    for (int k = 1; k < n / 2; ++k) {
        const double g = std::clamp(static_cast<double>(coherence[k]), 0.0, 1.0);
        pts.append(QPointF(BinX(axis, r, k), r.lower + r.H() * g));
    }
    c.SetCopy();
    c.SetPen(plotcolour::Coherence());
    c.Polyline(pts);
    c.SetTextColour(plotcolour::Coherence());
    c.Text(r.left + 5 * r.W() / 340, r.upper - 5 * r.H() / 230, std::string("ｺﾋｰﾚﾝｽ(0～1)"));
    c.SetTextColour(Qt::black);
}

void PlotLogSpectrum(PlotCanvas& c, const PanelRect& r, const float* a, const float* b, double top,
                     double bottom, bool automatic, int n, double e, int type,
                     const std::string& title, bool swapColours) {
    const LogAxis axis = MakeLogAxis(e, n);
    const DbScale s = MakeDbScale(top, bottom, automatic);
    DrawLogFrame(c, r, axis, s, title, false);
    if (!a || n < 4) return;
    const QColor first = swapColours ? plotcolour::Second() : plotcolour::First();
    const QColor second = swapColours ? plotcolour::First() : plotcolour::Second();
    LevelTrace(c, r, axis, s, n, first, [&](int k) { return LevelDb(a[k]); });
    if ((type == 2 || type == 4) && b)
        LevelTrace(c, r, axis, s, n, second, [&](int k) { return LevelDb(b[k]); });
}

void PlotLogProgress(PlotCanvas& c, const PanelRect& r, const float* re, const float* im,
                     double top, double bottom, int n, double e, int type,
                     const std::string& title) {
    const LogAxis axis = MakeLogAxis(e, n);
    const DbScale s = MakeDbScale(top, bottom, true);
    if (type % 2 == 1) {
        DrawLogFrame(c, r, axis, s, title, true);
        if (type == 3) PhaseLabels(c, r, phasemode::Centred);
    }
    if (!re || n < 4) return;
    c.SetXor();
    switch (type) {
    case 2:
    case 3:
        if (!im) break;
        LevelTrace(c, r, axis, s, n, QColor(255, 80, 0),
                   [&](int k) { return MagnitudeDb(re, im, k); });
        PhaseTrace(c, r, axis, re, im, n, phasemode::Centred, QColor(0, 80, 255));
        break;
    case 4:
    case 5:
        LevelTrace(c, r, axis, s, n, QColor(0, 80, 255), [&](int k) { return LevelDb(re[k]); });
        break;
    case 6:
    case 7:
        LevelTrace(c, r, axis, s, n, QColor(0, 80, 255), [&](int k) { return LevelDb(re[k]); });
        if (im)
            LevelTrace(c, r, axis, s, n, QColor(255, 80, 0), [&](int k) { return LevelDb(im[k]); });
        break;
    default:
        break;
    }
    c.SetCopy();
}
