// Desktop handlers of the LMS adaptive filter and the software radio.
#include "app/AppCommands.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/CommandRules.h"
#include "realtime/qt/CLmsDlg.h"
#include "realtime/qt/CRadioDlg.h"
#include "sound/engine/SoundReports.h"
#include "sound/qt/ChosenCard.h"

namespace {

template <class Dlg> void RunPanel(AppCommandContext& ctx) {
    ISoundCard* card = ChosenCard(ctx);
    if (!card) {
        ReportNoSoundCard(ctx.doc.Ui());
        return;
    }
    Dlg dlg(ctx.doc, *card, ctx.parent);
    dlg.exec();
}

} // namespace

SONALYX_APP_COMMAND(cmd::ID_RT_FIR_LMS, ctx) {
    ctx.doc.m_nFirType = FirTypeForCommand(cmd::ID_RT_FIR_LMS);
    RunPanel<CLmsDlg>(ctx);
}

SONALYX_APP_COMMAND(cmd::ID_RADIO, ctx) {
    RunPanel<CRadioDlg>(ctx);
}
