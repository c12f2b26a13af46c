#include "realtime/RadioTool.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "filters/CascadeResponse.h"
#include "realtime/RadioMessages.h"
#include "realtime/RadioSettingsFile.h"
#include "realtime/RtFilterTool.h"
#include "realtime/RtMessages.h"
#include "sound/RealtimeCodes.h"
#include "sound/engine/SoundMessages.h"
#include "sound/engine/SoundReports.h"
#include "sound/settings/MeasConditions.h"

#include <algorithm>
#include <complex>

namespace {

bool IsResponse(int display) {
    return display >= radiodisplay::Result && display <= radiodisplay::Individual;
}

} // namespace

CRadioTool::CRadioTool(CKymoDoc& doc, ISoundCard& card)
    : m_doc(doc), m_engine(std::make_unique<CRadioEngine>(card, doc)) {
    LoadRadioDefaults(m_s);
    doc.RebuildTwiddleTables();
    doc.ClearAccumulators();
    doc.m_nBitsPerSample = 16;
    doc.m_nRealUpdates = 0;
    doc.ProcessRealtime(realtime::kRadioWaterfallReset);
}

CRadioTool::~CRadioTool() {
    m_engine->StopRSound();
}

int CRadioTool::Rate() const {
    return RtRateOfIndex(m_nRateIndex);
}

void CRadioTool::SetRateIndex(int index) {
    m_nRateIndex = std::clamp(index, 0, kRtRateCount - 1);
}

bool CRadioTool::StopSound() {
    const bool running = m_engine->IsRunning();
    m_engine->StopRSound();
    return running;
}

void CRadioTool::ShowResponse() {
    const int n = m_doc.m_nPoints;
    if (n < 2 || n > static_cast<int>(m_doc.m_fRe.size())) return;
    CRadioModem& modem = m_engine->Modem();
    const double fs = Rate();
    std::vector<std::complex<double>> h(static_cast<std::size_t>(n / 2), 1.0);
    for (int f = 0; f < 2; ++f)
        for (int k = 0; k < (modem.Order(f) + 1) / 2; ++k)
            for (int j = 0; j < n / 2; ++j)
                h[j] *= StageBinResponse(modem.Table(f), k, false, fs, n, j);
    for (int j = 0; j < n / 2; ++j) {
        m_doc.m_fRe[j] = static_cast<float>(h[j].real());
        m_doc.m_fIm[j] = static_cast<float>(h[j].imag());
        m_doc.m_fRe[n - 1 - j] = m_doc.m_fRe[j];
        m_doc.m_fIm[n - 1 - j] = -m_doc.m_fIm[j];
    }
    if (m_panel.display == radiodisplay::Result) {
        m_doc.ProcessRealtime(realtime::kIirImpulse);
        return;
    }
    m_doc.m_StageTable = modem.Table(0);
    m_doc.m_nStageSource = 0;
    m_doc.m_bStageCumulative = m_panel.display == radiodisplay::Cumulative ? 1 : 0;
    m_doc.m_nStageCount = (modem.Order(0) + 1) / 2;
    m_doc.m_nStageShown = 1;
    m_doc.ProcessRealtime(realtime::kIirStages);
}

bool CRadioTool::OnStart() {
    IDocumentUi& ui = m_doc.Ui();
    StopSound();
    m_doc.m_nRealUpdates = 0;
    m_doc.ClearAccumulators();
    const int fs = Rate();
    m_doc.m_nMeasRate = RtMeasRateOfIndex(m_nRateIndex);
    m_doc.m_nSamplesPerSec = fs;
    m_doc.m_fDt = 1.0f / static_cast<float>(fs);
    const std::string failed = CheckRadioSettings(m_s, fs);
    if (!failed.empty()) {
        ui.ShowMessage(failed);
        return false;
    }
    CRadioModem& modem = m_engine->Modem();
    modem.SetOffsets(m_doc.m_fOffset16L * meas::kPercentTo16Bit,
                     m_doc.m_fOffset16R * meas::kPercentTo16Bit);
    if (!modem.Design(m_s, fs, ui)) return false;
    modem.SetPanel(m_panel);
    modem.Seed(m_seed);
    if (IsResponse(m_panel.display)) {
        ShowResponse();
        return false;
    }
    m_doc.RebuildTwiddleTables();
    m_engine->SetDisplay(m_panel.display);
    if (!m_engine->Start(fs)) {
        if (m_engine->OpenFailed()) ReportOpenFailure(ui, m_engine->Card());
        ui.ShowMessage(sndmsg::kFilterRunning);
        return false;
    }
    return true;
}

void CRadioTool::SetFlags(bool transmit, bool receive) {
    m_s.TrmFlg = transmit ? 1 : 0;
    m_s.RcvFlg = receive ? 1 : 0;
    const int count = static_cast<int>(ModeNames().size());
    m_s.m_mod = std::clamp(m_s.m_mod, 0, count - 1);
    if (!transmit && !receive) {
        m_s.m_mod = 0;
        m_panel.generator = false;
        StopSound();
    }
}

void CRadioTool::SetMode(int index) {
    m_s.m_mod = std::clamp(index, 0, static_cast<int>(ModeNames().size()) - 1);
}

void CRadioTool::SetPanel(const RadioPanel& p) {
    m_panel = p;
    m_engine->Modem().SetPanel(m_panel);
}

void CRadioTool::SetIqBalance(int amplitude, int phase) {
    m_s.IQ_BalSpin = std::clamp(amplitude, -radiolimits::kMaxBalance, radiolimits::kMaxBalance);
    m_panel.iqPhase = std::clamp(phase, -radiolimits::kMaxBalance, radiolimits::kMaxBalance);
    m_engine->Modem().SetBalance(m_s.IQ_BalSpin);
    m_engine->Modem().SetPanel(m_panel);
}

void CRadioTool::OnDefault() {
    LoadRadioDefaults(m_s);
    if (IsRunning()) OnStart();
}

bool CRadioTool::SetDisplay(int display) {
    display = std::clamp(display, radiodisplay::Result, radiodisplay::Off);
    if (!IsResponse(display) && display != radiodisplay::Off && !IsRunning()) {
        m_doc.Ui().ShowMessage(rtmsg::kStartBeforeChoosing);
        return false;
    }
    if (display == radiodisplay::Cumulative && IsRunning()) {
        StopSound();
        m_doc.Ui().ShowMessage(rtmsg::kSlowStopSelect);
    }
    m_panel.display = display;
    m_engine->SetDisplay(display);
    if (IsResponse(display) && !IsRunning()) OnStart();
    return true;
}

int CRadioTool::OnSave(const std::string& path) {
    if (!IsRunning()) {
        m_doc.Ui().ShowMessage(rtmsg::kNoCoefficients);
        return 0;
    }
    m_engine->SetMute(true);
    const int written = WriteRadioSettings(path, m_s, m_doc.Ui());
    m_engine->SetMute(false);
    return written;
}

int CRadioTool::OnLoad(const std::string& path) {
    if (StopSound()) m_doc.Ui().ShowMessage(radiomsg::kReadStops);
    if (!ReadRadioSettings(path, m_s, m_doc.Ui())) {
        m_doc.Ui().ShowMessage(radiomsg::kReadFailed);
        return 0;
    }
    return 1;
}

void CRadioTool::Close(bool reportIdle) {
    if (m_bClosed) return;
    m_bClosed = true;
    if (!StopSound() && reportIdle) m_doc.Ui().ShowMessage(rtmsg::kNoDsp);
    m_doc.ProcessRealtime(realtime::kRadioLinearStored);
    if (IsResponse(m_panel.display)) {
        m_doc.disp_mode1 = kind::FilterDesign;
        m_doc.disp_mode2 = present::FilterResponse;
    }
    m_doc.UpdateAllViews();
}
