#include "sound/audio/AudioItems.h"

#include <algorithm>
#include <cmath>

namespace audio {
namespace {

constexpr double kLimit96 = 0.20833333333333334;
constexpr double kLimit48 = 0.4166666666666667;
constexpr double kLimit44 = 0.45454545454545453;

// A bin index for frequency arithmetic: truncated toward zero, saturated far outside any array.
int Bin(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(std::trunc(v), -1.0e9, 1.0e9));
}

bool InHalf(int k, int n) {
    return k >= 0 && k < n / 2;
}

// The largest of bins trunc(f / df + i), i = -5 .. 4, of one channel (0 when none is inside).
float PeakNear(const float* x, int n, double binOfF) {
    float best = 0.0f;
    for (int i = -5; i <= 4; ++i) {
        const int k = Bin(binOfF + i);
        if (InHalf(k, n)) best = std::max(best, x[k]);
    }
    return best;
}

} // namespace

int UpperBin(int n, int rate, bool bandLimit) {
    if (bandLimit) {
        if (rate >= 96000) return Bin(n * kLimit96);
        if (rate == 48000) return Bin(n * kLimit48);
        if (rate == 44100) return Bin(n * kLimit44);
    }
    return n / 2;
}

float TruncHundredths(double v) {
    if (std::isnan(v)) return 0.0f;
    return static_cast<float>(std::trunc(v * 100.0) / 100.0);
}

float PercentOfRatio(double r) {
    if (std::isnan(r)) return 0.0f;
    return static_cast<float>(std::trunc(r * 1.0e6) * 1.0e-4);
}

void LevelsAt(const float* l, const float* r, int n, int rate, double f, float out[2]) {
    const double bin = f / (static_cast<double>(rate) / n);
    out[0] = static_cast<float>(20.0 * std::log10(PeakNear(l, n, bin)));
    out[1] = static_cast<float>(20.0 * std::log10(PeakNear(r, n, bin)));
}

void FrequencyResponse(float* l, float* r, int n, int rate, double f1, double f2, float out[4]) {
    const double df = static_cast<double>(rate) / n;
    const int b1k = Bin(1000.0 / df);
    float* ch[2] = {l, r};
    for (int c = 0; c < 2; ++c) {
        const float ref = InHalf(b1k, n) ? ch[c][b1k] : 0.0f;
        for (int k = 0; k < n / 2; ++k) ch[c][k] = ref != 0.0f ? ch[c][k] / ref : 0.0f;
        const int k1 = Bin(f1 / df), k2 = Bin(f2 / df);
        out[2 * c] = TruncHundredths(20.0 * std::log10(InHalf(k1, n) ? ch[c][k1] : 0.0f));
        out[2 * c + 1] = TruncHundredths(20.0 * std::log10(InHalf(k2, n) ? ch[c][k2] : 0.0f));
    }
}

ThdResult Thd(float* l, float* r, int n, int rate, bool bandLimit) {
    ThdResult res;
    const double df = static_cast<double>(rate) / n;
    const int u = UpperBin(n, rate, bandLimit);
    float* ch[2] = {l, r};
    float peak[2] = {0.001f, 0.001f};
    double freq[2] = {1000.0, 1000.0};
    for (int c = 0; c < 2; ++c)
        for (int k = Bin(35.0 / df); k < u / 2; ++k)
            if (InHalf(k, n) && ch[c][k] > peak[c]) {
                peak[c] = ch[c][k];
                freq[c] = k * df;
            }
    res.fundamental = peak[0] > peak[1] ? freq[0] : freq[1];
    const double e = res.fundamental / df;
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < n / 2; ++k) ch[c][k] /= peak[c];

    const int h = std::min(10, Bin(kLimit44 * n / e));
    const int w = rate >= 96000 ? 3 : 5;
    double harm[2] = {0.0, 0.0};
    for (int j = 2; j < h; ++j)
        for (int c = 0; c < 2; ++c) {
            float best = 0.0f;
            for (int k = -w * j; k < w * j; ++k) {
                const int b = Bin(j * e + k);
                if (InHalf(b, n)) best = std::max(best, ch[c][b]);
            }
            harm[c] += static_cast<double>(best) * best;
        }

    const int half = res.fundamental <= 1000.0 ? Bin(0.3 * e) : Bin(300.0 * e / res.fundamental);
    double noise[2] = {0.0, 0.0};
    for (int k = Bin(70.0 / df); k < u; ++k) {
        if (!InHalf(k, n)) continue;
        bool excluded = false;
        for (int order = 1; order <= 10 && !excluded; ++order) {
            if (order * e >= kLimit48 * n) continue;
            const int centre = Bin(order * e);
            excluded = k > centre - half && k < centre + half;
        }
        if (excluded) continue;
        for (int c = 0; c < 2; ++c) noise[c] += static_cast<double>(ch[c][k]) * ch[c][k];
    }
    for (int c = 0; c < 2; ++c) {
        res.thd[c] = PercentOfRatio(std::sqrt(harm[c]));
        res.thdN[c] = PercentOfRatio(std::sqrt(harm[c] + noise[c]));
    }
    return res;
}

double Weighting(double f) {
    if (f <= 0.0) return 0.0;
    const double a = 800.0 / f, b = 500.0 / f, c = f / 8000.0;
    return 1.0 / std::sqrt((1.0 + a * a) * (1.0 + b * b) * (1.0 + c * c));
}

NoiseResult NoiseRatio(float* l, float* r, int n, int rate, bool bandLimit, const float refDb[2],
                       bool dynamicRange) {
    NoiseResult res;
    const double df = static_cast<double>(rate) / n;
    const int u = UpperBin(n, rate, bandLimit);
    const int b35 = Bin(35.0 / df), b1k = Bin(1000.0 / df);
    float* ch[2] = {l, r};
    for (int c = 0; c < 2; ++c) {
        const float ref = static_cast<float>(std::pow(10.0, refDb[c] / 20.0));
        for (int k = 0; k < n / 2; ++k) ch[c][k] /= ref;
        double plain = 0.0, weighted = 0.0;
        for (int k = std::max(b35, 0); k <= u && k < n / 2; ++k) {
            if (dynamicRange && k >= b1k - 10 && k <= b1k + 10) continue;
            const double p = static_cast<double>(ch[c][k]) * ch[c][k];
            plain += p;
            if (k > b35 && k < u) weighted += p * Weighting(k * df);
        }
        res.unweighted[c] = TruncHundredths(-20.0 * std::log10(std::sqrt(plain)));
        res.weighted[c] = TruncHundredths(-20.0 * std::log10(std::sqrt(weighted)));
    }
    return res;
}

ImResult ImDistortion(const float* l, const float* r, int n, int rate, bool bandLimit) {
    ImResult res;
    const double df = static_cast<double>(rate) / n;
    const int u = UpperBin(n, rate, bandLimit);
    const float* ch[2] = {l, r};
    const int from = Bin(55.0 / df);
    float first[2] = {0.001f, 0.001f}, second[2] = {0.001f, 0.001f};
    int firstBin[2] = {0, 0}, secondBin[2] = {0, 0};
    for (int c = 0; c < 2; ++c)
        for (int k = from; k < u / 2; ++k)
            if (InHalf(k, n) && ch[c][k] > first[c]) {
                first[c] = ch[c][k];
                firstBin[c] = k;
            }
    int ub = first[0] > first[1] ? firstBin[0] : firstBin[1];
    for (int c = 0; c < 2; ++c)
        for (int k = from; k < u / 2; ++k)
            if (InHalf(k, n) && (k < ub - 25 || k > ub + 25) && ch[c][k] > second[c]) {
                second[c] = ch[c][k];
                secondBin[c] = k;
            }
    int vb = second[0] > second[1] ? secondBin[0] : secondBin[1];
    if (vb < ub) std::swap(ub, vb);
    res.lower = ub * df;
    res.upper = vb * df;
    const double e1 = ub, e2 = vb;
    const int h1 = res.lower <= 1000.0 ? Bin(0.5 * e1) : Bin(300.0 * e1 / res.lower);
    const int h2 = res.upper <= 1000.0 ? Bin(0.3 * e2) : Bin(300.0 * e2 / res.upper);
    for (int c = 0; c < 2; ++c) {
        const double amp = std::sqrt(static_cast<double>(first[c]) * first[c] +
                                     static_cast<double>(second[c]) * second[c]);
        double sum = 0.0;
        for (int k = Bin(70.0 / df); k <= u && k < n / 2; ++k) {
            if (k < 0) continue;
            const bool nearLower = k > ub - h1 && k < ub + h1;
            const bool nearUpper = k > vb - h2 && k < vb + h2;
            if (nearLower || nearUpper) continue;
            const double v = ch[c][k] / amp;
            sum += v * v;
        }
        res.imN[c] = PercentOfRatio(std::sqrt(sum));
    }
    return res;
}

void Crosstalk(const float* l, const float* r, int n, int rate, float out[2]) {
    const double df = static_cast<double>(rate) / n;
    const double freqs[2] = {1000.0, 10000.0};
    for (int i = 0; i < 2; ++i) {
        const float lm = PeakNear(l, n, freqs[i] / df);
        const float rm = PeakNear(r, n, freqs[i] / df);
        const double db = 20.0 * std::log10(static_cast<double>(rm) / lm);
        out[i] = std::isnan(db) ? 0.0f : TruncHundredths(-std::fabs(db));
    }
}

} // namespace audio
