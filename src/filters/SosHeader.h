#pragma once

#include <string>
#include <vector>

// C headers of filter coefficients for firmware: IIR second-order sections or FIR taps, each
// as a double and a float array with the section (tap) count named by a macro.
// Numbers are written so that the compiler reads back exactly the doubles given (and their
// nearest floats), with "." as the decimal point whatever the locale. The header is valid C
// and C++.

// What the comment at the top says about the coefficients' origin.
struct SosHeaderNote {
    std::string source;   // file the coefficients came from
    std::string kind;     // "Filter_Kind:" of the file
    std::string shape;    // "Filter_Shape:" of the file
    double cutLow = 0.0;  // Hz
    double cutHigh = 0.0; // Hz
};

// A C identifier from a file name: the name without folder and extension, every character
// other than a letter, digit or "_" replaced by "_", "coef_" put before a leading digit;
// "coef" for an empty name.
std::string HeaderIdentifier(const std::string& path);

// Sections given as six doubles each, a0, a1, a2, b0, b1, b2 (the coefficient-file order),
// written divided by a0 as {b0, b1, b2, a1, a2} in `name`_sos[S][5] (or, with `cmsis`, as the
// CMSIS-DSP biquad order {b0, b1, b2, -a1, -a2} in the flat `name`_coeffs[5·S]), with
// NAME_NUM_SECTIONS and NAME_GAIN (1: the sections carry the whole gain). Empty text when a
// section has a0 = 0 or a value is not finite (as a double or as a float).
std::string FormatSosHeader(const std::string& name, const std::vector<double>& sections,
                            bool cmsis, const SosHeaderNote& note);

// FIR taps h[0] ... h[N-1] in `name`_taps[N] with NAME_NUM_TAPS; with `cmsis` in the reversed
// order CMSIS-DSP's FIR functions expect (h[N-1] first). Empty text when there is no tap or a tap
// is not finite.
std::string FormatFirHeader(const std::string& name, const std::vector<double>& taps, bool cmsis,
                            const SosHeaderNote& note);
