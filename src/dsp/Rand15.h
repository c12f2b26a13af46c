#pragma once

#include <cstdint>

// The run-time library's 15-bit pseudo-random generator (a linear congruential generator,
// values 0 .. 32767), one independent sequence per object. The instruments seed it from the
// clock at their start; tests seed it with fixed values.
class CRand15 {
public:
    static constexpr int kMax = 32767;

    explicit CRand15(std::uint32_t seed = 1) : m_state(seed) {}
    void Seed(std::uint32_t seed) { m_state = seed; }
    int Next() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFFu);
    }
    // A seed from the wall clock.
    static std::uint32_t ClockSeed();

private:
    std::uint32_t m_state;
};
