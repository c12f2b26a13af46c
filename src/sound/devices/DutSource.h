#pragma once

#include "sound/devices/GaussianNoise.h"

#include <cstdint>
#include <string>
#include <vector>

struct DutSourceDef;
struct DutFiles;

// The external source the card hears, one frame at a time from the opening of the input:
// tones A sin(2 pi F n / fs + phase) and Gaussian noise summed (the same value for both
// inputs), or a looped WAV file (channel 1 for input 1, channel 2 or the mono channel for
// input 2). Silence when the text names no source.
class CDutSource {
public:
    // False with `error` when a WAV source's rate differs from `rate`: the card does not
    // resample.
    bool Build(const DutSourceDef& def, const DutFiles& files, int rate, std::string& error);

    // The next frame's values for input 1 and input 2, counts.
    void Next(double& s1, double& s2);

private:
    struct Tone {
        double freq, amp, phaseRad;
    };
    int m_rate = 0;
    std::vector<Tone> m_tones;
    std::vector<CGaussianNoise> m_noise;
    const std::vector<double>* m_wav[2] = {nullptr, nullptr};
    std::int64_t m_frame = 0;
};
