#include "filters/FilterLimits.h"
#include "filters/FirMagnitude.h"
#include "filters/FirSettings.h"
#include "filters/KaiserFir.h"
#include "filters/WindowFir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// |H(f)| in dB of taps h at frequency f (Hz) for sampling frequency fs.
double GainDb(const std::vector<double>& h, double f, double fs) {
    std::complex<double> sum = 0.0;
    for (std::size_t k = 0; k < h.size(); ++k)
        sum += h[k] * std::polar(1.0, -2.0 * kPi * f / fs * static_cast<double>(k));
    return 20.0 * std::log10(std::abs(sum) + 1e-300);
}

std::vector<double> Kaiser(const KaiserSettings& s, int fs) {
    KaiserFir fir;
    const int n = DesignKaiser(fir, s, fs);
    std::vector<double> h(static_cast<std::size_t>(n));
    EXPECT_EQ(fir.CopyTaps(h.data()), n);
    return h;
}

TEST(KaiserFir, DefaultLowPassOrderAndBeta) {
    int taps = 0;
    const KaiserSettings s; // 2000 Hz, 500 Hz transition, 40 dB
    ASSERT_FALSE(CheckKaiserSettings(s, 48000, taps));
    EXPECT_EQ(taps, 215);
    KaiserFir fir;
    EXPECT_EQ(DesignKaiser(fir, s, 48000), 215);
    EXPECT_EQ(fir.GetTaps(), 215);
    EXPECT_NEAR(KaiserFir::Beta(40.0f), 3.395, 5e-4);
    EXPECT_NEAR(KaiserFir::Beta(50.0f), 0.5842 * std::pow(29.0, 0.4) + 0.07886 * 29.0, 1e-4);
    EXPECT_NEAR(KaiserFir::Beta(50.01f), 0.1102 * (50.01 - 8.7), 1e-4);
    EXPECT_EQ(KaiserFir::Beta(20.0f), 0.0f);
    // Centre tap of the prototype is wc / pi with wc in the middle of the transition.
    EXPECT_NEAR(fir.Taps()[107], (2000.0 + 2500.0) / 2.0 / 24000.0, 1e-6);
    EXPECT_NEAR(KaiserFir::BesselI0(0.0f), 1.0f, 0.0f);
    EXPECT_NEAR(KaiserFir::BesselI0(3.0f), 4.8807925856, 1e-5);
}

TEST(KaiserFir, OddOrderIsRoundedUpToEven) {
    // (60 - 8) / (2.285 * pi * 1000 / 24000) + 1 = 174.85 -> M = 174, N = 175;
    // (61 - 8) / (...) + 1 = 178.1 -> M = 178; (62 - 8) -> 181.37 -> M = 181 odd -> 182, N = 183.
    int taps = 0;
    for (const auto& [atten, want] : {std::pair{60.0f, 175}, {61.0f, 179}, {62.0f, 183}}) {
        KaiserSettings s;
        s.atten = atten;
        s.transition = 1000.0f;
        ASSERT_FALSE(CheckKaiserSettings(s, 48000, taps));
        EXPECT_EQ(taps, want) << atten;
    }
}

TEST(KaiserFir, LowPassMeetsSixtyDbOnDenseGrid) {
    KaiserSettings s;
    s.atten = 60.0f;
    s.cutLow = 3000.0f;
    s.transition = 800.0f;
    const auto h = Kaiser(s, 48000);
    const double delta = std::pow(10.0, -60.0 / 20.0);
    double worstStop = -400.0, worstPass = 0.0;
    for (double f = 0.0; f <= 24000.0; f += 2.0) {
        const double g = GainDb(h, f, 48000.0);
        if (f >= 3800.0) worstStop = std::max(worstStop, g);
        if (f <= 3000.0) worstPass = std::max(worstPass, std::fabs(std::pow(10.0, g / 20.0) - 1));
    }
    EXPECT_LE(worstStop, -60.0 + 0.5);
    // The order formula is an estimate: the pass-band ripple comes within 1 dB of delta.
    EXPECT_LE(20.0 * std::log10(worstPass), 20.0 * std::log10(delta) + 1.0);
}

struct ShapeCase {
    int shape;
    float fL, fH;
    std::vector<std::pair<double, double>> pass, stop; // frequency ranges in Hz
};

class KaiserShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(KaiserShapes, PassAndStopBands) {
    const ShapeCase& c = GetParam();
    KaiserSettings s;
    s.shape = c.shape;
    s.cutLow = c.fL;
    s.cutHigh = c.fH;
    s.atten = 60.0f;
    s.transition = 600.0f;
    const auto h = Kaiser(s, 48000);
    ASSERT_GT(h.size(), 100u);
    for (std::size_t k = 0; k < h.size(); ++k) ASSERT_NEAR(h[k], h[h.size() - 1 - k], 1e-6);
    // Two shifted images of the prototype can add: allow twice the ripple.
    const double delta = 2.0 * std::pow(10.0, -60.0 / 20.0) * 1.12;
    for (const auto& [lo, hi] : c.pass)
        for (double f = lo; f <= hi; f += 5.0)
            ASSERT_NEAR(std::pow(10.0, GainDb(h, f, 48000.0) / 20.0), 1.0, delta) << f;
    for (const auto& [lo, hi] : c.stop)
        for (double f = lo; f <= hi; f += 5.0)
            ASSERT_LE(GainDb(h, f, 48000.0), 20.0 * std::log10(delta)) << f;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, KaiserShapes,
    ::testing::Values(
        ShapeCase{shape::HighPass, 5000, 0, {{5000, 24000}}, {{0, 4400}}},
        ShapeCase{shape::BandPass, 4000, 9000, {{4000, 9000}}, {{0, 3400}, {9600, 24000}}},
        ShapeCase{shape::BandStop, 4000, 9000, {{0, 3400}, {9600, 24000}}, {{4000, 9000}}}),
    [](const ::testing::TestParamInfo<ShapeCase>& info) {
        return "shape" + std::to_string(info.param.shape);
    });

TEST(KaiserFir, ModulationsOfTheShapes) {
    const float fs = 48000, fL = 4000, fH = 9000, d = 600, a = 50;
    KaiserFir bp, bs, hp, lp;
    const int n = bp.DesignBandpass(fs, fH, fH + d, fL, fL - d, a);
    ASSERT_EQ(bs.DesignBandstop(fs, fH, fH + d, fL, fL - d, a), n);
    const int c = (n - 1) / 2;
    for (int j = 0; j < n; ++j)
        EXPECT_FLOAT_EQ(bs.Taps()[j], -bp.Taps()[j] + (j == c ? 1.0f : 0.0f)) << j;

    const int m = hp.DesignHighpass(fs, 5000, 5000 - d, a);
    ASSERT_EQ(lp.DesignLowpass(fs, fs / 2 - 5000, fs / 2 - (5000 - d), a), m);
    for (int j = 0; j < m; ++j) EXPECT_EQ(hp.Taps()[j], (j % 2 ? -1.0f : 1.0f) * lp.Taps()[j]);
}

TEST(KaiserFir, RefusesWithoutAllocatingWhenTooLong) {
    KaiserFir fir;
    EXPECT_EQ(fir.DesignLowpass(48000, 2000, 2000.001f, 90), 0);
    EXPECT_EQ(fir.Taps(), nullptr);
    EXPECT_EQ(fir.DesignLowpass(48000, 2000, 2000, 40), 0);
}

struct WindowCase {
    int window;
    double stopDb; // required attenuation away from the transition
};

class WindowDesign : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowDesign, AllShapesOddAndEven) {
    const int window = GetParam().window;
    const double stopDb = GetParam().stopDb;
    const double fs = 48000.0;
    for (int taps : {201, 200}) {
        for (int sh = 0; sh < 4; ++sh) {
            std::vector<double> h(static_cast<std::size_t>(taps), 99.0);
            DesignWindowFir(sh, window, taps, 6000.0, 12000.0, fs, h.data());
            for (int k = 0; k < taps; ++k) ASSERT_NEAR(h[k], h[taps - 1 - k], 1e-12);
            const bool lowPasses = sh == shape::LowPass || sh == shape::BandStop;
            const bool midPasses = sh == shape::BandPass || sh == shape::HighPass;
            const bool highPasses = sh == shape::HighPass || sh == shape::BandStop;
            const double tol = window == firwin::Rectangular ? 0.8
                               : window == firwin::Bartlett  ? 0.5
                                                             : 0.1; // dB
            auto check = [&](double f, bool passes) {
                const double g = GainDb(h, f, fs);
                if (passes) {
                    EXPECT_NEAR(g, 0.0, tol) << "taps " << taps << " shape " << sh << " f " << f;
                } else {
                    EXPECT_LT(g, -stopDb) << "taps " << taps << " shape " << sh << " f " << f;
                }
            };
            for (double f : {0.0, 1500.0, 3500.0}) check(f, lowPasses);
            for (double f : {8000.0, 9000.0, 10000.0}) check(f, midPasses);
            for (double f : {16000.0, 19000.0}) check(f, highPasses);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowDesign,
                         ::testing::Values(WindowCase{firwin::Rectangular, 18},
                                           WindowCase{firwin::Bartlett, 24},
                                           WindowCase{firwin::BlackmanOpt, 70},
                                           WindowCase{firwin::Hamming, 50},
                                           WindowCase{firwin::Hann, 43}),
                         [](const ::testing::TestParamInfo<WindowCase>& info) {
                             return "window" + std::to_string(info.param.window);
                         });

TEST(FirMagnitude, SingleTapAndMirroredArrays) {
    const double one[1] = {1.0};
    std::vector<float> a(16, -1), b(16, -1);
    FirMagnitude(0, one, 8, 1, a.data(), b.data());
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(a[i], i == 8 ? -1.0f : 1.0f) << i;
    const double tri[3] = {0.25, 0.5, 0.25};
    FirMagnitude(0, tri, 8, 3, a.data(), b.data());
    for (int i = 0; i < 8; ++i) {
        const float want = static_cast<float>(0.5 + 0.5 * std::cos(kPi * i / 8));
        EXPECT_NEAR(a[i], want, 1e-6);
        EXPECT_EQ(b[i], a[i]);
        if (i) {
            EXPECT_EQ(a[16 - i], a[i]);
        }
    }
    std::vector<float> untouched(16, -1);
    FirMagnitude(1, tri, 8, 3, untouched.data(), untouched.data());
    EXPECT_EQ(untouched, std::vector<float>(16, -1));
}

struct WindowCheckCase {
    const char* name;
    FirWindowSettings s;
    std::optional<FirField> field;
    std::string message;
};

void PrintTo(const WindowCheckCase& c, std::ostream* os) {
    *os << c.name;
}

class WindowChecks : public ::testing::TestWithParam<WindowCheckCase> {};

TEST_P(WindowChecks, FirstFailureAndField) {
    const auto& c = GetParam();
    const auto e = CheckFirWindowSettings(c.s, 48000);
    ASSERT_EQ(e.has_value(), c.field.has_value());
    if (e) {
        EXPECT_EQ(e->field, *c.field);
        EXPECT_EQ(e->message, c.message);
    }
}

FirWindowSettings W(int shape, int taps, float fL, float fH) {
    return {shape, taps, fL, fH};
}

const std::string kTooHigh = "ｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません";
const std::string kZero = "0Hz以上の周波数にして下さい。";

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowChecks,
    ::testing::Values(
        WindowCheckCase{"Ok5", W(0, 5, 100, 0), {}, ""},
        WindowCheckCase{"Ok4096", W(0, 4096, 100, 0), {}, ""},
        WindowCheckCase{"Taps4", W(0, 4, 100, 0), FirField::Taps,
                        "タップ数は5～4096までとして下さい。"},
        WindowCheckCase{"Taps4097", W(1, 4097, 100, 0), FirField::Taps,
                        "タップ数は5～4096までとして下さい。"},
        WindowCheckCase{"LowZero", W(0, 4, 0, 0), FirField::CutLow, kZero},
        WindowCheckCase{"HighZero", W(2, 50, 100, 0), FirField::CutHigh, kZero},
        WindowCheckCase{"HighZeroIgnoredForLpf", W(0, 50, 100, 0), {}, ""},
        WindowCheckCase{"LowAboveNyquist", W(1, 50, 24001, 0), FirField::CutLow, kTooHigh},
        WindowCheckCase{"LowAtNyquist", W(1, 50, 24000, 0), {}, ""},
        WindowCheckCase{"HighAboveNyquist", W(3, 50, 100, 24001), FirField::CutHigh, kTooHigh},
        WindowCheckCase{"EqualCutOffs", W(2, 50, 100, 100), FirField::CutLow,
                        "Low Pass < High Pass　になるよう設定して下さい。"}),
    [](const auto& info) { return std::string(info.param.name); });

struct KaiserCheckCase {
    const char* name;
    KaiserSettings s;
    std::optional<FirField> field;
    std::string message;
};

void PrintTo(const KaiserCheckCase& c, std::ostream* os) {
    *os << c.name;
}

class KaiserChecks : public ::testing::TestWithParam<KaiserCheckCase> {};

TEST_P(KaiserChecks, FirstFailureAndField) {
    const auto& c = GetParam();
    int taps = -1;
    const auto e = CheckKaiserSettings(c.s, 48000, taps);
    ASSERT_EQ(e.has_value(), c.field.has_value()) << (e ? e->message : "");
    if (e) {
        EXPECT_EQ(e->field, *c.field);
        EXPECT_EQ(e->message, c.message);
    } else {
        EXPECT_GT(taps, 0);
    }
}

KaiserSettings K(int shape, float fL, float fH, float atten, float d) {
    return {shape, fL, fH, atten, d};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KaiserChecks,
    ::testing::Values(
        KaiserCheckCase{"Ok", K(0, 2000, 0, 40, 500), {}, ""},
        KaiserCheckCase{"LpfPastNyquist", K(0, 23600, 0, 40, 500), FirField::Transition,
                        "遷移帯域幅を小さくするか、低域のｶｯﾄｵﾌ周波数を低くして下さい。..."
                        "標本化定理を満たしていません"},
        KaiserCheckCase{"BpfPastNyquist", K(2, 1000, 23600, 40, 500), FirField::Transition,
                        "遷移帯域幅を小さくするか、高域のｶｯﾄｵﾌ周波数を低くして下さい。..."
                        "標本化定理を満たしていません"},
        KaiserCheckCase{"HpfBelowZero", K(1, 400, 0, 40, 500), FirField::Transition,
                        "遷移帯域幅を小さくするか、低域のｶｯﾄｵﾌ周波数を高くして下さい。"},
        KaiserCheckCase{"TransitionZero", K(0, 2000, 0, 40, 0), FirField::Transition,
                        "遷移帯域幅は0Hz以外の正の周波数を入れて下さい。"},
        KaiserCheckCase{"LowZero", K(0, 0, 0, 40, 500), FirField::CutLow,
                        "低域のｶｯﾄｵﾌは0Hz以外の正の周波数を入れて下さい。"},
        KaiserCheckCase{"HpfAboveNyquist", K(1, 30000, 0, 40, 500), FirField::CutLow,
                        "低域のｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません"},
        KaiserCheckCase{"HighAboveNyquist", K(3, 1000, 24001, 40, -5), FirField::Transition,
                        "遷移帯域幅は0Hz以外の正の周波数を入れて下さい。"},
        KaiserCheckCase{"HighPastNyquist", K(3, 1000, 24001, 40, 0.0f), FirField::Transition,
                        "遷移帯域幅を小さくするか、高域のｶｯﾄｵﾌ周波数を低くして下さい。..."
                        "標本化定理を満たしていません"},
        KaiserCheckCase{"HighZero", K(2, 1000, 0, 40, 500), FirField::CutHigh,
                        "高域のｶｯﾄｵﾌは0Hz以外の正の周波数を入れて下さい。"},
        KaiserCheckCase{"LowAboveHigh", K(2, 3000, 2000, 40, 500), FirField::CutLow,
                        "低域ｶｯﾄｵﾌ周波数 < 高域ｶｯﾄｵﾌ周波数になるよう設定して下さい。"},
        KaiserCheckCase{"EqualCutOffsPass", K(3, 3000, 3000, 40, 500), {}, ""},
        KaiserCheckCase{"Atten10", K(0, 2000, 0, 10, 500), {}, ""},
        KaiserCheckCase{"Atten90", K(0, 2000, 0, 90, 500), {}, ""},
        KaiserCheckCase{"Atten9", K(0, 2000, 0, 9.99f, 500), FirField::Atten,
                        "10～90dBの範囲で設定して下さい"},
        KaiserCheckCase{"Atten91", K(0, 2000, 0, 90.01f, 500), FirField::Atten,
                        "10～90dBの範囲で設定して下さい"},
        KaiserCheckCase{"TinyTransition", K(0, 2000, 0, 90, 0.001f), FirField::Transition,
                        "遷移帯域幅を大きくして下さい。(ﾀｯﾌﾟ数が大き過ぎます)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KaiserChecks, NoticeAboveFourThousandTaps) {
    int taps = 0;
    ASSERT_FALSE(CheckKaiserSettings(K(0, 2000, 0, 80, 30), 48000, taps));
    EXPECT_GT(taps, kKaiserNoticeTaps);
    EXPECT_EQ(KaiserNoticeText(5001),
              "CPUの負担が大きくなりますので本動作を推奨しません。          　...(ﾀｯﾌﾟ数=5001) "
              "このまま進みますか(OK)？　　　　減衰量を下げて回避しますか(ｷｬﾝｾﾙ)？");
    KaiserSettings lp = K(0, 2000, 4500, 40, 500);
    NormaliseKaiserSettings(lp);
    EXPECT_EQ(lp.cutHigh, 0.0f);
    KaiserSettings bp = K(2, 2000, 4500, 40, 500);
    NormaliseKaiserSettings(bp);
    EXPECT_EQ(bp.cutHigh, 4500.0f);
}

} // namespace
