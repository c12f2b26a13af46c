#include "app/dialogs/CResonanceChoiceDlg.h"
#include "app/dialogs/CServoOperationDlg.h"
#include "document/AnalysisMessages.h"
#include "document/ScriptedUi.h"
#include "dsp/ServoElements.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

TEST(ServoOperationDlg, RefusesNonNumbersAndValuesOutOfRange) {
    EnsureApplication();
    CScriptedUi ui;
    CServoOperationDlg dlg(
        QStringLiteral("演算の設定"),
        {{QStringLiteral("ｹﾞｲﾝ"), 1.0, QStringLiteral("gain"), {}},
         {QStringLiteral("該当周波数"), 0.000159155, QStringLiteral("f0"), RangeCheck(1e-6, 1e6)}},
        true, QString(), ui);
    EXPECT_EQ(dlg.Operation(), servo_op::Multiply);
    EXPECT_TRUE(dlg.Check());
    EXPECT_DOUBLE_EQ(dlg.Value(1), 0.000159155);
    dlg.Field(0)->setText("abc");
    EXPECT_FALSE(dlg.Check());
    EXPECT_EQ(ui.MessageTexts().back(), msg::kNotNumeric);
    dlg.Field(0)->setText("2.5");
    dlg.Field(1)->setText("0");
    EXPECT_FALSE(dlg.Check());
    dlg.Field(1)->setText("1");
    dlg.SetOperation(servo_op::Divide);
    EXPECT_TRUE(dlg.Check());
    EXPECT_DOUBLE_EQ(dlg.Value(0), 2.5);
    EXPECT_EQ(dlg.Operation(), servo_op::Divide);
}

TEST(ResonanceChoiceDlg, OkWithoutAChoiceIsRefused) {
    EnsureApplication();
    CScriptedUi ui;
    CResonanceChoiceDlg dlg(ui);
    dlg.accept();
    EXPECT_FALSE(dlg.HasChoice());
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{msg::kChooseCondition});
}

} // namespace
