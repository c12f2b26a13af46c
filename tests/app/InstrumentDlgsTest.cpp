#include "AppTestSupport.h"

#include "app/CKymoView.h"
#include "app/CMainFrame.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "sound/correlation/CorrPanel.h"
#include "sound/qt/CCorrDlg.h"
#include "sound/qt/CSpec3DDlg.h"
#include "sound/qt/CSpec3DViewDlg.h"
#include "sound/spectrum3d/Spec3DPanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace cmd;

namespace {

void Click(QWidget* dlg, const char* name) {
    auto* button = dlg->findChild<QAbstractButton*>(QString::fromUtf8(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    button->click();
}

QString FieldText(QWidget* dlg, const char* name) {
    auto* edit = dlg->findChild<QLineEdit*>(QString::fromUtf8(name));
    return edit ? edit->text() : QStringLiteral("<missing>");
}

void Grab(QWidget* w, const char* file) {
    w->grab().save(QDir(GrabDir()).filePath(QString::fromUtf8(file)));
}

// Works the modal dialog of type T as soon as it is the active modal widget.
template <typename T> void WhenModal(const std::function<void(T*)>& drive, bool* driven) {
    QTimer::singleShot(10, [drive, driven] {
        auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dlg) {
            WhenModal<T>(drive, driven);
            return;
        }
        *driven = true;
        drive(dlg);
        if (dlg->isVisible()) dlg->reject();
    });
}

class InstrumentDlgs : public ::testing::Test {
protected:
    void Open(const char* dut) {
        EnsureTestApp();
        ClearAppSettings();
        StoreSoundDevice(QStringLiteral("virtual"), QString::fromUtf8(dut));
        frame = std::make_unique<CMainFrame>(&ui);
        frame->resize(1000, 900);
        frame->show();
    }
    CKymoDoc& Doc() { return frame->Document(); }

    CScriptedUi ui;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace

// The cross-correlation meter on the virtual card: noise on ch1 and the same noise 23 frames
// later on ch2 peaks at lag 23 while running and after OFF (kind 26).
TEST_F(InstrumentDlgs, CorrelationMeterRunsOnTheVirtualCard) {
    Open("in1=src;in2=src;src=noise:6000:7;dut2=delay:23");
    bool driven = false;
    WhenModal<CCorrDlg>(
        [&](CCorrDlg* dlg) {
            EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("自己/相互相関"));
            EXPECT_TRUE(dlg->CorrPanel().IsCross());
            EXPECT_EQ(FieldText(dlg, "corrTime"), QStringLiteral("8"));
            Click(dlg, "corrTimeDown");
            EXPECT_EQ(FieldText(dlg, "corrTime"), QStringLiteral("4"));
            Click(dlg, "corrGainUp");
            EXPECT_EQ(FieldText(dlg, "corrGain"), QStringLiteral("2"));
            Click(dlg, "on");
            ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 3; }));
            EXPECT_EQ(Doc().disp_mode1, kind::LiveCrossCorr);
            Grab(frame.get(), "corr-live.png");
            Grab(dlg, "corr-panel.png");
            Click(dlg, "off");
        },
        &driven);
    frame->OnCommand(ID_CROSSCORR_METER);
    ASSERT_TRUE(driven);
    EXPECT_EQ(Doc().disp_mode1, kind::CrossCorr);
    const int n = Doc().m_nPoints;
    const auto peak = std::max_element(Doc().m_fRe.begin(), Doc().m_fRe.begin() + n);
    EXPECT_EQ(peak - Doc().m_fRe.begin(), 23);
    EXPECT_EQ(Doc().m_nCorrTimeExp, 2);
    EXPECT_EQ(Doc().m_nCorrGainExp, 1);
    frame->View().viewport()->repaint();
    Grab(frame.get(), "corr-stored.png");
}

// The 3D spectrum analyzer from the toolbar: rows come in while the panel runs; OFF shows the
// finished picture and opens the control dialog, whose changes redraw it.
TEST_F(InstrumentDlgs, Spectrum3dRunsAndTheControlDialogTurnsThePicture) {
    Open("in1=src;in2=src;src=tone:2000:9000+tone:9000:4000;dut2=gain:0.5");
    bool panelDriven = false, controlDriven = false;
    WhenModal<CSpec3DDlg>(
        [&](CSpec3DDlg* dlg) {
            EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("3Dｽﾍﾟｱﾅ・ｺﾝﾄﾛｰﾙ"));
            EXPECT_EQ(dlg->findChild<QAbstractButton*>(QStringLiteral("save"))->isVisible(),
                      false);
            EXPECT_EQ(FieldText(dlg, "theta"), QStringLiteral("-15"));
            Click(dlg, "averageCountUp");
            EXPECT_EQ(FieldText(dlg, "averageCount"), QStringLiteral("10"));
            Click(dlg, "averageCountDown");
            Click(dlg, "on");
            EXPECT_EQ(Doc().m_bLiveView, 1);
            ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRow3D >= 8; }))
                << Doc().m_nRow3D;
            Click(dlg, "thetaUp"); // refused while measuring
            EXPECT_EQ(ui.messages.back().text, "測定中ですので終了させて下さい!");
            Grab(frame.get(), "spectrum3d-live.png");
            Grab(dlg, "spectrum3d-panel.png");
            WhenModal<CSpec3DViewDlg>(
                [&](CSpec3DViewDlg* control) {
                    EXPECT_EQ(Doc().disp_mode1, kind::Spectrum3dFinished);
                    frame->View().viewport()->repaint();
                    Grab(frame.get(), "spectrum3d-finished.png");
                    Grab(control, "spectrum3d-control.png");
                    Click(control, "thetaUp");
                    Click(control, "thetaUp");
                    EXPECT_EQ(FieldText(control, "theta"), QStringLiteral("5"));
                    Click(control, "linlog");
                    EXPECT_EQ(Doc().m_bLogAxis, 0);
                    frame->View().viewport()->repaint();
                    Grab(frame.get(), "spectrum3d-turned-linear.png");
                    Click(control, "d3off");
                },
                &controlDriven);
            Click(dlg, "off");
        },
        &panelDriven);
    frame->OnCommand(ID_SPECTRUM_3D_TB);
    ASSERT_TRUE(panelDriven);
    ASSERT_TRUE(controlDriven);
    EXPECT_EQ(Doc().disp_mode1, kind::Spectrum3dFinished);
    EXPECT_EQ(Doc().m_nTheta3D, -9);
    EXPECT_FALSE(Doc().HasWave());
    EXPECT_EQ(Doc().m_bLiveView, 0);
}
