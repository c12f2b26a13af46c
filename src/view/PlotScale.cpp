#include "view/PlotScale.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

std::string PlotPrintf(const char* fmt, ...) {
    char buf[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, args);
    va_end(args);
    return buf;
}

LogAxis MakeLogAxis(double e, int n) {
    LogAxis a;
    if (!(e > 0) || n < 4) return a;
    a.o = static_cast<int>(std::ceil(std::log10(1.0 / e)));
    const int o = a.o;
    auto label = [](int exp10) { return static_cast<int>(std::ceil(std::pow(10.0, exp10))); };
    if (o > 8) {
        a.unit = "         [GHz]";
        a.topLabel = label(o - 9);
    } else if (o > 5) {
        a.unit = "         [MHz]";
        a.topLabel = label(o - 6);
    } else if (o > 2) {
        a.unit = "         [kHz]";
        a.topLabel = label(o - 3);
    } else if (o >= 0) {
        a.unit = "          [Hz]";
        a.topLabel = label(o);
    } else if (o >= -3) {
        a.unit = "         [mHz]";
        a.topLabel = label(o + 3);
    } else if (o >= -6) {
        a.unit = "         [μHz]";
        a.topLabel = label(o + 6);
    } else {
        a.unit = "         [nHz]";
        a.topLabel = label(o + 9);
    }
    a.binHz = 1.0 / (e * (n / 2));
    a.E = std::max(1, static_cast<int>(std::ceil(o - std::log10(a.binHz))));
    return a;
}

double LogAxis::XOf(double f, int left, int W) const {
    return left + (std::log10(f) - (o - E)) * W / E;
}

double LogAxis::FrequencyAt(double x, int left, int W) const {
    return std::pow(10.0, (x - left) * E / W + (o - E));
}

double LogAxis::UnitScale() const {
    // topLabel units correspond to 10^o Hz.
    return topLabel / std::pow(10.0, o);
}

std::string LogAxis::MiddleLabel() const {
    const double v = topLabel / std::pow(10.0, std::ceil(E / 2.0));
    return PlotPrintf("%2.2f", v) + unit;
}

double AutoDbSpan(double r) {
    static const double kSteps[] = {0.15, 0.2, 0.3, 0.4, 0.5, 0.8, 1.0};
    for (int p = -1; p <= 3; ++p) {
        const double decade = std::pow(10.0, p);
        for (double m : kSteps) {
            const double s = m * decade;
            if (s > r) return s;
        }
    }
    return 1000.0;
}

DbScale MakeDbScale(double t, double b, bool automatic) {
    DbScale s;
    if (!std::isfinite(t) || !std::isfinite(b)) {
        s.top = 0.1;
        s.bottom = -0.1;
        s.span = 0.2;
        return s;
    }
    const double r = t - b;
    if (r == 0) {
        s.span = 0.2;
        s.top = t + 0.1;
        s.bottom = b - 0.1;
    } else if (automatic) {
        s.span = AutoDbSpan(r);
        const double div = s.span / 10;
        s.top = (std::trunc(t / div) + 1) * div;
        s.bottom = s.top - s.span;
    } else if (r >= 10) {
        s.top = std::ceil(t);
        s.bottom = std::trunc(b);
        s.span = s.top - s.bottom;
    } else {
        s.top = t;
        s.bottom = b;
        s.span = r;
    }
    return s;
}

double DbScale::YOf(double v, int lower, int H) const {
    double c = std::isnan(v) ? bottom : v;
    c = std::min(std::max(c, std::min(bottom, top)), std::max(bottom, top));
    return lower + H * (c - bottom) / span;
}

std::string DbScale::TopLabel() const {
    return Wide() ? PlotPrintf("%4d[dB]", static_cast<int>(top)) : PlotPrintf("%2.2f[dB]", top);
}

std::string DbScale::BottomLabel() const {
    return Wide() ? PlotPrintf("%4d[dB]", static_cast<int>(bottom))
                  : PlotPrintf("%2.2f[dB]", bottom);
}

std::string DbScale::DivisionLabel() const {
    return Wide() ? PlotPrintf("%4.1f  ", Division()) : PlotPrintf("%2.2f  ", Division());
}

double LevelDb(double magnitude) {
    if (magnitude <= 0) return -INFINITY;
    return 20.0 * std::log10(magnitude);
}

double PhaseFraction(double re, double im, int mode) {
    const double phi = std::atan2(im, re);
    if (mode == phasemode::Shifted) {
        // Wrapped into (-2π, 0], centred on -π.
        const double wrapped = phi > 0 ? phi - 2 * M_PI : phi;
        return (wrapped + M_PI) / M_PI;
    }
    return phi / M_PI;
}

int EnvelopeSegments(int frames) {
    if (frames < 500) return std::max(frames, 0);
    int best = 250;
    int bestRem = frames % 250;
    for (int m = 251; m <= 499 && bestRem > 0; ++m) {
        const int rem = frames % m;
        if (rem < bestRem) {
            best = m;
            bestRem = rem;
        }
    }
    return best;
}

int ReadoutBin(double f, int n, double dt) {
    const double k = f * n * dt;
    if (!std::isfinite(k)) return -1;
    return static_cast<int>(std::trunc(k));
}
