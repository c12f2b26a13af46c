// The 3D spectrum analyzer's hand-over: one averaged amplitude spectrum per row of the history.
#include "document/AnalysisMath.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocumentLimits.h"

#include <algorithm>
#include <cmath>

namespace {

// |X| per bin added to the accumulator; x = accumulator / updates.
void AverageMagnitude(float* re, const float* im, float* accum, int n, int updates) {
    const float u = static_cast<float>(updates);
    for (int k = 0; k < n; ++k) {
        accum[k] += std::sqrt(re[k] * re[k] + im[k] * im[k]);
        re[k] = accum[k] / u;
    }
}

} // namespace

int CKymoDoc::ComputeLive3dRow() {
    const bool full = m_nRow3D < 0 || m_nRow3D >= limits::kHistoryRows3D;
    if (full || m_nBins3D != m_nPoints / 2 || !m_pHistory3D1) {
        RestoreCaptureArea();
        return 0;
    }
    const bool ok = PrepareCapturedBlock() != 0;
    if (ok) {
        const int n = m_nPoints;
        const bool two = m_nChannel == 2 && m_pHistory3D2;
        const int updates = std::max(m_nRealUpdates, 1);
        DocForwardFft(*this, m_fRe.data(), m_fIm.data());
        AverageMagnitude(m_fRe.data(), m_fIm.data(), m_fAccum1.data(), n, updates);
        std::copy_n(m_fRe.begin(), m_nBins3D,
                    m_pHistory3D1.get() + static_cast<std::size_t>(m_nRow3D) * m_nBins3D);
        if (two) {
            DocForwardFft(*this, m_fOpRe.data(), m_fOpIm.data());
            AverageMagnitude(m_fOpRe.data(), m_fOpIm.data(), m_fAccum2.data(), n, updates);
            std::copy_n(m_fOpRe.begin(), m_nBins3D,
                        m_pHistory3D2.get() + static_cast<std::size_t>(m_nRow3D) * m_nBins3D);
        }
        if (updates >= m_nAvgCount3D) {
            m_nRealUpdates = 0;
            ClearAccumulators();
            ++m_nRow3D;
            if (m_nRow3D >= limits::kHistoryRows3D && !m_bStopAtEnd3D) m_nRow3D = 0;
            disp_mode1 = kind::Spectrum3dRowDone;
        } else {
            disp_mode1 = kind::Spectrum3dAveraging;
        }
    }
    RestoreCaptureArea();
    return ok ? 1 : 0;
}
