#include "document/AnalysisMath.h"

#include "document/CKymoDoc.h"
#include "dsp/SpectrumRatio.h"

void DocForwardFft(CKymoDoc& doc, float* re, float* im) {
    doc.FftBitReverse(doc.m_nPoints, re, im);
    doc.FftButterflies(doc.m_nPow + 7, 1, re, im);
}

void DocInverseFft(CKymoDoc& doc, float* re, float* im) {
    doc.FftBitReverse(doc.m_nPoints, re, im);
    doc.FftButterflies(doc.m_nPow + 7, 2, re, im);
}

double PopulationVariance(const float* x, int n) {
    double sum = 0.0, squares = 0.0;
    for (int i = 0; i < n; ++i) {
        sum += x[i];
        squares += static_cast<double>(x[i]) * x[i];
    }
    const double var = (squares - sum * sum / n) / n;
    return var > 0.0 ? var : 0.0;
}

void CorrelationFromSpectrum(CKymoDoc& doc, float* re, float* im, double norm, float* out) {
    const int n = doc.m_nPoints;
    DocInverseFft(doc, re, im);
    for (int i = 0; i < n; ++i) {
        out[i] = norm > 0.0 ? static_cast<float>(re[i] / norm) : 0.0f;
        im[i] = 0.0f;
    }
}

void TransferRatio(const float* x1Re, const float* x1Im, const float* x2Re, const float* x2Im,
                   int n, float* hRe, float* hIm) {
    SpectrumRatio(x1Re, x1Im, x2Re, x2Im, n, hRe, hIm);
}
