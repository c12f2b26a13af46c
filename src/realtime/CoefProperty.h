#pragma once

#include <string>

struct CoefFileHeader;

// The "Property" texts of the coefficient-file tools.
inline constexpr const char* kNoFileProperty = "\r\nPlease Read your favorite File!\r\n";
// FIR: file name, tap count, kind, shape and the two cut-offs.
std::string FirPropertyText(const CoefFileHeader& header, int taps);
// IIR: file name, kind, shape, order and the two cut-offs (the second "---" when the first is
// unknown).
std::string IirPropertyText(const CoefFileHeader& header);
