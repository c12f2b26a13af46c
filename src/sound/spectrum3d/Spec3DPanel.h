#pragma once

#include "sound/spectrum/SpecAnaPanel.h"

#include <string>

class CSpec3DEngine;

// The 3D spectrum analyzer's control panel "3Dｽﾍﾟｱﾅ・ｺﾝﾄﾛｰﾙ" without its widgets: the spectrum
// panel's buttons, interval, ranges, positions and level scale, plus the averaging count, the
// two angles and "Repeat". Its engine hands each block over with request code 3 and stops by
// itself when the history is full and "Repeat" is off.
//
// ON allocates fresh row histories (N/2 bins per row) before the first block can arrive, starts
// the picture empty (kind 29) and raises the priority by the environment settings; the priority
// is restored whenever the engine stops.
class CSpec3DPanel : public CSpecAnaPanel {
public:
    CSpec3DPanel(CKymoDoc& doc, ISoundCard& card);

    bool OnStart() override;
    void Close() override;

    // "平均化回数": exponent clamped 0..7; spectra per row 1 or 5·2^a.
    void OnAverageCountSpin(int delta);
    // "水平角(θ)": step clamped -13..-5; shown as 10 s + 95.
    void OnThetaSpin(int delta);
    // "垂直角(φ)": step clamped 3..7; shown as 10 t + 5.
    void OnPhiSpin(int delta);
    // "Repeat": toggles m_bStopAtEnd3D.
    void OnRepeat();

    std::string AverageCountText() const;
    std::string ThetaText() const;
    std::string PhiText() const;
    bool RepeatOn() const;
    // True after the measurement stopped by itself at the end of the history.
    bool StoppedAtEnd() const;

private:
    // The spins are refused while measuring; a change restarts the averaging.
    bool SpinAllowed();
    CSpec3DEngine& Engine3d() const;
};

// Spectra averaged per row for an averaging exponent: 1 for 0, else 5·2^a.
int AverageCount3d(int exp);
