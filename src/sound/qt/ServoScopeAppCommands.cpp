// Desktop handlers of the servo analyzer (menu and toolbar), the oscilloscope and the signal
// generator (menu and toolbar): the document's set-up, the modal panel, the finish step.
#include "app/AppCommands.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "sound/engine/SoundReports.h"
#include "sound/qt/COscilloDlg.h"
#include "sound/qt/CServoAnaDlg.h"
#include "sound/qt/CSigGenDlg.h"
#include "sound/qt/ChosenCard.h"

namespace {

void ServoAnalyzer(AppCommandContext& ctx, bool fromToolbar) {
    ISoundCard* card = ChosenCard(ctx);
    if (!ctx.doc.BeginServoAnalyzer(card, fromToolbar)) return;
    {
        CServoAnaDlg dlg(ctx.doc, *card, ctx.parent);
        dlg.exec();
    }
    ctx.doc.FinishServoAnalyzer();
}

// The oscilloscope and the signal generator: a card, the set-up, the panel, the finish step.
template <class Dialog> void ScopeInstrument(AppCommandContext& ctx, int (CKymoDoc::*begin)()) {
    ISoundCard* card = ChosenCard(ctx);
    if (!card) {
        ReportNoSoundCard(ctx.doc.Ui());
        return;
    }
    if (!(ctx.doc.*begin)()) return;
    {
        Dialog dlg(ctx.doc, *card, ctx.parent);
        dlg.exec();
    }
    ctx.doc.FinishOscilloscope();
}

} // namespace

SONALYX_APP_COMMAND(cmd::ID_SERVO_ANALYZER, ctx) {
    ServoAnalyzer(ctx, false);
}
SONALYX_APP_COMMAND(cmd::ID_SERVO_ANALYZER_TB, ctx) {
    ServoAnalyzer(ctx, true);
}

SONALYX_APP_COMMAND(cmd::ID_OSCILLOSCOPE, ctx) {
    ScopeInstrument<COscilloDlg>(ctx, &CKymoDoc::BeginOscilloscope);
}

SONALYX_APP_COMMAND(cmd::ID_SIGNAL_GENERATOR, ctx) {
    ScopeInstrument<CSigGenDlg>(ctx, &CKymoDoc::BeginSignalGenerator);
}
SONALYX_APP_COMMAND(cmd::ID_SIGNAL_GENERATOR_TB, ctx) {
    ScopeInstrument<CSigGenDlg>(ctx, &CKymoDoc::BeginSignalGenerator);
}
