#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "sound/devices/VirtualSoundCard.h"
#include "sound/generator/SigGenPanel.h"
#include "sound/scope/OscilloPanel.h"
#include "sound/scope/ScopeSweeps.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

// A document whose view draws at once, on a virtual card in fast mode.
struct Rig {
    explicit Rig(const std::string& dut) {
        std::string error;
        card = CVirtualSoundCard::Create(dut, VirtualClock::Fast, error);
        EXPECT_TRUE(card) << error;
        doc.SetUpdateListener([this] {
            ++redraws;
            doc.m_bRealBusy = 0;
            if (onRedraw) onRedraw();
        });
    }
    // Runs the engine until `done` (false when it stopped or nothing came).
    bool Drive(SoundDuplex& engine, const std::function<bool()>& done) {
        while (!done()) {
            if (!engine.IsRunning() || !engine.RunOnce(std::chrono::seconds(5))) return false;
        }
        return true;
    }
    CScriptedUi ui;
    CKymoDoc doc{ui};
    std::unique_ptr<CVirtualSoundCard> card;
    int redraws = 0;
    std::function<void()> onRedraw;
};

// X-Y of two sines 90 degrees apart (ch2 a quarter period late) is a circle.
TEST(LiveScope, XYOfQuadratureSinesIsACircle) {
    Rig rig("in1=src;in2=src;src=tone:1000:12000;dut2=delay:12");
    rig.doc.m_bScopeXY = 1;
    ASSERT_EQ(rig.doc.BeginOscilloscope(), 1);
    COscilloPanel panel(rig.doc, *rig.card);
    ASSERT_TRUE(panel.OnStart());
    ASSERT_TRUE(rig.Drive(panel.Engine(), [&] { return rig.redraws >= 6; }));
    EXPECT_EQ(rig.doc.disp_mode1, kind::LiveScope);
    EXPECT_EQ(rig.doc.m_nScopeShow, 4);
    ASSERT_EQ(rig.doc.m_nPoints, 480);
    for (int i = 0; i < 480; ++i) {
        const double r = std::hypot(rig.doc.m_fWave1[i], rig.doc.m_fWave2[i]);
        ASSERT_NEAR(r, 12000.0, 2.0) << i;
    }
    panel.Close();
}

// "OvrSamp" with a constant input: once the filter has settled the interpolated trace lies at
// 1.11 times the low-pass's DC gain (0.8912) of the input, 0.989, and holds D N points.
TEST(LiveScope, OverSamplingKeepsDcWithItsGain) {
    Rig rig("in1=src;in2=src;src=tone:0:8000:90");
    rig.doc.m_nScopeOver = 4;
    ASSERT_EQ(rig.doc.BeginOscilloscope(), 1);
    COscilloPanel panel(rig.doc, *rig.card);
    ASSERT_TRUE(panel.OverSampling());
    double dc = 1.0;
    const BiquadTable t = CScopeInterpolator().Table();
    for (int k = 0; k < 4; ++k) dc *= (t.b0[k] + t.b1[k] + t.b2[k]) / (t.a0[k] + t.a1[k] + t.a2[k]);
    EXPECT_NEAR(dc, 0.8912, 5e-4);
    EXPECT_NEAR(1.11 * dc, 0.989, 1e-3);
    ASSERT_TRUE(panel.OnStart());
    ASSERT_TRUE(rig.Drive(panel.Engine(), [&] { return rig.redraws >= 8; }));
    EXPECT_EQ(rig.doc.m_nScopeOver, 4);
    for (int i = 0; i < 4 * rig.doc.m_nPoints; ++i) {
        ASSERT_NEAR(rig.doc.m_fWave1[i], 8000.0 * 1.11 * dc, 3.0) << i;
        ASSERT_NEAR(rig.doc.m_fWave2[i], 8000.0 * 1.11 * dc, 3.0) << i;
    }
    panel.Close();
    rig.doc.FinishOscilloscope();
    EXPECT_EQ(rig.doc.disp_mode1, kind::Scope);
    EXPECT_EQ(rig.doc.m_nPoints, 4 * 480);
    EXPECT_FLOAT_EQ(rig.doc.m_fDt, 0.25f / 48000.0f);
}

// A change of sweep, rate or over-sampling while running starts a new device session: the
// buffers still queued for the old run are dropped, and the sweeps that follow have the new
// length and the new rate.
TEST(LiveScope, RestartsDropTheOldRunsBuffers) {
    Rig rig("in1=src;in2=src;src=tone:997:9000");
    ASSERT_EQ(rig.doc.BeginOscilloscope(), 1);
    COscilloPanel panel(rig.doc, *rig.card);
    ASSERT_TRUE(panel.OnStart());
    ASSERT_TRUE(rig.Drive(panel.Engine(), [&] { return rig.redraws >= 3; }));
    struct Change {
        std::function<void()> apply;
        int points, rate, over;
    };
    const std::vector<Change> changes = {
        {[&] { panel.OnSweepSpin(-1); }, 960, 48000, 1},
        {[&] { panel.OnRate(); }, 1920, 96000, 1},
        {[&] { panel.OnOverSample(); }, 1920, 96000, 4},
        {[&] { panel.OnRate(); }, 882, 44100, 4},
    };
    for (const Change& c : changes) {
        c.apply();
        ASSERT_TRUE(panel.IsRunning());
        const int before = rig.redraws;
        ASSERT_TRUE(rig.Drive(panel.Engine(), [&] { return rig.redraws >= before + 3; }));
        EXPECT_GT(panel.Engine().Stats().dropped, 0);
        EXPECT_EQ(rig.doc.m_nPoints, c.points);
        EXPECT_EQ(rig.doc.m_nSamplesPerSec, c.rate);
        EXPECT_EQ(panel.Engine().Over(), c.over);
        EXPECT_EQ(panel.Engine().Sweeper().SweepLength(), c.points * c.over);
    }
    panel.Close();
}

// "SING": the first sweep shown stops the run; the trigger path places it at the crossing.
TEST(LiveScope, SingleShotStopsAfterOneSweep) {
    Rig rig("in1=src;in2=src;src=tone:440:20000");
    rig.doc.m_nTrigLevelStep = 3; // 30 % of the half height: 9830 counts
    ASSERT_EQ(rig.doc.BeginOscilloscope(), 1);
    COscilloPanel panel(rig.doc, *rig.card);
    // The panel learns of the stop through the engine's listener, as of a lost device.
    int stops = 0;
    panel.Engine().SetStoppedListener([&] { ++stops; });
    ASSERT_TRUE(panel.OnSingle());
    rig.Drive(panel.Engine(), [] { return false; });
    EXPECT_FALSE(panel.IsRunning());
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(rig.doc.m_nRealUpdates, 1);
    EXPECT_EQ(rig.doc.m_nTrigLevel, 9830);
    EXPECT_GT(rig.doc.m_fWave1[0], 9830.0f);
    EXPECT_LT(rig.doc.m_fWave1[0] - 20000.0 * 2 * std::numbers::pi * 440 / 48000, 9830.0f);
    EXPECT_TRUE(panel.SingleEnabled());
}

// The channel and X-Y rules with their messages.
TEST(ScopeControls, ChannelAndXYRules) {
    Rig rig("");
    ASSERT_EQ(rig.doc.BeginOscilloscope(), 1);
    COscilloPanel panel(rig.doc, *rig.card);
    panel.OnTrigChannel(2);
    EXPECT_EQ(rig.doc.m_nTrigCh, 1);
    panel.OnChannelSelect(2, false);
    EXPECT_EQ(rig.doc.m_bScopeCh2, 0);
    EXPECT_EQ(rig.doc.m_nTrigCh, 0); // the trigger moved to ch1
    EXPECT_EQ(panel.RangeText(2), "Non");
    EXPECT_EQ(panel.PositionText(2), "Non");
    EXPECT_FALSE(panel.RangeEnabled(2));
    panel.OnChannelSelect(1, false);
    panel.OnXY(true);
    panel.OnTrigChannel(2);
    EXPECT_EQ(rig.doc.m_nTrigCh, 0); // hidden: the other one
    panel.OnChannelSelect(2, true);
    panel.OnXY(true);
    panel.OnChannelSelect(1, false);
    EXPECT_EQ(rig.ui.MessageTexts(),
              (std::vector<std::string>{"何れかのﾁｬﾝﾈﾙを選択して下さい", "ch2を選択して下さい",
                                        "X_Y表示してますので非選択にできません"}));
    EXPECT_EQ(rig.doc.m_bScopeXY, 1);
    EXPECT_EQ(rig.doc.m_bScopeCh1, 1);
}

// The record saved from the panel keeps its D N points and opens again as kind 14.
TEST(LiveScope, SavedSweepOpensAgain) {
    Rig rig("in1=src;in2=src;src=tone:1500:7000");
    rig.doc.m_nScopeOver = 4;
    rig.doc.m_nScopeSweep = 3; // 0.5 ms/div: 240 frames at 48 kHz
    ASSERT_EQ(rig.doc.BeginOscilloscope(), 1);
    COscilloPanel panel(rig.doc, *rig.card);
    ASSERT_TRUE(panel.OnStart());
    ASSERT_TRUE(rig.Drive(panel.Engine(), [&] { return rig.redraws >= 4; }));
    TempDir dir;
    rig.ui.fileAnswers.push_back(dir.Path("sweep.opr"));
    ASSERT_EQ(panel.OnSave(), 1);
    const std::vector<float> shown(rig.doc.m_fWave1.begin(), rig.doc.m_fWave1.begin() + 960);
    panel.Close();
    EXPECT_EQ(TempDir::ReadFile(dir.Path("sweep.opr")).size(), 16u + 8u * 960 + 20u);
    CScriptedUi ui;
    CKymoDoc saved(ui);
    ASSERT_TRUE(saved.OnOpenDocument(dir.Path("sweep.opr")));
    EXPECT_EQ(saved.disp_mode1, kind::Scope);
    EXPECT_EQ(saved.m_nPoints, 960);
    EXPECT_FLOAT_EQ(saved.m_fDt, 0.25f / 48000.0f);
    for (int i = 0; i < 960; ++i) ASSERT_EQ(saved.m_fWave1[i], shown[i]);
}

struct GenCase {
    int widthCode, rate;
};

class LiveGenerator : public ::testing::TestWithParam<GenCase> {};

// A long run on the virtual card: every frame played is the mix's next frame (no gap or jump
// between buffers) and the device never ran dry.
TEST_P(LiveGenerator, PlaysWithoutADiscontinuity) {
    const GenCase c = GetParam();
    Rig rig("latency=100");
    SigGenSettings& s = rig.doc.m_sigGen;
    for (SigGenSource& src : s.source) src.on = 0;
    s.source[siggen::kSine1] = {1, 0, {1000, 1001}, {-6, -6}};
    s.source[siggen::kSquare] = {1, 1, {1999, 700}, {-20, -30}};
    rig.doc.m_nSamplesPerSec = c.rate;
    rig.doc.m_nMeasBits = c.widthCode;
    ASSERT_EQ(rig.doc.BeginSignalGenerator(), 1);
    CSigGenPanel panel(rig.doc, *rig.card);
    std::vector<std::uint8_t> played;
    panel.Engine().SetPlayTap([&](const std::uint8_t* data, std::size_t bytes) {
        played.insert(played.end(), data, data + bytes);
    });
    ASSERT_TRUE(panel.OnStart()) << ::testing::PrintToString(rig.ui.MessageTexts());
    const int seconds = 40;
    const std::size_t frameBytes = c.widthCode == 1 ? 4 : 8;
    ASSERT_TRUE(rig.Drive(panel.Engine(), [&] {
        return played.size() >= static_cast<std::size_t>(seconds) * c.rate * frameBytes;
    }));
    EXPECT_EQ(panel.Engine().OutputUnderruns(), 0);
    EXPECT_GT(rig.redraws, 0);
    panel.Close();

    CSigGenSynth synth;
    synth.Begin(s, 1);
    std::vector<std::uint8_t> expected(played.size());
    synth.FillContainers(expected.data(), static_cast<int>(played.size() / frameBytes));
    for (std::size_t i = 0; i < played.size(); i += frameBytes)
        ASSERT_EQ(std::memcmp(played.data() + i, expected.data() + i, frameBytes), 0)
            << "frame " << i / frameBytes;
}

INSTANTIATE_TEST_SUITE_P(Sound, LiveGenerator,
                         ::testing::Values(GenCase{1, 48000}, GenCase{2, 44100}, GenCase{3, 96000}),
                         [](const auto& info) {
                             return "Width" + std::to_string(info.param.widthCode) + "At" +
                                    std::to_string(info.param.rate);
                         });

} // namespace

namespace {

// A sweep of 96000 points (2 s at 48 kHz) saved as "OSC1" opens with File Open and with the
// calculator's initial-response reader at its own length, and the operand reader refuses it
// without reading it into records of the complex capacity.
TEST(ScopeFiles, LongSweepFileOpensAtItsLength) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.disp_mode1 = kind::Scope;
    doc.m_nScopeShow = 2;
    doc.m_nPoints = 96000;
    doc.m_fDt = 1.0f / 48000.0f;
    for (int i = 0; i < 96000; ++i) {
        doc.m_fWave1[i] = static_cast<float>(i % 977);
        doc.m_fWave2[i] = -static_cast<float>(i % 331);
    }
    TempDir dir;
    const std::string path = dir.Path("long.opr");
    ASSERT_EQ(doc.SaveLiveResultAs(path), 1) << ::testing::PrintToString(ui.MessageTexts());

    for (int reader = 0; reader < 3; ++reader) {
        CScriptedUi readUi;
        CKymoDoc read(readUi);
        readUi.fileAnswers.push_back(path);
        if (reader == 0) {
            ASSERT_TRUE(read.OnOpenDocument(path));
        } else if (reader == 1) {
            ASSERT_EQ(read.OnInitFromFile(), 1);
        } else {
            EXPECT_EQ(read.ReadServoOperandFile(), 0);
            EXPECT_EQ(readUi.messages.back().text, "異なるデーター形式です。");
            continue;
        }
        EXPECT_EQ(read.disp_mode1, kind::Scope);
        EXPECT_EQ(read.m_nPoints, 96000);
        EXPECT_EQ(read.m_fWave1[95999], static_cast<float>(95999 % 977));
        EXPECT_EQ(read.m_fWave2[95999], -static_cast<float>(95999 % 331));
    }
}

} // namespace
