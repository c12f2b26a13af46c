#include "view/PlotScale.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(LogAxis, Cd44100With2048PointsSpansFourDecadesInKilohertz) {
    const LogAxis a = MakeLogAxis(2.0 / 44100, 2048);
    EXPECT_EQ(a.unit, "         [kHz]");
    EXPECT_EQ(a.o, 5);
    EXPECT_EQ(a.E, 4);
    EXPECT_EQ(a.topLabel, 100);
    // The top label (100 kHz) lies above the highest bin (22.05 kHz), and the axis starts at 10 Hz.
    const double xTop = a.XOf(1e5, 100, 340);
    EXPECT_NEAR(xTop, 440, 1e-9);
    EXPECT_LT(a.XOf(1023 * a.binHz, 100, 340), xTop);
    EXPECT_NEAR(a.XOf(10, 100, 340), 100, 1e-9);
    EXPECT_NEAR(a.FrequencyAt(a.XOf(1234.5, 100, 340), 100, 340), 1234.5, 1e-6);
    EXPECT_EQ(a.MiddleLabel(), "1.00         [kHz]");
}

struct UnitCase {
    double halfRate; // 1/e
    const char* unit;
    int topLabel;
};

class LogAxisUnits : public ::testing::TestWithParam<UnitCase> {};

TEST_P(LogAxisUnits, UnitAndTopLabelFollowTheDecadeOfHalfTheRate) {
    const UnitCase& c = GetParam();
    const LogAxis a = MakeLogAxis(1.0 / c.halfRate, 1024);
    EXPECT_EQ(a.unit, c.unit);
    EXPECT_EQ(a.topLabel, c.topLabel);
}

INSTANTIATE_TEST_SUITE_P(
    Decades, LogAxisUnits,
    ::testing::Values(UnitCase{24000, "         [kHz]", 100}, UnitCase{500, "         [kHz]", 1},
                      UnitCase{50, "          [Hz]", 100}, UnitCase{5, "          [Hz]", 10},
                      UnitCase{0.05, "         [mHz]", 100}, UnitCase{2e-5, "         [μHz]", 100},
                      UnitCase{2e-10, "         [nHz]", 1}, UnitCase{5e6, "         [MHz]", 10},
                      UnitCase{5e9, "         [GHz]", 10}),
    CaseIndexName());

TEST(DbScale, AutomaticRangeOf3Point7DecibelsUsesSpan4) {
    const DbScale s = MakeDbScale(0.5, -3.2, true);
    EXPECT_DOUBLE_EQ(s.span, 4);
    EXPECT_NEAR(s.Division(), 0.4, 1e-12);
    EXPECT_NEAR(s.top, 0.8, 1e-12);
    EXPECT_NEAR(s.bottom, -3.2, 1e-12);
    EXPECT_EQ(s.TopLabel(), "0.80[dB]");
    EXPECT_EQ(s.BottomLabel(), "-3.20[dB]");
    EXPECT_EQ(s.DivisionLabel(), "0.40  ");
}

TEST(DbScale, AutomaticRangeOf47DecibelsUsesSpan50AndIntegerLabels) {
    const DbScale s = MakeDbScale(12.3, 12.3 - 47, true);
    EXPECT_DOUBLE_EQ(s.span, 50);
    EXPECT_DOUBLE_EQ(s.top, 15);
    EXPECT_DOUBLE_EQ(s.bottom, -35);
    EXPECT_EQ(s.TopLabel(), "  15[dB]");
    EXPECT_EQ(s.BottomLabel(), " -35[dB]");
    EXPECT_EQ(s.DivisionLabel(), " 5.0  ");
}

TEST(DbScale, AutomaticTopTruncatesTowardZeroForNegativeLevels) {
    // t = -12.3, span 50: trunc(-2.46) = -2, so the top is -5 (the next multiple above t).
    const DbScale s = MakeDbScale(-12.3, -59.3, true);
    EXPECT_DOUBLE_EQ(s.top, -5);
    EXPECT_DOUBLE_EQ(s.bottom, -55);
}

TEST(DbScale, RangesBeyondTheTableUseTheLargestSpan) {
    EXPECT_DOUBLE_EQ(AutoDbSpan(999.9), 1000);
    EXPECT_DOUBLE_EQ(AutoDbSpan(1000), 1000);
    EXPECT_DOUBLE_EQ(AutoDbSpan(5000), 1000);
    EXPECT_DOUBLE_EQ(AutoDbSpan(NAN), 1000);
    EXPECT_DOUBLE_EQ(AutoDbSpan(100), 150);
    EXPECT_DOUBLE_EQ(AutoDbSpan(0.001), 0.015);
}

TEST(DbScale, FixedRulesAndZeroRange) {
    const DbScale manual = MakeDbScale(0, -60, false);
    EXPECT_DOUBLE_EQ(manual.top, 0);
    EXPECT_DOUBLE_EQ(manual.bottom, -60);
    EXPECT_DOUBLE_EQ(manual.span, 60);
    const DbScale wide = MakeDbScale(10.4, -49.7, false);
    EXPECT_DOUBLE_EQ(wide.top, 11);
    EXPECT_DOUBLE_EQ(wide.bottom, -49);
    EXPECT_DOUBLE_EQ(wide.span, 60);
    const DbScale narrow = MakeDbScale(1.5, -2.5, false);
    EXPECT_DOUBLE_EQ(narrow.span, 4);
    EXPECT_DOUBLE_EQ(narrow.top, 1.5);
    for (bool automatic : {true, false}) {
        const DbScale flat = MakeDbScale(-6, -6, automatic);
        EXPECT_NEAR(flat.span, 0.2, 1e-12);
        EXPECT_NEAR(flat.top, -5.9, 1e-12);
        EXPECT_NEAR(flat.bottom, -6.1, 1e-12);
    }
}

TEST(DbScale, LevelsAreLimitedAndAZeroBinLiesAtTheBottom) {
    const DbScale s = MakeDbScale(0, -60, false);
    EXPECT_DOUBLE_EQ(s.YOf(LevelDb(0.0), -500, 220), -500);
    EXPECT_DOUBLE_EQ(s.YOf(NAN, -500, 220), -500);
    EXPECT_DOUBLE_EQ(s.YOf(20, -500, 220), -280);
    EXPECT_DOUBLE_EQ(s.YOf(-30, -500, 220), -390);
}

TEST(Phase, ShiftedModePutsPlus90AtMinus270) {
    // Fraction -0.5 of the half height below the centre line (-180°) is -270°.
    EXPECT_NEAR(PhaseFraction(0, 1, phasemode::Shifted), -0.5, 1e-12);
    EXPECT_NEAR(PhaseFraction(0, 1, phasemode::Centred), 0.5, 1e-12);
    EXPECT_NEAR(PhaseFraction(1, 0, phasemode::Shifted), 1.0, 1e-12);  // 0° at the top
    EXPECT_NEAR(PhaseFraction(0, -1, phasemode::Shifted), 0.5, 1e-12); // -90°
    EXPECT_NEAR(PhaseFraction(-1, 0, phasemode::Centred), 1.0, 1e-12);
}

TEST(Envelope, SegmentCountHasTheSmallestRemainder) {
    EXPECT_EQ(EnvelopeSegments(1000), 250);
    EXPECT_EQ(EnvelopeSegments(1001), 250);
    EXPECT_EQ(EnvelopeSegments(499), 499);
    EXPECT_EQ(EnvelopeSegments(500), 250);
    EXPECT_EQ(EnvelopeSegments(997), 332); // 997 = 3·332 + 1
    EXPECT_EQ(EnvelopeSegments(44100), 252);
    EXPECT_EQ(EnvelopeSegments(0), 0);
}

TEST(Readout, BinIsTruncatedProductOfFrequencyPointsAndStep) {
    EXPECT_EQ(ReadoutBin(1000.0, 2048, 1.0 / 48000), 42);
    EXPECT_EQ(ReadoutBin(23.9, 2048, 1.0 / 48000), 1);
    EXPECT_EQ(ReadoutBin(23.3, 2048, 1.0 / 48000), 0);
}

} // namespace
