#include "view/PlotCanvas.h"
#include "view/PlotRoutines.h"

#include <algorithm>
#include <cmath>

void PlotStages(PlotCanvas& c, const PanelRect& r, const std::vector<StageResponse>& stages,
                int shown, bool cumulative, double top, double bottom, int n, double e,
                int phaseMode, const std::string& title, float* overallRe, float* overallIm) {
    const LogAxis axis = MakeLogAxis(e, n);
    const DbScale s = MakeDbScale(top, bottom, false);
    DrawPanelFrame(c, r, title, PanelGrid::Log);
    DrawLogAxis(c, r, axis);
    DrawDbLabels(c, r, s);
    if (phaseMode == phasemode::Centred) {
        c.Text(r.right + 2, r.upper, std::string("+180°"));
        c.Text(r.right + 2, r.lower, std::string("-180°"), PlotCanvas::Bottom);
    } else if (phaseMode == phasemode::Shifted) {
        c.Text(r.right + 2, r.upper, std::string("0°"));
        c.Text(r.right + 2, r.lower, std::string("-360°"), PlotCanvas::Bottom);
    }
    const int count = static_cast<int>(stages.size());
    const int half = n / 2;
    if (count == 0 || half < 2) return;
    shown = std::clamp(shown, 1, count);
    const double W = r.W();
    c.SetTextColour(QColor(255, 100, 0));
    c.Text(r.left + 20 * W / 340, r.upper - 2,
           cumulative ? PlotPrintf("ｽﾃｰｼﾞ番号=1～%d ", shown) : PlotPrintf("ｽﾃｰｼﾞ番号=%d ", shown));
    c.SetTextColour(Qt::black);

    const double mid = r.Mid();
    const bool drawPhase =
        phaseMode == phasemode::Shifted || (phaseMode == phasemode::Centred && !cumulative);
    std::vector<double> pre(half, 1.0), pim(half, 0.0);
    const int step = std::max(1, 5852 / count);
    for (int st = 0; st < count; ++st) {
        const StageResponse& resp = stages[st];
        const int bins =
            std::min<int>(half, static_cast<int>(std::min(resp.re.size(), resp.im.size())));
        for (int k = 0; k < bins; ++k) {
            const double a = pre[k], b = pim[k];
            pre[k] = a * resp.re[k] - b * resp.im[k];
            pim[k] = a * resp.im[k] + b * resp.re[k];
        }
        const int number = st + 1;
        const bool draw = cumulative ? number <= shown : number == shown;
        if (!draw) continue;
        const QColor colour = HueColour(number * step);
        QPolygonF level, phase;
        for (int k = 1; k < bins; ++k) {
            const double re = cumulative ? pre[k] : resp.re[k];
            const double im = cumulative ? pim[k] : resp.im[k];
            const double x = BinX(axis, r, k);
            level.append(QPointF(x, s.YOf(LevelDb(std::hypot(re, im)), r.lower, r.H())));
            phase.append(QPointF(x, mid + (r.upper - mid) * PhaseFraction(re, im, phaseMode)));
        }
        if (drawPhase) {
            c.SetPen(colour, 1);
            c.Polyline(phase);
        }
        c.SetPen(colour, 2);
        c.Polyline(level);
    }
    if (overallRe && overallIm) {
        for (int k = 0; k < std::min(half, 2048); ++k) {
            overallRe[k] = static_cast<float>(pre[k]);
            overallIm[k] = static_cast<float>(pim[k]);
        }
    }
}
