#include "app/CKymoView.h"

#include "app/AveragingRunner.h"
#include "document/FileAnalysis.h"

#include "app/dialogs/CScalingDlg.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "view/LogMagScaling.h"
#include "view/PlotCanvas.h"
#include "view/PlotColours.h"
#include "view/ViewInteraction.h"
#include "view/ViewMessages.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <map>

namespace {

std::map<const CKymoDoc*, CKymoView*>& Views() {
    static std::map<const CKymoDoc*, CKymoView*> views;
    return views;
}

QSize ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

} // namespace

CKymoView::CKymoView(CKymoDoc& doc, QWidget* parent) : QAbstractScrollArea(parent), m_doc(doc) {
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(false);
    Views()[&doc] = this;
    m_doc.SetUpdateListener([this] { OnUpdate(); });
    const QSize screen = ScreenSize();
    horizontalScrollBar()->setPageStep(screen.width() / 4);
    verticalScrollBar()->setPageStep(screen.height() / 4);
    horizontalScrollBar()->setSingleStep(std::max(1, screen.width() / 50));
    verticalScrollBar()->setSingleStep(std::max(1, screen.height() / 50));
}

CKymoView::~CKymoView() {
    auto it = Views().find(&m_doc);
    if (it != Views().end() && it->second == this) {
        Views().erase(it);
        m_doc.SetUpdateListener(nullptr);
    }
    delete m_pPrinter;
}

CKymoView* CKymoView::ViewOf(const CKymoDoc& doc) {
    auto it = Views().find(&doc);
    return it == Views().end() ? nullptr : it->second;
}

void CKymoView::OnUpdate() {
    m_bPictureValid = false;
    m_lastWarning.clear();
    viewport()->update();
}

QPoint CKymoView::ScrollOffset() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CKymoView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const QSize total = ScreenSize() * 2;
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, total.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, total.height() - view.height()));
    m_bPictureValid = false;
}

void CKymoView::scrollContentsBy(int, int) {
    m_bPictureValid = false;
    viewport()->update();
}

void CKymoView::RenderPicture() {
    const QSize size = viewport()->size().expandedTo(QSize(1, 1));
    m_picture = QImage(size, QImage::Format_RGB32);
    QPainter painter(&m_picture);
    DrawTarget target;
    target.size = size;
    target.origin = -ScrollOffset();
    const DrawResult result = DrawDocumentView(painter, m_doc, m_state, target);
    painter.end();
    m_bPictureValid = true;
    ShowWarning(result);
    // A pending file-analysis kind runs its averaging pass once this paint has finished.
    if (AnalysisOfPendingKind(m_doc.disp_mode1) >= 0)
        SchedulePendingAnalysis(m_doc, this, [this] {
            m_bPictureValid = false;
            viewport()->repaint();
        });
}

void CKymoView::ShowWarning(const DrawResult& result) {
    if (result.warning.empty()) return;
    if (result.warning == m_lastWarning && !result.repaint) return;
    m_lastWarning = result.warning;
    const std::string text = result.warning;
    const bool repaint = result.repaint;
    // Shown after the paint event has finished; the same warning is not repeated until the
    // document changes, so closing the box does not bring it back.
    QTimer::singleShot(0, this, [this, text, repaint] {
        m_doc.Ui().ShowCaptionedMessage(viewmsg::kCaption, text, MessageIcon::Warning);
        if (repaint) {
            m_bPictureValid = false;
            viewport()->update();
        }
    });
}

void CKymoView::DrawOverlays(QPainter& painter) {
    painter.save();
    painter.translate(-ScrollOffset());
    PlotCanvas canvas(painter, 1.0, true);
    const ViewLayout layout = ComputeLayout(m_doc);
    canvas.SetFontHeight(layout.fontHeight);
    if (m_bLeftDrag) {
        canvas.SetXor();
        canvas.SetPen(plotcolour::RubberBand());
        canvas.Rectangle(m_bandStart.x(), -m_bandStart.y(), m_bandEnd.x(), -m_bandEnd.y());
        canvas.SetCopy();
    }
    if (m_bRightDrag) {
        const double x = m_rightPos.x();
        if (m_doc.disp_mode1 == kind::Wave || m_doc.disp_mode1 == kind::WaveAgain) {
            DrawCutCursor(canvas, m_doc, layout, x, m_state.m_nDrawStep);
        } else {
            const Readout ro = ComputeReadout(m_doc, m_state, layout, x);
            DrawReadout(canvas, ro, x);
        }
    }
    painter.restore();
}

void CKymoView::paintEvent(QPaintEvent*) {
    if (!m_bPictureValid || m_picture.size() != viewport()->size()) RenderPicture();
    QPainter painter(viewport());
    painter.drawImage(0, 0, m_picture);
    DrawOverlays(painter);
}

QImage CKymoView::Grab() {
    if (!m_bPictureValid || m_picture.size() != viewport()->size()) RenderPicture();
    QImage image = m_picture.copy();
    QPainter painter(&image);
    DrawOverlays(painter);
    return image;
}

// ---- Resize drag --------------------------------------------------------------------------

void CKymoView::OnLButtonDown(QPoint p) {
    if (m_bRightDrag) return;
    m_savedRect[0] = m_doc.m_nGraphLeft;
    m_savedRect[1] = m_doc.m_nGraphRight;
    m_savedRect[2] = m_doc.m_nGraphLower;
    m_savedRect[3] = m_doc.m_nGraphUpper;
    m_bLeftDrag = true;
    m_bandStart = m_bandEnd = p;
    viewport()->update();
}

void CKymoView::OnMouseMove(QPoint p, bool leftHeld, bool rightHeld) {
    if (m_bLeftDrag && leftHeld) {
        m_bandEnd = p;
        viewport()->update();
    } else if (m_bRightDrag && rightHeld) {
        m_rightPos = p;
        m_nCursorX = p.x();
        viewport()->update();
    }
}

void CKymoView::OnLButtonUp(QPoint p) {
    if (!m_bLeftDrag) return;
    m_bLeftDrag = false;
    m_bandEnd = p;
    const auto rect = ResizedPlotRect(m_bandStart.x(), -m_bandStart.y(), p.x(), -p.y());
    if (!rect) {
        m_doc.m_nGraphLeft = m_savedRect[0];
        m_doc.m_nGraphRight = m_savedRect[1];
        m_doc.m_nGraphLower = m_savedRect[2];
        m_doc.m_nGraphUpper = m_savedRect[3];
        viewport()->update();
        return;
    }
    m_doc.m_nGraphLeft = rect->left;
    m_doc.m_nGraphRight = rect->right;
    m_doc.m_nGraphLower = rect->lower;
    m_doc.m_nGraphUpper = rect->upper;
    m_bPictureValid = false;
    viewport()->update();
}

// ---- Cut cursor and read-out cursor -------------------------------------------------------

void CKymoView::OnRButtonDown(QPoint p) {
    if (m_bLeftDrag) return;
    m_bRightDrag = true;
    m_rightPos = p;
    m_nCursorX = p.x();
    viewport()->update();
}

void CKymoView::OnRButtonUp(QPoint p, bool ctrlHeld) {
    if (!m_bRightDrag) return;
    m_bRightDrag = false;
    m_rightPos = p;
    m_nCursorX = p.x();
    viewport()->update();
    if (ctrlHeld && (m_doc.disp_mode1 == kind::Wave)) CutAt(m_nCursorX);
}

void CKymoView::OnRButtonDblClk(QPoint p) {
    if (m_doc.disp_mode1 != kind::Wave) return;
    CutAt(p.x());
}

void CKymoView::CutAt(int x) {
    const ViewLayout layout = ComputeLayout(m_doc);
    const CutWindow cw = ComputeCutWindow(m_doc, layout, x);
    if (!cw.inside || x < layout.upper.left) {
        m_doc.Ui().ShowCaptionedMessage(viewmsg::kCaption, viewmsg::kCursorOutside,
                                        MessageIcon::Warning);
        return;
    }
    m_doc.m_fDt = m_doc.m_fWaveDt;
    m_doc.Ui().ShowCaptionedMessage(viewmsg::kCaption, viewmsg::kCursorInside,
                                    MessageIcon::Information);
    if (!m_doc.CutRecord(cw.startFrame)) return;
    ComputeAutoScale(m_doc, m_doc.m_nPoints, m_state.scales);
    m_bPictureValid = false;
    viewport()->update();
}

// ---- Qt events ----------------------------------------------------------------------------

void CKymoView::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint() + ScrollOffset();
    if (e->button() == Qt::LeftButton)
        OnLButtonDown(p);
    else if (e->button() == Qt::RightButton)
        OnRButtonDown(p);
}

void CKymoView::mouseMoveEvent(QMouseEvent* e) {
    OnMouseMove(e->position().toPoint() + ScrollOffset(), e->buttons() & Qt::LeftButton,
                e->buttons() & Qt::RightButton);
}

void CKymoView::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint() + ScrollOffset();
    if (e->button() == Qt::LeftButton)
        OnLButtonUp(p);
    else if (e->button() == Qt::RightButton)
        OnRButtonUp(p, e->modifiers() & Qt::ControlModifier);
}

void CKymoView::mouseDoubleClickEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint() + ScrollOffset();
    // The second press of a double click starts no drag.
    if (e->button() == Qt::RightButton) OnRButtonDblClk(p);
}

// ---- Presentation commands ----------------------------------------------------------------

void CKymoView::OnRealImage() {
    if (m_doc.disp_mode1 != kind::Spectrum && m_doc.disp_mode1 != kind::Transfer) return;
    m_doc.disp_mode2 = present::RealImag;
    m_doc.UpdateAllViews();
}

void CKymoView::OnMagPhase() {
    if (m_doc.disp_mode1 != kind::Spectrum && m_doc.disp_mode1 != kind::Transfer) return;
    m_doc.disp_mode2 = present::MagPhase;
    m_doc.UpdateAllViews();
}

void CKymoView::OnLogMag() {
    m_doc.disp_mode2 = present::LogMagAuto;
    LogMagChoice choice = LogMagStartValues(m_state);
    CScalingDlg dlg(choice, this);
    choice.accepted = dlg.exec() == QDialog::Accepted;
    if (choice.accepted) choice = dlg.Choice(true);
    ApplyLogMagChoice(m_doc, m_state, choice);
    m_doc.UpdateAllViews();
}

void CKymoView::OnUnsupportedPresentation() {
    m_doc.Ui().ShowMessage(viewmsg::kUnderConstruction);
}

// ---- Printing -----------------------------------------------------------------------------

QPrinter& CKymoView::Printer() {
    if (!m_pPrinter) m_pPrinter = new QPrinter(QPrinter::HighResolution);
    return *m_pPrinter;
}

void CKymoView::PrintDocument(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    DrawTarget target;
    target.printing = true;
    target.scale = printer.resolution() / 100.0;
    target.size = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    DrawDocumentView(painter, m_doc, m_state, target);
    painter.end();
}

void CKymoView::OnFilePrint() {
    QPrintDialog dlg(&Printer(), this);
    if (dlg.exec() != QDialog::Accepted) return;
    PrintDocument(Printer());
}

void CKymoView::OnFilePrintPreview() {
    QPrintPreviewDialog dlg(&Printer(), this);
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintDocument(*printer); });
    dlg.exec();
}

void CKymoView::OnFilePrintSetup() {
    QPageSetupDialog dlg(&Printer(), this);
    dlg.exec();
}
