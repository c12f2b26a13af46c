#pragma once

#include "dsp/Rand15.h"
#include "sound/generator/SigGenSettings.h"

#include <cstdint>

// The signal generator's mix, frame by frame and phase-continuous across calls. Every sample
// starts at 0 and the enabled sources are added, wrapping around in the sample type:
//   sine:   trunc(sin(2 pi n f / fs) * A * F)
//   square: +trunc(A * F) for the first ceil(P / 2) frames of each period of P = fs div f frames,
//           -trunc(A * F) for the rest (the period is a whole number of frames)
//   noise:  trunc(r * A), r the 15-bit random value times 2 taken as a signed 16-bit value, or
//           times 2^17 taken as a signed 32-bit value (both wrap); in mono ch2 uses ch1's r
// with A = 10^(level / 20) and F = 32767 (width code 1) or 2147483647 (codes 2 and 3). The sine
// counter n runs modulo fs and each square channel counts modulo its period, so the phase stays
// exact however long the generator runs (f is a whole number of hertz).
class CSigGenSynth {
public:
    static constexpr double kTwoPi = 6.283185307179586;

    // Starts a run at frame `start` (0 at every ON). `settings` must be valid (ValidateSigGen).
    void Begin(const SigGenSettings& settings, std::uint32_t seed, std::uint64_t start = 0);
    // The next frame's two samples: 16-bit values for width code 1, 32-bit otherwise.
    void NextFrame(std::int32_t& ch1, std::int32_t& ch2);
    // `frames` frames as the engine plays them: 16-bit containers for width code 1, 32-bit
    // containers otherwise, little-endian, ch1 then ch2.
    void FillContainers(std::uint8_t* out, int frames);
    // `frames` frames as the WAV file holds them: 2, 3 or 4 bytes per sample (24-bit samples are
    // the top three bytes of the 32-bit value).
    void FillFile(std::uint8_t* out, int frames);

    // Bytes of one stereo frame in the file (4, 6, 8) and in the engine's containers (4, 8).
    static int FileFrameBytes(int widthCode);
    static int ContainerFrameBytes(int widthCode) { return widthCode == 1 ? 4 : 8; }
    static int FileBits(int widthCode) { return widthCode == 1 ? 16 : widthCode == 2 ? 24 : 32; }
    // Frames of one square period and the frequency actually generated, fs / (fs div f).
    static int SquarePeriod(int rate, int freq) { return freq > 0 ? rate / freq : 0; }
    static double SquareFrequency(int rate, int freq);

    std::uint32_t SineCounter() const { return m_nSine; }

private:
    SigGenSettings m_set;
    int m_nWidth = 1;
    double m_fFull = 32767.0;
    double m_fAmp[siggen::kSources][2] = {};
    int m_nPeriod[2] = {0, 0};
    std::uint32_t m_nSine = 0;
    int m_nSquarePos[2] = {0, 0};
    CRand15 m_rand;
};
