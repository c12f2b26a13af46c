#include "sound/devices/PcmFrameCodec.h"
#include "sound/engine/WaveTypes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

WaveFormat Format(int widthCodeOrBits, int channels = 1) {
    if (widthCodeOrBits == 8 || widthCodeOrBits == 16)
        return MakePcmFormat(48000, widthCodeOrBits, channels);
    return *MakeExtensibleFormat(48000, widthCodeOrBits, channels);
}

std::vector<std::uint8_t> Written(const WaveFormat& f, double v) {
    std::vector<std::uint8_t> bytes(f.blockAlign, 0xAA);
    pcmframe::Write(f, &v, bytes.data());
    return bytes;
}

TEST(PcmFrameCodec, WritesRoundAndSaturateLikeAConverter) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        int width;
        double v;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {8, 0.0, {0x80}},
        {8, 383.9, {0x81}}, // 1.4996 steps
        {8, 384.0, {0x82}}, // 1.5 rounds away from zero
        {8, -384.0, {0x7E}},
        {8, 32767.0, {0xFF}},
        {8, 40000.0, {0xFF}},
        {8, -40000.0, {0x00}},
        {8, nan, {0x80}},
        {16, 1.5, {0x02, 0x00}},
        {16, -1.5, {0xFE, 0xFF}},
        {16, 1.49, {0x01, 0x00}},
        {16, 32767.6, {0xFF, 0x7F}},
        {16, -32768.0, {0x00, 0x80}},
        {16, -inf, {0x00, 0x80}},
        {16, nan, {0x00, 0x00}},
        {widthcode::Bits24, 1.0, {0x00, 0x00, 0x01, 0x00}},
        {widthcode::Bits24, 1.0 / 256.0, {0x00, 0x01, 0x00, 0x00}},
        {widthcode::Bits24, -1.0 / 256.0, {0x00, 0xFF, 0xFF, 0xFF}},
        {widthcode::Bits24, 40000.0, {0x00, 0xFF, 0xFF, 0x7F}},
        {widthcode::Bits24, -40000.0, {0x00, 0x00, 0x00, 0x80}},
        {widthcode::Bits32, 1.0 / 65536.0, {0x01, 0x00, 0x00, 0x00}},
        {widthcode::Bits32, -32768.0, {0x00, 0x00, 0x00, 0x80}},
        {widthcode::Bits32, inf, {0xFF, 0xFF, 0xFF, 0x7F}},
        {widthcode::Bits16, -2.0, {0xFE, 0xFF}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Written(Format(c.width), c.v), c.bytes) << c.width << " " << c.v;
}

TEST(PcmFrameCodec, ReadsEachWidthInCounts) {
    struct Case {
        int width;
        std::vector<std::uint8_t> bytes;
        double v;
    };
    const Case cases[] = {
        {8, {0x00}, -32768.0},
        {8, {0xFF}, 127.0 * 256.0},
        {16, {0x00, 0x80}, -32768.0},
        {widthcode::Bits24, {0x00, 0x01, 0x00, 0x00}, 1.0 / 256.0},
        {widthcode::Bits24, {0x7F, 0x00, 0x00, 0x80}, -32768.0}, // low byte ignored
        {widthcode::Bits32, {0xFF, 0xFF, 0xFF, 0x7F}, 2147483647.0 / 65536.0},
        {widthcode::Bits32, {0x00, 0x80, 0xFF, 0xFF}, -0.5},
    };
    for (const auto& c : cases) {
        double v = 0.0;
        pcmframe::Read(Format(c.width), c.bytes.data(), &v);
        EXPECT_EQ(v, c.v) << c.width;
    }
    // Stereo frames are interleaved, channel 1 first.
    const std::uint8_t frame[] = {0x01, 0x00, 0xFF, 0xFF};
    double v[2] = {};
    pcmframe::Read(Format(16, 2), frame, v);
    EXPECT_EQ(v[0], 1.0);
    EXPECT_EQ(v[1], -1.0);
}

} // namespace
