#include "view/PlotCanvas.h"
#include "view/PlotColours.h"
#include "view/PlotRoutines.h"

#include <algorithm>
#include <cmath>

int PlotCorrelation(PlotCanvas& c, const PanelRect& r, const float* a, const float* b, double s,
                    int n, double dt, int Z, int type, const std::string& title) {
    const double W = r.W();
    const double H = r.H();
    const double mid = r.Mid();
    Z = std::max(1, Z);
    const int step = std::max(1, static_cast<int>(1.7 * n / (W * Z)));

    if (type >= 1 && type <= 3) {
        c.SetCopy();
        c.SetPen(plotcolour::Grid());
        for (int i = 0; i <= 10; ++i) {
            const int y = r.lower + i * r.H() / 10;
            c.Line(r.left, y, r.right, y);
        }
        for (int i = 0; i <= 20; ++i) {
            const int x = r.left + i * r.W() / 20;
            c.Line(x, r.lower, x, r.upper);
        }
        c.Text(r.left + W / 2 - 45 * W / 340, r.upper + 20 * H / 230, title);
        const double below = r.lower - 10 * H / 230;
        const double span = n * dt / Z;
        c.Text(r.left - 20 * W / 340, below, PlotPrintf("%8.2e秒", -span));
        c.Text(r.left + W / 2, below, std::string("0"));
        c.Text(r.right - 60 * W / 340, below, PlotPrintf("%8.2e秒", span));
        c.Text(r.left - 20 * W / 340, r.upper + 20 * H / 230, PlotPrintf("%8.2e", s));
        c.Text(r.left - 10 * W / 340, mid + 7 * H / 230, std::string("0"));
        if (type == 3) return step;
    }
    if (!a || n <= 0) return step;

    const double full = s > 0 ? s : 1.0;
    auto y = [&](float v) {
        double d = v;
        if (!std::isfinite(d)) d = 0;
        if (std::fabs(d) > full) d = d > 0 ? full : -full;
        return mid + (r.upper - mid) * d / full;
    };
    const double q = W * Z / (2.0 * n);
    const int i0 = static_cast<int>((1 - 1.0 / Z) * n);
    const int half = n / Z;
    auto trace = [&](const float* v, const QColor& colour) {
        QPolygonF pts;
        pts.append(QPointF(r.left, y(v[std::min(i0, n - 1)])));
        for (int j = 0; i0 + j < n; j += step) pts.append(QPointF(r.left + j * q, y(v[i0 + j])));
        for (int i = 0; i < half; i += step) pts.append(QPointF(r.left + (half + i) * q, y(v[i])));
        c.SetPen(colour);
        c.Polyline(pts);
    };
    if (type == 4 || type == 5) {
        c.SetXor();
        trace(a, plotcolour::Second());
        if (type == 5 && b) trace(b, plotcolour::First());
        c.SetCopy();
        return step;
    }
    c.SetCopy();
    trace(a, plotcolour::First());
    if (type == 2 && b) trace(b, plotcolour::Second());
    return step;
}
