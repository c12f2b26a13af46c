#include "AppTestSupport.h"

#include "app/CMainFrame.h"
#include "document/CommandIds.h"
#include "document/ScriptedUi.h"
#include "resources/MenuLayout.h"

#include <QAction>
#include <QMenuBar>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace cmd;

namespace {

struct MenuCommand {
    int id;
    const char* text;
};

// Every menu command of the command table with its exact menu text.
const MenuCommand kMenuCommands[] = {
    {ID_FFT, "FFT(&F)"},
    {ID_IFT, "IFT(&I)"},
    {ID_WIN_TRIANGLE, "Triangle(&T)"},
    {ID_WIN_HANNING, "Hanning(&H)"},
    {ID_WIN_HAMMING, "Hamming(&M)"},
    {ID_WIN_BLACKMAN, "Blackman(&B)"},
    {ID_WIN_KAISER, "Kaiser(&K)"},
    {ID_WIN_WITHOUT, "Without(&W)"},
    {ID_SAMPLE_COUNT, "ｻﾝﾌﾟﾙ数(&L)"},
    {ID_CHANNEL_1, "ch1:選択表示(&A)"},
    {ID_CHANNEL_2, "ch2:選択表示(&B)"},
    {ID_CHANNEL_BOTH, "両ch:選択表示(&C)"},
    {ID_BACK_TO_WAVE, "Waveの再描画(&U)"},
    {ID_PLAY, "再生(&P)"},
    {ID_PLAY_REPEAT, "繰り返し再生(&K)"},
    {ID_PLAY_STOP, "停止(&S)"},
    {ID_IMPULSE, "ｲﾝﾊﾟﾙｽ(&P)"},
    {ID_TSP, "Tsp信号(&T)"},
    {ID_INIT_GAIN, "初期設定:ｹﾞｲﾝ(&G)"},
    {ID_INIT_FILE, "..............ﾌｧｲﾙから(&L)..."},
    {ID_GAIN, "比例ｹﾞｲﾝ(&K)"},
    {ID_INTEGRAL, "積分(&I)"},
    {ID_DERIVATIVE, "微分(&D)"},
    {ID_LAG_LEAD, "1次遅れ進み補償(&Q)"},
    {ID_RESONANCE, "2次振動系ﾓﾃﾞﾙ(&F)"},
    {ID_COMBINE_FILE, "ﾌｧｲﾙから(&D)..."},
    {ID_OPEN_LOOP, "開ﾙｰﾌﾟ計算(&OP)"},
    {ID_CLOSED_LOOP, "閉ﾙｰﾌﾟ計算(&CL)"},
    {ID_INVERSE, "逆数(&IV)"},
    {ID_MEM_STORE, "結果のﾊﾞｯﾌｧｰ書き込み(&W)"},
    {ID_MEM_RECALL, "結果のﾊﾞｯﾌｧｰ読み出し(&V)"},
    {ID_HISTORY_SAVE, "計算履歴の保存(&R)"},
    {ID_CHIP_N2ODC_SERVO, "N2ODC(ｻｰﾎﾞ)(&BS)"},
    {ID_CHIP_N2ODC_TRAVERSE, "N2ODC(ﾄﾗﾊﾞｰｽ)(&ES)"},
    {ID_CHIP_VIBRATION_FILTER, "振動検出ﾌｨﾙﾀｰ(&AS)"},
    {ID_CHIP_TOSHIBA_SERVO, "東芝(ｻｰﾎﾞ)(&BS)"},
    {ID_CHIP_NEC_SERVO, "NEC(ｻｰﾎﾞ)(&BS)"},
    {ID_CHIP_MEDIATEK_SERVO, "ﾒﾃﾞｨｱﾃｯｸ(ｻｰﾎﾞ)(&BS)"},
    {ID_SAVE_RESULT, "保存(*.opr,*.csv)(&A)"},
    {ID_SAVE_IMPULSE_COEF, "*.csvｲﾝﾊﾟﾙｽ係数保存(&I)"},
    {ID_EXPORT_FRD, "FRD形式(*.frd)(&F)..."},
    {ID_EXPORT_REW, "REW形式ﾃｷｽﾄ(*.txt)(&R)..."},
    {ID_EXPORT_IMPULSE_WAV, "ｲﾝﾊﾟﾙｽ応答WAV(*.wav)(&W)..."},
    {ID_EXPORT_FIR_WAV, "FIR係数ﾌｧｲﾙからｲﾝﾊﾟﾙｽ応答WAV(&T)..."},
    {ID_EXPORT_HEADER, "係数ﾌｧｲﾙからCﾍｯﾀﾞｰ(*.h)(&H)..."},
    {ID_EXPORT_HEADER_CMSIS, "係数ﾌｧｲﾙからCﾍｯﾀﾞｰ:CMSIS-DSP順(&C)..."},
    {ID_VIEW_COHERENCE, "ｺﾋｰﾚﾝｽ表示(&C)"},
    {ID_FILE_SPECTRUM, "ｽﾍﾟｱﾅ(&M)"},
    {ID_FILE_AUTOCORR, "自己相関(&J)"},
    {ID_FILE_CROSSCORR, "相互相関(&R)"},
    {ID_FILE_SERVO, "ｻｰﾎﾞｱﾅﾗｲｽﾞ(&S)"},
    {ID_CORR_SETTINGS, "相関表示設定(&S)"},
    {ID_SCOPE_SETTINGS, "ｵｼﾛ表示設定(&O)"},
    {ID_FILE_FIR_RECT, "Rectangular(&R)"},
    {ID_FILE_FIR_BARTLETT, "Bartlett(&B)"},
    {ID_FILE_FIR_BLACKMAN_OPT, "BlackmanOpt(&O)"},
    {ID_FILE_FIR_HAMMING, "Hamming(&M)"},
    {ID_FILE_FIR_HANNING, "Hanning(&N)"},
    {ID_FILE_FIR_KAISER, "Kaiser(&K)"},
    {ID_FILE_FIR_REMEZ, "Remez(&R)"},
    {ID_FILE_FIR_COEF, "係数ﾌｧｲﾙ(&F)"},
    {ID_FILE_IIR_BIQUAD, "Bi_Quad_Filter(&B)"},
    {ID_FILE_IIR_COEF, "係数ﾌｧｲﾙ(&F)"},
    {ID_FILTER_HELP, "ﾌｨﾙﾀｰのﾍﾙﾌﾟ(&H)"},
    {ID_RT_FIR_RECT, "Rectanguler(&R)"},
    {ID_RT_FIR_BARTLETT, "Bartlett(&B)"},
    {ID_RT_FIR_BLACKMAN_OPT, "BrackmanOpt(&O)"},
    {ID_RT_FIR_HAMMING, "Hamming(&M)"},
    {ID_RT_FIR_HANNING, "Hanning(&N)"},
    {ID_RT_FIR_KAISER, "Kaiser(&K)"},
    {ID_RT_FIR_EASY_REMEZ, "Easy Remez(&Z)"},
    {ID_RT_FIR_REMEZ, "Remez(&X)"},
    {ID_RT_FIR_FREE_FORM, "自在ﾌｨﾙﾀｰ(&I)"},
    {ID_RT_FIR_COEF, "係数ﾌｧｲﾙ(&F)"},
    {ID_RT_FIR_LMS, "適応[LMS]ﾌｨﾙﾀｰ(&L)"},
    {ID_RT_FIR_START, "ﾌｨﾙﾀｰﾘﾝｸﾞ開始(&S)"},
    {ID_RT_IIR_BIQUAD, "Bi_Quad_Filter(&B)"},
    {ID_RT_IIR_CASCADE, "Cascade Filter(&C)"},
    {ID_RT_IIR_COEF, "係数ﾌｧｲﾙ(&F)"},
    {ID_RT_IIR_START, "ﾌｨﾙﾀｰﾘﾝｸﾞ開始(&S)"},
    {ID_SPECTRUM_ANALYZER, "ｽﾍﾟｱﾅ(&M)"},
    {ID_SERVO_ANALYZER, "ｻｰﾎﾞｱﾅﾗｲｽﾞ(&A)"},
    {ID_AUTOCORR_METER, "自己相関(&J)"},
    {ID_CROSSCORR_METER, "相互相関(&R)"},
    {ID_OSCILLOSCOPE, "ｵｼﾛｽｺｰﾌﾟ(&O)"},
    {ID_SIGNAL_GENERATOR, "信号発生器(&G)"},
    {ID_SPECTRUM_3D_LINEAR, "Linear表示(&L)"},
    {ID_SPECTRUM_3D_LOG, "Log表示(&G)"},
    {ID_AUDIO_MEASUREMENT, "ｵｰﾃﾞｨｵ測定(&M)"},
    {ID_TUBE_AMP, "仮想管(&S)"},
    {ID_RADIO, "ｿﾌﾄｳｪｱ無線(&W)"},
    {ID_COEF_TRANSFER, "係数転送(&K)"},
    {ID_ENV_SETTINGS, "環境設定(&E)"},
    {ID_OFFSET_ADJUST, "ｵﾌｾｯﾄ調整(&F)"},
    {ID_SOUND_DEVICE, "サウンドデバイスの選択(&D)..."},
    {ID_SOUND_VOLUME, "ｻｳﾝﾄﾞﾎﾞﾘｭｰﾑ(&V)"},
    {ID_MANUAL_MAIN, "Sonalyxﾏﾆｭｱﾙ(&M)"},
    {ID_MANUAL_AUDIO, "ｵｰﾃﾞｨｵﾏﾆｭｱﾙ(&S)"},
    {ID_MANUAL_TUBE, "仮想真空管ﾏﾆｭｱﾙ(&T)"},
    {ID_MANUAL_TOSHIBA, "東芝専用ﾏﾆｭｱﾙ(&E)"},
    {ID_DEMO, "Sonalyxﾃﾞﾓ(&D)"},
    {ID_BENCHMARK, "ﾍﾞﾝﾁﾏｰｸﾃｽﾄ(&B)"},
    {ID_VIEW_REAL_IMAGE, "Real_Image(&R)"},
    {ID_VIEW_MAG_PHASE, "Mag_Phase(&M)"},
    {ID_VIEW_LOG_MAG, "Log_Mag(&G)"},
    {ID_VIEW_LOG_REAL, "Log_Real(&L)"},
    {ID_VIEW_NYQUIST, "Niquest(&N)"},
    {ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z"},
    {ID_EDIT_CUT, "切り取り(&T)\tCtrl+X"},
    {ID_EDIT_COPY, "ｺﾋﾟｰ(&C)\tCtrl+C"},
    {ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V"},
};

class MainFrameMenu : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestApp();
        ClearAppSettings();
    }
    CScriptedUi ui;
};

QStringList TopLevelTitles(QMenuBar& bar) {
    QStringList titles;
    for (QAction* a : bar.actions()) titles << a->text();
    return titles;
}

} // namespace

TEST_F(MainFrameMenu, EveryCommandOfTheTableIsInTheMenusWithItsText) {
    CMainFrame frame(&ui);
    for (const MenuCommand& c : kMenuCommands) {
        EXPECT_NE(FindMenuAction(*frame.menuBar(), c.id, QString::fromUtf8(c.text)), nullptr)
            << c.id << " " << c.text;
    }
}

TEST_F(MainFrameMenu, NamedPopupsArePresent) {
    CMainFrame frame(&ui);
    const QStringList top = TopLevelTitles(*frame.menuBar());
    for (const char* title :
         {"ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "ﾌｧｲﾙ解析(&A)", "窓関数(&M)", "結果の表示(&K)",
          "ｻｰﾎﾞ計算用(&O)", "ﾌｨﾙﾀｰ処理(&F)", "ﾘｱﾙFIR(&R)", "ﾘｱﾙIIR(&I)", "ﾍﾙﾌﾟ(&H)"})
        EXPECT_TRUE(top.contains(QString::fromUtf8(title))) << title;

    // The channel selection sits under both of its popups; the filter choices under theirs.
    QStringList subTitles;
    for (QMenu* menu : frame.menuBar()->findChildren<QMenu*>()) subTitles << menu->title();
    for (const char* title : {"表示ﾁｬﾝﾈﾙ選択(&C)", "処理ﾁｬﾝﾈﾙ選択(&C)", "FIRﾌｨﾙﾀｰ選択(&W)",
                              "IIRﾌｨﾙﾀｰの選択(&I)", "ﾌｨﾙﾀｰの選択(&C)", "エクスポート"})
        EXPECT_TRUE(subTitles.contains(QString::fromUtf8(title))) << title;
}

TEST_F(MainFrameMenu, ToolbarHoldsTheButtonsInOrderWithSeparators) {
    CMainFrame frame(&ui);
    std::vector<int> shown;
    for (QAction* action : frame.ToolBar().actions())
        shown.push_back(action->isSeparator() ? kToolbarSeparator : action->data().toInt());
    const std::vector<int> expected = {ID_INIT_FILE_TB,
                                       ID_SAVE_RESULT_TB,
                                       ID_FILE_PRINT,
                                       0,
                                       ID_FILE_SERVO_TB,
                                       ID_SAMPLE_COUNT_TB,
                                       ID_BACK_TO_WAVE_TB,
                                       0,
                                       ID_GAIN_TB,
                                       ID_INTEGRAL_TB,
                                       ID_DERIVATIVE_TB,
                                       0,
                                       ID_OPEN_LOOP_TB,
                                       ID_CLOSED_LOOP_TB,
                                       ID_INVERSE_TB,
                                       0,
                                       ID_MEM_STORE_TB,
                                       ID_MEM_RECALL_TB,
                                       0,
                                       ID_SPECTRUM_ANALYZER_TB,
                                       ID_SPECTRUM_3D_TB,
                                       ID_SERVO_ANALYZER_TB,
                                       ID_RT_FIR_START_TB,
                                       ID_SIGNAL_GENERATOR_TB,
                                       0,
                                       ID_BENCHMARK_TB,
                                       ID_APP_ABOUT};
    EXPECT_EQ(shown, expected);
    for (QAction* action : frame.ToolBar().actions()) {
        if (action->isSeparator()) continue;
        EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
        EXPECT_FALSE(action->toolTip().isEmpty()) << action->data().toInt();
        EXPECT_EQ(action->toolTip(), action->statusTip()) << action->data().toInt();
    }
    EXPECT_EQ(frame.ToolBar().iconSize(), QSize(20, 19));
}

TEST_F(MainFrameMenu, EveryActionHasAStatusPrompt) {
    CMainFrame frame(&ui);
    QList<QAction*> all = frame.menuBar()->findChildren<QAction*>();
    for (QMenu* menu : frame.menuBar()->findChildren<QMenu*>()) all += menu->actions();
    for (QAction* action : all) {
        if (action->isSeparator() || action->menu() || !action->data().isValid()) continue;
        EXPECT_FALSE(action->statusTip().isEmpty()) << action->text().toStdString();
    }
}

TEST_F(MainFrameMenu, FileShortcutsAreBound) {
    CMainFrame frame(&ui);
    EXPECT_EQ(frame.CommandAction(ID_FILE_OPEN)->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(frame.CommandAction(ID_FILE_SAVE)->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_TRUE(frame.CommandAction(ID_EDIT_PASTE)
                    ->shortcuts()
                    .contains(QKeySequence(QStringLiteral("Shift+Ins"))));
}
