#include "filters/FileFilter.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "filters/CoefFile.h"
#include "filters/FileFilterCommands.h"
#include "filters/FilterMessages.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Fixture {
    CScriptedUi ui;
    CKymoDoc doc{ui};
};

// Stereo 16-bit at 48 kHz: channel 1 = tones of 1 kHz and 9 kHz, channel 2 = noise.
std::vector<int> TwoTonesAndNoise(int frames) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> noise(-20000, 20000);
    std::vector<int> s;
    for (int f = 0; f < frames; ++f) {
        const double t = f / 48000.0;
        s.push_back(static_cast<int>(std::lround(3000 * std::sin(2 * kPi * 1000 * t) +
                                                 3000 * std::sin(2 * kPi * 9000 * t))));
        s.push_back(noise(rng));
    }
    return s;
}

// Amplitude of the tone at f Hz in channel 1 of frames [from, to).
double ToneAmplitude(const CKymoDoc& doc, double f, int from, int to) {
    double c = 0, s = 0;
    for (int i = from; i < to; ++i) {
        const double x = doc.GetSample(i, 1);
        c += x * std::cos(2 * kPi * f * i / 48000.0);
        s += x * std::sin(2 * kPi * f * i / 48000.0);
    }
    return 2.0 * std::hypot(c, s) / (to - from);
}

TEST(FileFilter, KaiserLowPassKeepsLowToneRemovesHighAndCopiesOtherChannel) {
    Fixture fx;
    const int frames = 24000;
    const auto samples = TwoTonesAndNoise(frames);
    ASSERT_TRUE(fx.doc.LoadFromBytes(BuildWav({}, samples)));
    fx.doc.OnSelectChannel(1);
    std::vector<int> seenKinds, seenChannels;
    fx.doc.SetUpdateListener([&] {
        seenKinds.push_back(fx.doc.disp_mode1);
        seenChannels.push_back(fx.doc.disp_mode3);
    });
    KaiserSettings s;
    s.cutLow = 2000;
    s.cutHigh = 7777;
    s.transition = 1000;
    s.atten = 60;
    ASSERT_EQ(OnFilterKaiserFir(fx.doc, s), 1) << testing::PrintToString(fx.ui.MessageTexts());

    EXPECT_EQ(seenKinds, (std::vector<int>{kind::FilterResult, kind::Wave}));
    EXPECT_EQ(seenChannels, (std::vector<int>{11, 1}));
    EXPECT_EQ(fx.ui.questions.size(), 1u);
    EXPECT_EQ(fx.doc.disp_mode0, subreq::RawWave);
    EXPECT_EQ(fx.doc.m_pFilterImage, nullptr);
    EXPECT_EQ(fx.doc.m_pFirCoef, nullptr);
    EXPECT_EQ(fx.doc.m_nFirType, 6);
    EXPECT_EQ(fx.doc.m_fCutHigh, 0.0f); // low-pass keeps no second cut-off
    const int n = fx.doc.m_nKaiserTaps;
    EXPECT_EQ(n % 2, 1);
    EXPECT_GT(n, 150);

    // The filter the run used, for its result line: the Kaiser design's taps and cut-off.
    EXPECT_FALSE(fx.doc.m_filterUsed.iir);
    EXPECT_EQ(fx.doc.m_filterUsed.count, n);
    EXPECT_EQ(fx.doc.m_filterUsed.cutLow, 2000.0);
    EXPECT_EQ(fx.doc.m_filterUsed.cutHigh, 0.0);

    const int end = frames - n;
    EXPECT_NEAR(ToneAmplitude(fx.doc, 1000, 0, end), 3000.0, 3000.0 * 0.002);
    EXPECT_LE(ToneAmplitude(fx.doc, 9000, 0, end), 3000.0 * 1e-3 * 1.12 + 0.5);
    for (int j = 0; j < end; ++j)
        ASSERT_EQ(fx.doc.GetSample(j, 2), samples[2 * (j + n - n / 2) + 1]) << j;
    for (int j = end; j < frames; ++j) ASSERT_EQ(fx.doc.GetSample(j, 1), 0) << j;
}

TEST(FileFilter, CancelLeavesTheWaveByteForByte) {
    Fixture fx;
    const auto bytes = BuildWav({}, TwoTonesAndNoise(3000));
    ASSERT_TRUE(fx.doc.LoadFromBytes(bytes));
    fx.doc.OnSelectChannel(3);
    const std::vector<std::uint8_t> before(fx.doc.m_pWaveImage.get(),
                                           fx.doc.m_pWaveImage.get() + fx.doc.m_nWaveImageSize);
    fx.ui.yesNoAnswers = {false};
    FirWindowSettings s{shape::HighPass, 51, 3000.0f, 9999.0f};
    EXPECT_EQ(OnFilterWindowFir(fx.doc, 3, s), 0);
    EXPECT_EQ(std::memcmp(before.data(), fx.doc.m_pWaveImage.get(), before.size()), 0);
    EXPECT_EQ(fx.doc.disp_mode3, 3);
    EXPECT_EQ(fx.doc.disp_mode1, kind::Wave);
    ASSERT_NE(fx.doc.m_pFilterImage, nullptr); // kept without further use
    EXPECT_NE(std::memcmp(before.data(), fx.doc.m_pFilterImage.get(), before.size()), 0);
    EXPECT_EQ(fx.doc.m_nFirType, 3);
    EXPECT_EQ(fx.doc.m_nFirTaps, 51);
    EXPECT_EQ(fx.doc.m_nFilterShape, shape::HighPass);
    EXPECT_EQ(fx.doc.m_fCutHigh, 4500.0f); // not stored for a high-pass
}

TEST(FileFilter, InvalidSettingsShowTheMessageAndChangeNothing) {
    Fixture fx;
    ASSERT_TRUE(fx.doc.LoadFromBytes(BuildWav({}, TwoTonesAndNoise(300))));
    FirWindowSettings s{shape::LowPass, 4097, 3000.0f, 0.0f};
    EXPECT_EQ(OnFilterWindowFir(fx.doc, 0, s), 0);
    EXPECT_EQ(fx.ui.MessageTexts(),
              std::vector<std::string>{"タップ数は5～4096までとして下さい。"});
    EXPECT_EQ(fx.doc.m_nFirTaps, 163);
    EXPECT_TRUE(fx.ui.questions.empty());
    EXPECT_EQ(fx.doc.m_pFilterImage, nullptr);
}

TEST(FileFilter, SilenceAfterLastFrameAndTrailingChunkKept) {
    Fixture fx;
    WavFormat format;
    format.channels = 1;
    format.bits = 8;
    auto bytes = BuildWav(format, std::vector<int>(100, 50));
    const std::string trailer = "LIST\x04\0\0\0abcd";
    bytes.insert(bytes.end(), trailer.begin(), trailer.end());
    const std::uint32_t riff = static_cast<std::uint32_t>(bytes.size() - 8);
    std::memcpy(bytes.data() + 4, &riff, 4);
    ASSERT_TRUE(fx.doc.LoadFromBytes(bytes));
    ASSERT_EQ(fx.doc.m_nWaveImageSize, static_cast<int>(bytes.size()));
    FirWindowSettings s{shape::LowPass, 11, 5000.0f, 0.0f};
    ASSERT_EQ(OnFilterWindowFir(fx.doc, 1, s), 1);
    const std::uint8_t* img = fx.doc.m_pWaveImage.get();
    const int head = fx.doc.m_nHeadSize;
    EXPECT_EQ(std::memcmp(img, bytes.data(), static_cast<std::size_t>(head)), 0);
    for (int j = 89; j < 100; ++j) EXPECT_EQ(img[head + j], 128) << j;
    EXPECT_EQ(std::memcmp(img + head + 100, trailer.data(), trailer.size()), 0);
}

TEST(FileFilter, CoefficientFilesFirAndIir) {
    TempDir dir;
    Fixture fx;
    WavFormat format;
    format.channels = 1;
    std::vector<int> impulse(64, 0);
    impulse[20] = 1000;
    ASSERT_TRUE(fx.doc.LoadFromBytes(BuildWav(format, impulse)));

    // FIR file: five taps.
    const double h[5] = {0.1, 0.2, 0.4, -0.3, 0.05};
    CoefFile file(fx.ui);
    ASSERT_EQ(file.WriteFir(dir.Path("f.csv"), "Free_Coef", "Unknown", 0, 0, 5, h), 1);
    fx.ui.Clear();
    fx.ui.fileAnswers = {dir.Path("f.csv")};
    ASSERT_EQ(OnFilterFirCoefFile(fx.doc), 1);
    EXPECT_EQ(fx.ui.MessageTexts(), std::vector<std::string>{"ﾀｯﾌﾟ数は5個です "});
    EXPECT_EQ(fx.doc.m_nFirType, 8);
    EXPECT_FALSE(fx.doc.m_filterUsed.iir);
    EXPECT_EQ(fx.doc.m_filterUsed.count, 5);
    EXPECT_EQ(fx.doc.m_filterUsed.cutLow, 0.0);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(fx.doc.GetSample(20 + k - 5, 1), int(1000 * h[k])) << k;

    // IIR file given to the FIR command: refused, nothing filtered.
    const std::string iir = "BEGIN_ALL,\r\nFilter_Kind:,Easy_IIR,Filter_Shape:,Peaking,Order:,2,"
                            "\r\nBEGIN_IIR,\r\n2,0,0,4,0,0,\r\nEND_IIR,\r\n";
    TempDir::WriteFile(dir.Path("i.csv"), std::vector<std::uint8_t>(iir.begin(), iir.end()));
    const std::vector<std::uint8_t> before(fx.doc.m_pWaveImage.get(),
                                           fx.doc.m_pWaveImage.get() + fx.doc.m_nWaveImageSize);
    fx.ui.Clear();
    fx.ui.fileAnswers = {dir.Path("i.csv")};
    EXPECT_EQ(OnFilterFirCoefFile(fx.doc), 0);
    ASSERT_EQ(fx.ui.messages.size(), 1u);
    EXPECT_EQ(fx.ui.messages[0].text, "ﾀｯﾌﾟ数は2個ですが異なるﾌｧｲﾙを読み込みました ");
    EXPECT_EQ(fx.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(fx.ui.questions.empty());
    EXPECT_EQ(std::memcmp(before.data(), fx.doc.m_pWaveImage.get(), before.size()), 0);

    // The same file through the IIR command: a0 = 2 is not read, b0 = 4 multiplies by 4.
    fx.ui.Clear();
    fx.ui.fileAnswers = {dir.Path("i.csv")};
    ASSERT_EQ(OnFilterIirCoefFile(fx.doc), 1);
    EXPECT_EQ(fx.ui.MessageTexts(), std::vector<std::string>{"次数=2のIIR処理を開始します"});
    EXPECT_EQ(fx.doc.m_nIirType, 3);
    EXPECT_TRUE(fx.doc.m_filterUsed.iir);
    EXPECT_EQ(fx.doc.m_filterUsed.count, 2);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(fx.doc.GetSample(i, 1),
                  static_cast<std::int16_t>(4 * (before[44 + 2 * i] | before[45 + 2 * i] << 8)));
}

TEST(FileFilter, BiquadRunAndWavesThatCannotRun) {
    Fixture fx;
    EXPECT_FALSE(CanRunFileFilter(fx.doc));
    WavFormat format;
    format.channels = 2;
    format.bits = 8;
    ASSERT_TRUE(fx.doc.LoadFromBytes(BuildWav(format, {10, 20, 30, 40, 50, 60})));
    fx.doc.OnSelectChannel(2);
    ASSERT_EQ(RunFileFilter(fx.doc, FileFilterDesign::Biquad(1, 0, 0, 0.5, 0.5, 0)), 1);
    EXPECT_EQ(fx.doc.GetSample(0, 2), 10);
    EXPECT_EQ(fx.doc.GetSample(1, 2), 30);
    EXPECT_EQ(fx.doc.GetSample(2, 2), 50);
    EXPECT_EQ(fx.doc.GetSample(2, 1), 50); // channel 1 undelayed
    fx.doc.disp_mode3 = 12;                // after filtering, before "back to wave"
    EXPECT_FALSE(CanRunFileFilter(fx.doc));
    EXPECT_EQ(RunFileFilter(fx.doc, FileFilterDesign::Biquad(1, 0, 0, 2, 0, 0)), 0);

    format.channels = 4;
    Fixture four;
    ASSERT_TRUE(four.doc.LoadFromBytes(BuildWav(format, std::vector<int>(40, 1))));
    EXPECT_EQ(OnFilterWindowFir(four.doc, 0, FirWindowSettings{}), 0);
    EXPECT_TRUE(four.ui.questions.empty());
}

} // namespace
