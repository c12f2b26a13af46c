#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "dsp/SamplingChoice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace {

using cd = std::complex<double>;

TEST(Impulse, FullRecordPulseIsASingleLineAtDc) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.OnImpulse(0, 0, 128, 48000.0);
    EXPECT_EQ(doc.m_nPoints, 128);
    EXPECT_EQ(doc.disp_mode1, kind::Spectrum);
    EXPECT_EQ(doc.disp_mode0, subreq::ForwardResult);
    for (int i = 0; i < 128; ++i) {
        EXPECT_EQ(doc.m_fWave1[i], 1.0f);
        EXPECT_FLOAT_EQ(doc.m_fWork1[i], 1.0f / 128);
    }
    EXPECT_NEAR(doc.m_fRe[0], 1.0f, 1e-5);
    for (int k = 1; k < 128; ++k) EXPECT_NEAR(std::hypot(doc.m_fRe[k], doc.m_fIm[k]), 0.0, 1e-5);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Impulse, CentredSingleSampleIsFlatAtZeroDecibels) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.OnImpulse(4, 2, 1, 44100.0);
    EXPECT_FLOAT_EQ(doc.m_fDt, 1.0f / 44100);
    for (int i = 0; i < 2048; ++i) ASSERT_EQ(doc.m_fWave1[i], i == 1024 ? 2048.0f : 0.0f) << i;
    for (int k : {0, 1, 513, 1024, 2047}) {
        EXPECT_NEAR(std::hypot(doc.m_fRe[k], doc.m_fIm[k]), 1.0, 1e-4) << k;
        // Delay of N/2 samples: alternating sign.
        EXPECT_NEAR(doc.m_fRe[k], k % 2 ? -1.0 : 1.0, 1e-3) << k;
    }
}

TEST(Impulse, APulseRunningPastTheRecordIsClipped) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    std::fill(doc.m_fWave1.begin(), doc.m_fWave1.end(), 7.0f);
    doc.OnImpulse(0, 1, 100, 48000.0);
    const float h = 128.0f / 100.0f;
    for (int i = 0; i < 128; ++i) EXPECT_EQ(doc.m_fWave1[i], i >= 32 ? h : 0.0f) << i;
    // Nothing is written beyond the N-point record.
    EXPECT_EQ(doc.m_fWave1[128], 7.0f);
    EXPECT_EQ(doc.m_fWave1[131], 7.0f);
    EXPECT_NEAR(doc.m_fRe[0], 96 * h / 128, 1e-5);
}

// The TSP record has a flat unit spectrum whose phase is the quadratic design
// 4 pi m k^2 / N^2 plus the linear term of the m-sample start (2 pi k m / N).
void ExpectTsp(int pow) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.OnTsp(pow, 48000.0);
    const int n = 1 << (pow + 7);
    const long long m = n / 4;
    EXPECT_EQ(doc.m_nPoints, n);
    EXPECT_EQ(doc.disp_mode1, kind::Spectrum);
    const float scale = 1000.0f / std::sqrt(static_cast<float>(1 << pow));
    double worst = 0.0;
    for (int k = 0; k < n; k += (k < 40 ? 1 : 37)) {
        const long long kk = k <= n / 2 ? k : n - k;
        const long double phase = 12.566370614359172L * (m * kk * kk) / (1.0L * n * n);
        const long double linear = 6.283185307179586L * kk * m / n;
        long double total = std::fmod(phase + linear, 6.283185307179586L);
        if (k > n / 2) total = -total;
        const cd want = std::polar(1.0, static_cast<double>(total));
        worst = std::max(worst, std::abs(cd(doc.m_fRe[k], doc.m_fIm[k]) - want));
    }
    EXPECT_LT(worst, 1e-2) << n;
    // The display copies are scaled, the stored time record matches them.
    double energy = 0.0;
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(doc.m_fWork1[i], doc.m_fWave1[i]);
        energy += static_cast<double>(doc.m_fWave1[i]) * doc.m_fWave1[i];
    }
    // Parseval: N unit bins through the unscaled inverse give the energy N^2.
    EXPECT_NEAR(energy / (static_cast<double>(scale) * scale), 1.0 * n * n, 1e-3 * n * n);
}

TEST(Tsp, HasAUnitSpectrumWithTheQuadraticPhase) {
    ExpectTsp(0);
    ExpectTsp(4);
}

TEST(Tsp, LargestRecordNeedsSixtyFourBitPhaseProducts) {
    ExpectTsp(8);
}

TEST(SamplingChoice, EntriesAndTheCustomValue) {
    EXPECT_EQ(SamplingFrequencyOfEntry(0), 44100.0);
    EXPECT_EQ(SamplingFrequencyOfEntry(1), 48000.0);
    EXPECT_EQ(SamplingFrequencyOfEntry(2), 96000.0);
    EXPECT_EQ(SamplingFrequencyOfEntry(3), 176400.0);
    EXPECT_FALSE(SamplingFrequencyOfEntry(4));
    EXPECT_EQ(CustomSamplingFrequency(32.0), 32000.0);
    EXPECT_FALSE(CustomSamplingFrequency(0.0));
    EXPECT_FALSE(CustomSamplingFrequency(-8.0));
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.OnTsp(0, *CustomSamplingFrequency(32.0));
    EXPECT_FLOAT_EQ(doc.m_fDt, 1.0f / 32000);
}

} // namespace
