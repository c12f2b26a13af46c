// The document's radix-2 decimation-in-time FFT on its twiddle tables.
#include "document/CKymoDoc.h"

#include <cstring>
#include <utility>

namespace {

constexpr int kMaxLog2 = 15; // 32768 points: the capacity of the twiddle tables

// Four floats, processed together where the compiler has vector units.
typedef float Vec4 __attribute__((vector_size(16)));

inline Vec4 Load(const float* p) {
    Vec4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void Store(float* p, Vec4 v) {
    std::memcpy(p, &v, sizeof v);
}

// Pairs (u, u + half) of every group; t = lower * (cs - j sn) with the direction's sign in sn.
void Stage(float* re, float* im, int n, int half, const float* cs, const float* sn) {
    if (half >= 4) {
        for (int e = 0; e < n; e += 2 * half) {
            float* uRe = re + e;
            float* uIm = im + e;
            float* lRe = uRe + half;
            float* lIm = uIm + half;
            for (int j = 0; j < half; j += 4) {
                const Vec4 c = Load(cs + j);
                const Vec4 s = Load(sn + j);
                const Vec4 xr = Load(lRe + j);
                const Vec4 xi = Load(lIm + j);
                const Vec4 tr = xr * c + xi * s;
                const Vec4 ti = xi * c - xr * s;
                const Vec4 ur = Load(uRe + j);
                const Vec4 ui = Load(uIm + j);
                Store(uRe + j, ur + tr);
                Store(uIm + j, ui + ti);
                Store(lRe + j, ur - tr);
                Store(lIm + j, ui - ti);
            }
        }
        return;
    }
    for (int e = 0; e < n; e += 2 * half) {
        for (int j = 0; j < half; ++j) {
            const int u = e + j;
            const int l = u + half;
            const float tr = re[l] * cs[j] + im[l] * sn[j];
            const float ti = im[l] * cs[j] - re[l] * sn[j];
            re[l] = re[u] - tr;
            im[l] = im[u] - ti;
            re[u] += tr;
            im[u] += ti;
        }
    }
}

} // namespace

void CKymoDoc::FftBitReverse(int n, float* re, float* im) {
    if (n < 2 || n > (1 << kMaxLog2)) return;
    int j = 0;
    for (int i = 0; i < n - 1; ++i) {
        if (i <= j) {
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

void CKymoDoc::FftButterflies(int log2n, int direction, float* re, float* im) {
    if (log2n < 1 || log2n > kMaxLog2) return;
    const int n = 1 << log2n;
    float* cs = m_fStageCos.data();
    float* sn = m_fStageSin.data();
    const bool forward = direction == 1;
    for (int s = 0; s < log2n; ++s) {
        const int half = 1 << s;
        const int groups = n >> (s + 1);
        for (int j = 0; j < half; ++j) {
            cs[j] = m_fCosTbl[j * groups];
            sn[j] = forward ? m_fSinTbl[j * groups] : -m_fSinTbl[j * groups];
        }
        Stage(re, im, n, half, cs, sn);
    }
    if (forward) {
        const float scale = 1.0f / static_cast<float>(n); // exact: n is a power of two
        for (int i = 0; i < n; ++i) {
            re[i] *= scale;
            im[i] *= scale;
        }
    }
}
