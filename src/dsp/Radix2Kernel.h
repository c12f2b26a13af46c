#pragma once

// Butterfly passes shared by the document FFT and the inner Fft of Dft: radix-2 decimation in
// time on bit-reversed split real/imaginary data, n = 2^log2n points. Stage s (half-size
// h = 2^s) reads its twiddles cs[s][j], sn[s][j] for j < h and multiplies the lower element of
// a pair by (cs - j sign sn); the twiddle of j = 0 must be exactly (1, 0). Two stages are run
// together in one pass over the data with the arithmetic of two separate radix-2 passes. The
// last pass multiplies its results by `scale` (exact for a power of two: the same as scaling
// afterwards).
void Radix2Passes(float* re, float* im, int log2n, const float* const* cs, const float* const* sn,
                  float sign, float scale);

// Reorders re and im (n = 2^log2n points each) into bit-reversed order, in place. Large sizes
// are moved in square tiles so that every access touches whole cache lines.
void BitReversePermute(float* re, float* im, int log2n);
