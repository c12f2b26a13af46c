#include "filters/CoefTokens.h"

#include "filters/FilterLimits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

bool ReadCoefLine(std::istream& in, std::string& line) {
    line.clear();
    int c = in.get();
    if (c == std::char_traits<char>::eof()) return false;
    while (c != std::char_traits<char>::eof() && c != '\n') {
        if (line.size() < static_cast<std::size_t>(filt::kLineChars))
            line.push_back(static_cast<char>(c));
        c = in.get();
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

CoefTokens SplitCoefLine(const std::string& line) {
    CoefTokens tokens;
    std::size_t i = 0;
    while (i < line.size() && tokens.count < 6) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) break;
        const std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) ++i;
        const std::size_t len = std::min<std::size_t>(i - start, filt::kTokenChars);
        tokens.t[static_cast<std::size_t>(tokens.count++)] = line.substr(start, len);
    }
    return tokens;
}

double CoefAtoF(const std::string& text) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && IsBlank(*p)) ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    if (p < end && (*p == '+' || *p == '-')) return 0.0;
    double value = 0.0;
    const auto r = std::from_chars(p, end, value, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Only the magnitude is out of range: the exponent's sign tells which way.
        const std::string digits(p, end);
        const auto e = digits.find_first_of("eE");
        value = (e != std::string::npos && digits.find('-', e) == e + 1) ? 0.0 : HUGE_VAL;
    } else if (r.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

int CoefAtoI(const std::string& text) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && IsBlank(*p)) ++p;
    if (p < end && *p == '+') ++p;
    int value = 0;
    const auto r = std::from_chars(p, end, value);
    return r.ec == std::errc() ? value : 0;
}

std::string FormatE(double value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 6);
    return std::string(buf, r.ptr);
}

std::string FormatF(double value) {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    return std::string(buf, r.ptr);
}
