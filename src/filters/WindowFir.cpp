#include "filters/WindowFir.h"

#include "filters/FilterLimits.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Ideal response of the pass band f1 ... f2 (relative to fs) at offset m from the centre.
double Band(double f1, double f2, double m) {
    if (m == 0.0) return 2.0 * (f2 - f1);
    return (std::sin(2.0 * kPi * f2 * m) - std::sin(2.0 * kPi * f1 * m)) / (kPi * m);
}

} // namespace

double FirWindowValue(int window, int n, int taps) {
    if (taps <= 1) return 1.0;
    const double x = static_cast<double>(n) / (taps - 1); // 0 ... 1
    const double c1 = std::cos(2.0 * kPi * x);
    switch (window) {
    case firwin::Rectangular:
        return 1.0;
    case firwin::Bartlett:
        return 1.0 - std::fabs(2.0 * x - 1.0);
    case firwin::BlackmanOpt: {
        // Blackman family (alpha + 1)/2 - cos/2 - alpha/2 cos 2: the optimum alpha for N taps.
        const double alpha = -0.5 / (1.0 + std::cos(2.0 * kPi / (taps - 1)));
        return (alpha + 1.0) / 2.0 - 0.5 * c1 - alpha / 2.0 * std::cos(4.0 * kPi * x);
    }
    case firwin::Hamming:
        return 0.54 - 0.46 * c1;
    case firwin::Hann:
        return 0.5 - 0.5 * c1;
    default:
        return 0.0;
    }
}

void DesignWindowFir(int shape, int window, int taps, double fL, double fH, double fs, double* h) {
    const double l = fL / fs;
    const double u = fH / fs;
    const double centre = (taps - 1) * 0.5;
    for (int n = 0; n < taps; ++n) {
        const double m = n - centre;
        double ideal = 0.0;
        switch (shape) {
        case shape::LowPass:
            ideal = Band(0.0, l, m);
            break;
        case shape::HighPass:
            ideal = Band(l, 0.5, m);
            break;
        case shape::BandPass:
            ideal = Band(l, u, m);
            break;
        case shape::BandStop:
            ideal = Band(0.0, l, m) + Band(u, 0.5, m);
            break;
        default:
            break;
        }
        h[n] = ideal * FirWindowValue(window, n, taps);
    }
}

const char* FirWindowLabel(int window) {
    static const char* const labels[] = {"Rectangular!!", "Bartlett!!", "BlackmanOpt!!",
                                         "Hamming!!", "Hanning!!"};
    return window >= 0 && window < 5 ? labels[window] : "";
}
