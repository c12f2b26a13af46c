#pragma once

#include <cstddef>
#include <cstdint>

namespace audio {

// Where the copy of T frames of a TSP step starts in a captured stereo buffer of `len` bytes
// (16-bit frames for width code 1, 32-bit containers otherwise), in bytes from its start.
// The 16-bit sample of channel `channel` (the upper 16 bits of a 32-bit container) is probed
// every 512 bytes; a probe of at least 3000 in magnitude that follows more than 16 quiet probes
// is the onset, a loud probe after fewer restarts the count. The start lies 16 probes before
// the onset (on the frame of the first probe), limited to 0 .. len / 2; 0 when there is no onset.
std::size_t TspOnsetStart(const std::uint8_t* buffer, std::size_t len, int channel, int widthCode);

} // namespace audio
