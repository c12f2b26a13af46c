#include "sound/servo/ServoSync.h"

#include "filters/PcmSample.h"
#include "sound/servo/ServoExcitation.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int kFrameBytes = 4; // 16-bit stereo
} // namespace

int servo::FindBlockStart(const std::uint8_t* frames, int searchFrames, int stepFrames,
                          int quietSteps, int periodFrames) {
    if (stepFrames <= 0) return 0;
    int quiet = 0;
    int onset = 0;
    for (int f = 0; f < searchFrames; f += stepFrames) {
        const int x = pcmio::Read16(frames + static_cast<std::size_t>(f) * kFrameBytes);
        if (std::abs(x) < kQuietLimit) {
            ++quiet;
            continue;
        }
        if (quiet > quietSteps) {
            onset = f;
            break;
        }
        quiet = 0;
    }
    return std::clamp(onset - quietSteps * stepFrames, 0, periodFrames);
}

int servo::QuietSteps(int excitation, int pow, int downExp, int taps) {
    int extra = 0;
    switch (excitation) {
    case kTsp1:
        extra = 31;
        break;
    case kTsp2:
        extra = 16;
        break;
    case kBurst1:
    case kBurst2:
        extra = 32;
        break;
    default:
        return 0;
    }
    const long long alignBytes = kFrameBytes * static_cast<long long>((1 << downExp) - 1) * taps;
    return static_cast<int>(alignBytes / (1LL << (downExp + pow + 2))) + extra;
}
