#include "sound/generator/SigGenSynth.h"
#include "document/ScriptedUi.h"
#include "sound/generator/SigGenMessages.h"
#include "sound/generator/SigGenValidation.h"
#include "sound/generator/SigGenWaveFile.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

SigGenSettings Silent(int rate, int widthCode) {
    SigGenSettings s;
    for (SigGenSource& src : s.source) src.on = 0;
    s.rate = rate;
    s.widthCode = widthCode;
    return s;
}

void SetTone(SigGenSettings& s, int source, int f1, int db1, int f2, int db2) {
    s.source[source] = {1, 0, {f1, f2}, {db1, db2}};
}

// The sine term as the generator is specified: trunc(sin(2 pi n f / fs) * A * F).
long long SineTerm(long long n, int f, int fs, int db, double full) {
    const double a = std::pow(10.0, db * 0.05);
    return static_cast<long long>(std::trunc(std::sin(6.283185307179586 * n * f / fs) * a * full));
}

long long Read24(const std::uint8_t* p) {
    const std::int32_t v = static_cast<std::int32_t>((static_cast<std::uint32_t>(p[0]) << 8) |
                                                     (static_cast<std::uint32_t>(p[1]) << 16) |
                                                     (static_cast<std::uint32_t>(p[2]) << 24));
    return v >> 8;
}

long long ReadSample(const std::uint8_t* p, int bits) {
    if (bits == 16) return static_cast<std::int16_t>(p[0] | (p[1] << 8));
    if (bits == 24) return Read24(p);
    std::int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

struct FileCase {
    const char* name;
    int widthCode, rate, seconds;
    int sines; // how many sines are on (1 or 3); the square is on with 0
};

class SigGenFile : public ::testing::TestWithParam<FileCase> {};

// "Wave保存": the header is the 56-byte header of the width, the data length fs * seconds *
// bytes per frame, and every sample the specified formula (a wrapped sum of the terms).
TEST_P(SigGenFile, SamplesFollowTheFormulaBitForBit) {
    const FileCase c = GetParam();
    SigGenSettings s = Silent(c.rate, c.widthCode);
    s.recordSeconds = c.seconds;
    const int bits = c.widthCode == 1 ? 16 : c.widthCode == 2 ? 24 : 32;
    const double full = c.widthCode == 1 ? 32767.0 : 2147483647.0;
    if (c.sines == 0) {
        SetTone(s, siggen::kSquare, 1000, -6, 1500, -1);
    } else {
        SetTone(s, siggen::kSine1, 1000, -6, 440, -3);
        if (c.sines == 3) {
            SetTone(s, siggen::kSine2, 3001, -10, 20000, -20);
            SetTone(s, siggen::kSine3, 17, -1, 7, -96);
        }
    }
    TempDir dir;
    const std::string path = dir.Path("gen.wav");
    ASSERT_TRUE(WriteSigGenWave(path, s, 1));
    const std::vector<std::uint8_t> file = TempDir::ReadFile(path);
    const int frameBytes = 2 * bits / 8;
    const std::size_t data = static_cast<std::size_t>(c.rate) * c.seconds * frameBytes;
    ASSERT_EQ(file.size(), 56 + data);

    WavFormat f;
    f.rate = c.rate;
    f.bits = bits;
    f.factChunk = true;
    std::vector<std::uint8_t> header = BuildWav(f, {});
    // The builder's header with the data length of this file.
    const auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) header[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put32(4, static_cast<std::uint32_t>(56 + data - 8));
    put32(44, static_cast<std::uint32_t>(data));
    put32(52, static_cast<std::uint32_t>(data));
    ASSERT_EQ(header.size(), 56u);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));

    const int frames = c.rate * c.seconds;
    for (int n = 0; n < frames; ++n) {
        for (int ch = 0; ch < 2; ++ch) {
            std::uint32_t sum = 0;
            for (int g = 0; g < 3; ++g) {
                const SigGenSource& src = s.source[g];
                if (src.on)
                    sum += static_cast<std::uint32_t>(
                        SineTerm(n % c.rate, src.freq[ch], c.rate, src.level[ch], full));
            }
            const SigGenSource& sq = s.source[siggen::kSquare];
            if (sq.on) {
                const int period = c.rate / sq.freq[ch];
                const auto a = static_cast<long long>(std::pow(10.0, sq.level[ch] * 0.05) * full);
                sum += static_cast<std::uint32_t>(2 * (n % period) < period ? a : -a);
            }
            long long expected = c.widthCode == 1
                                     ? static_cast<std::int16_t>(static_cast<std::uint16_t>(sum))
                                     : static_cast<std::int32_t>(sum);
            if (c.widthCode == 2) expected >>= 8;
            const std::uint8_t* p =
                file.data() + 56 + static_cast<std::size_t>(n) * frameBytes + ch * bits / 8;
            ASSERT_EQ(ReadSample(p, bits), expected) << "frame " << n << " ch" << ch + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sound, SigGenFile,
    ::testing::Values(FileCase{"Sine16", 1, 48000, 2, 1}, FileCase{"Sine24", 2, 44100, 1, 1},
                      FileCase{"Sine32", 3, 96000, 1, 1}, FileCase{"ThreeSines16", 1, 44100, 2, 3},
                      FileCase{"ThreeSines32", 3, 48000, 1, 3},
                      FileCase{"Square16", 1, 44100, 1, 0}, FileCase{"Square24", 2, 96000, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Frames of `count` from a synthesiser started at `start`.
std::vector<std::int32_t> Frames(const SigGenSettings& s, std::uint64_t start, int count,
                                 std::uint32_t seed = 1) {
    CSigGenSynth synth;
    synth.Begin(s, seed, start);
    std::vector<std::int32_t> v;
    for (int i = 0; i < count; ++i) {
        std::int32_t a, b;
        synth.NextFrame(a, b);
        v.push_back(a);
        v.push_back(b);
    }
    return v;
}

// "Rect" at 1000 Hz and 44.1 kHz: 44100 div 1000 = 44 frames a period (1002.27 Hz), 22 high and
// 22 low; after ten hours (and past 2^32 frames) the periods are still exactly that.
TEST(SigGenSynth, SquareKeepsWholeHalfPeriodsForHours) {
    SigGenSettings s = Silent(44100, 1);
    SetTone(s, siggen::kSquare, 1000, 0, 1000, 0);
    EXPECT_NEAR(CSigGenSynth::SquareFrequency(44100, 1000), 1002.2727, 1e-4);
    for (std::uint64_t start : {0ull, 36000ull * 44100, (1ull << 32) - 7}) {
        const auto v = Frames(s, start - start % 44, 44 * 50);
        for (int i = 0; i < 44 * 50; ++i)
            ASSERT_EQ(v[2 * i], i % 44 < 22 ? 32767 : -32767)
                << "start " << start << " frame " << i;
    }
}

// An odd period puts the extra frame in the high half: 48000 div 2000 = 24, 48000 div 1999 = 24,
// 44100 div 1999 = 22, 96000 div 1001 = 95 (48 high, 47 low).
TEST(SigGenSynth, OddSquarePeriodIsHighForTheLongerHalf) {
    SigGenSettings s = Silent(96000, 1);
    SetTone(s, siggen::kSquare, 1001, 0, 1001, 0);
    const auto v = Frames(s, 0, 95);
    int high = 0;
    for (int i = 0; i < 95; ++i) high += v[2 * i] > 0;
    EXPECT_EQ(high, 48);
}

// The sine counter runs modulo the rate: far into a run the samples are those of n mod fs, and
// a sine at fs / 2 stays silent even at 32 bits.
TEST(SigGenSynth, SinePhaseStaysExactFarIntoARun) {
    SigGenSettings s = Silent(96000, 3);
    SetTone(s, siggen::kSine1, 1234, -3, 48000, 0);
    const auto early = Frames(s, 5000, 2000);
    const auto late = Frames(s, 96000ull * 3600 * 20 + 5000, 2000);
    EXPECT_EQ(early, late);
    for (int i = 0; i < 2000; ++i) ASSERT_EQ(late[2 * i + 1], 0) << i;
}

// Mono noise: both channels carry the same random sequence, each scaled by its own level; the
// 16-bit r is rand() * 2 wrapped into a signed 16-bit value.
TEST(SigGenSynth, MonoNoiseIsTheSameOnBothChannels) {
    SigGenSettings s = Silent(48000, 1);
    s.stereo = 0;
    s.source[siggen::kNoise] = {1, 0, {0, 0}, {0, 0}};
    const auto v = Frames(s, 0, 4000, 7);
    CRand15 rand(7);
    bool negative = false;
    for (int i = 0; i < 4000; ++i) {
        const int r = static_cast<std::int16_t>(static_cast<std::uint16_t>(rand.Next() * 2));
        ASSERT_EQ(v[2 * i], r);
        ASSERT_EQ(v[2 * i + 1], r);
        negative = negative || r < 0;
    }
    EXPECT_TRUE(negative);

    s.stereo = 1;
    const auto w = Frames(s, 0, 100, 7);
    int same = 0;
    for (int i = 0; i < 100; ++i) same += w[2 * i] == w[2 * i + 1];
    EXPECT_LT(same, 5);
}

// 32-bit noise: r = rand() * 2^17 wrapped into a signed 32-bit value, times A = 10^(-96/20).
TEST(SigGenSynth, WideNoiseWrapsAndScales) {
    SigGenSettings s = Silent(48000, 3);
    s.source[siggen::kNoise] = {1, 0, {0, 0}, {0, -96}};
    const auto v = Frames(s, 0, 500, 3);
    CRand15 rand(3);
    const double a = std::pow(10.0, -4.8);
    for (int i = 0; i < 500; ++i) {
        const auto r1 = static_cast<std::int32_t>(static_cast<std::uint32_t>(rand.Next()) << 17);
        const auto r2 = static_cast<std::int32_t>(static_cast<std::uint32_t>(rand.Next()) << 17);
        ASSERT_EQ(v[2 * i], r1);
        ASSERT_EQ(v[2 * i + 1], static_cast<std::int32_t>(std::trunc(r2 * a)));
    }
}

// Two full-scale sines on one channel overflow and wrap around.
TEST(SigGenSynth, SumsWrapAround) {
    SigGenSettings s = Silent(48000, 1);
    SetTone(s, siggen::kSine1, 1000, 0, 1000, 0);
    SetTone(s, siggen::kSine2, 1000, 0, 1000, 0);
    const auto v = Frames(s, 0, 48);
    const long long one = SineTerm(12, 1000, 48000, 0, 32767.0); // the crest, 32767
    EXPECT_EQ(one, 32767);
    EXPECT_EQ(v[2 * 12], static_cast<std::int16_t>(static_cast<std::uint16_t>(2 * one)));
    EXPECT_EQ(v[2 * 12], -2);
}

struct InvalidCase {
    const char* name;
    void (*spoil)(SigGenSettings&);
    const char* message;
    SigGenBox box;
};

class SigGenInvalid : public ::testing::TestWithParam<InvalidCase> {};

// The first invalid value is reported with its message and its box.
TEST_P(SigGenInvalid, ReportsTheFirstBadBox) {
    const InvalidCase c = GetParam();
    SigGenSettings s;
    c.spoil(s);
    CScriptedUi ui;
    const auto box = ValidateSigGen(s, ui);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(*box, c.box);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, c.message);
}

using What = SigGenBox::What;
INSTANTIATE_TEST_SUITE_P(
    Sound, SigGenInvalid,
    ::testing::Values(InvalidCase{"Seconds0",
                                  [](SigGenSettings& s) { s.recordSeconds = 0; },
                                  siggenmsg::kBadSeconds,
                                  {What::Seconds, 0, 0}},
                      InvalidCase{"Seconds1001",
                                  [](SigGenSettings& s) {
                                      s.recordSeconds = 1001;
                                      s.source[1].freq[0] = 0;
                                  },
                                  siggenmsg::kBadSeconds,
                                  {What::Seconds, 0, 0}},
                      InvalidCase{"SineAboveHalfRate",
                                  [](SigGenSettings& s) {
                                      s.rate = 44100;
                                      s.source[2].freq[1] = 22051;
                                      s.source[0].level[0] = 3;
                                  },
                                  siggenmsg::kBadSineFreq,
                                  {What::Freq, 2, 1}},
                      InvalidCase{"LevelBelow96",
                                  [](SigGenSettings& s) { s.source[4].level[1] = -97; },
                                  siggenmsg::kBadLevel,
                                  {What::Level, 4, 1}},
                      InvalidCase{"RectFirstBox",
                                  [](SigGenSettings& s) { s.source[3].freq[0] = 2001; },
                                  siggenmsg::kBadSquareFreq1,
                                  {What::Freq, 3, 0}},
                      InvalidCase{"RectSecondBox",
                                  [](SigGenSettings& s) { s.source[3].freq[1] = 0; },
                                  siggenmsg::kBadSquareFreq2,
                                  {What::Freq, 3, 1}},
                      InvalidCase{"MonoCopiesBeforeChecking",
                                  [](SigGenSettings& s) {
                                      s.stereo = 0;
                                      s.source[3].swapped = 1;
                                      s.source[3].freq[1] =
                                          2500; // drives ch1, copied over the second box
                                  },
                                  siggenmsg::kBadSquareFreq1,
                                  {What::Freq, 3, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// A sine at exactly half the rate is valid (and silent); the defaults are valid.
TEST(SigGenValidation, AcceptsTheLimits) {
    SigGenSettings s;
    s.rate = 96000;
    s.source[0].freq[0] = 48000;
    s.source[3].freq[1] = 2000;
    s.source[4].level[0] = -96;
    s.recordSeconds = 1000;
    CScriptedUi ui;
    EXPECT_FALSE(ValidateSigGen(s, ui).has_value());
    EXPECT_TRUE(ui.messages.empty());
}

// "Wave保存": the announcement, the path, the file; a file that cannot be created is reported
// and so is a cancelled dialog.
TEST(SigGenWave, AnnouncesAsksAndReports) {
    SigGenSettings s;
    s.rate = 44100;
    s.widthCode = 2;
    s.recordSeconds = 3;
    TempDir dir;
    CScriptedUi ui;
    ui.fileAnswers.push_back(dir.Path("out"));
    ASSERT_EQ(SaveSigGenWave(ui, s, 1), 1);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "信号発生器でFS=44kHz ﾋﾞｯﾄ幅=24ﾋﾞｯﾄ\n ﾃﾞｰﾀｰ長=793800にて"
                                   "Waveﾌｧｲﾙを作成します。");
    EXPECT_EQ(ui.messages[1].text, dir.Path("out.wav"));
    EXPECT_EQ(TempDir::ReadFile(dir.Path("out.wav")).size(), 56u + 793800u);

    ui.Clear();
    ui.fileAnswers.push_back(dir.Path("missing/dir/x.wav"));
    EXPECT_EQ(SaveSigGenWave(ui, s, 1), 0);
    ASSERT_EQ(ui.messages.size(), 4u);
    EXPECT_EQ(ui.messages[2].text, "保存に失敗しました。");
    EXPECT_EQ(ui.messages[3].text, siggenmsg::kWaveNotWritten);

    ui.Clear();
    EXPECT_EQ(SaveSigGenWave(ui, s, 1), 0); // no answer: cancelled
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, siggenmsg::kWaveNotWritten);
}

} // namespace
