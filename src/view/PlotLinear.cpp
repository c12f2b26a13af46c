#include "view/PlotCanvas.h"
#include "view/PlotColours.h"
#include "view/PlotRoutines.h"

void PlotLinearSpectrum(PlotCanvas& c, const PanelRect& r, const float* a, const float* b,
                        double top, double bottom, int n, int fs, bool twoSided,
                        const std::string& title) {
    const double W = r.W();
    const double H = r.H();
    const DbScale s = MakeDbScale(top, bottom, false);
    DrawPanelFrame(c, r, title, PanelGrid::Log);
    const int divisions = twoSided ? 20 : 10;
    c.SetPen(plotcolour::Grid());
    for (int i = 0; i <= divisions; ++i) {
        const int x = r.left + i * r.W() / divisions;
        c.Line(x, r.lower, x, r.upper);
    }
    DrawDbLabels(c, r, s);
    const double below = r.lower - 10 * H / 230;
    const double halfKHz = fs / 2000.0;
    if (twoSided) {
        c.Text(r.left, below, PlotPrintf("-%2.1f", halfKHz / 2));
        c.Text(r.left + W / 2, below, std::string("0:Depend on your System"), PlotCanvas::HCenter);
        c.Text(r.right, below, PlotPrintf("+%2.1f", halfKHz / 2), PlotCanvas::Right);
    } else {
        c.Text(r.left, below, std::string("0:Depend on your System"));
        c.Text(r.right, below, PlotPrintf("%2.1f", halfKHz), PlotCanvas::Right);
    }
    if (!a || n < 4) return;
    auto trace = [&](const float* v, const QColor& colour) {
        QPolygonF pts;
        const int half = n / 2;
        for (int k = 0; k < half; ++k)
            pts.append(QPointF(r.left + k * W / half, s.YOf(LevelDb(v[k]), r.lower, r.H())));
        c.SetPen(colour);
        c.Polyline(pts);
    };
    trace(a, plotcolour::First());
    if (b) trace(b, plotcolour::Second());
}
