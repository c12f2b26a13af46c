#include "filters/RemezBiquadFileFilter.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "filters/BiquadDesign.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

struct Fixture {
    CScriptedUi ui;
    CKymoDoc doc{ui};
};

// Stereo 16-bit at 48 kHz: tones of 1 kHz and 9 kHz in channel 1, a 5 kHz tone in channel 2.
std::vector<int> Tones(int frames) {
    std::vector<int> s;
    for (int f = 0; f < frames; ++f) {
        const double t = f / 48000.0;
        s.push_back(static_cast<int>(std::lround(3000 * std::sin(2 * kPi * 1000 * t) +
                                                 3000 * std::sin(2 * kPi * 9000 * t))));
        s.push_back(static_cast<int>(std::lround(2000 * std::sin(2 * kPi * 5000 * t))));
    }
    return s;
}

// Amplitude of the tone at f Hz in a channel over frames [from, to).
double ToneAmplitude(const CKymoDoc& doc, int channel, double f, int from, int to) {
    double c = 0, s = 0;
    for (int i = from; i < to; ++i) {
        const double x = doc.GetSample(i, channel);
        c += x * std::cos(2 * kPi * f * i / 48000.0);
        s += x * std::sin(2 * kPi * f * i / 48000.0);
    }
    return 2.0 * std::hypot(c, s) / (to - from);
}

RemezBandTable LowPass3k() {
    RemezBandTable t;
    t.nBands = 2;
    t.low[0] = 0;
    t.high[0] = 3000;
    t.gain[0] = 1;
    t.weight[0] = 1;
    t.low[1] = 5000;
    t.high[1] = 20000; // corrected to fs/2 with the notice
    t.gain[1] = 0;
    t.weight[1] = 10;
    return t;
}

TEST(RemezFileFilter, LowPassRunsThroughTheConfirmationAndKeepsTheSettings) {
    Fixture fx;
    const int frames = 12000;
    ASSERT_TRUE(fx.doc.LoadFromBytes(BuildWav({}, Tones(frames))));
    fx.doc.OnSelectChannel(1);
    std::vector<int> seenKinds;
    fx.doc.SetUpdateListener([&] { seenKinds.push_back(fx.doc.disp_mode1); });
    ASSERT_EQ(OnFilterRemez(fx.doc, LowPass3k(), 101), 1)
        << testing::PrintToString(fx.ui.MessageTexts());
    EXPECT_EQ(fx.ui.MessageTexts(),
              std::vector<std::string>{"最終ﾊﾞﾝﾄﾞの端周波数はｻﾝﾌﾟﾘﾝｸﾞ周波数の半分に設定致します"});
    EXPECT_EQ(seenKinds, (std::vector<int>{kind::FilterResult, kind::Wave}));
    EXPECT_EQ(fx.ui.questions.size(), 1u);
    EXPECT_EQ(fx.doc.m_nFirType, 5);
    EXPECT_EQ(fx.doc.m_nFirTaps, 101);
    EXPECT_EQ(fx.doc.m_RemezTable.high[1], 24000.0f);
    EXPECT_EQ(fx.doc.m_pFirCoef, nullptr);
    const int usable = frames - 101;
    EXPECT_NEAR(ToneAmplitude(fx.doc, 1, 1000, 200, usable), 3000, 150);
    EXPECT_LT(ToneAmplitude(fx.doc, 1, 9000, 200, usable), 30);
    // Channel 2 is copied, kept in step with channel 1.
    EXPECT_NEAR(ToneAmplitude(fx.doc, 2, 5000, 200, usable), 2000, 20);
}

TEST(RemezFileFilter, NonConvergenceOrBadTableChangesNothing) {
    Fixture fx;
    const auto bytes = BuildWav({}, Tones(4000));
    ASSERT_TRUE(fx.doc.LoadFromBytes(bytes));
    fx.doc.OnSelectChannel(3);
    const std::vector<std::uint8_t> before(fx.doc.m_pWaveImage.get(),
                                           fx.doc.m_pWaveImage.get() + fx.doc.m_nWaveImageSize);
    RemezBandTable t = LowPass3k();
    t.high[0] = 8640; // a ripple of about 240 dB, far below the rounding of doubles
    t.low[1] = 11520;
    t.high[1] = 24000;
    t.weight[1] = 8;
    EXPECT_EQ(OnFilterRemez(fx.doc, t, 255), 0);
    EXPECT_EQ(fx.ui.MessageTexts(),
              std::vector<std::string>{"収束しないのでﾊﾟﾗﾒｰﾀｰ設定を変えてみて下さい！"});
    t = LowPass3k();
    t.weight[0] = 0.5f;
    fx.ui.Clear();
    EXPECT_EQ(OnFilterRemez(fx.doc, t, 101), 0);
    EXPECT_EQ(fx.ui.MessageTexts().back(), "重み設定は1以上として下さい");
    EXPECT_TRUE(fx.ui.questions.empty());
    EXPECT_EQ(std::vector<std::uint8_t>(fx.doc.m_pWaveImage.get(),
                                        fx.doc.m_pWaveImage.get() + fx.doc.m_nWaveImageSize),
              before);
    EXPECT_EQ(fx.doc.disp_mode3, 3);
}

TEST(BiquadFileFilter, PeakingBoostsItsFrequencyOnTheChosenChannel) {
    Fixture fx;
    const int frames = 12000;
    ASSERT_TRUE(fx.doc.LoadFromBytes(BuildWav({}, Tones(frames))));
    fx.doc.OnSelectChannel(2);
    const BiquadSettings s{biquadtype::Peaking, 5000.0f, 6.0f};
    ASSERT_EQ(OnFilterBiquad(fx.doc, s), 1) << testing::PrintToString(fx.ui.MessageTexts());
    EXPECT_EQ(fx.doc.m_nIirType, 0);
    EXPECT_EQ(fx.doc.m_nFilterShape, biquadtype::Peaking);
    EXPECT_EQ(fx.doc.m_fCutLow, 5000.0f);
    EXPECT_EQ(fx.doc.m_fIirGain, 6.0f);
    EXPECT_EQ(fx.doc.disp_mode3, 2);
    // +6 dB at the peak; channel 1 untouched and not delayed.
    EXPECT_NEAR(ToneAmplitude(fx.doc, 2, 5000, 2000, frames), 2000 * std::pow(10, 0.3), 20);
    EXPECT_NEAR(ToneAmplitude(fx.doc, 1, 1000, 2000, frames), 3000, 10);
    EXPECT_NEAR(ToneAmplitude(fx.doc, 1, 9000, 2000, frames), 3000, 10);
    const BiquadSettings loaded = LoadBiquadSettings(fx.doc);
    EXPECT_EQ(loaded.type, s.type);
    EXPECT_EQ(loaded.freq, s.freq);
    EXPECT_EQ(loaded.gainDb, s.gainDb);
}

TEST(BiquadFileFilter, CancelInTheConfirmationKeepsTheWaveAndInvalidSettingsDoNotRun) {
    Fixture fx;
    ASSERT_TRUE(fx.doc.LoadFromBytes(BuildWav({}, Tones(3000))));
    fx.doc.OnSelectChannel(3);
    const std::vector<std::uint8_t> before(fx.doc.m_pWaveImage.get(),
                                           fx.doc.m_pWaveImage.get() + fx.doc.m_nWaveImageSize);
    fx.ui.yesNoAnswers.push_back(false);
    EXPECT_EQ(OnFilterBiquad(fx.doc, {biquadtype::LowPass, 2000.0f, 0.0f}), 0);
    EXPECT_EQ(fx.ui.questions.size(), 1u);
    EXPECT_EQ(OnFilterBiquad(fx.doc, {biquadtype::LowPass, 2000.0f, 25.0f}), 0);
    EXPECT_EQ(fx.ui.MessageTexts().back(), "20dB以下のレベルにして下さい。");
    EXPECT_EQ(fx.ui.questions.size(), 1u);
    EXPECT_EQ(std::vector<std::uint8_t>(fx.doc.m_pWaveImage.get(),
                                        fx.doc.m_pWaveImage.get() + fx.doc.m_nWaveImageSize),
              before);
    EXPECT_EQ(fx.doc.disp_mode3, 3);
}

} // namespace
