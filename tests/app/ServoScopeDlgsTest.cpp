#include "AppTestSupport.h"
#include "VirtualCardFrame.h"

#include "app/CKymoView.h"
#include "app/CMainFrame.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "sound/generator/SigGenMessages.h"
#include "sound/generator/SigGenPanel.h"
#include "sound/qt/COscilloDlg.h"
#include "sound/qt/CServoAnaDlg.h"
#include "sound/qt/CSigGenDlg.h"
#include "sound/scope/OscilloPanel.h"
#include "sound/scope/ScopeMessages.h"
#include "sound/servo/ServoAnaPanel.h"
#include "sound/servo/ServoExcitation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace cmd;

namespace {

// Peak of |x| over the first n samples.
float Peak(const std::vector<float>& x, int n) {
    float peak = 0.0f;
    for (int i = 0; i < n; ++i) peak = std::max(peak, std::abs(x[i]));
    return peak;
}

class ServoScopeDlgs : public VirtualCardFrame {};

} // namespace

// The servo analyzer on the virtual card, the device a gain of 0.5 behind the second input:
// the live ratio is drawn while the panel runs, a change of excitation restarts the measurement
// with the new one, and OFF leaves the transfer function (|H| = -6.02 dB, phase 0) with its
// impulse response.
TEST_F(ServoScopeDlgs, ServoAnalyzerMeasuresTheDeviceAndKeepsTheResult) {
    Open("in1=out1;in2=out1;dut2=gain:0.5");
    RunModalCommand<CServoAnaDlg>(*frame, ID_SERVO_ANALYZER_TB, [&](CServoAnaDlg* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("ｻｰﾎﾞｱﾅﾗｲｻﾞｰ"));
        auto* combo = dlg->findChild<QComboBox*>(QStringLiteral("excitation"));
        ASSERT_NE(combo, nullptr);
        ASSERT_EQ(combo->count(), servo::kCount);
        EXPECT_EQ(combo->itemText(0), QString::fromUtf8("TSP(ﾀｲﾑｽﾄﾚｯﾁ)信号①"));
        EXPECT_EQ(combo->itemText(5), QString::fromUtf8("外部信号源"));
        EXPECT_EQ(combo->currentIndex(), servo::kRandom);
        dlg->OnExcitation(servo::kTsp1);
        EXPECT_EQ(Doc().m_nExcitation, servo::kTsp1);

        ClickButton(dlg, "on");
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 3; }));
        EXPECT_EQ(Doc().disp_mode1, kind::LiveTransfer);
        GrabTo(frame.get(), "servo-live.png");
        GrabTo(dlg, "servo-panel.png");
        EXPECT_EQ(MisplacedControls(dlg), QStringList());

        // A new excitation while running: stopped and started again with it.
        dlg->OnExcitation(servo::kBurst2);
        EXPECT_EQ(combo->currentIndex(), servo::kBurst2);
        EXPECT_TRUE(dlg->Panel().IsRunning());
        const int before = Doc().m_nRealUpdates;
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= before + 3; }));
        ClickButton(dlg, "off");
    });
    EXPECT_EQ(Doc().disp_mode1, kind::Transfer);
    EXPECT_EQ(Doc().m_nExcitation, servo::kBurst2);
    for (int k : {10, 100, 500}) {
        EXPECT_NEAR(20 * std::log10(std::hypot(Doc().m_fRe[k], Doc().m_fIm[k])), -6.02, 0.05) << k;
        EXPECT_NEAR(std::atan2(Doc().m_fIm[k], Doc().m_fRe[k]), 0.0, 0.01) << k;
    }
    // The impulse response of a plain gain: 0.5 at lag 0, nothing elsewhere.
    EXPECT_NEAR(Doc().m_fWave1[0], 0.5, 0.01);
    EXPECT_NEAR(Doc().m_fWave1[5], 0.0, 0.01);
    GrabTo(frame.get(), "servo-result.png");
}

// The oscilloscope on a 1 kHz tone (ch2 at half of it): sweeps are drawn while the panel runs,
// the channel rules refuse to hide the last channel, X-Y and the single shot work from the
// buttons, and OFF leaves the sweep as an oscilloscope record.
TEST_F(ServoScopeDlgs, OscilloscopeShowsSweepsXYAndSingleShot) {
    Open("in1=src;in2=src;src=tone:1000:8000;dut2=gain:0.5");
    RunModalCommand<COscilloDlg>(*frame, ID_OSCILLOSCOPE, [&](COscilloDlg* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("オシロスコープ"));
        EXPECT_EQ(EditText(dlg, "sweep"), QStringLiteral("1"));
        EXPECT_EQ(dlg->findChild<QAbstractButton*>(QStringLiteral("rate"))->text(),
                  QStringLiteral("Fs=48kHz"));
        EXPECT_FALSE(ButtonEnabled(dlg, "disp"));

        ClickButton(dlg, "on");
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 4; }));
        EXPECT_EQ(Doc().disp_mode1, kind::LiveScope);
        EXPECT_EQ(Doc().m_nScopeShow, 2);
        EXPECT_NEAR(Peak(Doc().m_fWave1, Doc().m_nPoints), 8000.0f, 50.0f);
        EXPECT_NEAR(Peak(Doc().m_fWave2, Doc().m_nPoints), 4000.0f, 50.0f);
        GrabTo(frame.get(), "scope-live.png");
        GrabTo(dlg, "scope-panel.png");
        EXPECT_EQ(MisplacedControls(dlg), QStringList());

        // The trigger level spin: 10 % per step of the displayed half height.
        ClickButton(dlg, "trigLevelUp");
        EXPECT_EQ(EditText(dlg, "trigLevel"), QStringLiteral("10"));
        // The sweep spin: a longer sweep restarts the run.
        ClickButton(dlg, "sweepDown");
        EXPECT_EQ(EditText(dlg, "sweep"), QStringLiteral("2"));
        EXPECT_TRUE(dlg->Panel().IsRunning());

        // Hiding ch2 moves the trigger to ch1; hiding ch1 then is refused.
        ClickButton(dlg, "trigCh2");
        EXPECT_EQ(Doc().m_nTrigCh, 1);
        ClickButton(dlg, "ch2Show");
        EXPECT_EQ(Doc().m_bScopeCh2, 0);
        EXPECT_EQ(Doc().m_nTrigCh, 0);
        EXPECT_EQ(EditText(dlg, "ch2Range"), QStringLiteral("Non"));
        EXPECT_FALSE(ButtonEnabled(dlg, "ch2RangeUp"));
        ui.Clear();
        ClickButton(dlg, "ch1Show");
        EXPECT_EQ(Doc().m_bScopeCh1, 1);
        EXPECT_TRUE(dlg->findChild<QAbstractButton*>(QStringLiteral("ch1Show"))->isChecked());
        ASSERT_EQ(ui.MessageTexts(), std::vector<std::string>{scopemsg::kSelectAny});
        // X-Y needs both channels.
        ui.Clear();
        ClickButton(dlg, "xy");
        EXPECT_EQ(Doc().m_bScopeXY, 0);
        EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{scopemsg::kSelectCh2});
        ClickButton(dlg, "ch2Show");
        ClickButton(dlg, "xy");
        EXPECT_EQ(Doc().m_bScopeXY, 1);
        const int before = Doc().m_nRealUpdates;
        ASSERT_TRUE(RunEventsUntil(
            [&] { return Doc().m_nRealUpdates >= before + 2 && Doc().m_nScopeShow == 4; }));
        GrabTo(frame.get(), "scope-xy.png");

        // "SING" leaves X-Y and stops after one sweep.
        ClickButton(dlg, "disp");
        ClickButton(dlg, "single");
        EXPECT_EQ(Doc().m_bScopeXY, 0);
        ASSERT_TRUE(RunEventsUntil([&] { return !dlg->Panel().IsRunning(); }));
        EXPECT_TRUE(ButtonEnabled(dlg, "on"));
        EXPECT_TRUE(ButtonEnabled(dlg, "single"));
        GrabTo(dlg, "scope-single.png");
        ClickButton(dlg, "off");
    });
    EXPECT_EQ(Doc().disp_mode1, kind::Scope);
    EXPECT_EQ(Doc().m_nScopeSweep, 5);
    EXPECT_EQ(Doc().m_nPoints, 960);
    GrabTo(frame.get(), "scope-record.png");
}

// The signal generator: the 1 kHz sine at -20 dB of its defaults is played and shown, a refused
// level gets the focus with the message, "Wave保存" writes the file of the chosen length, and
// OFF leaves the display as an oscilloscope record.
TEST_F(ServoScopeDlgs, SignalGeneratorPlaysShowsAndWritesItsFile) {
    Open("in1=out1;in2=out2");
    QTemporaryDir dir;
    const QString wavePath = dir.filePath(QStringLiteral("gen.wav"));
    RunModalCommand<CSigGenDlg>(*frame, ID_SIGNAL_GENERATOR_TB, [&](CSigGenDlg* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("信号発生器"));
        EXPECT_EQ(EditText(dlg, "freq1a"), QStringLiteral("1000"));
        EXPECT_EQ(EditText(dlg, "level1a"), QStringLiteral("-20"));
        EXPECT_EQ(dlg->findChild<QAbstractButton*>(QStringLiteral("width"))->text(),
                  QStringLiteral("Bit=16"));
        dlg->Panel().SetSeed(5);

        ClickButton(dlg, "on");
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 3; }));
        EXPECT_EQ(Doc().disp_mode1, kind::LiveScope);
        // trunc(sin * 10^-1 * 32767): the peak of the shown sweep is 3276.
        EXPECT_NEAR(Peak(Doc().m_fWave1, Doc().m_nPoints), 3276.0f, 2.0f);

        // "Rect" switched on joins the mix.
        ClickButton(dlg, "gen4");
        EXPECT_TRUE(dlg->Panel().SourceOn(siggen::kSquare));
        const int before = Doc().m_nRealUpdates;
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= before + 3; }));
        GrabTo(frame.get(), "siggen-live.png");
        GrabTo(dlg, "siggen-panel.png");
        EXPECT_EQ(MisplacedControls(dlg), QStringList());

        // A level out of range typed into Sin(2)'s box: refused when Sin(2) is switched on.
        ui.Clear();
        dlg->LevelBox(siggen::kSine2, 0)->setText(QStringLiteral("-100"));
        ClickButton(dlg, "gen2");
        EXPECT_FALSE(dlg->Panel().SourceOn(siggen::kSine2));
        EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{siggenmsg::kBadLevel});
        EXPECT_TRUE(dlg->LevelBox(siggen::kSine2, 0)->hasFocus() ||
                    QApplication::focusWidget() == nullptr); // offscreen may deny focus
        dlg->LevelBox(siggen::kSine2, 0)->setText(QStringLiteral("-30"));

        // "Wave保存" of two seconds.
        dlg->SecondsBox()->setText(QStringLiteral("2"));
        ui.Clear();
        ui.fileAnswers.push_back(wavePath.toStdString());
        ClickButton(dlg, "wave");
        // The output starts again after the file and shows its sweeps anew.
        EXPECT_TRUE(dlg->Panel().IsRunning());
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 1; }));
        ClickButton(dlg, "off");
    });
    EXPECT_EQ(Doc().m_sigGen.source[siggen::kSine1].level[0],
              -20); // nothing else changed the first sine
    EXPECT_EQ(Doc().m_sigGen.source[siggen::kSine2].level[0], -30);
    EXPECT_EQ(Doc().disp_mode1, kind::Scope);
    QFile file(wavePath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.size(), 56 + 48000 * 2 * 4);
}
