#include "dsp/ServoChecks.h"
#include "document/AnalysisMessages.h"
#include "dsp/ServoElements.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

ResonanceSettings ByFrequency(double f0, double k, double q0) {
    ResonanceSettings s;
    s.f0 = f0;
    s.K = k;
    s.q0dB = q0;
    return s;
}

ResonanceSettings ByAcceleration(double a, double fa, double k, double q0) {
    ResonanceSettings s;
    s.byAcceleration = true;
    s.A = a;
    s.fa = fa;
    s.K = k;
    s.q0dB = q0;
    return s;
}

const std::string kPeakRange = "0 から 54 までの数値を入力してください。";

} // namespace

// Both second-order inputs refuse the same values with the same messages, in field order.
TEST(ServoChecks, BothResonanceInputsShareTheirChecks) {
    struct Case {
        ResonanceSettings settings;
        std::string refusal;
    };
    const Case cases[] = {
        {ByFrequency(20, 1, 20), ""},
        {ByFrequency(1e8, 1e8, 54), ""},
        {ByFrequency(1000, 0, 20), msg::kSensitivityRange},
        {ByFrequency(1000, -2, 20), msg::kSensitivityRange},
        {ByFrequency(1000, NAN, 20), msg::kSensitivityRange},
        {ByFrequency(0, 0, 20), msg::kResonanceRange},
        {ByFrequency(1.1e8, 1, 20), msg::kResonanceRange},
        {ByFrequency(20, 1, 54.5), kPeakRange},
        {ByFrequency(20, 1, -1), kPeakRange},
        {ByAcceleration(1, 1000, 1, 20), ""},
        {ByAcceleration(1, 1000, 0, 20), msg::kSensitivityRange},
        {ByAcceleration(0, 1000, 1, 20), msg::kSensitivityRange},
        {ByAcceleration(1, 0, 1, 20), msg::kResonanceRange},
        {ByAcceleration(1, 1000, 1, 60), kPeakRange},
    };
    for (const Case& c : cases) {
        const ResonanceSettings& s = c.settings;
        EXPECT_EQ(CheckResonance(s), c.refusal) << s.byAcceleration << " " << s.f0 << " " << s.A
                                                << " " << s.fa << " " << s.K << " " << s.q0dB;
        if (!c.refusal.empty()) continue;
        // What the checks accept gives a finite element in every evaluated bin.
        const int n = 256;
        std::vector<float> re(n), im(n);
        MakeResonance(re.data(), im.data(), n, 1.0f / 48000.0f, MakeResonanceModel(s));
        for (int k = 0; k < n / 2; ++k) ASSERT_TRUE(std::isfinite(re[k]) && std::isfinite(im[k]));
    }
}

TEST(ServoChecks, ElementsThatWouldDivideByZero) {
    const std::string zero = msg::kDivisionByZero;
    using namespace servo_op;
    EXPECT_EQ(CheckGainDivision(0.0, Divide), zero);
    EXPECT_EQ(CheckGainDivision(0.0, Multiply), "");
    EXPECT_EQ(CheckGainDivision(0.5, Divide), "");
    EXPECT_EQ(CheckIntegralDivision(0.0, Divide), zero);
    EXPECT_EQ(CheckIntegralDivision(0.0, Add), "");
    EXPECT_EQ(CheckDerivativeDivision(0.0, Multiply), zero);
    EXPECT_EQ(CheckDerivativeDivision(0.0, Divide), zero);
    EXPECT_EQ(CheckDerivativeDivision(0.0, Subtract), "");
    EXPECT_EQ(CheckLagLeadDivision(1, 1, 0, 0, Add), zero);
    EXPECT_EQ(CheckLagLeadDivision(0, 0, 1, 1, Divide), zero);
    EXPECT_EQ(CheckLagLeadDivision(0, 0, 1, 1, Multiply), "");
    EXPECT_EQ(CheckLagLeadDivision(1, 0.0003, 1, 0.00007, Divide), "");
}
