#include "document/ScopeDisplay.h"

#include "document/CKymoDoc.h"

#include <algorithm>
#include <cmath>

bool ScopeDisplay::IsValid() const {
    auto inRange = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    return inRange(m_nRangeExp1, kRangeExpMin, kRangeExpMax) &&
           inRange(m_nRangeExp2, kRangeExpMin, kRangeExpMax) &&
           inRange(m_nPosStep1, kPosStepMin, kPosStepMax) &&
           inRange(m_nPosStep2, kPosStepMin, kPosStepMax);
}

void ScopeDisplay::Derive() {
    m_fRange1 = std::ldexp(1.0f, m_nRangeExp1);
    m_fRange2 = std::ldexp(1.0f, m_nRangeExp2);
    m_nPosition1 = 10 * m_nPosStep1;
    m_nPosition2 = 10 * m_nPosStep2;
}

void ApplyScopeDisplay(CKymoDoc& doc, const ScopeDisplay& display, int xy) {
    doc.m_scope = display;
    doc.m_scope.Derive();
    doc.m_bScopeXY = xy;
    doc.UpdateAllViews();
}

std::string ScopeRangeText(int exponent) {
    if (exponent == -2) return "0.25";
    if (exponent == -1) return "0.5";
    return std::to_string(1L << std::max(0, exponent));
}
