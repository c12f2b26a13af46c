#include "filters/RemezSettings.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

EasyRemezSettings LowPass4k() {
    EasyRemezSettings s;
    s.shape = shape::LowPass;
    s.f1 = 4000.0f;
    s.f2 = 8000.0f;
    s.transition = 1000.0f;
    s.ripple = 1.0f;
    s.atten = 60.0f;
    s.taps = 97;
    return s;
}

TEST(EstimateRemezTaps, LowPassExampleGives97) {
    EXPECT_EQ(EstimateRemezTaps(LowPass4k(), 48000), 97);
}

TEST(EstimateRemezTaps, EvenPredictionBecomesOdd) {
    EasyRemezSettings s = LowPass4k();
    // -10 log10(dp ds) - 13 = 29.65...; choose the width that puts the quotient at 98.5.
    const double dp = (1.0 - std::pow(10.0, -0.05)) * 0.5;
    const double num = -10.0 * std::log10(dp * 0.001) - 13.0;
    s.transition = static_cast<float>(num / (98.5 * 14.6 / 48000.0));
    EXPECT_EQ(EstimateRemezTaps(s, 48000), 99);
}

TEST(EstimateRemezTaps, OutOfRangePredictionIsCaughtByTheTapCheck) {
    EasyRemezSettings s = LowPass4k();
    s.transition = 1.0e-30f; // saturates instead of overflowing
    const int huge = EstimateRemezTaps(s, 48000);
    EXPECT_EQ(huge, INT_MAX);
    EXPECT_FALSE(ValidateRemezTaps(huge, kRemezMaxTaps).ok);
    s = LowPass4k();
    s.ripple = 20.0f; // dp near 0.45 with a shallow stop band: the numerator turns negative
    s.atten = 1.0f;
    const int negative = EstimateRemezTaps(s, 48000);
    EXPECT_LT(negative, 3);
    const RemezCheck c = ValidateRemezTaps(negative, kRemezMaxTaps);
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.message, "タップ数は3～1024までとして下さい。");
    EXPECT_EQ(c.field, RemezField::Taps);
}

TEST(ValidateRemezTaps, LimitsOfTheRealTimeTools) {
    EXPECT_TRUE(ValidateRemezTaps(3, kRemezMaxTaps).ok);
    EXPECT_TRUE(ValidateRemezTaps(1024, kRemezMaxTaps).ok);
    EXPECT_FALSE(ValidateRemezTaps(2, kRemezMaxTaps).ok);
    EXPECT_FALSE(ValidateRemezTaps(1025, kRemezMaxTaps).ok);
}

struct EasyCase {
    int shape;
    float f1, f2, transition, ripple, atten;
    int taps;
    const char* message; // nullptr: valid
    RemezField field;
};

class EasyRemezValidation : public ::testing::TestWithParam<EasyCase> {};

TEST_P(EasyRemezValidation, FirstFailureWins) {
    const EasyCase& c = GetParam();
    EasyRemezSettings s;
    s.shape = c.shape;
    s.f1 = c.f1;
    s.f2 = c.f2;
    s.transition = c.transition;
    s.ripple = c.ripple;
    s.atten = c.atten;
    s.taps = c.taps;
    const RemezCheck r = ValidateEasyRemez(s, 48000);
    if (c.message == nullptr) {
        EXPECT_TRUE(r.ok) << r.message;
        return;
    }
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.field, c.field);
}

using namespace shape;
const EasyCase kEasyCases[] = {
    {LowPass, 4000, 8000, 1000, 1, 60, 97, nullptr, RemezField::None},
    {LowPass, 4.9f, 8000, 1000, 1, 60, 97, "ｶｯﾄｵﾌ周波数を5Hz以上の正周波数にして下さい。",
     RemezField::Cutoff1},
    {LowPass, 4000, 0, 1000, 1, 60, 97, "ｶｯﾄｵﾌ周波数を5Hz以上の正周波数にして下さい。",
     RemezField::Cutoff2},
    {LowPass, 24000, 8000, 1000, 1, 60, 97,
     "ｶｯﾄｵﾌ周波数を低くして下さい。\n...標本化定理を満たしていません", RemezField::Cutoff1},
    {BandPass, 4000, 24000, 1000, 1, 60, 97,
     "ｶｯﾄｵﾌ周波数を低くして下さい。\n...標本化定理を満たしていません", RemezField::Cutoff2},
    {HighPass, 1000, 8000, 996, 1, 60, 97, "[ｶｯﾄｵﾌ周波数-BAND]を5Hz以上の周波数にして下さい。",
     RemezField::Cutoff1},
    {LowPass, 23000, 8000, 1000, 1, 60, 97,
     "[ｶｯﾄｵﾌ周波数+BAND]を低くして下さい。\n...標本化定理を満たしていません", RemezField::Cutoff1},
    {BandStop, 100, 500, 600, 1, 60, 97, "[HPF側ｶｯﾄｵﾌ-BAND]を\n　5Hz以上の周波数にして下さい。",
     RemezField::Cutoff2},
    {BandPass, 4000, 23500, 1000, 1, 60, 97,
     "[HPF側ｶｯﾄｵﾌ+BAND]を低くして下さい。\n...標本化定理を満たしていません", RemezField::Cutoff2},
    {LowPass, 4000, 8000, 0, 1, 60, 97, "[BAND]を0Hz以外の正の周波数にして下さい。",
     RemezField::Transition},
    {BandPass, 8000, 4000, 1000, 1, 60, 97, "[LPF < HPF]になるよう設定して下さい。",
     RemezField::Cutoff2},
    {BandStop, 4000, 5000, 1000, 1, 60, 97, "[LPF+BAND < HPF-BAND]になるよう設定して下さい。",
     RemezField::Cutoff2},
    {LowPass, 4000, 8000, 1000, 1, 60, 1025, "タップ数は3～1024までとして下さい。",
     RemezField::Taps},
    {LowPass, 4000, 8000, 1000, 0, 60, 97, "ﾘｯﾌﾟﾙは正の値でお願いします。", RemezField::Ripple},
    {LowPass, 4000, 8000, 1000, 1, 0, 97,
     "阻止域通過ﾚﾍﾞﾙは正の値でお願いします。\n　(内部で負にしています)", RemezField::Atten},
    // Bands of zero width pass the checks; the design copes with them.
    {BandPass, 4000, 4000, 1000, 1, 60, 97, nullptr, RemezField::None},
    {BandStop, 4000, 6000, 1000, 1, 60, 97, nullptr, RemezField::None},
};
INSTANTIATE_TEST_SUITE_P(Cases, EasyRemezValidation, ::testing::ValuesIn(kEasyCases),
                         CaseIndexName());

TEST(EasyRemezBands, WeightsFollowTheDeviations) {
    const EasyRemezSettings s = LowPass4k();
    const RemezBands b = EasyRemezBands(s, 48000);
    ASSERT_EQ(b.nBands, 2);
    EXPECT_EQ(b.edges[1], 4000.0);
    EXPECT_EQ(b.edges[2], 5000.0);
    EXPECT_EQ(b.edges[3], 24000.0);
    const double dp = (1.0 - std::pow(10.0, -0.05)) * 0.5;
    EXPECT_NEAR(b.weights[1], dp / 0.001, 1e-9);
    EXPECT_EQ(b.desired[0], 1.0);
    EXPECT_EQ(b.desired[1], 0.0);
}

TEST(EasyRemezBands, EveryShapeDesignsWithItsPredictedTapCount) {
    for (int shape = 0; shape < 4; ++shape) {
        EasyRemezSettings s = LowPass4k();
        s.shape = shape;
        s.f1 = 6000.0f;
        s.f2 = 12000.0f;
        s.taps = EstimateRemezTaps(s, 48000);
        ASSERT_TRUE(ValidateEasyRemez(s, 48000).ok) << shape;
        std::vector<double> h;
        EXPECT_EQ(DesignRemez(EasyRemezBands(s, 48000), s.taps, 48000, h), 1) << shape;
        EXPECT_EQ(static_cast<int>(h.size()), s.taps);
    }
}

TEST(EasyRemezBands, ZeroWidthBandsDesign) {
    for (int shape : {BandPass, BandStop}) {
        EasyRemezSettings s = LowPass4k();
        s.shape = shape;
        s.f1 = 6000.0f;
        s.f2 = shape == BandPass ? 6000.0f : 8000.0f; // pass band at one point / stop at one
        s.taps = 61;
        std::vector<double> h;
        EXPECT_EQ(DesignRemez(EasyRemezBands(s, 48000), s.taps, 48000, h), 1) << shape;
    }
}

RemezBandTable ThreeBands() {
    RemezBandTable t;
    t.nBands = 3;
    const float lo[] = {0, 4000, 9000}, hi[] = {3000, 8000, 24000};
    const float gain[] = {0, 1, 0}, weight[] = {10, 1, 10};
    for (int k = 0; k < 3; ++k) {
        t.low[k] = lo[k];
        t.high[k] = hi[k];
        t.gain[k] = gain[k];
        t.weight[k] = weight[k];
    }
    return t;
}

TEST(ValidateRemezBands, EdgesAreCorrectedWithNotices) {
    RemezBandTable t = ThreeBands();
    t.low[0] = 100.0f;
    t.high[2] = 20000.0f;
    const RemezCheck c = ValidateRemezBands(t, 48000, false);
    EXPECT_TRUE(c.ok) << c.message;
    ASSERT_EQ(c.notices.size(), 2u);
    EXPECT_EQ(c.notices[0], "最初のﾊﾞﾝﾄﾞの端周波数は0Hzして下さい。");
    EXPECT_EQ(c.notices[1], "最終ﾊﾞﾝﾄﾞの端周波数はｻﾝﾌﾟﾘﾝｸﾞ周波数の半分に設定致します");
    EXPECT_EQ(t.low[0], 0.0f);
    EXPECT_EQ(t.high[2], 24000.0f);
    std::vector<double> h;
    EXPECT_EQ(DesignRemez(TableRemezBands(t), 51, 48000, h), 1);
}

struct TableCase {
    int band;
    float low, high, gain, weight;
    bool realtime;
    const char* message;
    RemezField field;
};

class RemezBandValidation : public ::testing::TestWithParam<TableCase> {};

TEST_P(RemezBandValidation, ReportsTheFaultyBand) {
    const TableCase& c = GetParam();
    RemezBandTable t = ThreeBands();
    t.low[c.band] = c.low;
    t.high[c.band] = c.high;
    t.gain[c.band] = c.gain;
    t.weight[c.band] = c.weight;
    const RemezCheck r = ValidateRemezBands(t, 48000, c.realtime);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.field, c.field);
    EXPECT_EQ(r.band, c.band);
}

const TableCase kTableCases[] = {
    {1, 5000, 4500, 1, 1, false, "周波数設定の大小関係が異常です", RemezField::BandLow},
    {1, 3000, 8000, 1, 1, false, "周波数設定の大小関係が異常です", RemezField::BandLow},
    {0, 0, -5, 0, 10, false, "ﾏｲﾅｽの周波数設定はできません", RemezField::BandHigh},
    {1, 4000, 8000, 10.5f, 1, false, "ゲイン設定は0～10までとして下さい", RemezField::BandGain},
    {1, 4000, 8000, -0.1f, 1, false, "ゲイン設定は0～10までとして下さい", RemezField::BandGain},
    {2, 9000, 24000, 0, 0.5f, false, "重み設定は1以上として下さい", RemezField::BandWeight},
    {2, 9000, 24000, 0, 0.5f, true, "重み設定は1以上して下さい", RemezField::BandWeight},
};
INSTANTIATE_TEST_SUITE_P(Cases, RemezBandValidation, ::testing::ValuesIn(kTableCases),
                         CaseIndexName());

TEST(ValidateRemezBands, LastBandIsCheckedFirst) {
    RemezBandTable t = ThreeBands();
    t.gain[0] = 11.0f;
    t.weight[2] = 0.0f;
    const RemezCheck r = ValidateRemezBands(t, 48000, false);
    EXPECT_EQ(r.band, 2);
    EXPECT_EQ(r.field, RemezField::BandWeight);
}

} // namespace
