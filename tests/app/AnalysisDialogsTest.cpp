#include "AppTestSupport.h"

#include "app/AppCommands.h"
#include "app/AveragingRunner.h"
#include "app/dialogs/CAnalysisSetupDlg.h"
#include "app/dialogs/CAveragingDlg.h"
#include "app/dialogs/CCorrDisplayDlg.h"
#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "dsp/WindowKinds.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

namespace {

TEST(AveragingDlg, AcceptsOnlyOneToTheMaximum) {
    EnsureTestApp();
    CScriptedUi ui;
    CAveragingDlg dlg(23, ui);
    EXPECT_EQ(dlg.findChild<QLineEdit*>("maxCount")->text(), "23");
    EXPECT_EQ(dlg.Count(), 23);
    EXPECT_TRUE(dlg.Check());
    for (const char* bad : {"0", "24", ""}) {
        dlg.SetCount(bad);
        EXPECT_FALSE(dlg.Check()) << bad;
    }
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>(3, msg::kAverageCountRange));
    dlg.SetCount("1");
    EXPECT_TRUE(dlg.Check());
}

TEST(AnalysisSetupDlg, DownSamplingTextAndTheLimit) {
    EnsureTestApp();
    CScriptedUi ui;
    CAnalysisSetupDlg dlg(4, wnd::Hanning, 44100, ui);
    EXPECT_EQ(dlg.TopFrequencyText(), "22kHz");
    dlg.StepDown(-1);
    dlg.StepDown(-1);
    EXPECT_EQ(dlg.TopFrequencyText(), "5512Hz");
    EXPECT_EQ(dlg.Setup().downExp, -2);
    EXPECT_EQ(dlg.Setup().windowType, wnd::Hanning);
    EXPECT_EQ(dlg.Setup().pow, 4);
    dlg.StepDown(1);
    dlg.StepDown(1);
    dlg.StepDown(1); // already at 0
    EXPECT_EQ(dlg.Setup().downExp, 0);
    EXPECT_TRUE(ui.messages.empty());

    CAnalysisSetupDlg slow(0, wnd::None, 8000, ui);
    EXPECT_EQ(slow.Setup().windowType, wnd::None);
    EXPECT_EQ(slow.findChild<QComboBox*>("window")->currentText(), "窓なし");
    for (int i = 0; i < 6; ++i) slow.StepDown(-1);
    EXPECT_EQ(slow.Setup().downExp, -5);
    EXPECT_EQ(slow.TopFrequencyText(), "125Hz");
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{msg::kDownSampleLimit});
}

TEST(CorrDisplayDlg, SpinsStoreTheExponentsAtOnce) {
    EnsureTestApp();
    CScriptedUi ui;
    CKymoDoc doc(ui);
    CCorrDisplayDlg dlg(doc);
    EXPECT_EQ(dlg.GainText(), "1");
    EXPECT_EQ(dlg.TimeText(), "8");
    const int updates = doc.GetUpdateCount();
    for (int i = 0; i < 4; ++i) dlg.StepGain(-1);
    EXPECT_EQ(doc.m_nCorrGainExp, -2);
    EXPECT_EQ(dlg.findChild<QLineEdit*>("gain")->text(), "0.25");
    dlg.StepTime(1);
    dlg.StepTime(1);
    EXPECT_EQ(doc.m_nCorrTimeExp, 4);
    EXPECT_EQ(doc.m_nCorrTimeScale, 16);
    EXPECT_EQ(dlg.findChild<QLineEdit*>("time")->text(), "16");
    EXPECT_EQ(doc.GetUpdateCount(), updates + 6);
}

TEST(PendingAnalysis, TheDialogRunsThePassOrReturnsToTheWave) {
    EnsureTestApp();
    CScriptedUi ui;
    CKymoDoc doc(ui);
    WavFormat format;
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, SineSamples(10 * 256, 2, 3000, 0.01))));
    AnalysisSetup setup;
    setup.pow = 1;
    setup.windowType = wnd::Hanning;
    ASSERT_EQ(doc.OnSetUpFileAnalysis(analysis::Transfer, setup), 1);

    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<CAveragingDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->SetCount("4");
        dlg->accept();
    });
    int repaints = 0;
    RunPendingAnalysis(doc, nullptr, [&] { ++repaints; });
    EXPECT_EQ(doc.disp_mode1, kind::Transfer);
    EXPECT_EQ(repaints, 3);

    doc.OnBackToWave();
    ASSERT_EQ(doc.OnSetUpFileAnalysis(analysis::Spectrum, setup), 1);
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    RunPendingAnalysis(doc, nullptr, [] {});
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
}

} // namespace
