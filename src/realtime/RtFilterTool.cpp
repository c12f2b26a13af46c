#include "realtime/RtFilterTool.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "dsp/FloatToInt.h"
#include "dsp/WindowKinds.h"
#include "realtime/DisplayLevels.h"
#include "realtime/LineOutMode.h"
#include "realtime/RtMessages.h"
#include "sound/engine/SoundMessages.h"
#include "sound/engine/SoundReports.h"
#include "sound/settings/MeasConditions.h"

#include <algorithm>
#include <cmath>
#include <ctime>

int RtRateOfIndex(int index) {
    switch (index) {
    case 0:
        return 44100;
    case 2:
        return 96000;
    default:
        return 48000;
    }
}

int RtMeasRateOfIndex(int index) {
    return meas::IndexOfRate(RtRateOfIndex(index));
}

CRtFilterTool::CRtFilterTool(CKymoDoc& doc, ISoundCard& card, RtFilterKind kind)
    : m_doc(doc), m_engine(std::make_unique<CRtFilterEngine>(card, doc, kind)),
      m_panel(doc.m_RtPanel), m_nSavedMeasRate(doc.m_nMeasRate) {
    const int n = std::min(doc.m_nPoints, static_cast<int>(doc.m_fWindow.size()));
    doc.MakeWindow(0, 0, wnd::Kaiser, n);
    doc.RebuildTwiddleTables();
    doc.ClearAccumulators();
    doc.m_nBitsPerSample = 16;
    doc.m_nRealUpdates = 0;
    doc.m_nTopLevel = m_panel.monitorTop;
    doc.m_nDynamicRange = m_panel.monitorRange;
}

CRtFilterTool::~CRtFilterTool() {
    m_engine->StopRSound();
}

void CRtFilterTool::SetRateIndex(int index) {
    m_nRateIndex = std::clamp(index, 0, kRtRateCount - 1);
}

bool CRtFilterTool::StopSound() {
    const bool running = m_engine->IsRunning();
    if (m_engine->HandedOver() > 0) m_bHandedOver = true;
    m_engine->StopRSound();
    if (running) OnSoundStopped();
    return running;
}

void CRtFilterTool::ApplyPanel() {
    m_engine->SetChannelMode(ChannelMode());
    m_engine->SetGenerator(m_panel.generator, std::pow(10.0, -0.05 * m_panel.levelPos));
    m_engine->SetOutputStage(m_panel.lineOut, LineOutGain(m_panel.gainFixed ? 0 : m_panel.gainDb));
}

bool CRtFilterTool::OnStart() {
    IDocumentUi& ui = m_doc.Ui();
    StopSound();
    m_doc.m_nRealUpdates = 0;
    m_doc.ClearAccumulators();
    const int fs = Rate();
    m_doc.m_nMeasRate = RtMeasRateOfIndex(m_nRateIndex);
    m_doc.m_nSamplesPerSec = fs;
    m_doc.m_fDt = 1.0f / static_cast<float>(fs);
    m_engine->SetOffsets(m_doc.m_fOffset16L * meas::kPercentTo16Bit,
                         m_doc.m_fOffset16R * meas::kPercentTo16Bit);
    m_engine->SeedGenerator(static_cast<std::uint32_t>(std::time(nullptr)));
    if (!Design(fs)) return false;
    AfterDesign();
    ApplyPanel();
    if (!m_engine->Start(fs)) {
        if (m_engine->OpenFailed()) ReportOpenFailure(ui, m_engine->Card());
        ui.ShowMessage(sndmsg::kFilterRunning);
        return false;
    }
    return true;
}

void CRtFilterTool::Restart() {
    if (IsRunning()) OnStart();
}

void CRtFilterTool::OnRate() {
    m_nRateIndex = (m_nRateIndex + 1) % kRtRateCount;
    Restart();
}

void CRtFilterTool::OnRateIndex(int index) {
    SetRateIndex(index);
    Restart();
}

void CRtFilterTool::SetSource(bool generator) {
    m_panel.generator = generator;
    ApplyPanel();
}

void CRtFilterTool::SetLevel(int position) {
    m_panel.levelPos = std::clamp(position, 0, rtpanel::kMaxLevelPos);
    ApplyPanel();
}

void CRtFilterTool::SetChannel(int index) {
    m_panel.channelIndex = std::clamp(index, 0, 3);
    ApplyPanel();
}

void CRtFilterTool::SetLineOut(int mode) {
    m_panel.lineOut = std::clamp(mode, 0, lineout::Count - 1);
    ApplyPanel();
}

void CRtFilterTool::SetGain(int gainDb) {
    m_panel.gainDb = std::clamp(gainDb, rtpanel::kMinGainDb, rtpanel::kMaxGainDb);
    ApplyPanel();
}

void CRtFilterTool::SetGainFixed(bool fixed) {
    m_panel.gainFixed = fixed;
    ApplyPanel();
}

void CRtFilterTool::OnTopLevelSpin(int delta) {
    StepDisplayTop(m_doc, delta);
}

void CRtFilterTool::OnRangeSpin(int delta) {
    StepDisplayRange(m_doc, delta);
}

std::string CRtFilterTool::TopLevelText() const {
    return DisplayTopText(m_doc);
}

std::string CRtFilterTool::RangeText() const {
    return DisplayRangeText(m_doc);
}

int CRtFilterTool::LoadPercent() const {
    const double load = m_engine->LoadPercent();
    return std::isnan(load) ? 150 : SaturateToRange(load, 0, 150);
}

void CRtFilterTool::SwapLevels(bool toDesign) {
    if (toDesign == m_bDesignLevels) return;
    int& keepTop = m_bDesignLevels ? m_panel.designTop : m_panel.monitorTop;
    int& keepRange = m_bDesignLevels ? m_panel.designRange : m_panel.monitorRange;
    keepTop = m_doc.m_nTopLevel;
    keepRange = m_doc.m_nDynamicRange;
    m_bDesignLevels = toDesign;
    m_doc.m_nTopLevel = toDesign ? m_panel.designTop : m_panel.monitorTop;
    m_doc.m_nDynamicRange = toDesign ? m_panel.designRange : m_panel.monitorRange;
}

void CRtFilterTool::Close(bool reportIdle) {
    if (m_bClosed) return;
    m_bClosed = true;
    if (!StopSound() && reportIdle) m_doc.Ui().ShowMessage(rtmsg::kNoDsp);
    BeforeClose();
    (m_bDesignLevels ? m_panel.designTop : m_panel.monitorTop) = m_doc.m_nTopLevel;
    (m_bDesignLevels ? m_panel.designRange : m_panel.monitorRange) = m_doc.m_nDynamicRange;
    m_doc.m_RtPanel = m_panel;
    RestoreRate();
    SettleDocument();
}

void CRtFilterTool::RestoreRate() {
    m_doc.m_nMeasRate = m_nSavedMeasRate;
}

void CRtFilterTool::SettleDocument() {
    if (HandedOver() && m_doc.disp_mode1 == kind::RtFilterRunning) {
        m_doc.disp_mode1 = kind::RtFilterClosed;
        m_doc.disp_mode3 = chan::Both;
    } else if (!HandedOver()) {
        m_doc.disp_mode1 = kind::None;
    }
    m_doc.ReleaseWaveImage();
    m_doc.UpdateAllViews();
}

void CRtFilterTool::SettleIirDocument() {
    int& k = m_doc.disp_mode1;
    if (k == kind::RtFilterRunning || k == kind::RadioRunning) {
        k = k == kind::RtFilterRunning ? kind::RtFilterClosed : kind::RadioLinear;
        m_doc.disp_mode3 = chan::Both;
    } else if (!HandedOver() && k != kind::Transfer && k != kind::FilterDesign &&
               k != kind::FilterStages) {
        k = kind::None;
    }
    m_doc.ReleaseWaveImage();
    m_doc.UpdateAllViews();
}
