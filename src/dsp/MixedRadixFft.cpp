#include "dsp/MixedRadixFft.h"

#include "dsp/SimdLanes.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

using simd::Load;
using simd::Splat;
using simd::Store;
using simd::Vec4;
using simd::Vec8;

constexpr int kMaxRadix = 7;

// cos and sin of 2 pi q / p for the odd radices, q < p.
struct OddRoots {
    float c[kMaxRadix];
    float s[kMaxRadix];
};

template <int P> const OddRoots& RootsOf() {
    static const OddRoots roots = [] {
        OddRoots r{};
        for (int q = 0; q < P; ++q) {
            r.c[q] = static_cast<float>(std::cos(2.0 * std::numbers::pi * q / P));
            r.s[q] = static_cast<float>(std::sin(2.0 * std::numbers::pi * q / P));
        }
        return r;
    }();
    return roots;
}

template <class V> SIMD_INLINE void Rotate(V& xr, V& xi, V wr, V wi) {
    const V r = xr * wr - xi * wi;
    xi = xr * wi + xi * wr;
    xr = r;
}

// Forward butterflies, y_s = sum x_t e^(-j 2 pi s t / P), in place.
template <class V, int P> struct Butterfly;

template <class V> struct Butterfly<V, 2> {
    static SIMD_INLINE void Run(V* r, V* i) {
        const V ar = r[0], ai = i[0];
        r[0] = ar + r[1];
        i[0] = ai + i[1];
        r[1] = ar - r[1];
        i[1] = ai - i[1];
    }
};

template <class V> struct Butterfly<V, 4> {
    static SIMD_INLINE void Run(V* r, V* i) {
        const V s0r = r[0] + r[2], s0i = i[0] + i[2];
        const V d0r = r[0] - r[2], d0i = i[0] - i[2];
        const V s1r = r[1] + r[3], s1i = i[1] + i[3];
        const V d1r = r[1] - r[3], d1i = i[1] - i[3];
        r[0] = s0r + s1r;
        i[0] = s0i + s1i;
        r[2] = s0r - s1r;
        i[2] = s0i - s1i;
        // y1 = d0 - j d1, y3 = d0 + j d1
        r[1] = d0r + d1i;
        i[1] = d0i - d1r;
        r[3] = d0r - d1i;
        i[3] = d0i + d1r;
    }
};

// Odd radices: the sums and differences of the mirrored inputs t and P - t.
template <class V, int P> struct Butterfly {
    static SIMD_INLINE void Run(V* r, V* i) {
        static_assert(P % 2 == 1 && P <= kMaxRadix);
        constexpr int H = (P - 1) / 2;
        const OddRoots& w = RootsOf<P>();
        V pr[H + 1], pi[H + 1], mr[H + 1], mi[H + 1];
        V y0r = r[0], y0i = i[0];
#pragma GCC unroll 8
        for (int t = 1; t <= H; ++t) {
            pr[t] = r[t] + r[P - t];
            pi[t] = i[t] + i[P - t];
            mr[t] = r[t] - r[P - t];
            mi[t] = i[t] - i[P - t];
            y0r += pr[t];
            y0i += pi[t];
        }
        V outR[P], outI[P];
#pragma GCC unroll 8
        for (int s = 1; s <= H; ++s) {
            V ar = r[0], ai = i[0], br = Splat<V>(0.0f), bi = Splat<V>(0.0f);
#pragma GCC unroll 8
            for (int t = 1; t <= H; ++t) {
                const float c = w.c[(s * t) % P];
                const float n = w.s[(s * t) % P];
                ar += pr[t] * c;
                ai += pi[t] * c;
                br += mr[t] * n;
                bi += mi[t] * n;
            }
            outR[s] = ar + bi;
            outI[s] = ai - br;
            outR[P - s] = ar - bi;
            outI[P - s] = ai + br;
        }
        r[0] = y0r;
        i[0] = y0i;
#pragma GCC unroll 8
        for (int s = 1; s < P; ++s) {
            r[s] = outR[s];
            i[s] = outI[s];
        }
    }
};

struct PassArgs {
    const float* xr;
    const float* xi;
    float* yr;
    float* yi;
    const float* wr; // twiddles [t - 1][j]
    const float* wi;
    int groups;
    int span;
    float scale;
};

// Butterflies whose inputs are runs of `span` contiguous values, V lanes of k at a time.
template <class V, int P, bool Scaled> SIMD_INLINE void SpanPass(const PassArgs& a) {
    constexpr int W = simd::Lanes<V>::count;
    const int G = a.groups;
    const int r = a.span;
    for (int j = 0; j < G; ++j) {
        V wr[P], wi[P];
#pragma GCC unroll 8
        for (int t = 1; t < P; ++t) {
            wr[t] = Splat<V>(a.wr[(t - 1) * G + j]);
            wi[t] = Splat<V>(a.wi[(t - 1) * G + j]);
        }
        const float* xr = a.xr + static_cast<long>(j) * P * r;
        const float* xi = a.xi + static_cast<long>(j) * P * r;
        float* yr = a.yr + static_cast<long>(j) * r;
        float* yi = a.yi + static_cast<long>(j) * r;
        for (int k = 0; k < r; k += W) {
            V vr[P], vi[P];
#pragma GCC unroll 8
            for (int t = 0; t < P; ++t) {
                vr[t] = Load<V>(xr + t * r + k);
                vi[t] = Load<V>(xi + t * r + k);
            }
            if (j != 0)
#pragma GCC unroll 8
                for (int t = 1; t < P; ++t) Rotate(vr[t], vi[t], wr[t], wi[t]);
            Butterfly<V, P>::Run(vr, vi);
#pragma GCC unroll 8
            for (int s = 0; s < P; ++s) {
                const long at = static_cast<long>(s) * G * r + k;
                Store<V>(yr + at, Scaled ? vr[s] * a.scale : vr[s]);
                Store<V>(yi + at, Scaled ? vi[s] * a.scale : vi[s]);
            }
        }
    }
}

// The last pass (span 1) of radix 2 or 4: V lanes of j at a time, the interleaved inputs of a
// butterfly separated by shuffles.
template <class V, int P, bool Scaled> SIMD_INLINE void StridedPass(const PassArgs& a) {
    constexpr int W = simd::Lanes<V>::count;
    const int G = a.groups;
    int j = 0;
    for (; j + W <= G; j += W) {
        V rawR[P], rawI[P], vr[P], vi[P];
#pragma GCC unroll 8
        for (int q = 0; q < P; ++q) {
            rawR[q] = Load<V>(a.xr + j * P + q * W);
            rawI[q] = Load<V>(a.xi + j * P + q * W);
        }
        if constexpr (P == 2) {
            simd::Deinterleave2(rawR[0], rawR[1], vr[0], vr[1]);
            simd::Deinterleave2(rawI[0], rawI[1], vi[0], vi[1]);
        } else {
            simd::Deinterleave4(rawR, vr);
            simd::Deinterleave4(rawI, vi);
        }
#pragma GCC unroll 8
        for (int t = 1; t < P; ++t)
            Rotate(vr[t], vi[t], Load<V>(a.wr + (t - 1) * G + j), Load<V>(a.wi + (t - 1) * G + j));
        Butterfly<V, P>::Run(vr, vi);
#pragma GCC unroll 8
        for (int s = 0; s < P; ++s) {
            Store<V>(a.yr + s * G + j, Scaled ? vr[s] * a.scale : vr[s]);
            Store<V>(a.yi + s * G + j, Scaled ? vi[s] * a.scale : vi[s]);
        }
    }
    for (; j < G; ++j) {
        float vr[P], vi[P];
#pragma GCC unroll 8
        for (int t = 0; t < P; ++t) {
            vr[t] = a.xr[j * P + t];
            vi[t] = a.xi[j * P + t];
        }
#pragma GCC unroll 8
        for (int t = 1; t < P; ++t)
            Rotate(vr[t], vi[t], a.wr[(t - 1) * G + j], a.wi[(t - 1) * G + j]);
        Butterfly<float, P>::Run(vr, vi);
#pragma GCC unroll 8
        for (int s = 0; s < P; ++s) {
            a.yr[s * G + j] = Scaled ? vr[s] * a.scale : vr[s];
            a.yi[s * G + j] = Scaled ? vi[s] * a.scale : vi[s];
        }
    }
}

template <int P, bool Scaled> SIMD_INLINE void RunPass(const PassArgs& a) {
    if (a.span % 8 == 0)
        SpanPass<Vec8, P, Scaled>(a);
    else if (a.span % 4 == 0)
        SpanPass<Vec4, P, Scaled>(a);
    else if constexpr (P == 2 || P == 4) {
        if (a.span == 1 && a.groups >= 8)
            StridedPass<Vec8, P, Scaled>(a);
        else if (a.span == 1)
            StridedPass<Vec4, P, Scaled>(a);
        else
            SpanPass<float, P, Scaled>(a);
    } else {
        SpanPass<float, P, Scaled>(a);
    }
}

template <bool Scaled> SIMD_INLINE void RunRadix(int radix, const PassArgs& a) {
    switch (radix) {
    case 2:
        RunPass<2, Scaled>(a);
        break;
    case 3:
        RunPass<3, Scaled>(a);
        break;
    case 4:
        RunPass<4, Scaled>(a);
        break;
    case 5:
        RunPass<5, Scaled>(a);
        break;
    default:
        RunPass<7, Scaled>(a);
        break;
    }
}

SIMD_INLINE void RunPassesBody(const MixedRadixFft::Pass* passes, int count, const float* wr,
                               const float* wi, float* re, float* im, float* workRe, float* workIm,
                               float scale) {
    float* from[2] = {re, workRe};
    float* fromIm[2] = {im, workIm};
    const bool lastIntoRe = count % 2 == 0;
#pragma GCC unroll 8
    for (int q = 0; q < count; ++q) {
        const MixedRadixFft::Pass& p = passes[q];
        const PassArgs args{from[q % 2],
                            fromIm[q % 2],
                            from[(q + 1) % 2],
                            fromIm[(q + 1) % 2],
                            wr + p.twiddleAt,
                            wi + p.twiddleAt,
                            p.groups,
                            p.span,
                            scale};
        if (q + 1 == count && lastIntoRe)
            RunRadix<true>(p.radix, args);
        else
            RunRadix<false>(p.radix, args);
    }
    if (!lastIntoRe) {
        const int n = passes[0].span * passes[0].radix;
        for (int i = 0; i < n; ++i) {
            re[i] = workRe[i] * scale;
            im[i] = workIm[i] * scale;
        }
    }
}

SIMD_DISPATCH(RunPasses, RunPassesBody,
              (const MixedRadixFft::Pass* passes, int count, const float* wr, const float* wi,
               float* re, float* im, float* workRe, float* workIm, float scale),
              (passes, count, wr, wi, re, im, workRe, workIm, scale))

} // namespace

bool MixedRadixFft::Supports(int n) {
    if (n < 2) return false;
    for (int p : {2, 3, 5, 7})
        while (n % p == 0) n /= p;
    return n == 1;
}

void MixedRadixFft::Clear() {
    m_nSize = 0;
    m_passes.clear();
    m_twiddleRe.clear();
    m_twiddleIm.clear();
}

bool MixedRadixFft::Init(int n) {
    Clear();
    if (!Supports(n)) return false;

    // Odd radices first, radix 4 last: the passes with short spans are then those of radix 2
    // and 4, whose butterflies take their inputs from neighbouring values.
    std::vector<int> radices;
    int rest = n;
    for (int p : {7, 5, 3})
        for (; rest % p == 0; rest /= p) radices.push_back(p);
    int twos = 0;
    for (; rest % 2 == 0; rest /= 2) ++twos;
    if (twos % 2 == 1) radices.push_back(2);
    for (int i = 0; i < twos / 2; ++i) radices.push_back(4);

    int groups = 1;
    int twiddles = 0;
    for (int p : radices) {
        Pass pass;
        pass.radix = p;
        pass.groups = groups;
        pass.span = n / (groups * p);
        pass.twiddleAt = twiddles;
        twiddles += (p - 1) * groups;
        groups *= p;
        m_passes.push_back(pass);
    }
    m_twiddleRe.resize(static_cast<std::size_t>(twiddles));
    m_twiddleIm.resize(static_cast<std::size_t>(twiddles));
    for (const Pass& pass : m_passes) {
        const long long length = static_cast<long long>(pass.groups) * pass.radix;
#pragma GCC unroll 8
        for (int t = 1; t < pass.radix; ++t) {
            for (int j = 0; j < pass.groups; ++j) {
                const long long e = (static_cast<long long>(j) * t) % length;
                const double angle = 2.0 * std::numbers::pi * static_cast<double>(e) / length;
                const std::size_t at = static_cast<std::size_t>(pass.twiddleAt) +
                                       static_cast<std::size_t>(t - 1) * pass.groups + j;
                m_twiddleRe[at] = static_cast<float>(std::cos(angle));
                m_twiddleIm[at] = static_cast<float>(-std::sin(angle));
            }
        }
    }
    m_nSize = n;
    return true;
}

void MixedRadixFft::Transform(float* re, float* im, float* workRe, float* workIm,
                              float scale) const {
    if (m_nSize == 0) return;
    RunPasses(m_passes.data(), static_cast<int>(m_passes.size()), m_twiddleRe.data(),
              m_twiddleIm.data(), re, im, workRe, workIm, scale);
}
