#include "dsp/SpectrumRatio.h"

#include "dsp/SimdLanes.h"

namespace {

typedef long long Vec4l __attribute__((vector_size(32)));

inline void RatioOfBin(const float* x1Re, const float* x1Im, const float* x2Re, const float* x2Im,
                       int k, float* hRe, float* hIm) {
    const double ar = x1Re[k], ai = x1Im[k], br = x2Re[k], bi = x2Im[k];
    const double den = ar * ar + ai * ai;
    if (den == 0.0) {
        hRe[k] = 0.0f;
        hIm[k] = 0.0f;
        return;
    }
    hRe[k] = static_cast<float>((br * ar + bi * ai) / den);
    hIm[k] = static_cast<float>((bi * ar - br * ai) / den);
}

// Four bins at a time with the same double operations as one bin alone (a zero denominator is
// replaced by 1 and its quotients masked to +0).
SIMD_INLINE void RatioBody(const float* x1Re, const float* x1Im, const float* x2Re,
                           const float* x2Im, int n, float* hRe, float* hIm) {
    using V = simd::Vec4d;
    using F = simd::Vec4;
    int k = 0;
    for (; k + 4 <= n; k += 4) {
        const V ar = __builtin_convertvector(simd::Load<F>(x1Re + k), V);
        const V ai = __builtin_convertvector(simd::Load<F>(x1Im + k), V);
        const V br = __builtin_convertvector(simd::Load<F>(x2Re + k), V);
        const V bi = __builtin_convertvector(simd::Load<F>(x2Im + k), V);
        const V den = ar * ar + ai * ai;
        const Vec4l zero = den == 0.0;
        const V one = {1.0, 1.0, 1.0, 1.0};
        const V safe = den + (V)(zero & (Vec4l)one);
        const V qr = (V)((Vec4l)((br * ar + bi * ai) / safe) & ~zero);
        const V qi = (V)((Vec4l)((bi * ar - br * ai) / safe) & ~zero);
        simd::Store(hRe + k, __builtin_convertvector(qr, F));
        simd::Store(hIm + k, __builtin_convertvector(qi, F));
    }
    for (; k < n; ++k) RatioOfBin(x1Re, x1Im, x2Re, x2Im, k, hRe, hIm);
}

} // namespace

SIMD_DISPATCH(SpectrumRatio, RatioBody,
              (const float* x1Re, const float* x1Im, const float* x2Re, const float* x2Im, int n,
               float* hRe, float* hIm),
              (x1Re, x1Im, x2Re, x2Im, n, hRe, hIm))
