// Coherence of the file transfer function: exact for a noiseless filtered copy, the expected
// |H|²Sxx / (|H|²Sxx + Snn) with independent noise.
#include "document/Coherence.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ExportMessages.h"
#include "document/FileAnalysis.h"
#include "document/ScriptedUi.h"
#include "dsp/ServoElements.h"
#include "dsp/WindowKinds.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <fstream>
#include <random>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kN = 1024; // analysis points (pow 3)
const double kTaps[3] = {0.5, 0.35, 0.15};

double GainSquared(int k) {
    std::complex<double> h = 0.0;
    for (int m = 0; m < 3; ++m) h += kTaps[m] * std::polar(1.0, -2 * kPi * k * m / kN);
    return std::norm(h);
}

// `records` records of white noise x in ch1 and, in ch2, x filtered circularly within its record
// (so that Y = H·X holds exactly bin by bin) plus independent noise of deviation `noise`.
std::vector<int> Records(int records, double signal, double noise, unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<double> dist(0.0, 1.0);
    std::vector<int> samples;
    std::vector<double> x(kN);
    for (int r = 0; r < records; ++r) {
        for (double& v : x) v = signal * dist(gen);
        for (int i = 0; i < kN; ++i) {
            double y = 0.0;
            for (int m = 0; m < 3; ++m) y += kTaps[m] * x[(i - m + kN) % kN];
            y += noise * dist(gen);
            samples.push_back(static_cast<int>(std::lround(x[i])));
            samples.push_back(static_cast<int>(std::lround(y)));
        }
    }
    return samples;
}

class Coherence : public ::testing::Test {
protected:
    void Analyse(const std::vector<int>& samples, int window) {
        WavFormat format;
        format.rate = 8000;
        ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, samples)));
        AnalysisSetup setup;
        setup.pow = 3;
        setup.windowType = window;
        ASSERT_EQ(doc.OnSetUpFileAnalysis(analysis::Transfer, setup), 1);
        ASSERT_EQ(doc.RunAveragingPass(doc.AveragingMaxCount()), 1);
        ASSERT_EQ(doc.disp_mode1, kind::Transfer);
    }
    CScriptedUi ui;
    CKymoDoc doc{ui};
};

TEST_F(Coherence, NoiselessFilteredCopyIsCoherentInEveryBin) {
    Analyse(Records(20, 4000.0, 0.0, 1), wnd::None);
    ASSERT_TRUE(doc.HasCoherence());
    for (int k = 1; k <= kN / 2; ++k) EXPECT_NEAR(doc.m_fCoherence[k], 1.0, 1e-4) << k;
    EXPECT_EQ(doc.m_bShowCoherence, 0); // the trace stays off until asked for
}

TEST_F(Coherence, IndependentNoiseFollowsTheSignalToNoiseRatioOfEachBin) {
    // K = 200 records; |H|² falls from 1 at 0 Hz to 0.09 at fs/2, so γ² sweeps 0.86 .. 0.36.
    const double sx = 3000.0, sn = 1200.0;
    Analyse(Records(200, sx, sn, 2), wnd::None);
    ASSERT_TRUE(doc.HasCoherence());
    // The estimate of one bin scatters by about sqrt(2/K)·γ(1-γ²); compare band means of 32 bins.
    constexpr int kBand = 32;
    double worst = 0.0;
    for (int start = 1; start + kBand <= kN / 2 + 1; start += kBand) {
        double got = 0.0, want = 0.0;
        for (int k = start; k < start + kBand; ++k) {
            got += doc.m_fCoherence[k];
            const double s = GainSquared(k) * sx * sx;
            want += s / (s + sn * sn);
        }
        worst = std::max(worst, std::abs(got - want) / kBand);
    }
    EXPECT_LT(worst, 0.03);
}

TEST_F(Coherence, BelongsOnlyToTheTransferFunctionItWasComputedWith) {
    Analyse(Records(10, 4000.0, 0.0, 3), wnd::Hanning);
    ASSERT_TRUE(doc.HasCoherence());
    TempDir dir;
    ASSERT_EQ(WriteCoherenceCsv(doc, dir.Path("coh.csv")), 1);
    std::ifstream in(dir.Path("coh.csv"), std::ios::binary);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "frequency,coherence\r");
    int rows = 0;
    while (std::getline(in, line)) {
        ++rows;
        double f = 0, g = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf", &f, &g), 2) << line;
        EXPECT_NEAR(f, rows * 8000.0 / kN, 5e-7);
        EXPECT_NEAR(g, doc.m_fCoherence[rows], 5e-7);
    }
    EXPECT_EQ(rows, kN / 2);

    // A calculator step changes H: the coherence is no longer shown or written.
    doc.OnServoGain(2.0, servo_op::Multiply);
    EXPECT_FALSE(doc.HasCoherence());
    ui.Clear();
    EXPECT_EQ(WriteCoherenceCsv(doc, dir.Path("stale.csv")), 0);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{xmsg::kNoCoherence});
    EXPECT_FALSE(std::ifstream(dir.Path("stale.csv")).good());

    // Another pass of another analysis drops it too.
    doc.OnBackToWave();
    doc.OnSelectChannel(chan::Ch1);
    AnalysisSetup setup;
    setup.pow = 3;
    ASSERT_EQ(doc.OnSetUpFileAnalysis(analysis::Spectrum, setup), 1);
    ASSERT_EQ(doc.RunAveragingPass(2), 1);
    EXPECT_EQ(doc.m_nCoherenceKey, 0u);
}

TEST(CoherenceSums, SilentBinsGiveZero) {
    const double s11[2] = {0.0, 4.0}, s22[2] = {1.0, 1.0}, re[2] = {0.0, 1.0}, im[2] = {0.0, 1.0};
    float out[2];
    CoherenceFromSums(s11, s22, re, im, 2, out);
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_FLOAT_EQ(out[1], 0.5f);
}

} // namespace
