#pragma once

#include <vector>

// Complex transform of size n = 2^log2n (1 <= log2n <= 30) on separate real and imaginary arrays
// of T (float or double), by radix-4 passes with a radix-2 pass for the largest stage when log2n
// is odd. Every pass reads its twiddles from tables built once by Init; small stages run on
// blocks that stay in the first-level cache.
//
// Both directions compute the forward transform sum x[t] e^(-j 2 pi t k / n); the inverse is the
// same transform with the real and imaginary arrays exchanged.
template <class T> class PowerOfTwoFft {
public:
    // cosHalf[k], sinHalf[k] hold cos and sin of 2 pi k / n for k < n/2; the twiddles of the
    // passes are taken from them (the second half by symmetry, exactly). Throws std::bad_alloc
    // when the tables cannot be allocated.
    void Init(int log2n, const T* cosHalf, const T* sinHalf);
    int Log2Size() const { return m_nLog2; }

    // Decimation in time: re/im in bit-reversed order in, the transform in natural order out,
    // every result multiplied by `scale` (exact for a power of two: the same as scaling after).
    void FromBitReversed(T* re, T* im, T scale) const;
    // Decimation in frequency: natural order in, the unscaled transform in bit-reversed order
    // out. FromBitReversed of its result with re and im exchanged inverts it (times n).
    void ToBitReversed(T* re, T* im) const;

private:
    int m_nLog2 = 0;
    std::vector<T> m_twiddles;
};

extern template class PowerOfTwoFft<float>;
extern template class PowerOfTwoFft<double>;
