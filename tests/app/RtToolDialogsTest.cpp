#include "AppTestSupport.h"

#include "app/CKymoView.h"
#include "app/CMainFrame.h"
#include "app/dialogs/CEasyRemezDlg.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "realtime/CascadeIirTool.h"
#include "realtime/FreeFilterTool.h"
#include "realtime/RtWindowFirTool.h"
#include "realtime/qt/CFreeFilterDlg.h"
#include "realtime/qt/CIirToolDlgs.h"
#include "realtime/qt/CRtFirDlg.h"
#include "utilities/Benchmark.h"
#include "utilities/qt/CBenchmarkDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMouseEvent>
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
}

void Grab(QWidget* w, const char* file) {
    w->grab().save(QDir(GrabDir()).filePath(QString::fromUtf8(file)));
}

void Mouse(QWidget* w, QEvent::Type type, double x, double y) {
    QMouseEvent e(type, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), Qt::LeftButton,
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

class RtToolDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestApp();
        ClearAppSettings();
        // Noise on both inputs, the second at half level with a delay of its own.
        StoreSoundDevice(QStringLiteral("virtual"),
                         QStringLiteral("in1=src;in2=src;src=noise:4000:3+tone:700:3000;"
                                        "dut2=gain:0.5,delay:11"));
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

// The Hamming-window tool runs on the virtual card in real time: the measured output spectrum
// is handed over and drawn; the design response replaces it on request; "終了" keeps it.
TEST_F(RtToolDialogsTest, FirToolRunsTheMonitorAndTheDesignResponse) {
    RunDialog<CRtFirDlg>(ID_RT_FIR_HAMMING, [&](CRtFirDlg* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("FIRﾌｨﾙﾀｰの設定(ﾘｱﾙﾀｲﾑ処理)"));
        EXPECT_EQ(dlg->FirTool().Window(), 3);
        Click(dlg, "start");
        ASSERT_TRUE(dlg->Tool().IsRunning()) << ::testing::PrintToString(ui.MessageTexts());
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 4; }));
        EXPECT_EQ(Doc().disp_mode1, kind::RtFilterRunning);
        Grab(frame.get(), "rtfir-monitor.png");
        Choose(dlg, "display", 0);
        EXPECT_EQ(Doc().disp_mode1, kind::RtFirDisplay);
        QApplication::processEvents();
        Grab(frame.get(), "rtfir-design.png");
        Grab(dlg, "rtfir-panel.png");
        Click(dlg, "stop");
    });
    EXPECT_EQ(Doc().disp_mode1, kind::RtFirDisplay);
    EXPECT_TRUE(ui.MessageTexts().empty()) << ::testing::PrintToString(ui.MessageTexts());
}

// The cascade tool: a band-pass design runs, the stage view shows stages 1 ... k and stage k
// alone, and with the op-amp realization the panel draws the stage's schematic.
TEST_F(RtToolDialogsTest, CascadeToolShowsStagesAndTheSchematic) {
    Doc().m_nFilterShape = 2;
    Doc().m_nIirOrder = 4;
    Doc().m_fCutLow = 500.0f;
    Doc().m_fCutHigh = 3000.0f;
    RunDialog<CCascadeIirDlg>(ID_RT_IIR_CASCADE, [&](CCascadeIirDlg* dlg) {
        Click(dlg, "start");
        ASSERT_TRUE(dlg->Tool().IsRunning()) << ::testing::PrintToString(ui.MessageTexts());
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 2; }));
        Choose(dlg, "display", 1);
        for (int i = 0; i < 3; ++i) Click(dlg, "stageUp");
        EXPECT_EQ(dlg->CascadeTool().Stage(), 4);
        EXPECT_EQ(Doc().disp_mode1, kind::FilterStages);
        EXPECT_EQ(Doc().m_nStageShown, 4);
        QApplication::processEvents();
        Grab(frame.get(), "cascade-stages-cumulative.png");
        Choose(dlg, "display", 2);
        QApplication::processEvents();
        Grab(frame.get(), "cascade-stage-single.png");
        Click(dlg, "realize");
        EXPECT_TRUE(dlg->CascadeTool().RealizationOn());
        EXPECT_GE(dlg->CascadeTool().Design().TableSet(), 3);
        Grab(dlg, "cascade-panel-schematic.png");
        Click(dlg, "stageDown");
        Grab(dlg->findChild<QWidget*>(QStringLiteral("picture")), "cascade-schematic-bpf.png");
        // A Butterworth low-pass: Sallen-Key stages, the realization kept.
        Choose(dlg, "kind", 0);
        Choose(dlg, "shape", 0);
        EXPECT_EQ(dlg->CascadeTool().Stage(), 1);
        EXPECT_TRUE(dlg->Tool().IsRunning());
        EXPECT_GE(dlg->CascadeTool().Design().TableSet(), 3);
        Grab(dlg->findChild<QWidget*>(QStringLiteral("picture")), "cascade-schematic-lpf.png");
        Choose(dlg, "kind", 2);
        Grab(dlg->findChild<QWidget*>(QStringLiteral("picture")), "cascade-schematic-notch.png");
        Click(dlg, "stop");
    });
    EXPECT_EQ(Doc().disp_mode1, kind::Transfer);
}

// The free-form tool: a response drawn with the mouse (flat, then a step down) is designed and
// runs; the drawing area and the peak meters are shown.
TEST_F(RtToolDialogsTest, FreeFormToolDrawsDesignsAndRuns) {
    RunDialog<CFreeFilterDlg>(ID_RT_FIR_FREE_FORM, [&](CFreeFilterDlg* dlg) {
        QWidget* area = dlg->Area();
        const double off = CFreeFilterDlg::kAreaOffset;
        const double y0 = freegrid::YOfLevel(0.0, 10.0, 100.0);
        const double y1 = freegrid::YOfLevel(-40.0, 10.0, 100.0);
        Mouse(area, QEvent::MouseMove, off + 50, y0);
        Click(dlg, "leftSide");
        EXPECT_TRUE(dlg->FreeTool().IsDrawing());
        Mouse(area, QEvent::MouseButtonPress, off + freegrid::XOfFrequency(1000), y0);
        Mouse(area, QEvent::MouseButtonPress, off + freegrid::XOfFrequency(2000), y1);
        Mouse(area, QEvent::MouseMove, off + 380, y1);
        Grab(dlg, "freeform-drawing.png");
        Click(dlg, "rightSide");
        ASSERT_TRUE(dlg->FreeTool().IsDesigned()) << ::testing::PrintToString(ui.MessageTexts());
        EXPECT_EQ(dlg->FreeTool().Points().size(), 4u);
        Click(dlg, "start");
        ASSERT_TRUE(dlg->Tool().IsRunning()) << ::testing::PrintToString(ui.MessageTexts());
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 4; }));
        dlg->Refresh();
        Grab(dlg, "freeform-panel.png");
        Grab(frame.get(), "freeform-monitor.png");
        Click(dlg, "stop");
    });
    EXPECT_EQ(Doc().disp_mode1, kind::RtFilterClosed);
}

TEST_F(RtToolDialogsTest, BenchmarkRunsAndShowsItsVerdict) {
    RunDialog<CBenchmarkDlg>(ID_BENCHMARK, [&](CBenchmarkDlg* dlg) {
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("ベンチマークテスト"));
        Click(dlg, "start");
        for (int i = 0; i < 5; ++i) dlg->OnTick();
        EXPECT_GT(dlg->Bench().Times().conv, 0.0);
        EXPECT_NE(dlg->Bench().Verdict(), BenchVerdict::Welcome);
        Grab(dlg, "benchmark.png");
        Click(dlg, "stop");
    });
}

// The easy Remez panel runs the sound of its designs: the common controls sit below it and the
// monitor is handed over while it runs; a setting change designs again in place.
TEST_F(RtToolDialogsTest, EasyRemezPanelRunsItsDesigns) {
    RunDialog<CEasyRemezDlg>(ID_RT_FIR_EASY_REMEZ, [&](CEasyRemezDlg* dlg) {
        ASSERT_TRUE(dlg->Start()) << ::testing::PrintToString(ui.MessageTexts());
        ASSERT_TRUE(RunEventsUntil([&] { return Doc().m_nRealUpdates >= 3; }));
        EXPECT_EQ(Doc().disp_mode1, kind::RtFilterRunning);
        Choose(dlg, "display", 0);
        EXPECT_EQ(Doc().disp_mode1, kind::RtFirDisplay);
        Grab(dlg, "easy-remez-panel.png");
        dlg->Stop();
    });
    EXPECT_EQ(Doc().m_nFirType, 5);
    EXPECT_TRUE(ui.MessageTexts().empty()) << ::testing::PrintToString(ui.MessageTexts());
}

// Every tool's command opens its panel; closing it without sound says so and changes the tool
// kind as the menu's check marks show.
TEST_F(RtToolDialogsTest, EveryToolOpensAndClosesIdle) {
    const struct {
        int command;
        const char* title;
    } cases[] = {
        {ID_RT_FIR_KAISER, "FIRﾌｨﾙﾀｰ(Kaiser窓)"},   {ID_RT_FIR_COEF, "係数ﾌｧｲﾙによるFIR処理"},
        {ID_RT_FIR_START, "係数ﾌｧｲﾙによるFIR処理"}, {ID_RT_IIR_BIQUAD, "IIRﾌｨﾙﾀｰの設定(Bi_Quad)"},
        {ID_RT_IIR_COEF, "係数ﾌｧｲﾙによるIIR処理"},  {ID_RT_IIR_START, "係数ﾌｧｲﾙによるIIR処理"}};
    for (const auto& c : cases) {
        ui.Clear();
        RunDialog<QDialog>(c.command, [&](QDialog* dlg) {
            EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8(c.title));
            dlg->reject();
        });
        EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"DSP処理はしないのですね！"})
            << c.title;
    }
    EXPECT_EQ(Doc().m_nFirType, 8);
    EXPECT_EQ(Doc().m_nIirType, 3);
}
