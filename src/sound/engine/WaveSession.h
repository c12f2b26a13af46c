#pragma once

#include <cstdint>

// A new device session number: unique among every opening of every back-end in the process
// (never 0), so that completions of an earlier opening are told apart from the current one's.
// Safe from any thread.
std::uint64_t NewWaveSession();
