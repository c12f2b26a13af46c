#include "sound/devices/GaussianNoise.h"

#include <cmath>
#include <numbers>

std::uint64_t CGaussianNoise::NextBits() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double CGaussianNoise::NextUniform() {
    return (static_cast<double>(NextBits() >> 11) + 1.0) * 0x1.0p-53;
}

double CGaussianNoise::Next() {
    if (m_haveSpare) {
        m_haveSpare = false;
        return m_sigma * m_spare;
    }
    const double r = std::sqrt(-2.0 * std::log(NextUniform()));
    const double theta = 2.0 * std::numbers::pi * NextUniform();
    m_spare = r * std::sin(theta);
    m_haveSpare = true;
    return m_sigma * r * std::cos(theta);
}
