#pragma once

#include "dsp/PowerOfTwoFft.h"

#include <vector>

// Overlap-save FFT convolution in double for long FIR filters, with the rigorous bound of its
// error that lets FirFilterPcm store exactly what its direct form stores.
//
// One segment holds M input values of two real sequences, one in the real and one in the
// imaginary part (the filter is real, so the two never mix in exact arithmetic). Convolve
// replaces them by the circular convolution with h; entries taps-1 ... M-1 are then the linear
// convolution, Step() = M - taps + 1 outputs of each sequence.
//
// The bound covers, for every one of those outputs, the distance between the computed value and
// the value of the direct form's double sum (whatever the order of its roundings, with or
// without fused multiply-adds): both lie within the bound of the exact sum. An output farther
// than the bound from every integer is therefore truncated (and wrapped or limited) to the same
// sample as the direct form's; the others must be recomputed with the direct form.
class FirOverlapSave {
public:
    // Plans the convolution with h[0 ... taps-1] for input samples of magnitude at most
    // `sampleLimit`. False (nothing planned) when a tap is not finite or taps < 1. Throws
    // std::bad_alloc when the tables cannot be allocated.
    bool Init(const double* h, int taps, double sampleLimit);

    int Taps() const { return m_nTaps; }
    int Size() const { return m_nSize; } // M, a power of two
    int Step() const { return m_nSize - m_nTaps + 1; }

    // The segment's buffers (M values each), filled by the caller before Convolve.
    double* Re() { return m_re.data(); }
    double* Im() { return m_im.data(); }

    // Convolves the segment in place. Returns the error bound of its outputs (+infinity when the
    // input is not finite).
    double Convolve();

    // FFT size chosen for `taps` taps: the power of two that minimises the estimated work per
    // output.
    static int SizeFor(int taps);

private:
    int m_nTaps = 0;
    int m_nSize = 0;
    PowerOfTwoFft<double> m_fft;
    std::vector<double> m_hRe, m_hIm; // spectrum of h / M, bit-reversed order
    std::vector<double> m_re, m_im;
    double m_fftGain = 0;     // bound factor of the transforms, per unit of ||x||_2
    double m_directBound = 0; // bound of the direct form's own rounding
};
