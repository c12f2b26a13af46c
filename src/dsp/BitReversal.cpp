#include "dsp/BitReversal.h"

#include "dsp/SimdLanes.h"

#include <utility>

namespace {

constexpr int kTileBits = 3; // tiles of 8 x 8 values
constexpr int kTile = 1 << kTileBits;
constexpr int kReverse3[kTile] = {0, 4, 2, 6, 1, 5, 3, 7};

int ReverseBits(int value, int bits) {
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

// Index (a, b, c), a and c of three bits, goes to (rev c, rev b, rev a). The tile of middle
// part b, rows a (stride 2^(log2n - 3)) and columns c, is read with its rows in bit-reversed
// order, transposed and written with its rows in bit-reversed order to the tile of rev b; the
// tiles of b and rev b are exchanged.
SIMD_INLINE void ReverseTilesBody(float* x, int log2n) {
    using V = simd::Vec8;
    const int midBits = log2n - 2 * kTileBits;
    const int rowShift = log2n - kTileBits;
    for (int b = 0; b < (1 << midBits); ++b) {
        const int rb = ReverseMid(b, midBits);
        if (rb < b) continue;
        float* tileB = x + (b << kTileBits);
        float* tileR = x + (rb << kTileBits);
        V u[kTile], v[kTile];
#pragma GCC unroll 8
        for (int a = 0; a < kTile; ++a) {
            u[a] = simd::Load<V>(tileB + (static_cast<long>(kReverse3[a]) << rowShift));
            v[a] = simd::Load<V>(tileR + (static_cast<long>(kReverse3[a]) << rowShift));
        }
        simd::Transpose8(u);
        simd::Transpose8(v);
#pragma GCC unroll 8
        for (int c = 0; c < kTile; ++c) {
            simd::Store(tileR + (static_cast<long>(kReverse3[c]) << rowShift), u[c]);
            simd::Store(tileB + (static_cast<long>(kReverse3[c]) << rowShift), v[c]);
        }
    }
}

SIMD_DISPATCH_512(ReverseTiles, ReverseTilesBody, ReverseTilesBody, (float* x, int log2n),
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
