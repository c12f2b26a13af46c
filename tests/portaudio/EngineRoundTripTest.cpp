// The tone round trip through the engine every instrument uses, on the PortAudio back-end and a
// PulseAudio null sink.
#include "PulseLoopFixture.h"
#include "ToneLoop.h"
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "sound/engine/SoundDuplex.h"
#include "sound/engine/SoundMessages.h"
#include "sound/portaudio/PortAudioCard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

namespace {

using namespace std::chrono_literals;

// Plays the tone instead of the copied input and keeps everything it records: the tone's first
// frame goes into the output buffer paired with the first recorded buffer, that is, to the device
// when one buffer had been recorded.
class ToneDuplex : public SoundDuplex {
public:
    using SoundDuplex::SoundDuplex;

    std::vector<std::int16_t> captured;

protected:
    void FillBuffers(int, std::uint8_t* in, std::uint8_t* out, std::uint32_t len) override {
        const auto* s = reinterpret_cast<const std::int16_t*>(in);
        captured.insert(captured.end(), s, s + len / 2);
        const long long frames = len / (2 * toneloop::kChannels);
        toneloop::Fill(out, m_played, frames);
        m_played += frames;
    }

private:
    long long m_played = 0;
};

} // namespace

TEST_F(PulseLoopTest, ToneRoundTripThroughTheEngine) {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    CPortAudioCard card;
    ToneDuplex engine{card, doc};
    engine.SetAnalysisSize(4, 0); // N = 2048: one block per buffer
    ASSERT_EQ(engine.initRSound(toneloop::kRate, 16, toneloop::kChannels, 2048), 1)
        << card.LastError();
    ASSERT_EQ(engine.StartRSound(), 1) << card.LastError();

    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (engine.captured.size() < 2u * toneloop::kRate * toneloop::kChannels &&
           engine.IsRunning() && std::chrono::steady_clock::now() < deadline)
        engine.RunOnce(500ms);
    const long long underruns = engine.OutputUnderruns();
    const long long bufferFrames = engine.BufferBytes() / engine.Format().blockAlign;
    ASSERT_TRUE(engine.IsRunning()) << "the engine stopped: " << card.LastError();
    EXPECT_EQ(engine.StopRSound(), 1);
    EXPECT_TRUE(ui.MessageTexts().empty());
    ASSERT_GE(engine.captured.size(), 2u * toneloop::kRate * toneloop::kChannels)
        << "the sound server did not deliver 2 s within the time allowed";

    const long long first = toneloop::FirstSound(engine.captured);
    ASSERT_GE(first, 0) << "nothing came back";
    const long long delay = first - bufferFrames - toneloop::kFirstSoundFrame;
    std::printf("engine loop delay through the null sink: %lld frames (%.1f ms) after the "
                "recorded buffer the tone answered; output gaps: %lld\n",
                delay, 1000.0 * static_cast<double>(delay) / toneloop::kRate, underruns);
    EXPECT_GT(delay, 0);
    EXPECT_LT(delay, toneloop::kRate);

    const long long frames = static_cast<long long>(engine.captured.size()) / toneloop::kChannels;
    const auto levels = toneloop::PeakLevels(engine.captured, first, frames - first);
    std::printf("engine captured peaks: ch1 %d / %d, ch2 %d / %d\n", levels.max1, levels.min1,
                levels.max2, levels.min2);
    EXPECT_NEAR(levels.max1, toneloop::kPeak1, 1);
    EXPECT_NEAR(levels.min1, -toneloop::kPeak1, 1);
    EXPECT_NEAR(levels.max2, toneloop::kPeak2, 1);
    EXPECT_NEAR(levels.min2, -toneloop::kPeak2, 1);
    if (toneloop::Unbroken(engine.captured, first + toneloop::kRate / 4))
        std::printf("from 0.25 s on the capture is one unbroken stretch of the tone\n");
}

TEST_F(PulseLoopTest, EngineStopsWithItsMessageWhenTheServerGoes) {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    CPortAudioCard card;
    SoundDuplex engine{card, doc};
    int stopped = 0;
    engine.SetStoppedListener([&] { ++stopped; });
    engine.SetAnalysisSize(4, 0);
    ASSERT_EQ(engine.initRSound(48000, 16, 2, 2048), 1) << card.LastError();
    ASSERT_EQ(engine.StartRSound(), 1) << card.LastError();
    auto deadline = std::chrono::steady_clock::now() + 30s;
    while (engine.Stats().buffers < 3 && std::chrono::steady_clock::now() < deadline)
        engine.RunOnce(500ms);
    ASSERT_GE(engine.Stats().buffers, 3);

    m_server.Kill();
    deadline = std::chrono::steady_clock::now() + 20s;
    while (engine.IsRunning() && std::chrono::steady_clock::now() < deadline) engine.RunOnce(500ms);
    EXPECT_FALSE(engine.IsRunning());
    EXPECT_FALSE(engine.IsOpen());
    EXPECT_EQ(stopped, 1);
    ASSERT_EQ(ui.MessageTexts().size(), 1u);
    EXPECT_EQ(ui.MessageTexts()[0].rfind(sndmsg::kDeviceLost, 0), 0u) << ui.MessageTexts()[0];
    EXPECT_EQ(engine.StopRSound(), 0);
}
