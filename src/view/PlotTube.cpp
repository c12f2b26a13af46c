#include "view/PlotTube.h"

#include "document/CKymoDoc.h"
#include "tube/TubeChart.h"
#include "tube/TubeData.h"
#include "tube/TubeMessages.h"
#include "view/PlotCanvas.h"
#include "view/PlotColours.h"
#include "view/PlotRoutines.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

// Linear mapping of a value range onto a panel.
struct Axis {
    double lo, hi;
    int from, to;
    double operator()(double v) const {
        const double t = hi > lo ? (v - lo) / (hi - lo) : 0.0;
        return from + std::clamp(t, -0.02, 1.02) * (to - from);
    }
};

void Trace(PlotCanvas& c, const QPolygonF& points, const QColor& colour) {
    c.SetPen(colour, 2);
    c.Polyline(points);
}

void PlateCurves(PlotCanvas& c, const PanelRect& r, const TubeChart& ch) {
    const TubeData& d = ch.data;
    const double epMax = d.com[TubeData::PlateScale];
    const double ipMax = d.com[TubeData::CurrentScale];
    const Axis x{0.0, epMax, r.left, r.right}, y{0.0, ipMax, r.lower, r.upper};
    DrawPanelFrame(c, r, PlotPrintf("%s:Epk_Ipk曲線", d.name.c_str()), PanelGrid::Linear);
    for (int i = 0; i < static_cast<int>(d.curves.size()); ++i) {
        QPolygonF pts;
        for (int s = 0; s <= 200; ++s) {
            const double ep = epMax * s / 200;
            const double ip = d.Current(i, ep);
            if (ip > ipMax * 1.02) break;
            pts << QPointF(x(ep), y(std::max(0.0, ip)));
        }
        Trace(c, pts, plotcolour::Second());
    }
    const TubeSetup& s = ch.settings.tube[0];
    const TubeSolution& t = ch.result.tube[0];
    c.SetPen(plotcolour::First(), 2);
    c.Line(x(0.0), y(s.supply / s.load), x(s.supply), y(0.0));
    c.Rectangle(x(t.epq) - 4, y(t.iq) - 4, x(t.epq) + 4, y(t.iq) + 4, plotcolour::First());
    const bool micro = ipMax < 1.0;
    for (int i = 0; i <= 10; i += 2) {
        c.Text(x(epMax * i / 10) - 10, r.lower - 4,
               PlotPrintf("%d", static_cast<int>(epMax * i / 10)));
        const double v = ipMax * i / 10 * (micro ? 1000.0 : 1.0);
        c.Text(r.left - 45, y(ipMax * i / 10) + 6,
               ipMax < 10 ? PlotPrintf("%1.1f", v) : PlotPrintf("%1.0f", v));
    }
    c.Text(r.right - 40, r.lower - 20, std::string("  (V)"));
    c.Text(r.left - 45, r.upper + 22, std::string(micro ? "(μA)" : "(mA)"));
    const double pd = d.com[TubeData::MaxDissipation];
    c.Text(r.right - 90, r.upper - 6,
           pd < 1.0 ? PlotPrintf("%dmW", static_cast<int>(pd * 1000))
                    : PlotPrintf("%dW", static_cast<int>(pd)));
}

void TransferPanel(PlotCanvas& c, const PanelRect& r, const TubeChart& ch) {
    const bool pair = ch.settings.circuit != tube::kSingle;
    DrawPanelFrame(c, r, pair ? "Ein_Epp/Ipp曲線" : "Ein_Ep/Ip曲線", PanelGrid::Linear);
    const TubeSolution& t = ch.result.tube[0];
    if (t.points.size() < 2) {
        c.Text(r.left + 20, r.upper - 20, std::string(tubemsg::kChartFault));
        return;
    }
    const double supply = ch.settings.tube[0].supply, load = ch.settings.tube[0].load;
    const Axis x{t.gridLow, t.gridHigh, r.left, r.right}, y{0.0, supply, r.lower, r.upper};
    const Axis yi{0.0, supply / load, r.lower, r.upper};
    QPolygonF ep, ip;
    for (int s = 0; s <= 200; ++s) {
        const double eg = t.gridLow + (t.gridHigh - t.gridLow) * s / 200;
        const double p = t.Limited(eg);
        ep << QPointF(x(eg), y(p));
        ip << QPointF(x(eg), yi((supply - p) / load));
    }
    Trace(c, ep, plotcolour::First());
    Trace(c, ip, plotcolour::Second());
    c.SetPen(plotcolour::First(), 2);
    c.Rectangle(x(t.eg0) - 4, y(t.epq) - 4, x(t.eg0) + 4, y(t.epq) + 4, plotcolour::First());
    const bool milli = std::fabs(t.gridLow) < 1.0;
    for (int i = 0; i <= 10; i += 2) {
        const double g = t.gridLow + (t.gridHigh - t.gridLow) * i / 10;
        c.Text(x(g) - 12, r.lower - 4, PlotPrintf("%1.1f", std::fabs(g) * (milli ? 1000 : 1)));
    }
    c.Text(r.right - 40, r.lower - 20, std::string(milli ? "(-mV)" : "(-V)"));
    c.Text(r.left + 10, r.upper - 10, std::string("Ep電圧"));
    c.Text(r.left + 10, r.upper - 30, std::string("Ip電流"));
    if (!pair) {
        c.Text(r.left + 90, r.upper - 10, PlotPrintf("基準ｸﾞﾘｯﾄﾞ電圧(ﾏｰｸ点)=%1.2f ", t.eg0));
        c.Text(r.left + 90, r.upper - 30, PlotPrintf("動作点付近のGain(傾き)=%1.2f", t.gain));
        return;
    }
    const TubeSolution& l = ch.result.tube[1];
    const bool diff = ch.settings.circuit == tube::kDifferential;
    c.Text(r.left + 90, r.upper - 10, PlotPrintf("上側球の基準ｸﾞﾘｯﾄﾞ電圧=%1.2f", t.eg0));
    c.Text(r.left + 90, r.upper - 30, PlotPrintf("下側球の基準ｸﾞﾘｯﾄﾞ電圧=%1.2f", l.eg0));
    const TubeRecord& rec = ch.result.model.rec[0];
    c.Text(r.left + 90, r.upper - 50,
           PlotPrintf(diff ? "差動合成球の基準電圧(ﾏｰｸ点)=%1.2f" : "合成球の基準電圧(ﾏｰｸ点)=%1.2f",
                      rec.eg0));
    c.Text(
        r.left + 90, r.upper - 70,
        PlotPrintf(diff ? "動作点付近の差動ｹﾞｲﾝ(傾き)=%1.2f" : "動作点付近の合成ｹﾞｲﾝ(傾き)=%1.2f",
                   t.gain + l.gain));
}

std::string PowerText(const char* micro, const char* milli, const char* watt, double w) {
    if (w < 1.0e-3) return PlotPrintf(micro, w * 1.0e6);
    if (w < 1.0) return PlotPrintf(milli, w * 1.0e3);
    return PlotPrintf(watt, w);
}

void DistortionPanel(PlotCanvas& c, const PanelRect& r, const TubeChart& ch) {
    DrawPanelFrame(c, r, PlotPrintf("%s:歪特性(THD)", ch.data.name.c_str()), PanelGrid::Log);
    const auto& levels = ch.result.levels;
    if (levels.empty()) return;
    const double top = std::ceil(std::log10(ch.result.maxPower));
    const Axis x{top - 4.0, top, r.left, r.right}, y{0.0, 10.0, r.lower, r.upper};
    for (int dec = 0; dec <= 4; ++dec) {
        const double w = std::pow(10.0, top - 4 + dec);
        c.SetPen(plotcolour::Grid());
        c.Line(x(top - 4 + dec), r.lower, x(top - 4 + dec), r.upper);
        c.Text(x(top - 4 + dec) - 20, r.lower - 4, PowerText("%1.0fμW", "%1.0fmW", "%1.1fW", w));
    }
    QPolygonF pts;
    for (const TubeLevel& l : levels)
        if (l.power > 0) pts << QPointF(x(std::log10(l.power)), y(l.thd));
    Trace(c, pts, plotcolour::First());
    const bool pair = ch.settings.circuit != tube::kSingle;
    c.Text(r.left + 20, r.upper - 10,
           PlotPrintf(pair ? "設定ﾎﾟｲﾝﾄ歪=%1.3f%s" : "設定ﾎﾟｲﾝﾄ歪=%1.2f%s", ch.result.setThd, "%"));
    const double last = levels.back().power;
    const int limit = 10;
    std::string maxText;
    if (last < 1.0e-3)
        maxText = PlotPrintf("最大出力(THD:%d%s)=%1.0fμW", limit, "%", last * 1.0e6);
    else if (last < 1.0)
        maxText = PlotPrintf("最大出力(THD:%d%s)=%1.0fmW", limit, "%", last * 1.0e3);
    else
        maxText = PlotPrintf("最大出力(THD:%d%s)=%1.2fW", limit, "%", last);
    c.Text(r.left + 20, r.upper - 30, maxText);
}

} // namespace

void PlotTubeCharacteristics(PlotCanvas& c, const PanelRect& area, const TubeChart& chart) {
    const int gap = 40;
    const int h = (area.upper - area.lower - 2 * gap) / 3;
    PanelRect r = area;
    r.upper = area.upper;
    r.lower = area.upper - h;
    c.SetFontHeight(PlotFontHeight(r) * 0.8);
    PlateCurves(c, r, chart);
    r.upper = r.lower - gap;
    r.lower = r.upper - h;
    TransferPanel(c, r, chart);
    r.upper = r.lower - gap;
    r.lower = r.upper - h;
    DistortionPanel(c, r, chart);
}

void PlotTubeScope(PlotCanvas& c, const PanelRect& upper, const PanelRect& lower,
                   const CKymoDoc& doc) {
    if (doc.m_pTubeChart) PlateCurves(c, upper, *doc.m_pTubeChart);
    const int n = std::max(2, std::min(doc.m_nPoints, static_cast<int>(doc.m_fWave1.size())));
    PlotTrace(c, lower, doc.m_fWave1.data(), doc.m_fWave2.data(), 32768.0, 32768.0, n, doc.m_fDt,
              tracetype::TimeTwo, "[入力波形]", 1);
}
