// Desktop handlers of file filtering with a Remez design or a biquad, and of the Remez tools.
#include "app/AppCommands.h"
#include "app/dialogs/CDetailRemezDlg.h"
#include "app/dialogs/CEasyRemezDlg.h"
#include "app/dialogs/CIirSettingDlg.h"
#include "app/dialogs/CRemezSettingDlg.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/CommandRules.h"
#include "filters/FileFilter.h"
#include "filters/RemezBiquadFileFilter.h"
#include "realtime/qt/RtRemezPanels.h"

// "Remez(&R)": the dialog designs on OK and stays open until the design converges; the taps
// then filter the wave.
SONALYX_APP_COMMAND(cmd::ID_FILE_FIR_REMEZ, ctx) {
    if (!CanRunFileFilter(ctx.doc)) return;
    ctx.doc.m_nFirType = FirTypeForCommand(cmd::ID_FILE_FIR_REMEZ);
    CRemezSettingDlg dlg(ctx.doc.Ui(), ctx.doc.m_RemezTable, ctx.doc.m_nFirTaps,
                         ctx.doc.m_nSamplesPerSec, ctx.parent);
    if (dlg.exec() != QDialog::Accepted) return;
    RunRemezFileFilter(ctx.doc, dlg.Table(), dlg.Taps());
}

SONALYX_APP_COMMAND(cmd::ID_FILE_IIR_BIQUAD, ctx) {
    if (!CanRunFileFilter(ctx.doc)) return;
    ctx.doc.m_nIirType = IirTypeForCommand(cmd::ID_FILE_IIR_BIQUAD);
    CIirSettingDlg dlg(ctx.doc.Ui(), LoadBiquadSettings(ctx.doc), ctx.doc.m_nSamplesPerSec,
                       ctx.parent);
    if (dlg.exec() != QDialog::Accepted) return;
    OnFilterBiquad(ctx.doc, dlg.Settings());
}

// The Remez tools: their design panels run the sound; their settings are kept in the document
// between openings.
SONALYX_APP_COMMAND(cmd::ID_RT_FIR_EASY_REMEZ, ctx) {
    ctx.doc.m_nFirType = FirTypeForCommand(cmd::ID_RT_FIR_EASY_REMEZ);
    CEasyRemezDlg dlg(ctx.doc.Ui(), ctx.doc.m_RemezTool.easy, ctx.parent);
    RunRemezPanel(ctx, dlg);
    ctx.doc.m_RemezTool.easy = dlg.Settings();
}

SONALYX_APP_COMMAND(cmd::ID_RT_FIR_REMEZ, ctx) {
    ctx.doc.m_nFirType = FirTypeForCommand(cmd::ID_RT_FIR_REMEZ);
    CDetailRemezDlg dlg(ctx.doc.Ui(), ctx.doc.m_RemezTool.table, ctx.doc.m_RemezTool.taps,
                        ctx.parent);
    RunRemezPanel(ctx, dlg);
    ctx.doc.m_RemezTool.table = dlg.Table();
    ctx.doc.m_RemezTool.taps = dlg.TapCount();
}
