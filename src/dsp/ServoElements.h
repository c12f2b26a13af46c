#pragma once

// Frequency-response arithmetic of the servo-loop calculator. Complex records are two float
// arrays of n points on the DFT grid f_k = k / (n dt); bins above n/2 hold negative
// frequencies. Elements are evaluated for k = 0 .. n/2 - 1 only; bin n - 1 - k then receives the
// complex conjugate of bin k (FillNegativeFrequencies), so bin n/2 is never evaluated itself.

// Operation codes of the calculator's "演算操作の選択" group.
namespace servo_op {
constexpr int Add = 0;
constexpr int Subtract = 1;
constexpr int Multiply = 2;
constexpr int Divide = 3;
constexpr int Cancelled = -1; // the operation dialog was cancelled: H is left unchanged
} // namespace servo_op

// History label of an operation code: "+:加算", "-:減算", "x:乗算", "/:除算".
const char* ServoOperationLabel(int op);

// H = H (op) E for k below n. Division is the plain complex quotient; a zero E gives
// infinities or NaNs in that bin.
void CombineResponses(float* hRe, float* hIm, const float* eRe, const float* eIm, int n, int op);

// For k = 0 .. n/2 - 1: bin n - 1 - k = conj(bin k).
void FillNegativeFrequencies(float* re, float* im, int n);

// E[k] = numerator / (1 + j 10 k): the first-order lag with its corner at a tenth of a bin used
// by the integral (numerator F = 10000 f0[kHz] G n dt) and by the multiplicative derivative
// (numerator u = 10000 f0[kHz] n dt / G). Negative half filled.
void MakeTenthBinLag(float* re, float* im, int n, double numerator);

// E[k] = j k G 0.001 / (n dt f0[kHz]) = j G f / f0: the additive form of the derivative.
// Negative half filled.
void MakeDerivativeLine(float* re, float* im, int n, float dt, double gain, double f0kHz);

// E[k] = (a + j b w) / (c + j d w), w = 2 pi f_k. Negative half filled.
void MakeLagLead(float* re, float* im, int n, float dt, double a, double b, double c, double d);

// Parameters of the second-order model K / (1 - w^2 K M + j w K C).
struct ResonanceModel {
    double K = 1.0;    // proportional sensitivity (times)
    double M = 0.0;    // mass term
    double zeta = 0.0; // damping ratio
    double C = 0.0;    // damping term 2 zeta sqrt(M / K)
};
// The smallest zeta = j / 1000 (j = 1 .. 999) whose resonance peak
// 1 / (2 zeta sqrt(1 - zeta^2)) falls below qLin; 0.999 when none does.
double ResonanceDamping(double qLin);
// By resonance frequency f0 [Hz], sensitivity K and peak Q0 [dB].
ResonanceModel ResonanceByFrequency(double f0, double K, double q0dB);
// By acceleration sensitivity A at fa [Hz], sensitivity K and peak Q0 [dB].
ResonanceModel ResonanceByAcceleration(double A, double fa, double K, double q0dB);
// What the second-order dialogs ask for: either the resonance frequency f0 or the acceleration
// sensitivity A at fa, with the proportional sensitivity K and the peak Q0.
struct ResonanceSettings {
    bool byAcceleration = false;
    double f0 = 20.0;   // resonance frequency [Hz]
    double A = 1.0;     // acceleration sensitivity [times]
    double fa = 1000.0; // frequency of A [Hz]
    double K = 1.0;     // proportional sensitivity [times]
    double q0dB = 20.0; // resonance peak [dB]
};
ResonanceModel MakeResonanceModel(const ResonanceSettings& settings);
// E[k] = K / (1 - w^2 K M + j w K C). Negative half filled.
void MakeResonance(float* re, float* im, int n, float dt, const ResonanceModel& model);

// Loop transforms. E receives the intermediate element (1 - H, 1 + H or 1 / H).
// Open loop: a real part exactly 1.0 is first scaled by (2^23 - 1) / 2^23; then H = H / (1 - H).
void OpenLoop(float* hRe, float* hIm, float* eRe, float* eIm, int n);
// Closed loop: H = H / (1 + H), no guard.
void ClosedLoop(float* hRe, float* hIm, float* eRe, float* eIm, int n);
// Inverse: E = 1 / H, then H = E.
void InverseResponse(float* hRe, float* hIm, float* eRe, float* eIm, int n);
