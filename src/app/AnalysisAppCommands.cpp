// Desktop handlers of the file analyses and the correlation display settings.
#include "app/AppCommands.h"
#include "app/dialogs/CAnalysisSetupDlg.h"
#include "app/dialogs/CCorrDisplayDlg.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/FileAnalysis.h"

namespace {

void FileAnalysis(AppCommandContext& ctx, int which) {
    CKymoDoc& doc = ctx.doc;
    if (doc.disp_mode1 != kind::Wave) {
        doc.OnAnalyseRecord(which);
        return;
    }
    CAnalysisSetupDlg dlg(doc.m_nPow, doc.m_nWindowType, doc.m_nSamplesPerSec, doc.Ui(),
                          ctx.parent);
    if (dlg.exec() != QDialog::Accepted) return;
    doc.OnSetUpFileAnalysis(which, dlg.Setup());
}

} // namespace

SONALYX_APP_COMMAND(cmd::ID_FILE_SPECTRUM, ctx) {
    FileAnalysis(ctx, analysis::Spectrum);
}
SONALYX_APP_COMMAND(cmd::ID_FILE_AUTOCORR, ctx) {
    FileAnalysis(ctx, analysis::AutoCorr);
}
SONALYX_APP_COMMAND(cmd::ID_FILE_CROSSCORR, ctx) {
    FileAnalysis(ctx, analysis::CrossCorr);
}
SONALYX_APP_COMMAND(cmd::ID_FILE_SERVO, ctx) {
    FileAnalysis(ctx, analysis::Transfer);
}
SONALYX_APP_COMMAND(cmd::ID_FILE_SERVO_TB, ctx) {
    FileAnalysis(ctx, analysis::Transfer);
}
SONALYX_APP_COMMAND(cmd::ID_CORR_SETTINGS, ctx) {
    CCorrDisplayDlg dlg(ctx.doc, ctx.parent);
    dlg.exec();
}
