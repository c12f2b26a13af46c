#include "dsp/ServoChecks.h"

#include "document/AnalysisMessages.h"
#include "dsp/ServoElements.h"

#include <cstdio>

namespace {
constexpr double kMaxFrequency = 1e8;
constexpr double kMaxSensitivity = 1e8;
constexpr double kMaxPeakDb = 54.0;

std::string Refuse(bool refused, const char* message) {
    return refused ? std::string(message) : std::string();
}
} // namespace

std::string CheckRange(double v, double lo, double hi) {
    if (v >= lo && v <= hi) return {};
    char text[128];
    std::snprintf(text, sizeof text, "%g から %g までの数値を入力してください。", lo, hi);
    return text;
}

std::string CheckResonanceFrequency(double hz) {
    return Refuse(!(hz > 0.0 && hz <= kMaxFrequency), msg::kResonanceRange);
}

std::string CheckSensitivity(double times) {
    return Refuse(!(times > 0.0 && times <= kMaxSensitivity), msg::kSensitivityRange);
}

std::string CheckResonancePeak(double dB) {
    return CheckRange(dB, 0.0, kMaxPeakDb);
}

std::string CheckResonance(const ResonanceSettings& s) {
    std::string refusal;
    if (s.byAcceleration) {
        for (std::string r : {CheckSensitivity(s.A), CheckResonanceFrequency(s.fa),
                              CheckSensitivity(s.K), CheckResonancePeak(s.q0dB)})
            if (refusal.empty()) refusal = r;
    } else {
        for (std::string r :
             {CheckResonanceFrequency(s.f0), CheckSensitivity(s.K), CheckResonancePeak(s.q0dB)})
            if (refusal.empty()) refusal = r;
    }
    return refusal;
}

std::string CheckGainDivision(double gain, int op) {
    return Refuse(gain == 0.0 && op == servo_op::Divide, msg::kDivisionByZero);
}

std::string CheckIntegralDivision(double gain, int op) {
    return Refuse(gain == 0.0 && op == servo_op::Divide, msg::kDivisionByZero);
}

std::string CheckDerivativeDivision(double gain, int op) {
    return Refuse(gain == 0.0 && (op == servo_op::Multiply || op == servo_op::Divide),
                  msg::kDivisionByZero);
}

std::string CheckLagLeadDivision(double a, double b, double c, double d, int op) {
    const bool zeroDenominator = c == 0.0 && d == 0.0;
    const bool zeroNumerator = a == 0.0 && b == 0.0;
    return Refuse(zeroDenominator || (zeroNumerator && op == servo_op::Divide),
                  msg::kDivisionByZero);
}
