#include "sound/settings/MeasConditions.h"
#include "document/ScriptedUi.h"

#include <gtest/gtest.h>

namespace {

const char* const kLimit = "これ以上のダウンサンプリングにエントリ－できるのは作者のみです";

TEST(MeasConditions, BandwidthBelow100HzIsRefusedOneStepBack) {
    CScriptedUi ui;
    CMeasConditions c({}, ui);
    c.rateIndex = 5; // 96000 Hz
    for (int k = 0; k < 6; ++k) c.StepDownSampling(-1);
    EXPECT_EQ(c.downExp, -6);
    EXPECT_EQ(c.BandwidthText(), "750Hz");
    EXPECT_TRUE(ui.messages.empty());
    c.StepDownSampling(-1); // already at the end of the range
    EXPECT_EQ(c.downExp, -6);
    c.SelectRate(0); // 11025 Hz: 86 Hz is refused, 172 Hz stays
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{kLimit});
    EXPECT_EQ(c.downExp, -5);
    EXPECT_EQ(c.BandwidthText(), "172Hz");
    c.StepDownSampling(-1);
    EXPECT_EQ(c.downExp, -5);
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST(MeasConditions, BandwidthTexts) {
    CScriptedUi ui;
    CMeasConditions c({}, ui);
    EXPECT_EQ(c.BandwidthText(), "24kHz");
    c.rateIndex = 3;
    EXPECT_EQ(c.BandwidthText(), "22kHz");
    c.StepDownSampling(-1);
    EXPECT_EQ(c.BandwidthText(), "11kHz");
    c.StepDownSampling(-1);
    EXPECT_EQ(c.BandwidthText(), "5512Hz");
}

TEST(MeasConditions, TheServoAnalyzerKeepsStereoAnd16Bits) {
    CScriptedUi ui;
    MeasConditionMode servo;
    servo.allow8Bit = false;
    servo.twoChannel = true;
    CMeasConditions c(servo, ui);
    c.SelectChannels(meas::kMono);
    EXPECT_EQ(c.channelsIndex, meas::kStereo);
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"ｻｰﾎﾞｱﾅﾗｲｻﾞｰ設定につき<ｽﾃﾚｵ>に固定です！"});
    c.SelectBits(meas::kBits8);
    EXPECT_EQ(c.bitsIndex, meas::kBits16);
    // A spectrum analyzer takes both.
    CMeasConditions s({}, ui);
    s.SelectChannels(meas::kMono);
    s.SelectBits(meas::kBits8);
    EXPECT_EQ(s.channelsIndex, meas::kMono);
    EXPECT_EQ(s.bitsIndex, meas::kBits8);
}

TEST(MeasConditions, CharacteristicCyclesOnlyWhenInUse) {
    CScriptedUi ui;
    CMeasConditions c({}, ui);
    EXPECT_FALSE(c.CharacteristicEnabled());
    EXPECT_EQ(c.ModeLabel(), "");
    c.CycleCharacteristic();
    EXPECT_EQ(c.characteristic, "無効");
    c.characteristic = meas::CharacteristicText(meas::kClose);
    EXPECT_EQ(c.ModeLabel(), "ｻｰﾎﾞ測定ﾓｰﾄﾞ");
    const char* expected[] = {"Open(+)特性", "Open(-)特性", "Close特性"};
    for (const char* e : expected) {
        c.CycleCharacteristic();
        EXPECT_EQ(c.characteristic, e);
    }
}

TEST(MeasConditions, WindowNotes) {
    CScriptedUi ui;
    MeasConditionMode m;
    EXPECT_EQ(CMeasConditions(m, ui).WindowNote(), "注)入力信号に指定窓関数をかけます");
    m.twoChannel = true;
    EXPECT_EQ(CMeasConditions(m, ui).WindowNote(), "注)Rand信号では窓関数をかけます");
    m.tspExcitation = true;
    EXPECT_EQ(CMeasConditions(m, ui).WindowNote(), "注)TSP信号では窓関数をかけません");
    m.correlation = true;
    EXPECT_EQ(CMeasConditions(m, ui).WindowNote(), "注)入力信号に指定窓関数をかけます");
}

TEST(MeasConditions, RatesAndTexts) {
    const int rates[] = {11025, 22050, 32000, 44100, 48000, 96000};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(meas::RateOfIndex(i), rates[i]);
        EXPECT_EQ(meas::IndexOfRate(rates[i]), i);
        EXPECT_EQ(meas::RateText(i), std::to_string(rates[i]) + "Hz");
    }
    EXPECT_EQ(meas::RateOfIndex(17), 48000);
    EXPECT_EQ(meas::PointsText(0), "128点");
    EXPECT_EQ(meas::PointsText(8), "32768点");
    EXPECT_STREQ(meas::WindowText(5), "窓なし");
}

} // namespace
