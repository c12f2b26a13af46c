#include "AppTestSupport.h"

#include "app/CMainFrame.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/ScriptedUi.h"
#include "sound/devices/VirtualSoundCard.h"
#include "sound/qt/CAppSound.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using namespace cmd;

namespace {

class AppSound : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestApp();
        ClearAppSettings();
        StoreSoundDevice(QStringLiteral("virtual"), QString());
        frame = std::make_unique<CMainFrame>(&ui);
        ASSERT_TRUE(frame->OpenDocumentFile(WriteTestWav("play.wav", 2, 4800)));
    }
    CDeviceWavePlayer& Player() { return frame->Sound().Player(); }

    CScriptedUi ui;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace

// "再生" plays the image once on the chosen card: the device's completions are dispatched on the
// user-interface thread until the last buffer has played.
TEST_F(AppSound, PlayRunsToTheEndOnTheVirtualCard) {
    long long played = 0;
    Player().SetPlayTap([&](const std::uint8_t*, std::size_t bytes) { played += bytes; });
    frame->OnCommand(ID_PLAY);
    EXPECT_TRUE(ui.messages.empty()) << ui.MessageTexts()[0];
    EXPECT_TRUE(Player().IsPlaying());
    EXPECT_EQ(Player().Format().samplesPerSec, 48000);
    ASSERT_TRUE(RunEventsUntil([&] { return !Player().IsPlaying(); }));
    EXPECT_EQ(played, 4800 * 4);
}

// "繰り返し再生" keeps going past the end until "停止".
TEST_F(AppSound, RepeatPlaysUntilStopped) {
    long long played = 0;
    Player().SetPlayTap([&](const std::uint8_t*, std::size_t bytes) { played += bytes; });
    frame->OnCommand(ID_PLAY_REPEAT);
    ASSERT_TRUE(RunEventsUntil([&] { return played > 3 * 4800 * 4; }));
    EXPECT_TRUE(Player().IsPlaying());
    frame->OnCommand(ID_PLAY_STOP);
    EXPECT_FALSE(Player().IsPlaying());
    EXPECT_TRUE(ui.messages.empty());
}

// The environment overrides the stored device for the session; the card follows it.
TEST_F(AppSound, EnvironmentOverridesTheStoredDevice) {
    SoundDeviceChoice stored;
    stored.device = "no such device";
    frame->Sound().SetStoredChoice(stored);
    EXPECT_FALSE(frame->Sound().IsOverridden());
    ASSERT_EQ(setenv(kAudioDeviceVariable, "virtual", 1), 0);
    EXPECT_TRUE(frame->Sound().IsOverridden());
    EXPECT_TRUE(frame->Sound().EffectiveChoice().IsVirtual());
    ISoundCard* card = frame->Sound().Card();
    unsetenv(kAudioDeviceVariable);
    ASSERT_NE(card, nullptr);
    // Without the override the stored device is looked for and not found.
    EXPECT_EQ(frame->Sound().Card(), nullptr);
    EXPECT_FALSE(frame->Sound().LastError().empty());
    frame->OnCommand(ID_SPECTRUM_ANALYZER);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, frame->Sound().LastError());
    EXPECT_EQ(ui.messages[1].text.rfind("サウンドカードがないのでは！！", 0), 0u);
}

// A virtual card chosen without a text of its own hears the default source.
TEST_F(AppSound, DefaultDutTextIsAccepted) {
    ClearAppSettings();
    CMainFrame fresh(&ui);
    EXPECT_EQ(fresh.Sound().StoredChoice().dut, CAppSound::kDefaultDutText);
    std::string error;
    EXPECT_TRUE(CVirtualSoundCard::Create(CAppSound::kDefaultDutText, VirtualClock::Fast, error))
        << error;
}
