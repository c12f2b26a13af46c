#include "document/ResponseText.h"

#include <charconv>
#include <cmath>
#include <ctime>

namespace {

constexpr int kDecimals = 6;
constexpr double kDegreesPerRadian = 57.29577951308232;
// Relative rounding of a float (2^-24), doubled for the reciprocal.
constexpr double kFloatPrecision = 1.2e-7;

void AppendRows(std::string& text, const std::vector<ResponseRow>& rows) {
    for (const ResponseRow& r : rows) {
        text += FixedNumber(r.frequency, kDecimals);
        text += ' ';
        text += FixedNumber(r.levelDb, kDecimals);
        text += ' ';
        text += FixedNumber(r.phaseDeg, kDecimals);
        text += '\n';
    }
}

std::string RateText(double rate) {
    return FixedNumber(rate, 3) + " Hz";
}

} // namespace

std::string FixedNumber(double value, int decimals) {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("0");
}

double SamplingRateOf(float dt) {
    if (!(dt > 0.0f)) return 0.0;
    const double rate = 1.0 / dt;
    const double whole = std::round(rate);
    return std::abs(rate - whole) <= rate * kFloatPrecision ? whole : rate;
}

std::vector<ResponseRow> ResponseRows(const float* re, const float* im, int n, double rate) {
    std::vector<ResponseRow> rows;
    if (!re || n < 2 || !(rate > 0.0)) return rows;
    rows.reserve(static_cast<std::size_t>(n / 2));
    for (int k = 1; k <= n / 2; ++k) {
        const double a = re[k];
        const double b = im ? im[k] : 0.0;
        const double magnitude = im ? std::hypot(a, b) : std::abs(a);
        ResponseRow row;
        row.frequency = k * rate / n;
        row.levelDb =
            magnitude < kResponseFloorMagnitude ? kResponseFloorDb : 20.0 * std::log10(magnitude);
        row.phaseDeg = im ? std::atan2(b, a) * kDegreesPerRadian : 0.0;
        rows.push_back(row);
    }
    return rows;
}

std::string FormatFrd(const ResponseInfo& info, const std::vector<ResponseRow>& rows) {
    std::string text = "* Sonalyx frequency response (frequency Hz, magnitude dB, phase degrees)\n";
    text += "* Source: " + info.source + "\n";
    text += "* Sample rate: " + RateText(info.rate) + "\n";
    text += "* Points: " + std::to_string(info.points) + "\n";
    text += "* Date: " + info.date + "\n";
    AppendRows(text, rows);
    return text;
}

std::string FormatRewText(const ResponseInfo& info, const std::vector<ResponseRow>& rows) {
    std::string text = "* Measurement data exported by Sonalyx\n";
    text += "* Source: " + info.source + "\n";
    text += "* Dated: " + info.date + "\n";
    text += "* Sample rate: " + RateText(info.rate) + "\n";
    text += "* Points: " + std::to_string(info.points) + "\n";
    text += "* Freq(Hz) SPL(dB) Phase(degrees)\n";
    AppendRows(text, rows);
    return text;
}

std::string ExportDateText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[32];
    const std::size_t len = std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(buf, len);
}
