#pragma once

// Record arithmetic shared by the single-record analyses and the averaging pass. Transforms
// use the document FFT on its twiddle tables, which must hold m_nPoints.
class CKymoDoc;

// Forward transform (scaled 1/N) and unscaled inverse of N = m_nPoints points in place.
void DocForwardFft(CKymoDoc& doc, float* re, float* im);
void DocInverseFft(CKymoDoc& doc, float* re, float* im);

// Population variance (sum x^2 - (sum x)^2 / n) / n, accumulated in double.
double PopulationVariance(const float* x, int n);

// Correlation from a (cross) power spectrum: the unscaled inverse transform of re/im, real part
// divided by `norm`, into `out`; `im` is cleared. A norm of 0 (a silent or constant record)
// gives 0 at every lag. re and im are overwritten.
void CorrelationFromSpectrum(CKymoDoc& doc, float* re, float* im, double norm, float* out);

// H = X2 / X1 per bin, 0 where |X1|^2 is exactly 0.
void TransferRatio(const float* x1Re, const float* x1Im, const float* x2Re, const float* x2Im,
                   int n, float* hRe, float* hIm);
