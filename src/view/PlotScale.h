#pragma once

#include <string>

// Axis and scale arithmetic of the plots. Plain functions without drawing, shared by the plot
// routines, the read-out cursor and the tests.

// Panel rectangle in logical units with y growing upward (lower < upper).
struct PanelRect {
    int left = 0;
    int right = 0;
    int lower = 0;
    int upper = 0;
    int W() const { return right - left; }
    int H() const { return upper - lower; }
    double Mid() const { return (lower + upper) / 2.0; }
};

// Logarithmic frequency axis for a plot of bins 1 .. n/2 - 1 with frequency step e
// (e = 2·dt: bin k lies at k/(e·n/2) Hz).
struct LogAxis {
    int o = 0;        // decade exponent of the top of the axis (10^o Hz)
    int E = 1;        // number of decades shown, from 10^(o-E) to 10^o
    std::string unit; // "          [Hz]", "         [kHz]", ...
    int topLabel = 1; // value of the top decade in that unit
    double binHz = 1; // frequency of bin 1 (one bin step)

    // x of frequency f (Hz) on a panel from left to left + W.
    double XOf(double f, int left, int W) const;
    // Inverse of XOf.
    double FrequencyAt(double x, int left, int W) const;
    // Text of the middle-decade label: "%2.2f" of the scaled top label followed by the unit.
    std::string MiddleLabel() const;
    // Factor from Hz to the unit of the axis.
    double UnitScale() const;
};
LogAxis MakeLogAxis(double e, int n);

// Level scale of the log plots. `top`, `bottom` and `span` in dB, span = top - bottom.
struct DbScale {
    double top = 0;
    double bottom = 0;
    double span = 1;
    bool Wide() const { return span >= 10; } // integer labels from 10 dB spans on
    double Division() const { return span / 10; }
    // y of level v (dB), limited to [bottom, top]; a zero magnitude (-inf) lies at the bottom.
    double YOf(double v, int lower, int H) const;
    std::string TopLabel() const; // "%4d[dB]" or "%2.2f[dB]"
    std::string BottomLabel() const;
    std::string DivisionLabel() const; // "%4.1f  " or "%2.2f  "
};
// Automatic rules when `automatic` (the presentation code 2), otherwise the fixed-range rules.
// Non-finite inputs (nothing measured yet) give the span 0.2 dB around 0 dB.
DbScale MakeDbScale(double top, double bottom, bool automatic);
// Smallest span of the series 1000, 800, 500, 400, 300, 200, 150, 100, 80, ... 0.015 that is
// greater than r; the largest span (1000) when r reaches it or is not a number.
double AutoDbSpan(double r);

// 20·log10(m); -infinity for m = 0.
double LevelDb(double magnitude);

// Phase presentation of the log plots.
namespace phasemode {
constexpr int Centred = 0; // +180° .. -180°
constexpr int Shifted = 1; // 0° .. -360°
constexpr int None = 2;
} // namespace phasemode
// Height of a phase within the panel as a fraction of the half height (-1 .. 1) from the centre
// line, for phase mode 0 or 1.
double PhaseFraction(double re, double im, int mode);

// Number of min/max segments of the whole-wave envelope for `frames` frames: the count in
// 250 .. 499 with the smallest remainder (smallest count on ties); the frame count itself below
// 500 frames.
int EnvelopeSegments(int frames);

// Bin under frequency f (Hz) for N points and time step dt: trunc(f·N·dt).
int ReadoutBin(double f, int n, double dt);

// printf into a std::string.
std::string PlotPrintf(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
