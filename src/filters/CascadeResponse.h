#pragma once

#include "filters/BiquadTable.h"

#include <complex>

// Frequency responses of cascades of sections 0 .. sections-1 of a table.

// Analog sections (b0 + b1 s + b2 s^2) / (a0 + a1 s + a2 s^2) at s = j omega (rad/s).
std::complex<double> AnalogSectionResponse(const BiquadTable& table, int k, double omega);
std::complex<double> AnalogCascadeResponse(const BiquadTable& table, int sections, double omega);

// Digital sections (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2) at z = e^(j w),
// w in radians per sample.
std::complex<double> DigitalSectionResponse(const BiquadTable& table, int k, double w);
std::complex<double> DigitalCascadeResponse(const BiquadTable& table, int sections, double w);

// Response of section k at bin j (0 ... n/2 - 1) of an n-point display at the sampling rate fs:
// digital sections at w = 2 pi j / n, analog sections at s = j 2 pi fs j / n.
std::complex<double> StageBinResponse(const BiquadTable& table, int k, bool analog, double fs,
                                      int n, int j);
