#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/FileAnalysis.h"
#include "document/ScriptedUi.h"
#include "dsp/WindowKinds.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

constexpr double kPi = 3.141592653589793;

// Two tones per channel: `low` and `high` cycles per frame, amplitude 8000 each.
std::vector<int> Tones(int frames, int channels, double low, double high) {
    std::vector<int> s;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            s.push_back(static_cast<int>(std::lround(8000 * std::sin(2 * kPi * low * i) +
                                                     8000 * std::sin(2 * kPi * high * i))));
    return s;
}

// Amplitude of cycles-per-frame f in channel `ch` of the wave held, from frame `from` on.
double ToneAmplitude(const CKymoDoc& doc, int ch, double f, int from, int count) {
    double c = 0, s = 0;
    for (int i = 0; i < count; ++i) {
        const double x = doc.GetSample(from + i, ch);
        c += x * std::cos(2 * kPi * f * i);
        s += x * std::sin(2 * kPi * f * i);
    }
    return 2 * std::hypot(c, s) / count;
}

TEST(Decimation, HalvesTheRateKeepsWholeFramesAndBuildsAFullHeader) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    WavFormat format;
    format.rate = 44100;
    const int frames = 30001;
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, Tones(frames, 2, 0.05, 0.4))));
    doc.SetPow(4);
    ASSERT_EQ(doc.DecimateWave(), 1);
    const int taps = doc.m_nDecimTaps;
    EXPECT_GT(taps, 50);
    EXPECT_EQ(taps % 2, 1);
    EXPECT_EQ(doc.m_nSamplesPerSec, 22050);
    EXPECT_EQ(doc.m_nHeadSize, 56);
    EXPECT_EQ(doc.m_nBlockSize, 4);
    EXPECT_EQ(doc.m_nBytesPerSec, 22050 * 4);
    EXPECT_EQ(doc.m_nFrames, (frames - taps) / 2);
    EXPECT_EQ(doc.m_nWavDataSize, doc.m_nFrames * 4);
    EXPECT_EQ(doc.m_nWaveImageSize, 56 + doc.m_nWavDataSize);
    EXPECT_EQ(doc.m_nRiffSize, 56 + doc.m_nWavDataSize - 8);
    EXPECT_FLOAT_EQ(doc.m_fWaveFrames, static_cast<float>(doc.m_nFrames));
    EXPECT_FLOAT_EQ(doc.m_fWaveDt, 2.0f / 44100);
    EXPECT_EQ(doc.disp_mode3, chan::Both);
    // 0.05 cycles per input frame are 0.1 per output frame and pass; 0.4 (above the new
    // Nyquist rate, it would alias to 0.2) is stopped by at least 55 dB.
    const int n = 4000;
    EXPECT_NEAR(ToneAmplitude(doc, 1, 0.1, 500, n), 8000, 80);
    EXPECT_NEAR(ToneAmplitude(doc, 2, 0.1, 500, n), 8000, 80);
    EXPECT_LT(ToneAmplitude(doc, 1, 0.2, 500, n), 8000 * std::pow(10, -55 / 20.0));

    // The decimated wave saves as a file that reads back with the same format and samples.
    TempDir dir;
    ASSERT_TRUE(doc.OnSaveDocument(dir.Path("half.wav")));
    const auto bytes = TempDir::ReadFile(dir.Path("half.wav"));
    ASSERT_EQ(bytes.size(), static_cast<std::size_t>(doc.m_nWaveImageSize));
    EXPECT_EQ(std::memcmp(bytes.data() + 36, "fact", 4), 0);
    EXPECT_EQ(std::memcmp(bytes.data() + 48, "data", 4), 0);
    CScriptedUi ui2;
    CKymoDoc back(ui2);
    ASSERT_TRUE(back.LoadFromBytes(bytes));
    EXPECT_EQ(back.m_nSamplesPerSec, 22050);
    EXPECT_EQ(back.m_nFrames, doc.m_nFrames);
    EXPECT_EQ(back.m_nHeadSize, 56);
    for (int i : {0, 17, doc.m_nFrames - 1})
        for (int ch : {1, 2}) EXPECT_EQ(back.GetSample(i, ch), doc.GetSample(i, ch));
}

TEST(Decimation, ShortRecordsUseTheGentlerDesign) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    WavFormat format;
    format.channels = 1;
    format.bits = 8;
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, SineSamples(5000, 1, 100, 0.01))));
    doc.SetPow(4);
    ASSERT_EQ(doc.DecimateWave(), 1);
    const int sharpTaps = doc.m_nDecimTaps;
    doc.SetPow(2);
    ASSERT_EQ(doc.DecimateWave(), 1);
    EXPECT_LT(doc.m_nDecimTaps, sharpTaps);
    EXPECT_EQ(doc.m_nSamplesPerSec, 12000);
    EXPECT_EQ(doc.m_nBlockSize, 1);
    EXPECT_EQ(doc.disp_mode3, chan::Ch1);
    EXPECT_EQ(doc.m_nFrames, ((5000 - sharpTaps) / 2 - doc.m_nDecimTaps) / 2);
}

TEST(Decimation, WithoutAWaveShowsTheMessage) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    EXPECT_EQ(doc.DecimateWave(), 0);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{msg::kNoWaveFile});
}

TEST(Decimation, SetUpDownSamplesTwiceAndSelectsBothChannels) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    WavFormat format;
    format.rate = 44100;
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, SineSamples(44100, 2, 1000, 0.001))));
    doc.OnSelectChannel(chan::Ch2);
    AnalysisSetup setup;
    setup.pow = 2;
    setup.windowType = wnd::Hanning;
    setup.downExp = -2;
    ASSERT_EQ(doc.OnSetUpFileAnalysis(analysis::Spectrum, setup), 1);
    EXPECT_EQ(doc.m_nSamplesPerSec, 11025);
    EXPECT_EQ(doc.m_nDownExp, 0);
    EXPECT_EQ(doc.disp_mode3, chan::Both);
    ASSERT_EQ(doc.RunAveragingPass(doc.AveragingMaxCount()), 1);
    EXPECT_EQ(doc.disp_mode1, kind::Spectrum2);
    EXPECT_FLOAT_EQ(doc.m_fDt, 4.0f / 44100);
}

TEST(Decimation, TooShortForOneDecimatedRecordChangesNothingButTheFrame) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    WavFormat format;
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, SineSamples(3000, 2, 1000, 0.01))));
    AnalysisSetup setup;
    setup.pow = 3; // 1024 points: one record before, none after halving twice
    setup.downExp = -2;
    EXPECT_EQ(doc.OnSetUpFileAnalysis(analysis::AutoCorr, setup), 0);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{msg::kTooShortCorrelation});
    EXPECT_EQ(doc.m_nSamplesPerSec, 48000);
    EXPECT_EQ(doc.m_nDownExp, -2);
    EXPECT_EQ(doc.m_nPoints, 1024);
}

// A block alignment larger than the samples of a frame: the decimation reads every frame at
// the file's stride and the tones keep their frequency (0.05 cycles per frame becomes 0.1).
TEST(Decimation, PaddedFramesKeepTheirStride) {
    struct Case {
        int channels;
        int blockAlign; // bytes; the samples take 2 per channel
    };
    for (const Case& c : {Case{2, 8}, Case{1, 4}, Case{2, 6}}) {
        const int values = c.blockAlign / 2; // 16-bit values per frame, padding included
        std::vector<int> samples;
        const int frames = 20000;
        for (int i = 0; i < frames; ++i)
            for (int v = 0; v < values; ++v)
                samples.push_back(v < c.channels ? static_cast<int>(std::lround(
                                                       8000 * std::sin(2 * kPi * 0.05 * i)))
                                                 : (i % 2 ? 30000 : -30000)); // padding
        WavFormat format;
        format.channels = c.channels;
        format.blockAlignOverride = c.blockAlign;
        CScriptedUi ui;
        CKymoDoc doc(ui);
        ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, samples)));
        ASSERT_EQ(doc.m_nBlockSize, c.blockAlign);
        doc.SetPow(4);
        ASSERT_EQ(doc.DecimateWave(), 1) << c.blockAlign;
        EXPECT_EQ(doc.m_nBlockSize, 2 * c.channels);
        EXPECT_EQ(doc.m_nFrames, (frames - doc.m_nDecimTaps) / 2);
        for (int ch = 1; ch <= c.channels; ++ch) {
            EXPECT_NEAR(ToneAmplitude(doc, ch, 0.1, 500, 4000), 8000, 80)
                << c.blockAlign << " ch" << ch;
            EXPECT_LT(ToneAmplitude(doc, ch, 0.05, 500, 4000), 80) << c.blockAlign << " ch" << ch;
        }
    }
}

TEST(Decimation, MoreThanTwoChannelsAreRefused) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    WavFormat format;
    format.channels = 4;
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, SineSamples(20000, 4, 1000, 0.01))));
    ui.Clear();
    const auto imageBefore = doc.m_nWaveImageSize;
    AnalysisSetup setup;
    setup.pow = 2;
    setup.downExp = -1;
    EXPECT_EQ(doc.OnSetUpFileAnalysis(analysis::Spectrum, setup), 0);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"2chまでの対応です"});
    EXPECT_EQ(doc.m_nSamplesPerSec, 48000);
    EXPECT_EQ(doc.m_nWaveImageSize, imageBefore);
    EXPECT_EQ(doc.m_nDownExp, 0);
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
}

} // namespace
