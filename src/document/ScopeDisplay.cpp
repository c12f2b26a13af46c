#include "document/ScopeDisplay.h"

#include <cmath>

void ScopeDisplay::Derive() {
    m_fRange1 = std::ldexp(1.0f, m_nRangeExp1);
    m_fRange2 = std::ldexp(1.0f, m_nRangeExp2);
    m_nPosition1 = 10 * m_nPosStep1;
    m_nPosition2 = 10 * m_nPosStep2;
}
