#include "tube/TubeAmpPanel.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "dsp/FloatToInt.h"
#include "sound/devices/SoundCardFactory.h"
#include "sound/engine/SoundCard.h"
#include "sound/engine/SoundDuplex.h"
#include "tube/TubeMessages.h"
#include "tube/TubeProcessor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct Bench {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    std::unique_ptr<ISoundCard> card;
    Bench() {
        std::string error;
        card = CreateSoundCard({"virtual", "in1=src;in2=src;src=tone:1000:12000"},
                               VirtualClock::Fast, error);
        EXPECT_TRUE(card) << error;
        doc.SetUpdateListener([this] { doc.m_bRealBusy = 0; });
    }
};

// Runs a few buffers and returns the last played buffer (16-bit stereo).
std::vector<std::int16_t> LastPlayed(CTubeAmpPanel& panel) {
    std::vector<std::int16_t> last;
    panel.Engine().SetPlayTap([&](const std::uint8_t* data, std::size_t bytes) {
        last.assign(bytes / 2, 0);
        std::memcpy(last.data(), data, bytes);
    });
    EXPECT_TRUE(panel.OnStart());
    for (int i = 0; i < 12; ++i) panel.Engine().RunOnce(std::chrono::milliseconds(2000));
    panel.OnStop();
    return last;
}

} // namespace

TEST(TubeAmpPanel, StartNeedsAComputation) {
    Bench b;
    ASSERT_EQ(BeginTubeAmp(b.doc, b.card.get()), 1);
    CTubeAmpPanel panel(b.doc, *b.card);
    EXPECT_FALSE(panel.OnStart());
    EXPECT_EQ(b.ui.messages.back().text, tubemsg::kNoPower);
    panel.Wanted() = 1.0;
    ASSERT_TRUE(panel.OnCompute());
    EXPECT_EQ(b.doc.disp_mode1, kind::TubeCharacteristics);
    panel.SetCircuit(1);
    EXPECT_FALSE(panel.IsComputed());
}

TEST(TubeAmpPanel, PlaysTheInputThroughTheStageOrUnchanged) {
    for (bool through : {false, true}) {
        Bench b;
        BeginTubeAmp(b.doc, b.card.get());
        CTubeAmpPanel panel(b.doc, *b.card);
        panel.Wanted() = 1.0;
        ASSERT_TRUE(panel.OnCompute());
        if (through) panel.OnThrough();
        const auto played = LastPlayed(panel);
        ASSERT_EQ(played.size(), 2u * 4096);
        CTubeProcessor model;
        model.SetModel(panel.Result().model);
        int changed = 0;
        for (int i = 0; i < 4096; ++i) {
            const double x = b.doc.m_fWave1[i];
            const int expected = through ? static_cast<int>(x)
                                         : SaturateToRange(model.Output(x, 32767.0), -32767, 32767);
            ASSERT_EQ(played[2 * i], expected) << i;
            if (played[2 * i] != static_cast<int>(x)) ++changed;
        }
        EXPECT_EQ(changed > 0, !through);
    }
}

// The spins and labels of the panel: the sweep stays within 3 .. 6, the errors within ±10 %
// (the spin counts down), the bias field follows the method and the width button moves the
// top level by 100 dB from 16 to 24 bits and back from 32 to 16.
TEST(TubeAmpPanel, SpinsLabelsAndButtons) {
    Bench b;
    BeginTubeAmp(b.doc, b.card.get());
    CTubeAmpPanel panel(b.doc, *b.card);
    for (int i = 0; i < 5; ++i) panel.OnSweepSpin(-1);
    EXPECT_EQ(panel.SweepText(), "0.5ms/div");
    for (int i = 0; i < 5; ++i) panel.OnSweepSpin(1);
    EXPECT_EQ(panel.SweepText(), "5ms/div");
    for (int i = 0; i < 12; ++i) panel.OnErrorSpin(0, 1, 1);
    EXPECT_EQ(panel.Settings().tube[1].epError, -10.0);
    panel.OnErrorSpin(1, 0, -3);
    EXPECT_EQ(panel.Settings().tube[0].ipError, 3.0);
    const char* const labels[] = {"設定電流(mA/球)", "Gﾊﾞｲｱｽ電圧(V/球)", "Cﾊﾞｲｱｽ電圧(V/球)",
                                  "Cﾊﾞｲｱｽ電圧(V/球)"};
    for (int bias = 0; bias < 4; ++bias) {
        panel.SetBias(bias);
        EXPECT_EQ(panel.BiasLabel(), labels[bias]);
        EXPECT_EQ(panel.ResultLabel(), bias >= 2 ? "ｶｿｰﾄﾞ抵抗値" : "ｶｿｰﾄﾞ電流値");
        panel.SetBiasValue(0, -7.0 - bias);
        EXPECT_EQ(panel.BiasValue(0), -7.0 - bias);
    }
    panel.SetCircuit(2);
    EXPECT_EQ(panel.BiasChoices(), std::vector<std::string>{"定電流"});
    const int top = b.doc.m_nTopLevel;
    const char* const widths[] = {"Bit=24", "Bit=32", "Bit=16"};
    const int tops[] = {top + 100, top + 100, top};
    for (int i = 0; i < 3; ++i) {
        panel.OnWidthButton();
        EXPECT_EQ(panel.WidthText(), widths[i]);
        EXPECT_EQ(b.doc.m_nTopLevel, tops[i]);
    }
    const char* const rates[] = {"Fs=96kHz", "Fs=44.1kHz", "Fs=48kHz"};
    for (const char* rate : rates) {
        panel.OnRateButton();
        EXPECT_EQ(panel.RateText(), rate);
    }
}
