#pragma once

#include "dsp/DftPlan.h"

// Discrete Fourier transform of any length n >= 2 by chirp convolution over the radix-2 Fft;
// when every output is wanted and n has no prime factor above 7 (1000, 44100, 48000, 96000,
// powers of two), by the mixed-radix passes of MixedRadixFft instead. The plan holds the chirp
// convolution in either case.
// Forward: X[k] = (1/n) sum x[t] e^(-j 2 pi t k / n); inverse: unscaled with e^(+j ...).
// Calling order: Init(plan, n, n); Transform any number of times; Free(plan).
class Dft {
public:
    virtual ~Dft() = default;

    // 0 success; 1 when n <= 1; 2 when memory runs out (every pointer of the plan is null then).
    // An output count m <= 1 or m > n is taken as n.
    int Init(DftPlan& plan, int n, int m);
    // inverse: 0 forward, nonzero inverse. Reads entries 0..n-1, writes entries 0..m-1.
    // The plan must be ready.
    void Transform(const DftPlan& plan, int inverse, float* re, float* im);
    // Releases every buffer; safe on an empty plan.
    void Free(DftPlan& plan);
};
