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

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
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
        Click(dlg, "stop");
    });
    EXPECT_TRUE(ui.MessageTexts().empty()) << ::testing::PrintToString(ui.MessageTexts());
    EXPECT_EQ(Doc().m_nFirTaps, 32);
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
        Click(dlg, "gen");
        Click(dlg, "start");
        ASSERT_TRUE(dlg->Tool().IsRunning()) << ::testing::PrintToString(ui.MessageTexts());
        Choose(dlg, "display", 3); // "Log_AF"
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 4; }));
        EXPECT_EQ(Doc().disp_mode1, kind::RtFilterRunning);
        QApplication::processEvents();
        Grab(frame.get(), "radio-monitor.png");
        Grab(dlg, "radio-panel.png");
        Click(dlg, "stop");
    });
    EXPECT_EQ(Doc().disp_mode1, kind::RadioLinearStored);
}
