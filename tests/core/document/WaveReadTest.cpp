#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

namespace {

struct LoadCase {
    const char* name;
    WavSpec spec;
    int frames;
    int headSize;
    int dispMode3;
};

class WaveLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(WaveLoad, ReadsFormatAndSamples) {
    const LoadCase& c = GetParam();
    const auto samples =
        SineSamples(c.frames, c.spec.channels, c.spec.bits == 8 ? 100 : 20000, 0.01);
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(c.spec, samples)))
        << testing::PrintToString(ui.MessageTexts());
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
    EXPECT_EQ(doc.disp_mode0, subreq::RawWave);
    EXPECT_EQ(doc.disp_mode3, c.dispMode3);
    EXPECT_EQ(doc.m_nChannel, c.spec.channels);
    EXPECT_EQ(doc.m_nBitsPerSample, c.spec.bits);
    EXPECT_EQ(doc.m_nSamplesPerSec, c.spec.rate);
    EXPECT_EQ(doc.m_nHeadSize, c.headSize);
    EXPECT_EQ(doc.m_nFrames, c.frames);
    EXPECT_FLOAT_EQ(doc.m_fWaveFrames, static_cast<float>(c.frames));
    EXPECT_FLOAT_EQ(doc.m_fWaveDt, 1.0f / c.spec.rate);
    const int shown = std::min(c.spec.channels, 2);
    for (int f : {0, 1, c.frames / 2, c.frames - 1})
        for (int ch = 1; ch <= shown; ++ch)
            EXPECT_EQ(doc.GetSample(f, ch), samples[f * c.spec.channels + ch - 1])
                << f << "/" << ch;
}

WavSpec Spec(int channels, int bits, int fmtSize = 16, bool fact = false, int list = -1) {
    WavSpec s;
    s.channels = channels;
    s.bits = bits;
    s.rate = bits == 8 ? 8000 : 44100;
    s.fmtSize = fmtSize;
    s.factChunk = fact;
    s.listChunkSize = list;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, WaveLoad,
    ::testing::Values(LoadCase{"mono8", Spec(1, 8), 1001, 44, chan::Ch1},
                      LoadCase{"stereo16", Spec(2, 16), 3000, 44, chan::Both},
                      LoadCase{"mono16", Spec(1, 16), 513, 44, chan::Ch1},
                      LoadCase{"header56", Spec(2, 16, 16, true), 100, 56, chan::Both},
                      LoadCase{"fmt18", Spec(2, 16, 18), 100, 46, chan::Both},
                      LoadCase{"oddList", Spec(1, 16, 16, false, 7), 100, 60, chan::Ch1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
