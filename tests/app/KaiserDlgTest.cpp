#include "AppTestSupport.h"

#include "app/AppCommands.h"
#include "app/dialogs/CKaiserDlg.h"
#include "document/CommandIds.h"
#include "document/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

TEST(KaiserDlgTest, SpinClampsTypedValueIsTaken) {
    EnsureTestApp();
    CScriptedUi ui;
    CKaiserDlg dlg(10, ui);
    EXPECT_EQ(dlg.Beta(), 10);
    for (int i = 0; i < 15; ++i) dlg.SpinDelta(-1);
    EXPECT_EQ(dlg.Beta(), 20);
    dlg.SpinDelta(1);
    EXPECT_EQ(dlg.Beta(), 19);
    dlg.findChild<QLineEdit*>("beta")->setText("35");
    EXPECT_EQ(dlg.Beta(), 35);
    dlg.SpinDelta(1);
    EXPECT_EQ(dlg.Beta(), 20);
    dlg.SetDefault();
    EXPECT_EQ(dlg.Beta(), 10);
}

TEST(KaiserDlgTest, OkRefusesABetaTheWindowCannotHold) {
    EnsureTestApp();
    CScriptedUi ui;
    CKaiserDlg dlg(10, ui);
    auto* edit = dlg.findChild<QLineEdit*>("beta");
    edit->setText("200");
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"β値が大きすぎます。β=-150～150の範囲で設定して下さい。"});
    edit->setText("150");
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Beta(), 150);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(KaiserDlgTest, TransformCommandsAreRegistered) {
    for (int id :
         {cmd::ID_WIN_TRIANGLE, cmd::ID_WIN_HANNING, cmd::ID_WIN_HAMMING, cmd::ID_WIN_BLACKMAN,
          cmd::ID_WIN_KAISER, cmd::ID_WIN_WITHOUT, cmd::ID_FFT, cmd::ID_IFT})
        EXPECT_NE(FindAppCommand(id), nullptr) << id;
}
