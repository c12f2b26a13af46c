#pragma once

// Equiripple linear-phase FIR design by the Parks-McClellan (Remez exchange) algorithm.

// Design type of RemezDesign: a multi-band filter with even symmetry, h[k] = h[N-1-k].
constexpr int kRemezMultiBand = 0;

constexpr int kRemezMaxBands = 7;
constexpr int kRemezGridDensity = 32;
constexpr int kRemezMaxIterations = 50;

// Designs `nTaps` taps into `taps` (room for nTaps doubles).
//
// `bands` holds 2 * nBands edges (lower, upper of band 0, then band 1, ...), ascending, in the
// unit given by `scale`: every edge is divided by `scale` when it differs from 1, so callers pass
// edges in Hz together with scale = fs, or edges as fractions of fs (0 ... 0.5) with scale = 1.
// `desired` and `weights` hold one value per band. Only kRemezMultiBand is supported.
//
// Returns 1 when the exchange converged (the weighted error of the design is equiripple) and
// 0 otherwise: no convergence within kRemezMaxIterations exchanges, fewer alternating extrema
// than the exchange needs, or unusable arguments. On 0 the contents of `taps` are unspecified
// and must not be used. A band of zero width still receives one grid point.
int RemezDesign(int nTaps, int nBands, const double* bands, const double* desired,
                const double* weights, int type, double scale, double* taps);
