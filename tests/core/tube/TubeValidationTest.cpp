#include "tube/TubeValidation.h"
#include "document/ScriptedUi.h"
#include "tube/TubeBuiltins.h"
#include "tube/TubeData.h"
#include "tube/TubeMessages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using T = TubeData;

TubeData Valid() {
    TubeData d;
    tube::BuiltinDevice(0, d);
    return d;
}

bool Contains(const CScriptedUi& ui, const std::string& text) {
    for (const auto& m : ui.messages)
        if (m.text == text) return true;
    return false;
}

std::string Upper(const char* format) {
    char buf[512];
    std::snprintf(buf, sizeof buf, format, "上側球");
    return buf;
}
std::string Lower(const char* format) {
    char buf[512];
    std::snprintf(buf, sizeof buf, format, "下側球");
    return buf;
}

} // namespace

TEST(TubeValidation, BuiltinDevicesPassWithoutAWord) {
    for (int device = 0; device < 3; ++device) {
        TubeData d;
        ASSERT_TRUE(tube::BuiltinDevice(device, d));
        CScriptedUi ui;
        EXPECT_TRUE(ValidateTubeData(ui, d)) << device;
        EXPECT_TRUE(ValidateTubeOperating(ui, d.ope)) << device;
        EXPECT_TRUE(ui.messages.empty()) << device << ": " << ui.MessageTexts()[0];
    }
}

TEST(TubeValidation, EachBrokenRuleShowsItsMessageAndFails) {
    const struct {
        std::function<void(TubeData&)> mutate;
        std::string message;
    } cases[] = {
        {[](TubeData& d) { d.com[T::PlateScale] = 0; }, tubemsg::kUpperSupply},
        {[](TubeData& d) { d.both[T::Supply][0] = -1; }, tubemsg::kUpperSupply},
        {[](TubeData& d) { d.both[T::Supply][1] = 0; }, tubemsg::kLowerSupply},
        {[](TubeData& d) { d.com[T::MaxDissipation] = 0; }, tubemsg::kDissipation},
        {[](TubeData& d) { d.com[T::CurrentScale] = -2; }, tubemsg::kCurrentScale},
        {[](TubeData& d) { d.com[T::CurveCount] = 4; }, tubemsg::kFewCurves},
        {[](TubeData& d) { d.com[T::GridStep] = 10; }, tubemsg::kGridNegative},
        {[](TubeData& d) { d.com[T::LargestGrid] = 0; }, tubemsg::kGridNegative},
        {[](TubeData& d) { d.both[T::Load][0] = 0; }, Upper(tubemsg::kLoad)},
        {[](TubeData& d) { d.both[T::Load][1] = -3; }, Lower(tubemsg::kLoad)},
        {[](TubeData& d) { d.both[T::ConstCurrent][0] = 0; }, Upper(tubemsg::kConstCurrent)},
        {[](TubeData& d) { d.both[T::GridBias][0] = 1; }, Upper(tubemsg::kBiasNegative)},
        {[](TubeData& d) { d.both[T::CathodeBias][1] = 0; }, Lower(tubemsg::kBiasNegative)},
        {[](TubeData& d) { d.curves.resize(3); }, tubemsg::kFewCrossings},
        {[](TubeData& d) { d.both[T::ConstCurrent][0] = 161; }, Upper(tubemsg::kCurrentRange)},
        {[](TubeData& d) { d.both[T::GridBias][0] = -111; }, Upper(tubemsg::kGridBiasRange)},
        {[](TubeData& d) { d.both[T::CathodeBias][1] = -111; }, Lower(tubemsg::kCathodeBiasRange)},
        {[](TubeData& d) { d.com[T::PlateSteps] = 1; }, tubemsg::kSteps},
        {[](TubeData& d) { d.com[T::CurrentSteps] = 1; }, tubemsg::kSteps},
        {[](TubeData& d) { d.com[T::LargestGrid] = -120; }, tubemsg::kLargestGrid},
        {[](TubeData& d) { d.com[T::LargestGrid] = -95; }, tubemsg::kGridMultiple},
    };
    for (const auto& c : cases) {
        TubeData d = Valid();
        c.mutate(d);
        CScriptedUi ui;
        EXPECT_FALSE(ValidateTubeData(ui, d)) << c.message;
        EXPECT_TRUE(Contains(ui, c.message)) << c.message;
    }
}

TEST(TubeValidation, WarningsDoNotFail) {
    const struct {
        std::function<void(TubeData&)> mutate;
        std::string message;
    } cases[] = {
        {[](TubeData& d) { d.both[T::Supply][0] = 700; }, tubemsg::kHighVoltage},
        {[](TubeData& d) { d.both[T::ConstCurrent][0] = 10; }, Upper(tubemsg::kCurrentWarning)},
        {[](TubeData& d) { d.both[T::ConstCurrent][1] = 20; }, Lower(tubemsg::kCurrentWarning)},
        {[](TubeData& d) { d.both[T::GridBias][0] = -105; }, Upper(tubemsg::kGridWarning)},
        {[](TubeData& d) { d.both[T::CathodeBias][1] = -105; }, Lower(tubemsg::kCathodeWarning)},
    };
    for (const auto& c : cases) {
        TubeData d = Valid();
        c.mutate(d);
        CScriptedUi ui;
        EXPECT_TRUE(ValidateTubeData(ui, d)) << c.message;
        ASSERT_EQ(ui.messages.size(), 1u) << c.message;
        EXPECT_EQ(ui.messages[0].text, c.message);
    }
}

TEST(TubeValidation, EveryOperatingSettingHasItsMessage) {
    const struct {
        int index;
        int value;
        const char* message;
    } cases[] = {
        {T::RateCode, 2, tubemsg::kRate},
        {T::RateCode, 6, tubemsg::kRate},
        {T::WidthCode, 0, tubemsg::kWidth},
        {T::WidthCode, 4, tubemsg::kWidth},
        {T::RangeL, -3, tubemsg::kRangeL},
        {T::RangeR, 10, tubemsg::kRangeR},
        {T::PositionL, 101, tubemsg::kPosition},
        {T::PositionR, -110, tubemsg::kPosition},
        {T::FixedPositions, 2, tubemsg::kFixed},
        {T::Through, -1, tubemsg::kThrough},
        {T::Circuit, 3, tubemsg::kCircuit},
        {T::Bias, 4, tubemsg::kBias},
        {T::EpErrorUpper, 11, tubemsg::kEpError},
        {T::EpErrorLower, -11, tubemsg::kEpError},
        {T::IpErrorUpper, -11, tubemsg::kIpError},
        {T::IpErrorLower, 11, tubemsg::kIpError},
        {T::Sweep, 2, tubemsg::kSweep},
        {T::Sweep, 7, tubemsg::kSweep},
        {T::Trigger, 2, tubemsg::kTrigger},
    };
    for (const auto& c : cases) {
        auto ope = Valid().ope;
        ope[c.index] = c.value;
        CScriptedUi ui;
        EXPECT_FALSE(ValidateTubeOperating(ui, ope)) << c.message;
        EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{c.message});
    }
    // The edges of every range are valid.
    auto ope = Valid().ope;
    ope[T::RangeL] = -2, ope[T::RangeR] = 9, ope[T::PositionL] = -100, ope[T::PositionR] = 100;
    ope[T::EpErrorUpper] = -10, ope[T::IpErrorLower] = 10, ope[T::Sweep] = 6, ope[T::Circuit] = 2;
    ope[T::Bias] = 3, ope[T::RateCode] = 5, ope[T::WidthCode] = 3, ope[T::Trigger] = 1;
    CScriptedUi ui;
    EXPECT_TRUE(ValidateTubeOperating(ui, ope));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(TubeValidation, ReservedSettingsOnlyWarn) {
    auto ope = Valid().ope;
    ope[T::Reserved2] = 7;
    CScriptedUi ui;
    EXPECT_TRUE(ValidateTubeOperating(ui, ope));
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{tubemsg::kReserved});
}
