#include "sound/settings/OffsetAdjuster.h"

#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "sound/devices/VirtualSoundCard.h"
#include "sound/engine/SoundDuplex.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kRunning = "オフセット調整中です";
constexpr int kRate = 48000;

// A stereo source whose level steps every second: second k holds step1 * k counts on channel 1
// and step2 * k on channel 2, so every capture buffer has a mean of its own.
std::string WriteStaircase(const TempDir& dir, int step1, int step2, int seconds) {
    std::vector<int> samples;
    samples.reserve(static_cast<std::size_t>(seconds) * kRate * 2);
    for (int k = 0; k < seconds; ++k)
        for (int i = 0; i < kRate; ++i) {
            samples.push_back(step1 * k);
            samples.push_back(step2 * k);
        }
    WavFormat f;
    const std::string path = dir.Path("staircase.wav");
    TempDir::WriteFile(path, BuildWav(f, samples));
    return path;
}

class OffsetAdjust : public ::testing::Test {
protected:
    void MakeCard(const std::string& dut) {
        std::string error;
        card = CVirtualSoundCard::Create(dut, VirtualClock::Fast, error);
        ASSERT_TRUE(card) << error;
        adjuster = std::make_unique<COffsetAdjuster>(doc, *card);
    }
    // Drives the card until the adjustment stopped (or nothing comes any more).
    void RunToEnd() {
        for (int guard = 0; adjuster->IsAdjusting() && guard < 100000; ++guard)
            if (!adjuster->RunOnce(std::chrono::milliseconds(0))) break;
    }

    CScriptedUi ui;
    CKymoDoc doc{ui};
    TempDir dir;
    std::unique_ptr<CVirtualSoundCard> card;
    std::unique_ptr<COffsetAdjuster> adjuster;
};

// The fifth buffer (16 bits: seconds 12 to 14, 8 bits: seconds 8 and 9) gives the offsets.
// 16 bits: means 256 * 13 = 3328 and -128 * 13 = -1664 counts;
//   trunc(3328 * 100000 / 32768) / 1000 = 10.156, trunc(-1664 * 100000 / 32768) / 1000 = -5.078.
// 8 bits: the card hears k and round(-k / 2) (halves away from zero): means 8.5 and -4.5;
//   trunc(8.5 * 100000 / 128) / 1000 = 6.640, trunc(-4.5 * 100000 / 128) / 1000 = -3.515.
TEST_F(OffsetAdjust, OffsetsComeFromTheFifthBufferAndTheCaptureStopsOnTheSixth) {
    const std::string wav = WriteStaircase(dir, 256, -128, 20);
    MakeCard("in1=src;in2=src;src=wav:" + wav);
    const struct {
        int bits;
        float left, right;
        std::uint32_t bufferBytes;
    } cases[] = {{16, 10.156f, -5.078f, 3 * kRate * 4}, {8, 6.640f, -3.515f, 2 * kRate * 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        ASSERT_TRUE(adjuster->OnStart(c.bits)) << ::testing::PrintToString(ui.MessageTexts());
        EXPECT_TRUE(adjuster->IsAdjusting());
        EXPECT_FALSE(adjuster->ButtonsEnabled());
        EXPECT_EQ(adjuster->Engine().BufferBytes(), c.bufferBytes);
        EXPECT_EQ(adjuster->Progress(), 0);
        RunToEnd();
        EXPECT_FALSE(adjuster->IsAdjusting());
        EXPECT_FALSE(adjuster->Engine().IsOpen());
        EXPECT_TRUE(adjuster->ButtonsEnabled());
        EXPECT_GE(adjuster->BufferCounter(), 6);
        EXPECT_EQ(adjuster->Progress(), 15);
        EXPECT_FLOAT_EQ(adjuster->Offset(c.bits, 1), c.left);
        EXPECT_FLOAT_EQ(adjuster->Offset(c.bits, 2), c.right);
    }
    EXPECT_EQ(adjuster->OffsetText(16, 1), "10.156");
    EXPECT_EQ(adjuster->OffsetText(8, 2), "-3.515");
    EXPECT_TRUE(ui.messages.empty());
    // Nothing reaches the document before "終了".
    EXPECT_EQ(doc.m_fOffset16L, 0.0f);
    adjuster->Close();
    EXPECT_FLOAT_EQ(doc.m_fOffset16L, 10.156f);
    EXPECT_FLOAT_EQ(doc.m_fOffset16R, -5.078f);
    EXPECT_FLOAT_EQ(doc.m_fOffset8L, 6.640f);
    EXPECT_FLOAT_EQ(doc.m_fOffset8R, -3.515f);
}

TEST_F(OffsetAdjust, ProgressFollowsTheBuffers) {
    MakeCard("in1=src;in2=src;src=tone:0:655.36:90");
    ASSERT_TRUE(adjuster->OnStart(16));
    std::vector<int> seen{adjuster->Progress()};
    while (adjuster->IsAdjusting() && adjuster->RunOnce(std::chrono::milliseconds(0)))
        if (seen.empty() || seen.back() != adjuster->Progress())
            seen.push_back(adjuster->Progress());
    EXPECT_EQ(seen, (std::vector<int>{0, 3, 6, 9, 12, 15}));
    // round(655.36) = 655 counts: trunc(655 * 100000 / 32768) / 1000.
    EXPECT_FLOAT_EQ(adjuster->Offset(16, 1), 1.998f);
    EXPECT_FLOAT_EQ(adjuster->Offset(16, 2), 1.998f);
}

TEST_F(OffsetAdjust, StartWhileAdjustingIsRefused) {
    MakeCard("in1=src;in2=src;src=tone:0:655.36:90");
    ASSERT_TRUE(adjuster->OnStart(8));
    EXPECT_FALSE(adjuster->OnStart(16));
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{kRunning});
    EXPECT_TRUE(adjuster->IsAdjusting());
    EXPECT_EQ(adjuster->Engine().Format().bitsPerSample, 8);
}

TEST_F(OffsetAdjust, DeviceThatDoesNotOpenSaysAdjustingAndLeavesTheButtonsEnabled) {
    MakeCard("fault=open");
    EXPECT_FALSE(adjuster->OnStart(16));
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{kRunning});
    EXPECT_FALSE(adjuster->IsAdjusting());
    EXPECT_TRUE(adjuster->ButtonsEnabled());
    EXPECT_FALSE(adjuster->Engine().IsOpen());
}

TEST_F(OffsetAdjust, DeviceThatDoesNotStartIsReleased) {
    MakeCard("fault=start");
    EXPECT_FALSE(adjuster->OnStart(8));
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"waveInStart_FALSE!!", kRunning}));
    EXPECT_TRUE(adjuster->ButtonsEnabled());
    EXPECT_FALSE(adjuster->Engine().IsOpen());
}

TEST_F(OffsetAdjust, ClosingWhileAdjustingStopsFirstAndStores) {
    doc.m_fOffset16L = 4.0f;
    MakeCard("in1=src;in2=src;src=tone:0:655.36:90");
    ASSERT_TRUE(adjuster->OnStart(16));
    adjuster->RunOnce(std::chrono::milliseconds(0));
    adjuster->Close();
    EXPECT_FALSE(adjuster->IsAdjusting());
    EXPECT_FALSE(adjuster->Engine().IsOpen());
    EXPECT_EQ(doc.m_fOffset16L, 4.0f); // no fifth buffer came
}

TEST_F(OffsetAdjust, DefaultsAndCancel) {
    doc.m_fOffset8L = 1.5f;
    doc.m_fOffset8R = -2.0f;
    doc.m_fOffset16L = 0.25f;
    doc.m_fOffset16R = 3.0f;
    MakeCard("");
    EXPECT_EQ(adjuster->OffsetText(8, 1), "1.5");
    EXPECT_EQ(adjuster->OffsetText(16, 2), "3");
    adjuster->OnDefaults();
    for (int bits : {8, 16})
        for (int ch : {1, 2}) EXPECT_EQ(adjuster->Offset(bits, ch), 0.0f);
    adjuster->Cancel();
    EXPECT_EQ(doc.m_fOffset8L, 1.5f);
    adjuster->Close();
    EXPECT_EQ(doc.m_fOffset8L, 0.0f);
    EXPECT_EQ(doc.m_fOffset16R, 0.0f);
}

} // namespace
