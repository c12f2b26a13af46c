#pragma once

#include <cstdint>
#include <vector>

// The tone of the round trips through the sound server: 1 kHz at 48 kHz stereo 16-bit, a peak
// of 16384 on channel 1 and 8192 on channel 2, starting at phase 0 on frame 0 (so frame 0 is
// silent and the first sound is frame 1). 48 frames per period hit both peaks exactly.
namespace toneloop {

constexpr int kRate = 48000;
constexpr int kChannels = 2;
constexpr int kPeak1 = 16384;
constexpr int kPeak2 = 8192;
constexpr long long kFirstSoundFrame = 1;

std::int16_t Sample(long long frame, int channel);
// Writes `frames` frames of the tone starting at `firstFrame` as interleaved little-endian bytes.
void Fill(std::uint8_t* bytes, long long firstFrame, long long frames);

// The first frame of interleaved stereo samples with a non-zero sample; -1 when all are silent.
long long FirstSound(const std::vector<std::int16_t>& samples);

struct Levels {
    int max1 = 0, min1 = 0, max2 = 0, min2 = 0;
};
// Extremes per channel of the frames [from, from + frames).
Levels PeakLevels(const std::vector<std::int16_t>& samples, long long from, long long frames);

// Whether the frames from `from` on are the tone within one count at one fixed delay (no frame
// dropped or added).
bool Unbroken(const std::vector<std::int16_t>& samples, long long from);

} // namespace toneloop
