#include "sound/spectrum/TraceControls.h"

#include "document/CKymoDoc.h"
#include "document/ScopeDisplay.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMinRangeExp = -2, kMaxRangeExp = 9;
constexpr int kMaxPositionStep = 10;
constexpr int kFixedPosition = 50;
constexpr const char* kAbsent = "Non";
} // namespace

CTraceControls::CTraceControls(CKymoDoc& doc, ShownFn shown)
    : m_doc(doc), m_shown(std::move(shown)) {}

bool CTraceControls::FixedPositions() const {
    return m_doc.m_bFixedPositions != 0;
}

void CTraceControls::OnRangeSpin(int channel, int delta) {
    if (!Shown(channel)) return;
    int& exp = channel == 2 ? m_doc.m_nCh2RangeExp : m_doc.m_nCh1RangeExp;
    exp = std::clamp(exp + delta, kMinRangeExp, kMaxRangeExp);
    Apply();
}

void CTraceControls::OnPositionSpin(int channel, int delta) {
    if (!Shown(channel) || FixedPositions()) return;
    int& step = channel == 2 ? m_doc.m_nCh2PositionStep : m_doc.m_nCh1PositionStep;
    step = std::clamp(step + delta, -kMaxPositionStep, kMaxPositionStep);
    Apply();
}

void CTraceControls::OnFixedPositions(bool on) {
    m_doc.m_bFixedPositions = on ? 1 : 0;
    Apply();
}

void CTraceControls::Apply() {
    m_doc.m_fCh1Range = static_cast<float>(std::ldexp(1.0, m_doc.m_nCh1RangeExp));
    m_doc.m_fCh2Range = static_cast<float>(std::ldexp(1.0, m_doc.m_nCh2RangeExp));
    m_doc.m_nCh1Position = FixedPositions() ? kFixedPosition : m_doc.m_nCh1PositionStep * 10;
    m_doc.m_nCh2Position = FixedPositions() ? -kFixedPosition : m_doc.m_nCh2PositionStep * 10;
}

std::string CTraceControls::RangeText(int channel) const {
    if (!Shown(channel)) return kAbsent;
    return ScopeRangeText(channel == 2 ? m_doc.m_nCh2RangeExp : m_doc.m_nCh1RangeExp);
}

std::string CTraceControls::PositionText(int channel) const {
    if (!Shown(channel)) return kAbsent;
    if (FixedPositions()) return channel == 2 ? "Fix-" : "Fix+";
    return std::to_string((channel == 2 ? m_doc.m_nCh2PositionStep : m_doc.m_nCh1PositionStep) *
                          10);
}
