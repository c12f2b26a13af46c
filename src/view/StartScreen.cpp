#include "view/StartScreen.h"

#include "document/CKymoDoc.h"
#include "view/PlotCanvas.h"
#include "view/PlotColours.h"
#include "view/PlotRoutines.h"

#include <algorithm>
#include <cmath>

void DrawStartScreen(PlotCanvas& c, CKymoDoc& doc, const PanelRect& r, int randomValue) {
    const int n = std::min<int>(doc.m_nPoints, static_cast<int>(doc.m_fWave1.size()));
    const std::string title = "Sonalyx";
    if (randomValue > 16383) {
        const int k = (randomValue >> 12) + 21;
        for (int i = 0; i < n; ++i) {
            doc.m_fWave1[i] = static_cast<float>(std::sin(2 * M_PI * 10 * i / n));
            doc.m_fWave2[i] = static_cast<float>(std::sin(M_PI * k * i / n));
        }
        DrawPanelFrame(c, r, title, PanelGrid::Linear);
        const double midX = (r.left + r.right) / 2.0;
        const double mid = r.Mid();
        QPolygonF pts;
        pts.reserve(n);
        for (int i = 0; i < n; ++i) {
            pts.append(QPointF(midX + (r.right - midX) * doc.m_fWave1[i],
                               mid + (r.upper - mid) * doc.m_fWave2[i]));
        }
        c.SetPen(plotcolour::First());
        c.Polyline(pts);
    } else {
        for (int i = 0; i < n; ++i) {
            doc.m_fWave1[i] = static_cast<float>(std::sin(2 * M_PI * i / n));
            doc.m_fWave2[i] = static_cast<float>(std::cos(2 * M_PI * i / n));
        }
        PlotTrace(c, r, doc.m_fWave1.data(), doc.m_fWave2.data(), 1.0, 1.0, n, doc.m_fDt,
                  tracetype::TimeTwo, title);
    }
    const double W = r.W();
    const double H = r.H();
    c.SetTextColour(QColor(0, 0, 200));
    c.Text(r.left + 10 * W / 340, r.upper - 10 * H / 230,
           std::string("ここでﾏｳｽﾄﾞﾗｯｸﾞによりｸﾞﾗﾌの"));
    c.SetTextColour(QColor(255, 0, 255));
    c.Text(r.left + 10 * W / 340, r.upper - 10 * H / 230 - PlotFontHeight(r) * 1.3,
           std::string(" 大きさを設定できます"));
    c.SetTextColour(Qt::black);
}
