#pragma once

#include <QString>
#include <vector>

// Texts shared by the real-time Remez panels.
// The status line under a design: tap count and largest |h|, or "---" without a design.
QString RemezDesignStatus(const std::vector<double>& taps);
// Shown when a panel is closed before its filter ever ran.
inline const char* const kRemezNoDspMessage = "DSP処理はしないのですね！";
