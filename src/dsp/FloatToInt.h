#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Float-to-integer stores without undefined behaviour. Every store of a computed value into an
// integer goes through one of these: NaN gives 0, a value beyond the target saturates (+-inf
// included), and finite values in range are truncated toward zero. The Wrap forms then keep the
// low bits of the saturated 32-bit value, which is the wrap-around of a PCM result that the
// program keeps where a result is not limited.

// NaN -> 0; below INT32_MIN or above INT32_MAX -> that limit; else truncated toward zero.
inline std::int32_t SaturateToInt32(double x) {
    if (std::isnan(x)) return 0;
    if (x <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (x >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(x);
}

// As SaturateToInt32, limited to [lo, hi].
inline std::int32_t SaturateToRange(double x, std::int32_t lo, std::int32_t hi) {
    const std::int32_t v = SaturateToInt32(x);
    return v < lo ? lo : v > hi ? hi : v;
}

// The low 16 bits of SaturateToInt32(x) as a signed sample (two's complement wrap).
inline std::int16_t WrapToInt16(double x) {
    return static_cast<std::int16_t>(
        static_cast<std::uint16_t>(static_cast<std::uint32_t>(SaturateToInt32(x)) & 0xFFFFu));
}

// The low 8 bits of SaturateToInt32(x) (an unsigned 8-bit sample after its 128 bias was added).
inline std::uint8_t WrapToUInt8(double x) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(SaturateToInt32(x)) & 0xFFu);
}
