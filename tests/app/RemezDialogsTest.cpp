#include "AppTestSupport.h"

#include "app/AppCommands.h"
#include "app/dialogs/CDetailRemezDlg.h"
#include "app/dialogs/CEasyRemezDlg.h"
#include "app/dialogs/CIirSettingDlg.h"
#include "app/dialogs/CRemezSettingDlg.h"
#include "document/CommandIds.h"
#include "document/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>

namespace {
void SetText(QWidget& dlg, const char* name, const QString& text) {
    auto* edit = dlg.findChild<QLineEdit*>(QString::fromUtf8(name));
    ASSERT_NE(edit, nullptr) << name;
    edit->setText(text);
}

QString Text(QWidget& dlg, const char* name) {
    return dlg.findChild<QLineEdit*>(QString::fromUtf8(name))->text();
}

RemezBandTable LowPassTable() {
    RemezBandTable t;
    t.nBands = 2;
    t.low[0] = 0;
    t.high[0] = 4000;
    t.gain[0] = 1;
    t.weight[0] = 1;
    t.low[1] = 6000;
    t.high[1] = 24000;
    t.gain[1] = 0;
    t.weight[1] = 10;
    return t;
}
} // namespace

TEST(RemezSettingDlg, CorrectsTheLastEdgeAndDesigns) {
    EnsureTestApp();
    CScriptedUi ui;
    CRemezSettingDlg dlg(ui, LowPassTable(), 63, 48000);
    SetText(dlg, "high2", "20000");
    ASSERT_TRUE(dlg.Apply());
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"最終ﾊﾞﾝﾄﾞの端周波数はｻﾝﾌﾟﾘﾝｸﾞ周波数の半分に設定致します"});
    EXPECT_EQ(Text(dlg, "high2"), "24000");
    EXPECT_EQ(dlg.Table().high[1], 24000.0f);
    EXPECT_EQ(dlg.Taps().size(), 63u);
    SaveGrabToGallery(dlg, "remez_setting_dlg");
}

TEST(RemezSettingDlg, FaultsKeepTheDialogOpen) {
    EnsureTestApp();
    CScriptedUi ui;
    CRemezSettingDlg dlg(ui, LowPassTable(), 63, 48000);
    SetText(dlg, "gain1", "11");
    EXPECT_FALSE(dlg.Apply());
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"ゲイン設定は0～10までとして下さい"});
    EXPECT_TRUE(dlg.Taps().empty());
    ui.Clear();
    SetText(dlg, "gain1", "1");
    SetText(dlg, "taps", "5000");
    EXPECT_FALSE(dlg.Apply());
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"タップ数は3～4096までとして下さい。"});
}

TEST(RemezSettingDlg, RowsBeyondTheBandCountAreDisabled) {
    EnsureTestApp();
    CScriptedUi ui;
    CRemezSettingDlg dlg(ui, LowPassTable(), 63, 48000);
    EXPECT_TRUE(dlg.findChild<QLineEdit*>("weight2")->isEnabled());
    EXPECT_FALSE(dlg.findChild<QLineEdit*>("low3")->isEnabled());
    dlg.findChild<QSpinBox*>("bandCount")->setValue(3);
    EXPECT_TRUE(dlg.findChild<QLineEdit*>("low3")->isEnabled());
    EXPECT_EQ(dlg.Table().nBands, 3);
}

TEST(IirSettingDlg, GainEditFollowsTheTypeAndChecksRunInOrder) {
    EnsureTestApp();
    CScriptedUi ui;
    CIirSettingDlg dlg(ui, BiquadSettings{0, 2000.0f, 20.0f}, 48000);
    auto* type = dlg.findChild<QComboBox*>("type");
    auto* gain = dlg.findChild<QLineEdit*>("gain");
    ASSERT_EQ(type->count(), 4);
    EXPECT_EQ(type->itemText(2), "LowShelving");
    EXPECT_FALSE(gain->isEnabled());
    type->setCurrentIndex(3);
    EXPECT_TRUE(gain->isEnabled());
    type->setCurrentIndex(1);
    EXPECT_FALSE(gain->isEnabled());
    // The gain is checked also while its edit is disabled.
    SetText(dlg, "gain", "20.01");
    EXPECT_FALSE(dlg.Apply());
    SetText(dlg, "gain", "-20");
    EXPECT_TRUE(dlg.Apply());
    SetText(dlg, "freq", "0");
    EXPECT_FALSE(dlg.Apply());
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"20dB以下のレベルにして下さい。",
                                                           "0Hz以上の周波数にして下さい。"}));
    EXPECT_EQ(dlg.Settings().type, 1);
    SaveGrabToGallery(dlg, "iir_setting_dlg");
}

TEST(EasyRemezDlg, PredictionFillsTheTapsAndStartDesigns) {
    EnsureTestApp();
    CScriptedUi ui;
    EasyRemezSettings s;
    s.taps = 11;
    CEasyRemezDlg dlg(ui, s);
    ASSERT_TRUE(dlg.Predict());
    EXPECT_EQ(Text(dlg, "taps"), "97");
    EXPECT_EQ(dlg.findChild<QSlider*>("slider1")->value(), CEasyRemezDlg::SliderPosition(4000.0));
    EXPECT_EQ(CEasyRemezDlg::SliderPosition(4000.0), 41);
    std::vector<double> seen;
    dlg.onDesigned = [&seen](const std::vector<double>& h, int fs) {
        seen = h;
        EXPECT_EQ(fs, 48000);
    };
    ASSERT_TRUE(dlg.Start());
    EXPECT_TRUE(dlg.IsRunning());
    EXPECT_EQ(seen.size(), 97u);
    // While running, a prediction designs again with the new count.
    SetText(dlg, "transition", "2000");
    ASSERT_TRUE(dlg.Predict());
    EXPECT_EQ(seen.size(), static_cast<size_t>(Text(dlg, "taps").toInt()));
    EXPECT_TRUE(ui.messages.empty());
    SaveGrabToGallery(dlg, "easy_remez_dlg");
}

TEST(EasyRemezDlg, PredictionOutsideTheLimitLeavesTheTapsAlone) {
    EnsureTestApp();
    CScriptedUi ui;
    EasyRemezSettings s;
    s.taps = 51;
    s.transition = 10.0f;
    s.atten = 100.0f;
    CEasyRemezDlg dlg(ui, s);
    EXPECT_FALSE(dlg.Predict());
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"タップ数は3～1024までとして下さい。"});
    EXPECT_EQ(Text(dlg, "taps"), "51");
    EXPECT_FALSE(dlg.IsRunning());
}

TEST(DetailRemezDlg, RealTimeMessagesAndTapLimit) {
    EnsureTestApp();
    CScriptedUi ui;
    CDetailRemezDlg dlg(ui, LowPassTable(), 1025);
    EXPECT_FALSE(dlg.Start());
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"タップ数は3～1024までとして下さい。"});
    ui.Clear();
    SetText(dlg, "taps", "63");
    SetText(dlg, "weight2", "0.5");
    EXPECT_FALSE(dlg.Start());
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"重み設定は1以上して下さい"});
    ui.Clear();
    SetText(dlg, "weight2", "10");
    ASSERT_TRUE(dlg.Start());
    EXPECT_EQ(dlg.Taps().size(), 63u);
    EXPECT_TRUE(dlg.IsRunning());
    SaveGrabToGallery(dlg, "detail_remez_dlg");
}

TEST(RemezBiquadCommands, AreRegistered) {
    for (int id : {cmd::ID_FILE_FIR_REMEZ, cmd::ID_FILE_IIR_BIQUAD, cmd::ID_RT_FIR_EASY_REMEZ,
                   cmd::ID_RT_FIR_REMEZ})
        EXPECT_NE(FindAppCommand(id), nullptr) << id;
}
