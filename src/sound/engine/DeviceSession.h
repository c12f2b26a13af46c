#pragma once

#include <cstdint>

// A new device session number (IWaveIn::Session, IWaveOut::Session): process-wide, never 0,
// never repeated, whichever back-end opens the device. Safe from any thread.
std::uint64_t NewDeviceSession();
