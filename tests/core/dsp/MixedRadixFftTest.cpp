#include "dsp/MixedRadixFft.h"
#include "dsp/Dft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

namespace {

using Cx = std::complex<double>;

struct Signal {
    std::vector<float> re, im;
};

Signal RandomSignal(int n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
    Signal s{std::vector<float>(n), std::vector<float>(n)};
    for (int i = 0; i < n; ++i) {
        s.re[i] = dist(gen);
        s.im[i] = dist(gen);
    }
    return s;
}

// Direct sum in double: sign -1 forward (scaled by 1/n), +1 inverse (unscaled).
std::vector<Cx> DirectDft(const Signal& x, int sign) {
    const int n = static_cast<int>(x.re.size());
    std::vector<Cx> roots(n);
    for (int q = 0; q < n; ++q) roots[q] = std::polar(1.0, sign * 2.0 * std::numbers::pi * q / n);
    std::vector<Cx> out(n);
    for (int k = 0; k < n; ++k) {
        Cx sum = 0;
        for (int t = 0; t < n; ++t)
            sum += Cx(x.re[t], x.im[t]) * roots[(static_cast<long long>(t) * k) % n];
        out[k] = sign < 0 ? sum / static_cast<double>(n) : sum;
    }
    return out;
}

// Root-mean-square error relative to the root-mean-square of the reference.
double RelativeError(const Signal& y, const std::vector<Cx>& ref, int count) {
    double err = 0, norm = 0;
    for (int k = 0; k < count; ++k) {
        err += std::norm(Cx(y.re[k], y.im[k]) - ref[k]);
        norm += std::norm(ref[k]);
    }
    return std::sqrt(err / norm);
}

Signal RunDft(const Signal& x, int outputs, int inverse) {
    const int n = static_cast<int>(x.re.size());
    Dft dft;
    DftPlan plan;
    EXPECT_EQ(dft.Init(plan, n, outputs), 0);
    Signal y = x;
    dft.Transform(plan, inverse, y.re.data(), y.im.data());
    dft.Free(plan);
    return y;
}

} // namespace

TEST(MixedRadixFftTest, SupportsLengthsWithoutPrimeFactorsAboveSeven) {
    for (int n : {2, 3, 4, 5, 7, 49, 1000, 44100, 48000, 96000, 1 << 20})
        EXPECT_TRUE(MixedRadixFft::Supports(n)) << n;
    for (int n : {-4, 0, 1, 11, 22, 97, 1009, 44101, 95999})
        EXPECT_FALSE(MixedRadixFft::Supports(n)) << n;
    MixedRadixFft fft;
    EXPECT_FALSE(fft.Init(11));
    EXPECT_EQ(fft.Size(), 0);
    EXPECT_TRUE(fft.Init(360));
    EXPECT_EQ(fft.Size(), 360);
}

// Every radix alone and in mixtures, odd lengths (whose last pass is not radix 2 or 4), the
// lengths of the strided last pass with and without a tail, and lengths that still take the
// chirp path (primes and a prime factor above 7), forward and inverse, against the direct sum.
class DftAgainstDirectSum : public ::testing::TestWithParam<int> {};

TEST_P(DftAgainstDirectSum, ForwardAndInverse) {
    const int n = GetParam();
    const Signal x = RandomSignal(n, 17 + n);
    EXPECT_LT(RelativeError(RunDft(x, n, 0), DirectDft(x, -1), n), 1e-6) << n;
    EXPECT_LT(RelativeError(RunDft(x, n, 1), DirectDft(x, +1), n), 1e-6) << n;
}

INSTANTIATE_TEST_SUITE_P(Lengths, DftAgainstDirectSum,
                         ::testing::Values(2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 15, 16, 18, 20, 21,
                                           25, 27, 28, 32, 35, 36, 40, 45, 49, 50, 60, 63, 64, 72,
                                           96, 100, 105, 120, 125, 128, 135, 144, 160, 175, 189,
                                           210, 225, 243, 250, 256, 343, 360, 375, 384, 441, 500,
                                           512, 576, 625, 640, 720, 729, 1000, 1024, 1029, 1125,
                                           1323, 1536, 2048, 2187, 2401, 3125, 4096, 4410, 11, 13,
                                           97, 1009, 22, 1001, 2039));

// The mixed-radix result and the chirp convolution (which an output count below n still
// selects) agree to float rounding in the forward direction.
TEST(MixedRadixFftTest, AgreesWithTheChirpConvolution) {
    for (int n : {1000, 4410, 44100, 48000, 96000}) {
        const Signal x = RandomSignal(n, n);
        const Signal fast = RunDft(x, n, 0);
        const Signal chirp = RunDft(x, n - 1, 0);
        double err = 0, norm = 0;
        for (int k = 0; k < n - 1; ++k) {
            err += std::norm(Cx(fast.re[k] - chirp.re[k], fast.im[k] - chirp.im[k]));
            norm += std::norm(Cx(chirp.re[k], chirp.im[k]));
        }
        EXPECT_LT(std::sqrt(err / norm), 2e-6) << n;
    }
}

TEST(MixedRadixFftTest, OutputCountBelowLengthWritesOnlyThoseBins) {
    const int n = 1000;
    const Signal x = RandomSignal(n, 5);
    const Signal y = RunDft(x, 600, 0);
    const std::vector<Cx> ref = DirectDft(x, -1);
    EXPECT_LT(RelativeError(y, ref, 600), 1e-6);
    for (int k = 600; k < n; ++k) {
        ASSERT_EQ(y.re[k], x.re[k]) << k;
        ASSERT_EQ(y.im[k], x.im[k]) << k;
    }
}

TEST(MixedRadixFftTest, ForwardThenInverseRestoresLongRecords) {
    for (int n : {44100, 96000, 3 * 5 * 7 * 7 * 49}) {
        const Signal x = RandomSignal(n, n + 1);
        Dft dft;
        DftPlan plan;
        ASSERT_EQ(dft.Init(plan, n, n), 0);
        Signal y = x;
        dft.Transform(plan, 0, y.re.data(), y.im.data());
        dft.Transform(plan, 1, y.re.data(), y.im.data());
        double worst = 0;
        for (int i = 0; i < n; ++i)
            worst = std::max(
                {worst, std::abs(double{y.re[i]} - x.re[i]), std::abs(double{y.im[i]} - x.im[i])});
        EXPECT_LT(worst, 2e-5) << n;
        dft.Free(plan);
        EXPECT_EQ(plan.m_mixedRadix.Size(), 0);
    }
}
