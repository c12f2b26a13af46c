#pragma once

#include <string>

// Display values of an oscilloscope record: the range exponents e (scale 2^e, -2..9) and
// position steps p (position 10 x p percent, -10..10) of both channels, and the values the view
// draws with. Saved with "OSC1" files after `m_nScopeShow`.
struct ScopeDisplay {
    // Ranges of the display settings' controls.
    static constexpr int kRangeExpMin = -2;
    static constexpr int kRangeExpMax = 9;
    static constexpr int kPosStepMin = -10;
    static constexpr int kPosStepMax = 10;

    int m_nRangeExp1 = 0;
    int m_nRangeExp2 = 0;
    int m_nPosStep1 = 0;
    int m_nPosStep2 = 0;
    float m_fRange1 = 1.0f; // 2^m_nRangeExp1
    float m_fRange2 = 1.0f;
    int m_nPosition1 = 0; // percent, 10 x m_nPosStep1
    int m_nPosition2 = 0;

    // True when both exponents and both steps lie within the controls' ranges.
    bool IsValid() const;
    // Recomputes the scales and positions from the exponents and steps, which must be valid.
    void Derive();
};

class CKymoDoc;

// Stores oscilloscope display values in the document (deriving scales and positions) with the
// X-Y flag, and redraws.
void ApplyScopeDisplay(CKymoDoc& doc, const ScopeDisplay& display, int xy);

// Text of a range exponent as the settings show it: "0.25", "0.5", "1", "2", "4", ...
std::string ScopeRangeText(int exponent);
