#include "realtime/RtBiquadTool.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "dsp/FloatToInt.h"
#include "filters/BiquadDesign.h"
#include "filters/BiquadTable.h"
#include "filters/CoefFile.h"
#include "filters/CrTable.h"
#include "filters/FilterMessages.h"
#include "realtime/CutSliders.h"
#include "realtime/RtMessages.h"
#include "sound/RealtimeCodes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

CRtBiquadTool::CRtBiquadTool(CKymoDoc& doc, ISoundCard& card)
    : CRtFilterTool(doc, card, RtFilterKind::Biquad),
      m_nType(std::clamp(doc.m_nRtBiquadType, 0, biquadtype::Count - 1)), m_fFreq(doc.m_fCutLow),
      m_fGain(doc.m_fIirGain) {}

bool CRtBiquadTool::Validate(int fs) {
    IDocumentUi& ui = m_doc.Ui();
    m_failed = Field::None;
    if (!(m_fFreq > 0.0f)) {
        m_failed = Field::Frequency;
        ui.ShowMessage(fmsg::kAboveZero);
    } else if (m_fFreq > fs / 2.0f) {
        m_failed = Field::Frequency;
        ui.ShowMessage(fmsg::kCutTooHigh);
    } else if (!(m_fGain >= -20.0f && m_fGain <= 20.0f)) {
        m_failed = Field::Gain;
        ui.ShowMessage(rtmsg::kBiquadGainRange);
    }
    return m_failed == Field::None;
}

bool CRtBiquadTool::Design(int fs) {
    if (!Validate(fs)) return false;
    BiquadDesign(m_nType, fs, m_fFreq, m_fGain, m_den, m_num);
    m_engine->SetBiquad(m_den, m_num);
    return true;
}

void CRtBiquadTool::ShowResponse() {
    const int n = m_doc.m_nPoints;
    if (n < 2 || n > static_cast<int>(m_doc.m_fRe.size())) return;
    BiquadResponse(Rate(), n, m_den, m_num, m_doc.m_fRe.data(), m_doc.m_fIm.data());
    m_doc.ProcessRealtime(realtime::kIirImpulse);
}

void CRtBiquadTool::AfterDesign() {
    const bool design = m_nDisplay == rtdisplay::Design;
    m_engine->SetMonitorCode(design ? 0 : realtime::kFilterSpectrum);
    if (design) ShowResponse();
}

void CRtBiquadTool::Redesign() {
    if (!IsRunning()) return;
    if (!Design(Rate())) return;
    if (m_nDisplay == rtdisplay::Design) ShowResponse();
}

void CRtBiquadTool::SetType(int type) {
    m_nType = std::clamp(type, 0, biquadtype::Count - 1);
    if (IsRunning() && Validate(Rate())) Restart();
}

void CRtBiquadTool::SetFrequency(float f) {
    m_fFreq = f;
    Redesign();
}

void CRtBiquadTool::SetGainDb(float g) {
    m_fGain = g;
    Redesign();
}

void CRtBiquadTool::OnFrequencySlider(int position) {
    SetFrequency(static_cast<float>(CutSliderFrequency(std::clamp(position, 0, cutslider::kMax))));
}

void CRtBiquadTool::OnGainSlider(int position) {
    SetGainDb(static_cast<float>(std::clamp(position, 0, kGainSliderMax) - 20));
}

int CRtBiquadTool::FrequencySliderPosition() const {
    return CutSliderPosition(m_fFreq);
}

int CRtBiquadTool::GainSliderPosition() const {
    return SaturateToRange(std::ceil(m_fGain + 20.0), 0, kGainSliderMax);
}

void CRtBiquadTool::SetChannel(int index) {
    CRtFilterTool::SetChannel(index);
    if (IsRunning() && Validate(Rate())) Restart();
}

void CRtBiquadTool::SetLineOut(int mode) {
    CRtFilterTool::SetLineOut(mode);
    if (IsRunning() && Validate(Rate())) Restart();
}

bool CRtBiquadTool::OnDisplay(int index) {
    if (index == rtdisplay::Design && !IsRunning()) {
        m_doc.Ui().ShowMessage(rtmsg::kStartFirst);
        m_nDisplay = rtdisplay::Monitor;
        return false;
    }
    m_nDisplay = index == rtdisplay::Design ? rtdisplay::Design : rtdisplay::Monitor;
    SwapLevels(m_nDisplay == rtdisplay::Design);
    if (m_nDisplay == rtdisplay::Monitor) m_doc.RebuildTwiddleTables();
    AfterDesign();
    return true;
}

void CRtBiquadTool::OnSoundStopped() {
    if (m_nDisplay != rtdisplay::Design) return;
    m_doc.disp_mode1 = kind::Transfer;
    m_doc.disp_mode2 = present::FilterResponse;
    m_doc.UpdateAllViews();
}

int CRtBiquadTool::OnSave() {
    if (!IsRunning()) {
        m_doc.Ui().ShowMessage(rtmsg::kNoCoefficients);
        return 0;
    }
    const int monitor = m_engine->MonitorCode();
    m_engine->SetMonitorCode(0);
    m_engine->SetMute(true);
    BiquadTable iir, none;
    StoreBiquadSection(m_den, m_num, iir);
    CoefFile file(m_doc.Ui());
    const int written = file.WriteIir(0, 0, m_nType, 2, m_fFreq, 0.0, iir, none, none, CrTable{});
    m_engine->SetMute(false);
    m_engine->SetMonitorCode(monitor);
    return written;
}

std::string CRtBiquadTool::CoefficientText(const char* name) const {
    const std::string n(name);
    double v = 0.0;
    if (n == "a1")
        v = m_den[1];
    else if (n == "a2")
        v = m_den[2];
    else if (n == "b0")
        v = m_num[0];
    else if (n == "b1")
        v = m_num[1];
    else if (n == "b2")
        v = m_num[2];
    else
        v = m_den[0];
    char text[32];
    std::snprintf(text, sizeof text, "%2.2e", v);
    return text;
}

void CRtBiquadTool::BeforeClose() {
    m_doc.m_nRtBiquadType = m_nType;
    m_doc.m_fCutLow = m_fFreq;
    m_doc.m_fIirGain = m_fGain;
}

void CRtBiquadTool::SettleDocument() {
    SettleIirDocument();
}
