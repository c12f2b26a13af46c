#pragma once

#include <vector>

// The time-stretched pulse of `points` samples (a power of two, 4 .. 32768) with stretch m,
// without an amplitude factor: tsp[i] = Re g[(i + points/2 - m) mod points], g the unscaled
// inverse transform of G(k) = e^(j 4 pi m k^2 / points^2) for k <= points/2 and
// G(points - k) = conj G(k). Its spectrum has unit magnitude at every bin. All zeros when the
// size is not supported.
std::vector<float> MakeTsp(int points, int stretch);
