#include "dsp/ServoElements.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace {

using cd = std::complex<double>;
constexpr double kPi = 3.141592653589793;

struct Record {
    explicit Record(int n) : re(n), im(n) {}
    cd at(int k) const { return {re[k], im[k]}; }
    std::vector<float> re, im;
};

void ExpectNear(cd got, cd want, double relative) {
    const double tol = relative * std::max(1.0, std::abs(want));
    EXPECT_NEAR(got.real(), want.real(), tol);
    EXPECT_NEAR(got.imag(), want.imag(), tol);
}

// Every element fills bin n - 1 - k with the conjugate of bin k, including bin n/2.
void ExpectNegativeFill(const Record& e, int n) {
    for (int k = 0; k < n / 2; ++k) {
        EXPECT_EQ(e.re[n - 1 - k], e.re[k]) << k;
        EXPECT_EQ(e.im[n - 1 - k], -e.im[k]) << k;
    }
}

struct OperationCase {
    int op;
    cd expected;
};

class CombineResponsesTest : public ::testing::TestWithParam<OperationCase> {};

TEST_P(CombineResponsesTest, AppliesTheOperationToEveryBin) {
    const cd h(3.0, -2.0), e(0.5, 4.0);
    Record hr(4), er(4);
    for (int k = 0; k < 4; ++k) {
        hr.re[k] = static_cast<float>(h.real() * (k + 1));
        hr.im[k] = static_cast<float>(h.imag() * (k + 1));
        er.re[k] = static_cast<float>(e.real());
        er.im[k] = static_cast<float>(e.imag());
    }
    CombineResponses(hr.re.data(), hr.im.data(), er.re.data(), er.im.data(), 4, GetParam().op);
    ExpectNear(hr.at(0), GetParam().expected, 1e-6);
    // Bins are independent: bin 3 started from 4 h.
    const cd h3 = 4.0 * h;
    const cd want3 = GetParam().op == servo_op::Add        ? h3 + e
                     : GetParam().op == servo_op::Subtract ? h3 - e
                     : GetParam().op == servo_op::Multiply ? h3 * e
                                                           : h3 / e;
    ExpectNear(hr.at(3), want3, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    FourOperations, CombineResponsesTest,
    ::testing::Values(OperationCase{servo_op::Add, cd(3.5, 2.0)},
                      OperationCase{servo_op::Subtract, cd(2.5, -6.0)},
                      OperationCase{servo_op::Multiply, cd(3.0, -2.0) * cd(0.5, 4.0)},
                      OperationCase{servo_op::Divide, cd(3.0, -2.0) / cd(0.5, 4.0)}),
    [](const ::testing::TestParamInfo<OperationCase>& info) {
        return "op" + std::to_string(info.param.op);
    });

TEST(ServoOperationLabel, NamesTheFourOperations) {
    EXPECT_STREQ(ServoOperationLabel(servo_op::Add), "+:加算");
    EXPECT_STREQ(ServoOperationLabel(servo_op::Subtract), "-:減算");
    EXPECT_STREQ(ServoOperationLabel(servo_op::Multiply), "x:乗算");
    EXPECT_STREQ(ServoOperationLabel(servo_op::Divide), "/:除算");
}

TEST(TenthBinLag, IsAnIntegratorAboveAFewBinsAndFiniteAtDc) {
    const int n = 2048;
    const float dt = 1.0f / 48000;
    Record e(n);
    // Integral with G = 1, f0 = 1 kHz.
    const double F = 10000.0 * 1.0 * 1.0 * n * static_cast<double>(dt);
    MakeTenthBinLag(e.re.data(), e.im.data(), n, F);
    EXPECT_NEAR(e.re[0], 426.6667, 1e-3);
    EXPECT_EQ(e.im[0], 0.0f);
    EXPECT_NEAR(std::abs(e.at(43)), 0.9922, 1e-3); // 1007.8 Hz
    for (int k : {7, 100, 1023}) {
        const double f = k / (n * static_cast<double>(dt));
        ExpectNear(e.at(k), F / cd(1.0, 10.0 * k), 1e-6);
        EXPECT_NEAR(std::abs(e.at(k)), 1000.0 / f, 1000.0 / f * 0.01) << k;
    }
    ExpectNegativeFill(e, n);
    EXPECT_EQ(e.re[n / 2], e.re[n / 2 - 1]);
    EXPECT_EQ(e.im[n / 2], -e.im[n / 2 - 1]);
}

TEST(DerivativeLine, GivesGainGAtF0) {
    const int n = 1024;
    const float dt = 1.0f / 44100;
    Record e(n);
    MakeDerivativeLine(e.re.data(), e.im.data(), n, dt, 2.0, 0.5);
    for (int k : {0, 1, 11, 511}) {
        const double f = k / (n * static_cast<double>(dt));
        EXPECT_EQ(e.re[k], 0.0f);
        EXPECT_NEAR(e.im[k], 2.0 * f / 500.0, 1e-5 * std::max(1.0, f / 250)) << k;
    }
    ExpectNegativeFill(e, n);
}

TEST(LagLead, MatchesTheClosedFormAtChosenBins) {
    const int n = 4096;
    const float dt = 1.0f / 96000;
    Record e(n);
    MakeLagLead(e.re.data(), e.im.data(), n, dt, 1.0, 0.0003, 1.0, 0.00007);
    for (int k : {0, 1, 17, 300, 2047}) {
        const double w = 2.0 * kPi * k / (n * static_cast<double>(dt));
        ExpectNear(e.at(k), cd(1.0, 0.0003 * w) / cd(1.0, 0.00007 * w), 1e-6);
    }
    ExpectNegativeFill(e, n);
}

TEST(Resonance, DampingIsTheFirstMultipleOfAThousandthBelowThePeak) {
    EXPECT_NEAR(ResonanceDamping(10.0), 0.051, 1e-12);
    EXPECT_NEAR(ResonanceDamping(std::pow(10.0, 54 * 0.05)), 0.001, 1e-12);
    // A peak of 1 (0 dB) is never exceeded: the fallback.
    EXPECT_NEAR(ResonanceDamping(1.0), 0.999, 1e-12);
}

TEST(Resonance, ByFrequencyIsTheNormalisedSecondOrderSection) {
    const int n = 2048;
    const float dt = 1.0f / 48000;
    ResonanceSettings s;
    s.f0 = 1000.0;
    s.K = 2.0;
    s.q0dB = 20.0;
    const ResonanceModel m = MakeResonanceModel(s);
    EXPECT_NEAR(m.zeta, 0.051, 1e-12);
    Record e(n);
    MakeResonance(e.re.data(), e.im.data(), n, dt, m);
    for (int k : {0, 5, 42, 43, 44, 500, 1023}) {
        const double f = k / (n * static_cast<double>(dt));
        const double r = f / s.f0;
        ExpectNear(e.at(k), s.K / cd(1.0 - r * r, 2.0 * 0.051 * r), 1e-5);
    }
    ExpectNegativeFill(e, n);
}

TEST(Resonance, ByAccelerationUsesTheMassOfTheAccelerationSensitivity) {
    ResonanceSettings s;
    s.byAcceleration = true;
    s.A = 4.0;
    s.fa = 1000.0;
    s.K = 1.0;
    s.q0dB = 0.0;
    const ResonanceModel m = MakeResonanceModel(s);
    const double wa = 2.0 * kPi * 1000.0;
    EXPECT_NEAR(m.M, 1.0 / (wa * wa * 4.0), 1e-18);
    EXPECT_NEAR(m.zeta, 0.999, 1e-12);
    EXPECT_NEAR(m.C, 2.0 * 0.999 * std::sqrt(m.M), 1e-15);
    // Far above resonance the response is the acceleration sensitivity: |E| = A (fa / f)^2.
    const int n = 8192;
    const float dt = 1.0f / 96000;
    Record e(n);
    MakeResonance(e.re.data(), e.im.data(), n, dt, m);
    const int k = 4000;
    const double f = k / (n * static_cast<double>(dt));
    EXPECT_NEAR(std::abs(e.at(k)), 4.0 * (1000.0 / f) * (1000.0 / f), 0.02);
}

TEST(LoopTransforms, OpenLoopOfUnityMeetsTheGuard) {
    const int n = 128;
    Record h(n), e(n);
    std::fill(h.re.begin(), h.re.end(), 1.0f);
    OpenLoop(h.re.data(), h.im.data(), e.re.data(), e.im.data(), n);
    for (int k = 0; k < n; ++k) {
        EXPECT_EQ(h.re[k], 8388607.0f);
        EXPECT_EQ(h.im[k], 0.0f);
        EXPECT_EQ(e.re[k], 1.0f / 8388608.0f);
    }
}

TEST(LoopTransforms, ClosedThenOpenReturnsTheOpenLoop) {
    const int n = 64;
    Record h(n), e(n);
    for (int k = 0; k < n; ++k) {
        h.re[k] = static_cast<float>(std::cos(k * 0.3) * (k + 1));
        h.im[k] = static_cast<float>(std::sin(k * 0.7) * 3.0);
    }
    const Record original = h;
    ClosedLoop(h.re.data(), h.im.data(), e.re.data(), e.im.data(), n);
    for (int k : {0, 9, 63}) ExpectNear(h.at(k), original.at(k) / (1.0 + original.at(k)), 1e-6);
    OpenLoop(h.re.data(), h.im.data(), e.re.data(), e.im.data(), n);
    for (int k = 0; k < n; ++k) ExpectNear(h.at(k), original.at(k), 1e-4);
}

TEST(LoopTransforms, InverseReplacesHByItsReciprocal) {
    Record h(2), e(2);
    h.re = {2.0f, 0.0f};
    h.im = {2.0f, -4.0f};
    InverseResponse(h.re.data(), h.im.data(), e.re.data(), e.im.data(), 2);
    ExpectNear(h.at(0), cd(0.25, -0.25), 1e-7);
    ExpectNear(h.at(1), cd(0.0, 0.25), 1e-7);
    EXPECT_EQ(e.at(1), h.at(1));
}

} // namespace
