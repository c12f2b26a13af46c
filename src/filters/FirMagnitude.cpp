#include "filters/FirMagnitude.h"

#include <cmath>

void FirMagnitude(int skip, const double* h, int points, int taps, float* out1, float* out2) {
    if (skip || points <= 0 || taps <= 0) return;
    constexpr double kPi = 3.14159265358979323846;
    const double c = (taps - 1) * 0.5;
    for (int i = 0; i < points; ++i) {
        const double w = kPi * i / points;
        double a = 0.0;
        for (int k = 0; k < taps / 2; ++k) a += h[k] * std::cos(w * (c - k));
        a *= 2.0;
        if (taps % 2) a += h[(taps - 1) / 2];
        const float v = static_cast<float>(std::fabs(a));
        out1[i] = out2[i] = v;
        if (i >= 1) out1[2 * points - i] = out2[2 * points - i] = v;
    }
}
