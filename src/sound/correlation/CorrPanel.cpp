#include "sound/correlation/CorrPanel.h"

#include "document/CKymoDoc.h"
#include "sound/engine/SoundDuplex.h"

#include <algorithm>

namespace {
constexpr int kMinGainExp = -2, kMaxGainExp = 2;
constexpr int kMinTimeExp = 1, kMaxTimeExp = 4;
} // namespace

CCorrPanel::CCorrPanel(CKymoDoc& doc, ISoundCard& card)
    : CSpecAnaPanel(doc, std::make_unique<SoundDuplex>(card, doc)) {}

bool CCorrPanel::IsCross() const {
    return m_doc.m_bDualCh != 0;
}

void CCorrPanel::OnCorrGainSpin(int delta) {
    m_doc.m_nCorrGainExp = std::clamp(m_doc.m_nCorrGainExp + delta, kMinGainExp, kMaxGainExp);
}

void CCorrPanel::OnCorrTimeSpin(int delta) {
    m_doc.m_nCorrTimeExp = std::clamp(m_doc.m_nCorrTimeExp + delta, kMinTimeExp, kMaxTimeExp);
    m_doc.m_nCorrTimeScale = 1 << m_doc.m_nCorrTimeExp;
}

std::string CCorrPanel::CorrGainText() const {
    return MagnificationText(m_doc.m_nCorrGainExp);
}

std::string CCorrPanel::CorrTimeText() const {
    return MagnificationText(m_doc.m_nCorrTimeExp);
}
