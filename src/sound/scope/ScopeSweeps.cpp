#include "sound/scope/ScopeSweeps.h"

#include "document/DocumentLimits.h"
#include "dsp/FloatToInt.h"

#include <algorithm>
#include <cmath>

namespace {
// Sweep lengths in microseconds and the texts of the sweep edit.
constexpr long long kMicroseconds[] = {1000,   2000,   5000,   10000,   20000,  50000,
                                       100000, 200000, 500000, 1000000, 2000000};
constexpr const char* kTexts[] = {"0.1", "0.2", "0.5", "1",   "2",  "5",
                                  "10",  "20",  "50",  "100", "200"};
} // namespace

int scope::SweepFrames(int index, int rate, int over) {
    index = std::clamp(index, kMinSweep, kMaxSweep);
    const long long n = static_cast<long long>(rate) * kMicroseconds[index - 1] / 1000000;
    const long long most = limits::kWaveCapacity / std::max(over, 1);
    return static_cast<int>(std::min(n, most));
}

const char* scope::SweepText(int index) {
    return kTexts[std::clamp(index, kMinSweep, kMaxSweep) - 1];
}

int scope::BufferFrames(int rate) {
    return rate * kBlockMilliseconds / 1000;
}

int scope::TriggerLevel(int percent, int rangeExp) {
    const double level =
        65536.0 / std::ldexp(1.0, rangeExp) * percent * static_cast<double>(0.005f);
    return SaturateToInt32(level);
}

int scope::SupportedRate(int rate) {
    return rate == 44100 || rate == 96000 ? rate : 48000;
}

std::string scope::RateButtonText(int rate) {
    return rate == 44100 ? "Fs=44.1kHz" : rate == 96000 ? "Fs=96kHz" : "Fs=48kHz";
}

int scope::NextRate(int rate) {
    return rate == 44100 ? 48000 : rate == 48000 ? 96000 : 44100;
}
