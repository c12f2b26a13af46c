#include "view/PlotCanvas.h"
#include "view/PlotRoutines.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

void PlotScope(PlotCanvas& c, const PanelRect& r, const float* r1, const float* r2,
               const ScopeParams& p) {
    const double W = r.W();
    const double H = r.H();
    const double mid = r.Mid();
    const double midX = (r.left + r.right) / 2.0;
    const double h = r.upper - mid;
    const double w = r.right - midX;
    const QColor bezel(184, 184, 184);
    const QColor screen(0, 84, 84);
    const QColor cyan(0, 255, 255);
    const QColor yellow(255, 255, 0);

    c.SetCopy();
    {
        QPainter& painter = c.Painter();
        const QRectF outer = QRectF(c.Map(r.left - 0.05 * W, r.upper + 0.15 * H),
                                    c.Map(r.right + 0.05 * W, r.lower - 0.1 * H))
                                 .normalized();
        const double radius = 10 * c.Scale();
        QPainterPath path;
        path.addRoundedRect(outer, radius, radius);
        painter.fillPath(path, bezel);
        painter.setPen(QPen(Qt::black, 0));
        painter.drawPath(path);
    }
    c.SetPen(screen);
    c.Rectangle(r.left, r.lower, r.right, r.upper, screen);

    c.SetPen(QColor(184, 100, 0));
    for (int i = 0; i <= 10; ++i) {
        const int y = r.lower + i * r.H() / 10;
        const int x = r.left + i * r.W() / 10;
        c.Line(r.left, y, r.right, y);
        c.Line(x, r.lower, x, r.upper);
    }
    for (int i = 0; i <= 20; ++i) {
        const double y = r.lower + i * H / 20;
        c.Line(midX - W / 50, y, midX + W / 50, y);
    }
    for (int i = 0; i <= 50; ++i) {
        const double x = r.left + i * W / 50;
        c.Line(x, mid - H / 35, x, mid + H / 35);
    }

    c.SetTextColour(QColor(255, 0, 128));
    c.SetTextBackground(bezel);
    c.Text(r.left + W / 2 - 45 * W / 340, r.upper + 10 * H / 230, p.title, PlotCanvas::Bottom);
    c.SetTextBackground(screen);
    const int show = p.show;
    if (show != 4) {
        c.SetTextColour(cyan);
        c.Text(r.right - 5 * W / 340, r.lower + 5 * H / 230, PlotPrintf("%8.1e秒", p.n * p.dt),
               PlotCanvas::Right | PlotCanvas::Bottom);
    }
    if (show == 1 || show == 2 || show == 4) {
        c.SetTextColour(cyan);
        c.Text(r.left + 5 * W / 340, r.upper - 5 * H / 230, PlotPrintf("ch1:%8.2e", p.s1));
    }
    if (show == 2 || show == 4) {
        c.SetTextColour(yellow);
        c.Text(r.right - 5 * W / 340, r.upper - 5 * H / 230, PlotPrintf("ch2:%8.2e", p.s2),
               PlotCanvas::Right);
    } else if (show == 3) {
        c.SetTextColour(yellow);
        c.Text(r.left + 5 * W / 340, r.upper - 5 * H / 230, PlotPrintf("ch2:%8.2e", p.s2));
    }
    c.SetTextColour(Qt::black);
    c.SetTextBackground(Qt::white);

    const int count = std::max(1, p.interp) * p.n;
    if (count <= 0 || !r1) return;
    auto limited = [](double v, double s, int pos) {
        return std::clamp(v, s * (-1 - pos / 100.0), s * (1 - pos / 100.0));
    };
    const double s1 = p.s1 > 0 ? p.s1 : 1.0;
    const double s2 = p.s2 > 0 ? p.s2 : 1.0;
    QPolygonF pts;
    pts.reserve(count);
    if (show == 4) {
        if (!r2) return;
        for (int i = 0; i < count; ++i) {
            pts.append(QPointF(midX + w * p.p1 / 100.0 + w * limited(r1[i], s1, p.p1) / s1,
                               mid + h * p.p2 / 100.0 + h * limited(r2[i], s2, p.p2) / s2));
        }
        c.SetPen(cyan);
        c.Polyline(pts);
        return;
    }
    auto trace = [&](const float* v, double s, int pos, const QColor& colour) {
        pts.clear();
        for (int i = 0; i < count; ++i) {
            pts.append(QPointF(r.left + (p.trigFrac + i) * W / count,
                               mid + h * pos / 100.0 + h * limited(v[i], s, pos) / s));
        }
        c.SetPen(colour);
        c.Polyline(pts);
    };
    if (show == 1 || show == 2) trace(r1, s1, p.p1, cyan);
    if ((show == 2 || show == 3) && r2) trace(r2, s2, p.p2, yellow);
}
