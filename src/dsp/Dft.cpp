#include "dsp/Dft.h"

#include "dsp/Fft.h"

#include <cmath>
#include <new>
#include <numbers>

namespace {

constexpr int kMaxLength = 1 << 28; // keeps n + m and the block sizes inside int

float* AllocateBlock(std::unique_ptr<float[]>& owner, long long count) {
    owner.reset(new (std::nothrow) float[static_cast<std::size_t>(count)]());
    return owner.get();
}

} // namespace

int Dft::Init(DftPlan& plan, int n, int m) {
    if (n <= 1) return 1;
    if (m <= 1 || m > n) m = n;
    if (n > kMaxLength) return 2;
    int c = 1;
    while (c < n + m) c *= 2;

    Fft fft;
    if (fft.Init(plan, c) != 0) {
        Free(plan);
        return 2;
    }
    plan.m_nLength = n;
    plan.m_nOutputs = m;
    plan.m_nConvSize = c;
    float* chirp = AllocateBlock(plan.m_chirpBlock, 2LL * n);
    float* filter = AllocateBlock(plan.m_filterBlock, 2LL * c);
    float* work = AllocateBlock(plan.m_workBlock, 2LL * c);
    if (!chirp || !filter || !work) {
        Free(plan);
        return 2;
    }
    plan.m_pChirpRe = chirp;
    plan.m_pChirpIm = chirp + n;
    plan.m_pFilterRe = filter;
    plan.m_pFilterIm = filter + c;
    plan.m_pWorkRe = work;
    plan.m_pWorkIm = work + c;

    // w[t] = e^(-j pi t^2 / n), with t^2 reduced modulo 2n so the angle stays below 2 pi.
    long long e = 0;
    for (int t = 0; t < n; ++t) {
        const double angle = std::numbers::pi * static_cast<double>(e) / n;
        plan.m_pChirpRe[t] = static_cast<float>(std::cos(angle));
        plan.m_pChirpIm[t] = static_cast<float>(-std::sin(angle));
        e = (e + 2LL * t + 1) % (2LL * n);
    }

    // Chirp filter conj(w[d]) for lags -(n-1) .. m-1, pre-scaled by c to cancel the forward
    // scaling of its transform. With m < n the positive lags m .. n-1 share positions with the
    // negative lags, so the negative lags are written last and the gap m .. c-n is cleared.
    const float fc = static_cast<float>(c);
    plan.m_pFilterRe[0] = fc;
    plan.m_pFilterIm[0] = 0.0f;
    for (int k = 1; k < n; ++k) {
        plan.m_pFilterRe[k] = fc * plan.m_pChirpRe[k];
        plan.m_pFilterIm[k] = -fc * plan.m_pChirpIm[k];
    }
    for (int k = 1; k < n; ++k) {
        plan.m_pFilterRe[c - k] = fc * plan.m_pChirpRe[k];
        plan.m_pFilterIm[c - k] = -fc * plan.m_pChirpIm[k];
    }
    for (int k = m; k <= c - n; ++k) {
        plan.m_pFilterRe[k] = 0.0f;
        plan.m_pFilterIm[k] = 0.0f;
    }
    fft.Transform(plan, 0, plan.m_pFilterRe, plan.m_pFilterIm);

    if (m == n && MixedRadixFft::Supports(n)) {
        try {
            plan.m_mixedRadix.Init(n);
        } catch (const std::bad_alloc&) {
            Free(plan);
            return 2;
        }
    }
    return 0;
}

void Dft::Transform(const DftPlan& plan, int inverse, float* re, float* im) {
    const int n = plan.m_nLength;
    const int m = plan.m_nOutputs;
    const int c = plan.m_nConvSize;
    const float* wRe = plan.m_pChirpRe;
    const float* wIm = plan.m_pChirpIm;
    float* workRe = plan.m_pWorkRe;
    float* workIm = plan.m_pWorkIm;
    const float sign = inverse ? -1.0f : 1.0f; // conj(w) in the inverse direction

    if (plan.m_mixedRadix.Size() == n) {
        // The inverse transform is the forward one with real and imaginary parts exchanged.
        if (inverse)
            plan.m_mixedRadix.Transform(im, re, workIm, workRe, 1.0f);
        else
            plan.m_mixedRadix.Transform(re, im, workRe, workIm, static_cast<float>(1.0 / n));
        return;
    }
    for (int t = 0; t < n; ++t) {
        const float cr = wRe[t];
        const float ci = sign * wIm[t];
        workRe[t] = re[t] * cr - im[t] * ci;
        workIm[t] = re[t] * ci + im[t] * cr;
    }
    for (int t = n; t < c; ++t) {
        workRe[t] = 0.0f;
        workIm[t] = 0.0f;
    }

    Fft fft;
    fft.Transform(plan, 0, workRe, workIm);
    const float* fRe = plan.m_pFilterRe;
    const float* fIm = plan.m_pFilterIm;
    for (int k = 0; k < c; ++k) {
        const float hr = fRe[k];
        const float hi = sign * fIm[k];
        const float xr = workRe[k];
        const float xi = workIm[k];
        workRe[k] = xr * hr - xi * hi;
        workIm[k] = xr * hi + xi * hr;
    }
    fft.Transform(plan, 1, workRe, workIm);

    for (int k = 0; k < m; ++k) {
        const float cr = wRe[k];
        const float ci = sign * wIm[k];
        re[k] = workRe[k] * cr - workIm[k] * ci;
        im[k] = workRe[k] * ci + workIm[k] * cr;
    }
    if (!inverse) {
        const float s = static_cast<float>(1.0 / n);
        for (int k = 0; k < m; ++k) {
            re[k] *= s;
            im[k] *= s;
        }
    }
}

void Dft::Free(DftPlan& plan) {
    plan.m_chirpBlock.reset();
    plan.m_filterBlock.reset();
    plan.m_workBlock.reset();
    plan.m_pChirpRe = plan.m_pChirpIm = nullptr;
    plan.m_pFilterRe = plan.m_pFilterIm = nullptr;
    plan.m_pWorkRe = plan.m_pWorkIm = nullptr;
    plan.m_nLength = plan.m_nOutputs = plan.m_nConvSize = 0;
    plan.m_mixedRadix.Clear();
    Fft fft;
    fft.Free(plan);
}
