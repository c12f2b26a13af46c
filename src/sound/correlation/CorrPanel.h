#pragma once

#include "sound/spectrum/SpecAnaPanel.h"

#include <string>

// The correlation meter's control panel "自己/相互相関" without its widgets. It behaves as the
// spectrum analyzer's panel (ON, OFF, dISP, interval, ranges, positions, "±50%", "Avr_",
// "保存"); the group "相関表示" replaces the level group. The document computes the correlation
// because the set-up (CKymoDoc::BeginCorrelationMeter) set m_bCorrMode.
class CCorrPanel : public CSpecAnaPanel {
public:
    CCorrPanel(CKymoDoc& doc, ISoundCard& card);

    // "相関値(倍)": vertical magnification 2^e, e clamped -2..2 (m_nCorrGainExp).
    void OnCorrGainSpin(int delta);
    // "時間軸(倍)": lag-axis magnification 2^t, t clamped 1..4 (m_nCorrTimeExp and
    // m_nCorrTimeScale = 2^t).
    void OnCorrTimeSpin(int delta);

    // "0.25", "0.5", "1", "2", "4".
    std::string CorrGainText() const;
    // "2", "4", "8", "16".
    std::string CorrTimeText() const;
    // Cross-correlation (between the channels) rather than auto-correlation.
    bool IsCross() const;
};
