#include "view/DocumentView.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "view/KindPanels.h"
#include "view/PlotCanvas.h"
#include "view/PlotRoutines.h"
#include "view/ViewMessages.h"

#include <QPainter>

#include <map>

namespace {

std::map<int, KindPainter>& Painters() {
    static std::map<int, KindPainter> painters;
    return painters;
}

bool In(int k, std::initializer_list<int> list) {
    for (int v : list)
        if (v == k) return true;
    return false;
}

} // namespace

bool RegisterKindPainter(int kind, KindPainter painter) {
    Painters()[kind] = std::move(painter);
    return true;
}

ViewLayout ComputeLayout(const CKymoDoc& doc) {
    ViewLayout l;
    l.upper = {doc.m_nGraphLeft, doc.m_nGraphRight, doc.m_nGraphLower, doc.m_nGraphUpper};
    l.lower = {doc.m_nGraphLeft, doc.m_nGraphRight, 2 * doc.m_nGraphLower - doc.m_nGraphUpper - 45,
               doc.m_nGraphLower - 45};
    l.fontHeight = PlotFontHeight(l.upper);
    return l;
}

bool IsBufferedKind(int k) {
    return In(k, {10, 11, 12, 19, 20, 21, 30, 31, 32, 35, 71, 72, 151, 192, 194});
}

bool IsYDownKind(int k) {
    return In(k, {28, 29, 30, 34, 35});
}

bool DrawsEverySample(int k) {
    return In(k, {10, 11, 12, 14, 15, 16, 19,  20,  21,  22, 23,
                  26, 30, 31, 32, 33, 35, 151, 191, 192, 193});
}

int DrawStepFor(int n) {
    return n < 4097 ? 1 : n / 4096;
}

bool IsWindowed(const CKymoDoc& doc) {
    return doc.m_nWindowType != 0 && doc.m_nWindowType != 7;
}

DrawResult DrawDocumentView(QPainter& painter, CKymoDoc& doc, ViewState& state,
                            const DrawTarget& target) {
    DrawResult result;
    const int k = doc.disp_mode1;
    const int n = doc.m_nPoints;
    if (!target.printing) painter.fillRect(QRect(QPoint(0, 0), target.size), Qt::white);
    painter.save();
    painter.translate(target.origin);
    PlotCanvas canvas(painter, target.scale, !IsYDownKind(k));

    const ViewLayout layout = ComputeLayout(doc);
    canvas.SetFontHeight(layout.fontHeight);
    state.m_nDrawStep = DrawsEverySample(k) ? 1 : DrawStepFor(n);
    if (doc.m_bRescale == 1 && !In(k, {14, 19, 192, 194})) {
        // Manual Log_Mag scaling holds the dB range of the log-magnitude panel only.
        const float top = state.scales.m_fTopDb;
        const float bottom = state.scales.m_fBottomDb;
        ComputeAutoScale(doc, n, state.scales);
        if (doc.disp_mode2 == present::LogMagManual) {
            state.scales.m_fTopDb = top;
            state.scales.m_fBottomDb = bottom;
        }
    }

    if (!IsBufferedKind(k)) {
        if (doc.disp_mode3 == 100) {
            doc.disp_mode3 = 0;
            result.warning = viewmsg::kBadFormat;
            result.repaint = true;
            painter.restore();
            return result;
        }
        if ((k == kind::TimeRecord || k == kind::CutOneChannel) && state.scales.m_fMaxWave == 0) {
            result.warning = viewmsg::kNoSignal;
            painter.restore();
            return result;
        }
        if (k == kind::Spectrum && state.scales.m_fMaxReIm == 0) {
            result.warning = viewmsg::kNoFft;
            painter.restore();
            return result;
        }
    }

    auto it = Painters().find(k);
    if (it != Painters().end())
        it->second(canvas, doc, state, layout);
    else
        DrawKindPanels(canvas, doc, state, layout);
    doc.m_bRealBusy = 0;
    result.panelsDrawn = true;
    painter.restore();
    return result;
}

QImage RenderDocumentView(CKymoDoc& doc, ViewState& state, const QSize& size, DrawResult* result) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawTarget target;
    target.size = size;
    const DrawResult r = DrawDocumentView(painter, doc, state, target);
    painter.end();
    if (result) *result = r;
    return image;
}
