#pragma once

#include <cstdint>

struct WaveFormat;

// Frames of the card's formats as sample values in 16-bit counts (full scale +-32768), with
// fractions kept. The format must be one the card accepts (8 or 16-bit PCM, 24 valid bits in
// 32, or 32 bits; one or two channels).
namespace pcmframe {

// Reads one frame at `p` into v[0 .. channels-1]: 8-bit (b - 128) * 256, 16-bit s, 24-in-32
// s24 / 256 (s24 the top 24 bits of the container), 32-bit s32 / 65536.
void Read(const WaveFormat& format, const std::uint8_t* p, double* v);

// Writes one frame from v[0 .. channels-1] as an analog-to-digital converter would: rounded to
// the nearest step (halves away from zero), limited to the width's range (NaN gives 0):
// 8-bit 128 + round(v / 256), 16-bit round(v), 24-in-32 round(v * 256) in the top 24 bits,
// 32-bit round(v * 65536).
void Write(const WaveFormat& format, const double* v, std::uint8_t* p);

} // namespace pcmframe
