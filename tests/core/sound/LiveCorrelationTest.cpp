#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/FileAnalysis.h"
#include "document/ScriptedUi.h"
#include "sound/correlation/CorrPanel.h"
#include "sound/engine/SoundDuplex.h"
#include "sound/settings/MeasConditions.h"
#include "support/FakeSoundCard.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kPow = 3; // 1024 points
constexpr int kN = 1024;

// Frames of a signal: `x(frame, channel)` in counts, interleaved.
std::vector<int> Frames(int frames, int channels, const std::function<double(int, int)>& x) {
    std::vector<int> s;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) s.push_back(static_cast<int>(std::lround(x(i, c))));
    return s;
}

// Two tones per channel with a little DC; `block` changes the phases.
double Mixture(int i, int c, int block, double full) {
    return full * (0.6 * std::sin(0.0731 * i * (c + 1) + 0.3 * c + block) +
                   0.3 * std::sin(0.41 * i + c + 0.7 * block) + 0.05);
}

void ExpectClose(const std::vector<float>& live, const std::vector<float>& file, const char* what) {
    double peak = 0.0;
    for (int k = 0; k < kN; ++k) peak = std::max(peak, static_cast<double>(std::fabs(file[k])));
    ASSERT_GT(peak, 0.0) << what;
    for (int k = 0; k < kN; ++k) ASSERT_NEAR(live[k], file[k], 2e-5 * peak) << what << " lag " << k;
}

struct CorrRun {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    CFakeSoundCard card;
    std::unique_ptr<CCorrPanel> panel;
    int channels = 2, bits = 16;

    // Set-up and panel with the stored conditions; ON unless told otherwise.
    void Open(bool cross, int channelCount, int bitCount, int window, int downExp,
              bool start = true) {
        channels = channelCount;
        bits = bitCount;
        doc.m_nMeasRate = 4;
        doc.m_nMeasBits = bits == 8 ? meas::kBits8 : meas::kBits16;
        doc.m_nMeasCh = channels == 1 ? meas::kMono : meas::kStereo;
        doc.m_nPow = kPow;
        doc.m_nWindowType = window;
        doc.m_nDownExp = downExp;
        ASSERT_EQ(doc.BeginCorrelationMeter(&card, cross, true), 1)
            << ::testing::PrintToString(ui.MessageTexts());
        panel = std::make_unique<CCorrPanel>(doc, card);
        if (start) {
            ASSERT_TRUE(panel->OnStart());
        }
    }
    int BufferFrames() const {
        return static_cast<int>(panel->Engine().BufferBytes()) / (channels * bits / 8);
    }
    // One buffer through the engine; the view is idle again afterwards.
    std::vector<int> Feed(const std::function<double(int, int)>& x) {
        std::vector<int> s = Frames(BufferFrames(), channels, x);
        EXPECT_TRUE(card.FillNext(PcmBytes(s, bits)));
        panel->Engine().DispatchCompletions();
        doc.m_bRealBusy = 0;
        return s;
    }
};

struct CorrCase {
    const char* name;
    bool cross;
    int channels, bits, window, downExp, blocks;
    bool average;
};

class LiveCorrelationVsFile : public ::testing::TestWithParam<CorrCase> {};

// What the meter shows equals the file analysis of the blocks it analysed (the first block of
// each buffer): of the last one, or with averaging the average over all of them.
TEST_P(LiveCorrelationVsFile, EqualToTheFileAnalysisOfTheSameSamples) {
    const CorrCase& c = GetParam();
    CorrRun run;
    run.Open(c.cross, c.channels, c.bits, c.window, c.downExp, false);
    if (c.average) run.panel->OnAverage();
    ASSERT_TRUE(run.panel->OnStart());
    const int frames = run.doc.CaptureFrames();
    const double full = c.bits == 8 ? 100.0 : 20000.0;
    std::vector<int> analysed;
    for (int b = 0; b < c.blocks; ++b) {
        const std::vector<int> s = run.Feed([&](int i, int ch) { return Mixture(i, ch, b, full); });
        if (c.average || b == c.blocks - 1) {
            if (!c.average) analysed.clear();
            analysed.insert(analysed.end(), s.begin(), s.begin() + frames * c.channels);
        }
    }
    ASSERT_EQ(run.doc.m_nRealUpdates, c.blocks);
    EXPECT_EQ(run.doc.disp_mode1, c.cross ? kind::LiveCrossCorr : kind::LiveAutoCorr);

    CScriptedUi fileUi;
    CKymoDoc file(fileUi);
    WavFormat f;
    f.channels = c.channels;
    f.bits = c.bits;
    ASSERT_TRUE(file.LoadFromBytes(BuildWav(f, analysed)));
    file.disp_mode3 = c.channels == 2 ? chan::Both : chan::Ch1;
    AnalysisSetup setup;
    setup.pow = kPow;
    setup.windowType = c.window;
    setup.downExp = c.downExp;
    ASSERT_EQ(file.OnSetUpFileAnalysis(c.cross ? analysis::CrossCorr : analysis::AutoCorr, setup),
              1);
    ASSERT_EQ(file.RunAveragingPass(c.average ? c.blocks : 1), 1);
    ExpectClose(run.doc.m_fRe, file.m_fRe, c.cross ? "cross" : "ch1");
    if (!c.cross && c.channels == 2) ExpectClose(run.doc.m_fOpRe, file.m_fOpRe, "ch2");
    EXPECT_EQ(run.doc.m_fIm[5], 0.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Sound, LiveCorrelationVsFile,
    ::testing::Values(CorrCase{"AutoMono", false, 1, 16, 7, 0, 1, false},
                      CorrCase{"AutoStereoHanning", false, 2, 16, 2, 0, 2, false},
                      CorrCase{"AutoStereo8Bit", false, 2, 8, 4, 0, 1, false},
                      CorrCase{"CrossBlackman", true, 2, 16, 4, 0, 3, false},
                      CorrCase{"CrossDownBy2", true, 2, 16, 7, -1, 1, false},
                      CorrCase{"AutoStereoAveraged", false, 2, 16, 3, 0, 4, true},
                      CorrCase{"CrossAveraged", true, 2, 16, 7, 0, 3, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LiveCorrelation, ASineGivesOneAtLagZeroAndACosineOfItsPeriod) {
    CorrRun run;
    run.Open(false, 1, 16, 7, 0);
    const int period = 32; // whole periods in the record: the circular correlation is exact
    run.Feed([&](int i, int) { return 12000.0 * std::sin(2 * M_PI * i / period); });
    for (int lag = 0; lag < kN; lag += 5)
        ASSERT_NEAR(run.doc.m_fRe[lag], std::cos(2 * M_PI * lag / period), 1e-4) << lag;
    EXPECT_NEAR(run.doc.m_fRe[0], 1.0, 1e-5);
}

TEST(LiveCorrelation, CrossCorrelationPeaksAtTheDelayOfChannel2) {
    const int delay = 37;
    std::vector<double> noise(40000);
    unsigned state = 12345;
    for (double& v : noise) {
        state = state * 1103515245u + 12345u;
        v = static_cast<double>((state >> 8) % 20001) - 10000.0;
    }
    CorrRun run;
    run.Open(true, 2, 16, 7, 0);
    run.Feed([&](int i, int c) { return noise[static_cast<std::size_t>(i + 100 - c * delay)]; });
    int peak = 0;
    for (int lag = 1; lag < kN; ++lag)
        if (run.doc.m_fRe[lag] > run.doc.m_fRe[peak]) peak = lag;
    EXPECT_EQ(peak, delay);
    EXPECT_GT(run.doc.m_fRe[delay], 0.9f);
    EXPECT_LE(run.doc.m_fRe[delay], 1.0f);
}

TEST(LiveCorrelation, CrossCorrelationOfIdenticalChannelsIsTheAutoCorrelation) {
    std::vector<float> autoCorr;
    for (bool cross : {false, true}) {
        CorrRun run;
        run.Open(cross, 2, 16, 4, 0);
        run.Feed([&](int i, int) { return Mixture(i, 0, 0, 20000.0); });
        if (!cross) {
            autoCorr = run.doc.m_fRe;
            continue;
        }
        for (int lag = 0; lag < kN; ++lag) ASSERT_NEAR(run.doc.m_fRe[lag], autoCorr[lag], 1e-5);
    }
}

// A silent channel (or a constant one, or the missing second channel of a mono capture) has a
// normaliser of 0: it shows 0 at every lag instead of inf or NaN.
TEST(LiveCorrelation, ASilentChannelShowsZeros) {
    struct Silent {
        const char* name;
        bool cross;
        int channels;
        double ch2;
    } cases[] = {{"auto, ch2 silent", false, 2, 0.0},
                 {"auto, ch2 constant", false, 2, 500.0},
                 {"cross, ch2 silent", true, 2, 0.0},
                 {"cross, mono", true, 1, 0.0}};
    for (const Silent& s : cases) {
        CorrRun run;
        run.Open(s.cross, s.channels, 16, 7, 0);
        run.doc.m_fOpRe.assign(run.doc.m_fOpRe.size(), 7.0f);
        run.Feed([&](int i, int c) { return c == 0 ? 9000.0 * std::sin(0.3 * i) : s.ch2; });
        const std::vector<float>& silent = s.cross ? run.doc.m_fRe : run.doc.m_fOpRe;
        for (int lag = 0; lag < kN; ++lag) ASSERT_EQ(silent[lag], 0.0f) << s.name << " " << lag;
        if (!s.cross) {
            EXPECT_NEAR(run.doc.m_fRe[0], 1.0f, 1e-5) << s.name;
        }
    }
}

TEST(LiveCorrelation, AveragingSwitchedOnWhileRunningStartsWithTheCurrentBlock) {
    CorrRun run;
    run.Open(true, 2, 16, 7, 0);
    for (int b = 0; b < 3; ++b) run.Feed([&](int i, int c) { return Mixture(i, c, b, 20000); });
    run.panel->OnAverage();
    ASSERT_EQ(run.doc.m_bAveraging, 1);
    EXPECT_EQ(run.doc.m_fNormSum1, 0.0);
    run.Feed([&](int i, int c) { return Mixture(i, c, 7, 20000); });
    const std::vector<float> averaged = run.doc.m_fRe;
    run.panel->OnAverage(); // off again: the plain result of the same block
    run.Feed([&](int i, int c) { return Mixture(i, c, 7, 20000); });
    for (int lag = 0; lag < kN; ++lag) ASSERT_NEAR(averaged[lag], run.doc.m_fRe[lag], 1e-6);
}

// ON clears the normaliser sums with the accumulators: averaging that was left on from an
// earlier run starts afresh.
TEST(LiveCorrelation, AveragingLeftOnRestartsAtOn) {
    CorrRun run;
    run.Open(false, 1, 16, 7, 0, false);
    run.panel->OnAverage();
    ASSERT_TRUE(run.panel->OnStart());
    run.Feed([&](int i, int) { return 30000.0 * std::sin(0.2 * i); });
    run.panel->OnDisp();
    ASSERT_TRUE(run.panel->OnStart());
    run.Feed([&](int i, int) { return 100.0 * std::sin(0.2 * i); });
    // Not 1 exactly: the record holds no whole number of periods.
    EXPECT_NEAR(run.doc.m_fRe[0], 1.0f, 1e-3);
}

TEST(CorrPanel, SpinsOfTheCorrelationDisplay) {
    CorrRun run;
    run.Open(false, 2, 16, 4, 0, false);
    CCorrPanel& p = *run.panel;
    struct Step {
        int gainDelta, timeDelta;
        const char* gain;
        const char* time;
        int scale;
    } steps[] = {{0, 0, "1", "8", 8},
                 {-1, -1, "0.5", "4", 4},
                 {-5, -5, "0.25", "2", 2},
                 {+3, +2, "2", "8", 8},
                 {+9, +9, "4", "16", 16}};
    for (const Step& s : steps) {
        p.OnCorrGainSpin(s.gainDelta);
        p.OnCorrTimeSpin(s.timeDelta);
        EXPECT_EQ(p.CorrGainText(), s.gain);
        EXPECT_EQ(p.CorrTimeText(), s.time);
        EXPECT_EQ(run.doc.m_nCorrTimeScale, s.scale);
    }
    EXPECT_EQ(run.doc.m_nCorrGainExp, 2);
    EXPECT_EQ(run.doc.m_nCorrTimeExp, 4);
}

TEST(CorrPanel, TheLastResultStaysAsAStoredKind) {
    struct Finish {
        bool cross;
        int channels;
        bool analysed;
        int kind, channel;
    } cases[] = {{false, 1, true, kind::AutoCorr1, chan::Ch1},
                 {false, 2, true, kind::AutoCorr2, chan::Both},
                 {true, 2, true, kind::CrossCorr, chan::Both},
                 {true, 2, false, kind::None, -1}};
    for (const Finish& f : cases) {
        CorrRun run;
        run.Open(f.cross, f.channels, 16, 7, 0);
        if (f.analysed) run.Feed([&](int i, int c) { return Mixture(i, c, 0, 20000); });
        run.panel->Close();
        run.panel.reset();
        run.doc.FinishSpectrumAnalyzer();
        EXPECT_EQ(run.doc.disp_mode1, f.kind);
        if (f.channel >= 0) {
            EXPECT_EQ(run.doc.disp_mode3, f.channel);
        }
        EXPECT_FALSE(run.doc.HasWave());
    }
}

} // namespace
