#include "tube/TubeAmpPanel.h"

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

namespace {
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
    : m_doc(doc), m_engine(std::make_unique<CTubeEngine>(card, doc)) {
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
    return SaveTubeFile(m_doc.Ui(), data);
}
