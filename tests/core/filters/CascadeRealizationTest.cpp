#include "filters/CascadeRealization.h"
#include "document/ScriptedUi.h"
#include "filters/CascadeDesign.h"
#include "filters/CascadeMessages.h"
#include "filters/CascadeResponse.h"
#include "filters/PreferredSeries.h"
#include "filters/StageTopology.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kFs = 48000.0;

struct Refs {
    double r[filt::kMaxSections];
    double c[filt::kMaxSections];
    Refs(double rr = kDefaultRefResistor, double cc = kDefaultRefCapacitor) {
        for (int k = 0; k < filt::kMaxSections; ++k) {
            r[k] = rr;
            c[k] = cc;
        }
    }
};

int Design(int kind, int shape, int n, double f1, double f2, BiquadTable& ana) {
    BiquadTable iir;
    switch (kind) {
    case kCascadeButterworth:
        return CascadeButterworth(shape, n, kFs, f1, f2, ana, iir);
    case kCascadeChebyshev:
        return CascadeChebyshev(shape, n, kFs, f1, f2, 1.0, ana, iir);
    case kCascadeInvChebyshev:
        return CascadeInvChebyshev(shape, n, kFs, f1, f2, 50.0, ana, iir);
    default:
        return CascadeElliptic(shape, n, kFs, f1, f2, 1.0, 50.0, ana, iir);
    }
}

TEST(CascadeRealization, SallenKeyLowPassExactValuesAndRebuild) {
    BiquadTable ana;
    ana.a2[0] = 1.0;
    ana.a1[0] = 1.41421e4;
    ana.a0[0] = 1e8;
    ana.b0[0] = 1e8;
    Refs refs;
    CrTable cr;
    CScriptedUi ui;
    ASSERT_EQ(RealizeCascade(ui, shape::LowPass, kCascadeButterworth, 2, kSeriesExact, refs.r,
                             refs.c, ana, cr),
              1);
    EXPECT_DOUBLE_EQ(cr.R0[0], 10000.0);
    EXPECT_DOUBLE_EQ(cr.R1[0], 10000.0);
    EXPECT_NEAR(cr.C0[0], 14.1422e-9, 1e-12);
    EXPECT_NEAR(cr.C1[0], 7.0711e-9, 1e-12);
    BiquadTable anacr;
    ASSERT_EQ(CascadeAnaResp(ui, kCascadeButterworth, shape::LowPass, 2, cr, anacr), 1);
    EXPECT_NEAR(anacr.a1[0], 1.41421e4, 1e-8);
    EXPECT_NEAR(anacr.a0[0], 1e8, 1e-4);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(PreferredSeries, NearestWindowAndDecade) {
    PreferredSeries e12(PreferredSeries::E12);
    double v = 0.0;
    ASSERT_TRUE(e12.Nearest(4700.0, v));
    EXPECT_EQ(v, 4700.0);
    ASSERT_TRUE(e12.Nearest(5000.0, v)); // 6 % below rather than 12 % above
    EXPECT_EQ(v, 4700.0);
    ASSERT_TRUE(e12.Nearest(9.6e-9, v)); // rounds up into the next decade
    EXPECT_DOUBLE_EQ(v, 10e-9);
    ASSERT_TRUE(e12.FirstNotBelow(10000.0, v));
    EXPECT_EQ(v, 10000.0);
    std::vector<double> w;
    ASSERT_TRUE(e12.Window(10000.0, 1.5, w)); // L = 66.7: 68 ... first entry >= 150
    EXPECT_EQ(w, (std::vector<double>{6800, 8200, 10000, 12000, 15000}));
    EXPECT_FALSE(e12.Window(0.0, 1.5, w));
    EXPECT_FALSE(e12.Window(-3.0, 1.5, w));
    EXPECT_FALSE(e12.Nearest(1e20, v));
}

struct RealizeCase {
    int kind, shape, n;
};

class CascadeRealizeTest : public ::testing::TestWithParam<RealizeCase> {};

std::vector<RealizeCase> RealizeCases() {
    std::vector<RealizeCase> cases;
    for (int kind = 0; kind < 4; ++kind)
        for (int shape = 0; shape < 4; ++shape)
            for (int n : {3, 4, 6}) cases.push_back({kind, shape, n});
    return cases;
}

// Relative size of the value's mantissa in a series table (10 ... 910).
bool InSeries(double value, PreferredSeries::Kind kind) {
    PreferredSeries s(kind);
    double v = 0.0;
    return s.Nearest(std::fabs(value), v) && std::fabs(v / std::fabs(value) - 1.0) < 1e-12;
}

TEST_P(CascadeRealizeTest, ExactComponentsRebuildTheStage) {
    const RealizeCase c = GetParam();
    BiquadTable ana;
    ASSERT_EQ(Design(c.kind, c.shape, c.n, 2000, 4500, ana), 1);
    const int m = CascadeEffectiveOrder(c.shape, c.n);
    Refs refs(22000.0, 4.7e-9);
    CrTable cr;
    CScriptedUi ui;
    ASSERT_EQ(RealizeCascade(ui, c.shape, c.kind, m, kSeriesExact, refs.r, refs.c, ana, cr), 1);
    BiquadTable anacr;
    ASSERT_EQ(CascadeAnaResp(ui, c.kind, c.shape, m, cr, anacr), 1);
    const bool unityGainStage0 =
        c.kind == kCascadeChebyshev && c.n % 2 == 0 && c.shape <= shape::HighPass;
    for (int k = 0; k < (m + 1) / 2; ++k) {
        const bool quadratic = ana.a2[k] != 0.0;
        const double scale = quadratic ? ana.a2[k] : ana.a1[k];
        const double gain = (unityGainStage0 && k == 0) ? std::pow(10.0, 1.0 / 20.0) : 1.0;
        // Coefficients compared on the scale of the stage's own pole frequency w.
        const double a0 = ana.a0[k] / scale;
        const double w = quadratic ? std::sqrt(a0) : a0;
        EXPECT_NEAR(anacr.a0[k], a0, 1e-12 * a0) << "stage " << k;
        EXPECT_NEAR(anacr.a1[k], ana.a1[k] / scale, 1e-12 * (quadratic ? w : 1.0)) << "stage " << k;
        EXPECT_EQ(anacr.a2[k], quadratic ? 1.0 : 0.0);
        const double b0 = gain * ana.b0[k] / scale;
        const double b1 = gain * ana.b1[k] / scale * w;
        const double b2 = gain * ana.b2[k] / scale * w * w;
        const double size = std::fabs(b0) + std::fabs(b1) + std::fabs(b2);
        // A notch whose zero sits on its pole needs infinite R5 ... R7; the limit of 99 MOhm
        // moves the zero by about 3 R3 / 99 MOhm.
        const double limit = std::fabs(cr.R5[k]) == 9.9e7 ? 3.0 * cr.R3[k] / 9.9e7 : 0.0;
        EXPECT_NEAR(anacr.b0[k], b0, (1e-9 + 1.01 * limit) * size) << "stage " << k;
        EXPECT_NEAR(anacr.b1[k] * w, b1, 1e-9 * size) << "stage " << k;
        EXPECT_NEAR(anacr.b2[k] * w * w, b2, 1e-9 * size) << "stage " << k;
    }
}

TEST_P(CascadeRealizeTest, SeriesComponentsStayWithinTheirRounding) {
    const RealizeCase c = GetParam();
    BiquadTable ana;
    ASSERT_EQ(Design(c.kind, c.shape, c.n, 2000, 4500, ana), 1);
    const int m = CascadeEffectiveOrder(c.shape, c.n);
    const int sections = (m + 1) / 2;
    double deviation[2] = {0.0, 0.0};
    for (int series : {kSeriesE12, kSeriesE24}) {
        const auto kind = series == kSeriesE12 ? PreferredSeries::E12 : PreferredSeries::E24;
        // Half the widest step between neighbouring values of the series.
        const double rounding = series == kSeriesE12 ? 0.11 : 0.055;
        Refs refs(10000.0, 1e-9);
        CrTable cr;
        CScriptedUi ui;
        ASSERT_EQ(RealizeCascade(ui, c.shape, c.kind, m, series, refs.r, refs.c, ana, cr), 1);
        BiquadTable anacr;
        ASSERT_EQ(CascadeAnaResp(ui, c.kind, c.shape, m, cr, anacr), 1);
        for (int k = 0; k < sections; ++k) {
            const double* values[] = {&cr.C0[k], &cr.C1[k], &cr.R0[k], &cr.R1[k], &cr.R2[k],
                                      &cr.R3[k], &cr.R4[k], &cr.R5[k], &cr.R6[k], &cr.R7[k]};
            const StageTopology t = ChooseStageTopology(c.shape, c.kind, m, k);
            const int used = t == StageTopology::StateVariableNotch      ? 10
                             : t == StageTopology::StateVariableBandPass ? 7
                                                                         : 4;
            for (int i = 0; i < used; ++i) {
                if (*values[i] == 0.0) continue;
                EXPECT_TRUE(InSeries(*values[i], kind))
                    << "component " << i << " = " << *values[i] << " of stage " << k;
            }
            // Pole frequency and damping within the rounding of the series (a0 carries two
            // rounded values at most).
            const double scale = ana.a2[k] != 0.0 ? ana.a2[k] : ana.a1[k];
            EXPECT_NEAR(std::sqrt(anacr.a0[k] / (ana.a0[k] / scale)), 1.0, rounding)
                << "stage " << k;
            EXPECT_NEAR(anacr.a1[k] / (ana.a1[k] / scale), 1.0, 2.0 * rounding) << "stage " << k;
        }
        // Response deviation from the design over the audio band, gain-normalised at 1 kHz for
        // the unity-gain Sallen-Key stages.
        double worst = 0.0;
        for (int i = 0; i <= 400; ++i) {
            const double f = 20.0 * std::pow(1000.0, i / 400.0);
            const double w = 2.0 * kPi * f;
            const double a = std::abs(AnalogCascadeResponse(ana, sections, w));
            const double b = std::abs(AnalogCascadeResponse(anacr, sections, w));
            if (a < 1e-3) continue; // stop band: levels below -60 dB
            worst = std::max(worst, std::fabs(20.0 * std::log10(b / a)));
        }
        deviation[series] = worst;
    }
    // E24 holds every E12 value: its realisation is as close to the design as E12's, up to the
    // choices the sequential search makes stage by stage.
    EXPECT_LE(deviation[kSeriesE24], deviation[kSeriesE12] + 0.1)
        << "E24 " << deviation[kSeriesE24] << " dB, E12 " << deviation[kSeriesE12] << " dB";
}

INSTANTIATE_TEST_SUITE_P(AllKindsAndShapes, CascadeRealizeTest, ::testing::ValuesIn(RealizeCases()),
                         [](const ::testing::TestParamInfo<RealizeCase>& info) {
                             const RealizeCase& c = info.param;
                             return "kind" + std::to_string(c.kind) + "_shape" +
                                    std::to_string(c.shape) + "_order" + std::to_string(c.n);
                         });

TEST(CascadeRealization, InverseChebyshevHighPassNotchHasNegativeZeroResistors) {
    BiquadTable ana;
    ASSERT_EQ(Design(kCascadeInvChebyshev, shape::HighPass, 4, 2000, 0, ana), 1);
    Refs refs;
    CrTable cr;
    CScriptedUi ui;
    ASSERT_EQ(RealizeCascade(ui, shape::HighPass, kCascadeInvChebyshev, 4, kSeriesExact, refs.r,
                             refs.c, ana, cr),
              1);
    for (int k = 0; k < 2; ++k) {
        EXPECT_LT(cr.R5[k], 0.0);
        EXPECT_EQ(cr.R5[k], cr.R6[k]);
        EXPECT_EQ(cr.R5[k], cr.R7[k]);
    }
}

TEST(CascadeRealization, OtherSeriesAndOddBandPassAreRefused) {
    BiquadTable ana;
    ASSERT_EQ(Design(kCascadeButterworth, shape::LowPass, 4, 2000, 0, ana), 1);
    Refs refs;
    CrTable cr;
    cr.R0[0] = 123.0;
    CScriptedUi ui;
    EXPECT_EQ(RealizeCascade(ui, shape::LowPass, kCascadeButterworth, 4, kSeriesSFunction, refs.r,
                             refs.c, ana, cr),
              0);
    EXPECT_EQ(cr.R0[0], 123.0);
    BiquadTable anacr;
    EXPECT_EQ(CascadeAnaResp(ui, kCascadeButterworth, shape::BandPass, 5, cr, anacr), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, cmsg::kAnaRespError);
}

TEST(CascadeRealization, NotchWithNegativeCoefficientIsReportedAndContinues) {
    BiquadTable ana;
    ana.a2[0] = 1.0;
    ana.a1[0] = 1000.0;
    ana.a0[0] = 1e8;
    ana.b2[0] = 1.0;
    ana.b0[0] = -1e7;
    Refs refs;
    CrTable cr;
    CScriptedUi ui;
    EXPECT_EQ(RealizeCascade(ui, shape::BandStop, kCascadeButterworth, 2, kSeriesExact, refs.r,
                             refs.c, ana, cr),
              1);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages[0].text, cmsg::kNegativeCoefficient);
}

// A notch stage whose integrator capacitor or resistors have no preferred values would be built
// of zero components: the realization fails instead of reporting success.
TEST(CascadeRealization, NotchWithoutPreferredValuesFails) {
    BiquadTable ana;
    ASSERT_EQ(Design(kCascadeButterworth, shape::BandStop, 2, 2000, 4500, ana), 1);
    ASSERT_EQ(ChooseStageTopology(shape::BandStop, kCascadeButterworth, 2, 0),
              StageTopology::StateVariableNotch);
    struct Case {
        double cap;
        const char* message;
    };
    for (const Case& c : {Case{1e-20, cmsg::kChangeCapBsf}, Case{1e20, cmsg::kChangeCapBsf}}) {
        Refs refs(kDefaultRefResistor, c.cap);
        CrTable cr;
        cr.C0[0] = 123.0;
        CScriptedUi ui;
        EXPECT_EQ(RealizeCascade(ui, shape::BandStop, kCascadeButterworth, 2, kSeriesE24, refs.r,
                                 refs.c, ana, cr),
                  0)
            << c.cap;
        EXPECT_EQ(cr.C0[0], 123.0) << c.cap;
        ASSERT_FALSE(ui.messages.empty()) << c.cap;
        EXPECT_EQ(ui.messages.back().text, c.message) << c.cap;
    }
    // The same stage with a usable capacitor is realized with non-zero parts.
    Refs refs;
    CrTable cr;
    CScriptedUi ui;
    ASSERT_EQ(RealizeCascade(ui, shape::BandStop, kCascadeButterworth, 2, kSeriesE24, refs.r,
                             refs.c, ana, cr),
              1);
    EXPECT_GT(cr.C0[0], 0.0);
    EXPECT_GT(cr.R2[0], 0.0);
    EXPECT_GT(cr.R3[0], 0.0);
}

} // namespace
