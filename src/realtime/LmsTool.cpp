#include "realtime/LmsTool.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "filters/CoefFile.h"
#include "filters/FilterLimits.h"
#include "filters/FilterMessages.h"
#include "filters/WindowFir.h"
#include "realtime/CutSliders.h"
#include "realtime/RtFilterTool.h"
#include "realtime/RtFirTool.h"
#include "realtime/RtMessages.h"
#include "sound/RealtimeCodes.h"
#include "sound/engine/SoundMessages.h"
#include "sound/engine/SoundReports.h"
#include "sound/settings/MeasConditions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kLmsFirType = 11; // m_nFirType of the LMS tool

double Db(int position) {
    return std::pow(10.0, 0.05 * position);
}

} // namespace

CLmsTool::CLmsTool(CKymoDoc& doc, ISoundCard& card)
    : m_doc(doc), m_engine(std::make_unique<CLmsEngine>(card, doc)), m_s(doc.m_Lms),
      m_nTaps(doc.m_nFirTaps), m_nShape(doc.m_nFilterShape), m_fCutLow(doc.m_fCutLow),
      m_fCutHigh(doc.m_fCutHigh),
      m_nWindow(doc.m_nFirType >= firwin::Rectangular && doc.m_nFirType <= firwin::Hann
                    ? doc.m_nFirType
                    : firwin::BlackmanOpt),
      m_nGainDb(doc.m_RtPanel.gainDb), m_bGainFixed(doc.m_RtPanel.gainFixed) {
    doc.RebuildTwiddleTables();
    doc.ClearAccumulators();
    doc.m_nBitsPerSample = 16;
    doc.m_nRealUpdates = 0;
}

CLmsTool::~CLmsTool() {
    m_engine->StopRSound();
}

int CLmsTool::Rate() const {
    return RtRateOfIndex(m_nRateIndex);
}

void CLmsTool::SetRateIndex(int index) {
    m_nRateIndex = std::clamp(index, 0, kRtRateCount - 1);
}

bool CLmsTool::StopSound() {
    const bool running = m_engine->IsRunning();
    m_engine->StopRSound();
    if (running && m_s.display == rtdisplay::Design) {
        m_doc.disp_mode1 = kind::Spectrum1;
        m_doc.disp_mode2 = present::FilterResponse;
        m_doc.UpdateAllViews();
    }
    return running;
}

bool CLmsTool::Validate(int fs) {
    IDocumentUi& ui = m_doc.Ui();
    const int n = m_nTaps;
    if (m_s.mu > lmslimits::kMaxMuLong && n > lmslimits::kLongTaps) {
        ui.ShowMessage(rtmsg::kLmsMuChanged);
        m_s.mu = lmslimits::kMaxMuLong;
    } else if (m_s.mu > lmslimits::kMaxMu) {
        ui.ShowMessage(rtmsg::kLmsMuChanged);
        m_s.mu = lmslimits::kMaxMu;
    }
    const bool two = shape::HasTwoEdges(m_nShape);
    if (!(m_fCutLow > 0.0) || (two && !(m_fCutHigh > 0.0))) {
        ui.ShowMessage(fmsg::kAboveZero);
        return false;
    }
    if (m_fCutLow > fs / 2.0 || (two && m_fCutHigh > fs / 2.0)) {
        ui.ShowMessage(fmsg::kCutTooHigh);
        return false;
    }
    if (two && !(m_fCutHigh > m_fCutLow)) {
        ui.ShowMessage(fmsg::kLowBelowHigh);
        return false;
    }
    if (std::abs(m_s.delay) > n) {
        m_s.delay = m_s.delay > 0 ? n : -n;
        ui.ShowMessage(FormatCount(rtmsg::kLmsDelayRange, n));
        return false;
    }
    if (n < lmslimits::kMinTaps || n > lmslimits::kMaxTaps) {
        ui.ShowMessage(FormatCount(fmsg::kTapRange, lmslimits::kMaxTaps));
        return false;
    }
    return true;
}

bool CLmsTool::DesignDemo(int fs) {
    std::vector<double> h(static_cast<std::size_t>(m_nTaps), 0.0);
    DesignWindowFir(m_nShape, m_nWindow, m_nTaps, m_fCutLow,
                    shape::HasTwoEdges(m_nShape) ? m_fCutHigh : 0.0, fs, h.data());
    m_engine->Filter().Init(h, m_s.mu, m_s.delay);
    return true;
}

void CLmsTool::ApplySignals() {
    LmsSignals sig;
    sig.generator = m_s.generator;
    sig.mode = m_s.mode;
    sig.noiseOn = m_s.noiseOn;
    sig.sineOn = m_s.sineOn;
    sig.noiseFactor = Db(m_s.noisePos);
    sig.sineAmp = Db(m_s.sinePos);
    sig.sineFreq = CutSliderFrequency(m_s.sineFreqPos);
    sig.fs = Rate();
    m_engine->Filter().SetSignals(sig);
    m_engine->SetRch(m_s.rch);
    m_engine->SetWeightsOnly(!m_s.generator || m_s.mode == lmsmode::Predict);
    m_engine->SetDisplayCode(m_s.display == rtdisplay::Design ? realtime::kDesignResponse
                                                              : realtime::kFilterSpectrum);
}

bool CLmsTool::OnStart() {
    IDocumentUi& ui = m_doc.Ui();
    StopSound();
    m_doc.m_nRealUpdates = 0;
    m_doc.ClearAccumulators();
    const int fs = Rate();
    m_doc.m_nMeasRate = RtMeasRateOfIndex(m_nRateIndex);
    m_doc.m_nSamplesPerSec = fs;
    m_doc.m_fDt = 1.0f / static_cast<float>(fs);
    if (!Validate(fs)) return false;
    m_engine->Filter().Seed(m_seed ? *m_seed : static_cast<std::uint32_t>(std::time(nullptr)));
    DesignDemo(fs);
    m_engine->SetOffsets(m_doc.m_fOffset16L * meas::kPercentTo16Bit,
                         m_doc.m_fOffset16R * meas::kPercentTo16Bit);
    ApplySignals();
    if (m_s.display == rtdisplay::Design && !m_doc.m_bRealBusy) {
        m_engine->ComputeResponses();
        m_doc.ProcessRealtime(realtime::kDesignResponse);
    }
    if (!m_engine->Start(fs)) {
        if (m_engine->OpenFailed()) ReportOpenFailure(ui, m_engine->Card());
        ui.ShowMessage(sndmsg::kFilterRunning);
        return false;
    }
    return true;
}

void CLmsTool::SetDelay(int d) {
    m_s.delay = d;
    StopSound();
}

void CLmsTool::SetMode(int mode) {
    m_s.mode = std::clamp(mode, lmsmode::Identify, lmsmode::Denoise);
    if (m_s.generator) m_s.rch = m_s.mode == lmsmode::Denoise ? lmsrch::Error : lmsrch::Rout;
    StopSound();
}

void CLmsTool::SetGenerator(bool on) {
    m_s.generator = on;
    StopSound();
}

void CLmsTool::SetNoise(bool on) {
    m_s.noiseOn = on;
    ApplySignals();
}

void CLmsTool::SetSine(bool on) {
    m_s.sineOn = on;
    ApplySignals();
}

void CLmsTool::SetNoiseLevel(int position) {
    m_s.noisePos = std::clamp(position, lmslimits::kMinLevelPos, lmslimits::kMaxLevelPos);
    ApplySignals();
}

void CLmsTool::SetSineFreqPosition(int position) {
    m_s.sineFreqPos = std::clamp(position, 0, cutslider::kMax);
    ApplySignals();
}

void CLmsTool::SetSineLevel(int position) {
    m_s.sinePos = std::clamp(position, lmslimits::kMinLevelPos, lmslimits::kMaxLevelPos);
    ApplySignals();
}

void CLmsTool::SetCutOffs(double f1, double f2) {
    m_fCutLow = f1;
    m_fCutHigh = f2;
}

void CLmsTool::OnCutSlider(int which, int position) {
    CutSliderPair sliders{CutSliderPosition(m_fCutLow), CutSliderPosition(m_fCutHigh)};
    sliders.Move(which, position, m_fCutLow, m_fCutHigh);
    if (IsRunning()) DesignDemo(Rate());
}

void CLmsTool::SetDisplay(int index) {
    m_s.display = index == rtdisplay::Design ? rtdisplay::Design : rtdisplay::Monitor;
    ApplySignals();
}

void CLmsTool::SetGain(int gainDb) {
    m_nGainDb = std::clamp(gainDb, rtpanel::kMinGainDb, rtpanel::kMaxGainDb);
}

void CLmsTool::SetRch(int index) {
    m_s.rch = std::clamp(index, lmsrch::Lout, lmsrch::Rin);
    ApplySignals();
}

int CLmsTool::OnSave(const std::string& path) {
    if (!IsRunning()) {
        m_doc.Ui().ShowMessage(rtmsg::kNoCoefficients);
        return 0;
    }
    const bool lms = m_doc.m_nFirType == kLmsFirType;
    const bool two = shape::HasTwoEdges(m_nShape);
    const std::vector<double> w = Weights();
    m_engine->SetMute(true);
    CoefFile file(m_doc.Ui());
    const int written = file.WriteFir(path, lms ? "LMS_Filter" : WindowKindName(m_nWindow),
                                      lms ? "UnKnown" : FirShapeName(m_nShape), m_fCutLow,
                                      two ? m_fCutHigh : 0.0, static_cast<int>(w.size()), w.data());
    m_engine->SetMute(false);
    return written;
}

int CLmsTool::LoadPercent() const {
    const double load = m_engine->LoadPercent();
    return std::isfinite(load) ? static_cast<int>(std::clamp(load, 0.0, 150.0)) : 150;
}

std::string CLmsTool::PictureText() const {
    const std::vector<double>& w = Weights();
    const double peak = w.empty() ? 0.0 : *std::max_element(w.begin(), w.end());
    char text[200];
    std::snprintf(text, sizeof text, "%d個  %2.2e  μ=%2.2e  誤差=%3.3f(%s)  Z=%d",
                  static_cast<int>(w.size()), peak, m_s.mu, RelativeError() * 100.0, "%",
                  m_s.delay);
    return text;
}

void CLmsTool::Close(bool reportIdle) {
    if (m_bClosed) return;
    m_bClosed = true;
    if (!StopSound() && reportIdle) m_doc.Ui().ShowMessage(rtmsg::kNoDsp);
    m_doc.m_Lms = m_s;
    m_doc.m_RtPanel.gainDb = m_nGainDb;
    m_doc.m_RtPanel.gainFixed = m_bGainFixed;
    m_doc.m_nFirTaps = m_nTaps;
    m_doc.m_nFilterShape = m_nShape;
    m_doc.m_fCutLow = static_cast<float>(m_fCutLow);
    m_doc.m_fCutHigh = static_cast<float>(m_fCutHigh);
    m_doc.UpdateAllViews();
}
