#include "sound/audio/TspOnset.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int kFrames = 16384;

// A stereo buffer of `frames` frames (16-bit, or 32-bit containers for width codes 2 and 3)
// that is silent except for `value` on channel `ch` over [from, to).
std::vector<std::uint8_t> Buffer(int widthCode, int ch, int from, int to, int value = 12000) {
    const std::size_t sample = widthCode == 1 ? 2 : 4;
    std::vector<std::uint8_t> b(kFrames * 2 * sample, 0);
    for (int f = from; f < to && f < kFrames; ++f) {
        std::uint8_t* p = b.data() + (static_cast<std::size_t>(f) * 2 + ch) * sample;
        if (sample == 2) {
            const auto v = static_cast<std::int16_t>(value);
            std::memcpy(p, &v, 2);
        } else {
            const std::int32_t v = value * 65536;
            std::memcpy(p, &v, 4);
        }
    }
    return b;
}

std::size_t Start(const std::vector<std::uint8_t>& b, int ch, int widthCode) {
    return audio::TspOnsetStart(b.data(), b.size(), ch, widthCode);
}

} // namespace

// A burst starting on a probe (every 512 bytes: 128 frames of 16 bits, 64 of 32-bit containers)
// after a long silence: the copy starts exactly 16 probes (8192 bytes) before it, on either
// channel and in every container.
TEST(TspOnset, KnownOnsetsAreRecoveredExactly) {
    for (int width : {1, 2, 3}) {
        const std::size_t frameBytes = width == 1 ? 4 : 8;
        for (int ch : {0, 1}) {
            for (int onset : {2176, 4096, 6016, 8960}) {
                const auto b = Buffer(width, ch, onset, onset + 4096);
                EXPECT_EQ(Start(b, ch, width), onset * frameBytes - 8192)
                    << width << " " << ch << " " << onset;
                // The other channel is silent: no onset there.
                EXPECT_EQ(Start(b, 1 - ch, width), 0u) << width << " " << ch << " " << onset;
            }
        }
    }
}

// Between probes the onset is the next probe; the start stays on that probe's frame.
TEST(TspOnset, OnsetBetweenProbesIsTakenAtTheNextProbe) {
    const auto b = Buffer(1, 0, 5000, 9000); // probes at 4992 (quiet) and 5120 (loud)
    EXPECT_EQ(Start(b, 0, 1), (5120u - 2048u) * 4u);
    // Loud only between two probes: never seen.
    const auto missed = Buffer(1, 0, 5000, 5100);
    EXPECT_EQ(Start(missed, 0, 1), 0u);
}

TEST(TspOnset, QuietRunsOfSixteenProbesOrFewerAreNoOnset) {
    // Loud from 2048: only 16 quiet probes (0 .. 1920) before it, and no quiet after.
    EXPECT_EQ(Start(Buffer(1, 0, 2048, kFrames), 0, 1), 0u);
    // A click at 1024 follows 8 quiet probes and one at 3072 only 15: neither is the onset; the
    // burst at 6016 follows 22.
    auto b = Buffer(1, 0, 1024, 1025);
    const auto late = Buffer(1, 0, 3072, 3200);
    const auto burst = Buffer(1, 0, 6016, 8000);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] |= late[i] | burst[i];
    EXPECT_EQ(Start(b, 0, 1), (6016u - 2048u) * 4u);
}

TEST(TspOnset, StartIsLimitedToHalfTheBuffer) {
    // A late onset would start past the middle: the copy of T frames starts at the middle.
    const auto b = Buffer(1, 0, 14080, kFrames);
    EXPECT_EQ(Start(b, 0, 1), b.size() / 2);
    // Magnitudes just below 3000 are quiet, 3000 and -3000 are loud.
    EXPECT_EQ(Start(Buffer(1, 0, 4096, 8000, 2999), 0, 1), 0u);
    EXPECT_EQ(Start(Buffer(1, 0, 4096, 8000, -3000), 0, 1), (4096u - 2048u) * 4u);
}
