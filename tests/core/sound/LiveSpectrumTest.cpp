#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/FileAnalysis.h"
#include "document/ScriptedUi.h"
#include "sound/settings/MeasConditions.h"
#include "sound/spectrum/SpecAnaPanel.h"
#include "support/FakeSoundCard.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Signed samples of `frames` frames: two tones per channel and a little DC.
std::vector<int> TestSignal(int frames, int channels, int bits) {
    const double full = bits == 8 ? 100.0 : 20000.0;
    std::vector<int> s;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) {
            const double x = 0.6 * std::sin(0.0731 * i * (c + 1) + 0.3 * c) +
                             0.3 * std::sin(0.41 * i + c) + 0.05;
            s.push_back(static_cast<int>(std::lround(full * x)));
        }
    return s;
}

void ExpectClose(const std::vector<float>& live, const std::vector<float>& file, int n,
                 const char* what) {
    double peak = 0.0;
    for (int k = 0; k < n; ++k) peak = std::max(peak, static_cast<double>(std::fabs(file[k])));
    ASSERT_GT(peak, 0.0);
    for (int k = 0; k < n; ++k) ASSERT_NEAR(live[k], file[k], 2e-5 * peak) << what << " bin " << k;
}

struct SpectrumCase {
    int bits, channels, window, downExp;
};

class LiveSpectrumVsFile : public ::testing::TestWithParam<SpectrumCase> {};

// The block the analyzer analyses is the first block of a buffer; the file analysis of the same
// samples (cut to that block, down-sampled the same way, one record) gives the same spectrum.
TEST_P(LiveSpectrumVsFile, EqualToTheFileAnalysisOfTheSameSamples) {
    const SpectrumCase c = GetParam();
    CScriptedUi ui;
    CKymoDoc doc(ui);
    CFakeSoundCard card;
    doc.m_nMeasRate = 4;
    doc.m_nMeasBits = c.bits == 8 ? meas::kBits8 : meas::kBits16;
    doc.m_nMeasCh = c.channels == 1 ? meas::kMono : meas::kStereo;
    doc.m_nPow = 3; // 1024 points
    doc.m_nWindowType = c.window;
    doc.m_nDownExp = c.downExp;
    ASSERT_EQ(doc.BeginSpectrumAnalyzer(&card, true), 1)
        << ::testing::PrintToString(ui.MessageTexts());
    const int frames = doc.CaptureFrames();
    CSpecAnaPanel panel(doc, card);
    ASSERT_TRUE(panel.OnStart());
    const int bufferFrames =
        static_cast<int>(panel.Engine().BufferBytes()) / (c.channels * c.bits / 8);
    const std::vector<int> samples = TestSignal(bufferFrames, c.channels, c.bits);
    ASSERT_TRUE(card.FillNext(PcmBytes(samples, c.bits)));
    panel.Engine().DispatchCompletions();
    ASSERT_EQ(doc.m_nRealUpdates, 1);
    ASSERT_EQ(doc.disp_mode1, kind::LiveSpectrum);

    CScriptedUi fileUi;
    CKymoDoc file(fileUi);
    WavFormat f;
    f.channels = c.channels;
    f.bits = c.bits;
    ASSERT_TRUE(file.LoadFromBytes(
        BuildWav(f, std::vector<int>(samples.begin(), samples.begin() + frames * c.channels))));
    file.disp_mode3 = c.channels == 2 ? chan::Both : chan::Ch1;
    AnalysisSetup setup;
    setup.pow = 3;
    setup.windowType = c.window;
    setup.downExp = c.downExp;
    ASSERT_EQ(file.OnSetUpFileAnalysis(analysis::Spectrum, setup), 1);
    ASSERT_EQ(file.RunAveragingPass(1), 1);
    ExpectClose(doc.m_fRe, file.m_fRe, 1024, "ch1");
    ExpectClose(doc.m_fWave1, file.m_fWave1, 1024, "ch1 time");
    if (c.channels == 2) ExpectClose(doc.m_fOpRe, file.m_fOpRe, 1024, "ch2");
    // The capture area is back at its full size for the next block.
    EXPECT_EQ(doc.m_nFrames, frames);
}

std::vector<SpectrumCase> SpectrumCases() {
    std::vector<SpectrumCase> cases;
    for (int bits : {8, 16})
        for (int channels : {1, 2})
            for (int window : {1, 2, 3, 4, 5, 7}) cases.push_back({bits, channels, window, 0});
    cases.push_back({16, 2, 4, -2});
    cases.push_back({8, 1, 2, -1});
    cases.push_back({16, 1, 7, -3});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Sound, LiveSpectrumVsFile, ::testing::ValuesIn(SpectrumCases()),
                         [](const auto& info) {
                             const SpectrumCase& c = info.param;
                             return std::to_string(c.bits) + "bit" + std::to_string(c.channels) +
                                    "ch_window" + std::to_string(c.window) + "_down" +
                                    std::to_string(-c.downExp);
                         });

struct PanelFixture : ::testing::Test {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    CFakeSoundCard card;

    void SetUp() override {
        doc.m_nPow = 4;
        doc.m_nWindowType = 7;
        ASSERT_EQ(doc.BeginSpectrumAnalyzer(&card, true), 1);
    }
    // One buffer of a constant level on both channels.
    void Feed(CSpecAnaPanel& panel, int level) {
        std::vector<int> s(static_cast<std::size_t>(panel.Engine().BufferBytes() / 2), level);
        ASSERT_TRUE(card.FillNext(PcmBytes(s, 16)));
        panel.Engine().DispatchCompletions();
        doc.m_bRealBusy = 0;
    }
};

TEST_F(PanelFixture, AveragingRestartsWhenSwitchedOn) {
    CSpecAnaPanel panel(doc, card);
    ASSERT_TRUE(panel.OnStart());
    for (int k = 0; k < 5; ++k) Feed(panel, 1000);
    EXPECT_FLOAT_EQ(doc.m_fRe[0], 1000.0f);
    panel.OnAverage();
    EXPECT_EQ(doc.m_bAveraging, 1);
    EXPECT_EQ(doc.m_nRealUpdates, 0);
    Feed(panel, 3000); // the first averaged display is the current block
    EXPECT_EQ(doc.m_nRealUpdates, 1);
    EXPECT_FLOAT_EQ(doc.m_fRe[0], 3000.0f);
    Feed(panel, 1000);
    EXPECT_FLOAT_EQ(doc.m_fRe[0], 2000.0f);
    panel.OnAverage(); // off: the current block again, the count restarts
    EXPECT_EQ(doc.m_nRealUpdates, 0);
    Feed(panel, 500);
    EXPECT_FLOAT_EQ(doc.m_fRe[0], 500.0f);
}

TEST_F(PanelFixture, ButtonsFollowTheEngineStates) {
    CSpecAnaPanel panel(doc, card);
    EXPECT_TRUE(panel.StartEnabled());
    EXPECT_EQ(panel.OnSave(), 0);
    EXPECT_EQ(ui.MessageTexts().back(), "測定を完了していません。");
    ASSERT_TRUE(panel.OnStart());
    EXPECT_FALSE(panel.StartEnabled());
    EXPECT_TRUE(panel.StopEnabled());
    EXPECT_FALSE(panel.OnStart());
    EXPECT_EQ(ui.MessageTexts().back(), "測定中ですので終了させて下さい!");
    panel.OnDisp();
    EXPECT_FALSE(panel.IsRunning());
    EXPECT_EQ(card.openDevices, 0);
    panel.OnDisp();
    EXPECT_EQ(ui.MessageTexts().back(), "測定はしないのですね！");
}

TEST_F(PanelFixture, AFailedStartIsReportedAndLeavesNothingOpen) {
    card.script.start = mmres::Error;
    CSpecAnaPanel panel(doc, card);
    EXPECT_FALSE(panel.OnStart());
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"waveInStart_FALSE!!", "測定中ですので終了させて下さい!"}));
    EXPECT_EQ(card.openDevices, 0);
    EXPECT_TRUE(panel.StartEnabled());
}

TEST_F(PanelFixture, ACardThatCannotOpenSaysWhy) {
    card.script.openIn = mmres::Allocated;
    CSpecAnaPanel panel(doc, card);
    EXPECT_FALSE(panel.OnStart());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("サウンドカードを開けませんでした。", 0), 0u);
}

TEST_F(PanelFixture, SpinTextsAndLimits) {
    doc.m_nMeasCh = meas::kMono;
    CSpecAnaPanel panel(doc, card);
    for (int k = 0; k < 5; ++k) panel.OnRangeSpin(1, -1);
    EXPECT_EQ(panel.RangeText(1), "0.25");
    EXPECT_FLOAT_EQ(doc.m_fCh1Range, 0.25f);
    for (int k = 0; k < 20; ++k) panel.OnRangeSpin(1, +1);
    EXPECT_EQ(panel.RangeText(1), "512");
    EXPECT_EQ(panel.RangeText(2), "Non");
    EXPECT_EQ(panel.PositionText(2), "Non");
    panel.OnRangeSpin(2, 1);
    EXPECT_FLOAT_EQ(doc.m_fCh2Range, 1.0f);
    panel.OnPositionSpin(1, 3);
    EXPECT_EQ(panel.PositionText(1), "30");
    panel.OnFixedPositions(true);
    EXPECT_EQ(panel.PositionText(1), "Fix+");
    EXPECT_EQ(doc.m_nCh1Position, 50);
    panel.OnPositionSpin(1, 3); // ignored while fixed
    panel.OnFixedPositions(false);
    EXPECT_EQ(panel.PositionText(1), "30");
    for (int k = 0; k < 100; ++k) panel.OnTopLevelSpin(1);
    EXPECT_EQ(panel.TopLevelText(), "500");
    for (int k = 0; k < 100; ++k) panel.OnDynamicRangeSpin(-1);
    EXPECT_EQ(panel.DynamicRangeText(), "10");
    EXPECT_EQ(doc.m_nDynamicRange, 10);
    for (int k = 0; k < 30; ++k) panel.OnIntervalSpin(1);
    EXPECT_EQ(panel.IntervalText(), "2.0");
}

TEST_F(PanelFixture, NothingAnalysedLeavesAnEmptyView) {
    {
        CSpecAnaPanel panel(doc, card);
        ASSERT_TRUE(panel.OnStart());
        panel.Close();
    }
    doc.FinishSpectrumAnalyzer();
    EXPECT_EQ(doc.disp_mode1, kind::None);
    EXPECT_FALSE(doc.HasWave());
}

TEST_F(PanelFixture, TheLastSpectrumStaysAfterTheClose) {
    {
        CSpecAnaPanel panel(doc, card);
        ASSERT_TRUE(panel.OnStart());
        Feed(panel, 100);
        panel.Close();
    }
    doc.FinishSpectrumAnalyzer();
    EXPECT_EQ(doc.disp_mode1, kind::Spectrum2);
    EXPECT_EQ(doc.disp_mode3, chan::Both);
    EXPECT_FALSE(doc.HasWave());
}

struct SetUpCheck {
    const char* name;
    bool hasInput;
    int measBits;
    std::vector<std::string> messages;
    int result;
};

class SetUpChecks : public ::testing::TestWithParam<SetUpCheck> {};

TEST_P(SetUpChecks, ReportAndAbandon) {
    const SetUpCheck& c = GetParam();
    CScriptedUi ui;
    CKymoDoc doc(ui);
    CFakeSoundCard card;
    card.script.hasInput = c.hasInput;
    doc.m_nMeasBits = c.measBits;
    const int top = doc.m_nTopLevel;
    EXPECT_EQ(doc.BeginSpectrumAnalyzer(&card, true), c.result);
    EXPECT_EQ(ui.MessageTexts(), c.messages);
    if (c.measBits > 1) {
        EXPECT_EQ(doc.m_nMeasBits, meas::kBits16);
        EXPECT_EQ(doc.m_nTopLevel, top - 100);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sound, SetUpChecks,
    ::testing::Values(
        SetUpCheck{"NoCard",
                   false,
                   1,
                   {"サウンドカードがないのでは！！\nサウンドカードがなくても、オプションの「サウン"
                    "ドデバイスの選択」で仮想サウンドカードを選べば測定できます。"},
                   0},
        SetUpCheck{"WidthLeftAt24Bits",
                   true,
                   2,
                   {"ここは16bit幅までのｻﾎﾟｰﾄです。\n　16bitに設定します！！"},
                   1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SetUpConditions, CancelAbandonsWithoutChangingTheConditions) {
    struct CancellingUi : CScriptedUi {
        bool AskMeasConditions(CMeasConditions& c) override {
            c.rateIndex = 0;
            return false;
        }
    } ui;
    CKymoDoc doc(ui);
    CFakeSoundCard card;
    EXPECT_EQ(doc.BeginSpectrumAnalyzer(&card, false), 0);
    EXPECT_EQ(doc.m_nMeasRate, 4);
    EXPECT_FALSE(doc.HasWave());
}

} // namespace
