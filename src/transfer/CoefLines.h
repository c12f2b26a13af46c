#pragma once

#include <string>
#include <vector>

// The text lines of a coefficient transfer. Each value v becomes one line ending in LF:
//   "1_15型" trunc(s v 32767 + 0.5) as a 16-bit number, "2_14型" trunc(s v 16383 + 0.5) as 16
//   bits, "1_31型" trunc(s v 2147483647 + 0.5) as 32 bits, "2_30型" trunc(s v 1073741823 + 0.5)
//   as 32 bits, all "%d"; "float" v as "%e" with a three-digit exponent (5.000000e-001).
// A value beyond the format's range is limited to the largest number of its sign (it never
// wraps to the other sign).
std::string CoefLine(int format, double value, double scale);

// The scale s of a transfer: 1 / max|v| for FIR values in the four integer formats when that
// maximum exceeds 1; otherwise 1 (IIR values and "float" are never rescaled).
double CoefScale(bool fir, int format, const std::vector<double>& values);
// max |v| (0 for no values).
double CoefPeak(const std::vector<double>& values);
