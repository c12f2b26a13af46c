#include "sound/scope/ScopeControls.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "filters/PcmFilters.h"
#include "sound/engine/SoundMessages.h"
#include "sound/scope/ScopeMessages.h"
#include "sound/scope/ScopeSweeps.h"
#include "sound/settings/MeasConditions.h"
#include "sound/settings/MeasMessages.h"

#include <algorithm>

namespace {
constexpr int kMaxLevelStep = 10;
constexpr int kMaxDelayStep = 20;
constexpr int kDelayPercentPerStep = 5;
constexpr int kCaptureHead = 44;
} // namespace

CScopeControls::CScopeControls(CKymoDoc& doc, std::unique_ptr<CScopeDuplex> engine)
    : m_doc(doc), m_trace(doc,
                          [this](int channel) {
                              return channel == 2 ? m_doc.m_bScopeCh2 != 0 : m_doc.m_bScopeCh1 != 0;
                          }),
      m_engine(std::move(engine)) {
    m_trace.Apply();
    UpdateTrigger();
}

CScopeControls::~CScopeControls() {
    m_engine->StopRSound();
}

int CScopeControls::Rate() const {
    return m_doc.m_nSamplesPerSec;
}

int CScopeControls::LevelPercent() const {
    return m_doc.m_bTrigFixedZero ? 0 : 10 * m_doc.m_nTrigLevelStep;
}

int CScopeControls::DelayPercent() const {
    return kDelayPercentPerStep * m_doc.m_nTrigDelayStep;
}

int CScopeControls::ChannelMode() const {
    if (m_doc.m_bScopeCh1 && m_doc.m_bScopeCh2) return chmode::Both;
    return m_doc.m_bScopeCh2 ? chmode::Ch2 : chmode::Ch1;
}

void CScopeControls::SetRate(int rate) {
    m_doc.SetWaveFormat(kCaptureHead, rate, 16, 1, 0);
    m_doc.m_nBitsPerSample = 16;
    m_doc.m_nMeasRate = meas::IndexOfRate(rate);
    m_doc.m_fDt = 1.0f / static_cast<float>(rate);
}

void CScopeControls::ReportRingFailure() {
    m_doc.Ui().ShowMessage(sndmsg::kAllocFailed, MessageIcon::Error);
}

bool CScopeControls::OnStart() {
    if (IsRunning()) {
        m_doc.Ui().ShowMessage(sndmsg::kMeasuring);
        return false;
    }
    return StartRun(false);
}

bool CScopeControls::StartRun(bool single) {
    if (!BeforeStart()) return false;
    m_doc.m_nRealUpdates = 0;
    m_doc.m_bRealBusy = 0;
    const int over = Over();
    const int rate = Rate();
    const int bufferFrames = scope::BufferFrames(rate);
    m_doc.m_nPoints = scope::SweepFrames(m_doc.m_nScopeSweep, rate, over);
    UpdateTrigger();
    if (!m_engine->Arm(m_doc.m_nPoints, over, bufferFrames, Trigger(), ChannelMode())) {
        ReportRingFailure();
        return false;
    }
    m_engine->SetXY(m_doc.m_bScopeXY != 0);
    m_engine->SetSinglePending(single);
    if (!StartDevices(bufferFrames)) {
        m_engine->Disarm();
        return false;
    }
    m_bMeasured = true;
    return true;
}

void CScopeControls::Stop() {
    m_engine->StopRSound();
    m_engine->Disarm();
}

void CScopeControls::Restart() {
    if (!IsRunning()) return;
    Stop();
    StartRun(false);
}

void CScopeControls::OnDisp() {
    if (!m_engine->StopRSound()) m_doc.Ui().ShowMessage(sndmsg::kNotMeasuring);
    m_engine->Disarm();
}

void CScopeControls::Close() {
    Stop();
}

int CScopeControls::OnSave() {
    if (!m_bMeasured) {
        m_doc.Ui().ShowMessage(measmsg::kNotMeasured);
        return 0;
    }
    Stop();
    // The sweep as drawn: N D points at the interpolated rate, with the display values.
    const int points = m_doc.m_nPoints;
    const float dt = m_doc.m_fDt;
    const ScopeDisplay display = m_doc.m_scope;
    const int over = std::max(1, m_doc.m_nScopeOver);
    m_doc.m_nPoints = points * over;
    m_doc.m_fDt = dt / static_cast<float>(over);
    m_doc.m_scope.m_nRangeExp1 = m_doc.m_nCh1RangeExp;
    m_doc.m_scope.m_nRangeExp2 = m_doc.m_nCh2RangeExp;
    m_doc.m_scope.m_nPosStep1 = m_doc.m_bFixedPositions ? 5 : m_doc.m_nCh1PositionStep;
    m_doc.m_scope.m_nPosStep2 = m_doc.m_bFixedPositions ? -5 : m_doc.m_nCh2PositionStep;
    m_doc.m_scope.Derive();
    const int written = m_doc.SaveLiveResult();
    m_doc.m_nPoints = points;
    m_doc.m_fDt = dt;
    m_doc.m_scope = display;
    return written;
}

void CScopeControls::OnRate() {
    SetRate(scope::NextRate(Rate()));
    m_doc.m_nPoints = scope::SweepFrames(m_doc.m_nScopeSweep, Rate(), Over());
    Restart();
}

void CScopeControls::OnSweepSpin(int delta) {
    m_doc.m_nScopeSweep =
        std::clamp(m_doc.m_nScopeSweep - delta, scope::kMinSweep, scope::kMaxSweep);
    m_doc.m_nPoints = scope::SweepFrames(m_doc.m_nScopeSweep, Rate(), Over());
    Restart();
}

void CScopeControls::OnChannelSelect(int channel, bool on) {
    int& flag = channel == 2 ? m_doc.m_bScopeCh2 : m_doc.m_bScopeCh1;
    const int other = channel == 2 ? m_doc.m_bScopeCh1 : m_doc.m_bScopeCh2;
    if (!on) {
        if (!flag) return;
        if (!other) {
            m_doc.Ui().ShowMessage(scopemsg::kSelectAny);
            return;
        }
        if (m_doc.m_bScopeXY) {
            m_doc.Ui().ShowMessage(scopemsg::kXYKeepsBoth);
            return;
        }
        flag = 0;
        if (m_doc.m_nTrigCh == channel - 1) m_doc.m_nTrigCh = channel == 2 ? 0 : 1;
    } else {
        flag = 1;
    }
    m_engine->SetChannelMode(ChannelMode());
    UpdateTrigger();
}

void CScopeControls::OnXY(bool on) {
    if (on && !m_doc.m_bScopeCh1) {
        m_doc.Ui().ShowMessage(scopemsg::kSelectCh1);
        return;
    }
    if (on && !m_doc.m_bScopeCh2) {
        m_doc.Ui().ShowMessage(scopemsg::kSelectCh2);
        return;
    }
    m_doc.m_bScopeXY = on ? 1 : 0;
    m_engine->SetXY(on);
}

void CScopeControls::UpdateTrigger() {
    const int exp = m_doc.m_nTrigCh == 1 ? m_doc.m_nCh2RangeExp : m_doc.m_nCh1RangeExp;
    m_doc.m_nTrigLevel = scope::TriggerLevel(LevelPercent(), exp);
    m_engine->SetTrigger(Trigger());
}

ScopeTrigger CScopeControls::Trigger() const {
    ScopeTrigger trigger;
    trigger.level = m_doc.m_nTrigLevel;
    trigger.channel = m_doc.m_nTrigCh;
    trigger.slope = m_doc.m_nTrigSlope;
    trigger.mode = m_doc.m_nTrigMode;
    trigger.delayPercent = DelayPercent();
    return trigger;
}

void CScopeControls::OnTrigLevelSpin(int delta) {
    if (m_doc.m_bTrigFixedZero) return;
    m_doc.m_nTrigLevelStep =
        std::clamp(m_doc.m_nTrigLevelStep + delta, -kMaxLevelStep, kMaxLevelStep);
    UpdateTrigger();
}

void CScopeControls::OnTrigFixedZero(bool on) {
    m_doc.m_bTrigFixedZero = on ? 1 : 0;
    UpdateTrigger();
}

void CScopeControls::OnTrigChannel(int channel) {
    const bool shown = channel == 2 ? m_doc.m_bScopeCh2 != 0 : m_doc.m_bScopeCh1 != 0;
    if (!shown) channel = channel == 2 ? 1 : 2;
    m_doc.m_nTrigCh = channel - 1;
    UpdateTrigger();
}

void CScopeControls::OnSlope(int slope) {
    m_doc.m_nTrigSlope = slope == 1 ? 1 : 0;
    UpdateTrigger();
}

void CScopeControls::OnTrigMode(int mode) {
    m_doc.m_nTrigMode = mode == 1 ? 1 : 0;
    UpdateTrigger();
}

void CScopeControls::OnDelaySpin(int delta) {
    m_doc.m_nTrigDelayStep = std::clamp(m_doc.m_nTrigDelayStep + delta, 0, kMaxDelayStep);
    Restart();
}

void CScopeControls::OnRangeSpin(int channel, int delta) {
    m_trace.OnRangeSpin(channel, delta);
    UpdateTrigger();
}

void CScopeControls::OnPositionSpin(int channel, int delta) {
    m_trace.OnPositionSpin(channel, delta);
}

void CScopeControls::OnFixedPositions(bool on) {
    m_trace.OnFixedPositions(on);
}

std::string CScopeControls::SweepText() const {
    return scope::SweepText(m_doc.m_nScopeSweep);
}

std::string CScopeControls::RateText() const {
    return scope::RateButtonText(Rate());
}

std::string CScopeControls::TrigLevelText() const {
    return std::to_string(LevelPercent());
}

std::string CScopeControls::DelayText() const {
    return std::to_string(DelayPercent());
}
