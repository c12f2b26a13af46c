// The document's FFT: bit-reversal reordering and the butterfly passes.
#include "document/CKymoDoc.h"
#include "dsp/BitReversal.h"
#include "dsp/FftPlanCache.h"
#include "dsp/RealSpectrum.h"

#include <algorithm>

void CKymoDoc::FftBitReverse(int n, float* re, float* im) {
    if (n < 2 || n > (1 << FftPlanCache::kMaxLog2) || (n & (n - 1)) != 0) return;
    int log2n = 0;
    while ((1 << log2n) < n) ++log2n;
    BitReverse(re, im, log2n);
}

void CKymoDoc::FftButterflies(int log2n, int direction, float* re, float* im) {
    if (log2n < 1 || log2n > FftPlanCache::kMaxLog2) return;
    const PowerOfTwoFft<float>& passes = m_fftPlans->For(log2n).passes;
    if (direction == 1) {
        // 1/n is exact for a power of two: scaling inside the last pass equals dividing after.
        passes.FromBitReversed(re, im, 1.0f / static_cast<float>(1 << log2n));
    } else {
        // The inverse is the forward transform with real and imaginary parts exchanged.
        passes.FromBitReversed(im, re, 1.0f);
    }
}

void CKymoDoc::FftRealRecord(int log2n, const float* x, float* re, float* im) {
    if (log2n < 2 || log2n > FftPlanCache::kMaxLog2) {
        const int n = 1 << std::clamp(log2n, 0, FftPlanCache::kMaxLog2);
        std::copy_n(x, n, re);
        std::fill_n(im, n, 0.0f);
        FftBitReverse(n, re, im);
        FftButterflies(log2n, 1, re, im);
        return;
    }
    // The even samples as real parts, the odd ones as imaginary parts: one transform of n/2.
    const int half = 1 << (log2n - 1);
    for (int t = 0; t < half; ++t) {
        re[t] = x[2 * t];
        im[t] = x[2 * t + 1];
    }
    BitReverse(re, im, log2n - 1);
    m_fftPlans->For(log2n - 1).passes.FromBitReversed(re, im, 1.0f / static_cast<float>(2 * half));
    const FftPlanCache::Plan& full = m_fftPlans->For(log2n);
    CompleteRealSpectrum(re, im, 2 * half, full.cosHalf.data(), full.sinHalf.data());
}
