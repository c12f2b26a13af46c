#pragma once

#include "filters/BiquadTable.h"

class CKymoDoc;

// A designed filter that the file-filtering run applies to the wave held. The arrays are the
// caller's and must live until RunFileFilter returns.
struct FileFilterDesign {
    enum class Type { Fir, Biquad, Cascade };
    Type type = Type::Fir;
    // FIR taps h[0 ... tapCount-1].
    const double* taps = nullptr;
    int tapCount = 0;
    // One second-order section (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2).
    double a0 = 1.0, a1 = 0.0, a2 = 0.0, b0 = 1.0, b1 = 0.0, b2 = 0.0;
    // Normalised sections (a0 taken as 1) of a cascade of order n, and the output gain.
    const BiquadTable* table = nullptr;
    int order = 0;
    double gain = 1.0;
    // Cut-offs the result line names (Hz; 0 when the design has none of its own).
    double cutLow = 0.0, cutHigh = 0.0;

    static FileFilterDesign Fir(const double* h, int count);
    static FileFilterDesign Biquad(double a0, double a1, double a2, double b0, double b1,
                                   double b2);
    static FileFilterDesign Cascade(const BiquadTable& sections, int order, double gain = 1.0);
    FileFilterDesign& WithCutOffs(double low, double high) {
        cutLow = low;
        cutHigh = high;
        return *this;
    }
};

// Whether a filtering run can start: a wave of one or two channels is held and the
// processing channel `disp_mode3` is 1, 2 or 3.
bool CanRunFileFilter(const CKymoDoc& doc);

// The file-filtering run shared by every filter command: filters the channels chosen by
// `disp_mode3` from m_pWaveImage into a new m_pFilterImage, shows it (data kind 13), asks
// "IIR/FIR処理の確定" through the document's UI (the filter is recorded in m_filterUsed) and, on
// OK, copies the result over the wave held. Returns 1 when the result was kept, 0 when it was
// discarded or the run could not start (the wave held is then unchanged). FIR runs drop the
// filter's delay: output frame j is input frame j + taps; the last `taps` frames become silence.
int RunFileFilter(CKymoDoc& doc, const FileFilterDesign& design);
