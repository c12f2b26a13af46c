#pragma once

#include "sound/generator/SigGenSettings.h"

#include <optional>

class IDocumentUi;

// A value box of the generator's panel: the record seconds, or the frequency or level box of a
// source's first (pair 0) or second (pair 1) setting pair.
struct SigGenBox {
    enum class What { Seconds, Freq, Level };
    What what = What::Seconds;
    int source = 0;
    int pair = 0;
    bool operator==(const SigGenBox&) const = default;
};

// The check that ON, every on-switch and "Wave保存" run: in mono the ch2 values first become
// ch1's; then the record seconds (1..1000), the sine frequencies (0 < f <= rate / 2), every
// level (0 .. -96 dB) and the "Rect" frequencies (0 < f <= 2000) of both pairs, in this order.
// The first failure is shown and its box returned (the panel puts the focus there); nothing when
// every value is valid.
std::optional<SigGenBox> ValidateSigGen(SigGenSettings& settings, IDocumentUi& ui);
