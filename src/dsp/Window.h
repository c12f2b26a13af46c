#pragma once

// Window generator of every analysis: periodic (period n), unnormalised windows.

// Modified Bessel function of order 0: 1 + sum over k = 1..20 of ((x/2)^k / k!)^2, summed in a
// float (exactly 20 terms whatever x is).
float BesselI0(float x);

// The largest |beta| whose BesselI0 the float sum still holds (from about 153 it overflows and
// every Kaiser coefficient becomes 0 or NaN).
constexpr double kMaxKaiserBeta = 150.0;
// True when |beta| <= kMaxKaiserBeta (NaN is refused).
bool KaiserBetaRepresentable(double beta);

// I0(beta sqrt(1 - (x/m)^2)) / I0(beta); the Bessel argument is rounded to float.
float KaiserWindow(double x, double beta, double m);

// Writes w[0..n-1] of the window `windowKind` (dsp/WindowKinds.h; any other code gives 1.0).
// `beta` is used by the Kaiser window only. n >= 1.
void FillWindow(int windowKind, int n, float beta, float* w);
