#pragma once

// Magnitude response of a symmetric FIR of `taps` taps at `points` frequencies w = pi i / points:
// out1[i] = out2[i] = |A(w)|, mirrored about `points` (entries 2*points - i for i >= 1), so both
// arrays need 2 * points entries. A nonzero `skip` leaves the arrays untouched.
void FirMagnitude(int skip, const double* h, int points, int taps, float* out1, float* out2);
