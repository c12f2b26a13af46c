// Desktop handlers of the correlation meter (auto- and cross-correlation) and the 3D spectrum
// analyzer (menu Linear/Log and the toolbar), with the control dialog after a 3D measurement.
#include "app/AppCommands.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "sound/qt/CCorrDlg.h"
#include "sound/qt/CSpec3DDlg.h"
#include "sound/qt/CSpec3DViewDlg.h"
#include "sound/qt/ChosenCard.h"
#include "sound/spectrum3d/Spec3DPanel.h"

namespace {

void CorrelationMeter(AppCommandContext& ctx, bool cross) {
    ISoundCard* card = ChosenCard(ctx);
    if (!ctx.doc.BeginCorrelationMeter(card, cross)) return;
    {
        CCorrDlg dlg(ctx.doc, *card, ctx.parent);
        dlg.exec();
    }
    ctx.doc.FinishSpectrumAnalyzer();
}

void Spectrum3d(AppCommandContext& ctx, bool logAxis, bool fromToolbar) {
    ISoundCard* card = ChosenCard(ctx);
    if (!ctx.doc.Begin3dSpectrum(card, logAxis, fromToolbar)) return;
    bool measured = false;
    {
        CSpec3DDlg dlg(ctx.doc, *card, ctx.parent);
        dlg.exec();
        measured = dlg.Panel().HasMeasured();
    }
    ctx.doc.Finish3dSpectrum(measured);
    if (!measured) return;
    CSpec3DViewDlg control(ctx.doc, ctx.parent);
    control.exec();
}

} // namespace

SONALYX_APP_COMMAND(cmd::ID_AUTOCORR_METER, ctx) {
    CorrelationMeter(ctx, false);
}
SONALYX_APP_COMMAND(cmd::ID_CROSSCORR_METER, ctx) {
    CorrelationMeter(ctx, true);
}
SONALYX_APP_COMMAND(cmd::ID_SPECTRUM_3D_LINEAR, ctx) {
    Spectrum3d(ctx, false, false);
}
SONALYX_APP_COMMAND(cmd::ID_SPECTRUM_3D_LOG, ctx) {
    Spectrum3d(ctx, true, false);
}
SONALYX_APP_COMMAND(cmd::ID_SPECTRUM_3D_TB, ctx) {
    Spectrum3d(ctx, true, true);
}
