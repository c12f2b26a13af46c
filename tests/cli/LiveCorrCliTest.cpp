#include "LiveCliSupport.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/FileAnalysis.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct CorrCliCase {
    const char* name;
    const char* dut;
    std::vector<std::string> options;
    bool cross;
    int channels, points, window, updates;
    bool average;
};

// The saved result (reopened) beside the file analysis of what the card played (--record).
struct CorrCliRun {
    CScriptedUi savedUi, fileUi;
    CKymoDoc saved{savedUi}, file{fileUi};

    void Run(const CorrCliCase& c) {
        TempDir dir;
        const std::string opr = dir.Path("corr.opr"), rec = dir.Path("rec.wav");
        std::vector<std::string> words = {"live",  "corr", "--device",  "virtual",
                                          "--dut", c.dut,  "--updates", std::to_string(c.updates),
                                          "-o",    opr,    "--record",  rec};
        words.insert(words.end(), c.options.begin(), c.options.end());
        const CliRunResult r = RunCliWords(words);
        ASSERT_EQ(r.rc, 0) << r.err;
        ASSERT_TRUE(saved.OnOpenDocument(opr)) << ::testing::PrintToString(savedUi.MessageTexts());
        ASSERT_TRUE(file.OnOpenDocument(rec));
        ASSERT_EQ(file.m_nChannel, c.channels);
        if (!c.average) {
            ASSERT_TRUE(KeepLastAnalysedBlock(file, c.updates, c.points, 0));
        }
        file.disp_mode3 = c.channels == 2 ? chan::Both : chan::Ch1;
        AnalysisSetup setup;
        setup.pow = PowOfPoints(c.points);
        setup.windowType = c.window;
        ASSERT_EQ(
            file.OnSetUpFileAnalysis(c.cross ? analysis::CrossCorr : analysis::AutoCorr, setup), 1);
        ASSERT_EQ(file.RunAveragingPass(c.average ? c.updates : 1), 1);
    }
};

class LiveCorrCli : public ::testing::TestWithParam<CorrCliCase> {};

TEST_P(LiveCorrCli, SavedCorrelationEqualsTheFileAnalysisOfTheRecording) {
    const CorrCliCase& c = GetParam();
    CorrCliRun run;
    ASSERT_NO_FATAL_FAILURE(run.Run(c));
    const int expected = c.cross           ? kind::CrossCorr
                         : c.channels == 2 ? kind::AutoCorr2
                                           : kind::AutoCorr1;
    EXPECT_EQ(run.saved.disp_mode1, expected);
    for (int lag = 0; lag < c.points; ++lag) {
        ASSERT_NEAR(run.saved.m_fRe[lag], run.file.m_fRe[lag], 2e-5) << "lag " << lag;
        if (!c.cross && c.channels == 2) {
            ASSERT_NEAR(run.saved.m_fOpRe[lag], run.file.m_fOpRe[lag], 2e-5) << "ch2 lag " << lag;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, LiveCorrCli,
    ::testing::Values(CorrCliCase{"CrossOfDelayedNoise",
                                  "in1=src;in2=src;src=noise:6000:7;dut2=delay:23",
                                  {"--cross", "--points", "1024", "--window", "none"},
                                  true,
                                  2,
                                  1024,
                                  7,
                                  4,
                                  false},
                      CorrCliCase{"AutoStereoHanning",
                                  "in1=src;in2=src;src=tone:1000:9000+noise:2000:3;dut2=gain:0.5",
                                  {"--points", "512", "--window", "hanning"},
                                  false,
                                  2,
                                  512,
                                  2,
                                  3,
                                  false},
                      CorrCliCase{"CrossAveraged",
                                  "in1=src;in2=src;src=noise:6000:11;dut2=delay:5,noise:3000:4",
                                  {"--cross", "--average", "--points", "2048", "--window", "none"},
                                  true,
                                  2,
                                  2048,
                                  7,
                                  5,
                                  true}),
    [](const auto& info) { return std::string(info.param.name); });

// Noise on ch1 and the same noise 23 frames later on ch2: the cross-correlation peaks at lag 23.
TEST(LiveCorrCliPeaks, DelayedNoisePeaksAtTheDelay) {
    CorrCliRun run;
    ASSERT_NO_FATAL_FAILURE(run.Run({"",
                                     "in1=src;in2=src;src=noise:6000:7;dut2=delay:23",
                                     {"--cross", "--points", "1024", "--window", "none"},
                                     true,
                                     2,
                                     1024,
                                     7,
                                     2,
                                     false}));
    const std::vector<float>& r = run.saved.m_fRe;
    const int peak = static_cast<int>(std::max_element(r.begin(), r.begin() + 1024) - r.begin());
    EXPECT_EQ(peak, 23);
    EXPECT_GT(r[23], 0.9f);
    EXPECT_NEAR(r[23], run.file.m_fRe[23], 2e-5);
}

// A tone of 1500 Hz at 48 kHz has a period of 32 frames, 32 periods in 1024 points: its
// auto-correlation is cos(2 pi lag / 32).
TEST(LiveCorrCliPeaks, AutoCorrelationOfAToneIsACosineOfItsPeriod) {
    CorrCliRun run;
    ASSERT_NO_FATAL_FAILURE(run.Run({"",
                                     "in1=src;src=tone:1500:12000:40",
                                     {"--channels", "1", "--points", "1024", "--window", "none"},
                                     false,
                                     1,
                                     1024,
                                     7,
                                     3,
                                     false}));
    for (int lag = 0; lag < 1024; ++lag)
        ASSERT_NEAR(run.saved.m_fRe[lag], std::cos(2 * M_PI * lag / 32), 2e-3) << lag;
}

} // namespace
