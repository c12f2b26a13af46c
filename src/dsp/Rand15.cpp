#include "dsp/Rand15.h"

#include <chrono>

std::uint32_t CRand15::ClockSeed() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}
