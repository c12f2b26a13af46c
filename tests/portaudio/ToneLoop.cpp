#include "ToneLoop.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace toneloop {

namespace {

// Frames from `from` on (at most `frames`) that differ by more than one count from the tone
// delayed by `delay` frames.
long long Mismatches(const std::vector<std::int16_t>& samples, long long delay, long long from,
                     long long frames) {
    long long bad = 0;
    const long long end =
        std::min<long long>(static_cast<long long>(samples.size()) / kChannels, from + frames);
    for (long long f = from; f < end; ++f)
        for (int c = 0; c < kChannels; ++c)
            if (std::abs(samples[f * kChannels + c] - Sample(f - delay, c)) > 1) {
                ++bad;
                break;
            }
    return bad;
}

} // namespace

std::int16_t Sample(long long frame, int channel) {
    const double peak = channel == 0 ? kPeak1 : kPeak2;
    const double phase = 2.0 * M_PI * static_cast<double>(frame % 48) / 48.0;
    return static_cast<std::int16_t>(std::lround(peak * std::sin(phase)));
}

void Fill(std::uint8_t* bytes, long long firstFrame, long long frames) {
    for (long long i = 0; i < frames; ++i)
        for (int c = 0; c < kChannels; ++c) {
            const std::int16_t s = Sample(firstFrame + i, c);
            std::memcpy(bytes + (i * kChannels + c) * 2, &s, 2);
        }
}

long long FirstSound(const std::vector<std::int16_t>& samples) {
    for (std::size_t i = 0; i < samples.size(); ++i)
        if (samples[i] != 0) return static_cast<long long>(i / kChannels);
    return -1;
}

Levels PeakLevels(const std::vector<std::int16_t>& samples, long long from, long long frames) {
    Levels l;
    const long long end =
        std::min<long long>(static_cast<long long>(samples.size()) / kChannels, from + frames);
    for (long long f = from; f < end; ++f) {
        const int a = samples[f * kChannels], b = samples[f * kChannels + 1];
        l.max1 = std::max(l.max1, a), l.min1 = std::min(l.min1, a);
        l.max2 = std::max(l.max2, b), l.min2 = std::min(l.min2, b);
    }
    return l;
}

bool Unbroken(const std::vector<std::int16_t>& samples, long long from) {
    const long long frames = static_cast<long long>(samples.size()) / kChannels;
    for (long long delay = 0; delay < 48; ++delay)
        if (Mismatches(samples, delay, from, frames - from) == 0) return true;
    return false;
}

} // namespace toneloop
