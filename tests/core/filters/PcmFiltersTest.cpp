#include "filters/PcmFilters.h"
#include "filters/BiquadDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr int kHead = 7; // odd on purpose: samples need no alignment

// Interleaved centred samples -> image bytes with a recognisable header.
std::vector<std::uint8_t> Image(const std::vector<int>& samples, int width) {
    std::vector<std::uint8_t> img(kHead);
    for (int i = 0; i < kHead; ++i) img[i] = static_cast<std::uint8_t>(0xA0 + i);
    for (int v : samples) {
        if (width == 1) {
            img.push_back(static_cast<std::uint8_t>(v + 128));
        } else {
            img.push_back(static_cast<std::uint8_t>(v & 0xFF));
            img.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
        }
    }
    return img;
}

int At(const std::vector<std::uint8_t>& img, int index, int width) {
    const std::uint8_t* p = img.data() + kHead + index * width;
    return width == 1 ? p[0] - 128 : static_cast<std::int16_t>(p[0] | (p[1] << 8));
}

std::vector<int> Noise(int count, int amplitude, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> d(-amplitude, amplitude);
    std::vector<int> v(count);
    for (int& x : v) x = d(rng);
    return v;
}

TEST(FirFilterPcm, ImpulseGivesTapsAtShiftedFrames) {
    const std::vector<double> h = {0.5, -0.25, 0.125, 1.0, -1.5};
    const int n = 5, frames = 40, i0 = 12;
    std::vector<int> x(frames, 0);
    x[i0] = 10000;
    const auto src = Image(x, 2);
    std::vector<std::uint8_t> dst(src.size(), 0xEE);
    FirFilterPcm(chmode::Ch1, frames, pcm::Mono16, n, h.data(), kHead, src.data(), dst.data());
    for (int i = 0; i < kHead; ++i) EXPECT_EQ(dst[i], src[i]);
    for (int j = 0; j < frames; ++j) {
        const int k = j - (i0 - n);
        const int expected = j >= frames - n ? 0 : (k >= 0 && k < n ? int(10000 * h[k]) : 0);
        EXPECT_EQ(At(dst, j, 2), expected) << "frame " << j;
    }
}

TEST(FirFilterPcm, EightBitLimitsSixteenBitWraps) {
    const std::vector<double> fifth(5, 0.2);
    const std::vector<int> full(20, 127); // bytes 255
    const auto src8 = Image(full, 1);
    std::vector<std::uint8_t> dst8(src8.size());
    FirFilterPcm(chmode::Ch1, 20, pcm::Mono8, 5, fifth.data(), kHead, src8.data(), dst8.data());
    for (int j = 0; j < 15; ++j) EXPECT_EQ(dst8[kHead + j], 255) << j;
    for (int j = 15; j < 20; ++j) EXPECT_EQ(dst8[kHead + j], 128) << "silence " << j;

    const std::vector<double> negative = {-3.0};
    const auto srcLow = Image(std::vector<int>(4, 100), 1);
    std::vector<std::uint8_t> dstLow(srcLow.size());
    FirFilterPcm(chmode::Ch1, 4, pcm::Mono8, 1, negative.data(), kHead, srcLow.data(),
                 dstLow.data());
    EXPECT_EQ(dstLow[kHead], 1); // -300 limited to -127

    const std::vector<double> gain = {2.0, 0.0};
    const auto src16 = Image({0, 0, 20000, -20001, 7, 0}, 2);
    std::vector<std::uint8_t> dst16(src16.size());
    FirFilterPcm(chmode::Ch1, 6, pcm::Mono16, 2, gain.data(), kHead, src16.data(), dst16.data());
    EXPECT_EQ(At(dst16, 0, 2), static_cast<std::int16_t>(40000));
    EXPECT_EQ(At(dst16, 1, 2), static_cast<std::int16_t>(-40002));
    EXPECT_EQ(At(dst16, 2, 2), 14);
}

struct StereoCase {
    int mode;
    int taps;
};

class FirStereo : public ::testing::TestWithParam<StereoCase> {};

TEST_P(FirStereo, FilteredChannelMatchesSumOtherIsDelayedCopy) {
    const auto [mode, n] = GetParam();
    const int frames = 3000;
    std::vector<double> h(n);
    for (int k = 0; k < n; ++k) h[k] = std::sin(0.37 * k + 0.1) / n;
    const auto x = Noise(2 * frames, 30000, 5);
    const auto src = Image(x, 2);
    std::vector<std::uint8_t> dst(src.size());
    FirFilterPcm(mode, frames, pcm::Stereo16, n, h.data(), kHead, src.data(), dst.data());
    for (int j = 0; j < frames - n; ++j) {
        const int i = j + n;
        for (int ch = 0; ch < 2; ++ch) {
            const bool filtered = mode == chmode::Both || mode == ch + 1;
            const int got = At(dst, 2 * j + ch, 2);
            if (mode == chmode::CopyOnly) {
                ASSERT_EQ(got, x[2 * i + ch]);
            } else if (filtered) {
                double y = 0;
                for (int k = 0; k < n; ++k) y += h[k] * x[2 * (i - k) + ch];
                ASSERT_NEAR(got, static_cast<int>(y), 1) << "frame " << j << " ch " << ch;
            } else {
                ASSERT_EQ(got, x[2 * (i - n / 2) + ch]) << "frame " << j << " ch " << ch;
            }
        }
    }
    for (int j = frames - n; j < frames; ++j) EXPECT_EQ(At(dst, 2 * j, 2), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, FirStereo,
                         ::testing::Values(StereoCase{1, 31}, StereoCase{2, 32},
                                           StereoCase{3, 1037}, StereoCase{4, 8}),
                         [](const ::testing::TestParamInfo<StereoCase>& info) {
                             return "mode" + std::to_string(info.param.mode) + "_taps" +
                                    std::to_string(info.param.taps);
                         });

TEST(FirFilterPcm, FewerFramesThanTapsGiveSilence) {
    const std::vector<double> h(16, 0.1);
    const auto src = Image(Noise(20, 100, 1), 1);
    std::vector<std::uint8_t> dst(src.size());
    FirFilterPcm(chmode::Both, 10, pcm::Stereo8, 16, h.data(), kHead, src.data(), dst.data());
    for (std::size_t i = kHead; i < dst.size(); ++i) EXPECT_EQ(dst[i], 128);
}

// y[n] = (b0 x + b1 x1 + b2 x2 - a1 y1 - a2 y2) / a0 with the stored outputs fed back: float
// ratios, the sum in double.
std::vector<int> BiquadReference(const std::vector<int>& x, const double (&c)[6]) {
    std::vector<int> y(x.size());
    const float a0 = float(c[0]);
    const float r[5] = {float(c[3]) / a0, float(c[4]) / a0, float(c[5]) / a0, float(c[1]) / a0,
                        float(c[2]) / a0};
    for (std::size_t n = 0; n < x.size(); ++n) {
        const auto X = [&](std::size_t k) { return n >= k ? float(x[n - k]) : 0.0f; };
        const auto Y = [&](std::size_t k) { return n >= k ? float(y[n - k]) : 0.0f; };
        const double v = double(r[0]) * X(0) + double(r[1]) * X(1) + double(r[2]) * X(2) -
                         double(r[3]) * Y(1) - double(r[4]) * Y(2);
        y[n] = static_cast<std::int16_t>(static_cast<long long>(std::trunc(v)) & 0xFFFF);
    }
    return y;
}

TEST(BiquadFilterPcm, MatchesDirectFormOneAndContinuesAcrossCalls) {
    const double c[6] = {2.0, -1.2, 0.5, 0.3, 0.4, 0.3}; // a0 a1 a2 b0 b1 b2, a0 != 1
    const auto x = Noise(400, 20000, 9);
    const auto want = BiquadReference(x, c);

    std::vector<int> stereo;
    for (int v : x) stereo.insert(stereo.end(), {v, v / 2});
    const auto src = Image(stereo, 2);
    std::vector<std::uint8_t> dst(src.size());
    float xh1[2] = {}, xh2[2] = {}, yh1[2] = {}, yh2[2] = {};
    BiquadFilterPcm(chmode::Ch1, 400, pcm::Stereo16, c[0], c[1], c[2], c[3], c[4], c[5], xh1, xh2,
                    yh1, yh2, kHead, src.data(), dst.data());
    for (int n = 0; n < 400; ++n) {
        ASSERT_EQ(At(dst, 2 * n, 2), want[n]) << n;
        ASSERT_EQ(At(dst, 2 * n + 1, 2), x[n] / 2) << "channel 2 is copied undelayed";
    }
    EXPECT_EQ(xh1[0], float(x[399]));
    EXPECT_EQ(yh1[1], float(want[398]));
    EXPECT_EQ(xh2[0], 0.0f);

    // The same signal in pieces of 1, 2 and the rest, carried by the histories.
    const auto mono = Image(x, 2);
    std::vector<std::uint8_t> out(mono.size());
    float xh[2] = {}, yh[2] = {}, unused[2] = {};
    int done = 0;
    for (int piece : {1, 2, 397}) {
        BiquadFilterPcm(chmode::Ch1, piece, pcm::Mono16, c[0], c[1], c[2], c[3], c[4], c[5], xh,
                        unused, yh, unused, 0, mono.data() + kHead + 2 * done,
                        out.data() + kHead + 2 * done);
        done += piece;
    }
    for (int n = 0; n < 400; ++n) ASSERT_EQ(At(out, n, 2), want[n]) << n;
}

TEST(BiquadFilterPcm, EightBitWrapsModulo256) {
    const auto src = Image({127, -128, 10}, 1);
    std::vector<std::uint8_t> dst(src.size());
    float h[2] = {}, z[2] = {};
    BiquadFilterPcm(chmode::Ch1, 3, pcm::Mono8, 1, 0, 0, 2, 0, 0, h, z, h + 0, z, kHead, src.data(),
                    dst.data());
    EXPECT_EQ(dst[kHead + 0], (254 + 128) % 256);
    EXPECT_EQ(dst[kHead + 1], (-256 + 128 + 256) % 256);
    EXPECT_EQ(dst[kHead + 2], 148);
}

TEST(CascadeFilterPcm, SectionsInSeriesIgnoreA0) {
    BiquadTable t;
    // Section 0: y = x + 0.5 x1 ; section 1: y = w with w = x + 0.25 w1 (a1 = -0.25).
    t.a0[0] = 7.0; // not read
    t.b0[0] = 1.0;
    t.b1[0] = 0.5;
    t.a0[1] = 2.0;
    t.a1[1] = -0.25;
    t.b0[1] = 1.0;
    const std::vector<int> x = {1000, 0, 0, 0, -200, 0};
    std::vector<int> stereo;
    for (int v : x) stereo.insert(stereo.end(), {v, 3});
    const auto src = Image(stereo, 2);
    std::vector<std::uint8_t> dst(src.size() + 3, 0xEE);
    CascadeState s1, s2;
    CascadeFilterPcm(chmode::Ch1, 2.0, static_cast<int>(src.size()) - kHead, 4, pcm::Stereo16, 3, t,
                     s1, s2, kHead, src.data(), dst.data());
    // Section 0 gives 1000, 500, 0, 0, -200, -100; section 1 accumulates with 0.25.
    std::vector<double> w(6);
    const double s0[6] = {1000, 500, 0, 0, -200, -100};
    for (int n = 0; n < 6; ++n) w[n] = s0[n] + (n ? 0.25 * w[n - 1] : 0.0);
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(At(dst, 2 * n, 2), static_cast<int>(2.0 * w[n])) << n;
        EXPECT_EQ(At(dst, 2 * n + 1, 2), 3);
    }
    EXPECT_EQ(dst[src.size()], 0xEE);
    EXPECT_DOUBLE_EQ(s1.w1[1], w[5]);
}

TEST(CascadeFilterPcm, EightBitStoresGainTimesOffsetSample) {
    BiquadTable t;
    t.b0[0] = 1.0;
    const auto src = Image({100, -100, 0, 20}, 1);
    std::vector<std::uint8_t> dst(src.size());
    CascadeState s1, s2;
    CascadeFilterPcm(chmode::Ch2, 1.5, 4, 2, pcm::Stereo8, 2, t, s1, s2, kHead, src.data(),
                     dst.data());
    EXPECT_EQ(dst[kHead + 0], 228);                        // channel 1 copied
    EXPECT_EQ(dst[kHead + 1], static_cast<int>(1.5 * 28)); // 1.5 * (-100 + 128)
    EXPECT_EQ(dst[kHead + 3], static_cast<int>(1.5 * 148) % 256);
}

} // namespace

// A peaking section at 0 dB has equal numerator and denominator: the input comes back exactly.
TEST(BiquadFilterPcm, PeakingAtZeroDecibelsGivesItsInputBack) {
    float den[3], num[3];
    for (int f : {50, 1000, 15000}) {
        ASSERT_EQ(BiquadDesign(biquadtype::Peaking, 48000, static_cast<float>(f), 0.0f, den, num),
                  1);
        const auto x = Noise(3000, 30000, f);
        const auto src = Image(x, 2);
        std::vector<std::uint8_t> dst(src.size());
        float xh[2] = {}, yh[2] = {}, unused[2] = {};
        BiquadFilterPcm(chmode::Ch1, 3000, pcm::Mono16, den[0], den[1], den[2], num[0], num[1],
                        num[2], xh, unused, yh, unused, kHead, src.data(), dst.data());
        EXPECT_EQ(dst, src) << f;
    }
}
