#include "dsp/RealSpectrum.h"

#include "dsp/SimdLanes.h"

namespace {

// Bins k and k + n/2 from z = Z[k] and w = Z[n/2 - k] (mod n/2), c + j s = e^(j 2 pi k / n).
template <class V>
SIMD_INLINE void Bins(V zr, V zi, V wr, V wi, V c, V s, V& xr, V& xi, V& yr, V& yi) {
    const V er = 0.5f * (zr + wr);
    const V ei = 0.5f * (zi - wi);
    const V orr = 0.5f * (zi + wi);
    const V oi = 0.5f * (wr - zr);
    const V tr = orr * c + oi * s;
    const V ti = oi * c - orr * s;
    xr = er + tr;
    xi = ei + ti;
    yr = er - tr;
    yi = ei - ti;
}

inline void BinsAt(float* re, float* im, int n, int k, float zr, float zi, float wr, float wi,
                   float c, float s) {
    Bins(zr, zi, wr, wi, c, s, re[k], im[k], re[k + n / 2], im[k + n / 2]);
}

SIMD_INLINE simd::Vec8 Reversed(simd::Vec8 v) {
    return __builtin_shufflevector(v, v, 7, 6, 5, 4, 3, 2, 1, 0);
}

// Pairs (k, n/2 - k) eight at a time from both ends, the mirrored run reversed in registers;
// the middle of the range, where the runs would meet, one pair at a time.
SIMD_INLINE void CompleteBody(float* re, float* im, int n, const float* cosHalf,
                              const float* sinHalf) {
    using V = simd::Vec8;
    using simd::Load;
    using simd::Store;
    const int half = n / 2;
    BinsAt(re, im, n, 0, re[0], im[0], re[0], im[0], cosHalf[0], sinHalf[0]);
    int k = 1;
    for (; half - k - 7 > k + 7; k += 8) {
        const int m = half - k - 7; // the mirrored run m .. m + 7 = half - k - 7 .. half - k
        const V zr = Load<V>(re + k), zi = Load<V>(im + k);
        const V wr = Reversed(Load<V>(re + m)), wi = Reversed(Load<V>(im + m));
        V xr, xi, yr, yi;
        Bins(zr, zi, wr, wi, Load<V>(cosHalf + k), Load<V>(sinHalf + k), xr, xi, yr, yi);
        V pr, pi, qr, qi;
        Bins(wr, wi, zr, zi, Reversed(Load<V>(cosHalf + m)), Reversed(Load<V>(sinHalf + m)), pr, pi,
             qr, qi);
        Store(re + k, xr);
        Store(im + k, xi);
        Store(re + k + half, yr);
        Store(im + k + half, yi);
        Store(re + m, Reversed(pr));
        Store(im + m, Reversed(pi));
        Store(re + m + half, Reversed(qr));
        Store(im + m + half, Reversed(qi));
    }
    for (; k <= half / 2; ++k) {
        const int m = half - k;
        const float zr = re[k], zi = im[k], wr = re[m], wi = im[m];
        BinsAt(re, im, n, k, zr, zi, wr, wi, cosHalf[k], sinHalf[k]);
        if (m != k) BinsAt(re, im, n, m, wr, wi, zr, zi, cosHalf[m], sinHalf[m]);
    }
}

} // namespace

SIMD_DISPATCH(CompleteRealSpectrum, CompleteBody,
              (float* re, float* im, int n, const float* cosHalf, const float* sinHalf),
              (re, im, n, cosHalf, sinHalf))
