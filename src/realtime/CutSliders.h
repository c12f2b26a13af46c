#pragma once

// The log-scale frequency sliders of the real-time tools: positions 0 ... 60, 20 steps per
// decade from 20 Hz, position p giving floor(20 * 1.1224526166915894^p) Hz.
namespace cutslider {
constexpr int kMax = 60;
constexpr double kStep = 1.1224526166915894;
} // namespace cutslider

int CutSliderFrequency(int position);
// The position shown for a frequency: ceil(ln(0.05 f) / ln 1.1224526), within 0 ... 60.
int CutSliderPosition(double f);

// The pair of cut-off sliders of the FIR tools. Moving one sets its frequency; the low slider
// stops at 59 and the high slider at 1, and when the two would cross the other one is pushed one
// step beyond the moved one.
struct CutSliderPair {
    int low = 0;
    int high = 0;
    // Moves the low (which = 1) or high (2) slider: its frequency follows, and the other one's
    // when it was pushed.
    void Move(int which, int position, double& fLow, double& fHigh);
};
