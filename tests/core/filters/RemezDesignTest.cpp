#include "filters/RemezDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

struct Band {
    double lo, hi, desired, weight; // edges as fractions of fs
};

// Zero-phase amplitude of a symmetric FIR at frequency f (fraction of fs).
double Amplitude(const std::vector<double>& h, double f) {
    const double mid = (h.size() - 1) * 0.5;
    double a = 0.0;
    for (size_t k = 0; k < h.size(); ++k)
        a += h[k] * std::cos(2.0 * std::numbers::pi * f * (static_cast<double>(k) - mid));
    return a;
}

struct Ripple {
    double peak = 0.0;    // largest weighted error
    int alternations = 0; // extrema of alternating sign reaching the peak (within tolerance)
};

// Weighted error on a grid much finer than the design's own, counted for alternation.
Ripple MeasureRipple(const std::vector<double>& h, const std::vector<Band>& bands,
                     double tolerance) {
    std::vector<double> e;
    std::vector<bool> bandStart;
    for (const Band& b : bands) {
        const int points = std::max(2, static_cast<int>((b.hi - b.lo) * 400.0 * h.size()));
        for (int i = 0; i < points; ++i) {
            const double f = b.lo + (b.hi - b.lo) * i / (points - 1);
            e.push_back(b.weight * (b.desired - Amplitude(h, f)));
            bandStart.push_back(i == 0);
        }
    }
    Ripple out;
    for (double v : e) out.peak = std::max(out.peak, std::fabs(v));
    int lastSign = 0;
    const int n = static_cast<int>(e.size());
    for (int i = 0; i < n; ++i) {
        if (std::fabs(e[i]) < (1.0 - tolerance) * out.peak) continue;
        const bool leftEdge = i == 0 || bandStart[i];
        const bool rightEdge = i == n - 1 || bandStart[i + 1];
        const bool leftOk = leftEdge || std::fabs(e[i]) >= std::fabs(e[i - 1]);
        const bool rightOk = rightEdge || std::fabs(e[i]) >= std::fabs(e[i + 1]);
        if (!leftOk || !rightOk) continue;
        const int sign = e[i] > 0.0 ? 1 : -1;
        if (sign != lastSign) ++out.alternations;
        lastSign = sign;
    }
    return out;
}

std::vector<double> Design(int taps, const std::vector<Band>& bands, int& status) {
    std::vector<double> edges, desired, weights;
    for (const Band& b : bands) {
        edges.push_back(b.lo);
        edges.push_back(b.hi);
        desired.push_back(b.desired);
        weights.push_back(b.weight);
    }
    std::vector<double> h(taps, 0.0);
    status = RemezDesign(taps, static_cast<int>(bands.size()), edges.data(), desired.data(),
                         weights.data(), kRemezMultiBand, 1.0, h.data());
    return h;
}

struct LowPassCase {
    int taps;
    double transition; // fraction of fs; narrower for long filters so that the ripple stays
                       // well above the rounding of double arithmetic
};

class RemezLowPass : public ::testing::TestWithParam<LowPassCase> {};

TEST_P(RemezLowPass, ErrorIsEquirippleWithTheAlternationsTheTheoremRequires) {
    const int taps = GetParam().taps;
    const double stopEdge = 0.18 + GetParam().transition;
    const std::vector<Band> bands = {{0.0, 0.18, 1.0, 1.0}, {stopEdge, 0.5, 0.0, 8.0}};
    int status = -1;
    const auto h = Design(taps, bands, status);
    ASSERT_EQ(status, 1);
    for (int k = 0; k < taps; ++k) EXPECT_DOUBLE_EQ(h[k], h[taps - 1 - k]);
    // Number of cosine terms of the zero-phase amplitude; the optimum alternates r + 1 times.
    const int r = taps % 2 ? (taps + 1) / 2 : taps / 2;
    const Ripple ripple = MeasureRipple(h, bands, 0.02);
    EXPECT_GE(ripple.alternations, r + 1) << "peak " << ripple.peak;
    EXPECT_LT(ripple.peak, 0.5);
    // Pass band close to 1, stop band close to 0.
    EXPECT_NEAR(Amplitude(h, 0.05), 1.0, ripple.peak * 1.01);
    EXPECT_NEAR(Amplitude(h, 0.4), 0.0, ripple.peak / 8.0 * 1.01);
    EXPECT_NEAR(Amplitude(h, 0.18), 1.0, ripple.peak * 1.01);
}

INSTANTIATE_TEST_SUITE_P(TapCounts, RemezLowPass,
                         ::testing::Values(LowPassCase{11, 0.06}, LowPassCase{24, 0.06},
                                           LowPassCase{31, 0.06}, LowPassCase{64, 0.04},
                                           LowPassCase{101, 0.03}, LowPassCase{255, 0.015},
                                           LowPassCase{256, 0.015}),
                         [](const ::testing::TestParamInfo<LowPassCase>& info) {
                             return "taps" + std::to_string(info.param.taps);
                         });

TEST(RemezDesign, ScaleTurnsHzEdgesIntoFractions) {
    const double hz[] = {0.0, 4000.0, 6000.0, 24000.0};
    const double frac[] = {0.0, 4000.0 / 48000.0, 6000.0 / 48000.0, 0.5};
    const double desired[] = {1.0, 0.0};
    const double weights[] = {1.0, 10.0};
    std::vector<double> a(41), b(41);
    ASSERT_EQ(RemezDesign(41, 2, hz, desired, weights, kRemezMultiBand, 48000.0, a.data()), 1);
    ASSERT_EQ(RemezDesign(41, 2, frac, desired, weights, kRemezMultiBand, 1.0, b.data()), 1);
    for (int i = 0; i < 41; ++i) EXPECT_NEAR(a[i], b[i], 1e-12);
}

TEST(RemezDesign, BandPassWithThreeBandsAlternates) {
    const std::vector<Band> bands = {
        {0.0, 0.1, 0.0, 10.0}, {0.15, 0.25, 1.0, 1.0}, {0.3, 0.5, 0.0, 10.0}};
    int status = -1;
    const auto h = Design(61, bands, status);
    ASSERT_EQ(status, 1);
    EXPECT_GE(MeasureRipple(h, bands, 0.02).alternations, 31 + 1);
}

TEST(RemezDesign, ZeroWidthBandGetsItsOwnGridPoint) {
    // A pass band squeezed to one frequency between two stop bands.
    const std::vector<Band> bands = {
        {0.0, 0.15, 0.0, 1.0}, {0.2, 0.2, 1.0, 1.0}, {0.25, 0.5, 0.0, 1.0}};
    int status = -1;
    const auto h = Design(31, bands, status);
    ASSERT_EQ(status, 1);
    const Ripple ripple = MeasureRipple(h, bands, 0.02);
    EXPECT_NEAR(Amplitude(h, 0.2), 1.0, ripple.peak * 1.01);
}

TEST(RemezDesign, DesignsThatCannotConvergeReportFailure) {
    int status = -1;
    // Even symmetry with an even count forces a zero at fs/2: no equiripple high-pass exists.
    Design(40, {{0.0, 0.2, 0.0, 1.0}, {0.25, 0.5, 1.0, 1.0}}, status);
    EXPECT_EQ(status, 0);
    // A ripple far below the rounding of double arithmetic (about 240 dB) never settles.
    status = -1;
    Design(255, {{0.0, 0.18, 1.0, 1.0}, {0.24, 0.5, 0.0, 8.0}}, status);
    EXPECT_EQ(status, 0);
}

TEST(RemezDesign, RefusesUnusableArguments) {
    const double edges[] = {0.0, 0.2, 0.3, 0.5};
    const double bad[] = {0.0, 0.3, 0.2, 0.5};
    const double desired[] = {1.0, 0.0};
    const double weights[] = {1.0, 1.0};
    const double zeroWeight[] = {1.0, 0.0};
    std::vector<double> h(21);
    EXPECT_EQ(RemezDesign(2, 2, edges, desired, weights, 0, 1.0, h.data()), 0);
    EXPECT_EQ(RemezDesign(21, 8, edges, desired, weights, 0, 1.0, h.data()), 0);
    EXPECT_EQ(RemezDesign(21, 2, bad, desired, weights, 0, 1.0, h.data()), 0);
    EXPECT_EQ(RemezDesign(21, 2, edges, desired, zeroWeight, 0, 1.0, h.data()), 0);
    EXPECT_EQ(RemezDesign(21, 2, edges, desired, weights, 1, 1.0, h.data()), 0);
    EXPECT_EQ(RemezDesign(21, 2, edges, desired, weights, 0, 0.4, h.data()), 0);
}

} // namespace
