#include "realtime/LineOutMode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
std::vector<std::uint8_t> Frame(int l, int r) {
    const auto ul = static_cast<std::uint16_t>(l), ur = static_cast<std::uint16_t>(r);
    return {static_cast<std::uint8_t>(ul & 0xFF), static_cast<std::uint8_t>(ul >> 8),
            static_cast<std::uint8_t>(ur & 0xFF), static_cast<std::uint8_t>(ur >> 8)};
}
int Sample(const std::vector<std::uint8_t>& f, int c) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(f[2 * c] | (f[2 * c + 1] << 8)));
}
} // namespace

TEST(LineOutMode, ModesOfTheList) {
    const struct {
        int mode;
        double gainDb;
        int l, r, outL, outR;
    } cases[] = {
        {lineout::Normal, 0.0, 1234, -4321, 1234, -4321},
        {lineout::Normal, 20.0, 1000, -1001, 10000, -10010},
        {lineout::SumDiff, 0.0, 1001, 500, 750, 250},
        {lineout::SumDiff, 0.0, -3, 0, -1, -1},
        {lineout::Product, 0.0, 32767, 32767, 32766, 32766},
        {lineout::Product, 0.0, -32768, 16384, -16384, -16384},
        // Out of range: the low 16 bits, as the filter routines store.
        {lineout::Normal, 20.0, 30000, -30000, -27680, 27680},
        {lineout::SumDiff, 6.0, 32767, -32768, 0, -157},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> f = Frame(c.l, c.r);
        LineOutMode(c.mode, LineOutGain(c.gainDb), f.data(), 1);
        EXPECT_EQ(Sample(f, 0), c.outL) << c.mode << " " << c.l;
        EXPECT_EQ(Sample(f, 1), c.outR) << c.mode << " " << c.r;
    }
    EXPECT_STREQ(LineOutName(lineout::SumDiff), "L±R(Shift_1bit)");
    EXPECT_STREQ(LineOutName(lineout::Product), "LxR(Shift_16bit)");
}
