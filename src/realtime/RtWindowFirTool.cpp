#include "realtime/RtWindowFirTool.h"

#include "document/CKymoDoc.h"
#include "filters/CoefFile.h"
#include "filters/WindowFir.h"

CRtWindowFirTool::CRtWindowFirTool(CKymoDoc& doc, ISoundCard& card)
    : CRtFirTool(doc, card),
      m_nWindow(doc.m_nFirType >= firwin::Rectangular && doc.m_nFirType <= firwin::Hann
                    ? doc.m_nFirType
                    : firwin::BlackmanOpt) {
    m_settings.shape = doc.m_nFilterShape;
    m_settings.taps = doc.m_nFirTaps;
    m_settings.cutLow = doc.m_fCutLow;
    m_settings.cutHigh = doc.m_fCutHigh;
    m_sliders.low = CutSliderPosition(m_settings.cutLow);
    m_sliders.high = CutSliderPosition(m_settings.cutHigh);
}

bool CRtWindowFirTool::DesignTaps(int fs, std::vector<double>& taps) {
    m_failed.reset();
    if (const auto e = CheckFirWindowSettings(m_settings, fs)) {
        m_failed = e->field;
        m_doc.Ui().ShowMessage(e->message);
        return false;
    }
    taps.assign(static_cast<std::size_t>(m_settings.taps), 0.0);
    DesignWindowFir(m_settings.shape, m_nWindow, m_settings.taps, m_settings.cutLow,
                    shape::HasTwoEdges(m_settings.shape) ? m_settings.cutHigh : 0.0, fs,
                    taps.data());
    return true;
}

FirSaveInfo CRtWindowFirTool::SaveInfo() const {
    const bool two = shape::HasTwoEdges(m_settings.shape);
    return {WindowKindName(m_nWindow), FirShapeName(m_settings.shape), m_settings.cutLow,
            two ? m_settings.cutHigh : 0.0};
}

void CRtWindowFirTool::OnCutSlider(int which, int position) {
    double fLow = m_settings.cutLow, fHigh = m_settings.cutHigh;
    m_sliders.Move(which, position, fLow, fHigh);
    m_settings.cutLow = static_cast<float>(fLow);
    m_settings.cutHigh = static_cast<float>(fHigh);
    OnDesignChanged();
}

void CRtWindowFirTool::BeforeClose() {
    m_doc.m_nFilterShape = m_settings.shape;
    m_doc.m_nFirTaps = m_settings.taps;
    m_doc.m_fCutLow = m_settings.cutLow;
    if (shape::HasTwoEdges(m_settings.shape)) m_doc.m_fCutHigh = m_settings.cutHigh;
}
