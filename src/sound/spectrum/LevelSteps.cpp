#include "sound/spectrum/LevelSteps.h"

#include "document/CKymoDoc.h"

#include <algorithm>

namespace {
constexpr int kMaxTopLevelStep = 50;
constexpr int kMinDynamicRangeStep = 1, kMaxDynamicRangeStep = 50;
constexpr int kDbPerStep = 10;
} // namespace

void StepTopLevel(CKymoDoc& doc, int delta) {
    doc.m_nTopLevelStep =
        std::clamp(doc.m_nTopLevelStep + delta, -kMaxTopLevelStep, kMaxTopLevelStep);
    doc.m_nTopLevel = doc.m_nTopLevelStep * kDbPerStep;
}

void StepDynamicRange(CKymoDoc& doc, int delta) {
    doc.m_nDynamicRangeStep =
        std::clamp(doc.m_nDynamicRangeStep + delta, kMinDynamicRangeStep, kMaxDynamicRangeStep);
    doc.m_nDynamicRange = doc.m_nDynamicRangeStep * kDbPerStep;
}
