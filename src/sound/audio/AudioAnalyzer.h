#pragma once

#include "dsp/DftPlan.h"
#include "dsp/Fft.h"

#include <cstdint>
#include <vector>

// The block analysis of the audio measurement: a stereo block of a 16-bit or 32-bit container
// (offsets removed) becomes the magnitude spectra of both channels, windowed (Kaiser, N points)
// for the sine items or plain (T points) for the TSP items. With averaging the shown spectra are
// the mean of the blocks accumulated since the last Clear (the count of blocks really added).
class CAudioAnalyzer {
public:
    CAudioAnalyzer();

    // Analyses `points` frames (N windowed, or T plain) starting at `frames`.
    void Analyse(const std::uint8_t* frames, int points, int widthCode, const float offset[2],
                 bool averaging);
    void Clear();

    int Points() const { return m_nPoints; }
    int Accumulated() const { return m_nAccumulated; }
    // Shown magnitudes, bins 0 .. points - 1.
    std::vector<float>& Left() { return m_shown[0]; }
    std::vector<float>& Right() { return m_shown[1]; }
    // The time samples of the last block (offsets removed).
    const std::vector<float>& Wave(int ch) const { return m_wave[ch]; }

private:
    Fft m_fft;
    DftPlan m_planN, m_planT;
    std::vector<float> m_window;
    std::vector<float> m_re, m_im;
    std::vector<double> m_acc[2];
    std::vector<float> m_shown[2];
    std::vector<float> m_wave[2];
    int m_nAccumulated = 0;
    int m_nPoints = 0;
};
