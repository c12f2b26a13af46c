#include "dsp/Window.h"

#include "dsp/WindowKinds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

float BesselI0(float x) {
    float sum = 1.0f;
    const double halfX = static_cast<double>(x) / 2.0;
    double power = 1.0;
    double factorial = 1.0;
    for (int k = 1; k <= 20; ++k) {
        power *= halfX;
        factorial *= k;
        const double term = power / factorial;
        sum = static_cast<float>(sum + term * term);
    }
    return sum;
}

bool KaiserBetaRepresentable(double beta) {
    return std::fabs(beta) <= kMaxKaiserBeta;
}

float KaiserWindow(double x, double beta, double m) {
    const double r = x / m;
    const double arg = beta * std::sqrt(std::max(0.0, 1.0 - r * r));
    const float num = BesselI0(static_cast<float>(arg));
    const float den = BesselI0(static_cast<float>(beta));
    return num / den;
}

void FillWindow(int windowKind, int n, float beta, float* w) {
    const float step = static_cast<float>(2.0 * std::numbers::pi / n);
    switch (windowKind) {
    case wnd::Triangle: {
        const float t = static_cast<float>(2.0 / n);
        const int half = n / 2;
        for (int j = 0; j < n; ++j) {
            const float jt = static_cast<float>(j) * t;
            w[j] = j < half ? jt : 2.0f - jt;
        }
        break;
    }
    case wnd::Hanning:
        for (int j = 0; j < n; ++j)
            w[j] = static_cast<float>(
                0.5 * (1.0 - std::cos(static_cast<double>(static_cast<float>(j) * step))));
        break;
    case wnd::Hamming:
        for (int j = 0; j < n; ++j)
            w[j] = static_cast<float>(
                0.54 - 0.46 * std::cos(static_cast<double>(static_cast<float>(j) * step)));
        break;
    case wnd::Blackman:
        for (int j = 0; j < n; ++j) {
            const double a = static_cast<float>(j) * step;
            w[j] = static_cast<float>(0.42 - 0.5 * std::cos(a) + 0.08 * std::cos(2.0 * a));
        }
        break;
    case wnd::Kaiser: {
        const int half = n / 2;
        for (int j = 0; j < n; ++j) w[j] = KaiserWindow(j - half, beta, half > 0 ? half : 1);
        break;
    }
    default:
        std::fill(w, w + n, 1.0f);
        break;
    }
}
