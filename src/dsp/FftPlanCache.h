#pragma once

#include "dsp/PowerOfTwoFft.h"

#include <array>
#include <memory>
#include <vector>

// Passes of the document FFT for every size 2^1 ... 2^15, each built on first use from the
// twiddle values MakeFftTables gives for its size, so a transform never depends on the size the
// document's own tables were last filled for. Allocates only when a size is first used.
class FftPlanCache {
public:
    static constexpr int kMaxLog2 = 15;

    struct Plan {
        PowerOfTwoFft<float> passes;
        std::vector<float> cosHalf; // cos(2 pi i / n), i < n/2, as MakeFftTables gives them
        std::vector<float> sinHalf;
    };

    // The plan of size n = 2^log2n, 1 <= log2n <= kMaxLog2.
    const Plan& For(int log2n);

private:
    std::array<std::unique_ptr<Plan>, kMaxLog2 + 1> m_plans;
};
