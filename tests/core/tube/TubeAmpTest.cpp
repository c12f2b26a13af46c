#include "document/ScriptedUi.h"
#include "tube/TubeAmpCompute.h"
#include "tube/TubeBuiltins.h"
#include "tube/TubeData.h"
#include "tube/TubeMessages.h"
#include "tube/TubeProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr double kTwoPi = 6.283185307179586;

// A stage whose transfer is exactly P = a + b e + c e^2 (e = Eg - Eg0).
TubeAmpModel Quadratic(double a, double b, double c, double eg0, double amp) {
    TubeAmpModel m;
    TubeRecord& r = m.rec[0];
    r.curve.centre = eg0;
    r.curve.scale = 1.0;
    r.curve.c = {a, b, c, 0, 0, 0, 0, 0};
    r.eg0 = eg0;
    r.a = amp;
    r.p0 = a;
    r.d = -b * amp * 2.0;
    r.lo = eg0 - 1000.0;
    r.hi = eg0 + 1000.0;
    r.plo = r.curve(r.lo);
    r.phi = r.curve(r.hi);
    return m;
}

std::vector<std::uint8_t> Sine32(double fraction, int frames, int rate) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(frames) * 8);
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<std::int32_t>(fraction * 2147483647.0 *
                                                 std::sin(kTwoPi * 1000.0 * i / rate));
        std::memcpy(&bytes[static_cast<std::size_t>(i) * 8], &v, 4);
        std::memcpy(&bytes[static_cast<std::size_t>(i) * 8 + 4], &v, 4);
    }
    return bytes;
}

std::vector<float> Left32(const std::vector<std::uint8_t>& bytes) {
    std::vector<float> out(bytes.size() / 8);
    for (std::size_t i = 0; i < out.size(); ++i) {
        std::int32_t v = 0;
        std::memcpy(&v, &bytes[i * 8], 4);
        out[i] = static_cast<float>(v);
    }
    return out;
}

TubeAmpSettings SettingsOf(const TubeData& d, int circuit, int bias, double wanted) {
    TubeAmpSettings s;
    s.circuit = circuit;
    s.bias = bias;
    s.wanted = wanted;
    for (int t = 0; t < 2; ++t) {
        s.tube[t].supply = d.both[TubeData::Supply][t];
        s.tube[t].load = d.both[TubeData::Load][t];
        s.tube[t].current = d.both[TubeData::ConstCurrent][t];
        s.tube[t].gridBias = d.both[TubeData::GridBias][t];
        s.tube[t].cathodeBias = d.both[TubeData::CathodeBias][t];
        s.tube[t].bias = bias;
    }
    return s;
}

} // namespace

TEST(TubeAmp, QuadraticTransferGivesTheClosedFormDistortion) {
    const int rate = 48000;
    const double b = -3.0, c = 0.04, amp = 20.0;
    for (double fraction : {0.25, 0.5, 0.9}) {
        CTubeProcessor p;
        p.SetModel(Quadratic(250.0, b, c, -40.0, amp));
        auto bytes = Sine32(fraction, 16384, rate);
        p.Process(bytes.data(), 16384, 3, nullptr, nullptr);
        const double thd = TubeSignalThd(Left32(bytes), rate);
        const double expected = 100.0 * std::fabs(c) * fraction * amp / (2.0 * std::fabs(b));
        EXPECT_NEAR(thd, expected, 0.01 * expected + 0.001) << fraction;
    }
}

TEST(TubeAmp, ThroughLeavesEverySampleAsItWas) {
    std::mt19937 random(7);
    for (int width : {1, 3}) {
        const int bytesPerFrame = width == 1 ? 4 : 8;
        std::vector<std::uint8_t> bytes(4096 * bytesPerFrame);
        for (auto& v : bytes) v = static_cast<std::uint8_t>(random());
        const auto original = bytes;
        CTubeProcessor p;
        p.SetModel(Quadratic(250.0, -3.0, 0.04, -40.0, 20.0));
        p.SetOffsets(3.0f, -2.0f);
        p.SetThrough(true);
        std::vector<float> w1(4096), w2(4096);
        p.Process(bytes.data(), 4096, width, w1.data(), w2.data());
        EXPECT_EQ(bytes, original) << width;
        p.SetThrough(false);
        p.Process(bytes.data(), 4096, width, nullptr, nullptr);
        EXPECT_NE(bytes, original) << width;
    }
}

TEST(TubeAmp, OutputIsLimitedWithoutWrapping) {
    // A gain of 4 drives the output far beyond full scale at both ends.
    TubeAmpModel m = Quadratic(250.0, -3.0, 0.0, -40.0, 20.0);
    m.rec[0].d = 15.0;
    CTubeProcessor p;
    p.SetModel(m);
    std::vector<std::uint8_t> bytes(16);
    const std::int32_t in[2] = {2147483647, -2147483647 - 1};
    std::memcpy(&bytes[0], &in[0], 4);
    std::memcpy(&bytes[8], &in[1], 4);
    p.Process(bytes.data(), 2, 3, nullptr, nullptr);
    std::int32_t out[2];
    std::memcpy(&out[0], &bytes[0], 4);
    std::memcpy(&out[1], &bytes[8], 4);
    EXPECT_EQ(out[0], -2147483647 - 1);
    EXPECT_EQ(out[1], 2147483647);
    std::vector<std::uint8_t> b16(8);
    const std::int16_t in16[2] = {32767, -32768};
    std::memcpy(&b16[0], &in16[0], 2);
    std::memcpy(&b16[4], &in16[1], 2);
    p.Process(b16.data(), 2, 1, nullptr, nullptr);
    std::int16_t o16[2];
    std::memcpy(&o16[0], &b16[0], 2);
    std::memcpy(&o16[1], &b16[4], 2);
    EXPECT_EQ(o16[0], -32767);
    EXPECT_EQ(o16[1], 32767);
}

TEST(TubeAmp, BuiltinDevicesComputeInEveryCircuit) {
    for (int device = 0; device < 3; ++device)
        for (int circuit = 0; circuit < 3; ++circuit) {
            TubeData d;
            ASSERT_TRUE(tube::BuiltinDevice(device, d));
            const double wanted = device == 2 ? 0.002 : 1.0;
            CScriptedUi ui;
            TubeAmpResult res;
            const bool ok = ComputeTubeAmp(ui, d, SettingsOf(d, circuit, 0, wanted), res);
            ASSERT_TRUE(ok) << device << "/" << circuit << ": "
                            << (ui.messages.empty() ? "" : ui.messages.back().text);
            EXPECT_GE(res.levels.size(), 2u);
            EXPECT_GT(res.maxPower, 0.0);
            EXPECT_GT(res.setThd, 0.0);
            EXPECT_LT(res.setThd, 10.0);
            for (int t = 0; t < (circuit == 0 ? 1 : 2); ++t) {
                EXPECT_NE(res.model.rec[t].d, 0.0);
                EXPECT_TRUE(std::isfinite(res.model.rec[t].d));
            }
        }
}

TEST(TubeAmp, WantedPowerOutsideTheWalkFails) {
    TubeData d;
    ASSERT_TRUE(tube::BuiltinDevice(0, d));
    for (double wanted : {1.0e-6, 1.0e3}) {
        CScriptedUi ui;
        TubeAmpResult res;
        EXPECT_FALSE(ComputeTubeAmp(ui, d, SettingsOf(d, 0, 0, wanted), res)) << wanted;
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().text, tubemsg::kOutputFault);
    }
}
