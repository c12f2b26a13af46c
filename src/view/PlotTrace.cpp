#include "view/PlotCanvas.h"
#include "view/PlotColours.h"
#include "view/PlotRoutines.h"

#include <algorithm>
#include <cmath>

namespace {

double SafeScale(double s) {
    return (s > 0 && std::isfinite(s)) ? s : 1.0;
}

} // namespace

void PlotTrace(PlotCanvas& c, const PanelRect& r, const float* a, const float* b, double scaleA,
               double scaleB, int n, double step, int type, const std::string& title,
               int drawStep) {
    const double W = r.W();
    const double H = r.H();
    const double mid = r.Mid();
    const double h = r.upper - mid;
    DrawPanelFrame(c, r, title, PanelGrid::Linear);

    const double below = r.lower - 10 * H / 230;
    switch (type) {
    case tracetype::Time:
    case tracetype::TimeTwo:
        c.Text(r.right - 60 * W / 340, below, PlotPrintf("%8.2e秒", n * step));
        break;
    case tracetype::MagPhase:
    case tracetype::RealImag:
        c.Text(r.right - 60 * W / 340, below, PlotPrintf("%8.2eHz", step > 0 ? 1.0 / step : 0.0));
        break;
    case tracetype::Impulse:
        c.Text(r.right - 40 * W / 340, below, PlotPrintf("%8.2e", n * step));
        c.Text(r.left + W / 2, below, PlotPrintf("%8.2e    [秒]", n * step / 2),
               PlotCanvas::HCenter);
        break;
    default:
        break;
    }
    c.Text(r.left - 10 * W / 340, below, std::string(" 0"));
    c.Text(r.left - 20 * W / 340, r.upper + 20 * H / 230, PlotPrintf("%8.2e", scaleA));
    c.Text(r.left - 10 * W / 340, mid + 7 * H / 230, std::string("0"));
    if (type == tracetype::MagPhase) {
        c.Text(r.right + 2, r.upper, std::string("+180°"));
        c.Text(r.right + 2, r.lower, std::string("-180°"), PlotCanvas::Bottom);
    }
    if (!a || n <= 0) return;
    drawStep = std::max(1, drawStep);
    const double sa = SafeScale(scaleA);
    const double sb = SafeScale(scaleB);

    QPolygonF pts;
    pts.reserve(n / drawStep + 1);
    auto x = [&](int i) { return r.left + i * W / n; };
    if (type == tracetype::MagPhase) {
        if (b) {
            c.SetPen(plotcolour::Second());
            for (int i = 0; i < n; i += drawStep) {
                if (a[i] == 0) continue;
                pts.append(QPointF(x(i), mid + h * std::atan2(b[i], a[i]) / M_PI));
            }
            c.Polyline(pts);
            pts.clear();
        }
        c.SetPen(plotcolour::First());
        for (int i = 0; i < n; i += drawStep) {
            const double bi = b ? b[i] : 0.0;
            pts.append(QPointF(x(i), mid + h * std::sqrt(double(a[i]) * a[i] + bi * bi) / sa));
        }
        c.Polyline(pts);
        return;
    }
    c.SetPen(plotcolour::First());
    for (int i = 0; i < n; i += drawStep) pts.append(QPointF(x(i), mid + h * a[i] / sa));
    c.Polyline(pts);
    if ((type == tracetype::TimeTwo || type == tracetype::RealImag) && b) {
        pts.clear();
        c.SetPen(plotcolour::Second());
        for (int i = 0; i < n; i += drawStep) pts.append(QPointF(x(i), mid + h * b[i] / sb));
        c.Polyline(pts);
    }
}

void PlotTimeRecord(PlotCanvas& c, const PanelRect& r, const float* a, const float* b,
                    double scale1, double scale2, int p1, int p2, int n, double dt, int type,
                    const std::string& title, int drawStep) {
    const double W = r.W();
    const double H = r.H();
    const double mid = r.Mid();
    const double h = r.upper - mid;
    DrawPanelFrame(c, r, title, PanelGrid::Linear);
    const double below = r.lower - 10 * H / 230;
    c.Text(r.right - 60 * W / 340, below, PlotPrintf("%8.2e秒", n * dt));
    c.Text(r.left - 10 * W / 340, below, std::string(" 0"));
    c.Text(r.left - 10 * W / 340, mid + 7 * H / 230, std::string("0"));
    const double labelY = r.upper + 20 * H / 230;
    if (type == 1 || type == 2)
        c.Text(r.left - 20 * W / 340, labelY, PlotPrintf("ch1:%8.2e", scale1));
    else if (type == 6)
        c.Text(r.left - 20 * W / 340, labelY, PlotPrintf("max:%8.2e", scale1));
    else if (type == 3)
        c.Text(r.left - 20 * W / 340, labelY, PlotPrintf("ch2:%8.2e", scale1));
    if (type == 2 || type == 6)
        c.Text(r.right + 20 * W / 340, labelY, PlotPrintf("ch2:%8.2e", scale2), PlotCanvas::Right);
    if (!a || n <= 0) return;
    drawStep = std::max(1, drawStep);

    auto trace = [&](const float* v, double scale, int p, const QColor& colour) {
        const double s = SafeScale(scale);
        const double lo = s * (-1 - p / 100.0);
        const double hi = s * (1 - p / 100.0);
        QPolygonF pts;
        pts.reserve(n / drawStep + 1);
        for (int i = 0; i < n; i += drawStep) {
            const double value = std::clamp(double(v[i]), lo, hi);
            pts.append(QPointF(r.left + i * W / n, mid + h * p / 100.0 + h * value / s));
        }
        c.SetPen(colour);
        c.Polyline(pts);
    };
    trace(a, scale1, p1, type == 3 ? plotcolour::Second() : plotcolour::First());
    if ((type == 2 || type == 6) && b) trace(b, scale2, p2, plotcolour::Second());
}
