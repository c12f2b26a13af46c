#pragma once

#include "dsp/MixedRadixFft.h"
#include "dsp/PowerOfTwoFft.h"

#include <memory>

// Plan record of the transform engines, owned by the caller. Default-constructed it is empty;
// Dft::Init makes it ready and Dft::Free empties it again. The first three fields form the plan
// of the inner radix-2 Fft, so a DftPlan is also a valid argument of every Fft operation.
//
// The pointers view storage the plan owns; the real and imaginary halves of each block are one
// allocation (the imaginary half starts right after the real half).
struct DftPlan {
    int m_nFftSize = 0;                   // size c of the inner radix-2 transform; 0 when freed
    std::unique_ptr<int[]> m_pBitReverse; // c entries: bit-reversed index of every position
    std::unique_ptr<float[]> m_pSinTable; // 3c/4 entries: sin(2 pi k / c)
    int m_nLength = 0;                    // DFT length n
    int m_nOutputs = 0;                   // output bins m, 1 < m <= n
    int m_nConvSize = 0;                  // convolution size (equals m_nFftSize)
    float* m_pChirpRe = nullptr;          // n entries: w[t] = e^(-j pi t^2 / n)
    float* m_pChirpIm = nullptr;
    float* m_pFilterRe = nullptr; // c entries: spectrum of the chirp filter
    float* m_pFilterIm = nullptr;
    float* m_pWorkRe = nullptr; // c entries: convolution work buffer
    float* m_pWorkIm = nullptr;

    // Butterfly passes of the inner transform, their twiddles taken from the sine table by
    // Fft::Init.
    PowerOfTwoFft<float> m_radixPasses;
    std::unique_ptr<float[]> m_chirpBlock;  // 2n floats
    std::unique_ptr<float[]> m_filterBlock; // 2c floats
    std::unique_ptr<float[]> m_workBlock;   // 2c floats
    // Passes of the direct transform, set up when every output is wanted (m = n) and n has no
    // prime factor above 7; Dft::Transform then uses them instead of the chirp convolution.
    MixedRadixFft m_mixedRadix;
};
