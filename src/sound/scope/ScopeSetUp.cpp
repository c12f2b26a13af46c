// The oscilloscope's set-up, its scope-display request and its finish step.
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocumentLimits.h"
#include "sound/generator/SigGenMessages.h"
#include "sound/scope/ScopeMessages.h"
#include "sound/scope/ScopeSweeps.h"
#include "sound/settings/MeasConditions.h"
#include "sound/settings/MeasMessages.h"

#include <algorithm>

namespace {
constexpr int kTopLevelDrop = 100;
constexpr int kCaptureHead = 44;

// The scope display shows 16-bit stereo at `rate` (the format fields); the wave image of a file
// does not survive it. The sweep length goes to m_nPoints.
void PrepareScopeDisplay(CKymoDoc& doc, int rate, int over) {
    doc.ReleaseWaveImage();
    doc.SetWaveFormat(kCaptureHead, rate, 16, 1, 0);
    doc.m_nBitsPerSample = 16;
    doc.m_nScopeSweep = std::clamp(doc.m_nScopeSweep, scope::kMinSweep, scope::kMaxSweep);
    doc.m_nPoints = scope::SweepFrames(doc.m_nScopeSweep, rate, over);
    doc.m_fDt = 1.0f / static_cast<float>(rate);
    doc.m_nRealUpdates = 0;
    doc.m_bRealBusy = 0;
}

int ScopeShow(const CKymoDoc& doc) {
    if (doc.m_bScopeXY) return 4;
    if (doc.m_bScopeCh1 && doc.m_bScopeCh2) return 2;
    return doc.m_bScopeCh1 ? 1 : 3;
}
} // namespace

int CKymoDoc::BeginOscilloscope() {
    const int stored = meas::RateOfIndex(m_nMeasRate);
    if (m_nMeasRate < 0 || m_nMeasRate >= meas::kRateCount ||
        scope::SupportedRate(stored) != stored) {
        m_ui.ShowMessage(scopemsg::kRateOnly);
        m_nMeasRate = meas::kRate48000;
    }
    const int rate = scope::SupportedRate(m_nSamplesPerSec);
    m_nMeasRate = meas::IndexOfRate(rate);
    if (m_nMeasBits != meas::kBits16) {
        m_ui.ShowMessage(measmsg::kWidth16Only);
        if (m_nMeasBits > meas::kBits16) {
            m_nTopLevelStep -= kTopLevelDrop / 10;
            m_nTopLevel -= kTopLevelDrop;
        }
        m_nMeasBits = meas::kBits16;
    }
    if (!m_bScopeCh1 && !m_bScopeCh2) {
        m_ui.ShowMessage(measmsg::kBadChannels);
        return 0;
    }
    m_nScopeOver = m_nScopeOver == 4 ? 4 : 1;
    PrepareScopeDisplay(*this, rate, m_nScopeOver);
    return 1;
}

void CKymoDoc::ShowScopeSweep(int over) {
    m_nScopeOver = over;
    m_fDt = 1.0f / static_cast<float>(m_nSamplesPerSec);
    ++m_nRealUpdates;
    disp_mode1 = kind::LiveScope;
    m_nScopeShow = ScopeShow(*this);
    UpdateAllViews();
}

void CKymoDoc::FinishOscilloscope() {
    if (m_nRealUpdates > 0) {
        ReleaseWaveImage();
        const int over = m_nScopeOver == 4 ? 4 : 1;
        m_nPoints = std::min(m_nPoints * over, limits::kWaveCapacity);
        m_fDt = m_fDt / static_cast<float>(over);
        // The record keeps the display it was shown with, and saves it with an "OSC1" file.
        m_nScopeShow = ScopeShow(*this);
        m_scope.m_nRangeExp1 = m_nCh1RangeExp;
        m_scope.m_nRangeExp2 = m_nCh2RangeExp;
        m_scope.m_nPosStep1 = m_bFixedPositions ? 5 : m_nCh1PositionStep;
        m_scope.m_nPosStep2 = m_bFixedPositions ? -5 : m_nCh2PositionStep;
        m_scope.Derive();
        disp_mode1 = kind::Scope;
    } else {
        disp_mode1 = kind::None;
    }
    m_bRealBusy = 0;
    UpdateAllViews();
}

int CKymoDoc::BeginSignalGenerator() {
    const int stored = meas::RateOfIndex(m_nMeasRate);
    if (m_nMeasRate < 0 || m_nMeasRate >= meas::kRateCount ||
        scope::SupportedRate(stored) != stored)
        m_ui.ShowMessage(siggenmsg::kRateOnly);
    const int rate = scope::SupportedRate(m_nSamplesPerSec);
    m_nMeasRate = meas::IndexOfRate(rate);
    if (m_nMeasBits == meas::kBits8) {
        m_ui.ShowMessage(siggenmsg::kWidth16Up);
        m_nMeasBits = meas::kBits16;
    }
    m_nMeasBits = std::clamp(m_nMeasBits, 1, 3);
    m_sigGen.rate = rate;
    m_sigGen.widthCode = m_nMeasBits;
    if (!m_bScopeCh1 && !m_bScopeCh2) m_bScopeCh1 = m_bScopeCh2 = 1;
    PrepareScopeDisplay(*this, rate, 1);
    return 1;
}
