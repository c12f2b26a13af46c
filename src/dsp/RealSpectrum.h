#pragma once

// Completes the spectrum of a real record of n points (n >= 4, a power of two) from the
// transform Z of its n/2 complex pairs z[t] = x[2t] + j x[2t+1], held in re/im[0 ... n/2-1]:
// with E = (Z[k] + conj Z[n/2-k]) / 2 and O = (Z[k] - conj Z[n/2-k]) / 2j,
// X[k] = E + W^k O and X[k + n/2] = E - W^k O, W = e^(-j 2 pi / n), into re/im[0 ... n-1].
// cosHalf/sinHalf hold cos and sin of 2 pi k / n for k < n/2. A silent record (Z = 0) gives
// exact zeros.
void CompleteRealSpectrum(float* re, float* im, int n, const float* cosHalf, const float* sinHalf);
