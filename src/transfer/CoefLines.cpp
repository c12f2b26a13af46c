#include "transfer/CoefLines.h"

#include "dsp/FloatToInt.h"
#include "transfer/TransferSettings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Integer(double x, std::int32_t lo, std::int32_t hi) {
    return std::to_string(SaturateToRange(std::trunc(x), lo, hi)) + "\n";
}

// "%e" with at least three exponent digits, as the board's firmware reads it.
std::string Exponent(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%e", v);
    std::string s = text;
    const auto e = s.find('e');
    if (e != std::string::npos && e + 2 < s.size()) {
        const std::string digits = s.substr(e + 2);
        if (digits.size() < 3)
            s = s.substr(0, e + 2) + std::string(3 - digits.size(), '0') + digits;
    }
    return s + "\n";
}

} // namespace

std::string CoefLine(int format, double value, double scale) {
    const double v = scale * value;
    switch (format) {
    case coefformat::Q15:
        return Integer(v * 32767.0 + 0.5, -32768, 32767);
    case coefformat::Q14:
        return Integer(v * 16383.0 + 0.5, -32768, 32767);
    case coefformat::Q31:
        return Integer(v * 2147483647.0 + 0.5, INT32_MIN, INT32_MAX);
    case coefformat::Q30:
        return Integer(v * 1073741823.0 + 0.5, INT32_MIN, INT32_MAX);
    default:
        return Exponent(value);
    }
}

double CoefPeak(const std::vector<double>& values) {
    double m = 0.0;
    for (double v : values) m = std::fmax(m, std::fabs(v));
    return m;
}

double CoefScale(bool fir, int format, const std::vector<double>& values) {
    if (!fir || format == coefformat::Float) return 1.0;
    const double m = CoefPeak(values);
    return m > 1.0 ? 1.0 / m : 1.0;
}
