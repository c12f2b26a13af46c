// The spectrum of a captured block (the spectrum analyzer's hand-over), and the two-channel
// ratio of the servo analyzer (its hand-over, code 5).
#include "document/AnalysisMath.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "dsp/WindowKinds.h"
#include "filters/PcmSample.h"
#include "sound/servo/ServoExcitation.h"
#include "sound/settings/MeasConditions.h"

#include <algorithm>
#include <cmath>

void CKymoDoc::ClearAccumulators() {
    std::fill(m_fAccum1.begin(), m_fAccum1.end(), 0.0f);
    std::fill(m_fAccum2.begin(), m_fAccum2.end(), 0.0f);
    m_fNormSum1 = 0.0;
    m_fNormSum2 = 0.0;
}

void CKymoDoc::ConvertCapturedBlock(int start, int count, bool allowWindow) {
    const bool eight = m_nBitsPerSample == 8;
    const int channels = m_nChannel;
    const float off1 =
        eight ? m_fOffset8L * meas::kPercentTo8Bit : m_fOffset16L * meas::kPercentTo16Bit;
    const float off2 =
        eight ? m_fOffset8R * meas::kPercentTo8Bit : m_fOffset16R * meas::kPercentTo16Bit;
    const bool windowed =
        allowWindow && m_nWindowType >= wnd::Triangle && m_nWindowType <= wnd::Kaiser;
    const std::uint8_t* data = m_pWaveData;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* frame = data + static_cast<std::size_t>(start + i) * m_nBlockSize;
        float x1 = eight ? static_cast<float>(pcmio::Read8(frame)) - off1
                         : static_cast<float>(pcmio::Read16(frame)) - off1;
        float x2 = 0.0f;
        if (channels == 2)
            x2 = eight ? static_cast<float>(pcmio::Read8(frame + 1)) - off2
                       : static_cast<float>(pcmio::Read16(frame + 2)) - off2;
        if (windowed) {
            x1 *= m_fWindow[i];
            x2 *= m_fWindow[i];
        }
        m_fWave1[i] = m_fRe[i] = x1;
        m_fIm[i] = 0.0f;
        if (channels == 2) {
            m_fWave2[i] = m_fOpRe[i] = x2;
            m_fOpIm[i] = 0.0f;
        }
    }
}

int CKymoDoc::PrepareCapturedBlock() {
    const int capturedRate = m_nSamplesPerSec;
    const int d = -m_nDownExp;
    bool ok = true;
    for (int pass = 0; pass < d && ok; ++pass) ok = DecimateWave() != 0;
    m_fDt = static_cast<float>(std::ldexp(1.0, d) / capturedRate);

    const int start = 0;
    const int count = std::min(m_nAnalyseCount > 0 ? m_nAnalyseCount : m_nPoints, 32768);
    if (!ok || !HasWave() || m_nFrames < start + count || count != m_nPoints) return 0;
    // The servo analyzer windows only its random excitations; the TSP is periodic in the block.
    // Without a window the loop characteristic may open the measured loop.
    const bool ratio = m_bDualCh && !m_bCorrMode && m_nChannel == 2;
    const bool allowWindow = !ratio || servo::IsWindowed(m_nExcitation);
    ConvertCapturedBlock(start, count, allowWindow);
    const bool windowed =
        allowWindow && m_nWindowType >= wnd::Triangle && m_nWindowType <= wnd::Kaiser;
    if (ratio && !windowed && m_bCharUsed) ApplyLoopCharacteristic(count);
    return 1;
}

void CKymoDoc::ApplyLoopCharacteristic(int count) {
    if (m_nCharacteristic != meas::kOpenPlus && m_nCharacteristic != meas::kOpenMinus) return;
    const float sign = m_nCharacteristic == meas::kOpenPlus ? 1.0f : -1.0f;
    for (int i = 0; i < count; ++i) m_fWave1[i] = m_fRe[i] = m_fRe[i] + sign * m_fOpRe[i];
}

void CKymoDoc::RestoreCaptureArea() {
    if (m_nDownExp != 0) AllocateCaptureArea();
}

int CKymoDoc::ComputeLiveSpectrum() {
    const bool ok = PrepareCapturedBlock() != 0;
    if (ok) {
        const int n = m_nPoints;
        const bool two = m_nChannel == 2;
        DocForwardFft(*this, m_fRe.data(), m_fIm.data());
        if (two) DocForwardFft(*this, m_fOpRe.data(), m_fOpIm.data());
        if (m_bDualCh && two) {
            TransferRatio(m_fRe.data(), m_fIm.data(), m_fOpRe.data(), m_fOpIm.data(), n,
                          m_fRe.data(), m_fIm.data());
            if (m_bAveraging && m_nRealUpdates > 0) {
                const float updates = static_cast<float>(m_nRealUpdates);
                for (int k = 0; k < n; ++k) {
                    m_fAccum1[k] += m_fRe[k];
                    m_fAccum2[k] += m_fIm[k];
                    m_fRe[k] = m_fAccum1[k] / updates;
                    m_fIm[k] = m_fAccum2[k] / updates;
                }
            }
            disp_mode1 = kind::LiveTransfer;
        } else {
            for (int k = 0; k < n; ++k) {
                m_fRe[k] = std::sqrt(m_fRe[k] * m_fRe[k] + m_fIm[k] * m_fIm[k]);
                if (two) m_fOpRe[k] = std::sqrt(m_fOpRe[k] * m_fOpRe[k] + m_fOpIm[k] * m_fOpIm[k]);
            }
            if (m_bAveraging && m_nRealUpdates > 0) {
                const float updates = static_cast<float>(m_nRealUpdates);
                for (int k = 0; k < n; ++k) {
                    m_fAccum1[k] += m_fRe[k];
                    m_fRe[k] = m_fAccum1[k] / updates;
                    if (two) {
                        m_fAccum2[k] += m_fOpRe[k];
                        m_fOpRe[k] = m_fAccum2[k] / updates;
                    }
                }
            }
            disp_mode1 = kind::LiveSpectrum;
        }
    }
    RestoreCaptureArea();
    return ok ? 1 : 0;
}
