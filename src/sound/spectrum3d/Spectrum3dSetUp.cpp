// The 3D spectrum analyzer's set-up before its panel opens, the row histories and the finish
// step after the panel closed.
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocumentLimits.h"
#include "sound/settings/MeasConditions.h"

#include <algorithm>
#include <memory>
#include <new>

int CKymoDoc::Begin3dSpectrum(ISoundCard* card, bool logAxis, bool fromToolbar) {
    ClearAccumulators();
    m_nRealUpdates = 0;
    m_bDualCh = 0;
    m_bCorrMode = 0;
    m_bLogAxis = logAxis ? 1 : 0;
    m_bFromToolbar = fromToolbar ? 1 : 0;
    MeasConditionMode mode;
    mode.allow8Bit = true;
    const int ok = SetUpMeasurement(card, mode);
    m_bFromToolbar = 0;
    m_nAvgCount3D = m_nAvgExp3D <= 0 ? 1 : 5 << m_nAvgExp3D;
    return ok;
}

int CKymoDoc::Allocate3dHistory() {
    m_pHistory3D1.reset();
    m_pHistory3D2.reset();
    m_nBins3D = 0;
    m_nRow3D = 0;
    const int bins = m_nPoints / 2;
    const std::size_t floats = static_cast<std::size_t>(bins) * limits::kHistoryRows3D;
    try {
        m_pHistory3D1 = std::make_unique<float[]>(floats);
        if (m_nChannel == 2) m_pHistory3D2 = std::make_unique<float[]>(floats);
    } catch (const std::bad_alloc&) {
        m_pHistory3D1.reset();
        m_pHistory3D2.reset();
        return 0;
    }
    m_nBins3D = bins;
    return 1;
}

const float* CKymoDoc::History3dRow(int channel, int row) const {
    const float* history = channel == 2 ? m_pHistory3D2.get() : m_pHistory3D1.get();
    if (!history || row < 0 || row >= limits::kHistoryRows3D) return nullptr;
    return history + static_cast<std::size_t>(row) * m_nBins3D;
}

void CKymoDoc::Finish3dSpectrum(bool measured) {
    m_bLiveView = 0;
    disp_mode1 = measured ? kind::Spectrum3dFinished : kind::None;
    ReleaseWaveImage();
    m_bRealBusy = 0;
    UpdateAllViews();
}
