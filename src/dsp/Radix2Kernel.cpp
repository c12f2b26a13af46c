#include "dsp/Radix2Kernel.h"
#include "dsp/CpuDispatch.h"

#include <cstring>
#include <utility>

// The vector helpers below are always inlined, so no vector crosses a call boundary.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

typedef float Vec8 __attribute__((vector_size(32)));
typedef float Vec4 __attribute__((vector_size(16)));

template <class V> struct Lanes { static constexpr int count = sizeof(V) / sizeof(float); };
template <> struct Lanes<float> { static constexpr int count = 1; };

template <class V> __attribute__((always_inline)) inline V Load(const float* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <class V> __attribute__((always_inline)) inline void Store(float* p, V v) {
    std::memcpy(p, &v, sizeof v);
}

template <> inline float Load<float>(const float* p) {
    return *p;
}
template <> inline void Store<float>(float* p, float v) {
    *p = v;
}

// One radix-2 stage of half-size h.
template <class V>
__attribute__((always_inline)) inline void Single(float* re, float* im, int n, int h,
                                                  const float* cs, const float* sn, float sign,
                                                  float scale) {
    constexpr int w = Lanes<V>::count;
    for (int e = 0; e < n; e += 2 * h) {
        float* uRe = re + e;
        float* uIm = im + e;
        float* lRe = uRe + h;
        float* lIm = uIm + h;
        for (int j = 0; j < h; j += w) {
            const V c = Load<V>(cs + j);
            const V s = Load<V>(sn + j) * sign;
            const V xr = Load<V>(lRe + j);
            const V xi = Load<V>(lIm + j);
            const V tr = xr * c + xi * s;
            const V ti = xi * c - xr * s;
            const V ur = Load<V>(uRe + j);
            const V ui = Load<V>(uIm + j);
            Store<V>(uRe + j, (ur + tr) * scale);
            Store<V>(uIm + j, (ui + ti) * scale);
            Store<V>(lRe + j, (ur - tr) * scale);
            Store<V>(lIm + j, (ui - ti) * scale);
        }
    }
}

// Stages of half-size h and 2h in one pass: quadruples (a, b, c, d) at offsets 0, h, 2h, 3h.
template <class V>
__attribute__((always_inline)) inline void
Double(float* re, float* im, int n, int h, const float* cs1, const float* sn1, const float* cs2,
       const float* sn2, float sign, float scale) {
    constexpr int w = Lanes<V>::count;
    for (int e = 0; e < n; e += 4 * h) {
        float* r = re + e;
        float* i = im + e;
        for (int j = 0; j < h; j += w) {
            const V c1 = Load<V>(cs1 + j);
            const V s1 = Load<V>(sn1 + j) * sign;
            const V c2a = Load<V>(cs2 + j);
            const V s2a = Load<V>(sn2 + j) * sign;
            const V c2b = Load<V>(cs2 + h + j);
            const V s2b = Load<V>(sn2 + h + j) * sign;

            const V ar = Load<V>(r + j), ai = Load<V>(i + j);
            const V br = Load<V>(r + h + j), bi = Load<V>(i + h + j);
            const V cr = Load<V>(r + 2 * h + j), ci = Load<V>(i + 2 * h + j);
            const V dr = Load<V>(r + 3 * h + j), di = Load<V>(i + 3 * h + j);

            const V t1r = br * c1 + bi * s1;
            const V t1i = bi * c1 - br * s1;
            const V a1r = ar + t1r, a1i = ai + t1i;
            const V b1r = ar - t1r, b1i = ai - t1i;
            const V t2r = dr * c1 + di * s1;
            const V t2i = di * c1 - dr * s1;
            const V c1r = cr + t2r, c1i = ci + t2i;
            const V d1r = cr - t2r, d1i = ci - t2i;

            const V ur = c1r * c2a + c1i * s2a;
            const V ui = c1i * c2a - c1r * s2a;
            const V vr = d1r * c2b + d1i * s2b;
            const V vi = d1i * c2b - d1r * s2b;
            Store<V>(r + j, (a1r + ur) * scale);
            Store<V>(i + j, (a1i + ui) * scale);
            Store<V>(r + 2 * h + j, (a1r - ur) * scale);
            Store<V>(i + 2 * h + j, (a1i - ui) * scale);
            Store<V>(r + h + j, (b1r + vr) * scale);
            Store<V>(i + h + j, (b1i + vi) * scale);
            Store<V>(r + 3 * h + j, (b1r - vr) * scale);
            Store<V>(i + 3 * h + j, (b1i - vi) * scale);
        }
    }
}

// Stages 0 and 1: quadruples of neighbours. The twiddles of j = 0 are (1, 0), so only the
// odd element of stage 1 is multiplied; the sums are those of the general passes.
__attribute__((always_inline)) inline void FirstTwoStages(float* re, float* im, int n, float c,
                                                          float s, float scale) {
    for (int e = 0; e < n; e += 4) {
        float* r = re + e;
        float* i = im + e;
        const float a1r = r[0] + r[1], a1i = i[0] + i[1];
        const float b1r = r[0] - r[1], b1i = i[0] - i[1];
        const float c1r = r[2] + r[3], c1i = i[2] + i[3];
        const float d1r = r[2] - r[3], d1i = i[2] - i[3];
        const float vr = d1r * c + d1i * s;
        const float vi = d1i * c - d1r * s;
        r[0] = (a1r + c1r) * scale;
        i[0] = (a1i + c1i) * scale;
        r[2] = (a1r - c1r) * scale;
        i[2] = (a1i - c1i) * scale;
        r[1] = (b1r + vr) * scale;
        i[1] = (b1i + vi) * scale;
        r[3] = (b1r - vr) * scale;
        i[3] = (b1i - vi) * scale;
    }
}

__attribute__((always_inline)) inline void Passes(float* re, float* im, int log2n,
                                                  const float* const* cs, const float* const* sn,
                                                  float sign, float scale) {
    const int n = 1 << log2n;
    int s = 0;
    if (log2n >= 2) {
        FirstTwoStages(re, im, n, cs[1][1], sign * sn[1][1], log2n == 2 ? scale : 1.0f);
        s = 2;
    }
    for (; s + 1 < log2n; s += 2) {
        const int h = 1 << s;
        const float k = s + 2 == log2n ? scale : 1.0f;
        if (h >= 8)
            Double<Vec8>(re, im, n, h, cs[s], sn[s], cs[s + 1], sn[s + 1], sign, k);
        else
            Double<Vec4>(re, im, n, h, cs[s], sn[s], cs[s + 1], sn[s + 1], sign, k);
    }
    if (s < log2n) {
        const int h = 1 << s;
        if (h >= 8)
            Single<Vec8>(re, im, n, h, cs[s], sn[s], sign, scale);
        else if (h >= 4)
            Single<Vec4>(re, im, n, h, cs[s], sn[s], sign, scale);
        else
            Single<float>(re, im, n, h, cs[s], sn[s], sign, scale);
    }
}

void PassesBaseline(float* re, float* im, int log2n, const float* const* cs, const float* const* sn,
                    float sign, float scale) {
    Passes(re, im, log2n, cs, sn, sign, scale);
}

#if SONALYX_AVX2_DISPATCH
SONALYX_TARGET_AVX2 void PassesAvx2(float* re, float* im, int log2n, const float* const* cs,
                                    const float* const* sn, float sign, float scale) {
    Passes(re, im, log2n, cs, sn, sign, scale);
}
#endif

} // namespace

void Radix2Passes(float* re, float* im, int log2n, const float* const* cs, const float* const* sn,
                  float sign, float scale) {
#if SONALYX_AVX2_DISPATCH
    if (CpuHasAvx2()) {
        PassesAvx2(re, im, log2n, cs, sn, sign, scale);
        return;
    }
#endif
    PassesBaseline(re, im, log2n, cs, sn, sign, scale);
}

namespace {

constexpr int kTileBits = 4;
constexpr int kTile = 1 << kTileBits;
constexpr int kTiledFrom = 11; // smaller sizes fit the first-level cache
constexpr int kTileReverse[kTile] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};

int ReverseBits(int value, int bits) {
    int r = 0;
    for (int b = 0; b < bits; ++b) r |= ((value >> b) & 1) << (bits - 1 - b);
    return r;
}

// Index (a, b, c) with a and c of kTileBits bits goes to (rev c, rev b, rev a): the tile of
// middle part b maps onto the tile of rev b, so the two are exchanged through a buffer.
void TiledReverse(float* x, int log2n) {
    const int midBits = log2n - 2 * kTileBits;
    const int highShift = log2n - kTileBits;
    float tileA[kTile][kTile];
    float tileB[kTile][kTile];
    for (int b = 0; b < (1 << midBits); ++b) {
        const int rb = ReverseBits(b, midBits);
        if (rb < b) continue;
        for (int a = 0; a < kTile; ++a) {
            std::memcpy(tileA[a], x + (a << highShift) + (b << kTileBits), sizeof tileA[a]);
            std::memcpy(tileB[a], x + (a << highShift) + (rb << kTileBits), sizeof tileB[a]);
        }
        for (int c = 0; c < kTile; ++c) {
            float* toRb = x + (kTileReverse[c] << highShift) + (rb << kTileBits);
            float* toB = x + (kTileReverse[c] << highShift) + (b << kTileBits);
            for (int a = 0; a < kTile; ++a) {
                toRb[kTileReverse[a]] = tileA[a][c];
                toB[kTileReverse[a]] = tileB[a][c];
            }
        }
    }
}

} // namespace

void BitReversePermute(float* re, float* im, int log2n) {
    const int n = 1 << log2n;
    if (log2n >= kTiledFrom) {
        TiledReverse(re, log2n);
        TiledReverse(im, log2n);
        return;
    }
    // The reversed counter j follows i through the bit-reversed order.
    int j = 0;
    for (int i = 0; i < n - 1; ++i) {
        if (i < j) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
        int a = n / 2;
        while (a <= j) {
            j -= a;
            a /= 2;
        }
        j += a;
    }
}
