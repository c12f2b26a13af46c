#include "realtime/FreeFilterTool.h"
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "realtime/RtMessages.h"
#include "sound/devices/VirtualSoundCard.h"
#include "support/RtRecording.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Rig {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    std::unique_ptr<CVirtualSoundCard> card;
    Rig() {
        doc.SetUpdateListener([this] { doc.m_bRealBusy = 0; });
        std::string error;
        card = CVirtualSoundCard::Create("in1=src;in2=src;src=noise:5000:21;dut2=delay:7",
                                         VirtualClock::Fast, error);
        EXPECT_TRUE(card) << error;
    }
};

// A flat line drawn from the left edge to the right edge at `db`.
void DrawFlat(CFreeFilterTool& tool, double db) {
    const double y = freegrid::YOfLevel(db, tool.TopLevel(), tool.Range());
    tool.OnLeftSide(y);
    ASSERT_TRUE(tool.OnRightSide(y));
}

} // namespace

TEST(FreeFilterTool, GridMapsPixelsToFrequencyAndLevel) {
    EXPECT_DOUBLE_EQ(freegrid::FrequencyOfX(0.0), 10.0);
    EXPECT_NEAR(freegrid::FrequencyOfX(97.0), 100.0, 1e-9);
    EXPECT_NEAR(freegrid::FrequencyOfX(291.0), 10000.0, 1e-6);
    EXPECT_DOUBLE_EQ(freegrid::LevelOfY(23.0, 10.0, 100.0), 10.0);
    EXPECT_DOUBLE_EQ(freegrid::LevelOfY(230.0, 10.0, 100.0), -90.0);
    EXPECT_NEAR(freegrid::YOfLevel(-40.0, 10.0, 100.0), 126.5, 1e-9);
}

// The top of the grid at T = 10 dB: every bin 10^0.5, the taps 0 but h[N/2] = 3.162 w[N/2].
TEST(FreeFilterTool, FlatLineAtTheTopIsAScaledImpulseInTheMiddle) {
    Rig rig;
    CFreeFilterTool tool(rig.doc, *rig.card);
    DrawFlat(tool, 10.0);
    const int n = tool.TapCount();
    ASSERT_EQ(n, 256);
    for (int i : {0, 1, 100, 127, 128, 200, 255})
        EXPECT_FLOAT_EQ(rig.doc.m_fRe[i], 3.1622777f) << i;
    const std::vector<double>& h = tool.Taps();
    ASSERT_EQ(h.size(), 256u);
    EXPECT_NEAR(h[128], 3.1622777, 1e-5);
    for (int k = 0; k < n; ++k) {
        if (k != 128) EXPECT_NEAR(h[k], 0.0, 1e-5) << k;
    }
}

TEST(FreeFilterTool, TapCountsOutsideTheRangeAreRefused) {
    Rig rig;
    CFreeFilterTool tool(rig.doc, *rig.card);
    for (int n : {31, 2049}) {
        rig.ui.Clear();
        tool.SetTapCount(n);
        const double y = freegrid::YOfLevel(0.0, 10.0, 100.0);
        tool.OnLeftSide(y);
        EXPECT_FALSE(tool.OnRightSide(y)) << n;
        EXPECT_EQ(rig.ui.MessageTexts(), std::vector<std::string>{rtmsg::kFreeTapRange});
    }
    for (int n : {32, 2048}) {
        tool.SetTapCount(n);
        const double y = freegrid::YOfLevel(0.0, 10.0, 100.0);
        tool.OnLeftSide(y);
        EXPECT_TRUE(tool.OnRightSide(y)) << n;
        EXPECT_EQ(tool.Taps().size(), static_cast<std::size_t>(n));
    }
}

TEST(FreeFilterTool, ClicksFollowTheDrawingRules) {
    Rig rig;
    CFreeFilterTool tool(rig.doc, *rig.card);
    EXPECT_FALSE(tool.OnRightSide(100.0));
    EXPECT_EQ(rig.ui.MessageTexts(), std::vector<std::string>{rtmsg::kNotDrawing});
    rig.ui.Clear();
    tool.OnLeftSide(100.0);
    EXPECT_TRUE(tool.OnClick(50.0, 100.0));
    EXPECT_FALSE(tool.OnClick(40.0, 100.0));  // left of the previous point
    EXPECT_FALSE(tool.OnClick(60.0, 231.0));  // below the grid
    EXPECT_FALSE(tool.OnClick(392.0, 100.0)); // right of the grid
    // 48 accepted clicks after the start point; the next one starts over.
    tool.OnLeftSide(100.0);
    for (int i = 1; i <= 48; ++i) ASSERT_TRUE(tool.OnClick(3.0 + 8.0 * i, 100.0)) << i;
    EXPECT_EQ(tool.RemainingText(), "あと残すところ0ﾎﾟｲﾝﾄです。");
    EXPECT_FALSE(tool.OnClick(390.0, 100.0));
    EXPECT_EQ(rig.ui.MessageTexts(), std::vector<std::string>{rtmsg::kTooManyPoints});
    EXPECT_EQ(tool.Points().size(), 1u);
    EXPECT_TRUE(tool.IsDrawing());
}

TEST(FreeFilterTool, StartNeedsADesign) {
    Rig rig;
    CFreeFilterTool tool(rig.doc, *rig.card);
    EXPECT_FALSE(tool.OnStart());
    EXPECT_EQ(rig.ui.MessageTexts(), std::vector<std::string>{rtmsg::kFreeNoDesign});
    EXPECT_EQ(tool.OnSave(), 0);
}

// A flat line at 0 dB with the Blackman window is a pure delay of N/2 frames: on the virtual
// card, what is played is what was filtered, N/2 frames later, in both channels.
TEST(FreeFilterTool, FlatLineAtZeroDecibelsIsAPureDelayOfHalfTheTaps) {
    Rig rig;
    CFreeFilterTool tool(rig.doc, *rig.card);
    tool.SetTapCount(512);
    DrawFlat(tool, 0.0);
    RtRecording rec;
    rec.Attach(tool.Engine());
    ASSERT_TRUE(tool.OnStart()) << ::testing::PrintToString(rig.ui.MessageTexts());
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rec, 100));
    EXPECT_TRUE(tool.HandedOver());
    EXPECT_NE(tool.ConvolutionText().find("Conv_Time="), std::string::npos);
    tool.Close();
    const long long delay = 256;
    long long differ = 0;
    for (long long f = 0; f < rec.Frames(); ++f)
        for (int c = 0; c < 2; ++c) {
            const int expected = f < delay ? 0 : rec.input[(f - delay) * 2 + c];
            if (rec.output[f * 2 + c] != expected) ++differ;
        }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(rec.Frames(), 100 * 1000);
}
