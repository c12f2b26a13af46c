#include "AppTestSupport.h"

#include "app/CKymoView.h"
#include "app/CMainFrame.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "sound/qt/CSpecAnaDlg.h"
#include "sound/spectrum/SpecAnaPanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace cmd;

namespace {

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

void Click(QWidget* dlg, const char* name) {
    auto* button = dlg->findChild<QAbstractButton*>(QString::fromUtf8(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    button->click();
}

QString FieldText(QWidget* dlg, const char* name) {
    auto* edit = dlg->findChild<QLineEdit*>(QString::fromUtf8(name));
    return edit ? edit->text() : QStringLiteral("<missing>");
}

class SpecAnaDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestApp();
        ClearAppSettings();
        // The virtual card hears a 1 kHz tone on both inputs (half of it on the second) and a
        // little noise.
        StoreSoundDevice(
            QStringLiteral("virtual"),
            QStringLiteral("in1=src;in2=src;src=tone:1000:8000+noise:20:1;dut2=gain:0.5"));
        frame = std::make_unique<CMainFrame>(&ui);
        frame->resize(1000, 760);
        frame->show();
        frame->View().viewport()->installEventFilter(&counter);
    }
    CKymoDoc& Doc() { return frame->Document(); }
    // Runs the toolbar command; `drive` works the modal panel and closes it.
    void RunPanel(const std::function<void(CSpecAnaDlg*)>& drive) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<CSpecAnaDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            driven = true;
            drive(dlg);
            // A failed assertion left `drive` early: close the panel so that the command ends.
            if (dlg->isVisible()) dlg->reject();
        });
        frame->OnCommand(ID_SPECTRUM_ANALYZER_TB);
        ASSERT_TRUE(driven);
    }

    CScriptedUi ui;
    std::unique_ptr<CMainFrame> frame;
    PaintCounter counter;
};

} // namespace

// The panel on the virtual card in real time: the live spectrum is handed over and painted while
// the modal panel runs; averaging restarts the count; "保存" writes an "OPS2" file that reads back
// as the same spectrum; OFF leaves the last spectrum as kind 16.
TEST_F(SpecAnaDlgTest, RunsLiveOnTheVirtualCardAveragesSavesAndStops) {
    QTemporaryDir dir;
    const QString savePath = dir.filePath(QStringLiteral("live.opr"));
    ui.fileAnswers.push_back(savePath.toStdString());
    std::vector<float> savedSpectrum;

    RunPanel([&](CSpecAnaDlg* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("ｽﾍﾟｸﾄﾗﾑｱﾅﾗｲｻﾞｰ"));
        EXPECT_FALSE(dlg->windowFlags() & Qt::WindowSystemMenuHint);
        EXPECT_EQ(FieldText(dlg, "ch2Range"), QStringLiteral("1"));
        EXPECT_EQ(FieldText(dlg, "topLevel"), QStringLiteral("80"));
        EXPECT_FALSE(dlg->findChild<QAbstractButton*>(QStringLiteral("disp"))->isEnabled());

        Click(dlg, "on");
        EXPECT_TRUE(dlg->Panel().IsRunning());
        EXPECT_FALSE(dlg->findChild<QAbstractButton*>(QStringLiteral("on"))->isEnabled());
        EXPECT_TRUE(dlg->findChild<QAbstractButton*>(QStringLiteral("disp"))->isEnabled());
        // Every hand-over after the first needs a paint of the view to clear m_bRealBusy.
        const int paintsBefore = counter.paints;
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 5; }))
            << "updates " << Doc().m_nRealUpdates << ", paints " << counter.paints;
        EXPECT_GE(counter.paints - paintsBefore, 4);
        EXPECT_EQ(Doc().disp_mode1, kind::LiveSpectrum);
        EXPECT_GT(dlg->Panel().Engine().Stats().buffers, 0);

        frame->grab().save(QDir(GrabDir()).filePath(QStringLiteral("specana-live.png")));
        dlg->grab().save(QDir(GrabDir()).filePath(QStringLiteral("specana-panel.png")));

        // The spin buttons change the values at once.
        Click(dlg, "topLevelUp");
        EXPECT_EQ(FieldText(dlg, "topLevel"), QStringLiteral("90"));
        EXPECT_EQ(Doc().m_nTopLevel, 90);
        Click(dlg, "fixed");
        EXPECT_EQ(FieldText(dlg, "ch1Position"), QStringLiteral("Fix+"));
        EXPECT_EQ(FieldText(dlg, "ch2Position"), QStringLiteral("Fix-"));

        Click(dlg, "average");
        EXPECT_EQ(Doc().m_bAveraging, 1);
        EXPECT_LE(Doc().m_nRealUpdates, 1);
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 4; }));
        frame->grab().save(QDir(GrabDir()).filePath(QStringLiteral("specana-average.png")));

        Click(dlg, "save");
        EXPECT_FALSE(dlg->Panel().IsRunning());
        EXPECT_TRUE(dlg->findChild<QAbstractButton*>(QStringLiteral("on"))->isEnabled());
        savedSpectrum.assign(Doc().m_fRe.begin(), Doc().m_fRe.begin() + Doc().m_nPoints);
        dlg->grab().save(QDir(GrabDir()).filePath(QStringLiteral("specana-saved.png")));
        Click(dlg, "off");
    });

    EXPECT_EQ(Doc().disp_mode1, kind::Spectrum2);
    EXPECT_EQ(Doc().disp_mode3, 3);
    EXPECT_FALSE(Doc().HasWave()); // the capture area is released
    EXPECT_EQ(Doc().m_nCh1Position, 50);
    EXPECT_EQ(Doc().m_nTopLevelStep, 9);

    // The file holds what was shown when "保存" was pressed.
    CScriptedUi readUi;
    CKymoDoc read(readUi);
    ASSERT_TRUE(read.OnOpenDocument(savePath.toStdString()));
    EXPECT_EQ(read.disp_mode1, kind::Spectrum2);
    ASSERT_EQ(read.m_nPoints, 2048);
    int peak = 1;
    for (int k = 1; k < 1024; ++k) {
        ASSERT_FLOAT_EQ(read.m_fRe[k], savedSpectrum[k]) << k;
        if (read.m_fRe[k] > read.m_fRe[peak]) peak = k;
    }
    // 1 kHz at 48000 / 2048 Hz per bin.
    EXPECT_NEAR(peak, 1000.0 * 2048 / 48000, 1.0);
}

// Escape stops the engine before the panel closes, as OFF does.
TEST_F(SpecAnaDlgTest, EscapeActsAsOff) {
    RunPanel([&](CSpecAnaDlg* dlg) {
        Click(dlg, "on");
        ASSERT_TRUE(dlg->Panel().IsRunning());
        dlg->reject(); // Escape
        EXPECT_FALSE(dlg->Panel().IsRunning());
        EXPECT_FALSE(dlg->Panel().Engine().IsOpen());
    });
    EXPECT_FALSE(Doc().HasWave());
    EXPECT_TRUE(Doc().disp_mode1 == kind::None || Doc().disp_mode1 == kind::Spectrum2);
}

// The card disappears while running: the engine stops and says so, the panel offers ON again and
// stays usable.
TEST_F(SpecAnaDlgTest, LostDeviceStopsTheRunAndEnablesOnAgain) {
    ClearAppSettings();
    StoreSoundDevice(QStringLiteral("virtual"),
                     QStringLiteral("in1=src;in2=src;src=tone:1000:8000;fault=lose:0.3"));
    frame = std::make_unique<CMainFrame>(&ui);
    frame->show();
    RunPanel([&](CSpecAnaDlg* dlg) {
        Click(dlg, "on");
        ASSERT_TRUE(RunEventsUntil([&] { return !dlg->Panel().IsRunning(); }));
        EXPECT_FALSE(dlg->Panel().Engine().IsOpen());
        EXPECT_TRUE(dlg->findChild<QAbstractButton*>(QStringLiteral("on"))->isEnabled());
        EXPECT_FALSE(dlg->findChild<QAbstractButton*>(QStringLiteral("disp"))->isEnabled());
        Click(dlg, "off");
    });
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(
        ui.messages.back().text.rfind("サウンドカードとの接続が切れたので測定を停止しました。", 0),
        0u);
    EXPECT_FALSE(Doc().HasWave());
}
