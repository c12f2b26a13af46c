#include "dsp/PowerOfTwoFft.h"

#include "dsp/SimdLanes.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace {

using simd::Load;
using simd::Store;

template <class T> struct VecOf;
template <> struct VecOf<float> {
    using Wide = simd::Vec8;
    using Widest = simd::Vec16; // AVX-512 builds
    using Narrow = simd::Vec4;
    static constexpr int kBlock = 4096; // 32 KB of real and imaginary parts
    static constexpr bool kEights = true;
};
template <> struct VecOf<double> {
    using Wide = simd::Vec4d;
    using Widest = simd::Vec8d;
    using Narrow = simd::Vec2d;
    static constexpr int kBlock = 2048;
    static constexpr bool kEights = false;
};

template <class V> constexpr int kLanes = simd::Lanes<V>::count;

// x times (c - j s).
template <class V> SIMD_INLINE void Turn(V& xr, V& xi, V c, V s) {
    const V r = xr * c + xi * s;
    xi = xi * c - xr * s;
    xr = r;
}

template <bool Scaled, class V, class T> SIMD_INLINE V Out(V v, T scale) {
    if constexpr (Scaled)
        return v * scale;
    else
        return v;
}

// One stage: radix 4 with quadruples at offsets 0, h, 2h, 3h, or radix 2 with pairs at 0, h.
// The twiddles of a radix-4 stage are c[q h + j], s[q h + j] for W^((q + 1) j), W =
// e^(-j 2 pi / 4h), cosines first, then sines (3h each); those of a radix-2 stage are W^j,
// W = e^(-j 2 pi / 2h).
struct Stage {
    int radix;
    int h;
    int at; // offset of its twiddles
};

// ---- Decimation in time -------------------------------------------------------------------

// Radix 4 with h = 1: no twiddles; W neighbouring quadruples are loaded as four vectors and
// transposed, so that each vector holds one member of every quadruple.
template <class V, bool Scaled, class T> SIMD_INLINE void DitFirst(T* re, T* im, int n, T scale) {
    constexpr int W = kLanes<V>;
    for (int e = 0; e < n; e += 4 * W) {
        V xr[4], xi[4];
#pragma GCC unroll 8
        for (int q = 0; q < 4; ++q) {
            xr[q] = Load<V>(re + e + q * W);
            xi[q] = Load<V>(im + e + q * W);
        }
        if constexpr (W > 1) {
            simd::Transpose4(xr);
            simd::Transpose4(xi);
        }
        const V pr = xr[0] + xr[1], pi = xi[0] + xi[1];
        const V mr = xr[0] - xr[1], mi = xi[0] - xi[1];
        const V qr = xr[2] + xr[3], qi = xi[2] + xi[3];
        const V nr = xr[2] - xr[3], ni = xi[2] - xi[3];
        V yr[4] = {pr + qr, mr + ni, pr - qr, mr - ni};
        V yi[4] = {pi + qi, mi - nr, pi - qi, mi + nr};
        if constexpr (W > 1) {
            simd::Transpose4(yr);
            simd::Transpose4(yi);
        }
#pragma GCC unroll 8
        for (int q = 0; q < 4; ++q) {
            Store<V>(re + e + q * W, Out<Scaled>(yr[q], scale));
            Store<V>(im + e + q * W, Out<Scaled>(yi[q], scale));
        }
    }
}

// The radix-4 butterfly on turned inputs (see Dit4), outputs in y[0 .. 3] for offsets 0, h, 2h, 3h.
template <class V>
SIMD_INLINE void DitButterfly(V ar, V ai, V br, V bi, V cr, V ci, V dr, V di, V* yr, V* yi) {
    const V pr = ar + br, pi = ai + bi, mr = ar - br, mi = ai - bi;
    const V qr = cr + dr, qi = ci + di, nr = cr - dr, ni = ci - di;
    yr[0] = pr + qr;
    yi[0] = pi + qi;
    yr[1] = mr + ni;
    yi[1] = mi - nr;
    yr[2] = pr - qr;
    yi[2] = pi - qi;
    yr[3] = mr - ni;
    yi[3] = mi + nr;
}

// Radix 4 with h = 4 on vectors of 8 floats: two neighbouring groups of 16 at a time, their
// halves exchanged so that each vector holds the same member of both groups.
template <bool Scaled>
SIMD_INLINE void Dit4Pairs(float* re, float* im, int n, const float* c, const float* s,
                           float scale) {
    using V = simd::Vec8;
    using H = simd::Vec4;
    const auto twice = [](const float* p) SIMD_LAMBDA {
        const H v = Load<H>(p);
        return V(__builtin_shufflevector(v, v, 0, 1, 2, 3, 0, 1, 2, 3));
    };
    const V c1 = twice(c), s1 = twice(s);
    const V c2 = twice(c + 4), s2 = twice(s + 4);
    const V c3 = twice(c + 8), s3 = twice(s + 8);
    for (int e = 0; e < n; e += 32) {
        V x[2][4];
        float* part[2] = {re + e, im + e};
#pragma GCC unroll 8
        for (int p = 0; p < 2; ++p) {
            simd::SwapHalves(Load<V>(part[p]), Load<V>(part[p] + 16), x[p][0], x[p][1]);
            simd::SwapHalves(Load<V>(part[p] + 8), Load<V>(part[p] + 24), x[p][2], x[p][3]);
        }
        Turn(x[0][1], x[1][1], c2, s2);
        Turn(x[0][2], x[1][2], c1, s1);
        Turn(x[0][3], x[1][3], c3, s3);
        V y[2][4];
        DitButterfly(x[0][0], x[1][0], x[0][1], x[1][1], x[0][2], x[1][2], x[0][3], x[1][3], y[0],
                     y[1]);
#pragma GCC unroll 8
        for (int p = 0; p < 2; ++p) {
            V lo, hi;
            simd::SwapHalves(y[p][0], y[p][1], lo, hi);
            Store<V>(part[p], Out<Scaled>(lo, scale));
            Store<V>(part[p] + 16, Out<Scaled>(hi, scale));
            simd::SwapHalves(y[p][2], y[p][3], lo, hi);
            Store<V>(part[p] + 8, Out<Scaled>(lo, scale));
            Store<V>(part[p] + 24, Out<Scaled>(hi, scale));
        }
    }
}

// Radix 4: b, c, d turned by W^2j, W^j, W^3j (the order of bit-reversed inputs), then
// y0 = (a + b) + (c + d), y1 = (a - b) - j (c - d), y2 = (a + b) - (c + d), y3 = (a - b) + j (c -
// d).
template <class V, bool Scaled, class T>
SIMD_INLINE void Dit4(T* re, T* im, int n, int h, const T* c, const T* s, T scale) {
    constexpr int W = kLanes<V>;
    for (int e = 0; e < n; e += 4 * h) {
        T* r = re + e;
        T* i = im + e;
        for (int j = 0; j < h; j += W) {
            V ar = Load<V>(r + j), ai = Load<V>(i + j);
            V br = Load<V>(r + h + j), bi = Load<V>(i + h + j);
            V cr = Load<V>(r + 2 * h + j), ci = Load<V>(i + 2 * h + j);
            V dr = Load<V>(r + 3 * h + j), di = Load<V>(i + 3 * h + j);
            Turn(br, bi, Load<V>(c + h + j), Load<V>(s + h + j));
            Turn(cr, ci, Load<V>(c + j), Load<V>(s + j));
            Turn(dr, di, Load<V>(c + 2 * h + j), Load<V>(s + 2 * h + j));
            V yr[4], yi[4];
            DitButterfly(ar, ai, br, bi, cr, ci, dr, di, yr, yi);
#pragma GCC unroll 8
            for (int q = 0; q < 4; ++q) {
                Store<V>(r + q * h + j, Out<Scaled>(yr[q], scale));
                Store<V>(i + q * h + j, Out<Scaled>(yi[q], scale));
            }
        }
    }
}

// Radix 2: y0 = a + W^j b, y1 = a - W^j b.
template <class V, bool Scaled, class T>
SIMD_INLINE void Dit2(T* re, T* im, int n, int h, const T* c, const T* s, T scale) {
    constexpr int W = kLanes<V>;
    for (int e = 0; e < n; e += 2 * h) {
        T* r = re + e;
        T* i = im + e;
        for (int j = 0; j < h; j += W) {
            const V ar = Load<V>(r + j), ai = Load<V>(i + j);
            V br = Load<V>(r + h + j), bi = Load<V>(i + h + j);
            Turn(br, bi, Load<V>(c + j), Load<V>(s + j));
            Store<V>(r + j, Out<Scaled>(ar + br, scale));
            Store<V>(i + j, Out<Scaled>(ai + bi, scale));
            Store<V>(r + h + j, Out<Scaled>(ar - br, scale));
            Store<V>(i + h + j, Out<Scaled>(ai - bi, scale));
        }
    }
}

// ---- Radix 8 (float) ---------------------------------------------------------------------

constexpr int kRev3[8] = {0, 4, 2, 6, 1, 5, 3, 7};

// 8-point DFT in place, natural order in and out: the sums and differences of u_k and u_k+4,
// the differences turned by W8^k, then two 4-point transforms.
template <class V> SIMD_INLINE void Dft4(V& r0, V& i0, V& r1, V& i1, V& r2, V& i2, V& r3, V& i3) {
    const V pr = r0 + r2, pi = i0 + i2, mr = r0 - r2, mi = i0 - i2;
    const V qr = r1 + r3, qi = i1 + i3, nr = r1 - r3, ni = i1 - i3;
    r0 = pr + qr;
    i0 = pi + qi;
    r1 = mr + ni;
    i1 = mi - nr;
    r2 = pr - qr;
    i2 = pi - qi;
    r3 = mr - ni;
    i3 = mi + nr;
}

template <class V> SIMD_INLINE void Dft8(V* r, V* i) {
    constexpr float kHalfRoot2 = 0.70710678118654752f;
    V ar[4], ai[4], br[4], bi[4];
#pragma GCC unroll 4
    for (int k = 0; k < 4; ++k) {
        ar[k] = r[k] + r[k + 4];
        ai[k] = i[k] + i[k + 4];
        br[k] = r[k] - r[k + 4];
        bi[k] = i[k] - i[k + 4];
    }
    const V t1r = (br[1] + bi[1]) * kHalfRoot2, t1i = (bi[1] - br[1]) * kHalfRoot2;
    const V t2r = bi[2], t2i = -br[2];
    const V t3r = (bi[3] - br[3]) * kHalfRoot2, t3i = -(br[3] + bi[3]) * kHalfRoot2;
    br[1] = t1r;
    bi[1] = t1i;
    br[2] = t2r;
    bi[2] = t2i;
    br[3] = t3r;
    bi[3] = t3i;
    Dft4(ar[0], ai[0], ar[1], ai[1], ar[2], ai[2], ar[3], ai[3]);
    Dft4(br[0], bi[0], br[1], bi[1], br[2], bi[2], br[3], bi[3]);
#pragma GCC unroll 4
    for (int k = 0; k < 4; ++k) {
        r[2 * k] = ar[k];
        i[2 * k] = ai[k];
        r[2 * k + 1] = br[k];
        i[2 * k + 1] = bi[k];
    }
}

// Lanes of x exchanged in pairs at distance D: lane l gets x[l ^ D].
template <int D, class V, std::size_t... L> SIMD_INLINE V XorLanes(V x, std::index_sequence<L...>) {
    return __builtin_shufflevector(x, x, static_cast<int>(L ^ D)...);
}
template <int D, class V> SIMD_INLINE V XorLanes(V x) {
    return XorLanes<D>(x, std::make_index_sequence<kLanes<V>>{});
}

// The radix-2 step at distance D within each group of 2D lanes, the upper lane of every pair
// first turned by (c, s): lower a + b, upper a - b.
template <int D, class V>
SIMD_INLINE void LaneButterfly(V& xr, V& xi, V sign, const V* c = nullptr, const V* s = nullptr) {
    if (c) Turn(xr, xi, *c, *s);
    xr = xr * sign + XorLanes<D>(xr);
    xi = xi * sign + XorLanes<D>(xi);
}

// Radix 8 with h = 1 inside the lanes: every group of eight neighbouring values (in bit-reversed
// order) is transformed by three radix-2 steps at lane distances 1, 2 and 4, the upper members
// turned by W4^j before the second and W8^j before the third.
template <class V, bool Scaled>
SIMD_INLINE void DitFirst8(float* re, float* im, int n, float scale) {
    constexpr int W = kLanes<V>;
    constexpr float kHalfRoot2 = 0.70710678118654752f;
    constexpr float kC8[4] = {1.0f, kHalfRoot2, 0.0f, -kHalfRoot2}; // cos, sin of 2 pi j / 8
    constexpr float kS8[4] = {0.0f, kHalfRoot2, 1.0f, kHalfRoot2};
    V sign1, sign2, sign4, c4, s4, c8, s8;
    for (int l = 0; l < W; ++l) {
        const int m = l % 8;
        sign1[l] = (m & 1) ? -1.0f : 1.0f;
        sign2[l] = (m & 2) ? -1.0f : 1.0f;
        sign4[l] = (m & 4) ? -1.0f : 1.0f;
        const bool turn4 = (m & 2) && (m & 1);
        c4[l] = turn4 ? 0.0f : 1.0f;
        s4[l] = turn4 ? 1.0f : 0.0f;
        c8[l] = (m & 4) ? kC8[m & 3] : 1.0f;
        s8[l] = (m & 4) ? kS8[m & 3] : 0.0f;
    }
    for (int e = 0; e < n; e += W) {
        V xr = Load<V>(re + e), xi = Load<V>(im + e);
        LaneButterfly<1>(xr, xi, sign1);
        LaneButterfly<2>(xr, xi, sign2, &c4, &s4);
        LaneButterfly<4>(xr, xi, sign4, &c8, &s8);
        Store<V>(re + e, Out<Scaled>(xr, scale));
        Store<V>(im + e, Out<Scaled>(xi, scale));
    }
}

// Radix 8: the member at offset q h turned by W^(rev(q) j), W = e^(-j 2 pi / 8h), then the
// 8-point DFT of the members in bit-reversed order; output m at offset m h.
template <class V, bool Scaled, class T>
SIMD_INLINE void Dit8(T* re, T* im, int n, int h, const T* c, const T* s, T scale) {
    constexpr int W = kLanes<V>;
    for (int e = 0; e < n; e += 8 * h) {
        T* r = re + e;
        T* i = im + e;
        for (int j = 0; j < h; j += W) {
            V ur[8], ui[8];
#pragma GCC unroll 8
            for (int p = 0; p < 8; ++p) {
                const int q = kRev3[p];
                ur[p] = Load<V>(r + q * h + j);
                ui[p] = Load<V>(i + q * h + j);
                if (p > 0)
                    Turn(ur[p], ui[p], Load<V>(c + (p - 1) * h + j), Load<V>(s + (p - 1) * h + j));
            }
            Dft8(ur, ui);
#pragma GCC unroll 8
            for (int m = 0; m < 8; ++m) {
                Store<V>(r + m * h + j, Out<Scaled>(ur[m], scale));
                Store<V>(i + m * h + j, Out<Scaled>(ui[m], scale));
            }
        }
    }
}

template <bool Scaled, bool Avx512, class T>
SIMD_INLINE void DitStage(const Stage& st, T* re, T* im, int n, const T* tw, T scale) {
    using Wide = typename VecOf<T>::Wide;
    using Narrow = typename VecOf<T>::Narrow;
    using Widest = typename VecOf<T>::Widest;
    const T* c = tw + st.at;
    const T* s = c + (st.radix - 1) * st.h;
    if constexpr (Avx512) {
        if (st.h >= kLanes<Widest>) {
            if (st.radix == 8)
                Dit8<Widest, Scaled>(re, im, n, st.h, c, s, scale);
            else if (st.radix == 4)
                Dit4<Widest, Scaled>(re, im, n, st.h, c, s, scale);
            else
                Dit2<Widest, Scaled>(re, im, n, st.h, c, s, scale);
            return;
        }
    }
    if constexpr (VecOf<T>::kEights) {
        if (st.radix == 8) {
            if (st.h == 1) {
                if constexpr (Avx512) {
                    if (n % kLanes<Widest> == 0) {
                        DitFirst8<Widest, Scaled>(re, im, n, scale);
                        return;
                    }
                }
                DitFirst8<Wide, Scaled>(re, im, n, scale);
            } else
                Dit8<Wide, Scaled>(re, im, n, st.h, c, s, scale);
            return;
        }
    }
    if (st.radix == 2) {
        if (st.h >= kLanes<Wide>)
            Dit2<Wide, Scaled>(re, im, n, st.h, c, s, scale);
        else if (st.h >= kLanes<Narrow>)
            Dit2<Narrow, Scaled>(re, im, n, st.h, c, s, scale);
        else
            Dit2<T, Scaled>(re, im, n, st.h, c, s, scale);
    } else if (st.h == 1) {
        if (n % (4 * kLanes<Wide>) == 0)
            DitFirst<Wide, Scaled>(re, im, n, scale);
        else
            DitFirst<T, Scaled>(re, im, n, scale);
    } else if (st.h >= kLanes<Wide>) {
        Dit4<Wide, Scaled>(re, im, n, st.h, c, s, scale);
    } else if constexpr (std::is_same_v<T, float>) {
        if (st.h == 4 && n % 32 == 0)
            Dit4Pairs<Scaled>(re, im, n, c, s, scale);
        else if (st.h >= kLanes<Narrow>)
            Dit4<Narrow, Scaled>(re, im, n, st.h, c, s, scale);
        else
            Dit4<T, Scaled>(re, im, n, st.h, c, s, scale);
    } else if (st.h >= kLanes<Narrow>) {
        Dit4<Narrow, Scaled>(re, im, n, st.h, c, s, scale);
    } else {
        Dit4<T, Scaled>(re, im, n, st.h, c, s, scale);
    }
}

// ---- Decimation in frequency (the transposed passes, in reverse order) ---------------------

// Radix 4 with h = 1: z0 = (a + c) + (b + d), z1 = (a + c) - (b + d), z2 = (a - c) - j (b - d),
// z3 = (a - c) + j (b - d).
template <class V, class T> SIMD_INLINE void DifLast(T* re, T* im, int n) {
    constexpr int W = kLanes<V>;
    for (int e = 0; e < n; e += 4 * W) {
        V xr[4], xi[4];
#pragma GCC unroll 8
        for (int q = 0; q < 4; ++q) {
            xr[q] = Load<V>(re + e + q * W);
            xi[q] = Load<V>(im + e + q * W);
        }
        if constexpr (W > 1) {
            simd::Transpose4(xr);
            simd::Transpose4(xi);
        }
        const V pr = xr[0] + xr[2], pi = xi[0] + xi[2];
        const V mr = xr[0] - xr[2], mi = xi[0] - xi[2];
        const V qr = xr[1] + xr[3], qi = xi[1] + xi[3];
        const V nr = xr[1] - xr[3], ni = xi[1] - xi[3];
        V yr[4] = {pr + qr, pr - qr, mr + ni, mr - ni};
        V yi[4] = {pi + qi, pi - qi, mi - nr, mi + nr};
        if constexpr (W > 1) {
            simd::Transpose4(yr);
            simd::Transpose4(yi);
        }
#pragma GCC unroll 8
        for (int q = 0; q < 4; ++q) {
            Store<V>(re + e + q * W, yr[q]);
            Store<V>(im + e + q * W, yi[q]);
        }
    }
}

// Radix 4: the butterfly of DifLast, then z1 turned by W^2j, z2 by W^j, z3 by W^3j.
template <class V, class T>
SIMD_INLINE void Dif4(T* re, T* im, int n, int h, const T* c, const T* s) {
    constexpr int W = kLanes<V>;
    for (int e = 0; e < n; e += 4 * h) {
        T* r = re + e;
        T* i = im + e;
        for (int j = 0; j < h; j += W) {
            const V ar = Load<V>(r + j), ai = Load<V>(i + j);
            const V br = Load<V>(r + h + j), bi = Load<V>(i + h + j);
            const V cr = Load<V>(r + 2 * h + j), ci = Load<V>(i + 2 * h + j);
            const V dr = Load<V>(r + 3 * h + j), di = Load<V>(i + 3 * h + j);
            const V pr = ar + cr, pi = ai + ci, mr = ar - cr, mi = ai - ci;
            const V qr = br + dr, qi = bi + di, nr = br - dr, ni = bi - di;
            V z1r = pr - qr, z1i = pi - qi;
            V z2r = mr + ni, z2i = mi - nr;
            V z3r = mr - ni, z3i = mi + nr;
            Turn(z1r, z1i, Load<V>(c + h + j), Load<V>(s + h + j));
            Turn(z2r, z2i, Load<V>(c + j), Load<V>(s + j));
            Turn(z3r, z3i, Load<V>(c + 2 * h + j), Load<V>(s + 2 * h + j));
            Store<V>(r + j, pr + qr);
            Store<V>(i + j, pi + qi);
            Store<V>(r + h + j, z1r);
            Store<V>(i + h + j, z1i);
            Store<V>(r + 2 * h + j, z2r);
            Store<V>(i + 2 * h + j, z2i);
            Store<V>(r + 3 * h + j, z3r);
            Store<V>(i + 3 * h + j, z3i);
        }
    }
}

// Radix 2: y0 = a + b, y1 = W^j (a - b).
template <class V, class T>
SIMD_INLINE void Dif2(T* re, T* im, int n, int h, const T* c, const T* s) {
    constexpr int W = kLanes<V>;
    for (int e = 0; e < n; e += 2 * h) {
        T* r = re + e;
        T* i = im + e;
        for (int j = 0; j < h; j += W) {
            const V ar = Load<V>(r + j), ai = Load<V>(i + j);
            const V br = Load<V>(r + h + j), bi = Load<V>(i + h + j);
            V dr = ar - br, di = ai - bi;
            Turn(dr, di, Load<V>(c + j), Load<V>(s + j));
            Store<V>(r + j, ar + br);
            Store<V>(i + j, ai + bi);
            Store<V>(r + h + j, dr);
            Store<V>(i + h + j, di);
        }
    }
}

template <class T> SIMD_INLINE void DifStage(const Stage& st, T* re, T* im, int n, const T* tw) {
    using Wide = typename VecOf<T>::Wide;
    using Narrow = typename VecOf<T>::Narrow;
    const T* c = tw + st.at;
    const T* s = c + (st.radix - 1) * st.h;
    if (st.radix == 2) {
        if (st.h >= kLanes<Wide>)
            Dif2<Wide>(re, im, n, st.h, c, s);
        else if (st.h >= kLanes<Narrow>)
            Dif2<Narrow>(re, im, n, st.h, c, s);
        else
            Dif2<T>(re, im, n, st.h, c, s);
    } else if (st.h == 1) {
        if (n % (4 * kLanes<Wide>) == 0)
            DifLast<Wide>(re, im, n);
        else
            DifLast<T>(re, im, n);
    } else if (st.h >= kLanes<Wide>) {
        Dif4<Wide>(re, im, n, st.h, c, s);
    } else if (st.h >= kLanes<Narrow>) {
        Dif4<Narrow>(re, im, n, st.h, c, s);
    } else {
        Dif4<T>(re, im, n, st.h, c, s);
    }
}

// ---- Stage lists and drivers --------------------------------------------------------------

constexpr int kMaxStages = 16;
constexpr int kEightsUpToLog2 = 12;

// Stages in the order of decimation in time; returns their count. With `eights` (float data,
// log2n >= 6): a first pass of radix 8 on neighbouring values, then passes of radix 8 and 4
// (fewest passes); otherwise radix 4 and a last radix-2 pass when log2n is odd.
int MakeStages(int log2n, bool eights, Stage* stages) {
    int count = 0;
    int at = 0;
    int h = 1;
    const auto add = [&](int radix) {
        stages[count++] = Stage{radix, h, at};
        at += 2 * (radix - 1) * h;
        h *= radix;
    };
    if (eights && log2n >= 6) {
        // Radix 8 within blocks of kEightsUpTo values; radix 4 (and 2) across them.
        const int eightBits = std::min(log2n, kEightsUpToLog2);
        add(8);
        const int rest = eightBits - 3;
        int eightsLeft = rest / 3;
        int fours = 0;
        if (rest % 3 == 1 && eightsLeft > 0) {
            --eightsLeft; // 3 + 1 bits as two passes of radix 4
            fours = 2;
        } else if (rest % 3 == 2) {
            fours = 1;
        }
        for (int i = 0; i < eightsLeft; ++i) add(8);
        for (int i = 0; i < fours; ++i) add(4);
        int bits = log2n - eightBits + (rest % 3 == 1 && fours == 0 ? 1 : 0);
        for (; bits >= 2; bits -= 2) add(4);
        if (bits == 1) add(2);
        return count;
    }
    for (int b = 0; b + 1 < log2n; b += 2) add(4);
    if (log2n % 2 == 1) add(2);
    return count;
}

// Stages [0, blocked) fit in one block of `block` points.
int BlockedStages(const Stage* stages, int count, int block) {
    int q = 0;
    while (q < count && stages[q].radix * stages[q].h <= block) ++q;
    return q;
}

template <bool Avx512, class T>
SIMD_INLINE void DitStageOf(const Stage* stages, int q, int count, T* re, T* im, int n, const T* tw,
                            T scale) {
    if (q + 1 == count)
        DitStage<true, Avx512>(stages[q], re, im, n, tw, scale);
    else
        DitStage<false, Avx512>(stages[q], re, im, n, tw, scale);
}

template <class T, bool Avx512 = false>
SIMD_INLINE void RunDit(T* re, T* im, int log2n, const T* tw, T scale) {
    Stage stages[kMaxStages];
    const int count = MakeStages(log2n, VecOf<T>::kEights, stages);
    const int n = 1 << log2n;
    const int block = n < VecOf<T>::kBlock ? n : VecOf<T>::kBlock;
    const int blocked = BlockedStages(stages, count, block);
    for (int b = 0; b < n; b += block)
        for (int q = 0; q < blocked; ++q)
            DitStageOf<Avx512>(stages, q, count, re + b, im + b, block, tw, scale);
    for (int q = blocked; q < count; ++q)
        DitStageOf<Avx512>(stages, q, count, re, im, n, tw, scale);
}

template <class T> SIMD_INLINE void RunDif(T* re, T* im, int log2n, const T* tw) {
    Stage stages[kMaxStages];
    const int count = MakeStages(log2n, VecOf<T>::kEights, stages);
    const int n = 1 << log2n;
    const int block = n < VecOf<T>::kBlock ? n : VecOf<T>::kBlock;
    const int blocked = BlockedStages(stages, count, block);
    for (int q = count - 1; q >= blocked; --q) DifStage(stages[q], re, im, n, tw);
    for (int b = 0; b < n; b += block)
        for (int q = blocked - 1; q >= 0; --q) DifStage(stages[q], re + b, im + b, block, tw);
}

SIMD_DISPATCH_512(DitFloat, RunDit<float>, (RunDit<float, true>),
                  (float* re, float* im, int log2n, const float* tw, float scale),
                  (re, im, log2n, tw, scale))
SIMD_DISPATCH_512(DitDouble, RunDit<double>, (RunDit<double, true>),
                  (double* re, double* im, int log2n, const double* tw, double scale),
                  (re, im, log2n, tw, scale))
SIMD_DISPATCH_512(DifFloat, RunDif<float>, RunDif<float>,
                  (float* re, float* im, int log2n, const float* tw), (re, im, log2n, tw))
SIMD_DISPATCH_512(DifDouble, RunDif<double>, RunDif<double>,
                  (double* re, double* im, int log2n, const double* tw), (re, im, log2n, tw))

void Dit(float* re, float* im, int log2n, const float* tw, float scale) {
    DitFloat(re, im, log2n, tw, scale);
}
void Dit(double* re, double* im, int log2n, const double* tw, double scale) {
    DitDouble(re, im, log2n, tw, scale);
}
void Dif(float* re, float* im, int log2n, const float* tw) {
    DifFloat(re, im, log2n, tw);
}
void Dif(double* re, double* im, int log2n, const double* tw) {
    DifDouble(re, im, log2n, tw);
}

} // namespace

template <class T> void PowerOfTwoFft<T>::Init(int log2n, const T* cosHalf, const T* sinHalf) {
    m_nLog2 = 0;
    Stage stages[kMaxStages];
    const int count = MakeStages(log2n, VecOf<T>::kEights, stages);
    const Stage& last = stages[count - 1];
    m_twiddles.assign(static_cast<std::size_t>(last.at + 2 * (last.radix - 1) * last.h), T{});
    const long long n = 1LL << log2n;
    // W^k = cos - j sin of 2 pi k / n; the second half of the circle by negation.
    const auto put = [&](T* c, T* s, long long k) {
        if (k < n / 2) {
            *c = cosHalf[k];
            *s = sinHalf[k];
        } else {
            *c = -cosHalf[k - n / 2];
            *s = -sinHalf[k - n / 2];
        }
    };
    for (int q = 0; q < count; ++q) {
        const Stage& st = stages[q];
        const long long step = n / (static_cast<long long>(st.radix) * st.h);
        T* c = m_twiddles.data() + st.at;
        T* s = c + (st.radix - 1) * st.h;
        for (int m = 1; m < st.radix; ++m)
            for (int j = 0; j < st.h; ++j) {
                const std::size_t at = static_cast<std::size_t>(m - 1) * st.h + j;
                put(c + at, s + at, m * j * step);
            }
    }
    m_nLog2 = log2n;
}

template <class T> void PowerOfTwoFft<T>::FromBitReversed(T* re, T* im, T scale) const {
    if (m_nLog2 > 0) Dit(re, im, m_nLog2, m_twiddles.data(), scale);
}

template <class T> void PowerOfTwoFft<T>::ToBitReversed(T* re, T* im) const {
    if (m_nLog2 > 0) Dif(re, im, m_nLog2, m_twiddles.data());
}

template class PowerOfTwoFft<float>;
template class PowerOfTwoFft<double>;
