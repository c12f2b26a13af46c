#pragma once

// How the virtual card's frame clock runs. Fast: only when its owner calls Pump (tests, the
// command line: as fast as the processing allows, the same result on every run). RealTime:
// by wall time on the card's own thread, like a real driver (the desktop program).
enum class VirtualClock { Fast, RealTime };
