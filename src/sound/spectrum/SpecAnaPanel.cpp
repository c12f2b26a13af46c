#include "sound/spectrum/SpecAnaPanel.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "sound/RealtimeCodes.h"
#include "sound/engine/SoundMessages.h"
#include "sound/engine/SoundReports.h"
#include "sound/settings/MeasConditions.h"
#include "sound/settings/MeasMessages.h"
#include "sound/spectrum/LevelSteps.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr int kMaxIntervalTenths = 20;
} // namespace

CSpecAnaPanel::CSpecAnaPanel(CKymoDoc& doc, ISoundCard& card)
    : CSpecAnaPanel(doc, std::make_unique<SoundDuplex>(card, doc)) {}

CSpecAnaPanel::CSpecAnaPanel(CKymoDoc& doc, std::unique_ptr<SoundDuplex> engine)
    : m_doc(doc), m_trace(doc, [this](int channel) { return channel == 1 || IsStereo(); }),
      m_engine(std::move(engine)) {
    m_engine->SetVariant(SoundVariant::BlockSized);
    m_engine->SetRequestCode(realtime::kSpectrum);
    ApplyToDocument();
}

CSpecAnaPanel::~CSpecAnaPanel() {
    m_engine->StopRSound();
}

bool CSpecAnaPanel::IsStereo() const {
    return m_doc.m_nMeasCh != meas::kMono;
}

bool CSpecAnaPanel::FixedPositions() const {
    return m_trace.FixedPositions();
}

bool CSpecAnaPanel::OnStart() {
    IDocumentUi& ui = m_doc.Ui();
    if (IsRunning()) {
        ui.ShowMessage(sndmsg::kMeasuring);
        return false;
    }
    m_doc.m_nRealUpdates = 0;
    m_doc.ClearAccumulators();
    const int rate = meas::RateOfIndex(m_doc.m_nMeasRate);
    const int bits = m_doc.m_nMeasBits == meas::kBits8 ? 8 : 16;
    const int channels = IsStereo() ? 2 : 1;
    m_engine->SetAnalysisSize(m_doc.m_nPow, -m_doc.m_nDownExp);
    m_engine->SetIntervalTenths(m_doc.m_nIntervalTenths);
    if (!m_engine->initRSound(rate, bits, channels, EngineLength())) {
        if (m_engine->OpenFailed()) ReportOpenFailure(ui, m_engine->Card());
        return false;
    }
    if (!m_engine->StartRSound()) {
        ui.ShowMessage(sndmsg::kMeasuring);
        return false;
    }
    m_bMeasured = true;
    return true;
}

int CSpecAnaPanel::EngineLength() const {
    return m_doc.CaptureFrames();
}

void CSpecAnaPanel::OnDisp() {
    if (!m_engine->StopRSound()) m_doc.Ui().ShowMessage(sndmsg::kNotMeasuring);
}

void CSpecAnaPanel::Close() {
    m_engine->StopRSound();
    ApplyToDocument();
}

void CSpecAnaPanel::OnAverage() {
    m_doc.m_bAveraging = m_doc.m_bAveraging ? 0 : 1;
    if (m_doc.m_bAveraging) m_doc.ClearAccumulators();
    m_doc.m_nRealUpdates = 0;
}

int CSpecAnaPanel::OnSave() {
    if (!m_bMeasured) {
        m_doc.Ui().ShowMessage(measmsg::kNotMeasured);
        return 0;
    }
    m_engine->StopRSound();
    return m_doc.SaveLiveResult();
}

void CSpecAnaPanel::OnFixedPositions(bool on) {
    m_trace.OnFixedPositions(on);
}

void CSpecAnaPanel::OnIntervalSpin(int delta) {
    m_doc.m_nIntervalTenths = std::clamp(m_doc.m_nIntervalTenths + delta, 0, kMaxIntervalTenths);
    m_engine->SetIntervalTenths(m_doc.m_nIntervalTenths);
}

void CSpecAnaPanel::OnRangeSpin(int channel, int delta) {
    m_trace.OnRangeSpin(channel, delta);
}

void CSpecAnaPanel::OnPositionSpin(int channel, int delta) {
    m_trace.OnPositionSpin(channel, delta);
}

void CSpecAnaPanel::OnTopLevelSpin(int delta) {
    StepTopLevel(m_doc, delta);
}

void CSpecAnaPanel::OnDynamicRangeSpin(int delta) {
    StepDynamicRange(m_doc, delta);
}

void CSpecAnaPanel::ApplyToDocument() {
    m_trace.Apply();
    m_doc.m_nTopLevel = m_doc.m_nTopLevelStep * 10;
    m_doc.m_nDynamicRange = m_doc.m_nDynamicRangeStep * 10;
}

std::string CSpecAnaPanel::MagnificationText(int exp) {
    if (exp == -2) return "0.25";
    if (exp == -1) return "0.5";
    return std::to_string(1 << std::clamp(exp, 0, 30));
}

std::string CSpecAnaPanel::IntervalText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", m_doc.m_nIntervalTenths * 0.1);
    return text;
}

std::string CSpecAnaPanel::RangeText(int channel) const {
    return m_trace.RangeText(channel);
}

std::string CSpecAnaPanel::PositionText(int channel) const {
    return m_trace.PositionText(channel);
}

std::string CSpecAnaPanel::TopLevelText() const {
    return std::to_string(m_doc.m_nTopLevelStep * 10);
}

std::string CSpecAnaPanel::DynamicRangeText() const {
    return std::to_string(m_doc.m_nDynamicRangeStep * 10);
}
