// The main view's kinds of the 3D spectrum: the finished picture (28), the empty live boxes
// (29), a completed row (30) and a row still being averaged (31).
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocumentLimits.h"
#include "dsp/FloatToInt.h"
#include "view/DocumentView.h"
#include "view/KindPanels.h"
#include "view/PlotCanvas.h"
#include "view/PlotRoutines.h"
#include "view/Spectrum3dPicture.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPictureWidth = 800;
constexpr int kFinishedHeight = 1000;
constexpr int kLiveBelow = 720;

int PlotCentre(const CKymoDoc& doc) {
    return (doc.m_nGraphLeft + doc.m_nGraphRight) / 2;
}

bool TwoChannels(const CKymoDoc& doc) {
    return doc.m_pHistory3D2 != nullptr;
}

// Top reference of the live layout: the lower edge of the upper panel, in pixels downward.
int LiveTop(const ViewLayout& l) {
    return -l.upper.lower;
}

void StartLivePicture(const CKymoDoc& doc, Picture3dState& st, const ViewLayout& l) {
    const int c = LiveTop(l);
    st.live = QImage(kPictureWidth, std::max(c, 0) + kLiveBelow, QImage::Format_RGB32);
    st.live.fill(Qt::white);
    st.ResetHorizons();
    const Layout3d layout = LiveLayout3d();
    Draw3dAxes(st.live, st, doc, layout, 1, PlotCentre(doc), c, "[Ch1:3Dｽﾍﾟｸﾄﾙ]");
    if (TwoChannels(doc))
        Draw3dAxes(st.live, st, doc, layout, 2, PlotCentre(doc), c, "[Ch2:3Dｽﾍﾟｸﾄﾙ]");
    st.liveRows = 0;
}

// The rows completed since the live picture was drawn last; a history that started again
// (fewer rows than drawn) starts the picture again.
void AddLiveRows(const CKymoDoc& doc, Picture3dState& st, const ViewLayout& l) {
    const int rows = std::clamp(doc.m_nRow3D, 0, limits::kHistoryRows3D);
    if (st.live.isNull() || rows < st.liveRows) StartLivePicture(doc, st, l);
    const Layout3d layout = LiveLayout3d();
    for (int r = st.liveRows; r < rows; ++r) {
        Draw3dRow(st.live, st, doc, layout, 1, r, doc.History3dRow(1, r));
        if (TwoChannels(doc)) Draw3dRow(st.live, st, doc, layout, 2, r, doc.History3dRow(2, r));
    }
    st.liveRows = rows;
}

// The latest block's time record in the upper panel, reduced to 0.9 of its size.
void TimePanel(PlotCanvas& c, const CKymoDoc& doc, const ViewLayout& l) {
    PlotCanvas up(c.Painter(), c.Scale(), true);
    up.SetFontHeight(l.fontHeight * 0.9);
    PanelRect r = l.upper;
    r.right = r.left + SaturateToInt32(r.W() * 0.9);
    r.lower = r.upper - SaturateToInt32(r.H() * 0.9);
    const double full = std::ldexp(1.0, doc.m_nBitsPerSample - 1);
    const double s1 = full / (doc.m_fCh1Range > 0 ? doc.m_fCh1Range : 1.0f);
    const double s2 = full / (doc.m_fCh2Range > 0 ? doc.m_fCh2Range : 1.0f);
    const int p1 = doc.m_bFixedPositions ? 50 : doc.m_nCh1Position;
    const int p2 = doc.m_bFixedPositions ? -50 : doc.m_nCh2Position;
    const bool windowed = IsWindowed(doc);
    PlotTimeRecord(up, r, doc.m_fWave1.data(), doc.m_fWave2.data(), s1, s2, p1, p2, doc.m_nPoints,
                   doc.m_fDt, doc.m_nChannel >= 2 ? 2 : 1,
                   windowed ? "[時間表示:窓付]" : "[時間表示]");
}

// The finished picture: 1:1 on the screen; on paper as large as the page allows.
void DrawFinished(PlotCanvas& c, const CKymoDoc& doc, Picture3dState& st) {
    const QImage image = RenderFinished3d(doc, st, QSize(kPictureWidth, kFinishedHeight));
    QPainter& p = c.Painter();
    if (c.Scale() == 1.0) {
        p.drawImage(QPointF(0, 0), image);
        return;
    }
    const QPaintDevice* device = p.device();
    double f = c.Scale();
    if (device && device->width() > 0 && device->height() > 0)
        f = std::min(static_cast<double>(device->width()) / image.width(),
                     static_cast<double>(device->height()) / image.height());
    p.drawImage(QRectF(0, 0, image.width() * f, image.height() * f), image);
}

} // namespace

QImage RenderFinished3d(const CKymoDoc& doc, Picture3dState& st, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    st.ResetHorizons();
    const Layout3d layout = LargeLayout3d();
    Draw3dAxes(image, st, doc, layout, 1, PlotCentre(doc), 0, "[Ch1]   ");
    if (TwoChannels(doc)) Draw3dAxes(image, st, doc, layout, 2, PlotCentre(doc), 0, "[Ch2]   ");
    Draw3dRows(image, st, doc, layout, 1);
    if (TwoChannels(doc)) Draw3dRows(image, st, doc, layout, 2);
    return image;
}

bool DrawSpectrum3dKinds(PlotCanvas& c, CKymoDoc& doc, ViewState& vs, const ViewLayout& l) {
    Picture3dState& st = vs.picture3d;
    switch (doc.disp_mode1) {
    case kind::Spectrum3dFinished:
        DrawFinished(c, doc, st);
        return true;
    case kind::Spectrum3dStart:
        StartLivePicture(doc, st, l);
        c.Painter().drawImage(QPointF(0, 0), st.live);
        return true;
    case kind::Spectrum3dRowDone:
    case kind::Spectrum3dAveraging:
        if (doc.disp_mode1 == kind::Spectrum3dRowDone || st.live.isNull()) AddLiveRows(doc, st, l);
        c.Painter().drawImage(QPointF(0, 0), st.live);
        TimePanel(c, doc, l);
        return true;
    default:
        return false;
    }
}
