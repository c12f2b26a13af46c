#include "document/AudioFile.h"
#include "document/ByteOrder.h"
#include "document/ScriptedUi.h"
#include "dsp/Tsp.h"
#include "sound/audio/AudioItems.h"
#include "sound/audio/AudioMessages.h"
#include "sound/audio/AudioResults.h"
#include "sound/audio/AudioSignals.h"
#include "sound/audio/AudioTestFile.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr int kT = audio::kTspPoints;

CAudioResults FullRun() {
    CAudioResults r;
    r.m_nRate = 44100;
    r.m_nWidthCode = 3;
    for (int i = 0; i < 22; ++i) r.m_fResult[i] = -1.5f * i + 0.25f;
    r.m_nFlags = {1, 1, 0, 1, 1, 1};
    std::vector<float> curve(kT);
    for (int c = 0; c < 14; ++c) {
        for (int k = 0; k < kT; ++k) curve[k] = static_cast<float>(c * 1000 + k) * 0.5f;
        EXPECT_TRUE(r.Append(curve.data()));
    }
    return r;
}

void Patch32(const std::string& path, std::size_t offset, std::uint32_t value) {
    auto bytes = TempDir::ReadFile(path);
    WriteLe32(bytes.data() + offset, value);
    TempDir::WriteFile(path, bytes);
}

} // namespace

TEST(AudioResultsFile, RoundTripKeepsEveryCurveAndResult) {
    TempDir dir;
    const std::string path = dir.Path("run.opr");
    const CAudioResults run = FullRun();
    CScriptedUi ui;
    ASSERT_EQ(SaveAudioResults(ui, path, run), 1);
    EXPECT_EQ(TempDir::ReadFile(path).size(), 128u + 4u * 14 * kT);
    CAudioResults back;
    ASSERT_EQ(LoadAudioResults(ui, path, back), 1);
    EXPECT_EQ(back.m_fResult, run.m_fResult);
    EXPECT_EQ(back.m_nFlags, run.m_nFlags);
    EXPECT_EQ(back.m_nRate, 44100);
    EXPECT_EQ(back.m_nWidthCode, 3);
    ASSERT_GE(back.m_fStore.size(), 16u * kT);
    for (std::size_t i = 0; i < 14u * kT; ++i) ASSERT_EQ(back.m_fStore[i], run.m_fStore[i]) << i;
    // The crosstalk ratio curves sit 4 curves after the item's first.
    EXPECT_EQ(back.ItemCurves(CAudioResults::Crosstalk, 4)[0], 12 * 1000 * 0.5f);
    // After a load a complete run still has room for its 16 curves.
    back.Rewind();
    std::vector<float> curve(kT, 1.0f);
    for (int c = 0; c < CAudioResults::kRunCurves; ++c) EXPECT_TRUE(back.Append(curve.data()));
    EXPECT_FALSE(back.Append(curve.data()));
}

TEST(AudioResultsFile, EveryMalformedHeaderFieldIsRefusedAndChangesNothing) {
    const struct {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
        const char* message;
    } cases[] = {
        {"s", 4, 6, audiomsg::kLoadFailedHeader},
        {"s negative", 4, 0xFFFFFFFFu, audiomsg::kLoadFailedHeader},
        {"rate", 8, 22050, audiomsg::kLoadFailedHeader},
        {"width 0", 12, 0, audiomsg::kLoadFailedHeader},
        {"width 4", 12, 4, audiomsg::kLoadFailedHeader},
        {"flag 2", 104, 2, audiomsg::kLoadFailedHeader},
        {"flag -1", 124, 0xFFFFFFFFu, audiomsg::kLoadFailedHeader},
        {"flag adds curves beyond the file", 112, 1, audiomsg::kLoadFailedCurves},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string path = dir.Path("bad.opr");
        CScriptedUi ui;
        ASSERT_EQ(SaveAudioResults(ui, path, FullRun()), 1);
        Patch32(path, c.offset, c.value);
        CAudioResults kept;
        kept.m_nFlags = {0, 1, 0, 0, 0, 0};
        kept.m_fResult[3] = 7.0f;
        kept.m_fStore[5] = 9.0f;
        const CAudioResults before = kept;
        ui.Clear();
        EXPECT_EQ(LoadAudioResults(ui, path, kept), 0) << c.what;
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().text, c.message) << c.what;
        EXPECT_EQ(kept.m_nFlags, before.m_nFlags) << c.what;
        EXPECT_EQ(kept.m_fResult, before.m_fResult) << c.what;
        EXPECT_EQ(kept.m_fStore, before.m_fStore) << c.what;
    }
}

TEST(AudioTestFile, SizesAndSectionsOfTheMeasureFile) {
    TempDir dir;
    AudioTestSettings s;
    s.rate = 44100;
    s.widthCode = 1;
    s.thdFreq = 1000;
    const std::string path = dir.Path("m.wav");
    ASSERT_TRUE(WriteAudioTestFile(path, s, true));
    const auto bytes = TempDir::ReadFile(path);
    ASSERT_EQ(bytes.size(), 56u + 12582912u);
    EXPECT_EQ(ReadLe32(bytes.data() + 52), 12582912u);
    const auto sample = [&](int block, int frame, int ch) {
        std::int16_t v;
        std::memcpy(&v,
                    bytes.data() + 56 +
                        (static_cast<std::size_t>(block) * audio::kSinePoints + frame) * 4 + ch * 2,
                    2);
        return static_cast<int>(v);
    };
    const auto sine = [&](double f, long long n, double amp) {
        return static_cast<int>(std::trunc(amp * std::sin(6.283185307179586 * f * n / 44100)));
    };
    EXPECT_EQ(sample(0, 100, 0), sine(1000, 100, 32767));
    EXPECT_EQ(sample(49, 7, 1), sine(1000, 49LL * 16384 + 7, 32767));
    EXPECT_EQ(sample(53, 1000, 0), 0);
    // TSP twice per block, a = 62.5.
    const std::vector<float> tsp = MakeTsp(kT, kT / 4);
    EXPECT_EQ(sample(57, 123, 0), static_cast<int>(62.5 * tsp[123]));
    EXPECT_EQ(sample(60, kT + 123, 1), sample(57, 123, 1));
    // Every section restarts at n = 0.
    EXPECT_EQ(sample(102, 30, 0), sine(1000, 30, 32.767));
    EXPECT_EQ(sample(132, 30, 0), sine(1000, 30, 32767));
    EXPECT_EQ(sample(132, 30, 1), sine(10000, 30, 32767));
    EXPECT_EQ(sample(147, 30, 0), sine(10000, 30, 32767));
    EXPECT_EQ(sample(162, 5, 0), 0);
    EXPECT_EQ(sample(177, 5, 1), 0);
    EXPECT_EQ(sample(177, 5, 0), static_cast<int>(150.0 * tsp[5]));
}

TEST(AudioTestFile, PackedTwentyFourBitReference) {
    TempDir dir;
    AudioTestSettings s;
    s.rate = 48000;
    s.widthCode = 2;
    const std::string path = dir.Path("r.wav");
    ASSERT_TRUE(WriteAudioTestFile(path, s, false));
    const auto bytes = TempDir::ReadFile(path);
    ASSERT_EQ(bytes.size(), 56u + 16384u * 6 * 192);
    EXPECT_EQ(ReadLe16(bytes.data() + 34), 24u);
    const long long n = 12345;
    const auto v = static_cast<std::int32_t>(
        std::trunc(2147483647.0 * std::sin(6.283185307179586 * 1000 * n / 48000)));
    const std::uint8_t* p = bytes.data() + 56 + n * 6 + 3;
    const std::int32_t got = static_cast<std::int32_t>((static_cast<std::uint32_t>(p[0]) << 8) |
                                                       (static_cast<std::uint32_t>(p[1]) << 16) |
                                                       (static_cast<std::uint32_t>(p[2]) << 24));
    EXPECT_EQ(got, static_cast<std::int32_t>(static_cast<std::uint32_t>(v) & 0xFFFFFF00u));
}

TEST(AudioTestFile, SaveAnnouncesAndGoesOnAfterACancel) {
    TempDir dir;
    CScriptedUi ui;
    ui.fileAnswers.push_back(std::nullopt);
    ui.fileAnswers.push_back(dir.Path("MeasurSig.wav"));
    AudioTestSettings s;
    s.rate = 44100;
    EXPECT_EQ(SaveAudioTestFiles(ui, s), 1);
    ASSERT_GE(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, "ﾌﾙｽﾍﾟｯｸ測定でFS=44kHz ﾋﾞｯﾄ幅=16 ﾋﾞｯﾄ ﾃﾞｰﾀｰ長=16384\n"
                                   "にて再生専用測定Waveﾌｧｲﾙを作成します。");
    EXPECT_EQ(ui.messages[1].text, audiomsg::kTestFileNotWritten);
    EXPECT_EQ(TempDir::ReadFile(dir.Path("MeasurSig.wav")).size(), 56u + 12582912u);
}
