#pragma once

#include "filters/BiquadSettings.h"
#include "filters/RemezSettings.h"

#include <vector>

class CKymoDoc;
class IDocumentUi;

// Document operations of file filtering with a Remez design ("Remez(&R)") and with one biquad
// section ("Bi_Quad_Filter(&B)"). They return 1 when a filtered result was kept and 0 otherwise;
// nothing happens unless CanRunFileFilter holds.

// The OK step of "FIRﾌｨﾙﾀｰの設定(Remez)": checks the band table at fs (correcting the outer
// edges; notices and the error go to `ui`), checks the tap count (3 ... 4096) and designs.
// Returns 1 with the taps in `h`; 0 after a message (`failed` then tells which entry).
int CheckAndDesignRemez(IDocumentUi& ui, RemezBandTable& table, int taps, int fs,
                        std::vector<double>& h, RemezCheck* failed = nullptr);

// Stores the table and the tap count (`m_nFirTaps`) as the document's Remez settings, sets the
// FIR kind to Remez and runs the file filter with taps `h` designed from them.
int RunRemezFileFilter(CKymoDoc& doc, const RemezBandTable& table, const std::vector<double>& h);

// CheckAndDesignRemez at the wave's sampling frequency, then RunRemezFileFilter.
int OnFilterRemez(CKymoDoc& doc, RemezBandTable table, int taps);

// The biquad dialog's values: type from `m_nFilterShape`, frequency from `m_fCutLow`, gain
// from `m_fIirGain`; and back.
BiquadSettings LoadBiquadSettings(const CKymoDoc& doc);
void StoreBiquadSettings(CKymoDoc& doc, const BiquadSettings& s);

// Checks like the dialog, stores the settings, sets the IIR kind to the biquad, designs at the
// wave's sampling frequency and runs the file filter with all histories zero.
int OnFilterBiquad(CKymoDoc& doc, const BiquadSettings& s);
