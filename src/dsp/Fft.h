#pragma once

struct DftPlan;

// Radix-2 complex transform of a power-of-two size c >= 4, in place on separate real and
// imaginary float arrays. Forward: X[k] = (1/c) sum x[t] e^(-j 2 pi t k / c); inverse: unscaled
// with e^(+j ...). Used inside Dft; the plan's first three fields are its state.
class Fft {
public:
    virtual ~Fft() = default;

    // 0 success; 1 when c is not a power of two of at least 4 (plan unchanged); 2 when a table
    // cannot be allocated (plan left empty).
    int Init(DftPlan& plan, int c);
    // inverse: 0 forward, nonzero inverse. re and im hold c floats each.
    void Transform(const DftPlan& plan, int inverse, float* re, float* im);
    // Releases the tables; m_nFftSize becomes 0.
    void Free(DftPlan& plan);
};
