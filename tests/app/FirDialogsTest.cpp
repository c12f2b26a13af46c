#include "AppTestSupport.h"

#include "app/AppCommands.h"
#include "app/dialogs/CFilterConfirmDlg.h"
#include "app/dialogs/CFirHelpDlg.h"
#include "app/dialogs/CFirNoticeDlg.h"
#include "app/dialogs/CFirSettingDlg.h"
#include "app/dialogs/CKaiserSettingDlg.h"
#include "document/CommandIds.h"
#include "filters/FilterLimits.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* Edit(QWidget& w, const char* name) {
    return w.findChild<QLineEdit*>(QString::fromLatin1(name));
}

TEST(FirSettingDlg, FailedCheckSelectsFieldAndStaysOpen) {
    EnsureTestApp();
    CFirSettingDlg dlg(FirWindowSettings{shape::BandPass, 4, 1000.0f, 3000.0f}, 3, 48000);
    QStringList shown;
    dlg.showMessage = [&](const QString& m) { shown << m; };
    EXPECT_EQ(Edit(dlg, "window")->text(), QStringLiteral("Hamming!!"));
    EXPECT_FALSE(dlg.TryAccept());
    EXPECT_EQ(shown, QStringList{QStringLiteral("タップ数は5～4096までとして下さい。")});
    EXPECT_EQ(Edit(dlg, "taps")->selectedText(), QStringLiteral("4"));
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    Edit(dlg, "taps")->setText(QStringLiteral("5"));
    Edit(dlg, "cutHigh")->setText(QStringLiteral("1000"));
    EXPECT_FALSE(dlg.TryAccept());
    EXPECT_EQ(shown.last(), QStringLiteral("Low Pass < High Pass　になるよう設定して下さい。"));
    EXPECT_TRUE(Edit(dlg, "cutLow")->hasSelectedText());

    dlg.findChild<QComboBox*>(QStringLiteral("shape"))->setCurrentIndex(shape::LowPass);
    EXPECT_TRUE(dlg.TryAccept());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const FirWindowSettings s = dlg.Settings();
    EXPECT_EQ(s.shape, shape::LowPass);
    EXPECT_EQ(s.taps, 5);
    EXPECT_EQ(s.cutLow, 1000.0f);
    SaveGrabToGallery(dlg, "fir_setting_dlg");
}

TEST(KaiserSettingDlg, ClearsHighCutOffAndAsksAboveFourThousandTaps) {
    EnsureTestApp();
    CKaiserSettingDlg dlg(KaiserSettings{shape::LowPass, 2000, 4500, 80, 30}, 48000);
    QStringList shown, notices;
    bool answer = false;
    dlg.showMessage = [&](const QString& m) { shown << m; };
    dlg.confirmNotice = [&](const QString& m) {
        notices << m;
        return answer;
    };
    EXPECT_FALSE(dlg.TryAccept());
    EXPECT_EQ(Edit(dlg, "cutHigh")->text().toDouble(), 0.0);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith(QStringLiteral("CPUの負担が大きくなりますので")));
    EXPECT_TRUE(Edit(dlg, "atten")->hasSelectedText());
    EXPECT_TRUE(shown.isEmpty());

    answer = true;
    EXPECT_TRUE(dlg.TryAccept());
    EXPECT_GT(dlg.Taps(), 4096);
    EXPECT_EQ(dlg.Settings().cutHigh, 0.0f);

    CKaiserSettingDlg bad(KaiserSettings{shape::HighPass, 300, 0, 40, 500}, 48000);
    bad.showMessage = [&](const QString& m) { shown << m; };
    EXPECT_FALSE(bad.TryAccept());
    EXPECT_EQ(shown.last(),
              QStringLiteral("遷移帯域幅を小さくするか、低域のｶｯﾄｵﾌ周波数を高くして下さい。"));
    EXPECT_TRUE(Edit(bad, "transition")->hasSelectedText());
    SaveGrabToGallery(bad, "kaiser_setting_dlg");
}

TEST(FirDialogs, NoticeConfirmAndHelpRender) {
    EnsureTestApp();
    CFirNoticeDlg notice(QStringLiteral("abc"));
    EXPECT_EQ(notice.windowTitle(), QStringLiteral("FIRのオーダー"));
    EXPECT_EQ(notice.Text(), QStringLiteral("abc"));
    EXPECT_EQ(notice.findChild<QPushButton*>(QStringLiteral("cancel")), nullptr);
    // As the question of the large Kaiser design: "ｷｬﾝｾﾙ" is there and rejects.
    CFirNoticeDlg question(QStringLiteral("OK? ... (ｷｬﾝｾﾙ)?"), nullptr, true);
    auto* cancel = question.findChild<QPushButton*>(QStringLiteral("cancel"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    question.show();
    cancel->click();
    EXPECT_EQ(question.result(), QDialog::Rejected);
    CFilterConfirmDlg confirm(QStringLiteral("IIR/FIR処理の確定"),
                              QStringLiteral("IIR/FIR処理結果をOKで確定します。\n"
                                             "無効にする場合はｷｬﾝｾﾙして下さい。"));
    EXPECT_EQ(confirm.findChildren<QLabel*>().size(), 2);
    SaveGrabToGallery(confirm, "filter_confirm_dlg");
    CFirHelpDlg help;
    EXPECT_TRUE(help.findChild<QLabel*>(QStringLiteral("note"))
                    ->text()
                    .endsWith(QStringLiteral("\n　ｶｲｻﾞｰ窓は遷移帯域幅、減衰量の設定可能")));
    SaveGrabToGallery(help, "fir_help_dlg");
}

TEST(FirDialogs, FilterCommandsAreRegistered) {
    for (int id : {cmd::ID_FILE_FIR_RECT, cmd::ID_FILE_FIR_BARTLETT, cmd::ID_FILE_FIR_BLACKMAN_OPT,
                   cmd::ID_FILE_FIR_HAMMING, cmd::ID_FILE_FIR_HANNING, cmd::ID_FILE_FIR_KAISER,
                   cmd::ID_FILE_FIR_COEF, cmd::ID_FILE_IIR_COEF, cmd::ID_FILTER_HELP,
                   cmd::ID_SAVE_IMPULSE_COEF})
        EXPECT_NE(FindAppCommand(id), nullptr) << id;
}

} // namespace
