#include "AppTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CQtDocumentUi.h"
#include "app/FrameSettings.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/ScriptedUi.h"
#include "sound/devices/VirtualSoundCard.h"
#include "sound/engine/SoundDuplex.h"
#include "sound/qt/CAppSound.h"
#include "sound/qt/CEnvSettingDlg.h"
#include "sound/qt/CMeasConditionDlg.h"
#include "sound/qt/COffsetAdjustDlg.h"
#include "sound/qt/CSoundDeviceDlg.h"
#include "sound/settings/MeasConditions.h"
#include "sound/settings/OffsetAdjuster.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

using namespace cmd;

namespace {

template <class T> T* Child(QWidget& w, const char* name) {
    T* child = w.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

QString Text(QWidget& w, const char* name) {
    return Child<QLineEdit>(w, name)->text();
}

class SoundDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestApp();
        ClearAppSettings();
    }
    CScriptedUi ui;
};

} // namespace

// The servo analyzer's conditions: "ﾓﾉ" refused with its message, 8 bits not offered, the
// characteristic cycles, the rate and the spin keep at least 100 Hz of bandwidth.
TEST_F(SoundDialogs, ConditionsDialogFollowsTheRulesThroughItsControls) {
    MeasConditionMode mode;
    mode.allow8Bit = false;
    mode.twoChannel = true;
    CMeasConditions c(mode, ui);
    c.characteristic = meas::CharacteristicText(meas::kClose);
    CMeasConditionDlg dlg(c);
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("測定条件の設定"));
    EXPECT_FALSE(Child<QRadioButton>(dlg, "bits8")->isEnabled());
    EXPECT_TRUE(Child<QRadioButton>(dlg, "bits16")->isChecked());
    EXPECT_EQ(Text(dlg, "windowNote"), QString::fromUtf8("注)Rand信号では窓関数をかけます"));
    EXPECT_EQ(Text(dlg, "modeLabel"), QString::fromUtf8("ｻｰﾎﾞ測定ﾓｰﾄﾞ"));
    EXPECT_EQ(Text(dlg, "bandwidth"), QString::fromUtf8("24kHz"));
    EXPECT_EQ(Child<QComboBox>(dlg, "rate")->count(), 6);
    EXPECT_EQ(Child<QComboBox>(dlg, "rate")->currentText(), QString::fromUtf8("48000Hz"));
    EXPECT_EQ(Child<QComboBox>(dlg, "window")->currentText(), QString::fromUtf8("ﾌﾞﾗｯｸﾏﾝ"));

    Child<QRadioButton>(dlg, "mono")->click();
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"ｻｰﾎﾞｱﾅﾗｲｻﾞｰ設定につき<ｽﾃﾚｵ>に固定です！"});
    EXPECT_TRUE(Child<QRadioButton>(dlg, "stereo")->isChecked());
    EXPECT_EQ(c.channelsIndex, meas::kStereo);

    Child<QAbstractButton>(dlg, "switch")->click();
    EXPECT_EQ(Text(dlg, "characteristic"), QString::fromUtf8("Open(+)特性"));
    Child<QAbstractButton>(dlg, "switch")->click();
    Child<QAbstractButton>(dlg, "switch")->click();
    EXPECT_EQ(c.characteristic, "Close特性");

    // The up arrow halves the bandwidth once more.
    for (int i = 0; i < 6; ++i) Child<QAbstractButton>(dlg, "bandwidthUp")->click();
    EXPECT_EQ(c.downExp, -6);
    EXPECT_EQ(Text(dlg, "bandwidth"), QString::fromUtf8("375Hz"));
    Child<QAbstractButton>(dlg, "bandwidthDown")->click();
    EXPECT_EQ(c.downExp, -5);
    Child<QAbstractButton>(dlg, "bandwidthUp")->click();
    ui.Clear();
    emit Child<QComboBox>(dlg, "rate")->activated(0); // 11025 Hz: 86 Hz is refused
    EXPECT_EQ(
        ui.MessageTexts(),
        std::vector<std::string>{"これ以上のダウンサンプリングにエントリ－できるのは作者のみです"});
    EXPECT_EQ(c.rateIndex, 0);
    EXPECT_EQ(c.downExp, -5);
    EXPECT_EQ(Text(dlg, "bandwidth"), QString::fromUtf8("172Hz"));

    emit Child<QComboBox>(dlg, "points")->activated(8);
    emit Child<QComboBox>(dlg, "window")->activated(5);
    dlg.grab().save(QDir(GrabDir()).filePath(QStringLiteral("meas-conditions.png")));
    EXPECT_EQ(c.pow, 8);
    EXPECT_EQ(c.windowIndex, meas::kWindowNone);
}

TEST_F(SoundDialogs, ConditionsDialogWithoutCharacteristic) {
    CMeasConditions c({}, ui);
    c.bitsIndex = meas::kBits8;
    c.channelsIndex = meas::kMono;
    CMeasConditionDlg dlg(c);
    EXPECT_TRUE(Child<QRadioButton>(dlg, "bits8")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(dlg, "mono")->isChecked());
    EXPECT_EQ(Text(dlg, "characteristic"), QString::fromUtf8("無効"));
    EXPECT_FALSE(Child<QLineEdit>(dlg, "characteristic")->isEnabled());
    EXPECT_FALSE(Child<QAbstractButton>(dlg, "switch")->isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(dlg, "modeLabel")->isEnabled());
    EXPECT_EQ(Text(dlg, "windowNote"), QString::fromUtf8("注)入力信号に指定窓関数をかけます"));
    Child<QRadioButton>(dlg, "bits16")->click();
    Child<QRadioButton>(dlg, "stereo")->click();
    EXPECT_EQ(c.bitsIndex, meas::kBits16);
    EXPECT_EQ(c.channelsIndex, meas::kStereo);
    EXPECT_TRUE(ui.messages.empty());
}

// The desktop answer to the document's question is the dialog: OK and Cancel.
TEST_F(SoundDialogs, DesktopUiAsksWithTheConditionsDialog) {
    CQtDocumentUi qtUi(nullptr);
    for (bool ok : {true, false}) {
        CMeasConditions c({}, ui);
        QTimer::singleShot(0, [ok] {
            auto* dlg = qobject_cast<CMeasConditionDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            Child<QRadioButton>(*dlg, "mono")->click();
            if (ok)
                dlg->accept();
            else
                dlg->reject();
        });
        EXPECT_EQ(qtUi.AskMeasConditions(c), ok);
        EXPECT_EQ(c.channelsIndex, meas::kMono);
    }
}

TEST_F(SoundDialogs, EnvironmentDefaultsButton) {
    EnvSettings s{2, 0, 2, 0, 0, 1, 0};
    CEnvSettingDlg dlg(s);
    EXPECT_TRUE(Child<QRadioButton>(dlg, "buffer2")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(dlg, "process0")->isChecked());
    EXPECT_EQ(Child<QRadioButton>(dlg, "buffer0")->text(), QString::fromUtf8("\u3000大"));
    EXPECT_EQ(Child<QRadioButton>(dlg, "draw2")->text(), QString::fromUtf8("\u3000低"));
    Child<QAbstractButton>(dlg, "defaults")->click();
    dlg.grab().save(QDir(GrabDir()).filePath(QStringLiteral("env-settings.png")));
    for (const char* name : {"buffer1", "process1", "thread1", "draw1", "smoothing2"})
        EXPECT_TRUE(Child<QRadioButton>(dlg, name)->isChecked()) << name;
    EXPECT_FALSE(Child<QAbstractButton>(dlg, "usbFix")->isChecked());
    EXPECT_TRUE(Child<QAbstractButton>(dlg, "invert")->isChecked());
    const EnvSettings& d = dlg.Settings();
    EXPECT_EQ(d.bufferSize, 1);
    EXPECT_EQ(d.processPriority, 1);
    EXPECT_EQ(d.threadPriority, 1);
    EXPECT_EQ(d.drawSpeed, 1);
    EXPECT_EQ(d.smoothing, 2);
    EXPECT_EQ(d.usbCardFix, 0);
    EXPECT_EQ(d.invertWhileMeasuring, 1);
    Child<QRadioButton>(dlg, "smoothing0")->click();
    Child<QAbstractButton>(dlg, "usbFix")->click();
    EXPECT_EQ(dlg.Settings().smoothing, 0);
    EXPECT_EQ(dlg.Settings().usbCardFix, 1);
}

// Settings chosen in the dialogs survive closing the program: a new frame reads them back.
TEST_F(SoundDialogs, EnvironmentAndOffsetsPersistAcrossARestart) {
    {
        CMainFrame frame(&ui);
        QTimer::singleShot(0, [] {
            auto* dlg = qobject_cast<CEnvSettingDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            Child<QRadioButton>(*dlg, "buffer2")->click();
            Child<QRadioButton>(*dlg, "thread0")->click();
            Child<QAbstractButton>(*dlg, "invert")->click();
            dlg->accept();
        });
        frame.OnCommand(ID_ENV_SETTINGS);
        CKymoDoc& doc = frame.Document();
        EXPECT_EQ(doc.m_nBufferSize, 2);
        EXPECT_EQ(doc.m_nFilterFftSize, 512);
        EXPECT_EQ(doc.m_nFilterFftExp, 9);

        // Cancel keeps the values and derives the size again.
        doc.m_nFilterFftSize = 0;
        QTimer::singleShot(0, [] {
            auto* dlg = qobject_cast<CEnvSettingDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            Child<QRadioButton>(*dlg, "buffer0")->click();
            dlg->reject();
        });
        frame.OnCommand(ID_ENV_SETTINGS);
        EXPECT_EQ(doc.m_nBufferSize, 2);
        EXPECT_EQ(doc.m_nFilterFftSize, 512);

        doc.m_fOffset8R = -0.781f;
        doc.m_fOffset16L = 10.156f;
        doc.m_nMeasRate = 3;
        doc.m_nMeasCh = 0;
        frame.close();
    }
    CMainFrame again(&ui);
    const CKymoDoc& doc = again.Document();
    EXPECT_EQ(doc.m_nBufferSize, 2);
    EXPECT_EQ(doc.m_nFilterFftSize, 512);
    EXPECT_EQ(doc.m_nThreadPriority, 0);
    EXPECT_EQ(doc.m_bInvertWhileMeasuring, 0);
    EXPECT_EQ(doc.m_fOffset8R, -0.781f);
    EXPECT_EQ(doc.m_fOffset16L, 10.156f);
    EXPECT_EQ(doc.m_nMeasRate, 3);
    EXPECT_EQ(doc.m_nMeasCh, 0);
}

TEST_F(SoundDialogs, DevicePickerRefusesABadDutTextAndKeepsTheDialogOpen) {
    std::vector<SoundDeviceInfo> devices(2);
    devices[0] = {0, "pulse", "ALSA", 32, 32, 44100.0};
    devices[1] = {1, "default", "ALSA", 32, 32, 44100.0};
    SoundDeviceChoice stored{"virtual", "in1=src;src=tone:1000:100"};
    CSoundDeviceDlg dlg(stored, devices, "", ui);
    auto* list = Child<QListWidget>(dlg, "devices");
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_FALSE(Child<QLabel>(dlg, "override")->isVisibleTo(&dlg));
    EXPECT_TRUE(Child<QLineEdit>(dlg, "dut")->isEnabled());

    dlg.show();
    Child<QLineEdit>(dlg, "dut")->setText(QStringLiteral("in1=src;gain=3"));
    dlg.accept();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("gain"), std::string::npos) << ui.messages[0].text;
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    Child<QLineEdit>(dlg, "dut")->setText(QStringLiteral("in1=src;src=tone:440:3000"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Choice().device, "virtual");
    EXPECT_EQ(dlg.Choice().dut, "in1=src;src=tone:440:3000");

    // A hardware device is stored by its name; its DUT field is not used.
    list->setCurrentRow(2);
    EXPECT_FALSE(Child<QLineEdit>(dlg, "dut")->isEnabled());
    EXPECT_EQ(dlg.Choice().device, "pulse");
}

TEST_F(SoundDialogs, DevicePickerShowsTheEnvironmentOverrideAndAStoredDeviceNotPresent) {
    CSoundDeviceDlg dlg({"USB Audio", ""}, {}, "virtual", ui);
    auto* list = Child<QListWidget>(dlg, "devices");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(dlg.Choice().device, "USB Audio");
    auto* label = Child<QLabel>(dlg, "override");
    EXPECT_TRUE(label->isVisibleTo(&dlg));
    EXPECT_TRUE(label->text().contains(QStringLiteral("SONALYX_AUDIO_DEVICE=virtual")));
    dlg.grab().save(QDir(GrabDir()).filePath(QStringLiteral("sound-device.png")));
}

// The picker's choice goes into the settings store and makes the program's card.
TEST_F(SoundDialogs, ChosenVirtualCardIsStoredAndUsed) {
    CMainFrame frame(&ui);
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<CSoundDeviceDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        Child<QListWidget>(*dlg, "devices")->setCurrentRow(0);
        Child<QLineEdit>(*dlg, "dut")->setText(QStringLiteral("in1=src;src=tone:500:1000"));
        dlg->accept();
    });
    frame.OnCommand(ID_SOUND_DEVICE);
    EXPECT_EQ(OpenAppSettings()->value(QStringLiteral("Sound/Device")).toString(),
              QStringLiteral("virtual"));
    EXPECT_EQ(OpenAppSettings()->value(QStringLiteral("Sound/Dut")).toString(),
              QStringLiteral("in1=src;src=tone:500:1000"));
    ISoundCard* card = frame.Sound().Card();
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(frame.Sound().EffectiveChoice().dut, "in1=src;src=tone:500:1000");
}

// The offset dialog on a virtual card whose clock the test drives: the queued deliveries reach
// the adjuster, the edits and the progress bar follow, "終了" stores the values.
TEST_F(SoundDialogs, OffsetDialogAdjustsAndStoresOnClose) {
    std::string error;
    auto card = CVirtualSoundCard::Create("in1=src;in2=src;src=tone:0:655.36:90;dut2=gain:-0.5",
                                          VirtualClock::Fast, error);
    ASSERT_TRUE(card) << error;
    CKymoDoc doc(ui);
    COffsetAdjustDlg dlg(doc, *card);
    dlg.show();
    EXPECT_EQ(Text(dlg, "left16"), QStringLiteral("0"));
    Child<QAbstractButton>(dlg, "start16")->click();
    EXPECT_FALSE(Child<QAbstractButton>(dlg, "start8")->isEnabled());
    EXPECT_FALSE(Child<QAbstractButton>(dlg, "defaults")->isEnabled());
    for (int guard = 0; dlg.Adjuster().IsAdjusting() && guard < 10000; ++guard) {
        card->Pump();
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(dlg.Adjuster().IsAdjusting());
    EXPECT_TRUE(Child<QAbstractButton>(dlg, "start8")->isEnabled());
    EXPECT_EQ(Child<QProgressBar>(dlg, "progress")->value(), 15);
    dlg.grab().save(QDir(GrabDir()).filePath(QStringLiteral("offset-adjust.png")));
    // 655 and -328 counts: trunc(655 * 100000 / 32768) / 1000, trunc(-328 * 100000 / 32768) / 1000.
    EXPECT_EQ(Text(dlg, "left16"), QStringLiteral("1.998"));
    EXPECT_EQ(Text(dlg, "right16"), QStringLiteral("-1"));
    EXPECT_TRUE(ui.messages.empty());
    Child<QAbstractButton>(dlg, "close")->click();
    EXPECT_FLOAT_EQ(doc.m_fOffset16L, 1.998f);
    EXPECT_FLOAT_EQ(doc.m_fOffset16R, -1.0f);
}

// The command warns first; Escape stops a running adjustment and keeps the document's values.
TEST_F(SoundDialogs, OffsetCommandWarnsAndEscapeStops) {
    StoreSoundDevice(QStringLiteral("virtual"), QStringLiteral("in1=src;src=tone:0:3000:90"));
    CMainFrame frame(&ui);
    frame.Document().m_fOffset8L = 0.5f;
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<COffsetAdjustDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        driven = true;
        Child<QAbstractButton>(*dlg, "start8")->click();
        EXPECT_TRUE(dlg->Adjuster().IsAdjusting());
        dlg->reject();
        EXPECT_FALSE(dlg->Adjuster().IsAdjusting());
        EXPECT_FALSE(dlg->Adjuster().Engine().IsOpen());
    });
    frame.OnCommand(ID_OFFSET_ADJUST);
    ASSERT_TRUE(driven);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("調整ミスの原因になりますので", 0), 0u);
    EXPECT_EQ(frame.Document().m_fOffset8L, 0.5f);
}
