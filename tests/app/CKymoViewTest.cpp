#include "AppTestSupport.h"

#include "app/CKymoView.h"
#include "app/dialogs/CScalingDlg.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"
#include "view/ViewMessages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>

#include <gtest/gtest.h>

namespace {

class ViewHandlers : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestApp();
        view = std::make_unique<CKymoView>(doc);
        view->resize(800, 700);
    }

    void Drag(QPoint from, QPoint to) {
        view->OnLButtonDown(from);
        view->OnMouseMove((from + to) / 2, true, false);
        view->OnMouseMove(to, true, false);
        view->OnLButtonUp(to);
    }

    PanelRect Rect() const {
        return {doc.m_nGraphLeft, doc.m_nGraphRight, doc.m_nGraphLower, doc.m_nGraphUpper};
    }

    // A loaded stereo wave of `frames` frames; ch1 counts frames, ch2 is its negative.
    void LoadWave(int frames) {
        std::vector<int> samples;
        for (int f = 0; f < frames; ++f) {
            samples.push_back(f % 30000);
            samples.push_back(-(f % 30000));
        }
        ASSERT_TRUE(doc.LoadFromBytes(BuildWav(WavFormat{}, samples)));
        view->Grab(); // the first draw builds the envelope and the wave scale
    }

    std::vector<std::string> Messages() const { return ui.MessageTexts(); }

    CScriptedUi ui;
    CKymoDoc doc{ui};
    std::unique_ptr<CKymoView> view;
};

TEST_F(ViewHandlers, SmallDragsRestoreTheRectangle) {
    const PanelRect before = Rect();
    Drag({200, 100}, {230, 400});
    EXPECT_EQ(Rect().W(), before.W());
    EXPECT_EQ(Rect().H(), before.H());
    Drag({200, 100}, {600, 130});
    EXPECT_EQ(Rect().left, before.left);
    EXPECT_EQ(Rect().upper, before.upper);
    EXPECT_FALSE(view->LeftDrag());
}

TEST_F(ViewHandlers, LargeAndTinyDragsAreForcedIntoTheLimits) {
    Drag({50, 50}, {1250, 450});
    EXPECT_EQ(Rect().left, 50);
    EXPECT_EQ(Rect().W(), 1000);
    EXPECT_EQ(Rect().lower, -450);
    EXPECT_EQ(Rect().H(), 350);
    Drag({120, 80}, {180, 125});
    EXPECT_EQ(Rect().left, 120);
    EXPECT_EQ(Rect().W(), 100);
    EXPECT_EQ(Rect().lower, -125);
    EXPECT_EQ(Rect().H(), 50);
}

TEST_F(ViewHandlers, UpwardDragGivesTheSameRectangleAsTheDownwardOne) {
    Drag({90, 70}, {500, 330});
    const PanelRect down = Rect();
    Drag({500, 330}, {90, 70});
    const PanelRect up = Rect();
    EXPECT_EQ(down.left, up.left);
    EXPECT_EQ(down.right, up.right);
    EXPECT_EQ(down.lower, up.lower);
    EXPECT_EQ(down.upper, up.upper);
    EXPECT_EQ(up.lower, -330);
    EXPECT_EQ(up.upper, -70);
}

TEST_F(ViewHandlers, EachDragBlocksTheOther) {
    view->OnRButtonDown({200, 150});
    view->OnLButtonDown({100, 100});
    EXPECT_FALSE(view->LeftDrag());
    view->OnRButtonUp({210, 150}, false);
    EXPECT_EQ(view->CursorX(), 210);
    view->OnLButtonDown({100, 100});
    view->OnRButtonDown({200, 150});
    EXPECT_FALSE(view->RightDrag());
    view->OnLButtonUp({101, 101});
}

TEST_F(ViewHandlers, CutsAreRefusedWhenTheWindowIsWiderThanTheRecording) {
    doc.SetPow(8); // N = 32768
    LoadWave(20000);
    for (int x : {100, 150, 300, 440}) {
        ui.messages.clear();
        view->OnRButtonDblClk({x, 150});
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], viewmsg::kCursorOutside);
        EXPECT_EQ(doc.disp_mode1, kind::Wave);
    }
}

TEST_F(ViewHandlers, CutAtTheLeftEdgeStartsAtFrameZero) {
    LoadWave(4096);
    view->OnRButtonDblClk({100, 150});
    EXPECT_EQ(Messages().back(), viewmsg::kCursorInside);
    EXPECT_EQ(doc.disp_mode1, kind::CutTwoChannels);
    EXPECT_EQ(doc.m_nWindowType, 7);
    EXPECT_FLOAT_EQ(doc.m_fWave1[0], 0);
    EXPECT_FLOAT_EQ(doc.m_fWave1[5], 5);
    EXPECT_FLOAT_EQ(doc.m_fWork2[5], -5);
    EXPECT_FLOAT_EQ(doc.m_fDt, doc.m_fWaveDt);
    EXPECT_FLOAT_EQ(view->State().scales.m_fMaxWave, 2047);
}

TEST_F(ViewHandlers, WindowEndingExactlyAtTheRightEdgeIsAcceptedAndOneUnitMoreIsNot) {
    LoadWave(4096); // N = 2048: the window is 170 units wide
    view->OnRButtonDblClk({271, 150});
    EXPECT_EQ(Messages().back(), viewmsg::kCursorOutside);
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
    view->OnRButtonDblClk({270, 150});
    EXPECT_EQ(Messages().back(), viewmsg::kCursorInside);
    EXPECT_EQ(doc.disp_mode1, kind::CutTwoChannels);
    EXPECT_FLOAT_EQ(doc.m_fWave1[0], 2048);
    EXPECT_FLOAT_EQ(doc.m_fWave1[2047], 4095);
}

TEST_F(ViewHandlers, CtrlReleaseCutsWithoutDoubleClick) {
    LoadWave(4096);
    view->OnRButtonDown({150, 150});
    view->OnMouseMove({185, 150}, false, true);
    const QImage withCursor = view->Grab();
    SaveImageToGallery(withCursor, "kind3_cut_cursor.png");
    view->OnRButtonUp({185, 150}, true);
    EXPECT_FALSE(view->RightDrag());
    EXPECT_EQ(doc.disp_mode1, kind::CutTwoChannels);
    EXPECT_FLOAT_EQ(doc.m_fWave1[0], 1024); // 85 · 4096 / 340
    // While the button was held, the cursor's rectangle stood over the upper panel.
    EXPECT_NE(withCursor.pixel(186, 150), withCursor.pixel(184, 150));
}

TEST_F(ViewHandlers, ReleaseWithoutCtrlOnlyMovesTheCursor) {
    LoadWave(4096);
    view->OnRButtonDown({150, 150});
    view->OnRButtonUp({160, 150}, false);
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
    EXPECT_EQ(view->CursorX(), 160);
}

TEST_F(ViewHandlers, SecondChannelAloneIsCutIntoTheFirstChannelBuffers) {
    LoadWave(4096);
    doc.OnSelectChannel(2);
    view->Grab();
    view->OnRButtonDblClk({100, 150});
    EXPECT_EQ(doc.disp_mode1, kind::CutOneChannel);
    EXPECT_FLOAT_EQ(doc.m_fWave1[7], -7);
    EXPECT_FLOAT_EQ(doc.m_fWork1[7], -7);
}

TEST_F(ViewHandlers, PresentationCommandsOnlyActOnComplexResults) {
    doc.disp_mode1 = kind::CutOneChannel;
    doc.disp_mode2 = present::LogMagAuto;
    view->OnRealImage();
    EXPECT_EQ(doc.disp_mode2, present::LogMagAuto);
    doc.disp_mode1 = kind::Spectrum;
    view->OnMagPhase();
    EXPECT_EQ(doc.disp_mode2, present::MagPhase);
    view->OnRealImage();
    EXPECT_EQ(doc.disp_mode2, present::RealImag);
    view->OnUnsupportedPresentation();
    EXPECT_EQ(Messages().back(), viewmsg::kUnderConstruction);
    EXPECT_EQ(doc.disp_mode2, present::RealImag);
}

TEST_F(ViewHandlers, ManualScalingKeepsTheEnteredRangeUntilAutoIsChosen) {
    doc.disp_mode1 = kind::Spectrum;
    for (int i = 1; i < 1024; ++i) doc.m_fRe[i] = 1000.0f / i;
    CScalingDlg dlg(LogMagStartValues(view->State()));
    dlg.ChooseManual(0, 60, 1);
    ApplyLogMagChoice(doc, view->State(), dlg.Choice(true));
    EXPECT_EQ(doc.disp_mode2, present::LogMagManual);
    view->Grab();
    EXPECT_FLOAT_EQ(view->State().scales.m_fTopDb, 0);
    EXPECT_FLOAT_EQ(view->State().scales.m_fBottomDb, -60);
    EXPECT_EQ(view->State().m_nPhaseMode, 1);

    // Cancel, or OK with Auto, returns to the automatic scale.
    ApplyLogMagChoice(doc, view->State(), dlg.Choice(false));
    EXPECT_EQ(doc.disp_mode2, present::LogMagAuto);
    dlg.ChooseAuto();
    ApplyLogMagChoice(doc, view->State(), dlg.Choice(true));
    EXPECT_EQ(doc.disp_mode2, present::LogMagAuto);
    view->OnUpdate();
    view->Grab();
    EXPECT_NEAR(view->State().scales.m_fTopDb, 60, 1e-3);
}

TEST_F(ViewHandlers, ReadoutCursorShowsLevelAndPhaseOfTheBin) {
    doc.disp_mode1 = kind::Spectrum;
    doc.disp_mode2 = present::LogMagAuto;
    doc.m_fDt = 1.0f / 48000;
    for (int i = 0; i < 2048; ++i) doc.m_fWork1[i] = (i % 64) - 32.0f;
    for (int k = 1; k < 1024; ++k) doc.m_fRe[k] = 100.0f / k;
    doc.m_fIm[64] = 100.0f / 64;
    // Bin 64 (1.5 kHz) lies at x = 100 + (log10(1500) - 1)·85.
    const int x = 285;
    view->OnRButtonDown({x, 400});
    const QImage image = view->Grab();
    SaveImageToGallery(image, "kind2_readout.png");
    view->OnRButtonUp({x, 400}, false);
    const QImage after = view->Grab();
    // The cursor line stood over the lower panel and is gone after the release.
    EXPECT_NE(image.pixel(x, 420), after.pixel(x, 420));
    EXPECT_EQ(doc.disp_mode1, kind::Spectrum);
}

TEST_F(ViewHandlers, PrintsToAPdfFile) {
    LoadWave(4096);
    TempDir dir;
    const QString path = QString::fromStdString(dir.Path("view.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    view->PrintDocument(printer);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_GT(file.size(), 1000);
    EXPECT_TRUE(file.read(4) == "%PDF");
}

TEST_F(ViewHandlers, DocumentUpdatesRedrawTheView) {
    EXPECT_EQ(CKymoView::ViewOf(doc), view.get());
    doc.disp_mode1 = kind::Spectrum;
    doc.UpdateAllViews();
    QCoreApplication::processEvents();
    // An all-zero spectrum: the warning is shown once, not again on the next paint.
    view->Grab();
    QCoreApplication::processEvents();
    view->Grab();
    QCoreApplication::processEvents();
    int count = 0;
    for (const auto& m : ui.messages) {
        if (m.text != viewmsg::kNoFft) continue;
        ++count;
        EXPECT_EQ(m.caption, "注意メッセージ");
    }
    EXPECT_EQ(count, 1);
}

// The cut messages of the view carry the caption "注意メッセージ".
TEST_F(ViewHandlers, CutMessagesCarryTheCaption) {
    LoadWave(4096);
    ui.messages.clear();
    view->OnRButtonDblClk({271, 150});
    view->OnRButtonDblClk({270, 150});
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, viewmsg::kCursorOutside);
    EXPECT_EQ(ui.messages[1].text, viewmsg::kCursorInside);
    for (const auto& m : ui.messages) EXPECT_EQ(m.caption, "注意メッセージ");
}

} // namespace
