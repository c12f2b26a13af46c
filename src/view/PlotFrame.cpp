#include "view/PlotCanvas.h"
#include "view/PlotColours.h"
#include "view/PlotRoutines.h"

double PlotFontHeight(const PanelRect& r) {
    return 0.013 * (r.W() + 3.0 * r.H());
}

void DrawPanelFrame(PlotCanvas& c, const PanelRect& r, const std::string& title, PanelGrid grid) {
    const int W = r.W();
    const int H = r.H();
    c.SetCopy();
    c.SetPen(plotcolour::Grid());
    c.Rectangle(r.left, r.lower, r.right, r.upper, plotcolour::PanelFill());
    for (int i = 0; i <= 10; ++i) {
        const int y = r.lower + i * H / 10;
        c.Line(r.left, y, r.right, y);
    }
    if (grid == PanelGrid::Linear) {
        for (int i = 0; i <= 10; ++i) {
            const int x = r.left + i * W / 10;
            c.Line(x, r.lower, x, r.upper);
        }
    }
    const int shift = grid == PanelGrid::Log ? 35 : 45;
    c.Text(r.left + W / 2.0 - shift * W / 340.0, r.upper + 20.0 * H / 230, title);
}
