#include "sound/audio/AudioMeasPanel.h"
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "dsp/Window.h"
#include "dsp/WindowKinds.h"
#include "sound/audio/AudioResults.h"
#include "sound/devices/SoundCardFactory.h"
#include "sound/engine/SoundCard.h"
#include "sound/engine/SoundDuplex.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <memory>

namespace {

constexpr int kN = audio::kSinePoints;

// A document with a view that finishes drawing at once, the virtual card with `dut`.
struct Bench {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    std::unique_ptr<ISoundCard> card;
    explicit Bench(const std::string& dut) {
        std::string error;
        card = CreateSoundCard({"virtual", dut}, VirtualClock::Fast, error);
        EXPECT_TRUE(card) << error;
        doc.SetUpdateListener([this] { doc.m_bRealBusy = 0; });
    }
};

bool Drive(SoundDuplex& engine, const std::function<bool()>& done) {
    for (int i = 0; i < 100000 && !done(); ++i)
        if (!engine.RunOnce(std::chrono::milliseconds(2000))) return false;
    return done();
}

// One direct-mode run of `items` at (rate, width code); the panel is left for inspection.
void RunItems(Bench& b, CAudioMeasPanel& p, std::initializer_list<int> items, int rate, int width,
              int thdFreq = 1000, int thdDb = 0) {
    p.SetRate(rate);
    p.SetWidthCode(width);
    p.SetAll(false);
    for (int item : items) p.SetItem(item, true);
    ASSERT_TRUE(p.SetDetail(thdFreq, thdDb, 60, 7000, -3, -15, 30, 19000));
    ASSERT_TRUE(p.OnStart());
    ASSERT_TRUE(Drive(p.Engine(), [&] { return p.Calibrated(); }));
    p.OnRun();
    ASSERT_TRUE(Drive(p.Engine(), [&] { return p.IsFinished(); }));
}

double KaiserPower() {
    std::vector<float> w(kN);
    FillWindow(wnd::Kaiser, kN, 12.0f, w.data());
    double s = 0.0;
    for (float v : w) s += static_cast<double>(v) * v;
    return s;
}

} // namespace

TEST(AudioMeasDirect, PureGainIsFlatWithThdAtTheNoiseFloor) {
    for (int width : {1, 2, 3}) {
        Bench b("dut1=gain:0.5;dut2=gain:0.5");
        ASSERT_EQ(BeginAudioMeasurement(b.doc, b.card.get()), 1);
        CAudioMeasPanel p(b.doc, *b.card);
        RunItems(b, p, {CAudioResults::FreqResponse, CAudioResults::Thd}, 48000, width);
        const auto& r = p.Results().m_fResult;
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(r[i], 0.0, 0.05) << width << " fr " << i;
        EXPECT_LT(r[4], width == 1 ? 0.002 : 0.0002) << width;
        EXPECT_LT(r[5], width == 1 ? 0.002 : 0.0002) << width;
        EXPECT_EQ(p.Results().m_nFlags, (std::array<int, 6>{1, 1, 0, 0, 0, 0}));
        EXPECT_NEAR(p.InputLevels()[0] - p.InputLevels()[1], 0.0, 1e-3);
    }
}

TEST(AudioMeasDirect, SecondOrderNonlinearityGivesHalfItsCoefficient) {
    // y = u + A2 u^2 for a sine of amplitude a: the second harmonic is A2 a^2 / 2, so
    // THD = |A2| a / 2; -6 dB keeps the device out of clipping. 1125 Hz lies on a bin at 48 kHz.
    for (int width : {1, 3}) {
        for (double a2 : {0.02, -0.05}) {
            Bench b("dut1=poly:1:" + std::to_string(a2) + ";dut2=gain:1");
            BeginAudioMeasurement(b.doc, b.card.get());
            CAudioMeasPanel p(b.doc, *b.card);
            RunItems(b, p, {CAudioResults::Thd}, 48000, width, 1125, -6);
            const auto& r = p.Results().m_fResult;
            const double a = 32767.0 / 32768.0 * std::pow(10.0, -6.0 / 20.0);
            EXPECT_NEAR(r[4], 100.0 * std::fabs(a2) * a / 2.0, 0.01) << a2 << " " << width;
            EXPECT_LT(r[5], 0.002);
            EXPECT_GE(r[6], r[4]);
            EXPECT_NEAR(p.Monitor(0), 1125.0, 1.0);
        }
    }
}

TEST(AudioMeasDirect, LeakGivesItsCrosstalkAtBothFrequencies) {
    // The chains halve both channels so that tone plus leak stays below full scale: the leak
    // is 0.01 / 0.5 of the channel's own signal.
    Bench b("dut1=gain:0.5;dut2=gain:0.5;leak=0.01");
    BeginAudioMeasurement(b.doc, b.card.get());
    CAudioMeasPanel p(b.doc, *b.card);
    RunItems(b, p, {CAudioResults::Crosstalk}, 48000, 1);
    const auto& r = p.Results().m_fResult;
    for (int i = 18; i < 22; ++i) EXPECT_NEAR(r[i], 20.0 * std::log10(0.02), 0.02) << i;
    EXPECT_EQ(p.Results().Appended(), 6);
}

TEST(AudioMeasDirect, WeightedAndUnweightedSignalToNoiseOfAKnownNoise) {
    const double sigma = 40.0;
    Bench b("dut1=noise:40:3;dut2=noise:40:4");
    BeginAudioMeasurement(b.doc, b.card.get());
    CAudioMeasPanel p(b.doc, *b.card);
    RunItems(b, p, {CAudioResults::SignalNoise}, 48000, 1);
    const auto& r = p.Results().m_fResult;
    // The bins hold the mean of 8 magnitudes of complex Gaussian bins of power P: its square
    // is P (pi/4 + (1 - pi/4) / 8) on average.
    const double bin = sigma * sigma * KaiserPower() / (static_cast<double>(kN) * kN) *
                       (M_PI / 4.0 + (1.0 - M_PI / 4.0) / 8.0);
    const double df = 48000.0 / kN;
    const int b35 = static_cast<int>(35.0 / df), u = audio::UpperBin(kN, 48000, true);
    double plain = 0.0, weighted = 0.0;
    for (int k = b35; k <= u; ++k) plain += bin;
    for (int k = b35 + 1; k < u; ++k) weighted += bin * audio::Weighting(k * df);
    for (int c = 0; c < 2; ++c) {
        const double ref = std::pow(10.0, p.InputLevels()[c] / 10.0);
        EXPECT_NEAR(r[10 + c], -10.0 * std::log10(plain / ref), 0.15) << c;
        EXPECT_NEAR(r[8 + c], -10.0 * std::log10(weighted / ref), 0.15) << c;
    }
}

TEST(AudioMeasDirect, RunSavesAndLoadsEveryCurveAndResult) {
    Bench b("dut1=gain:0.7,noise:20:1;dut2=poly:0.9:0.01,noise:20:2;leak=0.001");
    BeginAudioMeasurement(b.doc, b.card.get());
    CAudioMeasPanel p(b.doc, *b.card);
    RunItems(b, p, {0, 1, 2, 3, 4, 5}, 44100, 1);
    EXPECT_EQ(p.Results().Appended(), 16);
    TempDir dir;
    ASSERT_EQ(p.OnSave(dir.Path("run.opr")), 1);
    CAudioMeasPanel q(b.doc, *b.card);
    ASSERT_EQ(q.OnLoad(dir.Path("run.opr")), 1);
    EXPECT_EQ(q.Results().m_nFlags, p.Results().m_nFlags);
    EXPECT_EQ(q.Rate(), 44100);
    for (std::size_t i = 0; i < 16u * audio::kTspPoints; ++i)
        ASSERT_EQ(q.Results().m_fStore[i], p.Results().m_fStore[i]) << i;
    // The recomputation from the stored curves gives the run's own values (S/N and dynamic
    // range were stored normalised).
    for (int i = 0; i < 22; ++i)
        EXPECT_NEAR(q.Results().m_fResult[i], p.Results().m_fResult[i], 0.011) << i;
}
