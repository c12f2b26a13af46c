// Desktop handlers of the audio measurement and the virtual tube amplifier: each runs its
// set-up on the chosen card, then its modal panel.
#include "app/AppCommands.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "sound/audio/AudioMeasPanel.h"
#include "sound/qt/CAudioMeasDlg.h"
#include "sound/qt/CTubeAmpDlg.h"
#include "sound/qt/ChosenCard.h"
#include "tube/TubeAmpPanel.h"

SONALYX_APP_COMMAND(cmd::ID_AUDIO_MEASUREMENT, ctx) {
    ISoundCard* card = ChosenCard(ctx);
    if (!BeginAudioMeasurement(ctx.doc, card)) return;
    {
        CAudioMeasDlg dlg(ctx.doc, *card, ctx.parent);
        dlg.exec();
    }
    FinishAudioMeasurement(ctx.doc);
}

SONALYX_APP_COMMAND(cmd::ID_TUBE_AMP, ctx) {
    ISoundCard* card = ChosenCard(ctx);
    if (!BeginTubeAmp(ctx.doc, card)) return;
    CTubeAmpDlg dlg(ctx.doc, *card, ctx.parent);
    dlg.exec();
}
