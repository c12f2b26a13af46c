#include "dsp/FloatToInt.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

struct Case {
    double x;
    std::int32_t saturated;
    std::int16_t wrapped16;
    std::uint8_t wrapped8;
};

TEST(FloatToInt, NanIsZeroInfinitiesSaturateAndTheRestTruncates) {
    const Case cases[] = {
        {kNan, 0, 0, 0},
        {kInf, 2147483647, -1, 255},
        {-kInf, -2147483647 - 1, 0, 0},
        {1e300, 2147483647, -1, 255},
        {-1e300, -2147483647 - 1, 0, 0},
        {2147483647.9, 2147483647, -1, 255},
        {-2147483648.5, -2147483647 - 1, 0, 0},
        {32767.9, 32767, 32767, 255},
        {32768.0, 32768, -32768, 0},
        {-32769.2, -32769, 32767, 255},
        {65537.0, 65537, 1, 1},
        {-0.9, 0, 0, 0},
        {255.99, 255, 255, 255},
        {256.0, 256, 256, 0},
        {-1.5, -1, -1, 255},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SaturateToInt32(c.x), c.saturated) << c.x;
        EXPECT_EQ(WrapToInt16(c.x), c.wrapped16) << c.x;
        EXPECT_EQ(WrapToUInt8(c.x), c.wrapped8) << c.x;
    }
    EXPECT_EQ(SaturateToRange(kNan, -5, 5), 0);
    EXPECT_EQ(SaturateToRange(kInf, -5, 5), 5);
    EXPECT_EQ(SaturateToRange(-7.9, -5, 5), -5);
}

} // namespace
