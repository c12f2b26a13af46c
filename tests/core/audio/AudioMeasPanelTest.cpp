#include "sound/audio/AudioMeasPanel.h"
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "dsp/Window.h"
#include "dsp/WindowKinds.h"
#include "sound/audio/AudioResults.h"
#include "sound/audio/AudioTestFile.h"
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

// Synchronous mode only records: the lead-in of the test file starts the items, which then follow
// the file's timing. A device delayed by 3000 frames (62.5 ms, a usual loop delay of a card; the
// captured blocks straddle the file's sections and the TSP onsets must be searched) gives the
// results of a direct run: the analysis of each item starts one block into its section, so the
// tail of the previous section does not reach it.
TEST(AudioMeasSynchronous, TestFileRunGivesTheResultsOfADirectRun) {
    TempDir dir;
    const std::string wav = dir.Path("measure.wav");
    ASSERT_TRUE(WriteAudioTestFile(wav, AudioTestSettings{}, true));
    const std::string chain = "dut1=delay:3000,gain:0.5,poly:1:0.02,noise:20:1;"
                              "dut2=delay:3000,gain:0.5,noise:20:2;leak=0.005";
    Bench direct(chain);
    BeginAudioMeasurement(direct.doc, direct.card.get());
    CAudioMeasPanel d(direct.doc, *direct.card);
    RunItems(direct, d, {0, 1, 2, 3, 4, 5}, 48000, 1);

    Bench b("in1=src;in2=src;src=wav:" + wav + ";" + chain);
    BeginAudioMeasurement(b.doc, b.card.get());
    CAudioMeasPanel p(b.doc, *b.card);
    p.SetMode(CAudioMeasPanel::Synchronous);
    EXPECT_EQ(b.ui.messages.back().text,
              "試験信号作成時(Waveﾌｧｲﾙ)のｻﾝﾌﾟﾘﾝｸﾞ周波数(FS)\nに設定して下さい。");
    ASSERT_TRUE(p.OnStart());
    // Run is not needed: the lead-in starts the items.
    ASSERT_TRUE(Drive(p.Engine(), [&] { return p.Step() >= 1; }));
    const long long leadIn = p.Engine().Stats().buffers;
    EXPECT_GE(leadIn, 50);
    EXPECT_LE(leadIn, 52);
    ASSERT_TRUE(Drive(p.Engine(), [&] { return p.IsFinished(); }));
    EXPECT_EQ(p.Results().m_nFlags, (std::array<int, 6>{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(p.Results().Appended(), 16);

    const auto& r = p.Results().m_fResult;
    const auto& e = d.Results().m_fResult;
    // Flat within what the added noise leaves of the low TSP level.
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(r[i], 0.0, 0.1) << "fr " << i;
    // THD of the left chain: |A2| a / 2 with a = 0.5.
    EXPECT_NEAR(r[4], 0.5, 0.01);
    for (int i = 4; i < 8; ++i) EXPECT_NEAR(r[i], e[i], 0.01) << "thd " << i;
    for (int i = 8; i < 16; ++i) EXPECT_NEAR(r[i], e[i], 0.3) << "noise " << i;
    for (int i = 16; i < 18; ++i) EXPECT_NEAR(r[i], e[i], 0.02) << "im " << i;
    for (int i = 18; i < 22; ++i) {
        EXPECT_NEAR(r[i], 20.0 * std::log10(0.01), 0.05) << "xtalk " << i;
        EXPECT_NEAR(r[i], e[i], 0.05) << "xtalk " << i;
    }
    for (int c = 0; c < 2; ++c) EXPECT_NEAR(p.InputLevels()[c], d.InputLevels()[c], 0.05) << c;
}

// Each item takes 7 settling buffers and 8 analysed ones in direct mode (an unticked item passes
// at once); manual mode measures its one item again and again, 8 settling and 8 analysed buffers
// a round, averaging on across the rounds and keeping only the latest curves.
TEST(AudioMeasModes, BuffersPerItemAndManualRepetition) {
    const std::string dut = "in1=src;in2=src;src=tone:1125:16000+noise:10:1;dut1=poly:1:0.02";
    for (int mode : {CAudioMeasPanel::Direct, CAudioMeasPanel::Manual}) {
        Bench b(dut);
        BeginAudioMeasurement(b.doc, b.card.get());
        CAudioMeasPanel p(b.doc, *b.card);
        p.SetMode(mode);
        p.SetAll(false);
        p.SetItem(CAudioResults::Thd, true);
        p.SetItem(CAudioResults::DynamicRange, true); // manual: replaces THD
        p.SetItem(CAudioResults::Thd, true);          // manual: THD alone again
        p.SetItem(CAudioResults::FreqResponse, true); // refused in manual mode
        const bool manual = mode == CAudioMeasPanel::Manual;
        EXPECT_EQ(p.Item(CAudioResults::DynamicRange), !manual);
        EXPECT_EQ(p.Item(CAudioResults::FreqResponse), !manual);
        if (!manual) p.SetItem(CAudioResults::FreqResponse, false);
        ASSERT_TRUE(p.OnStart());
        ASSERT_TRUE(Drive(p.Engine(), [&] { return p.Calibrated(); }));
        p.OnRun();
        long long at[4] = {p.Engine().Stats().buffers, 0, 0, 0};
        const int rounds = manual ? 3 : 2;
        for (int round = 1; round <= rounds; ++round) {
            ASSERT_TRUE(Drive(p.Engine(), [&] { return p.Rounds() >= round; })) << round;
            at[round] = p.Engine().Stats().buffers;
        }
        const int per = manual ? 16 : 15;
        // Step 1 (frequency response, unticked or refused) passes at once; a result is taken at
        // the start of the buffer after the item's last analysed one.
        EXPECT_EQ(at[1] - at[0], per + 1) << mode;
        EXPECT_EQ(at[2] - at[1], per) << mode;
        const auto& r = p.Results().m_fResult;
        const double a = 16000.0 / 32768.0;
        EXPECT_NEAR(r[4], 100.0 * 0.02 * a / 2.0, 0.01) << mode;
        EXPECT_LT(r[5], 0.005) << mode;
        if (manual) {
            EXPECT_EQ(at[3] - at[2], 16);
            EXPECT_EQ(p.Step(), 2);
            // Each round writes its two curves at the start of the store again.
            EXPECT_EQ(p.Results().Appended(), 0);
            // 24 analysed blocks averaged (nothing cleared between the rounds).
            EXPECT_GE(b.doc.m_nRealUpdates, 24);
            p.OnStop();
            EXPECT_EQ(p.Results().m_nFlags, (std::array<int, 6>{0, 1, 0, 0, 0, 0}));
            // The graph of the latest round: the spectra normalised to their peak at 1125 Hz.
            EXPECT_EQ(p.Results().ItemCurves(CAudioResults::Thd), p.Results().m_fStore.data());
            ASSERT_TRUE(p.ShowGraph(CAudioResults::Thd));
            EXPECT_EQ(b.doc.m_fRe[384], 1.0f);
            EXPECT_EQ(b.doc.m_fOpRe[384], 1.0f);
        } else {
            EXPECT_EQ(p.Step(), CAudioMeasPanel::kDone); // S/N skipped, the rest too
            ASSERT_TRUE(Drive(p.Engine(), [&] { return p.IsFinished(); }));
            EXPECT_EQ(p.Results().m_nFlags, (std::array<int, 6>{0, 1, 0, 1, 0, 0}));
            EXPECT_EQ(p.Results().Appended(), 4);
        }
    }
}

// Manual mode refers the S/N to the levels taken by "基準ﾚﾍﾞﾙ取得" (75 dB until then): the same
// input gives results that differ by exactly the level taken minus 75.
TEST(AudioMeasModes, ManualSignalToNoiseUsesTheTakenReference) {
    float sn[2][4];
    float level[2] = {0, 0};
    for (int take = 0; take < 2; ++take) {
        Bench b("in1=src;in2=src;src=tone:1000:8000+noise:30:1;dut2=gain:0.5");
        BeginAudioMeasurement(b.doc, b.card.get());
        CAudioMeasPanel p(b.doc, *b.card);
        p.SetMode(CAudioMeasPanel::Manual);
        p.SetItem(CAudioResults::SignalNoise, true);
        p.OnTakeReference();
        EXPECT_EQ(b.ui.messages.back().text, "ｽﾀｰﾄしてから基準ﾚﾍﾞﾙを取得して下さい。");
        ASSERT_TRUE(p.OnStart());
        ASSERT_TRUE(Drive(p.Engine(), [&] { return p.Calibrated(); }));
        if (take) p.OnTakeReference();
        p.OnRun();
        ASSERT_TRUE(Drive(p.Engine(), [&] { return p.Rounds() >= 1; }));
        for (int i = 0; i < 4; ++i) sn[take][i] = p.Results().m_fResult[8 + i];
        level[0] = p.InputLevels()[0];
        level[1] = p.InputLevels()[1];
    }
    EXPECT_NEAR(level[0] - level[1], 20.0 * std::log10(2.0), 0.01);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(sn[1][i] - sn[0][i], level[i % 2] - 75.0, 0.02) << i;
}

// The row labels follow f1 and f2 ("%dHz", "%dkHz" from 1000 Hz); the width button moves the
// top level by 100 dB from 16 to 24 bits and back from 32 to 16; a result graph shows the result
// top level (10 dB at first) and ON takes the live one back.
TEST(AudioMeasModes, LabelsWidthButtonAndTopLevels) {
    Bench b("dut1=gain:1");
    BeginAudioMeasurement(b.doc, b.card.get());
    CAudioMeasPanel p(b.doc, *b.card);
    EXPECT_EQ(p.FreqRowLabel(0), "30Hz");
    EXPECT_EQ(p.FreqRowLabel(1), "19kHz");
    ASSERT_TRUE(p.SetDetail(1000, 0, 60, 7000, -3, -15, 999, 1000));
    EXPECT_EQ(p.FreqRowLabel(0), "999Hz");
    EXPECT_EQ(p.FreqRowLabel(1), "1kHz");
    EXPECT_FALSE(p.SetDetail(1000, 0, 60, 7000, -3, -3, 30, 19000));
    EXPECT_EQ(p.DetailFault(), 5);
    EXPECT_EQ(b.ui.messages.back().text,
              "両方、又はどちらかのIM測定ﾚﾍﾞﾙが高過ぎます。\n  あとﾄｰﾀﾙで3dB程下げて下さい。");
    const int top = b.doc.m_nTopLevel;
    const int tops[] = {top + 100, top + 100, top};
    for (int i = 0; i < 3; ++i) {
        p.OnWidthButton();
        EXPECT_EQ(b.doc.m_nTopLevel, tops[i]) << i;
    }
    RunItems(b, p, {CAudioResults::Thd}, 48000, 1);
    ASSERT_TRUE(p.ShowGraph(CAudioResults::Thd));
    EXPECT_EQ(b.doc.m_nTopLevel, 10);
    p.OnTopLevelSpin(1);
    EXPECT_EQ(p.TopLevelText(), "20");
    ASSERT_TRUE(p.OnStart());
    EXPECT_EQ(b.doc.m_nTopLevel, top);
    p.OnStop();
    ASSERT_TRUE(p.ShowGraph(CAudioResults::Thd));
    EXPECT_EQ(b.doc.m_nTopLevel, 20);
}
