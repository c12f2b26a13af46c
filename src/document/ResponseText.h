#pragma once

#include <string>
#include <vector>

// Frequency responses as text for other programs: FRD files and the text layout REW imports.
// Both are "*" comment lines followed by one row per bin, "frequency level phase" separated by
// single spaces, numbers with six decimals and "." as the decimal point whatever the locale,
// lines ended by LF.

struct ResponseRow {
    double frequency; // Hz
    double levelDb;   // 20·log10 of the magnitude
    double phaseDeg;  // -180 ... 180
};

// Level written for a magnitude below kResponseFloorMagnitude (readers take no "-inf").
inline constexpr double kResponseFloorMagnitude = 1e-30;
inline constexpr double kResponseFloorDb = -600.0;

// The sampling frequency of a sampling period kept as a float: 1 / dt, taken as the nearest whole
// Hz when it lies within the float's precision of it (1/48000 s gives 48000 Hz, not 47999.998).
double SamplingRateOf(float dt);

// Rows of bins 1 ... n/2 (the first bin above 0 Hz up to half the sampling frequency) of the
// n-point spectrum re + j·im sampled at `rate` Hz: bin k at k·rate / n. Without `im` the values
// are magnitudes and the phase is 0.
std::vector<ResponseRow> ResponseRows(const float* re, const float* im, int n, double rate);

// What the comment lines say.
struct ResponseInfo {
    std::string source; // file and kind of the result
    double rate = 0.0;  // sampling frequency, Hz
    int points = 0;     // N of the record
    std::string date;   // "YYYY-MM-DD hh:mm:ss"
};

std::string FormatFrd(const ResponseInfo& info, const std::vector<ResponseRow>& rows);
// REW's header line "* Freq(Hz) SPL(dB) Phase(degrees)" comes last before the rows.
std::string FormatRewText(const ResponseInfo& info, const std::vector<ResponseRow>& rows);

// The local time now as "YYYY-MM-DD hh:mm:ss".
std::string ExportDateText();
// A number with `decimals` digits after ".", independent of the locale.
std::string FixedNumber(double value, int decimals);
