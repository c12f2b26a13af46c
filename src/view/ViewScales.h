#pragma once

class CKymoDoc;

// Automatic full scales of the main view, recomputed from the document's buffers.
struct ViewScales {
    float m_fMaxRe = 0;       // largest |m_fRe| over N bins
    float m_fMaxIm = 0;       // largest |m_fIm|
    float m_fMaxWork = 0;     // largest |m_fWork1| (and |m_fWork2| for two-channel kinds)
    float m_fMaxWave = 0;     // largest |m_fWave1| (and |m_fWave2| for two-channel kinds)
    float m_fScale2 = 1;      // full scale of the second time trace
    float m_fMaxReIm = 0;     // max(m_fMaxRe, m_fMaxIm)
    float m_fMaxMag = 0;      // largest magnitude over bins 0 .. N/2 - 1
    float m_fTopDb = -100000; // dB range of the log plots (automatic or entered)
    float m_fBottomDb = 100000;
};

// Recomputes every member of `s` from the buffers of `doc` for N = n points. Values that are not
// finite (a division by zero, a closed loop at -1) are left out, so the scales stay defined.
void ComputeAutoScale(const CKymoDoc& doc, int n, ViewScales& s);

// Data kinds whose time buffers hold two channels (the second one counts for the scales).
bool IsTwoChannelScaleKind(int kind);
