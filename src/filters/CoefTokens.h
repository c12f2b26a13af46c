#pragma once

#include <array>
#include <istream>
#include <string>

// One line of a coefficient file split into its first six fields. Commas and blanks separate
// fields; a field keeps at most filt::kTokenChars characters. Missing fields are empty.
struct CoefTokens {
    std::array<std::string, 6> t;
    int count = 0;
    const std::string& operator[](int i) const { return t[static_cast<std::size_t>(i)]; }
};

// Reads the next line (LF or CR LF ended; at most filt::kLineChars characters are kept, the
// rest of a longer line is skipped). False at end of file.
bool ReadCoefLine(std::istream& in, std::string& line);
CoefTokens SplitCoefLine(const std::string& line);

// The number at the start of `text`, like the C function atof, independent of the locale;
// 0 when there is none.
double CoefAtoF(const std::string& text);
// The integer at the start of `text`, like atoi; 0 when there is none or it does not fit.
int CoefAtoI(const std::string& text);
// %e and %f of the C library, independent of the locale.
std::string FormatE(double value);
std::string FormatF(double value);
