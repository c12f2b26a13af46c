#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "sound/RealtimeCodes.h"

#include <algorithm>

int CKymoDoc::ProcessRealtime(int code) {
    ++m_nRealUpdates;
    bool redraw = false;
    switch (code) {
    case realtime::kSpectrum:
        redraw = (m_bCorrMode ? ComputeLiveCorrelation() : ComputeLiveSpectrum()) != 0;
        break;
    case realtime::kSpectrum3d:
        redraw = ComputeLive3dRow() != 0;
        break;
    case realtime::kServo:
        redraw = ComputeLiveSpectrum() != 0;
        break;
    case realtime::kFilterSpectrum:
        redraw = FilterSpectrumStep(kind::RtFilterRunning) != 0;
        break;
    case realtime::kLinearMonitor:
        redraw = FilterSpectrumStep(kind::RadioRunning) != 0;
        break;
    case realtime::kRadioWaterfall:
        redraw = FilterSpectrumStep(kind::RadioWaterfall) != 0;
        break;
    case realtime::kDesignResponse: {
        // The tool has put the design's magnitude into m_fRe and m_fOpRe.
        const int n = std::min(m_nPoints, static_cast<int>(m_fIm.size()));
        disp_mode2 = present::FilterResponse;
        std::fill(m_fIm.begin(), m_fIm.begin() + n, 0.0f);
        std::fill(m_fOpIm.begin(), m_fOpIm.begin() + n, 0.0f);
        disp_mode1 = kind::RtFirDisplay;
        redraw = true;
        break;
    }
    case realtime::kRadioWaterfallReset:
        disp_mode1 = kind::RadioWaterfallReset;
        redraw = true;
        break;
    case realtime::kRadioLinearStored:
        disp_mode1 = kind::RadioLinearStored;
        redraw = true;
        break;
    case realtime::kIirImpulse:
        redraw = IirImpulseStep() != 0;
        break;
    case realtime::kIirStages:
        disp_mode1 = kind::FilterStages;
        disp_mode2 = present::FilterResponse;
        redraw = true;
        break;
    case realtime::kAudioSpectrum:
        disp_mode1 = kind::LiveSpectrum;
        redraw = true;
        break;
    case realtime::kAudioGraph:
        disp_mode1 = kind::AudioGraph;
        redraw = true;
        break;
    case realtime::kTubeCurves:
        disp_mode1 = kind::TubeCharacteristics;
        redraw = m_pTubeChart != nullptr;
        break;
    case realtime::kTubeScope:
        disp_mode1 = kind::TubeScope;
        redraw = true;
        break;
    default:
        break;
    }
    if (!redraw) {
        // Nothing will be drawn, so nothing would clear the flag.
        m_bRealBusy = 0;
        return 0;
    }
    UpdateAllViews();
    return 1;
}
