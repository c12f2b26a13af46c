#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocumentLimits.h"
#include "document/FileAnalysis.h"
#include "document/ScriptedUi.h"
#include "sound/engine/SoundDuplex.h"
#include "sound/settings/MeasConditions.h"
#include "sound/spectrum3d/Spec3DPanel.h"
#include "sound/spectrum3d/Spec3DViewControl.h"
#include "support/FakeSoundCard.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kPow = 0; // 128 points: rows of 64 bins
constexpr int kN = 128;

struct Run3d {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    CFakeSoundCard card;
    std::unique_ptr<CSpec3DPanel> panel;
    int channels = 2;
    int redraws = 0;

    void Open(int channelCount, int avgExp, bool repeat, bool start = true) {
        channels = channelCount;
        doc.m_nMeasRate = 4;
        doc.m_nMeasBits = meas::kBits16;
        doc.m_nMeasCh = channels == 1 ? meas::kMono : meas::kStereo;
        doc.m_nPow = kPow;
        doc.m_nWindowType = 7;
        doc.m_nDownExp = 0;
        doc.m_nAvgExp3D = avgExp;
        doc.m_bStopAtEnd3D = repeat ? 0 : 1;
        doc.SetUpdateListener([this] { ++redraws; });
        ASSERT_EQ(doc.Begin3dSpectrum(&card, true, true), 1)
            << ::testing::PrintToString(ui.MessageTexts());
        panel = std::make_unique<CSpec3DPanel>(doc, card);
        if (start) {
            ASSERT_TRUE(panel->OnStart());
        }
    }
    int BufferFrames() const {
        return static_cast<int>(panel->Engine().BufferBytes()) / (channels * 2);
    }
    // One buffer of a tone whose amplitude is `level` (different per block); the view is idle
    // again afterwards. Returns the analysed block's samples.
    std::vector<int> Feed(double level) {
        std::vector<int> s;
        for (int i = 0; i < BufferFrames(); ++i)
            for (int c = 0; c < channels; ++c)
                s.push_back(static_cast<int>(
                    std::lround(level * (c + 1) * std::sin(2 * M_PI * 8 * i / kN + c))));
        EXPECT_TRUE(card.FillNext(PcmBytes(s, 16)));
        panel->Engine().DispatchCompletions();
        doc.m_bRealBusy = 0;
        s.resize(static_cast<std::size_t>(kN * channels));
        return s;
    }
};

// Rows advance every 5·2^a blocks; each finished row is the averaged amplitude spectrum that
// the file analysis gives for the same blocks (bins 0 .. N/2 - 1), and the rows in between show
// the row being averaged (kind 31).
TEST(Live3dSpectrum, RowsAreTheAveragedSpectraOfTheFileAnalysis) {
    Run3d run;
    ASSERT_NO_FATAL_FAILURE(run.Open(2, 1, false));
    EXPECT_EQ(run.doc.m_nAvgCount3D, 10);
    EXPECT_EQ(run.doc.disp_mode1, kind::Spectrum3dStart);
    ASSERT_NE(run.doc.History3dRow(1, 399), nullptr); // allocated at ON, before any block
    ASSERT_NE(run.doc.History3dRow(2, 0), nullptr);
    EXPECT_EQ(run.doc.m_nBins3D, kN / 2);
    std::vector<int> analysed;
    for (int b = 0; b < 10; ++b) {
        const std::vector<int> s = run.Feed(1000.0 + 700.0 * b);
        analysed.insert(analysed.end(), s.begin(), s.end());
        EXPECT_EQ(run.doc.disp_mode1, b < 9 ? kind::Spectrum3dAveraging : kind::Spectrum3dRowDone)
            << b;
        EXPECT_EQ(run.doc.m_nRow3D, b < 9 ? 0 : 1);
    }
    for (int b = 0; b < 25; ++b) run.Feed(500.0);
    EXPECT_EQ(run.doc.m_nRow3D, 3);
    EXPECT_EQ(run.doc.m_nRealUpdates, 5);

    CScriptedUi fileUi;
    CKymoDoc file(fileUi);
    WavFormat f;
    f.channels = 2;
    f.bits = 16;
    ASSERT_TRUE(file.LoadFromBytes(BuildWav(f, analysed)));
    file.disp_mode3 = chan::Both;
    AnalysisSetup setup;
    setup.pow = kPow;
    setup.windowType = 7;
    ASSERT_EQ(file.OnSetUpFileAnalysis(analysis::Spectrum, setup), 1);
    ASSERT_EQ(file.RunAveragingPass(10), 1);
    const float* row1 = run.doc.History3dRow(1, 0);
    const float* row2 = run.doc.History3dRow(2, 0);
    for (int k = 0; k < kN / 2; ++k) {
        ASSERT_NEAR(row1[k], file.m_fRe[k], 1e-3 + 2e-5 * file.m_fRe[8]) << k;
        ASSERT_NEAR(row2[k], file.m_fOpRe[k], 1e-3 + 2e-5 * file.m_fOpRe[8]) << k;
    }
    EXPECT_GT(row1[8], 1000.0f); // the tone's bin
}

// Without "Repeat" the history fills its 400 rows and the engine stops by itself before the
// next block; nothing is written past the last row.
TEST(Live3dSpectrum, StopsWhenTheHistoryIsFull) {
    Run3d run;
    ASSERT_NO_FATAL_FAILURE(run.Open(1, 0, false));
    for (int b = 0; b < limits::kHistoryRows3D; ++b) run.Feed(100.0 + b);
    EXPECT_EQ(run.doc.m_nRow3D, limits::kHistoryRows3D);
    EXPECT_TRUE(run.panel->IsRunning());
    EXPECT_EQ(run.doc.History3dRow(1, limits::kHistoryRows3D), nullptr);
    const float last = run.doc.History3dRow(1, 399)[8];
    EXPECT_NEAR(last, (100.0 + 399) / 2, 1.0); // bin 8 of a full-scale-free tone: A/2
    run.Feed(5000.0);
    EXPECT_FALSE(run.panel->IsRunning());
    EXPECT_TRUE(run.panel->StoppedAtEnd());
    EXPECT_FALSE(run.panel->Engine().IsOpen());
    EXPECT_EQ(run.doc.m_nRealUpdates, 0);
    EXPECT_EQ(run.doc.m_nRow3D, limits::kHistoryRows3D);
    EXPECT_FLOAT_EQ(run.doc.History3dRow(1, 399)[8], last);
}

// With "Repeat" the history starts again at row 0 after its last row and never grows.
TEST(Live3dSpectrum, RepeatWrapsToRowZero) {
    Run3d run;
    ASSERT_NO_FATAL_FAILURE(run.Open(2, 0, true));
    for (int b = 0; b < limits::kHistoryRows3D; ++b) run.Feed(100.0);
    EXPECT_EQ(run.doc.m_nRow3D, 0);
    EXPECT_EQ(run.doc.disp_mode1, kind::Spectrum3dRowDone);
    run.Feed(3000.0);
    run.Feed(3000.0);
    EXPECT_TRUE(run.panel->IsRunning());
    EXPECT_EQ(run.doc.m_nRow3D, 2);
    EXPECT_NEAR(run.doc.History3dRow(1, 0)[8], 1500.0, 5.0);
    EXPECT_NEAR(run.doc.History3dRow(1, 2)[8], 50.0, 1.0); // an old row, not drawn any more
}

// A new ON starts fresh histories; the spins are refused while measuring and restart the
// averaging when idle.
TEST(Live3dSpectrum, PanelSpinsAndRestart) {
    Run3d run;
    ASSERT_NO_FATAL_FAILURE(run.Open(1, 0, false));
    run.Feed(100.0);
    run.Feed(100.0);
    ASSERT_EQ(run.doc.m_nRow3D, 2);
    run.panel->OnThetaSpin(1);
    EXPECT_EQ(run.ui.MessageTexts().back(), "測定中ですので終了させて下さい!");
    EXPECT_EQ(run.doc.m_nTheta3D, -11);
    run.panel->OnDisp();
    for (int i = 0; i < 9; ++i) run.panel->OnThetaSpin(1);
    EXPECT_EQ(run.panel->ThetaText(), "45");
    for (int i = 0; i < 9; ++i) run.panel->OnPhiSpin(-1);
    EXPECT_EQ(run.panel->PhiText(), "35");
    for (int i = 0; i < 9; ++i) run.panel->OnAverageCountSpin(1);
    EXPECT_EQ(run.panel->AverageCountText(), "640");
    run.panel->OnAverageCountSpin(-7);
    EXPECT_EQ(run.panel->AverageCountText(), "1");
    EXPECT_EQ(run.doc.m_nRealUpdates, 0);
    EXPECT_FALSE(run.panel->RepeatOn());
    run.panel->OnRepeat();
    EXPECT_TRUE(run.panel->RepeatOn());
    ASSERT_TRUE(run.panel->OnStart());
    EXPECT_EQ(run.doc.m_nRow3D, 0);
    EXPECT_EQ(run.doc.History3dRow(1, 0)[8], 0.0f);
    run.panel->Close();
    EXPECT_EQ(run.doc.m_bLiveView, 0);
    run.doc.Finish3dSpectrum(run.panel->HasMeasured());
    EXPECT_EQ(run.doc.disp_mode1, kind::Spectrum3dFinished);
    EXPECT_FALSE(run.doc.HasWave());
}

// The control dialog's changes redraw the finished picture at once.
TEST(Live3dSpectrum, ControlDialogRedrawsTheStoredPicture) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    int redraws = 0;
    doc.SetUpdateListener([&] { ++redraws; });
    CSpec3DViewControl control(doc);
    doc.disp_mode1 = kind::None;
    for (int i = 0; i < 9; ++i) control.OnThetaSpin(1);
    EXPECT_EQ(control.ThetaText(), "55");
    EXPECT_EQ(doc.disp_mode1, kind::Spectrum3dFinished);
    control.OnLinearAxis();
    EXPECT_EQ(doc.m_bLogAxis, 0);
    EXPECT_TRUE(control.LogEnabled());
    EXPECT_FALSE(control.LinearEnabled());
    control.OnTopLevelSpin(-1);
    EXPECT_EQ(doc.m_nTopLevel, 70);
    control.OnPhiSpin(5);
    EXPECT_EQ(control.PhiText(), "75");
    EXPECT_EQ(redraws, 12);
}

} // namespace
