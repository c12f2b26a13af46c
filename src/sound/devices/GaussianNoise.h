#pragma once

#include <cstdint>

// Gaussian noise of zero mean and a given sigma from a seed: splitmix64 draws turned into pairs
// of normal deviates by the Box-Muller transform. The sequence depends only on the seed, so a
// run repeats exactly on every machine (up to the rounding of log, sqrt, sin and cos).
class CGaussianNoise {
public:
    CGaussianNoise(double sigma, std::uint64_t seed) : m_sigma(sigma), m_state(seed) {}

    // The next value, in the units of sigma.
    double Next();

private:
    std::uint64_t NextBits();
    // Uniform in (0, 1].
    double NextUniform();

    double m_sigma;
    std::uint64_t m_state;
    double m_spare = 0.0;
    bool m_haveSpare = false;
};
