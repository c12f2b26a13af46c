#pragma once

#include <cstdint>
#include <vector>

// Test signals of the audio measurement.
namespace audio {

// Full scale of a container: 32767 (16 bits) or 2147483647 (32-bit containers).
double FullScale(int widthCode);
// The TSP amplitudes a (f-response) and b (crosstalk) of a container.
double TspLevelA(int widthCode);
double TspLevelB(int widthCode);

// Bytes of one stereo frame in a container (4 for code 1, 8 for codes 2 and 3) and in the test
// files (4, 6 or 8: 24-bit samples are packed in 3 bytes).
int ContainerFrameBytes(int widthCode);
int FileFrameBytes(int widthCode);
int FileBits(int widthCode);

// Stores one sample value (already scaled to the container's full scale) truncated toward zero
// and saturated: 16-bit for code 1, 32-bit for codes 2 and 3 (`packed`: the upper three bytes,
// as the test files hold 24-bit samples).
void StoreSample(std::uint8_t* p, double v, int widthCode, bool packed);

} // namespace audio
