// Desktop handlers of the commands on the wave held: sample count, channel selection, back to
// wave, playback, the servo-chip entries, manuals, demonstration and sound volume.
#include "app/AppCommands.h"
#include "app/dialogs/CSampleCountDlg.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"

namespace {
void SampleCount(AppCommandContext& ctx) {
    CSampleCountDlg dlg(ctx.doc.m_nPow, ctx.parent);
    if (dlg.exec() == QDialog::Accepted) ctx.doc.OnSampleCount(dlg.Pow());
}
} // namespace

SONALYX_APP_COMMAND(cmd::ID_SAMPLE_COUNT, ctx) {
    SampleCount(ctx);
}
SONALYX_APP_COMMAND(cmd::ID_SAMPLE_COUNT_TB, ctx) {
    SampleCount(ctx);
}

SONALYX_APP_COMMAND(cmd::ID_CHANNEL_1, ctx) {
    ctx.doc.OnSelectChannel(1);
}
SONALYX_APP_COMMAND(cmd::ID_CHANNEL_2, ctx) {
    ctx.doc.OnSelectChannel(2);
}
SONALYX_APP_COMMAND(cmd::ID_CHANNEL_BOTH, ctx) {
    ctx.doc.OnSelectChannel(3);
}

SONALYX_APP_COMMAND(cmd::ID_BACK_TO_WAVE, ctx) {
    ctx.doc.OnBackToWave();
}
SONALYX_APP_COMMAND(cmd::ID_BACK_TO_WAVE_TB, ctx) {
    ctx.doc.OnBackToWave();
}

SONALYX_APP_COMMAND(cmd::ID_PLAY, ctx) {
    ctx.doc.OnPlay(false);
}
SONALYX_APP_COMMAND(cmd::ID_PLAY_REPEAT, ctx) {
    ctx.doc.OnPlay(true);
}
SONALYX_APP_COMMAND(cmd::ID_PLAY_STOP, ctx) {
    ctx.doc.OnStopPlay();
}

SONALYX_APP_COMMAND(cmd::ID_CHIP_NEC_SERVO, ctx) {
    ctx.doc.OnServoChipNotOpen();
}
SONALYX_APP_COMMAND(cmd::ID_CHIP_MEDIATEK_SERVO, ctx) {
    ctx.doc.OnServoChipNotOpen();
}

SONALYX_APP_COMMAND(cmd::ID_MANUAL_MAIN, ctx) {
    ctx.doc.OnOpenManual(cmd::ID_MANUAL_MAIN);
}
SONALYX_APP_COMMAND(cmd::ID_MANUAL_AUDIO, ctx) {
    ctx.doc.OnOpenManual(cmd::ID_MANUAL_AUDIO);
}
SONALYX_APP_COMMAND(cmd::ID_MANUAL_TUBE, ctx) {
    ctx.doc.OnOpenManual(cmd::ID_MANUAL_TUBE);
}
SONALYX_APP_COMMAND(cmd::ID_DEMO, ctx) {
    ctx.doc.OnOpenManual(cmd::ID_DEMO);
}

SONALYX_APP_COMMAND(cmd::ID_SOUND_VOLUME, ctx) {
    ctx.doc.OnSoundVolume();
}
