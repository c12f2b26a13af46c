#include "realtime/DisplayLevels.h"

#include "document/CKymoDoc.h"
#include "realtime/RtPanelSettings.h"

#include <algorithm>

void StepDisplayTop(CKymoDoc& doc, int delta) {
    doc.m_nTopLevel = std::clamp(doc.m_nTopLevel + rtpanel::kLevelStep * delta, rtpanel::kMinTop,
                                 rtpanel::kMaxTop);
    doc.UpdateAllViews();
}

void StepDisplayRange(CKymoDoc& doc, int delta) {
    doc.m_nDynamicRange = std::clamp(doc.m_nDynamicRange + rtpanel::kLevelStep * delta,
                                     rtpanel::kMinRange, rtpanel::kMaxRange);
    doc.UpdateAllViews();
}

std::string DisplayTopText(const CKymoDoc& doc) {
    return std::to_string(doc.m_nTopLevel);
}

std::string DisplayRangeText(const CKymoDoc& doc) {
    return std::to_string(doc.m_nDynamicRange);
}
