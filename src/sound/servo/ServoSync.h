#pragma once

#include <cstdint>

// Where the excitation starts in a recorded buffer of the servo analyzer (16-bit stereo): ch1
// is walked from the start at steps of q frames over the first `searchFrames` frames, counting
// consecutive quiet samples (|x| < 3000). At a loud sample the onset is found when more than Q
// quiet samples came before it; otherwise the count restarts. The block starts Q steps before
// the onset (the buffer start when no onset was found), limited to 0 .. `periodFrames`.
// Returns that frame.
namespace servo {
constexpr int kQuietLimit = 3000;

int FindBlockStart(const std::uint8_t* frames, int searchFrames, int stepFrames, int quietSteps,
                   int periodFrames);

// Q in steps for an excitation: the extra frames of the down-sampling, (2^d - 1) L, in steps of
// q = 2^(d+p) frames, plus 31 (TSP ①), 16 (TSP ②) or 32 (bursts); 0 for the continuous random
// and the external source.
int QuietSteps(int excitation, int pow, int downExp, int taps);
} // namespace servo
