#include "AppTestSupport.h"

#include "app/CMainFrame.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "realtime/LmsTool.h"
#include "realtime/RadioTool.h"
#include "realtime/qt/CLmsDlg.h"
#include "realtime/qt/CRadioDlg.h"
#include "transfer/CoefTransfer.h"
#include "transfer/TransferMessages.h"
#include "transfer/qt/CCoefTransferDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace cmd;

namespace {

void Click(QWidget* dlg, const char* name) {
    auto* button = dlg->findChild<QAbstractButton*>(QString::fromUtf8(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    button->click();
}

void Choose(QWidget* dlg, const char* name, int index) {
    auto* list = dlg->findChild<QComboBox*>(QString::fromUtf8(name));
    ASSERT_NE(list, nullptr) << name;
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void Type(QWidget* dlg, const char* name, const QString& text) {
    auto* edit = dlg->findChild<QLineEdit*>(QString::fromUtf8(name));
    ASSERT_NE(edit, nullptr) << name;
    edit->setText(text);
}

void Grab(QWidget* w, const char* file) {
    w->grab().save(QDir(GrabDir()).filePath(QString::fromUtf8(file)));
}

class LmsRadioDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestApp();
        ClearAppSettings();
        // The desired channel is a short FIR of the noise on the right.
        StoreSoundDevice(QStringLiteral("virtual"),
                         QStringLiteral("in1=src;in2=src;src=noise:6000:3;dut1=gain:0.5,delay:3"));
        frame = std::make_unique<CMainFrame>(&ui);
        frame->resize(1000, 760);
        frame->show();
    }
    CKymoDoc& Doc() { return frame->Document(); }
    template <class Dlg> void RunDialog(int command, const std::function<void(Dlg*)>& drive) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<Dlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            driven = true;
            drive(dlg);
            if (dlg->isVisible()) dlg->reject();
        });
        frame->OnCommand(command);
        ASSERT_TRUE(driven);
    }

    CScriptedUi ui;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace

// The LMS panel learns the card's DUT from the line input in real time: the weights show the
// 0.5 at tap D + 3, the monitor is drawn.
TEST_F(LmsRadioDialogsTest, LmsPanelLearnsTheLineInput) {
    RunDialog<CLmsDlg>(ID_RT_FIR_LMS, [&](CLmsDlg* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("LMS_適応FIRﾌｨﾙﾀｰ"));
        EXPECT_EQ(Doc().m_nFirType, 11);
        auto* gen = dlg->findChild<QAbstractButton*>(QStringLiteral("gen"));
        ASSERT_NE(gen, nullptr);
        if (gen->isChecked()) gen->click();
        Type(dlg, "taps", QStringLiteral("32"));
        Type(dlg, "delay", QStringLiteral("8"));
        Type(dlg, "mu", QStringLiteral("0.01"));
        Click(dlg, "start");
        ASSERT_TRUE(dlg->Tool().IsRunning()) << ::testing::PrintToString(ui.MessageTexts());
        ASSERT_TRUE(RunEventsUntil([&] {
            const auto& w = dlg->Tool().Weights();
            return Doc().m_nRealUpdates >= 4 && w.size() == 32 && std::fabs(w[11] - 0.5) < 0.01;
        }));
        EXPECT_EQ(Doc().disp_mode1, kind::RtFilterRunning);
        QApplication::processEvents();
        Grab(frame.get(), "lms-monitor.png");
        Grab(dlg, "lms-panel.png");
        EXPECT_EQ(MisplacedControls(dlg), QStringList());
        // The output gain is edited and kept with the other real-time tools'.
        Click(dlg, "gainUp");
        Click(dlg, "gainUp");
        EXPECT_EQ(dlg->findChild<QLineEdit*>(QStringLiteral("gain"))->text(), QStringLiteral("2"));
        Click(dlg, "stop");
    });
    EXPECT_TRUE(ui.MessageTexts().empty()) << ::testing::PrintToString(ui.MessageTexts());
    EXPECT_EQ(Doc().m_nFirTaps, 32);
    EXPECT_EQ(Doc().m_RtPanel.gainDb, 2);
}

// The radio panel runs the USB loop of its test signal on the virtual card and draws the
// spectrum; the flags rebuild the mode list.
TEST_F(LmsRadioDialogsTest, RadioPanelRunsTheLoop) {
    RunDialog<CRadioDlg>(ID_RADIO, [&](CRadioDlg* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("AM/SSB(LSB,USB)変復調"));
        Click(dlg, "transmit");
        auto* mode = dlg->findChild<QComboBox*>(QStringLiteral("mode"));
        ASSERT_NE(mode, nullptr);
        ASSERT_EQ(mode->count(), 3);
        EXPECT_EQ(mode->itemText(2), QString::fromUtf8("USB変復調"));
        Choose(dlg, "mode", 2);
        Click(dlg, "default");
        // The oscillators are edited in kHz.
        auto* if1 = dlg->findChild<QLineEdit*>(QStringLiteral("if1"));
        ASSERT_NE(if1, nullptr);
        EXPECT_EQ(if1->text(), QString::number(dlg->Tool().Settings().m_iffreq / 1000.0));
        Type(dlg, "if1", QStringLiteral("12.5"));
        Click(dlg, "gen");
        Click(dlg, "start");
        EXPECT_EQ(dlg->Tool().Settings().m_iffreq, 12500);
        ASSERT_TRUE(dlg->Tool().IsRunning()) << ::testing::PrintToString(ui.MessageTexts());
        Choose(dlg, "display", 3); // "Log_AF"
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 4; }));
        EXPECT_EQ(Doc().disp_mode1, kind::RtFilterRunning);
        QApplication::processEvents();
        Grab(frame.get(), "radio-monitor.png");
        Grab(dlg, "radio-panel.png");
        EXPECT_EQ(MisplacedControls(dlg), QStringList());
        // The IQ balance spins: amplitude and phase steps, at most 20 either way.
        Click(dlg, "iqBalanceUp");
        Click(dlg, "iqPhaseDown");
        EXPECT_EQ(dlg->Tool().Settings().IQ_BalSpin, 1);
        EXPECT_EQ(dlg->Tool().Panel().iqPhase, -1);
        for (int i = 0; i < 25; ++i) Click(dlg, "iqBalanceUp");
        EXPECT_EQ(dlg->Tool().Settings().IQ_BalSpin, 20);
        Click(dlg, "stop");
    });
    EXPECT_EQ(Doc().disp_mode1, kind::RadioLinearStored);
}

// The coefficient transfer dialog: the welcome status, preloaded taps, a port that does not
// open, and the port, rate and format kept for the next opening when it ends with OK.
TEST_F(LmsRadioDialogsTest, TransferDialogKeepsItsSettings) {
    RunDialog<CCoefTransferDlg>(ID_COEF_TRANSFER, [&](CCoefTransferDlg* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("RS232C⇒FPGA/DSP..."));
        EXPECT_EQ(dlg->Transfer().Status(), xfermsg::kWelcome);
        Choose(dlg, "baud", 6);
        Choose(dlg, "format", 4);
        dlg->Preload(true, {0.5, -0.25, 0.125});
        EXPECT_EQ(dlg->findChild<QPlainTextEdit*>(QStringLiteral("status"))->toPlainText(),
                  QStringLiteral("FIR_NumTaps=3"));
        auto* port = dlg->findChild<QComboBox*>(QStringLiteral("port"));
        ASSERT_NE(port, nullptr);
        port->setEditText(QDir::temp().filePath(QStringLiteral("no-such-port/tty")));
        Click(dlg, "tx");
        EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{xfermsg::kCannotOpen});
        Grab(dlg, "transfer-dialog.png");
        EXPECT_EQ(MisplacedControls(dlg), QStringList());
        port->setCurrentIndex(3);
        dlg->accept();
    });
    RunDialog<CCoefTransferDlg>(ID_COEF_TRANSFER, [&](CCoefTransferDlg* dlg) {
        EXPECT_EQ(dlg->findChild<QComboBox*>(QStringLiteral("port"))->currentText(),
                  QStringLiteral("COM4"));
        EXPECT_EQ(dlg->findChild<QComboBox*>(QStringLiteral("baud"))->currentText(),
                  QStringLiteral("57600"));
        EXPECT_EQ(dlg->findChild<QComboBox*>(QStringLiteral("format"))->currentText(),
                  QStringLiteral("float"));
        EXPECT_FALSE(dlg->Transfer().Loaded());
    });
}
