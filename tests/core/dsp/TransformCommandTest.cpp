#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "dsp/WindowKinds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

class TransformCommandTest : public ::testing::Test {
protected:
    TransformCommandTest() : doc(ui) { doc.SetPow(3); } // 1024 points
    CScriptedUi ui;
    CKymoDoc doc;
};

TEST_F(TransformCommandTest, FftOfOnesGivesBinZero) {
    const int n = doc.m_nPoints;
    for (int i = 0; i < n; ++i) doc.m_fWork1[i] = 1.0f;
    doc.disp_mode1 = kind::TimeRecord;
    ASSERT_EQ(doc.OnFft(), 1);
    EXPECT_EQ(doc.disp_mode1, kind::Spectrum);
    EXPECT_EQ(doc.disp_mode0, subreq::ForwardResult);
    EXPECT_EQ(doc.m_bRescale, 1);
    EXPECT_NEAR(doc.m_fRe[0], 1.0f, 1e-5);
    for (int k = 1; k < n; ++k) ASSERT_NEAR(std::hypot(doc.m_fRe[k], doc.m_fIm[k]), 0.0f, 1e-5);
    EXPECT_EQ(doc.m_fWork1[5], 1.0f / n);
}

TEST_F(TransformCommandTest, SineAtABinReadsHalfItsAmplitude) {
    const int n = doc.m_nPoints;
    const int bin = 37;
    for (int i = 0; i < n; ++i)
        doc.m_fWork1[i] =
            static_cast<float>(32767.0 * std::sin(2 * std::numbers::pi * bin * i / n));
    doc.disp_mode1 = kind::TimeRecord;
    ASSERT_EQ(doc.OnFft(), 1);
    const double mag = std::hypot(doc.m_fRe[bin], doc.m_fIm[bin]);
    EXPECT_NEAR(mag, 32767.0 / 2, 0.05);
    EXPECT_NEAR(std::hypot(doc.m_fRe[n - bin], doc.m_fIm[n - bin]), 32767.0 / 2, 0.05);
    EXPECT_NEAR(20 * std::log10(mag), 84.28, 0.01);
}

TEST_F(TransformCommandTest, IftThenFftReproducesTheSpectrum) {
    const int n = doc.m_nPoints;
    std::mt19937 gen(5);
    std::normal_distribution<float> dist;
    std::vector<float> re(n), im(n);
    for (int k = 0; k < n; ++k) {
        re[k] = doc.m_fRe[k] = dist(gen);
        im[k] = doc.m_fIm[k] = dist(gen);
    }
    doc.disp_mode1 = kind::Transfer;
    doc.m_nWindowType = wnd::Hanning;
    ASSERT_EQ(doc.OnIft(), 1);
    EXPECT_EQ(doc.disp_mode1, kind::TimeRecord);
    EXPECT_EQ(doc.disp_mode0, subreq::InverseResult);
    EXPECT_EQ(doc.m_nWindowType, wnd::None);
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(doc.m_fIm[i], 0.0f);
        ASSERT_EQ(doc.m_fWave1[i], doc.m_fWork1[i] / n);
    }
    ASSERT_EQ(doc.OnFft(), 1);
    // The imaginary part of the time record was dropped: the spectrum comes back Hermitian.
    for (int k = 1; k < n; ++k) {
        ASSERT_NEAR(doc.m_fRe[k], 0.5f * (re[k] + re[n - k]), 1e-4) << k;
        ASSERT_NEAR(doc.m_fIm[k], 0.5f * (im[k] - im[n - k]), 1e-4) << k;
    }
}
