#include "dsp/Fft.h"

#include "dsp/DftPlan.h"
#include "dsp/Radix2Kernel.h"

#include <cmath>
#include <new>
#include <numbers>
#include <utility>

int Fft::Init(DftPlan& plan, int c) {
    long long p = 4;
    while (p < c) p *= 2;
    if (p != c) return 1;

    plan.m_nFftSize = c;
    plan.m_pSinTable.reset(new (std::nothrow) float[3 * (c / 4)]);
    plan.m_pBitReverse.reset(new (std::nothrow) int[c]);
    plan.m_pStageTwiddles.reset(new (std::nothrow) float[2 * static_cast<std::size_t>(c)]);
    if (!plan.m_pSinTable || !plan.m_pBitReverse || !plan.m_pStageTwiddles) {
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

    float* stageCos = plan.m_pStageTwiddles.get();
    float* stageSin = stageCos + c;
    for (int h = 1; h < c; h *= 2) {
        const int stride = c / (2 * h);
        for (int i = 0; i < h; ++i) {
            stageCos[h - 1 + i] = table[c / 4 + i * stride];
            stageSin[h - 1 + i] = table[i * stride];
        }
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
    int log2c = 0;
    while ((1 << log2c) < c) ++log2c;
    BitReversePermute(re, im, log2c); // the order of m_pBitReverse

    // Stage h multiplies the lower element by e^(-j pi i / h) forward, e^(+j pi i / h) inverse.
    const float* cs[31];
    const float* sn[31];
    for (int s = 0; s < log2c; ++s) {
        cs[s] = plan.m_pStageTwiddles.get() + (1 << s) - 1;
        sn[s] = cs[s] + c;
    }
    const float s = static_cast<float>(1.0 / c); // exact: c is a power of two
    Radix2Passes(re, im, log2c, cs, sn, inverse ? -1.0f : 1.0f, inverse ? 1.0f : s);
}

void Fft::Free(DftPlan& plan) {
    plan.m_pSinTable.reset();
    plan.m_pBitReverse.reset();
    plan.m_pStageTwiddles.reset();
    plan.m_nFftSize = 0;
}
