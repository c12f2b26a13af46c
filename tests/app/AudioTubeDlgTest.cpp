#include "AppTestSupport.h"
#include "VirtualCardFrame.h"

#include "app/CMainFrame.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "dsp/FloatToInt.h"
#include "sound/audio/AudioMeasPanel.h"
#include "sound/audio/AudioResults.h"
#include "sound/devices/SoundCardFactory.h"
#include "sound/engine/SoundCard.h"
#include "sound/engine/SoundDuplex.h"
#include "sound/qt/CAudioMeasDlg.h"
#include "sound/qt/CTubeAmpDlg.h"
#include "tube/TubeAmpPanel.h"
#include "tube/TubeProcessor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>

using namespace cmd;

namespace {

QLineEdit* Field(QWidget* dlg, const char* name) {
    return dlg->findChild<QLineEdit*>(QString::fromUtf8(name));
}

QString Text(QWidget* dlg, const char* name) {
    if (auto* edit = Field(dlg, name)) return edit->text();
    if (auto* label = dlg->findChild<QLabel*>(QString::fromUtf8(name))) return label->text();
    return QStringLiteral("<missing>");
}

void Choose(QWidget* dlg, const char* name, int index) {
    auto* combo = dlg->findChild<QComboBox*>(QString::fromUtf8(name));
    ASSERT_NE(combo, nullptr) << name;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// No control of `dlg` is clipped, outside it or overlapping another.
void ExpectTidyLayout(QWidget* dlg) {
    const QStringList problems = MisplacedControls(dlg);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
}

class AudioTubeDlgTest : public VirtualCardFrame {};

// The same items on the core panel with the fast virtual card.
CAudioResults CoreRun(const std::string& dut) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.SetUpdateListener([&] { doc.m_bRealBusy = 0; });
    std::string error;
    auto card = CreateSoundCard({"virtual", dut}, VirtualClock::Fast, error);
    EXPECT_TRUE(card) << error;
    BeginAudioMeasurement(doc, card.get());
    CAudioMeasPanel p(doc, *card);
    p.SetAll(false);
    p.SetItem(CAudioResults::Thd, true);
    EXPECT_TRUE(p.SetDetail(1125, -6, 60, 7000, -3, -15, 1000, 19000));
    EXPECT_TRUE(p.OnStart());
    const auto drive = [&](const std::function<bool()>& done) {
        for (int i = 0; i < 1000 && !done(); ++i) p.Engine().RunOnce(std::chrono::seconds(2));
    };
    drive([&] { return p.Calibrated(); });
    p.OnRun();
    drive([&] { return p.IsFinished(); });
    return p.Results();
}

} // namespace

// The audio measurement from the menu on the virtual card in real time: the detail dialog
// refuses a level out of range and takes the THD settings, "Set All" and the THD box leave THD
// alone, ON calibrates, Run measures; the fields show what the core panel computes for the same
// device, "F2" draws the THD graph, "Save" writes an "AUDO" file, OFF leaves the last spectra.
TEST_F(AudioTubeDlgTest, AudioPanelRunsThdLikeTheCorePanel) {
    const std::string dut = "dut1=poly:1:0.02;dut2=gain:1";
    Open(dut.c_str());
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("run.opr"));
    RunModalCommand<CAudioMeasDlg>(*frame, ID_AUDIO_MEASUREMENT, [&](CAudioMeasDlg* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("ｵｰﾃﾞｨｵ測定"));
        EXPECT_EQ(dlg->findChild<QComboBox*>(QStringLiteral("mode"))->currentText(),
                  QStringLiteral("ﾀﾞｲﾚｸﾄﾓｰﾄﾞ"));
        EXPECT_EQ(dlg->findChild<QAbstractButton*>(QStringLiteral("rate"))->text(),
                  QStringLiteral("Fs=48kHz"));
        EXPECT_EQ(Text(dlg, "freqRow1"), QStringLiteral("30Hz"));
        EXPECT_EQ(Text(dlg, "freqRow2"), QStringLiteral("19kHz"));
        EXPECT_EQ(Text(dlg, "device"), QStringLiteral("ID#0:virtual"));
        GrabTo(dlg, "audiomeas-panel.png");
        ExpectTidyLayout(dlg);

        // The detail dialog: a THD level of -41 dB is refused and the field selected.
        bool detailDriven = false;
        QTimer::singleShot(0, [&] {
            auto* detail = QApplication::activeModalWidget();
            ASSERT_NE(detail, nullptr);
            EXPECT_EQ(detail->windowTitle(), QStringLiteral("詳細設定"));
            GrabTo(detail, "audiomeas-detail.png");
            ExpectTidyLayout(detail);
            Field(detail, "thdFreq")->setText(QStringLiteral("1125"));
            Field(detail, "thdDb")->setText(QStringLiteral("-41"));
            Field(detail, "f1")->setText(QStringLiteral("1000"));
            qobject_cast<QDialog*>(detail)->accept();
            EXPECT_TRUE(detail->isVisible());
            EXPECT_EQ(ui.messages.back().text, "THD測定ﾚﾍﾞﾙが範囲外です(0～-40dB)");
            EXPECT_EQ(Field(detail, "thdDb")->selectedText(), QStringLiteral("-41"));
            Field(detail, "thdDb")->setText(QStringLiteral("-6"));
            qobject_cast<QDialog*>(detail)->accept();
            EXPECT_FALSE(detail->isVisible());
            detailDriven = true;
        });
        ClickButton(dlg, "set");
        ASSERT_TRUE(detailDriven);
        EXPECT_EQ(dlg->Panel().ThdFreq(), 1125);
        EXPECT_EQ(Text(dlg, "freqRow1"), QStringLiteral("1kHz"));

        // "Wave": both test files of the synchronous mode, every box ticked.
        const QString ref = dir.filePath(QStringLiteral("RefSig.wav"));
        const QString measure = dir.filePath(QStringLiteral("MeasurSig.wav"));
        ui.fileAnswers.push_back(ref.toStdString());
        ui.fileAnswers.push_back(measure.toStdString());
        ClickButton(dlg, "wave");
        for (const QString& path : {ref, measure})
            EXPECT_EQ(QFileInfo(path).size(), 56 + 16384 * 4 * 192) << path.toStdString();
        EXPECT_TRUE(dlg->findChild<QAbstractButton*>(QStringLiteral("setAll"))->isChecked());
        for (int item = 0; item < 6; ++item) EXPECT_TRUE(dlg->Panel().Item(item));

        ClickButton(dlg, "setAll"); // all off
        ClickButton(dlg, "item1");  // THD
        for (int item = 0; item < 6; ++item) EXPECT_EQ(dlg->Panel().Item(item), item == 1);

        ClickButton(dlg, "on");
        EXPECT_TRUE(dlg->Panel().IsRunning());
        ASSERT_TRUE(RunEventsUntil([&] { return dlg->Panel().Calibrated(); }));
        ClickButton(dlg, "run");
        ASSERT_TRUE(RunEventsUntil([&] { return dlg->Panel().IsFinished(); }));
        EXPECT_FALSE(dlg->Panel().IsRunning());
        GrabTo(frame.get(), "audiomeas-live.png");
        GrabTo(dlg, "audiomeas-done.png");

        const CAudioResults core = CoreRun(dut);
        const auto& r = dlg->Panel().Results().m_fResult;
        for (int i = 4; i < 8; ++i) EXPECT_NEAR(r[i], core.m_fResult[i], 1e-4) << i;
        const double a = 32767.0 / 32768.0 * std::pow(10.0, -6.0 / 20.0);
        EXPECT_NEAR(r[4], 100.0 * 0.02 * a / 2.0, 0.01);
        EXPECT_EQ(Text(dlg, "result4"), QString::number(r[4], 'f', 4));
        EXPECT_EQ(Text(dlg, "result5"), QString::number(r[5], 'f', 4));
        EXPECT_EQ(Text(dlg, "monitor1"), QStringLiteral("1125"));
        EXPECT_EQ(dlg->Panel().Results().m_nFlags, core.m_nFlags);

        ClickButton(dlg, "graph2");
        EXPECT_EQ(Doc().disp_mode1, kind::AudioGraph);
        EXPECT_EQ(Doc().m_szGraphTitle, "全高調波歪");
        // The graph uses the result top level (10 dB); ON would take the live one back.
        EXPECT_EQ(Doc().m_nTopLevel, 10);
        EXPECT_EQ(Text(dlg, "topLevel"), QStringLiteral("10"));
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_bRealBusy == 0; }));
        GrabTo(frame.get(), "audiomeas-graph.png");

        ui.fileAnswers.push_back(saved.toStdString());
        ClickButton(dlg, "save");
        EXPECT_EQ(ui.messages.back().text, saved.toStdString() + "\nで保存致します");
        ClickButton(dlg, "off");
    });
    EXPECT_EQ(Doc().disp_mode1, kind::AudioMeasurement);
    EXPECT_EQ(Doc().m_nTopLevel, 80);
    CScriptedUi readUi;
    CAudioResults file;
    ASSERT_EQ(LoadAudioResults(readUi, saved.toStdString(), file), 1);
    EXPECT_EQ(file.m_nFlags, (std::array<int, 6>{0, 1, 0, 0, 0, 0}));
}

// The tube amplifier from the menu: "My_Tube" reads the shipped 300B, "計算" draws the
// characteristics and shows the operating current; grid bias relabels the bias field; ON plays
// the input through the computed stage exactly as the core model does, "Through" plays it
// unchanged; changing the circuit stops the stream with its message.
TEST_F(AudioTubeDlgTest, TubePanelComputesAndPlaysThroughTheStage) {
    Open("in1=src;in2=src;src=tone:1000:12000");
    ui.fileAnswers.push_back(std::string(SONALYX_DATA_DIR) + "/tubes/300B.csv");
    RunModalCommand<CTubeAmpDlg>(*frame, ID_TUBE_AMP, [&](CTubeAmpDlg* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Virtual Tube"));
        EXPECT_EQ(dlg->findChild<QComboBox*>(QStringLiteral("device"))->currentText(),
                  QStringLiteral("2A3"));
        EXPECT_EQ(Text(dlg, "biasLabel"), QStringLiteral("設定電流(mA/球)"));
        EXPECT_FALSE(Field(dlg, "loadLower")->isEnabled());

        Choose(dlg, "device", 3); // My_Tube
        EXPECT_EQ(dlg->Panel().Device().name, "300B");
        EXPECT_EQ(Text(dlg, "loadUpper"), QStringLiteral("3"));
        EXPECT_EQ(Text(dlg, "supplyUpper"), QStringLiteral("450"));
        EXPECT_EQ(Text(dlg, "biasValueUpper"), QStringLiteral("60"));
        EXPECT_EQ(Text(dlg, "emaxUpper"), QStringLiteral("600"));
        Field(dlg, "power")->setText(QStringLiteral("2"));
        ClickButton(dlg, "compute");
        ASSERT_TRUE(dlg->Panel().IsComputed()) << ui.MessageTexts().back();
        EXPECT_EQ(Doc().disp_mode1, kind::TubeCharacteristics);
        EXPECT_EQ(Text(dlg, "resultLabel"), QStringLiteral("ｶｿｰﾄﾞ電流値"));
        EXPECT_TRUE(Text(dlg, "resultUpper").endsWith(QStringLiteral("mA")));
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_bRealBusy == 0; }));
        GrabTo(frame.get(), "tube-characteristics.png");
        GrabTo(dlg, "tube-panel.png");
        ExpectTidyLayout(dlg);

        Choose(dlg, "bias", 1);
        EXPECT_EQ(Text(dlg, "biasLabel"), QStringLiteral("Gﾊﾞｲｱｽ電圧(V/球)"));
        EXPECT_EQ(Text(dlg, "biasValueUpper"), QStringLiteral("-70"));
        EXPECT_FALSE(dlg->Panel().IsComputed());
        ClickButton(dlg, "compute");
        ASSERT_TRUE(dlg->Panel().IsComputed());

        for (bool through : {false, true}) {
            if (through) ClickButton(dlg, "through");
            std::vector<std::int16_t> played;
            dlg->Panel().Engine().SetPlayTap([&](const std::uint8_t* data, std::size_t bytes) {
                played.assign(bytes / 2, 0);
                std::memcpy(played.data(), data, bytes);
            });
            ClickButton(dlg, "on");
            ASSERT_TRUE(dlg->Panel().IsRunning());
            ASSERT_TRUE(RunEventsUntil([&] { return dlg->Panel().Engine().Stats().buffers >= 3; }));
            ClickButton(dlg, "stop");
            dlg->Panel().Engine().SetPlayTap(nullptr);
            ASSERT_EQ(played.size(), 2u * 4096);
            CTubeProcessor model;
            model.SetModel(dlg->Panel().Result().model);
            int changed = 0;
            for (int i = 0; i < 4096; ++i) {
                const double x = Doc().m_fWave1[i];
                const int want = through ? static_cast<int>(x)
                                         : SaturateToRange(model.Output(x, 32767.0), -32767, 32767);
                ASSERT_EQ(played[2 * i], want) << through << " " << i;
                if (played[2 * i] != static_cast<int>(x)) ++changed;
            }
            EXPECT_EQ(changed > 0, !through);
            if (!through) GrabTo(frame.get(), "tube-live.png");
        }

        ClickButton(dlg, "on");
        Choose(dlg, "circuit", 1);
        EXPECT_FALSE(dlg->Panel().IsRunning());
        EXPECT_EQ(ui.messages.back().text, "ﾓﾆﾀｰ動作を停止します");
        EXPECT_TRUE(Field(dlg, "loadLower")->isEnabled());
        Choose(dlg, "circuit", 2);
        EXPECT_EQ(dlg->findChild<QComboBox*>(QStringLiteral("bias"))->count(), 1);
        EXPECT_EQ(dlg->findChild<QComboBox*>(QStringLiteral("bias"))->currentText(),
                  QStringLiteral("定電流"));
        ClickButton(dlg, "sweepUp");
        ClickButton(dlg, "sweepUp");
        ClickButton(dlg, "sweepUp");
        EXPECT_EQ(Text(dlg, "sweep"), QStringLiteral("5ms/div"));
        ClickButton(dlg, "off");
    });
}
