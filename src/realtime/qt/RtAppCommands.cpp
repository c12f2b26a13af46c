// Desktop handlers of the real-time filter tools: the FIR tools (window method, Kaiser,
// coefficient file, free-form) and their "ﾌｨﾙﾀｰﾘﾝｸﾞ開始", the IIR tools (biquad, cascade,
// coefficient file) and theirs. The Remez tools are in app/RemezBiquadAppCommands.cpp.
#include "app/AppCommands.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/CommandRules.h"
#include "realtime/qt/CCoefFileDlgs.h"
#include "realtime/qt/CFreeFilterDlg.h"
#include "realtime/qt/CIirToolDlgs.h"
#include "realtime/qt/CRtFirDlg.h"
#include "sound/engine/SoundReports.h"
#include "sound/qt/ChosenCard.h"

namespace {

template <class Dlg> void RunTool(AppCommandContext& ctx) {
    ISoundCard* card = ChosenCard(ctx);
    if (!card) {
        ReportNoSoundCard(ctx.doc.Ui());
        return;
    }
    Dlg dlg(ctx.doc, *card, ctx.parent);
    dlg.exec();
}

template <class Dlg> void RunFirTool(AppCommandContext& ctx, int commandId) {
    ctx.doc.m_nFirType = FirTypeForCommand(commandId);
    RunTool<Dlg>(ctx);
}

template <class Dlg> void RunIirTool(AppCommandContext& ctx, int commandId) {
    ctx.doc.m_nIirType = IirTypeForCommand(commandId);
    RunTool<Dlg>(ctx);
}

// The command of a FIR kind: its tool's menu item, the window-method tool for the others.
int FirToolCommand(int firType) {
    switch (firType) {
    case 5:
        return cmd::ID_RT_FIR_EASY_REMEZ;
    case 6:
        return cmd::ID_RT_FIR_KAISER;
    case 8:
        return cmd::ID_RT_FIR_COEF;
    case 9:
        return cmd::ID_RT_FIR_REMEZ;
    case 10:
        return cmd::ID_RT_FIR_FREE_FORM;
    case 11:
        return cmd::ID_RT_FIR_LMS;
    default:
        return 0;
    }
}

void ReopenFirTool(AppCommandContext& ctx) {
    const int id = FirToolCommand(ctx.doc.m_nFirType);
    if (const AppCommandHandler* h = id ? FindAppCommand(id) : nullptr) {
        (*h)(ctx);
        return;
    }
    RunTool<CRtFirDlg>(ctx);
}

} // namespace

SONALYX_APP_COMMAND(cmd::ID_RT_FIR_RECT, ctx) {
    RunFirTool<CRtFirDlg>(ctx, cmd::ID_RT_FIR_RECT);
}
SONALYX_APP_COMMAND(cmd::ID_RT_FIR_BARTLETT, ctx) {
    RunFirTool<CRtFirDlg>(ctx, cmd::ID_RT_FIR_BARTLETT);
}
SONALYX_APP_COMMAND(cmd::ID_RT_FIR_BLACKMAN_OPT, ctx) {
    RunFirTool<CRtFirDlg>(ctx, cmd::ID_RT_FIR_BLACKMAN_OPT);
}
SONALYX_APP_COMMAND(cmd::ID_RT_FIR_HAMMING, ctx) {
    RunFirTool<CRtFirDlg>(ctx, cmd::ID_RT_FIR_HAMMING);
}
SONALYX_APP_COMMAND(cmd::ID_RT_FIR_HANNING, ctx) {
    RunFirTool<CRtFirDlg>(ctx, cmd::ID_RT_FIR_HANNING);
}
SONALYX_APP_COMMAND(cmd::ID_RT_FIR_KAISER, ctx) {
    RunFirTool<CRtKaiserDlg>(ctx, cmd::ID_RT_FIR_KAISER);
}
SONALYX_APP_COMMAND(cmd::ID_RT_FIR_COEF, ctx) {
    RunFirTool<CCoefFirDlg>(ctx, cmd::ID_RT_FIR_COEF);
}
SONALYX_APP_COMMAND(cmd::ID_RT_FIR_FREE_FORM, ctx) {
    RunFirTool<CFreeFilterDlg>(ctx, cmd::ID_RT_FIR_FREE_FORM);
}
SONALYX_APP_COMMAND(cmd::ID_RT_FIR_START, ctx) {
    ReopenFirTool(ctx);
}
SONALYX_APP_COMMAND(cmd::ID_RT_FIR_START_TB, ctx) {
    ReopenFirTool(ctx);
}

SONALYX_APP_COMMAND(cmd::ID_RT_IIR_BIQUAD, ctx) {
    RunIirTool<CRtBiquadDlg>(ctx, cmd::ID_RT_IIR_BIQUAD);
}
SONALYX_APP_COMMAND(cmd::ID_RT_IIR_CASCADE, ctx) {
    RunIirTool<CCascadeIirDlg>(ctx, cmd::ID_RT_IIR_CASCADE);
}
SONALYX_APP_COMMAND(cmd::ID_RT_IIR_COEF, ctx) {
    RunIirTool<CCoefIirDlg>(ctx, cmd::ID_RT_IIR_COEF);
}
SONALYX_APP_COMMAND(cmd::ID_RT_IIR_START, ctx) {
    switch (ctx.doc.m_nIirType) {
    case 0:
        RunTool<CRtBiquadDlg>(ctx);
        break;
    case 1:
        RunTool<CCascadeIirDlg>(ctx);
        break;
    default:
        RunTool<CCoefIirDlg>(ctx);
        break;
    }
}
