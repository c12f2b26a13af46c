// The FFT path of FirFilterPcm against its direct form: identical bytes for long random and
// full-scale inputs, 8 and 16 bits, mono and stereo, every channel mode, at the crossover tap
// count and far above it; and the error bound of the overlap-save convolution against exact sums.
#include "filters/FirOverlapSave.h"
#include "filters/PcmFilters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kHead = 5;

enum class Taps { Lowpass, Random, Dyadic };
enum class Input { Noise, Square, Sparse };

// A Kaiser-like windowed-sinc lowpass with gain 1 at 0 Hz, random taps of sum about 1, or taps
// that are multiples of 1/8 (so that many exact outputs are integers: truncation boundaries).
std::vector<double> MakeTaps(Taps kind, int n, unsigned seed) {
    std::vector<double> h(static_cast<std::size_t>(n));
    std::mt19937 rng(seed);
    if (kind == Taps::Lowpass) {
        double sum = 0;
        for (int k = 0; k < n; ++k) {
            const double t = k - (n - 1) / 2.0;
            const double sinc =
                t == 0 ? 1.0
                       : std::sin(0.45 * std::numbers::pi * t) / (0.45 * std::numbers::pi * t);
            const double w = 0.42 - 0.5 * std::cos(2 * std::numbers::pi * (k + 0.5) / n) +
                             0.08 * std::cos(4 * std::numbers::pi * (k + 0.5) / n);
            h[k] = sinc * w;
            sum += h[k];
        }
        for (double& v : h) v /= sum;
    } else if (kind == Taps::Random) {
        std::uniform_real_distribution<double> d(-1.0, 1.0);
        for (double& v : h) v = d(rng) * 4.0 / n;
    } else {
        std::uniform_int_distribution<int> d(-3, 3);
        for (double& v : h) v = d(rng) / 8.0;
    }
    return h;
}

// Interleaved sample bytes behind a header: full-scale noise, a full-scale square wave (the
// largest sums the filter can produce, so 16-bit results wrap), or mostly silence with
// full-scale clicks (runs of exact zeros and exact integer outputs).
std::vector<std::uint8_t> MakeImage(Input kind, int frames, int channels, int width,
                                    unsigned seed) {
    std::vector<std::uint8_t> img(kHead, 0x5A);
    std::mt19937 rng(seed);
    const int lo = width == 2 ? -32768 : -128;
    const int hi = width == 2 ? 32767 : 127;
    std::uniform_int_distribution<int> full(lo, hi);
    std::uniform_int_distribution<int> click(0, 499);
    for (int i = 0; i < frames * channels; ++i) {
        int v = 0;
        if (kind == Input::Noise)
            v = full(rng);
        else if (kind == Input::Square)
            v = (i / channels / 37) % 2 ? hi : lo;
        else
            v = click(rng) == 0 ? (full(rng) < 0 ? lo : hi) : 0;
        if (width == 1) {
            img.push_back(static_cast<std::uint8_t>(v + 128));
        } else {
            img.push_back(static_cast<std::uint8_t>(v & 0xFF));
            img.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
        }
    }
    return img;
}

struct Case {
    int format;
    int mode;
    int taps;
    Taps tapKind;
    Input input;
};

std::string Name(const ::testing::TestParamInfo<Case>& info) {
    const Case& c = info.param;
    static const char* formats[] = {"Mono8", "Stereo8", "Mono16", "Stereo16"};
    static const char* tapKinds[] = {"Lowpass", "Random", "Dyadic"};
    static const char* inputs[] = {"Noise", "Square", "Sparse"};
    return std::string(formats[c.format]) + "Mode" + std::to_string(c.mode) + "Taps" +
           std::to_string(c.taps) + tapKinds[static_cast<int>(c.tapKind)] +
           inputs[static_cast<int>(c.input)];
}

class FirFastPath : public ::testing::TestWithParam<Case> {};

TEST_P(FirFastPath, StoresExactlyTheDirectFormsSamples) {
    const Case& c = GetParam();
    const int channels = (c.format & 1) ? 2 : 1;
    const int width = c.format >= pcm::Mono16 ? 2 : 1;
    // Several segments of the largest FFT size, with a partial last one.
    const int frames = 3 * FirOverlapSave::SizeFor(c.taps) + 1234;
    const auto src = MakeImage(c.input, frames, channels, width, 7u + c.taps);
    const auto h = MakeTaps(c.tapKind, c.taps, 11u + c.taps);
    std::vector<std::uint8_t> fast(src.size(), 0xEE), direct(src.size(), 0xDD);
    FirFilterPcm(c.mode, frames, c.format, c.taps, h.data(), kHead, src.data(), fast.data());
    FirFilterPcmDirect(c.mode, frames, c.format, c.taps, h.data(), kHead, src.data(),
                       direct.data());
    std::size_t first = fast.size();
    for (std::size_t i = 0; i < fast.size() && first == fast.size(); ++i)
        if (fast[i] != direct[i]) first = i;
    EXPECT_EQ(first, fast.size()) << "first differing byte " << first;
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    // Every format and channel mode at the crossover, one below it (the direct form) and far
    // above it.
    for (int format : {pcm::Mono8, pcm::Stereo8, pcm::Mono16, pcm::Stereo16})
        for (int mode : {chmode::Ch1, chmode::Ch2, chmode::Both})
            for (int taps : {kFirFftFromTaps - 1, kFirFftFromTaps, 1024})
                cases.push_back(Case{format, mode, taps, Taps::Lowpass, Input::Noise});
    // Full-scale inputs, wrapping sums and outputs on truncation boundaries, odd tap counts.
    for (int format : {pcm::Mono8, pcm::Stereo16})
        for (Input input : {Input::Square, Input::Sparse})
            for (Taps kind : {Taps::Lowpass, Taps::Random, Taps::Dyadic})
                for (int taps : {kFirFftFromTaps, kFirFftFromTaps + 1, 4097})
                    cases.push_back(Case{format, chmode::Both, taps, kind, input});
    cases.push_back(Case{pcm::Stereo16, chmode::Both, 4096, Taps::Lowpass, Input::Noise});
    cases.push_back(Case{pcm::Mono16, chmode::Ch1, 3919, Taps::Random, Input::Noise});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, FirFastPath, ::testing::ValuesIn(Cases()), Name);

// The convolution's outputs lie within half the bound it reports (the other half is margin)
// of sums computed in extended precision; and the bound is small enough that recomputation is
// rare for full-scale 16-bit noise.
TEST(FirOverlapSave, OutputsLieWithinTheBoundOfExactSums) {
    for (int taps : {64, 1000, 4096}) {
        const auto h = MakeTaps(Taps::Lowpass, taps, 3);
        FirOverlapSave fast;
        ASSERT_TRUE(fast.Init(h.data(), taps, 32768.0));
        const int m = fast.Size();
        std::mt19937 rng(taps);
        std::uniform_int_distribution<int> full(-32768, 32767);
        std::vector<double> a(m), b(m);
        for (int t = 0; t < m; ++t) {
            a[t] = fast.Re()[t] = full(rng);
            b[t] = fast.Im()[t] = full(rng);
        }
        const double bound = fast.Convolve();
        EXPECT_LT(bound, 1e-4) << taps;
        double worst = 0;
        for (int t = taps - 1; t < m; ++t) {
            long double ya = 0, yb = 0;
            for (int k = 0; k < taps; ++k) {
                ya += static_cast<long double>(h[k]) * a[t - k];
                yb += static_cast<long double>(h[k]) * b[t - k];
            }
            worst = std::max({worst, static_cast<double>(std::fabs(fast.Re()[t] - ya)),
                              static_cast<double>(std::fabs(fast.Im()[t] - yb))});
        }
        EXPECT_LE(worst, bound / 2) << taps;
        EXPECT_GT(worst, 0.0) << taps; // the comparison is not vacuous
    }
}

TEST(FirOverlapSave, RefusesTapsItCannotBound) {
    FirOverlapSave fast;
    std::vector<double> h(100, 0.01);
    h[50] = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(fast.Init(h.data(), 100, 32768.0));
    h[50] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(fast.Init(h.data(), 100, 32768.0));
    EXPECT_FALSE(fast.Init(h.data(), 0, 32768.0));
    h[50] = 0.01;
    EXPECT_TRUE(fast.Init(h.data(), 100, 32768.0));
    EXPECT_GE(fast.Size(), 200);
    EXPECT_EQ(fast.Step(), fast.Size() - 99);
}

// Non-finite and huge taps still give the direct form's samples (its own rule for them).
TEST(FirFastPath, HugeAndNonFiniteTapsFollowTheDirectForm) {
    const int frames = 5000, taps = 200;
    const auto src = MakeImage(Input::Noise, frames, 2, 2, 5);
    for (double special : {1e300, std::numeric_limits<double>::infinity(), 1e12}) {
        auto h = MakeTaps(Taps::Lowpass, taps, 9);
        h[17] = special;
        std::vector<std::uint8_t> fast(src.size()), direct(src.size());
        FirFilterPcm(chmode::Both, frames, pcm::Stereo16, taps, h.data(), kHead, src.data(),
                     fast.data());
        FirFilterPcmDirect(chmode::Both, frames, pcm::Stereo16, taps, h.data(), kHead, src.data(),
                           direct.data());
        EXPECT_EQ(fast, direct) << special;
    }
}

} // namespace
