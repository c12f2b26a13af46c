#include "dsp/Window.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "dsp/WindowKinds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {
std::vector<float> Window(int kind, int n, float beta = 10.0f) {
    std::vector<float> w(n);
    FillWindow(kind, n, beta, w.data());
    return w;
}
} // namespace

TEST(WindowTest, TriangleOf128) {
    const auto w = Window(wnd::Triangle, 128);
    EXPECT_EQ(w[0], 0.0f);
    EXPECT_EQ(w[64], 1.0f);
    EXPECT_EQ(w[127], 1.0f / 64.0f);
    EXPECT_EQ(w[32], 0.5f);
    EXPECT_EQ(w[96], 0.5f);
}

TEST(WindowTest, CosineWindowsArePeriodicAndUnnormalised) {
    const int n = 1024;
    const auto hann = Window(wnd::Hanning, n);
    const auto hamm = Window(wnd::Hamming, n);
    const auto black = Window(wnd::Blackman, n);
    EXPECT_EQ(hann[0], 0.0f);
    EXPECT_FLOAT_EQ(hann[n / 2], 1.0f);
    EXPECT_FLOAT_EQ(hamm[0], 0.08f);
    EXPECT_FLOAT_EQ(hamm[n / 2], 1.0f);
    EXPECT_NEAR(black[0], 0.0f, 1e-7);
    EXPECT_FLOAT_EQ(black[n / 2], 1.0f);
    // Quarter period: cos = 0 and cos 2a = -1.
    EXPECT_NEAR(hann[n / 4], 0.5f, 1e-6);
    EXPECT_NEAR(hamm[n / 4], 0.54f, 1e-6);
    EXPECT_NEAR(black[n / 4], 0.34f, 1e-6);
    // Against the definitions evaluated in double precision at the exact angles.
    for (int j : {1, 100, 511, 700, 1023}) {
        const double a = 2.0 * std::numbers::pi * j / n;
        EXPECT_NEAR(hann[j], 0.5 * (1 - std::cos(a)), 1e-6) << j;
        EXPECT_NEAR(hamm[j], 0.54 - 0.46 * std::cos(a), 1e-6) << j;
        EXPECT_NEAR(black[j], 0.42 - 0.5 * std::cos(a) + 0.08 * std::cos(2 * a), 1e-6) << j;
        EXPECT_NEAR(hann[j], hann[n - j], 1e-6) << j; // periodic symmetry about n/2
    }
}

TEST(WindowTest, KaiserEdgeValues) {
    const auto ones = Window(wnd::Kaiser, 256, 0.0f);
    for (float v : ones) ASSERT_EQ(v, 1.0f);
    const auto k10 = Window(wnd::Kaiser, 256, 10.0f);
    EXPECT_NEAR(k10[0], 1.0f / BesselI0(10.0f), 1e-9);
    EXPECT_NEAR(k10[0], 3.55e-4, 0.01e-4);
    EXPECT_EQ(k10[128], 1.0f);
    EXPECT_FLOAT_EQ(k10[1], k10[255]);
}

TEST(WindowTest, BesselSumsTwentyTerms) {
    EXPECT_EQ(BesselI0(0.0f), 1.0f);
    EXPECT_NEAR(BesselI0(1.0f), 1.2660658777520082, 1e-6);
    EXPECT_NEAR(BesselI0(10.0f) / 2815.716628466254, 1.0, 1e-6);
    // Twenty terms only: far from the origin the series falls short of I0.
    EXPECT_LT(BesselI0(40.0f), 0.7 * 1.4894e16);
}

TEST(WindowTest, OtherKindsAreOnes) {
    for (int kind : {wnd::Rectangular, wnd::None, 0, 42})
        for (float v : Window(kind, 64)) ASSERT_EQ(v, 1.0f);
}

class WindowCommandTest : public ::testing::Test {
protected:
    WindowCommandTest() : doc(ui) {
        doc.SetPow(0); // 128 points
        for (int i = 0; i < 128; ++i) {
            doc.m_fWave1[i] = 100.0f + i;
            doc.m_fWave2[i] = -50.0f - i;
            doc.m_fWork1[i] = doc.m_fWave1[i];
            doc.m_fWork2[i] = doc.m_fWave2[i];
        }
    }
    CScriptedUi ui;
    CKymoDoc doc;
};

TEST_F(WindowCommandTest, WindowsOneOrBothChannels) {
    for (int k : {kind::CutOneChannel, kind::CutTwoChannels}) {
        doc.disp_mode1 = k;
        for (int i = 0; i < 128; ++i) doc.m_fWork2[i] = 7.0f;
        doc.OnWindowCommand(wnd::Hanning);
        EXPECT_EQ(doc.m_nWindowType, wnd::Hanning);
        EXPECT_EQ(doc.disp_mode1, k);
        const auto w = Window(wnd::Hanning, 128);
        for (int i = 0; i < 128; ++i) {
            ASSERT_EQ(doc.m_fWindow[i], w[i]);
            ASSERT_EQ(doc.m_fWork1[i], w[i] * doc.m_fWave1[i]);
            ASSERT_EQ(doc.m_fWork2[i], k == kind::CutTwoChannels ? w[i] * doc.m_fWave2[i] : 7.0f);
        }
    }
}

TEST_F(WindowCommandTest, WithoutRestoresRecordAndKeepsCoefficients) {
    doc.disp_mode1 = kind::CutTwoChannels;
    doc.OnWindowCommand(wnd::Hanning);
    doc.OnWindowWithout();
    EXPECT_EQ(doc.m_nWindowType, wnd::None);
    const auto w = Window(wnd::Hanning, 128);
    for (int i = 0; i < 128; ++i) {
        ASSERT_EQ(doc.m_fWork1[i], doc.m_fWave1[i]);
        ASSERT_EQ(doc.m_fWork2[i], doc.m_fWave2[i]);
        ASSERT_EQ(doc.m_fWindow[i], w[i]);
    }
}

TEST_F(WindowCommandTest, KaiserBetaFromDialogToolbarOrDefault) {
    doc.disp_mode1 = kind::CutOneChannel;
    // Dialog: opened with the stored beta truncated; OK stores the answer.
    doc.m_fKaiserBeta = 10.7f;
    ui.kaiserBetaAnswers.push_back(0);
    doc.OnWindowCommand(wnd::Kaiser);
    ASSERT_EQ(ui.kaiserBetaAsked.size(), 1u);
    EXPECT_EQ(ui.kaiserBetaAsked[0], 10);
    EXPECT_EQ(doc.m_fKaiserBeta, 0.0f);
    EXPECT_EQ(doc.m_fWindow[0], 1.0f);
    // Cancel keeps the stored beta.
    doc.m_fKaiserBeta = 10.0f;
    ui.kaiserBetaAnswers.push_back(std::nullopt);
    doc.OnWindowCommand(wnd::Kaiser);
    EXPECT_EQ(doc.m_fKaiserBeta, 10.0f);
    EXPECT_NEAR(doc.m_fWindow[0], 1.0f / BesselI0(10.0f), 1e-9);
    // From the toolbar: no dialog, stored beta.
    doc.m_bFromToolbar = 1;
    doc.m_fKaiserBeta = 5.0f;
    doc.OnWindowCommand(wnd::Kaiser);
    EXPECT_EQ(ui.kaiserBetaAsked.size(), 2u);
    EXPECT_NEAR(doc.m_fWindow[0], 1.0f / BesselI0(5.0f), 1e-9);
    // Not interactive: beta 12 whatever is stored.
    doc.MakeWindow(0, 0, wnd::Kaiser, 128);
    EXPECT_EQ(ui.kaiserBetaAsked.size(), 2u);
    EXPECT_NEAR(doc.m_fWindow[0], 1.0f / BesselI0(12.0f), 1e-10);
    EXPECT_EQ(doc.m_fKaiserBeta, 5.0f);
}

// The largest accepted beta still gives a finite window that peaks at 1; just beyond the float
// sum of the series the coefficients are lost.
TEST(WindowTest, KaiserBetaBoundKeepsTheWindowFinite) {
    EXPECT_TRUE(KaiserBetaRepresentable(150.0));
    EXPECT_TRUE(KaiserBetaRepresentable(-150.0));
    EXPECT_FALSE(KaiserBetaRepresentable(150.5));
    EXPECT_FALSE(KaiserBetaRepresentable(std::nan("")));
    const auto w = Window(wnd::Kaiser, 1024, 150.0f);
    for (float v : w) ASSERT_TRUE(std::isfinite(v) && v >= 0.0f && v <= 1.0f) << v;
    EXPECT_EQ(w[512], 1.0f);
    EXPECT_FALSE(std::isfinite(BesselI0(153.0f)));
}

TEST_F(WindowCommandTest, KaiserBetaBeyondTheSeriesIsRefused) {
    doc.disp_mode1 = kind::CutOneChannel;
    struct Case {
        int answer;
        float betaAfter;
        bool refused;
    };
    for (const Case& c : {Case{200, 10.0f, true}, Case{-151, 10.0f, true}, Case{150, 150.0f, false},
                          Case{-150, -150.0f, false}}) {
        doc.m_fKaiserBeta = 10.0f;
        ui.Clear();
        ui.kaiserBetaAnswers.push_back(c.answer);
        doc.OnWindowCommand(wnd::Kaiser);
        EXPECT_EQ(doc.m_fKaiserBeta, c.betaAfter) << c.answer;
        EXPECT_EQ(
            ui.MessageTexts(),
            c.refused
                ? std::vector<std::string>{"β値が大きすぎます。β=-150～150の範囲で設定して下さい。"}
                : std::vector<std::string>{})
            << c.answer;
        for (int i = 0; i < 128; ++i) ASSERT_TRUE(std::isfinite(doc.m_fWork1[i])) << c.answer;
    }
}
