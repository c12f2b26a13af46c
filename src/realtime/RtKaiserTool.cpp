#include "realtime/RtKaiserTool.h"

#include "document/CKymoDoc.h"
#include "dsp/FloatToInt.h"
#include "filters/CoefFile.h"
#include "filters/FilterMessages.h"
#include "filters/KaiserFir.h"
#include "realtime/RtMessages.h"

namespace {

FirFieldError Fail(FirField field, std::string message) {
    return {field, std::move(message)};
}

std::string TooManyTaps(int taps) {
    return FormatCount(FormatCount(rtmsg::kKaiserTooManyTaps, kRtMaxFirTaps).c_str(), taps);
}

} // namespace

CRtKaiserTool::CRtKaiserTool(CKymoDoc& doc, ISoundCard& card) : CRtFirTool(doc, card) {
    m_settings.shape = doc.m_nFilterShape;
    m_settings.cutLow = doc.m_fCutLow;
    m_settings.cutHigh = doc.m_fCutHigh;
    m_settings.atten = doc.m_fAtten;
    m_settings.transition = doc.m_fTransition;
    m_sliders.low = CutSliderPosition(m_settings.cutLow);
    m_sliders.high = CutSliderPosition(m_settings.cutHigh);
}

std::optional<FirFieldError> CRtKaiserTool::Check(const KaiserSettings& s, int fs) {
    const bool two = shape::HasTwoEdges(s.shape);
    const float nyq = static_cast<float>(fs) * 0.5f;
    const float d = s.transition;
    const float lowEdge = s.shape == shape::LowPass ? s.cutLow + d : s.cutLow;
    if (lowEdge > nyq) return Fail(FirField::CutLow, rtmsg::kKaiserLowNyquist);
    if (two && s.cutHigh + d > nyq) return Fail(FirField::CutHigh, rtmsg::kKaiserHighNyquist);
    if (!(d > 0.0f)) return Fail(FirField::Transition, rtmsg::kKaiserTransition);
    if (!(s.cutLow > 0.0f)) return Fail(FirField::CutLow, rtmsg::kKaiserCutPositive);
    if (two && !(s.cutHigh > 0.0f)) return Fail(FirField::CutHigh, rtmsg::kKaiserCutPositive);
    if (two && !(s.cutLow + d < s.cutHigh)) return Fail(FirField::CutLow, rtmsg::kKaiserBandOrder);
    if (!(s.atten >= 10.0f && s.atten <= 90.0f)) return Fail(FirField::Atten, rtmsg::kKaiserAtten);
    const double taps = KaiserDesignTaps(s, fs);
    if (!(taps >= 1.0) || taps > kRtMaxFirTaps)
        return Fail(FirField::Transition, TooManyTaps(SaturateToRange(taps, 0, 1000000000)));
    return std::nullopt;
}

bool CRtKaiserTool::DesignTaps(int fs, std::vector<double>& taps) {
    m_failed.reset();
    if (const auto e = Check(m_settings, fs)) {
        m_failed = e->field;
        m_doc.Ui().ShowMessage(e->message);
        return false;
    }
    KaiserFir fir;
    const int n = DesignKaiser(fir, m_settings, fs);
    if (n <= 0 || n > kRtMaxFirTaps) {
        m_doc.Ui().ShowMessage(TooManyTaps(n));
        return false;
    }
    taps.resize(static_cast<std::size_t>(n));
    fir.CopyTaps(taps.data());
    m_nLastTaps = n;
    return true;
}

FirSaveInfo CRtKaiserTool::SaveInfo() const {
    return {"Win_Kaiser", FirShapeName(m_settings.shape), m_settings.cutLow,
            shape::HasTwoEdges(m_settings.shape) ? m_settings.cutHigh : 0.0};
}

void CRtKaiserTool::OnCutSlider(int which, int position) {
    double fLow = m_settings.cutLow, fHigh = m_settings.cutHigh;
    m_sliders.Move(which, position, fLow, fHigh);
    m_settings.cutLow = static_cast<float>(fLow);
    m_settings.cutHigh = static_cast<float>(fHigh);
    OnDesignChanged();
}

void CRtKaiserTool::BeforeClose() {
    m_doc.m_nFilterShape = m_settings.shape;
    m_doc.m_fCutLow = m_settings.cutLow;
    m_doc.m_fCutHigh = m_settings.cutHigh;
    m_doc.m_fAtten = m_settings.atten;
    m_doc.m_fTransition = m_settings.transition;
    if (m_nLastTaps > 0) m_doc.m_nKaiserTaps = m_nLastTaps;
}
