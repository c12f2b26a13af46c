#include "AppTestSupport.h"

#include "app/CMainFrame.h"
#include "app/dialogs/CSampleCountDlg.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include <gtest/gtest.h>

using namespace cmd;

namespace {

class WaveHandlers : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestApp();
        ClearAppSettings();
        frame = std::make_unique<CMainFrame>(&ui);
        ASSERT_TRUE(frame->OpenDocumentFile(WriteTestWav("stereo.wav", 2)));
        ui.Clear();
    }
    CKymoDoc& Doc() { return frame->Document(); }

    CScriptedUi ui;
    std::unique_ptr<CMainFrame> frame;
};

// Answers the next modal sample-count dialog with `index`, recording its preselection.
void AnswerSampleCount(int index, int* preselected) {
    QTimer::singleShot(0, [=] {
        auto* dlg = qobject_cast<CSampleCountDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        *preselected = dlg->Pow();
        EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8("ｻﾝﾌﾟﾙ数の設定"));
        EXPECT_EQ(dlg->List().count(), 9);
        EXPECT_EQ(dlg->List().itemText(8), QString::fromUtf8("32768点"));
        if (index < 0) {
            dlg->reject();
        } else {
            dlg->SetPow(index);
            dlg->accept();
        }
    });
}

} // namespace

TEST_F(WaveHandlers, SampleCountDialogSetsThePointCount) {
    int preselected = -1;
    AnswerSampleCount(8, &preselected);
    frame->OnCommand(ID_SAMPLE_COUNT);
    EXPECT_EQ(preselected, 4);
    EXPECT_EQ(Doc().m_nPow, 8);
    EXPECT_EQ(Doc().m_nPoints, 32768);

    AnswerSampleCount(-1, &preselected); // cancel from the toolbar
    frame->OnCommand(ID_SAMPLE_COUNT_TB);
    EXPECT_EQ(preselected, 8);
    EXPECT_EQ(Doc().m_nPoints, 32768);
}

TEST_F(WaveHandlers, ChannelSelectionAndBackToWave) {
    frame->OnCommand(ID_CHANNEL_2);
    EXPECT_EQ(Doc().disp_mode3, 2);
    EXPECT_TRUE(frame->CommandAction(ID_CHANNEL_2)->isChecked());
    EXPECT_FALSE(frame->CommandAction(ID_CHANNEL_BOTH)->isChecked());

    Doc().disp_mode1 = kind::FilterResult;
    Doc().disp_mode3 = 13;
    Doc().UpdateAllViews();
    frame->OnCommand(ID_BACK_TO_WAVE_TB);
    EXPECT_EQ(Doc().disp_mode1, kind::Wave);
    EXPECT_EQ(Doc().disp_mode3, 3);
    EXPECT_FALSE(frame->CommandAction(ID_BACK_TO_WAVE)->isEnabled());
}

TEST_F(WaveHandlers, PlayWithoutOutputReportsFailureRepeatStaysQuiet) {
    frame->OnCommand(ID_PLAY);
    ASSERT_EQ(ui.MessageTexts(), std::vector<std::string>{"再生に失敗しました！"});
    ui.Clear();
    frame->OnCommand(ID_PLAY_REPEAT);
    frame->OnCommand(ID_PLAY_STOP);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(WaveHandlers, ServoChipEntriesSayNotOpen) {
    Doc().disp_mode1 = kind::Transfer;
    Doc().UpdateAllViews();
    frame->OnCommand(ID_CHIP_NEC_SERVO);
    frame->OnCommand(ID_CHIP_MEDIATEK_SERVO);
    frame->OnCommand(ID_CHIP_TOSHIBA_SERVO); // always disabled
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"ここは開放しておりません", "ここは開放しておりません"}));
}

TEST_F(WaveHandlers, ManualNotFoundNextToTheProgram) {
    frame->OnCommand(ID_MANUAL_TUBE);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "VTube_Manual.pdf(ﾏﾆｭｱﾙ)がSonalyx.exeのあるﾃﾞｨﾚｸﾄﾘｰに存在していません");
}
