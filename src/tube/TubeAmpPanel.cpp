#include "tube/TubeAmpPanel.h"

#include "sound/spectrum/LevelSteps.h"

#include "document/CKymoDoc.h"
#include "document/DocumentUi.h"
#include "sound/RealtimeCodes.h"
#include "sound/engine/SoundCard.h"
#include "sound/engine/SoundReports.h"
#include "sound/settings/MeasConditions.h"
#include "tube/TubeBuiltins.h"
#include "tube/TubeChart.h"
#include "tube/TubeEngine.h"
#include "tube/TubeFile.h"
#include "tube/TubeMessages.h"
#include "tube/TubeValidation.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kMinSweep = 3, kMaxSweep = 6;
constexpr int kMaxErrorPercent = 10;
constexpr int kWidthTopLevelSteps = 10;
constexpr int kFramesAt96k = 8192;
constexpr int kFrames = 4096;
constexpr int kRate44100Index = 3;
} // namespace

int BeginTubeAmp(CKymoDoc& doc, ISoundCard* card) {
    IDocumentUi& ui = doc.Ui();
    WaveInCaps caps;
    if (!card || card->GetInDevCaps(caps) != mmres::NoError) {
        ReportNoSoundCard(ui);
        return 0;
    }
    if (doc.m_nMeasRate < kRate44100Index) {
        ui.ShowMessage(tubemsg::kRateTooLow);
        doc.m_nMeasRate = meas::kRate48000;
    }
    if (doc.m_nMeasBits == meas::kBits8) {
        ui.ShowMessage(tubemsg::kWidthTooLow);
        doc.m_nMeasBits = meas::kBits16;
    }
    return 1;
}

CTubeAmpPanel::CTubeAmpPanel(CKymoDoc& doc, ISoundCard& card)
    : m_doc(doc), m_trace(doc, [](int) { return true; }),
      m_engine(std::make_unique<CTubeEngine>(card, doc)) {
    m_trace.Apply();
    m_nWidthCode = doc.m_nMeasBits >= 1 && doc.m_nMeasBits <= 3 ? doc.m_nMeasBits : 1;
    if (doc.m_nMeasRate < kRate44100Index) doc.m_nMeasRate = meas::kRate48000;
    SelectDevice(0);
}

CTubeAmpPanel::~CTubeAmpPanel() {
    m_engine->StopRSound();
}

SoundDuplex& CTubeAmpPanel::Engine() {
    return *m_engine;
}

bool CTubeAmpPanel::IsRunning() const {
    return m_engine->IsRunning();
}

bool CTubeAmpPanel::IsThrough() const {
    return m_engine->Processor().Through();
}

int CTubeAmpPanel::Rate() const {
    return meas::RateOfIndex(m_doc.m_nMeasRate);
}

void CTubeAmpPanel::StopStream() {
    m_engine->StopRSound();
    m_doc.m_bRealBusy = 0;
}

void CTubeAmpPanel::TakeDevice(const TubeData& data, bool operating) {
    m_data = data;
    for (int t = 0; t < 2; ++t) {
        TubeSetup& s = m_settings.tube[t];
        s.supply = data.both[TubeData::Supply][t];
        s.load = data.both[TubeData::Load][t];
        s.current = data.both[TubeData::ConstCurrent][t];
        s.gridBias = data.both[TubeData::GridBias][t];
        s.cathodeBias = data.both[TubeData::CathodeBias][t];
    }
    if (!operating) return;
    const auto& o = data.ope;
    m_settings.circuit = o[TubeData::Circuit];
    m_settings.bias = o[TubeData::Bias];
    m_settings.tube[0].epError = o[TubeData::EpErrorUpper];
    m_settings.tube[1].epError = o[TubeData::EpErrorLower];
    m_settings.tube[0].ipError = o[TubeData::IpErrorUpper];
    m_settings.tube[1].ipError = o[TubeData::IpErrorLower];
    m_nSweep = o[TubeData::Sweep];
    m_nTrigger = o[TubeData::Trigger];
    m_doc.m_nMeasRate = o[TubeData::RateCode];
    m_nWidthCode = o[TubeData::WidthCode];
    m_engine->Processor().SetThrough(o[TubeData::Through] != 0);
}

bool CTubeAmpPanel::SelectDevice(int index, const std::string& path) {
    IDocumentUi& ui = m_doc.Ui();
    StopStream();
    m_bComputed = false;
    TubeData data;
    bool ok = false;
    if (index == tube::kMyTube) {
        std::string file = path;
        if (file.empty()) {
            const auto chosen = ui.AskOpenFileName("", tubemsg::kReadFilter);
            if (chosen) file = *chosen;
        }
        ok = !file.empty() && ReadTubeFile(ui, file, data) == 1;
    } else {
        ok = tube::BuiltinDevice(index, data);
    }
    ok = ok && ValidateTubeData(ui, data);
    bool operating = false;
    if (ok && index == tube::kMyTube) operating = ValidateTubeOperating(ui, data.ope);
    if (!ok) {
        ui.ShowMessage(tubemsg::kLoadFailed, MessageIcon::Error);
        return false;
    }
    m_nDevice = index;
    TakeDevice(data, operating);
    return true;
}

void CTubeAmpPanel::SetCircuit(int circuit) {
    if (IsRunning()) m_doc.Ui().ShowMessage(tubemsg::kMonitorStopped);
    StopStream();
    m_bComputed = false;
    m_settings.circuit = circuit;
    if (circuit == tube::kDifferential) m_settings.bias = tube::kBiasConstCurrent;
}

void CTubeAmpPanel::SetBias(int bias) {
    StopStream();
    m_bComputed = false;
    m_settings.bias = m_settings.circuit == tube::kDifferential ? tube::kBiasConstCurrent : bias;
}

bool CTubeAmpPanel::OnCompute() {
    IDocumentUi& ui = m_doc.Ui();
    StopStream();
    m_bComputed = false;
    const TubeSetup& up = m_settings.tube[0];
    if (!(up.current > 0.0) || !(up.load > 0.0) || !(m_settings.wanted > 0.0)) {
        ui.ShowMessage(tubemsg::kPositive, MessageIcon::Error);
        return false;
    }
    m_settings.rate = Rate();
    TubeAmpResult result;
    if (!ComputeTubeAmp(ui, m_data, m_settings, result)) return false;
    m_result = result;
    if (result.follower) {
        ui.ShowMessage(tubemsg::kFollower, MessageIcon::Warning);
        return false;
    }
    m_bComputed = true;
    m_engine->Processor().SetModel(result.model);
    auto chart = std::make_shared<TubeChart>();
    chart->data = m_data;
    chart->settings = m_settings;
    chart->result = result;
    m_doc.m_pTubeChart = std::move(chart);
    m_doc.m_bRealBusy = 1;
    m_doc.ProcessRealtime(realtime::kTubeCurves);
    return true;
}

bool CTubeAmpPanel::OnStart() {
    IDocumentUi& ui = m_doc.Ui();
    if (IsRunning()) {
        ui.ShowMessage(tubemsg::kRunning);
        return false;
    }
    if (!m_bComputed) {
        ui.ShowMessage(tubemsg::kNoPower);
        return false;
    }
    const int rate = Rate();
    const int frames = rate >= 96000 ? kFramesAt96k : kFrames;
    m_doc.m_nPoints = frames;
    m_doc.m_fDt = 1.0f / static_cast<float>(rate);
    m_engine->SetWidthCode(m_nWidthCode);
    m_engine->Processor().SetOffsets(m_doc.m_fOffset16L, m_doc.m_fOffset16R);
    m_engine->SetIntervalTenths(m_doc.m_nIntervalTenths);
    if (!m_engine->initRSound(rate, m_nWidthCode, 2, frames)) {
        if (m_engine->OpenFailed())
            ReportOpenFailure(ui, m_engine->Card());
        else
            ui.ShowMessage(tubemsg::kInitFailed);
        return false;
    }
    if (!m_engine->StartRSound()) {
        ui.ShowMessage(tubemsg::kRunning);
        return false;
    }
    return true;
}

void CTubeAmpPanel::OnStop() {
    if (!m_engine->StopRSound()) m_doc.Ui().ShowMessage(tubemsg::kNotRunning);
    m_doc.m_bRealBusy = 0;
}

void CTubeAmpPanel::Close() {
    StopStream();
    m_doc.m_nMeasBits = m_nWidthCode;
}

void CTubeAmpPanel::OnThrough() {
    CTubeProcessor& p = m_engine->Processor();
    p.SetThrough(!p.Through());
}

int CTubeAmpPanel::OnSave() {
    StopStream();
    m_bComputed = false;
    TubeData data = m_data;
    for (int t = 0; t < 2; ++t) {
        const TubeSetup& s = m_settings.tube[t];
        data.both[TubeData::Supply][t] = static_cast<float>(s.supply);
        data.both[TubeData::Load][t] = static_cast<float>(s.load);
        data.both[TubeData::ConstCurrent][t] = static_cast<float>(s.current);
        data.both[TubeData::GridBias][t] = static_cast<float>(s.gridBias);
        data.both[TubeData::CathodeBias][t] = static_cast<float>(s.cathodeBias);
    }
    auto& o = data.ope;
    o[TubeData::RateCode] = m_doc.m_nMeasRate;
    o[TubeData::WidthCode] = m_nWidthCode;
    o[TubeData::Through] = IsThrough() ? 1 : 0;
    o[TubeData::Circuit] = m_settings.circuit;
    o[TubeData::Bias] = m_settings.bias;
    o[TubeData::EpErrorUpper] = static_cast<int>(m_settings.tube[0].epError);
    o[TubeData::EpErrorLower] = static_cast<int>(m_settings.tube[1].epError);
    o[TubeData::IpErrorUpper] = static_cast<int>(m_settings.tube[0].ipError);
    o[TubeData::IpErrorLower] = static_cast<int>(m_settings.tube[1].ipError);
    o[TubeData::Sweep] = m_nSweep;
    o[TubeData::Trigger] = m_nTrigger;
    return SaveTubeFile(m_doc.Ui(), data);
}

void CTubeAmpPanel::OnRateButton() {
    StopStream();
    m_bComputed = false;
    m_doc.m_nMeasRate = m_doc.m_nMeasRate == meas::kRate48000  ? meas::kRate48000 + 1
                        : m_doc.m_nMeasRate == kRate44100Index ? meas::kRate48000
                                                               : kRate44100Index;
}

void CTubeAmpPanel::OnWidthButton() {
    StopStream();
    if (m_nWidthCode == 1) StepTopLevel(m_doc, kWidthTopLevelSteps);
    if (m_nWidthCode == 3) StepTopLevel(m_doc, -kWidthTopLevelSteps);
    m_nWidthCode = m_nWidthCode % 3 + 1;
}

void CTubeAmpPanel::OnErrorSpin(int which, int tube, int delta) {
    TubeSetup& s = m_settings.tube[tube == 0 ? 0 : 1];
    double& error = which == 0 ? s.epError : s.ipError;
    error = std::clamp(error - delta, -static_cast<double>(kMaxErrorPercent),
                       static_cast<double>(kMaxErrorPercent));
    m_bComputed = false;
}

void CTubeAmpPanel::OnSweepSpin(int delta) {
    m_nSweep = std::clamp(m_nSweep + delta, kMinSweep, kMaxSweep);
}

void CTubeAmpPanel::OnTrigger() {
    m_nTrigger = m_nTrigger ? 0 : 1;
}

std::string CTubeAmpPanel::RateText() const {
    const int rate = Rate();
    return rate == 44100 ? "Fs=44.1kHz" : rate == 48000 ? "Fs=48kHz" : "Fs=96kHz";
}

std::string CTubeAmpPanel::WidthText() const {
    return m_nWidthCode == 1 ? "Bit=16" : m_nWidthCode == 2 ? "Bit=24" : "Bit=32";
}

std::string CTubeAmpPanel::SweepText() const {
    static const char* const kTexts[] = {"0.5ms/div", "1ms/div", "2ms/div", "5ms/div"};
    return kTexts[std::clamp(m_nSweep, kMinSweep, kMaxSweep) - kMinSweep];
}

std::vector<std::string> CTubeAmpPanel::BiasChoices() const {
    if (m_settings.circuit == tube::kDifferential) return {"定電流"};
    return {"定電流ﾊﾞｲｱｽ+C", "ｸﾞﾘｯﾄﾞﾊﾞｲｱｽ", "ｶｿｰﾄﾞﾊﾞｲｱｽ", "ｶｿｰﾄﾞﾊﾞｲｱｽ+C"};
}

std::string CTubeAmpPanel::BiasLabel() const {
    switch (m_settings.bias) {
    case tube::kBiasGrid:
        return "Gﾊﾞｲｱｽ電圧(V/球)";
    case tube::kBiasCathode:
    case tube::kBiasCathodeC:
        return "Cﾊﾞｲｱｽ電圧(V/球)";
    default:
        return "設定電流(mA/球)";
    }
}

double CTubeAmpPanel::BiasValue(int t) const {
    const TubeSetup& s = m_settings.tube[t == 0 ? 0 : 1];
    switch (m_settings.bias) {
    case tube::kBiasGrid:
        return s.gridBias;
    case tube::kBiasCathode:
    case tube::kBiasCathodeC:
        return s.cathodeBias;
    default:
        return s.current;
    }
}

void CTubeAmpPanel::SetBiasValue(int t, double value) {
    TubeSetup& s = m_settings.tube[t == 0 ? 0 : 1];
    switch (m_settings.bias) {
    case tube::kBiasGrid:
        s.gridBias = value;
        break;
    case tube::kBiasCathode:
    case tube::kBiasCathodeC:
        s.cathodeBias = value;
        break;
    default:
        s.current = value;
        break;
    }
}

std::string CTubeAmpPanel::ResultLabel() const {
    return m_settings.bias == tube::kBiasCathode || m_settings.bias == tube::kBiasCathodeC
               ? "ｶｿｰﾄﾞ抵抗値"
               : "ｶｿｰﾄﾞ電流値";
}

std::string CTubeAmpPanel::ResultText(int t) const {
    if (!m_bComputed || (t != 0 && m_settings.circuit == tube::kSingle)) return {};
    const TubeSolution& s = m_result.tube[t == 0 ? 0 : 1];
    char text[32];
    if (m_settings.bias == tube::kBiasCathode || m_settings.bias == tube::kBiasCathodeC) {
        if (s.cathodeR >= 1.0)
            std::snprintf(text, sizeof text, "%.1fkΩ", s.cathodeR);
        else
            std::snprintf(text, sizeof text, "%.1fΩ", s.cathodeR * 1000.0);
    } else if (s.iq >= 1.0) {
        std::snprintf(text, sizeof text, "%.1fmA", s.iq);
    } else {
        std::snprintf(text, sizeof text, "%.1fμA", s.iq * 1000.0);
    }
    return text;
}
