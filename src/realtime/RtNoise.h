#pragma once

#include <cstdint>

// The white-noise source "gen" of the real-time tools: the C library's classic linear
// congruential generator (values 0 ... 32767), so that a given seed repeats its sequence on every
// platform. One value v = trunc((2 rand - 32768) level) per frame, on both channels.
class CRtNoise {
public:
    void Seed(std::uint32_t seed) { m_state = seed; }
    // 0 ... 32767.
    int Rand() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }
    // The next frame's value for a level factor (1 at the slider's top).
    int Next(double level);

private:
    std::uint32_t m_state = 1;
};
