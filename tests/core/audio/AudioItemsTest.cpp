#include "sound/audio/AudioItems.h"

#include "dsp/DftPlan.h"
#include "dsp/Fft.h"
#include "dsp/Window.h"
#include "dsp/WindowKinds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int kN = audio::kSinePoints;

// Magnitudes of bins 0 .. N/2 - 1 of x under the Kaiser analysis window (beta 12), scaled 1/N.
std::vector<float> Spectrum(const std::function<double(int)>& x, int n = kN) {
    std::vector<float> w(n), re(n), im(n, 0.0f);
    FillWindow(wnd::Kaiser, n, 12.0f, w.data());
    for (int i = 0; i < n; ++i) re[i] = static_cast<float>(x(i)) * w[i];
    Fft fft;
    DftPlan plan;
    fft.Init(plan, n);
    fft.Transform(plan, 0, re.data(), im.data());
    std::vector<float> mag(n / 2);
    for (int k = 0; k < n / 2; ++k) mag[k] = std::sqrt(re[k] * re[k] + im[k] * im[k]);
    return mag;
}

// A frequency at the centre of bin k (no scalloping of the peaks).
double OnBin(int k, int rate) {
    return k * static_cast<double>(rate) / kN;
}

// Equivalent noise bandwidth of the window in bins: N sum w^2 / (sum w)^2.
double NoiseBandwidth() {
    std::vector<float> w(kN);
    FillWindow(wnd::Kaiser, kN, 12.0f, w.data());
    double s = 0.0, s2 = 0.0;
    for (float v : w) s += v, s2 += static_cast<double>(v) * v;
    return kN * s2 / (s * s);
}

double WindowPower(int n = kN) {
    std::vector<float> w(n);
    FillWindow(wnd::Kaiser, n, 12.0f, w.data());
    double s = 0.0;
    for (float v : w) s += static_cast<double>(v) * v;
    return s;
}

} // namespace

TEST(AudioItems, UpperBinFollowsRateAndBandLimit) {
    EXPECT_EQ(audio::UpperBin(kN, 48000, true), 6826);
    EXPECT_EQ(audio::UpperBin(kN, 44100, true), 7447);
    EXPECT_EQ(audio::UpperBin(kN, 96000, true), 3413);
    EXPECT_EQ(audio::UpperBin(kN, 48000, false), kN / 2);
    EXPECT_EQ(audio::UpperBin(kN, 32000, true), kN / 2);
}

TEST(AudioItems, ThdOfKnownHarmonics) {
    const struct {
        int rate;
        double f, h2, h3;
    } cases[] = {{48000, OnBin(341, 48000), 0.01, 0.0},
                 {44100, OnBin(372, 44100), 0.003, 0.004},
                 {96000, OnBin(341, 96000), 0.0, 0.02}};
    for (const auto& c : cases) {
        const auto x = [&](int i) {
            const double p = kTwoPi * c.f * i / c.rate;
            return 10000.0 * (std::sin(p) + c.h2 * std::sin(2 * p) + c.h3 * std::sin(3 * p));
        };
        auto l = Spectrum(x), r = Spectrum(x);
        const audio::ThdResult res = audio::Thd(l.data(), r.data(), kN, c.rate, true);
        const double expected = 100.0 * std::hypot(c.h2, c.h3);
        EXPECT_NEAR(res.thd[0], expected, 0.01 * expected + 1e-3) << c.rate;
        EXPECT_NEAR(res.thd[1], expected, 0.01 * expected + 1e-3);
        EXPECT_GE(res.thdN[0], res.thd[0]);
        EXPECT_NEAR(res.thdN[0], expected, 0.02 * expected + 1e-3);
        EXPECT_NEAR(res.fundamental, c.f, c.rate / static_cast<double>(kN));
    }
}

TEST(AudioItems, ThdOfAHighFundamentalIsZeroAndThdNIsTheNoise) {
    // 8000 Hz at 44.1 kHz: trunc(0.4545 N / E) = 2, no harmonic order is examined.
    const int rate = 44100;
    const auto x = [&](int i) {
        const double p = kTwoPi * 8000.0 * i / rate;
        return 10000.0 * (std::sin(p) + 0.05 * std::sin(2 * p)) +
               300.0 * std::sin(kTwoPi * OnBin(4000, rate) * i / rate);
    };
    auto l = Spectrum(x), r = Spectrum(x);
    const audio::ThdResult res = audio::Thd(l.data(), r.data(), kN, rate, true);
    EXPECT_EQ(res.thd[0], 0.0f);
    // The noise tone counts with its whole main lobe, without a bandwidth correction.
    EXPECT_NEAR(res.thdN[0], 3.0 * std::sqrt(NoiseBandwidth()), 0.2);
}

TEST(AudioItems, NoiseRatioOfWhiteNoiseWithAndWithoutWeighting) {
    const int rate = 48000;
    const double sigma = 30.0;
    std::mt19937 random(11);
    std::normal_distribution<double> gauss(0.0, sigma);
    std::vector<double> noise(kN);
    for (double& v : noise) v = gauss(random);
    auto l = Spectrum([&](int i) { return noise[i]; });
    auto r = l;
    const float ref[2] = {60.0f, 40.0f};
    const audio::NoiseResult res =
        audio::NoiseRatio(l.data(), r.data(), kN, rate, true, ref, false);
    // Expected bin power: sigma^2 sum w^2 / N^2.
    const double bin = sigma * sigma * WindowPower() / (static_cast<double>(kN) * kN);
    const double df = static_cast<double>(rate) / kN;
    const int b35 = static_cast<int>(35.0 / df), u = audio::UpperBin(kN, rate, true);
    double plain = 0.0, weighted = 0.0;
    for (int k = b35; k <= u; ++k) plain += bin;
    for (int k = b35 + 1; k < u; ++k) weighted += bin * audio::Weighting(k * df);
    for (int c = 0; c < 2; ++c) {
        const double refPower = std::pow(10.0, ref[c] / 10.0);
        EXPECT_NEAR(res.unweighted[c], -10.0 * std::log10(plain / refPower), 0.2) << c;
        EXPECT_NEAR(res.weighted[c], -10.0 * std::log10(weighted / refPower), 0.2) << c;
    }
    EXPECT_NEAR(res.unweighted[0] - res.unweighted[1], 20.0, 0.011);
    EXPECT_GT(res.weighted[0], res.unweighted[0]);
}

TEST(AudioItems, WeightingValues) {
    EXPECT_EQ(audio::Weighting(0.0), 0.0);
    const double f = 1000.0;
    const double expected = 1.0 / std::sqrt((1 + 0.64) * (1 + 0.25) * (1 + 1.0 / 64.0));
    EXPECT_DOUBLE_EQ(audio::Weighting(f), expected);
}

TEST(AudioItems, ImDistortionOfTwoTonesWithAProduct) {
    const int rate = 48000;
    const double a1 = 10000.0 * 0.708, a2 = 10000.0 * 0.17783, p = 50.0;
    const double f1 = OnBin(20, rate), f2 = OnBin(2389, rate);
    const auto x = [&](int i) {
        const double t = kTwoPi * i / rate;
        return a1 * std::sin(f1 * t) + a2 * std::sin(f2 * t) + p * std::sin((f2 + f1) * t) +
               p * std::sin((f2 - f1) * t);
    };
    // The products at 7000 +- 60 Hz lie inside the 300 Hz exclusion of the upper tone, a
    // product at 3 kHz does not.
    auto l = Spectrum(x), r = Spectrum(x);
    audio::ImResult res = audio::ImDistortion(l.data(), r.data(), kN, rate, true);
    EXPECT_DOUBLE_EQ(res.lower, f1);
    EXPECT_DOUBLE_EQ(res.upper, f2);
    const double base = res.imN[0];
    EXPECT_LT(base, 0.5);
    const auto y = [&](int i) {
        return x(i) + p * std::sin(kTwoPi * OnBin(1024, rate) * i / rate);
    };
    l = Spectrum(y), r = Spectrum(y);
    res = audio::ImDistortion(l.data(), r.data(), kN, rate, true);
    EXPECT_NEAR(std::sqrt(res.imN[0] * res.imN[0] - base * base),
                100.0 * p * std::sqrt(NoiseBandwidth()) / std::hypot(a1, a2), 0.02);
}

TEST(AudioItems, CrosstalkIsNeverPositive) {
    const int rate = 48000;
    const auto lx = [&](int i) {
        return 20000.0 * std::sin(kTwoPi * 1000.0 * i / rate) +
               2.0 * std::sin(kTwoPi * 10000.0 * i / rate);
    };
    const auto rx = [&](int i) {
        return 20.0 * std::sin(kTwoPi * 1000.0 * i / rate) +
               20000.0 * std::sin(kTwoPi * 10000.0 * i / rate);
    };
    auto l = Spectrum(lx), r = Spectrum(rx);
    float out[2];
    audio::Crosstalk(l.data(), r.data(), kN, rate, out);
    EXPECT_NEAR(out[0], -60.0, 0.02);
    EXPECT_NEAR(out[1], -80.0, 0.02);
}

TEST(AudioItems, FrequencyResponseAtOneKilohertzIsZero) {
    const int n = audio::kTspPoints;
    std::vector<float> l(n / 2, 2.0f), r(n / 2, 4.0f);
    r[static_cast<int>(5000.0 / (48000.0 / n))] = 8.0f;
    float out[4];
    audio::FrequencyResponse(l.data(), r.data(), n, 48000, 1000.0, 5000.0, out);
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(out[1], 0.0f);
    EXPECT_EQ(out[2], 0.0f);
    EXPECT_EQ(out[3], 6.02f);
}

TEST(AudioItems, Truncations) {
    EXPECT_EQ(audio::TruncHundredths(-12.3456), static_cast<float>(-12.34));
    EXPECT_EQ(audio::PercentOfRatio(0.0123456789), static_cast<float>(1.2345));
}
