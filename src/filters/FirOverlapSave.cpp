#include "filters/FirOverlapSave.h"

#include "dsp/SimdLanes.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace {

constexpr double kUnit = 0x1p-53; // unit roundoff of double
constexpr int kMinLog2 = 8;
constexpr int kMaxLog2 = 18;

// cos and sin of 2 pi k / n (0 <= k < n, n a power of two), reduced by symmetry to an angle of
// at most pi/4, so that each is within 3 units of roundoff of the true value.
void UnitRoot(long long k, long long n, double& c, double& s) {
    double sinSign = 1.0, cosSign = 1.0;
    bool swapped = false;
    if (2 * k > n) {
        k = n - k;
        sinSign = -1.0;
    }
    if (4 * k > n) {
        k = n / 2 - k;
        cosSign = -1.0;
    }
    if (8 * k > n) {
        k = n / 4 - k;
        swapped = true;
    }
    const double angle = 2.0 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(n);
    double cc = std::cos(angle), ss = std::sin(angle);
    if (swapped) std::swap(cc, ss);
    c = cosSign * cc;
    s = sinSign * ss;
}

// re/im times the spectrum hRe/hIm, entry by entry.
SIMD_INLINE void MultiplySpectrumBody(double* re, double* im, const double* hRe, const double* hIm,
                                      int n) {
    using V = simd::Vec4d;
    for (int k = 0; k < n; k += 4) {
        const V a = simd::Load<V>(re + k), b = simd::Load<V>(im + k);
        const V c = simd::Load<V>(hRe + k), d = simd::Load<V>(hIm + k);
        simd::Store(re + k, a * c - b * d);
        simd::Store(im + k, a * d + b * c);
    }
}

SIMD_INLINE void EnergyBody(const double* re, const double* im, int n, double* energy) {
    using V = simd::Vec4d;
    V sum{};
    for (int k = 0; k < n; k += 4) {
        const V a = simd::Load<V>(re + k), b = simd::Load<V>(im + k);
        sum += a * a + b * b;
    }
    *energy = (sum[0] + sum[1]) + (sum[2] + sum[3]);
}

SIMD_DISPATCH(MultiplySpectrum, MultiplySpectrumBody,
              (double* re, double* im, const double* hRe, const double* hIm, int n),
              (re, im, hRe, hIm, n))
SIMD_DISPATCH(Energy, EnergyBody, (const double* re, const double* im, int n, double* energy),
              (re, im, n, energy))

int Log2(int n) {
    int b = 0;
    while ((1 << b) < n) ++b;
    return b;
}

} // namespace

int FirOverlapSave::SizeFor(int taps) {
    int best = 1 << kMaxLog2;
    double bestCost = std::numeric_limits<double>::infinity();
    for (int b = kMinLog2; b <= kMaxLog2; ++b) {
        const int m = 1 << b;
        if (m < 2 * taps) continue;
        // Two transforms of m log2 m butterfly work plus the linear passes, per output.
        const double cost = m * (b + 3.0) / (m - taps + 1);
        if (cost < bestCost) {
            bestCost = cost;
            best = m;
        }
    }
    return best;
}

bool FirOverlapSave::Init(const double* h, int taps, double sampleLimit) {
    m_nTaps = m_nSize = 0;
    if (taps < 1 || 2 * taps > (1 << kMaxLog2)) return false;
    double norm1 = 0.0, energy = 0.0;
    for (int k = 0; k < taps; ++k) {
        if (!std::isfinite(h[k])) return false;
        norm1 += std::fabs(h[k]);
        energy += h[k] * h[k];
    }
    if (!std::isfinite(norm1) || !std::isfinite(energy)) return false;

    const int m = SizeFor(taps);
    const int log2m = Log2(m);
    std::vector<double> cosHalf(static_cast<std::size_t>(m / 2)), sinHalf(cosHalf.size());
    for (int k = 0; k < m / 2; ++k) UnitRoot(k, m, cosHalf[k], sinHalf[k]);
    m_fft.Init(log2m, cosHalf.data(), sinHalf.data());

    m_hRe.assign(static_cast<std::size_t>(m), 0.0);
    m_hIm.assign(static_cast<std::size_t>(m), 0.0);
    for (int k = 0; k < taps; ++k) m_hRe[k] = h[k];
    m_fft.ToBitReversed(m_hRe.data(), m_hIm.data());
    const double inverseSize = 1.0 / m; // exact
    for (int k = 0; k < m; ++k) {
        m_hRe[k] *= inverseSize;
        m_hIm[k] *= inverseSize;
    }
    m_re.assign(static_cast<std::size_t>(m), 0.0);
    m_im.assign(static_cast<std::size_t>(m), 0.0);

    // Error bound. Every pass of radix 4 (or 2) turns its inputs by twiddles within mu of the
    // true roots, each complex product within sqrt2 gamma2 of exact, and adds twice; its
    // 2-norm error relative to the 2-norm of its exact result is at most `pass`, so a transform
    // of `passes` passes is within epsF = (1 + pass)^passes - 1 in 2-norm. For the segment x
    // (||x||_2 of both parts) and H the exact spectrum of h (|H[k]| <= ||h||_1, the computed
    // one within deltaH = epsF sqrt(M) ||h||_2 of it), the computed product spectrum and the
    // inverse transform give a 2-norm error, and so a bound on every output, of
    // ||x||_2 (epsF Hmax + deltaH + sqrt2 gamma2 (1 + epsF) Hmax
    //          + epsF (1 + sqrt2 gamma2)(1 + epsF) Hmax).
    // The direct form's double sum is within gammaN ||h||_1 max|x| of the exact sum.
    const double u = kUnit;
    const double mu = 4.0 * u;
    const double gamma2 = 2.0 * u / (1.0 - 2.0 * u);
    const double product = std::sqrt(2.0) * gamma2;
    const double alpha = mu + product * (1.0 + mu);
    const double pass = alpha * (1.0 + u) * (1.0 + u) + u * (1.0 + alpha) * (2.0 + u);
    const int passes = (log2m + 1) / 2;
    const double epsF = std::pow(1.0 + pass, passes) - 1.0;
    const double slack = 1.0 + 4.0 * taps * u; // rounding of the norms computed above
    const double deltaH = epsF * std::sqrt(static_cast<double>(m)) * std::sqrt(energy) * slack;
    const double hMax = norm1 * slack + deltaH;
    m_fftGain = epsF * hMax + deltaH + product * (1.0 + epsF) * hMax +
                epsF * (1.0 + product) * (1.0 + epsF) * hMax;
    const double gammaN = taps * u / (1.0 - taps * u);
    m_directBound = gammaN * norm1 * slack * sampleLimit;

    m_nTaps = taps;
    m_nSize = m;
    return true;
}

double FirOverlapSave::Convolve() {
    const int m = m_nSize;
    double* re = m_re.data();
    double* im = m_im.data();
    double energy = 0.0;
    Energy(re, im, m, &energy);
    m_fft.ToBitReversed(re, im);
    MultiplySpectrum(re, im, m_hRe.data(), m_hIm.data(), m);
    m_fft.FromBitReversed(im, re, 1.0); // the inverse: real and imaginary parts exchanged
    if (!std::isfinite(energy)) return std::numeric_limits<double>::infinity();
    // Twice the bound: a margin for the roundings of the bound's own arithmetic.
    return 2.0 * (std::sqrt(energy) * (1.0 + kUnit) * m_fftGain + m_directBound);
}
