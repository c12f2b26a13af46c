#include "dsp/Tsp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>

namespace {

struct TspCase {
    int points;
    int stretch;
};

class TspShape : public ::testing::TestWithParam<TspCase> {};

// Against the inverse transform summed in double precision: the pulse is Re g rotated by
// points/2 - m, and its forward spectrum has unit magnitude at every bin.
TEST_P(TspShape, IsTheRotatedInverseOfTheChirp) {
    const auto [n, m] = GetParam();
    const std::vector<float> tsp = MakeTsp(n, m);
    ASSERT_EQ(static_cast<int>(tsp.size()), n);
    std::vector<std::complex<double>> g(n);
    for (int t = 0; t < n; ++t) {
        std::complex<double> sum = 0.0;
        for (int k = 0; k < n; ++k) {
            const int f = k <= n / 2 ? k : n - k;
            const double phase = 4 * std::numbers::pi * m * double(f) * f / (double(n) * n);
            const std::complex<double> G = std::polar(1.0, k <= n / 2 ? phase : -phase);
            sum += G * std::polar(1.0, 2 * std::numbers::pi * double(k) * t / n);
        }
        g[t] = sum;
    }
    for (int i = 0; i < n; ++i) EXPECT_NEAR(tsp[i], g[(i + n / 2 - m) % n].real(), 2e-4 * n) << i;
    for (int k : {0, 1, n / 8, n / 2 - 1, n / 2}) {
        std::complex<double> X = 0.0;
        for (int i = 0; i < n; ++i)
            X += double(tsp[i]) * std::polar(1.0, -2 * std::numbers::pi * double(k) * i / n);
        EXPECT_NEAR(std::abs(X) / n, 1.0, 1e-4) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Stretches, TspShape,
                         ::testing::Values(TspCase{64, 16}, TspCase{256, 64}, TspCase{1024, 153}),
                         [](const auto& info) {
                             return "N" + std::to_string(info.param.points) + "Stretch" +
                                    std::to_string(info.param.stretch);
                         });

TEST(MakeTsp, UnsupportedSizeIsSilent) {
    EXPECT_EQ(MakeTsp(100, 25), std::vector<float>(100, 0.0f));
}

} // namespace
