// Desktop handlers of the sound-card commands: the spectrum analyzer (menu and toolbar), the
// environment settings, the offset adjustment and the choice of the sound card.
#include "app/AppCommands.h"
#include "app/CMainFrame.h"
#include "app/FrameSettings.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "sound/engine/SoundReports.h"
#include "sound/portaudio/SoundDevices.h"
#include "sound/qt/CAppSound.h"
#include "sound/qt/CEnvSettingDlg.h"
#include "sound/qt/COffsetAdjustDlg.h"
#include "sound/qt/CSoundDeviceDlg.h"
#include "sound/qt/CSpecAnaDlg.h"
#include "sound/qt/ChosenCard.h"
#include "sound/settings/MeasMessages.h"

#include <QSettings>

#include <cstdlib>

ISoundCard* ChosenCard(AppCommandContext& ctx) {
    CAppSound& sound = ctx.frame.Sound();
    ISoundCard* card = sound.Card();
    if (!card && !sound.LastError().empty())
        ctx.doc.Ui().ShowMessage(sound.LastError(), MessageIcon::Error);
    return card;
}

namespace {

void SpectrumAnalyzer(AppCommandContext& ctx, bool fromToolbar) {
    ISoundCard* card = ChosenCard(ctx);
    if (!ctx.doc.BeginSpectrumAnalyzer(card, fromToolbar)) return;
    {
        CSpecAnaDlg dlg(ctx.doc, *card, ctx.parent);
        dlg.exec();
    }
    ctx.doc.FinishSpectrumAnalyzer();
}

} // namespace

SONALYX_APP_COMMAND(cmd::ID_SPECTRUM_ANALYZER, ctx) {
    SpectrumAnalyzer(ctx, false);
}
SONALYX_APP_COMMAND(cmd::ID_SPECTRUM_ANALYZER_TB, ctx) {
    SpectrumAnalyzer(ctx, true);
}

SONALYX_APP_COMMAND(cmd::ID_ENV_SETTINGS, ctx) {
    CEnvSettingDlg dlg(EnvSettings::FromDocument(ctx.doc), ctx.parent);
    const bool ok = dlg.exec() == QDialog::Accepted;
    CloseEnvSettings(ctx.doc, ok ? &dlg.Settings() : nullptr);
}

SONALYX_APP_COMMAND(cmd::ID_OFFSET_ADJUST, ctx) {
    ISoundCard* card = ChosenCard(ctx);
    if (!card) {
        ReportNoSoundCard(ctx.doc.Ui());
        return;
    }
    ctx.doc.Ui().ShowMessage(measmsg::kOffsetWarning);
    COffsetAdjustDlg dlg(ctx.doc, *card, ctx.parent);
    dlg.exec();
}

SONALYX_APP_COMMAND(cmd::ID_SOUND_DEVICE, ctx) {
    CAppSound& sound = ctx.frame.Sound();
    const char* env = std::getenv(kAudioDeviceVariable);
    CSoundDeviceDlg dlg(sound.StoredChoice(), ListSoundDevices(), env ? env : "", ctx.doc.Ui(),
                        ctx.parent);
    if (dlg.exec() != QDialog::Accepted) return;
    ctx.doc.OnStopPlay();
    sound.SetStoredChoice(dlg.Choice());
    const auto settings = OpenAppSettings();
    sound.Save(*settings);
}
