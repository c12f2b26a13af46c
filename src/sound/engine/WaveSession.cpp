#include "sound/engine/WaveSession.h"

#include <atomic>

std::uint64_t NewWaveSession() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}
