#pragma once

#include "realtime/RtNoise.h"

#include <cstdint>
#include <vector>

// The test signals the LMS filter makes for itself with the internal generator.
struct LmsSignals {
    bool generator = false; // false: the captured block ("line")
    int mode = 0;           // lmsmode::
    bool noiseOn = true;
    bool sineOn = true;
    double noiseFactor = 0.25; // noise v = trunc((2 rand - 32768) factor)
    double sineAmp = 0.25;     // of full scale (32768)
    double sineFreq = 1000.0;  // Hz
    int fs = 48000;
};

// The N-tap adaptive FIR of the LMS tool on 16-bit stereo blocks: the desired signal d from the
// left channel, the filter input x from the right, the update w[j] -= mu 2^-30 (y - d) x[...].
//
// The work buffer keeps the N + F frames before the newest block (F frames per block) and the
// newest block behind them; each call processes the block before the newest one, so the output
// lags one block behind the input and the delay D may look up to N frames ahead. Frames the
// offsets reach beyond the newest block read zeros.
class CLmsFilter {
public:
    // Starts the adaptation: N = h.size() taps, w = 0 except w[N/2] = 0.01, the work buffer and
    // the sine counter cleared. `h` is the demo filter of the generator's uses.
    void Init(const std::vector<double>& h, double mu, int delay);
    // Replaces the demo filter and starts the adaptation again (same N, mu and D).
    void Restart(const std::vector<double>& h) { Init(h, m_fMu, m_nDelay); }
    void SetSignals(const LmsSignals& s) { m_sig = s; }
    void Seed(std::uint32_t seed) { m_noise.Seed(seed); }

    // One buffer: `in` is the newest captured block (F interleaved stereo frames, offsets
    // already removed; unused by the generator), `out` receives F frames: left trunc(d), right
    // trunc(y) of the processed block.
    void Process(const std::int16_t* in, std::int16_t* out, int frames);

    int Taps() const { return static_cast<int>(m_w.size()); }
    int Delay() const { return m_nDelay; }
    double Mu() const { return m_fMu; }
    const std::vector<double>& Weights() const { return m_w; }
    const std::vector<double>& DemoTaps() const { return m_h; }
    // |(y - d) / (y + d)| of the last frame of the last block (0 when both are 0).
    double RelativeError() const { return m_fRelError; }
    // Left and right input of frame k of the last processed block (the work buffer's frame N + k).
    double InputLeft(int k) const;
    double InputRight(int k) const;
    // The sine of the denoising use that went into d at frame k of the last processed block.
    double SineAt(int k) const;

private:
    void Resize(int frames);
    void MakeNewest(const std::int16_t* in, int frames);
    double Sine();

    std::vector<double> m_h, m_w;
    double m_fMu = 0.001;
    int m_nDelay = 0;
    LmsSignals m_sig;
    CRtNoise m_noise;
    long long m_nSineCounter = 0;
    int m_nFrames = 0;                   // F of the work buffer
    std::vector<double> m_xl, m_xr, m_s; // left, right and sine tracks, 2N + 2F frames
    // Per frame of the last processed block: its left and right input and the sine in d.
    std::vector<double> m_lastL, m_lastR, m_lastSine;
    double m_fRelError = 0.0;
};
