#include "AppTestSupport.h"

#include "app/dialogs/CResonanceChoiceDlg.h"
#include "app/dialogs/CServoOperationDlg.h"
#include "document/AnalysisMessages.h"
#include "document/ScriptedUi.h"
#include "dsp/ServoChecks.h"
#include "dsp/ServoElements.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

namespace {

TEST(ServoOperationDlg, RefusesNonNumbersAndValuesOutOfRange) {
    EnsureTestApp();
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
    EnsureTestApp();
    CScriptedUi ui;
    CResonanceChoiceDlg dlg(ui);
    dlg.accept();
    EXPECT_FALSE(dlg.HasChoice());
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{msg::kChooseCondition});
}

// The two detail dialogs of the second-order element refuse a sensitivity of 0 alike.
TEST(ResonanceChoiceDlg, BothDetailDialogsRefuseAZeroSensitivity) {
    EnsureTestApp();
    for (const bool byAcceleration : {false, true}) {
        CScriptedUi ui;
        CServoOperationDlg dlg(QStringLiteral("2次振動系の設定（２）"),
                               ResonanceDetailFields(byAcceleration), false, QString(), ui);
        EXPECT_TRUE(dlg.Check()) << byAcceleration;
        dlg.findChild<QLineEdit*>("K")->setText("0");
        EXPECT_FALSE(dlg.Check()) << byAcceleration;
        EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{msg::kSensitivityRange});
        dlg.findChild<QLineEdit*>("K")->setText("2");
        dlg.findChild<QLineEdit*>("Q0")->setText("55");
        EXPECT_FALSE(dlg.Check()) << byAcceleration;
        EXPECT_EQ(ui.MessageTexts().back(), "0 から 54 までの数値を入力してください。");
    }
}

TEST(ServoOperationDlg, WholeCheckRefusesADivisionByZero) {
    EnsureTestApp();
    CScriptedUi ui;
    CServoOperationDlg dlg(QStringLiteral("演算の設定"),
                           {{QStringLiteral("ｹﾞｲﾝ設定 (倍)"), 0.0, QStringLiteral("gain"), {}}},
                           true, QString(), ui);
    dlg.SetWholeCheck(
        [](const std::vector<double>& v, int op) { return CheckGainDivision(v[0], op); });
    EXPECT_TRUE(dlg.Check());
    dlg.SetOperation(servo_op::Divide);
    EXPECT_FALSE(dlg.Check());
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{msg::kDivisionByZero});
    dlg.Field(0)->setText("0.5");
    EXPECT_TRUE(dlg.Check());
}

} // namespace
