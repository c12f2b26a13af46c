#pragma once

#include <cstdint>

// Reads `n` samples of one channel of little-endian PCM data as floats: `p` points at the first
// sample, `stride` bytes lie between the samples of successive frames. 16-bit samples are taken
// as signed values, 8-bit ones as byte - 128; each is multiplied by window[i] when a window is
// given. out must not overlap the data or the window.
void PcmRecordToFloat(const std::uint8_t* p, int bits, int stride, int n, const float* window,
                      float* out);
