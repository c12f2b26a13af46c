// The correlation meter's hand-over: the normalised auto- or cross-correlation of a captured
// block, optionally averaged over the blocks since averaging was switched on.
#include "document/AnalysisMath.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"

#include <algorithm>
#include <cmath>

namespace {

// |X|^2 per bin into re, im cleared.
void PowerSpectrum(float* re, float* im, int n) {
    for (int k = 0; k < n; ++k) {
        const double r = re[k], i = im[k];
        re[k] = static_cast<float>(r * r + i * i);
        im[k] = 0.0f;
    }
}

// conj(X1) X2 per bin into X1's arrays.
void CrossSpectrum(float* re1, float* im1, const float* re2, const float* im2, int n) {
    for (int k = 0; k < n; ++k) {
        const double r1 = re1[k], i1 = im1[k], r2 = re2[k], i2 = im2[k];
        re1[k] = static_cast<float>(r1 * r2 + i1 * i2);
        im1[k] = static_cast<float>(r1 * i2 - i1 * r2);
    }
}

// accum += x; x = accum / updates.
void Average(float* x, float* accum, int n, int updates) {
    const float u = static_cast<float>(updates);
    for (int k = 0; k < n; ++k) {
        accum[k] += x[k];
        x[k] = accum[k] / u;
    }
}

} // namespace

int CKymoDoc::ComputeLiveCorrelation() {
    const bool ok = PrepareCapturedBlock() != 0;
    if (ok) {
        const int n = m_nPoints;
        const bool two = m_nChannel == 2;
        const bool cross = m_bDualCh != 0;
        if (!two && cross) {
            // A mono capture has no second signal: it is silent.
            std::fill_n(m_fWave2.begin(), n, 0.0f);
            std::fill_n(m_fOpRe.begin(), n, 0.0f);
            std::fill_n(m_fOpIm.begin(), n, 0.0f);
        }
        const bool second = two || cross;
        const double var1 = PopulationVariance(m_fWave1.data(), n);
        const double var2 = second ? PopulationVariance(m_fWave2.data(), n) : 0.0;
        const double norm1 = cross ? std::sqrt(var1) * std::sqrt(var2) : var1;
        const double norm2 = cross ? 0.0 : var2;
        m_fNormSum1 += norm1;
        m_fNormSum2 += norm2;

        DocForwardFft(*this, m_fRe.data(), m_fIm.data());
        if (second) DocForwardFft(*this, m_fOpRe.data(), m_fOpIm.data());
        const bool averaged = m_bAveraging && m_nRealUpdates > 0;
        if (cross) {
            CrossSpectrum(m_fRe.data(), m_fIm.data(), m_fOpRe.data(), m_fOpIm.data(), n);
            if (averaged) {
                Average(m_fRe.data(), m_fAccum1.data(), n, m_nRealUpdates);
                Average(m_fIm.data(), m_fAccum2.data(), n, m_nRealUpdates);
            }
        } else {
            PowerSpectrum(m_fRe.data(), m_fIm.data(), n);
            if (two) PowerSpectrum(m_fOpRe.data(), m_fOpIm.data(), n);
            if (averaged) {
                Average(m_fRe.data(), m_fAccum1.data(), n, m_nRealUpdates);
                if (two) Average(m_fOpRe.data(), m_fAccum2.data(), n, m_nRealUpdates);
            }
        }
        // The average normaliser with averaging on; a silent record (normaliser 0) gives 0.
        const double updates = averaged ? m_nRealUpdates : 1.0;
        CorrelationFromSpectrum(*this, m_fRe.data(), m_fIm.data(),
                                averaged ? m_fNormSum1 / updates : norm1, m_fRe.data());
        if (two && !cross)
            CorrelationFromSpectrum(*this, m_fOpRe.data(), m_fOpIm.data(),
                                    averaged ? m_fNormSum2 / updates : norm2, m_fOpRe.data());
        disp_mode1 = cross ? kind::LiveCrossCorr : kind::LiveAutoCorr;
    }
    RestoreCaptureArea();
    return ok ? 1 : 0;
}
