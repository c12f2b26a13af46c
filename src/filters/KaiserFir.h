#pragma once

#include <memory>

// Kaiser-window FIR design: a low-pass prototype whose order and window parameter follow from
// the stop-band attenuation and the transition width, shifted to the four shapes. Frequencies
// are in Hz, the attenuation in dB. Taps are stored as floats; the tap count is always odd.
// One object per design, used on the UI thread.
class KaiserFir {
public:
    KaiserFir() = default;
    KaiserFir(const KaiserFir&) = delete;
    KaiserFir& operator=(const KaiserFir&) = delete;

    // Each design releases the previous taps and returns the new tap count N, or 0 (and no
    // taps) when the transition is not positive or N would exceed filt::kMaxDesignTaps.
    // Passes up to fc, stops from fStop = fc + transition.
    int DesignLowpass(float fs, float fc, float fStop, float atten);
    // Passes from fc, stops below fStop = fc - transition.
    int DesignHighpass(float fs, float fc, float fStop, float atten);
    // Passes fL ... fH, stops outside fLStop = fL - transition ... fHStop = fH + transition.
    int DesignBandpass(float fs, float fH, float fHStop, float fL, float fLStop, float atten);
    // Stops fL ... fH, passes outside fLStop ... fHStop.
    int DesignBandstop(float fs, float fH, float fHStop, float fL, float fLStop, float atten);

    int GetTaps() const { return m_nTaps; }
    const float* Taps() const { return m_pTaps.get(); }
    // Converts the taps to doubles into `out` (room for GetTaps() entries); returns N.
    int CopyTaps(double* out) const;

    // Tap count of a prototype with these edges, computed in double without designing;
    // 0 when the transition is not positive. May exceed any int.
    static double EstimateTaps(float halfRate, float passEdge, float stopEdge, float atten);
    // Window parameter beta for an attenuation in dB.
    static float Beta(float atten);
    // Modified Bessel function of order 0 by its first 21 series terms.
    static float BesselI0(float x);

private:
    int DesignPrototype(float atten);

    float m_fHalfRate = 0.0f;
    float m_fPassEdge = 0.0f;
    float m_fStopEdge = 0.0f;
    int m_nTaps = 0;
    std::unique_ptr<float[]> m_pTaps;
    std::unique_ptr<float[]> m_pSpare; // allocated with the taps; no user reads it
};
