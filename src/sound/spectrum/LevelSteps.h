#pragma once

class CKymoDoc;

// The level scale of the spectrum displays as the panels' spins step it: "最大値(dB)" (top level,
// step clamped -50..50, 10 dB each) and "D_ﾚﾝｼﾞ(dB)" (dynamic range, step clamped 1..50). Each
// step stores the spin counter and the level it gives in the document.
void StepTopLevel(CKymoDoc& doc, int delta);
void StepDynamicRange(CKymoDoc& doc, int delta);
