#pragma once

#include "sound/devices/DutElement.h"
#include "sound/devices/GaussianNoise.h"

// Adds Gaussian noise: y = x + n, n of the given sigma in counts.
class CDutNoise : public IDutElement {
public:
    CDutNoise(double sigma, std::uint64_t seed) : m_noise(sigma, seed) {}
    double Process(double v) override { return v + m_noise.Next(); }

private:
    CGaussianNoise m_noise;
};
