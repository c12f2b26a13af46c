#include "dsp/BitReversal.h"

#include "dsp/SimdLanes.h"

#include <utility>

namespace {

constexpr int kTileBits = 3; // tiles of at least 8 x 8 values

constexpr int ReverseBits(int value, int bits) {
    int r = 0;
    for (int b = 0; b < bits; ++b) r |= ((value >> b) & 1) << (bits - 1 - b);
    return r;
}

// Bit reversal of the middle part b, up to 9 bits (log2n <= 15 with tiles of 8 x 8): one table
// of 9-bit reversals, shifted.
constexpr int kMidBitsInTable = 9;
struct MidReversal {
    int v[1 << kMidBitsInTable];
};
constexpr MidReversal MakeMidReversal() {
    MidReversal t{};
    for (int i = 0; i < (1 << kMidBitsInTable); ++i) {
        int r = 0;
        for (int b = 0; b < kMidBitsInTable; ++b) r |= ((i >> b) & 1) << (kMidBitsInTable - 1 - b);
        t.v[i] = r;
    }
    return t;
}
constexpr MidReversal kMidReversal = MakeMidReversal();

int ReverseMid(int b, int midBits) {
    if (midBits <= kMidBitsInTable) return kMidReversal.v[b] >> (kMidBitsInTable - midBits);
    return ReverseBits(b, midBits);
}

// Bit reversal of t <= 4 bits, the row order inside a tile.
struct RowReversal {
    int v[16];
};
constexpr RowReversal MakeRowReversal(int t) {
    RowReversal r{};
    for (int a = 0; a < (1 << t); ++a) r.v[a] = ReverseBits(a, t);
    return r;
}

// Lane l of the result: for the lower (Hi false) of a pair of rows at distance D, a[l] where bit D
// of l is clear and b[l - D] where it is set; for the upper, a[l + D] and b[l].
template <int D, bool Hi, class V, std::size_t... L>
SIMD_INLINE V Exchange(V a, V b, std::index_sequence<L...>) {
    constexpr int W = sizeof...(L);
    return __builtin_shufflevector(
        a, b,
        (Hi ? ((L & D) ? W + static_cast<int>(L) : static_cast<int>(L) + D)
            : ((L & D) ? W + static_cast<int>(L) - D : static_cast<int>(L)))...);
}

// Square transpose of W rows of W lanes: row i lane l becomes row l lane i, by exchanging bit D
// of the row and lane numbers for D = 1, 2, ..., W/2.
template <class V, int D = 1> SIMD_INLINE void TransposeSquare(V* r) {
    constexpr int W = simd::Lanes<V>::count;
    const auto lanes = std::make_index_sequence<W>{};
#pragma GCC unroll 16
    for (int i = 0; i < W; ++i) {
        if (i & D) continue;
        const V a = r[i], b = r[i + D];
        r[i] = Exchange<D, false>(a, b, lanes);
        r[i + D] = Exchange<D, true>(a, b, lanes);
    }
    if constexpr (2 * D < W) TransposeSquare<V, 2 * D>(r);
}

template <class V> SIMD_INLINE void Transpose(V* r) {
    if constexpr (simd::Lanes<V>::count == 8)
        simd::Transpose8(r);
    else
        TransposeSquare(r);
}

// Index (a, b, c), a and c of t bits (tiles of W = 2^t lanes), goes to (rev c, rev b, rev a). The
// tile of middle part b, rows a (stride 2^(log2n - t)) and columns c, is read with its rows in
// bit-reversed order, transposed and written with its rows in bit-reversed order to the tile of
// rev b; the tiles of b and rev b are exchanged.
template <class V> SIMD_INLINE void ReverseTilesOf(float* x, int log2n) {
    constexpr int W = simd::Lanes<V>::count;
    constexpr int t = W == 16 ? 4 : 3;
    const int midBits = log2n - 2 * t;
    const int rowShift = log2n - t;
    const long stride = 1L << rowShift;
    constexpr RowReversal rev = MakeRowReversal(t);
    // Rows walked in order; row a holds member rev a of the vector set.
    const auto load = [&](const float* p, V* to) SIMD_LAMBDA {
#pragma GCC unroll 16
        for (int a = 0; a < W; ++a, p += stride) to[rev.v[a]] = simd::Load<V>(p);
    };
    const auto store = [&](float* p, const V* from) SIMD_LAMBDA {
#pragma GCC unroll 16
        for (int c = 0; c < W; ++c, p += stride) simd::Store(p, from[rev.v[c]]);
    };
    for (int b = 0; b < (1 << midBits); ++b) {
        const int rb = ReverseMid(b, midBits);
        if (rb < b) continue;
        float* tileB = x + (b << t);
        float* tileR = x + (rb << t);
        V u[W], v[W];
        load(tileB, u);
        Transpose(u);
        if (rb == b) {
            store(tileB, u);
            continue;
        }
        load(tileR, v);
        store(tileR, u);
        Transpose(v);
        store(tileB, v);
    }
}

SIMD_INLINE void ReverseTilesBody(float* x, int log2n) {
    ReverseTilesOf<simd::Vec8>(x, log2n);
}

// Tiles of 16 x 16 from 256 points.
SIMD_INLINE void ReverseTilesBody512(float* x, int log2n) {
    if (log2n >= 8)
        ReverseTilesOf<simd::Vec16>(x, log2n);
    else
        ReverseTilesOf<simd::Vec8>(x, log2n);
}

SIMD_DISPATCH_512(ReverseTiles, ReverseTilesBody, ReverseTilesBody512, (float* x, int log2n),
                  (x, log2n))

} // namespace

void BitReverse(float* re, float* im, int log2n) {
    const int n = 1 << log2n;
    if (log2n >= 2 * kTileBits) {
        ReverseTiles(re, log2n);
        ReverseTiles(im, log2n);
        return;
    }
    for (int i = 0; i < n; ++i) {
        const int j = ReverseBits(i, log2n);
        if (i < j) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
    }
}
