#include "view/Waterfall.h"

#include "view/PlotCanvas.h"
#include "view/PlotRoutines.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

void ResetWaterfall(QImage& canvas) {
    canvas = QImage(kWaterfallSize, kWaterfallSize, QImage::Format_RGB32);
    canvas.fill(Qt::black);
}

int WaterfallIndex(double level, double top, double bottom) {
    if (!(top > bottom)) return 32;
    double l = std::isnan(level) ? bottom : std::clamp(level, bottom, top);
    return static_cast<int>(std::trunc(224 * (l - bottom) / (top - bottom) + 32)) % 256;
}

void UpdateWaterfall(QImage& canvas, const float* v, int n, double top, double bottom,
                     bool twoSided) {
    if (canvas.isNull()) ResetWaterfall(canvas);
    const int size = kWaterfallSize;
    for (int j = size - 1; j > 0; --j)
        std::copy_n(reinterpret_cast<const QRgb*>(canvas.constScanLine(j - 1)), size,
                    reinterpret_cast<QRgb*>(canvas.scanLine(j)));
    QRgb* row = reinterpret_cast<QRgb*>(canvas.scanLine(0));
    auto pixel = [&](int bin) {
        const double l = (bin >= 0 && bin < n && v) ? LevelDb(v[bin]) : -INFINITY;
        return WaterfallColour(WaterfallIndex(l, top, bottom)).rgb();
    };
    if (twoSided) {
        const int d = n / 256;
        for (int i = 0; i < 128; ++i) {
            row[128 + i] = pixel(i * d);
            row[i] = pixel(128 * d + i * d);
        }
    } else {
        const int d = n / 512;
        for (int x = 0; x < size; ++x) row[x] = pixel(x * d);
    }
}

void DrawWaterfall(PlotCanvas& c, const PanelRect& r, const QImage& canvas, double dbPerDiv,
                   const std::string& title) {
    const double W = r.W();
    const double H = r.H();
    DrawPanelFrame(c, r, title, PanelGrid::Log);
    c.Text(r.right + 2, r.upper, std::string("↓Time"));
    c.Text(r.left - 2, r.Mid(), PlotPrintf("%2.2f[dB/div]", dbPerDiv), PlotCanvas::Right);
    if (canvas.isNull()) return;
    QPainter& p = c.Painter();
    const QRectF target = QRectF(c.Map(r.left, r.upper), c.Map(r.right, r.lower)).normalized();
    const QPainter::CompositionMode mode = p.compositionMode();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(target, canvas, QRectF(0, 0, kWaterfallSize, 128));
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setCompositionMode(mode);
    (void)W;
    (void)H;
}
