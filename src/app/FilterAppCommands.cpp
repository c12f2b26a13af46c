// Desktop handlers of "ﾌｨﾙﾀｰ処理(&F)", the filter help and the impulse-response export.
#include "app/AppCommands.h"
#include "app/dialogs/CFirHelpDlg.h"
#include "app/dialogs/CFirSettingDlg.h"
#include "app/dialogs/CKaiserSettingDlg.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/CommandRules.h"
#include "filters/FileFilter.h"
#include "filters/FileFilterCommands.h"

namespace {

// Choosing a window item stores its kind code, asks for the settings and filters.
void WindowFilter(AppCommandContext& ctx, int commandId) {
    if (!CanRunFileFilter(ctx.doc)) return;
    const int window = FirTypeForCommand(commandId);
    ctx.doc.m_nFirType = window;
    CFirSettingDlg dlg(LoadFirWindowSettings(ctx.doc), window, ctx.doc.m_nSamplesPerSec,
                       ctx.parent);
    if (dlg.exec() != QDialog::Accepted) return;
    OnFilterWindowFir(ctx.doc, window, dlg.Settings());
}

} // namespace

SONALYX_APP_COMMAND(cmd::ID_FILE_FIR_RECT, ctx) {
    WindowFilter(ctx, cmd::ID_FILE_FIR_RECT);
}
SONALYX_APP_COMMAND(cmd::ID_FILE_FIR_BARTLETT, ctx) {
    WindowFilter(ctx, cmd::ID_FILE_FIR_BARTLETT);
}
SONALYX_APP_COMMAND(cmd::ID_FILE_FIR_BLACKMAN_OPT, ctx) {
    WindowFilter(ctx, cmd::ID_FILE_FIR_BLACKMAN_OPT);
}
SONALYX_APP_COMMAND(cmd::ID_FILE_FIR_HAMMING, ctx) {
    WindowFilter(ctx, cmd::ID_FILE_FIR_HAMMING);
}
SONALYX_APP_COMMAND(cmd::ID_FILE_FIR_HANNING, ctx) {
    WindowFilter(ctx, cmd::ID_FILE_FIR_HANNING);
}

SONALYX_APP_COMMAND(cmd::ID_FILE_FIR_KAISER, ctx) {
    if (!CanRunFileFilter(ctx.doc)) return;
    ctx.doc.m_nFirType = FirTypeForCommand(cmd::ID_FILE_FIR_KAISER);
    CKaiserSettingDlg dlg(LoadKaiserSettings(ctx.doc), ctx.doc.m_nSamplesPerSec, ctx.parent);
    if (dlg.exec() != QDialog::Accepted) return;
    OnFilterKaiserFir(ctx.doc, dlg.Settings());
}

SONALYX_APP_COMMAND(cmd::ID_FILE_FIR_COEF, ctx) {
    if (!CanRunFileFilter(ctx.doc)) return;
    ctx.doc.m_nFirType = FirTypeForCommand(cmd::ID_FILE_FIR_COEF);
    OnFilterFirCoefFile(ctx.doc);
}

SONALYX_APP_COMMAND(cmd::ID_FILE_IIR_COEF, ctx) {
    if (!CanRunFileFilter(ctx.doc)) return;
    ctx.doc.m_nIirType = IirTypeForCommand(cmd::ID_FILE_IIR_COEF);
    OnFilterIirCoefFile(ctx.doc);
}

SONALYX_APP_COMMAND(cmd::ID_FILTER_HELP, ctx) {
    CFirHelpDlg dlg(ctx.parent);
    dlg.exec();
}

SONALYX_APP_COMMAND(cmd::ID_SAVE_IMPULSE_COEF, ctx) {
    OnSaveImpulseCoef(ctx.doc);
}
