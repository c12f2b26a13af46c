#include "sound/engine/DeviceSession.h"

#include <atomic>

std::uint64_t NewDeviceSession() {
    static std::atomic<std::uint64_t> counter{0};
    return counter.fetch_add(1) + 1;
}
