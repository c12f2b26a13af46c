// The document's steps for the real-time filter tools' displays.
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// log2 n for a power of two the document FFT handles (2 ... the capacity), else -1.
int Log2Points(int n, int capacity) {
    if (n < 2 || n > capacity || (n & (n - 1)) != 0) return -1;
    int log2n = 0;
    while ((1 << log2n) < n) ++log2n;
    return log2n;
}

// Smoothing weight b of the environment's setting (0 high, 1 medium, 2 low).
float SmoothingWeight(int setting) {
    switch (setting) {
    case 0:
        return 0.97f;
    case 1:
        return 0.92f;
    default:
        return 0.9f;
    }
}

} // namespace

int CKymoDoc::FilterSpectrumStep(int kind) {
    disp_mode1 = kind;
    const int n = m_nPoints;
    const int log2n = Log2Points(n, static_cast<int>(m_fRe.size()));
    if (log2n < 0) return 0;
    for (int i = 0; i < n; ++i) {
        m_fRe[i] = m_fWave1[i] * m_fWindow[i];
        m_fOpRe[i] = m_fWave2[i] * m_fWindow[i];
    }
    std::fill(m_fIm.begin(), m_fIm.begin() + n, 0.0f);
    std::fill(m_fOpIm.begin(), m_fOpIm.begin() + n, 0.0f);
    FftBitReverse(n, m_fRe.data(), m_fIm.data());
    FftButterflies(log2n, 1, m_fRe.data(), m_fIm.data());
    FftBitReverse(n, m_fOpRe.data(), m_fOpIm.data());
    FftButterflies(log2n, 1, m_fOpRe.data(), m_fOpIm.data());
    const float b = SmoothingWeight(m_nSmoothing);
    for (int i = 0; i < n; ++i) {
        m_fAccum1[i] = std::hypot(m_fRe[i], m_fIm[i]) + b * m_fAccum1[i];
        m_fAccum2[i] = std::hypot(m_fOpRe[i], m_fOpIm[i]) + b * m_fAccum2[i];
        m_fRe[i] = m_fAccum1[i] * (1.0f - b);
        m_fOpRe[i] = m_fAccum2[i] * (1.0f - b);
        m_fIm[i] = 0.0f;
        m_fOpIm[i] = 0.0f;
    }
    return 1;
}

int CKymoDoc::IirImpulseStep() {
    const int n = m_nPoints;
    const int log2n = Log2Points(n, static_cast<int>(m_fRe.size()));
    if (log2n < 0) return 0;
    RebuildTwiddleTables();
    std::vector<float> re(m_fRe.begin(), m_fRe.begin() + n);
    std::vector<float> im(m_fIm.begin(), m_fIm.begin() + n);
    FftBitReverse(n, re.data(), im.data());
    FftButterflies(log2n, 2, re.data(), im.data());
    std::copy(re.begin(), re.end(), m_fWave1.begin());
    std::copy(re.begin(), re.end(), m_fWork1.begin());
    disp_mode1 = kind::FilterDesign;
    disp_mode2 = present::FilterResponse;
    return 1;
}
