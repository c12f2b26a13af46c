#include "dsp/PowerOfTwoFft.h"
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "dsp/CpuDispatch.h"
#include "dsp/FftTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

namespace {

using Cx = std::complex<double>;

int Reverse(int i, int bits) {
    int r = 0;
    for (int b = 0; b < bits; ++b) r |= ((i >> b) & 1) << (bits - 1 - b);
    return r;
}

std::vector<Cx> DirectDft(const std::vector<double>& re, const std::vector<double>& im) {
    const int n = static_cast<int>(re.size());
    std::vector<Cx> out(n);
    for (int k = 0; k < n; ++k)
        for (int t = 0; t < n; ++t)
            out[k] += Cx(re[t], im[t]) *
                      std::polar(1.0, -2.0 * std::numbers::pi * ((1LL * t * k) % n) / n);
    return out;
}

// Radix-2 transform in double (sign -1 forward, +1 inverse, unscaled) on the twiddles of the
// document's tables for n: the float cosines and sines of 2 pi k / n from MakeFftTables.
std::vector<Cx> ReferenceFft(std::vector<Cx> x, int sign) {
    const int n = static_cast<int>(x.size());
    int log2n = 0;
    while ((1 << log2n) < n) ++log2n;
    std::vector<float> sinHalf(std::max(n / 2, 1)), cosHalf(sinHalf.size());
    MakeFftTables(n, sinHalf.data(), cosHalf.data());
    for (int i = 0; i < n; ++i)
        if (i < Reverse(i, log2n)) std::swap(x[i], x[Reverse(i, log2n)]);
    for (int len = 2; len <= n; len *= 2)
        for (int start = 0; start < n; start += len)
            for (int j = 0; j < len / 2; ++j) {
                const int at = j * (n / len);
                const Cx w(cosHalf[at], sign * static_cast<double>(sinHalf[at]));
                const Cx a = x[start + j], b = w * x[start + j + len / 2];
                x[start + j] = a + b;
                x[start + j + len / 2] = a - b;
            }
    return x;
}

// Direct DFT in double, sum x[t] e^(sign j 2 pi t k / n), unscaled.
std::vector<Cx> DirectDft(const std::vector<Cx>& x, int sign) {
    const int n = static_cast<int>(x.size());
    std::vector<Cx> w(n), out(n);
    for (int k = 0; k < n; ++k) w[k] = std::polar(1.0, sign * 2.0 * std::numbers::pi * k / n);
    for (int k = 0; k < n; ++k)
        for (int t = 0; t < n; ++t) out[k] += x[t] * w[(1LL * t * k) % n];
    return out;
}

// Lowers the kernels' instruction set for one test and restores the widest on leaving.
struct SimdLevelScope {
    explicit SimdLevelScope(SimdLevel level) { LimitSimdLevel(level); }
    ~SimdLevelScope() { LimitSimdLevel(SimdLevel::Avx512); }
};

} // namespace

// The document FFT, forward (scaled by 1/n) and inverse, against a double transform on the same
// twiddle values: every size it accepts, errors of float rounding only.
TEST(PowerOfTwoFftTest, DocumentFftAgreesWithADoubleTransformOnItsTables) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    for (int log2n = 1; log2n <= 15; ++log2n) {
        const int n = 1 << log2n;
        std::mt19937 rng(100 + log2n);
        std::uniform_real_distribution<float> d(-1.0f, 1.0f);
        std::vector<float> re(n), im(n);
        std::vector<Cx> x(n);
        for (int i = 0; i < n; ++i) {
            re[i] = d(rng);
            im[i] = d(rng);
            x[i] = Cx(re[i], im[i]);
        }
        for (int direction : {1, 2}) {
            std::vector<float> r = re, i = im;
            doc.FftBitReverse(n, r.data(), i.data());
            doc.FftButterflies(log2n, direction, r.data(), i.data());
            const std::vector<Cx> ref = ReferenceFft(x, direction == 1 ? -1 : 1);
            const double scale = direction == 1 ? 1.0 / n : 1.0;
            double worst = 0, power = 0;
            for (int k = 0; k < n; ++k) {
                worst = std::max(worst, std::abs(Cx(r[k], i[k]) - ref[k] * scale));
                power += std::norm(ref[k] * scale);
            }
            // Float rounding grows with the number of passes: a few units per pass, relative to
            // the root-mean-square output.
            EXPECT_LT(worst / std::sqrt(power / n), 3e-7 * log2n) << n << " " << direction;
        }
    }
}

// Decimation in frequency leaves the transform in bit-reversed order; decimation in time of
// that order with real and imaginary parts exchanged returns n times the input.
TEST(PowerOfTwoFftTest, DoubleTransformsRoundTrip) {
    for (int log2n = 1; log2n <= 12; ++log2n) {
        const int n = 1 << log2n;
        std::vector<double> cosHalf(n / 2), sinHalf(n / 2);
        for (int k = 0; k < n / 2; ++k) {
            cosHalf[k] = std::cos(2 * std::numbers::pi * k / n);
            sinHalf[k] = std::sin(2 * std::numbers::pi * k / n);
        }
        PowerOfTwoFft<double> fft;
        fft.Init(log2n, cosHalf.data(), sinHalf.data());
        std::mt19937 rng(log2n);
        std::uniform_real_distribution<double> d(-1, 1);
        std::vector<double> re(n), im(n);
        for (int i = 0; i < n; ++i) {
            re[i] = d(rng);
            im[i] = d(rng);
        }
        const std::vector<Cx> ref = DirectDft(re, im);
        std::vector<double> r = re, i = im;
        fft.ToBitReversed(r.data(), i.data());
        double worst = 0;
        for (int k = 0; k < n; ++k)
            worst =
                std::max(worst, std::abs(Cx(r[Reverse(k, log2n)], i[Reverse(k, log2n)]) - ref[k]));
        EXPECT_LT(worst, 1e-12 * n) << n;
        fft.FromBitReversed(i.data(), r.data(), 1.0 / n);
        worst = 0;
        for (int t = 0; t < n; ++t)
            worst = std::max({worst, std::abs(r[t] - re[t]), std::abs(i[t] - im[t])});
        EXPECT_LT(worst, 1e-14 * log2n) << n;
    }
}

// The transform of a real record in one half-size transform agrees with the complex transform
// of (x, 0), and a silent record gives exact zeros.
TEST(PowerOfTwoFftTest, RealRecordMatchesComplexTransform) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> d(-32768, 32767);
    for (int log2n = 2; log2n <= 15; ++log2n) {
        const int n = 1 << log2n;
        std::vector<float> x(n);
        for (float& v : x) v = static_cast<float>(d(rng));
        std::vector<float> re(n), im(n), cre = x, cim(n, 0.0f);
        doc.FftRealRecord(log2n, x.data(), re.data(), im.data());
        doc.FftBitReverse(n, cre.data(), cim.data());
        doc.FftButterflies(log2n, 1, cre.data(), cim.data());
        double err = 0, norm = 0;
        for (int k = 0; k < n; ++k) {
            err += std::norm(Cx(re[k] - cre[k], im[k] - cim[k]));
            norm += std::norm(Cx(cre[k], cim[k]));
        }
        EXPECT_LT(std::sqrt(err / norm), 1e-6) << n;

        const std::vector<float> silent(n, 0.0f);
        doc.FftRealRecord(log2n, silent.data(), re.data(), im.data());
        for (int k = 0; k < n; ++k) {
            ASSERT_EQ(re[k], 0.0f) << n << " " << k;
            ASSERT_EQ(im[k], 0.0f) << n << " " << k;
        }
    }
}

// The document FFT no longer depends on the size its tables were last filled for.
TEST(PowerOfTwoFftTest, DocumentFftIgnoresTablesOfAnotherSize) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    const int n = 1024;
    std::vector<float> a(n), b(n, 0.0f);
    for (int i = 0; i < n; ++i)
        a[i] = static_cast<float>(std::cos(2 * std::numbers::pi * 5 * i / n));
    MakeFftTables(4096, doc.m_fSinTbl.data(), doc.m_fCosTbl.data());
    doc.FftBitReverse(n, a.data(), b.data());
    doc.FftButterflies(10, 1, a.data(), b.data());
    for (int k = 0; k < n; ++k) {
        const float expected = (k == 5 || k == n - 5) ? 0.5f : 0.0f;
        ASSERT_NEAR(std::hypot(a[k], b[k]), expected, 1e-6) << k;
    }
}

// Every build of the kernels (baseline, AVX2 with FMA and AVX-512, as far as this processor has
// them): the reordering against the bit-reversal formula and the document FFT, forward and
// inverse, against a direct DFT (up to 2048 points; beyond, the double transform on the tables).
TEST(PowerOfTwoFftTest, EveryKernelBuildAgreesWithADirectDft) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    for (SimdLevel level : {SimdLevel::Baseline, SimdLevel::Avx2Fma, SimdLevel::Avx512}) {
        const SimdLevelScope scope(level);
        for (int log2n = 1; log2n <= 15; ++log2n) {
            const int n = 1 << log2n;
            std::mt19937 rng(7 * log2n + static_cast<int>(level));
            std::uniform_real_distribution<float> d(-1.0f, 1.0f);
            std::vector<float> re(n), im(n);
            std::vector<Cx> x(n);
            for (int i = 0; i < n; ++i) {
                re[i] = d(rng);
                im[i] = d(rng);
                x[i] = Cx(re[i], im[i]);
            }
            std::vector<float> r = re, i = im;
            doc.FftBitReverse(n, r.data(), i.data());
            for (int k = 0; k < n; ++k) {
                ASSERT_EQ(r[k], re[Reverse(k, log2n)]) << static_cast<int>(level) << " " << n;
                ASSERT_EQ(i[k], im[Reverse(k, log2n)]) << static_cast<int>(level) << " " << n;
            }
            for (int direction : {1, 2}) {
                r = re;
                i = im;
                doc.FftBitReverse(n, r.data(), i.data());
                doc.FftButterflies(log2n, direction, r.data(), i.data());
                const int sign = direction == 1 ? -1 : 1;
                const std::vector<Cx> ref =
                    log2n <= 11 ? DirectDft(x, sign) : ReferenceFft(x, sign);
                const double scale = direction == 1 ? 1.0 / n : 1.0;
                double worst = 0, power = 0;
                for (int k = 0; k < n; ++k) {
                    worst = std::max(worst, std::abs(Cx(r[k], i[k]) - ref[k] * scale));
                    power += std::norm(ref[k] * scale);
                }
                EXPECT_LT(worst / std::sqrt(power / n), 3e-7 * log2n)
                    << static_cast<int>(level) << " " << n << " " << direction;
            }
        }
    }
}
