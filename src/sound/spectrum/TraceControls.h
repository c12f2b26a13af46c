#pragma once

#include <functional>
#include <string>

class CKymoDoc;

// The trace controls the instrument panels share: per channel the range spin "ﾚﾝｼﾞ(倍)"
// (exponent r in -2..9, magnification 2^r, shown "0.25", "0.5", "1", "2", ...), the position
// spin "ﾎﾟｼﾞｼｮﾝ(%)" (step -10..10, position 10 x step percent) and the "±50%" check box (ch1 at
// +50 %, "Fix+"; ch2 at -50 %, "Fix-"). The values live in the document, which the view reads.
// A channel that is not shown (mono, or hidden on the oscilloscope) shows "Non" and ignores its
// spins.
class CTraceControls {
public:
    using ShownFn = std::function<bool(int channel)>;
    CTraceControls(CKymoDoc& doc, ShownFn shown);

    void OnRangeSpin(int channel, int delta);
    void OnPositionSpin(int channel, int delta);
    void OnFixedPositions(bool on);
    bool FixedPositions() const;
    bool Shown(int channel) const { return m_shown(channel); }

    std::string RangeText(int channel) const;
    std::string PositionText(int channel) const;
    // Derives the document's magnifications and positions from the exponents and steps.
    void Apply();

private:
    CKymoDoc& m_doc;
    ShownFn m_shown;
};
