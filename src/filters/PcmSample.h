#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

// Centred sample access and the stores of the PCM filter routines (little-endian data).
namespace pcmio {

inline int Read8(const std::uint8_t* p) {
    return static_cast<int>(*p) - 128;
}
inline int Read16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}
inline void Write16(std::uint8_t* p, int value) {
    const auto u = static_cast<std::uint16_t>(value);
    p[0] = static_cast<std::uint8_t>(u & 0xFF);
    p[1] = static_cast<std::uint8_t>(u >> 8);
}

// Truncation toward zero taken modulo 2^16 (or 2^8), as the low bits of a wide integer would be;
// non-finite values give 0.
inline long long TruncWrap(double y, double modulus) {
    if (!std::isfinite(y)) return 0;
    double t = std::trunc(y);
    if (std::fabs(t) >= 4.0e15) t = std::fmod(t, modulus);
    return static_cast<long long>(t);
}
inline void StoreWrap16(std::uint8_t* p, double y) {
    Write16(p, static_cast<int>(static_cast<std::int16_t>(
                   static_cast<std::uint16_t>(TruncWrap(y, 65536.0) & 0xFFFF))));
}
inline void StoreWrap8(std::uint8_t* p, double yPlus128) {
    *p = static_cast<std::uint8_t>(TruncWrap(yPlus128, 256.0) & 0xFF);
}

} // namespace pcmio
