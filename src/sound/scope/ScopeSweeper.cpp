#include "sound/scope/ScopeSweeper.h"

#include <algorithm>
#include <cmath>
#include <new>

bool CScopeSweeper::Begin(int sweepFrames, int over, int blockFrames, const ScopeTrigger& trig) {
    End();
    if (sweepFrames <= 0 || over <= 0 || blockFrames <= 0) return false;
    m_trig = trig;
    m_nE = blockFrames;
    m_nLength = sweepFrames * over;
    m_nSlots = std::max(kMinSlots, (m_nLength + m_nE - 1) / m_nE + 3);
    try {
        m_ring.assign(2 * static_cast<std::size_t>(m_nSlots) * m_nE, 0);
    } catch (const std::bad_alloc&) {
        m_ring.clear();
        return false;
    }
    m_nSlot = 0;
    m_nF = m_nLength / m_nE;
    m_nFreeCount = m_nF;
    const double delay = std::clamp(trig.delayPercent, 0, 100) / 100.0;
    m_nG = static_cast<int>((1.0 - delay) * m_nLength);
    m_nP = m_nG - m_nLength;
    m_nWait = m_nG / m_nE;
    m_nHold = -(m_nP / m_nE);
    m_nAuto = m_nLength / m_nE;
    m_bTrigFound = false;
    m_bAutoFire = false;
    m_nLast = 0;
    m_nTrigPos = 0;
    return true;
}

void CScopeSweeper::SetTrigger(const ScopeTrigger& trigger) {
    const int delay = m_trig.delayPercent;
    m_trig = trigger;
    m_trig.delayPercent = delay;
}

void CScopeSweeper::End() {
    std::vector<std::int16_t>().swap(m_ring);
}

void CScopeSweeper::CopySweep(long long start, float* wave1, float* wave2, float offset1,
                              float offset2) {
    const long long total = static_cast<long long>(m_nSlots) * m_nE;
    long long at = ((start % total) + total) % total;
    for (int i = 0; i < m_nLength; ++i) {
        wave1[i] = static_cast<float>(m_ring[2 * at]) - offset1;
        wave2[i] = static_cast<float>(m_ring[2 * at + 1]) - offset2;
        if (++at == total) at = 0;
    }
}

bool CScopeSweeper::Scan(float& trigFrac) {
    const std::int16_t* slot = CurrentSlot();
    const int level = m_trig.level;
    const int ch = m_trig.channel == 1 ? 1 : 0;
    for (int j = 0; j < m_nE; ++j) {
        const int x = slot[2 * j + ch];
        const int p = m_nLast;
        const bool fired =
            m_trig.slope == 0 ? (p <= level && level < x) : (p >= level && level > x);
        if (fired) {
            trigFrac = static_cast<float>(x - level) / static_cast<float>(x - p);
            m_nTrigPos = static_cast<long long>(m_nSlot) * m_nE + j;
            return true;
        }
        m_nLast = x;
    }
    return false;
}

bool CScopeSweeper::Step(bool freeRun, float* wave1, float* wave2, float offset1, float offset2,
                         float& trigFrac) {
    if (!IsReady()) return false;
    if (freeRun || m_bAutoFire) {
        if (m_nFreeCount != 0 && !m_bAutoFire) {
            --m_nFreeCount;
            Advance();
            return false;
        }
        m_nFreeCount = m_nF;
        const int from = ((m_nSlot - m_nF) % m_nSlots + m_nSlots) % m_nSlots;
        CopySweep(static_cast<long long>(from) * m_nE, wave1, wave2, offset1, offset2);
        m_bAutoFire = false;
        Advance();
        return true;
    }
    if (m_nHold > 0) {
        --m_nHold;
        Advance();
        return false;
    }
    if (!m_bTrigFound) {
        if (!Scan(trigFrac)) {
            Advance();
            if (m_trig.mode == 0 && --m_nAuto <= 0) {
                m_bAutoFire = true;
                m_nAuto = m_nLength / m_nE;
            }
            return false;
        }
        m_bTrigFound = true;
        m_bAutoFire = false;
    }
    if (m_nWait >= 0) {
        --m_nWait;
        Advance();
        return false;
    }
    CopySweep(m_nTrigPos + m_nP, wave1, wave2, offset1, offset2);
    m_nWait = m_nG / m_nE;
    m_nHold = -(m_nP / m_nE);
    m_nAuto = m_nLength / m_nE;
    m_nLast = CurrentSlot()[2 * (m_nE - 1) + (m_trig.channel == 1 ? 1 : 0)];
    m_bTrigFound = false;
    Advance();
    return true;
}
