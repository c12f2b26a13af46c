#include "filters/BiquadDesign.h"
#include "filters/BiquadSettings.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

// H(e^jw) of a section at w (radians per sample).
std::complex<double> Response(const float den[3], const float num[3], double w) {
    const std::complex<double> z1 = std::polar(1.0, -w);
    auto poly = [&](const float* c) {
        return double(c[0]) + double(c[1]) * z1 + double(c[2]) * z1 * z1;
    };
    return poly(num) / poly(den);
}

// |H| of a designed section at frequency f (Hz).
double Gain(const float den[3], const float num[3], double f, int fs) {
    return std::abs(Response(den, num, 2.0 * kPi * f / fs));
}

// The digital frequency where an analog prototype frequency `ratio` times the design frequency
// lands under the prewarped bilinear transform of the formulas.
double Warp(double ratio, double f, int fs) {
    return std::atan(ratio * std::tan(kPi * f / fs)) * fs / kPi;
}

TEST(BiquadDesign, LowPassAtQuarterRateMatchesHandValues) {
    float a[3], b[3];
    ASSERT_EQ(BiquadDesign(biquadtype::LowPass, 48000, 12000.0f, 0.0f, a, b), 1);
    EXPECT_FLOAT_EQ(a[0], 1.0f);
    EXPECT_NEAR(a[1], 0.0f, 1e-7);
    EXPECT_FLOAT_EQ(a[2], 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(b[0], 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(b[1], 2.0f / 3.0f);
    EXPECT_FLOAT_EQ(b[2], 1.0f / 3.0f);
    EXPECT_NEAR(Gain(a, b, 0.0, 48000), 1.0, 1e-6);
}

class BiquadPassFilters : public ::testing::TestWithParam<double> {};

TEST_P(BiquadPassFilters, HalfPowerPointsOfQualityFactorOne) {
    const double f0 = GetParam();
    const int fs = 48000;
    // Coefficients are floats: tolerances allow for their rounding.
    // Second-order sections with Q = 1: |H(f0)| = Q, and the half-power point of the analog
    // prototype lies at sqrt(0.5 + sqrt(1.25)) times f0 (low-pass) or its inverse (high-pass).
    const double k = std::sqrt(0.5 + std::sqrt(1.25));
    float a[3], b[3];
    BiquadDesign(biquadtype::LowPass, fs, static_cast<float>(f0), 0.0f, a, b);
    EXPECT_NEAR(Gain(a, b, f0, fs), 1.0, 1e-4);
    EXPECT_NEAR(20.0 * std::log10(Gain(a, b, Warp(k, f0, fs), fs)), -3.0103, 1e-3);
    EXPECT_NEAR(Gain(a, b, 0.0, fs), 1.0, 1e-5);
    BiquadDesign(biquadtype::HighPass, fs, static_cast<float>(f0), 0.0f, a, b);
    EXPECT_NEAR(Gain(a, b, f0, fs), 1.0, 1e-4);
    EXPECT_NEAR(20.0 * std::log10(Gain(a, b, Warp(1.0 / k, f0, fs), fs)), -3.0103, 1e-3);
    EXPECT_NEAR(Gain(a, b, fs / 2.0, fs), 1.0, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Frequencies, BiquadPassFilters,
                         ::testing::Values(500.0, 1000.0, 2000.0, 9000.0));

struct GainCase {
    int type;
    float f, gainDb;
};

class BiquadEqualisers : public ::testing::TestWithParam<GainCase> {};

TEST_P(BiquadEqualisers, GainsAtDcDesignFrequencyAndNyquist) {
    const GainCase c = GetParam();
    const int fs = 48000;
    float a[3], b[3];
    ASSERT_EQ(BiquadDesign(c.type, fs, c.f, c.gainDb, a, b), 1);
    const double toDb = 20.0;
    auto db = [&](double f) { return toDb * std::log10(Gain(a, b, f, fs)); };
    if (c.type == biquadtype::LowShelving) {
        EXPECT_NEAR(db(0.0), c.gainDb, 1e-3);       // full shelf gain A^2
        EXPECT_NEAR(db(c.f), c.gainDb / 2.0, 1e-3); // half of it at the design frequency
        EXPECT_NEAR(db(fs / 2.0), 0.0, 1e-3);
    } else {
        EXPECT_NEAR(db(c.f), c.gainDb, 1e-3); // the peak gain A^2
        EXPECT_NEAR(db(0.0), 0.0, 1e-3);
        EXPECT_NEAR(db(fs / 2.0), 0.0, 1e-3);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BiquadEqualisers,
                         ::testing::Values(GainCase{biquadtype::LowShelving, 200.0f, 20.0f},
                                           GainCase{biquadtype::LowShelving, 1000.0f, -12.0f},
                                           GainCase{biquadtype::LowShelving, 2000.0f, 6.0f},
                                           GainCase{biquadtype::Peaking, 1000.0f, 20.0f},
                                           GainCase{biquadtype::Peaking, 2000.0f, -20.0f},
                                           GainCase{biquadtype::Peaking, 8000.0f, 3.0f}),
                         CaseIndexName());

TEST(BiquadDesign, ShelfOfTwentyDbHasDcGainTen) {
    float a[3], b[3];
    BiquadDesign(biquadtype::LowShelving, 48000, 2000.0f, 20.0f, a, b);
    EXPECT_NEAR(Gain(a, b, 0.0, 48000), 10.0, 1e-4);
}

TEST(BiquadDesign, PeakingOfZeroDbIsTransparent) {
    float a[3], b[3];
    BiquadDesign(biquadtype::Peaking, 44100, 1234.0f, 0.0f, a, b);
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(a[i], b[i]);
}

TEST(BiquadDesign, PassFiltersIgnoreTheGainAndUnknownTypesAreRefused) {
    float a1[3], b1[3], a2[3], b2[3];
    BiquadDesign(biquadtype::HighPass, 48000, 500.0f, 0.0f, a1, b1);
    BiquadDesign(biquadtype::HighPass, 48000, 500.0f, 18.0f, a2, b2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a1[i], a2[i]);
        EXPECT_EQ(b1[i], b2[i]);
    }
    EXPECT_EQ(BiquadDesign(4, 48000, 500.0f, 0.0f, a1, b1), 0);
}

TEST(NormaliseBiquad, DividesByA0) {
    float a[3] = {2.0f, 1.0f, 0.5f}, b[3] = {4.0f, -2.0f, 1.0f};
    NormaliseBiquad(a, b);
    EXPECT_EQ(a[0], 1.0f);
    EXPECT_EQ(a[1], 0.5f);
    EXPECT_EQ(a[2], 0.25f);
    EXPECT_EQ(b[0], 2.0f);
    EXPECT_EQ(b[1], -1.0f);
    EXPECT_EQ(b[2], 0.5f);
}

TEST(BiquadResponse, LowerHalfIsTheResponseAndUpperHalfMirrorsAtNMinusOneMinusI) {
    const int n = 64, fs = 48000;
    float a[3], b[3];
    BiquadDesign(biquadtype::Peaking, fs, 3000.0f, 12.0f, a, b);
    std::vector<float> re(n, 99.0f), im(n, 99.0f);
    BiquadResponse(fs, n, a, b, re.data(), im.data());
    for (int i = 0; i < n / 2; ++i) {
        const std::complex<double> h = Response(a, b, 2.0 * kPi * i / n);
        EXPECT_NEAR(re[i], h.real(), 1e-5) << i;
        EXPECT_NEAR(im[i], h.imag(), 1e-5) << i;
        EXPECT_EQ(re[n - 1 - i], re[i]) << i;
        EXPECT_EQ(im[n - 1 - i], -im[i]) << i;
    }
}

} // namespace

namespace {

struct BiquadCheckCase {
    float freq, gainDb;
    const char* message; // nullptr: valid
    BiquadField field;
};

class BiquadValidation : public ::testing::TestWithParam<BiquadCheckCase> {};

TEST_P(BiquadValidation, ChecksInOrder) {
    const BiquadCheckCase& c = GetParam();
    for (int type = 0; type < biquadtype::Count; ++type) {
        const BiquadCheck r = ValidateBiquadSettings({type, c.freq, c.gainDb}, 48000);
        if (c.message == nullptr) {
            EXPECT_TRUE(r.ok) << r.message;
        } else {
            EXPECT_EQ(r.message, c.message);
            EXPECT_EQ(r.field, c.field);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BiquadValidation,
    ::testing::Values(
        BiquadCheckCase{1000.0f, -20.0f, nullptr, BiquadField::None},
        BiquadCheckCase{24000.0f, 20.0f, nullptr, BiquadField::None},
        BiquadCheckCase{0.0f, 0.0f, "0Hz以上の周波数にして下さい。", BiquadField::Frequency},
        BiquadCheckCase{0.0f, 30.0f, "0Hz以上の周波数にして下さい。", BiquadField::Frequency},
        BiquadCheckCase{1000.0f, 20.01f, "20dB以下のレベルにして下さい。", BiquadField::Gain},
        BiquadCheckCase{30000.0f, 20.01f, "20dB以下のレベルにして下さい。", BiquadField::Gain},
        BiquadCheckCase{24001.0f, -30.0f,
                        "ｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません",
                        BiquadField::Frequency},
        BiquadCheckCase{1000.0f, -20.01f, "-20dB以上のレベルにして下さい。", BiquadField::Gain}),
    CaseIndexName());

} // namespace
