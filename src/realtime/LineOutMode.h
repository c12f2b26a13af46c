#pragma once

#include <cstdint>

// Output stage of the real-time filter tools ("ﾗｲﾝｱｳﾄﾓｰﾄﾞ"), in the order of the list.
namespace lineout {
constexpr int Normal = 0;  // "Normal":           L' = g L,               R' = g R
constexpr int SumDiff = 1; // "L±R(Shift_1bit)":  L' = g (L + R) / 2,     R' = g (L - R) / 2
constexpr int Product = 2; // "LxR(Shift_16bit)": L' = R' = g L R / 32768
constexpr int Count = 3;
} // namespace lineout

// Names of the list entries.
const char* LineOutName(int mode);

// Output gain factor of a gain in dB: 10^(0.05 G).
double LineOutGain(double gainDb);

// Applies the output stage with gain factor g to `frames` little-endian 16-bit stereo frames in
// place. Results are truncated toward zero and keep their low 16 bits (they wrap, as
// the filter routines' results do). Unknown modes
// behave as Normal.
void LineOutMode(int mode, double g, std::uint8_t* frames16, int frames);
