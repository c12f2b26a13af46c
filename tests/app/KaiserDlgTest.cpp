#include "app/AppCommands.h"
#include "app/dialogs/CKaiserDlg.h"
#include "document/CommandIds.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

namespace {
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}
} // namespace

TEST(KaiserDlgTest, SpinClampsTypedValueIsTaken) {
    EnsureApplication();
    CKaiserDlg dlg(10);
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
    dlg.grab().save(QStringLiteral("/tmp/kaiser_dlg.png"));
}

TEST(KaiserDlgTest, TransformCommandsAreRegistered) {
    for (int id :
         {cmd::ID_WIN_TRIANGLE, cmd::ID_WIN_HANNING, cmd::ID_WIN_HAMMING, cmd::ID_WIN_BLACKMAN,
          cmd::ID_WIN_KAISER, cmd::ID_WIN_WITHOUT, cmd::ID_FFT, cmd::ID_IFT})
        EXPECT_NE(FindAppCommand(id), nullptr) << id;
}
