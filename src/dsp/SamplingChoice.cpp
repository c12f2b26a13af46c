#include "dsp/SamplingChoice.h"

#include <cmath>

std::optional<double> SamplingFrequencyOfEntry(int entry) {
    switch (entry) {
    case fs_choice::k44100:
        return 44100.0;
    case fs_choice::k48000:
    case fs_choice::k96000:
        return entry * 48000.0;
    case fs_choice::k176400:
        return 176400.0;
    default:
        return std::nullopt;
    }
}

std::optional<double> CustomSamplingFrequency(double kHz) {
    if (!std::isfinite(kHz) || kHz <= 0.0) return std::nullopt;
    return kHz * 1000.0;
}
