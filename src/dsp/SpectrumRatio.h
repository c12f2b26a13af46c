#pragma once

// H = X2 / X1 bin by bin, computed in double and stored as floats; 0 where |X1|^2 is exactly 0.
// hRe/hIm may be the same arrays as x1 or x2 (each bin is read before it is written).
void SpectrumRatio(const float* x1Re, const float* x1Im, const float* x2Re, const float* x2Im,
                   int n, float* hRe, float* hIm);
