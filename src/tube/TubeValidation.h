#pragma once

#include <array>

class IDocumentUi;
struct TubeData;

// The checks of a device's data, upper tube first, then the lower tube: every failing rule shows
// its message, the warnings only warn. False when a rule failed; the caller then shows
// "ﾃﾞｰﾀｰの異常/ｷｬﾝｾﾙ/読み取りｴﾗｰ..." and keeps the previous device.
bool ValidateTubeData(IDocumentUi& ui, const TubeData& data);

// The checks of the 18 operating settings stored with a tube file. Every invalid setting shows
// its message; reserved settings other than 0 only warn. False when a setting is invalid.
bool ValidateTubeOperating(IDocumentUi& ui, const std::array<int, 18>& ope);
