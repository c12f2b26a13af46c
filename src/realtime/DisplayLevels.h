#pragma once

#include <string>

class CKymoDoc;

// The "最大値(dB)" and "D_ﾚﾝｼﾞ(dB)" spins of the live filter panels: the document's display top
// level (-500 ... 500 dB) and dynamic range (10 ... 500 dB), `delta` steps of 10 dB, clamped,
// then the views redraw.
void StepDisplayTop(CKymoDoc& doc, int delta);
void StepDisplayRange(CKymoDoc& doc, int delta);
std::string DisplayTopText(const CKymoDoc& doc);
std::string DisplayRangeText(const CKymoDoc& doc);
