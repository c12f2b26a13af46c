#include "app/AveragingRunner.h"

#include "app/dialogs/CAveragingDlg.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/FileAnalysis.h"
#include "view/AveragingProgressPlot.h"
#include "view/DocumentView.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

bool g_bScheduled = false;

const bool g_bPaintersRegistered = [] {
    for (int k : {kind::SpectrumPending, kind::AutoCorrPending, kind::CrossCorrPending,
                  kind::TransferPending})
        RegisterKindPainter(k, &DrawAveragingProgress);
    return true;
}();

} // namespace

void RunPendingAnalysis(CKymoDoc& doc, QWidget* parent, const std::function<void()>& repaint) {
    if (AnalysisOfPendingKind(doc.disp_mode1) < 0 || doc.m_averaging.running) return;
    doc.disp_mode0 = subreq::ForwardResult;
    CAveragingDlg dlg(doc.AveragingMaxCount(), doc.Ui(), parent);
    if (dlg.exec() != QDialog::Accepted) {
        doc.OnCancelAveraging();
        return;
    }
    doc.RunAveragingPass(dlg.Count(), repaint);
}

void SchedulePendingAnalysis(CKymoDoc& doc, QWidget* view, std::function<void()> repaint) {
    if (g_bScheduled || doc.m_averaging.running) return;
    g_bScheduled = true;
    QPointer<QWidget> guard(view);
    CKymoDoc* pDoc = &doc;
    QTimer::singleShot(0, view, [guard, pDoc, repaint = std::move(repaint)] {
        g_bScheduled = false;
        if (guard) RunPendingAnalysis(*pDoc, guard, repaint);
    });
}
