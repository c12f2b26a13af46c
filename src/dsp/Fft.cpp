#include "dsp/Fft.h"

#include "dsp/BitReversal.h"
#include "dsp/DftPlan.h"

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

    // The cosine of angle index k is the sine table's entry k + c/4.
    int log2c = 0;
    while ((1 << log2c) < c) ++log2c;
    try {
        plan.m_radixPasses.Init(log2c, table + c / 4, table);
    } catch (const std::bad_alloc&) {
        Free(plan);
        return 2;
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
    BitReverse(re, im, log2c); // the order of m_pBitReverse
    if (inverse) {
        // The inverse is the forward transform with real and imaginary parts exchanged.
        plan.m_radixPasses.FromBitReversed(im, re, 1.0f);
    } else {
        const float s = static_cast<float>(1.0 / c); // exact: c is a power of two
        plan.m_radixPasses.FromBitReversed(re, im, s);
    }
}

void Fft::Free(DftPlan& plan) {
    plan.m_pSinTable.reset();
    plan.m_pBitReverse.reset();
    plan.m_radixPasses = PowerOfTwoFft<float>();
    plan.m_nFftSize = 0;
}
