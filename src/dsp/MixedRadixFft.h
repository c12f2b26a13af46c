#pragma once

#include <vector>

// Complex transform of a length n whose prime factors are all 2, 3, 5 or 7, by self-sorting
// (Stockham) passes of radix 4, 2, 3, 5 and 7 on separate real and imaginary float arrays.
// Forward only: X[k] = scale * sum x[t] e^(-j 2 pi t k / n); the inverse direction is the same
// transform with the real and imaginary arrays exchanged. Everything that depends only on n
// (the order of the radices and every pass's twiddles) is computed by Init.
class MixedRadixFft {
public:
    // True when n >= 2 has no prime factor above 7.
    static bool Supports(int n);

    // Builds the passes for n. False when n is not supported (the object is left empty);
    // std::bad_alloc when the tables cannot be allocated.
    bool Init(int n);
    void Clear();
    int Size() const { return m_nSize; }

    // Transforms re/im (n entries each) in place, multiplying every result by `scale`.
    // workRe/workIm hold n floats of scratch each and must not overlap re/im.
    void Transform(float* re, float* im, float* workRe, float* workIm, float scale) const;

    // One pass of radix p: input viewed as [j][t][k] (j < m_nGroups, t < p, k < m_nSpan), output
    // as [s][j][k]; the twiddles e^(-j 2 pi j t / (p groups)) are stored [t - 1][j].
    struct Pass {
        int radix = 0;
        int groups = 0; // number of twiddle groups (product of the radices before this pass)
        int span = 0;   // contiguous run of every butterfly input (product of those after)
        int twiddleAt = 0;
    };

private:
    int m_nSize = 0;
    std::vector<Pass> m_passes;
    std::vector<float> m_twiddleRe, m_twiddleIm;
};
