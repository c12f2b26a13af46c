#include "sound/scope/ScopeSweeper.h"
#include "sound/scope/ScopeSweeps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kCounterModulus = 30000;

// Drives a sweeper with blocks of a signal: ch1 from `signal`, ch2 a frame counter modulo
// 30000, so that every sweep tells where in time it starts.
class Feed {
public:
    Feed(CScopeSweeper& s, std::function<int(long long)> signal)
        : m_s(s), m_signal(std::move(signal)), m_wave1(96000), m_wave2(96000) {}

    // Writes the next block and steps; true when a sweep came out.
    bool Next(bool freeRun = false) {
        std::int16_t* slot = m_s.CurrentSlot();
        for (int j = 0; j < m_s.BlockFrames(); ++j, ++m_t) {
            slot[2 * j] = static_cast<std::int16_t>(m_signal(m_t));
            slot[2 * j + 1] = static_cast<std::int16_t>(m_t % kCounterModulus);
        }
        return m_s.Step(freeRun, m_wave1.data(), m_wave2.data(), 0.0f, 0.0f, m_frac);
    }
    // Steps until a sweep; the number of blocks it took (-1 after `limit`).
    int UntilSweep(int limit, bool freeRun = false) {
        for (int b = 1; b <= limit; ++b)
            if (Next(freeRun)) return b;
        return -1;
    }
    // Frame (time) of sweep sample 0, from the counter, taken as the latest such time.
    long long SweepStart() const {
        const long long c = static_cast<long long>(m_wave2[0]);
        long long t = m_t - (m_t % kCounterModulus) + c;
        while (t > m_t) t -= kCounterModulus;
        return t;
    }
    const std::vector<float>& Wave1() const { return m_wave1; }
    const std::vector<float>& Wave2() const { return m_wave2; }
    float Frac() const { return m_frac; }

private:
    CScopeSweeper& m_s;
    std::function<int(long long)> m_signal;
    std::vector<float> m_wave1, m_wave2;
    float m_frac = -1.0f;
    long long m_t = 0;
};

struct TriggerCase {
    int slope, delay, level;
};

class ScopeTriggerAt : public ::testing::TestWithParam<TriggerCase> {};

// A sine crossing the level: the sweep starts P frames from the first sample beyond the level,
// the trigger fraction places the crossing between the two samples as a straight line through
// them does, and the true crossing of the sine lies there within a hundredth of a frame.
TEST_P(ScopeTriggerAt, SweepAndFractionFollowTheCrossing) {
    const TriggerCase c = GetParam();
    const double amp = 12000.0, period = 97.3;
    auto sine = [&](long long t) {
        return static_cast<int>(
            std::lround(amp * std::sin(2 * std::numbers::pi * t / period + 0.4)));
    };
    CScopeSweeper s;
    ScopeTrigger trig;
    trig.level = c.level;
    trig.slope = c.slope;
    trig.mode = 1;
    trig.delayPercent = c.delay;
    const int n = 480, e = 1920;
    ASSERT_TRUE(s.Begin(n, 1, e, trig));
    Feed feed(s, sine);
    // The first scan compares with a cleared last sample (0); the crossings after it are real.
    ASSERT_GT(feed.UntilSweep(20), 0);
    for (int sweep = 0; sweep < 4; ++sweep) {
        ASSERT_GT(feed.UntilSweep(20), 0);
        const int g = static_cast<int>((1.0 - c.delay / 100.0) * n);
        const long long k = feed.SweepStart() - (g - n); // frame of the sample beyond the level
        const int x = sine(k), p = sine(k - 1);
        if (c.slope == 0) {
            ASSERT_LE(p, c.level);
            ASSERT_LT(c.level, x);
        } else {
            ASSERT_GE(p, c.level);
            ASSERT_GT(c.level, x);
        }
        EXPECT_FLOAT_EQ(feed.Frac(), static_cast<float>(x - c.level) / static_cast<float>(x - p));
        // The sine's own crossing, by bisection between the two samples.
        double lo = k - 1, hi = k;
        const double sign = c.slope == 0 ? 1.0 : -1.0;
        for (int i = 0; i < 60; ++i) {
            const double mid = (lo + hi) / 2;
            const double v = amp * std::sin(2 * std::numbers::pi * mid / period + 0.4) - c.level;
            (sign * v > 0 ? hi : lo) = mid;
        }
        EXPECT_NEAR(k - feed.Frac(), lo, 0.02);
        for (int i = 0; i < n; ++i) ASSERT_EQ(feed.Wave1()[i], sine(feed.SweepStart() + i)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Sound, ScopeTriggerAt,
                         ::testing::Values(TriggerCase{0, 0, 0}, TriggerCase{1, 0, 0},
                                           TriggerCase{0, 50, 3000}, TriggerCase{1, 50, -5000},
                                           TriggerCase{0, 100, 8000}, TriggerCase{1, 100, 100}),
                         [](const auto& info) {
                             const TriggerCase& c = info.param;
                             return std::string(c.slope ? "Fall" : "Rise") + "Delay" +
                                    std::to_string(c.delay) + "Level" +
                                    (c.level < 0 ? "Minus" : "") +
                                    std::to_string(std::abs(c.level));
                         });

// Normal mode without a crossing never sweeps; auto mode draws a free-run sweep after A blocks.
TEST(ScopeSweeper, AutoModeFiresWithoutACrossing) {
    const int n = 4800, e = 1920; // A = 2
    for (int mode : {0, 1}) {
        CScopeSweeper s;
        ScopeTrigger trig;
        trig.level = 20000;
        trig.mode = mode;
        ASSERT_TRUE(s.Begin(n, 1, e, trig));
        Feed feed(s, [](long long t) { return static_cast<int>(t % 1000); });
        const int blocks = feed.UntilSweep(30);
        if (mode == 1) {
            EXPECT_EQ(blocks, -1);
        } else {
            EXPECT_EQ(blocks, 3); // two blocks count A down, the third sweeps
            // The free-run sweep starts at the beginning of slot s - F, F = 4800 div 1920 = 2.
            EXPECT_EQ(feed.SweepStart(), 0);
        }
    }
}

// The longest sweep, 2 s at 48 kHz (96000 frames, 50 blocks): the ring is larger than the
// sweep, and free-run and triggered sweeps are continuous runs of frames.
TEST(ScopeSweeper, LongestSweepFitsTheRing) {
    const int n = scope::SweepFrames(11, 48000, 1);
    ASSERT_EQ(n, 96000);
    const int e = scope::BufferFrames(48000);
    for (int delay : {0, 50}) {
        CScopeSweeper s;
        ScopeTrigger trig;
        trig.level = 0;
        trig.delayPercent = delay;
        ASSERT_TRUE(s.Begin(n, 1, e, trig));
        EXPECT_GE(s.Slots(), n / e + 3);
        Feed feed(s, [](long long t) { return t % 20000 < 10000 ? -100 : 100; });
        for (int sweep = 0; sweep < 3; ++sweep) {
            ASSERT_GT(feed.UntilSweep(400, sweep == 0), 0);
            const long long t0 = feed.SweepStart();
            for (int i = 0; i < n; ++i)
                ASSERT_EQ(static_cast<long long>(feed.Wave2()[i]), (t0 + i) % kCounterModulus)
                    << "sweep " << sweep << " frame " << i;
        }
    }
}

struct SweepCase {
    int index, rate, over, frames;
};

class ScopeSweepLength : public ::testing::TestWithParam<SweepCase> {};

// The sweep table, limited so that D N samples fit the 96000-sample time arrays.
TEST_P(ScopeSweepLength, FollowsTheTable) {
    const SweepCase c = GetParam();
    EXPECT_EQ(scope::SweepFrames(c.index, c.rate, c.over), c.frames);
}

INSTANTIATE_TEST_SUITE_P(
    Sound, ScopeSweepLength,
    ::testing::Values(SweepCase{1, 44100, 1, 44}, SweepCase{3, 44100, 1, 220},
                      SweepCase{4, 48000, 1, 480}, SweepCase{8, 44100, 1, 8820},
                      SweepCase{10, 96000, 1, 96000}, SweepCase{11, 96000, 1, 96000},
                      SweepCase{11, 44100, 1, 88200}, SweepCase{9, 48000, 4, 24000},
                      SweepCase{10, 48000, 4, 24000}, SweepCase{4, 96000, 4, 960}),
    [](const auto& info) {
        const SweepCase& c = info.param;
        return "Sweep" + std::to_string(c.index) + "At" + std::to_string(c.rate) + "Over" +
               std::to_string(c.over);
    });

// m_nTrigLevel = trunc(2^16 / 2^r * percent * 0.005f): a percentage of the trace's half height.
TEST(ScopeTrigger, LevelInCounts) {
    EXPECT_EQ(scope::TriggerLevel(100, 0), 32767); // 32768 * 0.99999998
    EXPECT_EQ(scope::TriggerLevel(50, 0), 16383);
    EXPECT_EQ(scope::TriggerLevel(-30, 2), -2457);
    EXPECT_EQ(scope::TriggerLevel(10, -2), 13107);
    EXPECT_EQ(scope::TriggerLevel(0, 5), 0);
}

} // namespace
