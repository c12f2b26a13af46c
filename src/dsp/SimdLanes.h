#pragma once

// Vector lanes of the transform kernels: GCC/Clang vector extensions of 4 and 8 floats (and 2
// and 4 doubles; 16 floats and 8 doubles in AVX-512 builds only), with unaligned loads and stores
// and the shuffles of the strided passes. Every helper is inlined into the kernel that uses it,
// so no vector crosses a call boundary and a kernel can be compiled once for the baseline and
// once for AVX2 with FMA (SIMD_DISPATCH), or also for AVX-512 (SIMD_DISPATCH_512). The transform
// kernels are compiled with -ffp-contract=fast, so the wider builds fuse multiplies and adds.
#include "dsp/CpuDispatch.h"

#include <cstring>

#pragma GCC diagnostic ignored "-Wpsabi"

#define SIMD_INLINE __attribute__((always_inline)) inline
#define SIMD_LAMBDA __attribute__((always_inline))

// Defines `void Name Params`, which runs the always-inline `Body Args` in its AVX2+FMA build
// when the processor has those instructions and in its baseline build otherwise.
#if SONALYX_AVX2_DISPATCH
#define SIMD_BUILDS_BASELINE_AVX2(Name, Body, Params, Args)                                        \
    static void Name##Baseline Params {                                                            \
        Body Args;                                                                                 \
    }                                                                                              \
    SONALYX_TARGET_AVX2_FMA static void Name##Avx2 Params {                                        \
        Body Args;                                                                                 \
    }
#define SIMD_DISPATCH(Name, Body, Params, Args)                                                    \
    SIMD_BUILDS_BASELINE_AVX2(Name, Body, Params, Args)                                            \
    void Name Params {                                                                             \
        if (CpuHasAvx2Fma())                                                                       \
            Name##Avx2 Args;                                                                       \
        else                                                                                       \
            Name##Baseline Args;                                                                   \
    }
// SIMD_DISPATCH_512 adds a build for AVX-512 (32 vector registers, two-source shuffles), which
// runs `Body512 Args`.
#define SIMD_DISPATCH_512(Name, Body, Body512, Params, Args)                                       \
    SIMD_BUILDS_BASELINE_AVX2(Name, Body, Params, Args)                                            \
    SONALYX_TARGET_AVX512 static void Name##Avx512 Params {                                        \
        Body512 Args;                                                                              \
    }                                                                                              \
    void Name Params {                                                                             \
        if (CpuHasAvx512())                                                                        \
            Name##Avx512 Args;                                                                     \
        else if (CpuHasAvx2Fma())                                                                  \
            Name##Avx2 Args;                                                                       \
        else                                                                                       \
            Name##Baseline Args;                                                                   \
    }
#else
#define SIMD_DISPATCH(Name, Body, Params, Args)                                                    \
    void Name Params {                                                                             \
        Body Args;                                                                                 \
    }
#define SIMD_DISPATCH_512(Name, Body, Body512, Params, Args) SIMD_DISPATCH(Name, Body, Params, Args)
#endif

namespace simd {

typedef float Vec8 __attribute__((vector_size(32)));
typedef float Vec4 __attribute__((vector_size(16)));
typedef float Vec16 __attribute__((vector_size(64))); // AVX-512 builds only
typedef double Vec8d __attribute__((vector_size(64)));
typedef double Vec4d __attribute__((vector_size(32)));
typedef double Vec2d __attribute__((vector_size(16)));

template <class V> struct Lanes { static constexpr int count = sizeof(V) / sizeof(V{}[0]); };
template <> struct Lanes<float> { static constexpr int count = 1; };
template <> struct Lanes<double> { static constexpr int count = 1; };

template <class V, class T> SIMD_INLINE V Load(const T* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <class V, class T> SIMD_INLINE void Store(T* p, V v) {
    std::memcpy(p, &v, sizeof v);
}
template <class V, class T> SIMD_INLINE V Splat(T s) {
    if constexpr (Lanes<V>::count == 1)
        return s;
    else
        return V{} + s;
}

// (a, b) holds pairs x0 y0 x1 y1 ...: even gets x0 x1 ..., odd y0 y1 ...
SIMD_INLINE void Deinterleave2(Vec8 a, Vec8 b, Vec8& even, Vec8& odd) {
    even = __builtin_shufflevector(a, b, 0, 2, 4, 6, 8, 10, 12, 14);
    odd = __builtin_shufflevector(a, b, 1, 3, 5, 7, 9, 11, 13, 15);
}
SIMD_INLINE void Deinterleave2(Vec4 a, Vec4 b, Vec4& even, Vec4& odd) {
    even = __builtin_shufflevector(a, b, 0, 2, 4, 6);
    odd = __builtin_shufflevector(a, b, 1, 3, 5, 7);
}

SIMD_INLINE void Deinterleave2(Vec4d a, Vec4d b, Vec4d& even, Vec4d& odd) {
    even = __builtin_shufflevector(a, b, 0, 2, 4, 6);
    odd = __builtin_shufflevector(a, b, 1, 3, 5, 7);
}
SIMD_INLINE void Deinterleave2(Vec2d a, Vec2d b, Vec2d& even, Vec2d& odd) {
    even = __builtin_shufflevector(a, b, 0, 2);
    odd = __builtin_shufflevector(a, b, 1, 3);
}

// The inverse of Deinterleave2: lo and hi get x0 y0 x1 y1 ... from even = x0 x1 ..., odd = y0 ...
SIMD_INLINE void Interleave2(Vec8 even, Vec8 odd, Vec8& lo, Vec8& hi) {
    lo = __builtin_shufflevector(even, odd, 0, 8, 1, 9, 2, 10, 3, 11);
    hi = __builtin_shufflevector(even, odd, 4, 12, 5, 13, 6, 14, 7, 15);
}
SIMD_INLINE void Interleave2(Vec4 even, Vec4 odd, Vec4& lo, Vec4& hi) {
    lo = __builtin_shufflevector(even, odd, 0, 4, 1, 5);
    hi = __builtin_shufflevector(even, odd, 2, 6, 3, 7);
}
SIMD_INLINE void Interleave2(Vec4d even, Vec4d odd, Vec4d& lo, Vec4d& hi) {
    lo = __builtin_shufflevector(even, odd, 0, 4, 1, 5);
    hi = __builtin_shufflevector(even, odd, 2, 6, 3, 7);
}
SIMD_INLINE void Interleave2(Vec2d even, Vec2d odd, Vec2d& lo, Vec2d& hi) {
    lo = __builtin_shufflevector(even, odd, 0, 2);
    hi = __builtin_shufflevector(even, odd, 1, 3);
}

// raw[0..3] holds quadruples x0 y0 z0 w0 x1 ...: out[0] gets x0 x1 ..., out[1] y, out[2] z, out[3]
// w.
template <class V> SIMD_INLINE void Deinterleave4(const V* raw, V* out) {
    V e0, o0, e1, o1;
    Deinterleave2(raw[0], raw[1], e0, o0);
    Deinterleave2(raw[2], raw[3], e1, o1);
    Deinterleave2(e0, e1, out[0], out[2]);
    Deinterleave2(o0, o1, out[1], out[3]);
}

// 4 x 4 transposes: r[q] element i becomes r[i] element q within each group of four lanes
// (each 128-bit lane of 8 floats, or the whole vector of 4 floats or doubles). Its own inverse.
SIMD_INLINE void Transpose4(Vec8* r) {
    const Vec8 t0 = __builtin_shufflevector(r[0], r[1], 0, 8, 1, 9, 4, 12, 5, 13);
    const Vec8 t1 = __builtin_shufflevector(r[0], r[1], 2, 10, 3, 11, 6, 14, 7, 15);
    const Vec8 t2 = __builtin_shufflevector(r[2], r[3], 0, 8, 1, 9, 4, 12, 5, 13);
    const Vec8 t3 = __builtin_shufflevector(r[2], r[3], 2, 10, 3, 11, 6, 14, 7, 15);
    r[0] = __builtin_shufflevector(t0, t2, 0, 1, 8, 9, 4, 5, 12, 13);
    r[1] = __builtin_shufflevector(t0, t2, 2, 3, 10, 11, 6, 7, 14, 15);
    r[2] = __builtin_shufflevector(t1, t3, 0, 1, 8, 9, 4, 5, 12, 13);
    r[3] = __builtin_shufflevector(t1, t3, 2, 3, 10, 11, 6, 7, 14, 15);
}
SIMD_INLINE void Transpose4(Vec4* r) {
    const Vec4 t0 = __builtin_shufflevector(r[0], r[1], 0, 4, 1, 5);
    const Vec4 t1 = __builtin_shufflevector(r[0], r[1], 2, 6, 3, 7);
    const Vec4 t2 = __builtin_shufflevector(r[2], r[3], 0, 4, 1, 5);
    const Vec4 t3 = __builtin_shufflevector(r[2], r[3], 2, 6, 3, 7);
    r[0] = __builtin_shufflevector(t0, t2, 0, 1, 4, 5);
    r[1] = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
    r[2] = __builtin_shufflevector(t1, t3, 0, 1, 4, 5);
    r[3] = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
}
SIMD_INLINE void Transpose4(Vec4d* r) {
    const Vec4d t0 = __builtin_shufflevector(r[0], r[1], 0, 4, 2, 6);
    const Vec4d t1 = __builtin_shufflevector(r[0], r[1], 1, 5, 3, 7);
    const Vec4d t2 = __builtin_shufflevector(r[2], r[3], 0, 4, 2, 6);
    const Vec4d t3 = __builtin_shufflevector(r[2], r[3], 1, 5, 3, 7);
    r[0] = __builtin_shufflevector(t0, t2, 0, 1, 4, 5);
    r[1] = __builtin_shufflevector(t1, t3, 0, 1, 4, 5);
    r[2] = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
    r[3] = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
}

// Halves of 8 floats: lo gets the first halves of a and b, hi the second halves. Its own
// inverse.
SIMD_INLINE void SwapHalves(Vec8 a, Vec8 b, Vec8& lo, Vec8& hi) {
    lo = __builtin_shufflevector(a, b, 0, 1, 2, 3, 8, 9, 10, 11);
    hi = __builtin_shufflevector(a, b, 4, 5, 6, 7, 12, 13, 14, 15);
}

// 8 x 8 transpose: r[q] element i becomes r[i] element q.
SIMD_INLINE void Transpose8(Vec8* r) {
    Transpose4(r);
    Transpose4(r + 4);
#pragma GCC unroll 4
    for (int q = 0; q < 4; ++q) {
        const Vec8 a = r[q], b = r[q + 4];
        SwapHalves(a, b, r[q], r[q + 4]);
    }
}

// The inverse of Deinterleave4.
template <class V> SIMD_INLINE void Interleave4(const V* in, V* raw) {
    V e0, e1, o0, o1;
    Interleave2(in[0], in[2], e0, e1);
    Interleave2(in[1], in[3], o0, o1);
    Interleave2(e0, o0, raw[0], raw[1]);
    Interleave2(e1, o1, raw[2], raw[3]);
}

} // namespace simd
