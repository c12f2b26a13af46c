#include "dsp/Fft.h"

#include "dsp/DftPlan.h"

#include <cmath>
#include <new>
#include <numbers>

namespace {

// One butterfly pass for half-size h: the lower element of every pair is multiplied by
// e^(-j pi i / h) (forward) or e^(+j pi i / h) (inverse), sn holding the sign of the direction.
inline void Butterfly(float* re, float* im, int u, int l, float cs, float sn) {
    const float tRe = cs * re[l] + sn * im[l];
    const float tIm = cs * im[l] - sn * re[l];
    re[l] = re[u] - tRe;
    re[u] = re[u] + tRe;
    im[l] = im[u] - tIm;
    im[u] = im[u] + tIm;
}

} // namespace

int Fft::Init(DftPlan& plan, int c) {
    long long p = 4;
    while (p < c) p *= 2;
    if (p != c) return 1;

    plan.m_nFftSize = c;
    plan.m_pSinTable.reset(new (std::nothrow) float[3 * (c / 4)]);
    plan.m_pBitReverse.reset(new (std::nothrow) int[c]);
    if (!plan.m_pSinTable || !plan.m_pBitReverse) {
        Free(plan);
        return 2;
    }

    float* table = plan.m_pSinTable.get();
    const double step = 2.0 * std::numbers::pi / c;
    for (int i = 0; i <= c / 8; ++i) {
        table[i] = static_cast<float>(std::sin(i * step));
        table[c / 4 - i] = static_cast<float>(std::cos(i * step));
    }
    for (int j = 0; j < c / 4; ++j) {
        table[c / 2 - j] = table[j];
        table[c / 2 + j] = -table[j];
    }

    int* rev = plan.m_pBitReverse.get();
    int value = 0;
    rev[0] = 0;
    for (int i = 1; i < c; ++i) {
        int a = c / 2;
        while (a <= value) {
            value -= a;
            a /= 2;
        }
        value += a;
        rev[i] = value;
    }
    return 0;
}

void Fft::Transform(const DftPlan& plan, int inverse, float* re, float* im) {
    const int c = plan.m_nFftSize;
    const int* rev = plan.m_pBitReverse.get();
    const float* table = plan.m_pSinTable.get();

    for (int i = 0; i < c; ++i) {
        const int r = rev[i];
        if (i < r) {
            std::swap(re[i], re[r]);
            std::swap(im[i], im[r]);
        }
    }

    for (int h = 1; h < c; h *= 2) {
        const int stride = c / (2 * h);
        if (h < stride) {
            // Few twiddles, many groups: each twiddle is read once.
            for (int i = 0; i < h; ++i) {
                const float cs = table[c / 4 + i * stride];
                const float sn = inverse ? -table[i * stride] : table[i * stride];
                for (int f = i; f < c; f += 2 * h) Butterfly(re, im, f, f + h, cs, sn);
            }
        } else {
            // Many twiddles, few groups: walk each group contiguously.
            for (int f0 = 0; f0 < c; f0 += 2 * h) {
                for (int i = 0; i < h; ++i) {
                    const float cs = table[c / 4 + i * stride];
                    const float sn = inverse ? -table[i * stride] : table[i * stride];
                    Butterfly(re, im, f0 + i, f0 + i + h, cs, sn);
                }
            }
        }
    }

    if (!inverse) {
        const float s = static_cast<float>(1.0 / c);
        for (int i = 0; i < c; ++i) {
            re[i] *= s;
            im[i] *= s;
        }
    }
}

void Fft::Free(DftPlan& plan) {
    plan.m_pSinTable.reset();
    plan.m_pBitReverse.reset();
    plan.m_nFftSize = 0;
}
