#include "resources/MenuLayout.h"

#include "document/CommandIds.h"

#include <initializer_list>

using namespace cmd;

namespace {

MenuItem Cmd(const char* text, int id, std::initializer_list<const char*> shortcuts = {}) {
    MenuItem item;
    item.kind = MenuItem::Kind::Command;
    item.text = text;
    item.id = id;
    item.shortcuts = shortcuts;
    return item;
}

MenuItem Sep() {
    MenuItem item;
    item.kind = MenuItem::Kind::Separator;
    return item;
}

MenuItem Recent() {
    MenuItem item;
    item.kind = MenuItem::Kind::RecentFiles;
    item.text = "最近使ったﾌｧｲﾙ";
    item.id = ID_FILE_MRU_FILE1;
    return item;
}

MenuItem Popup(const char* text, std::initializer_list<MenuItem> children) {
    MenuItem item;
    item.kind = MenuItem::Kind::Popup;
    item.text = text;
    item.children = children;
    return item;
}

// The channel selection appears twice: for the display and for the filters.
MenuItem ChannelPopup(const char* text) {
    return Popup(text, {
                           Cmd("ch1:選択表示(&A)", ID_CHANNEL_1),
                           Cmd("ch2:選択表示(&B)", ID_CHANNEL_2),
                           Cmd("両ch:選択表示(&C)", ID_CHANNEL_BOTH),
                       });
}

std::vector<MenuItem> BuildMenu() {
    return {
        Popup("ﾌｧｲﾙ(&F)",
              {
                  Cmd("新規作成(&N)\tCtrl+N", ID_FILE_NEW, {"Ctrl+N"}),
                  Cmd("開く(&O)...\tCtrl+O", ID_FILE_OPEN, {"Ctrl+O"}),
                  Cmd("上書き保存(&S)\tCtrl+S", ID_FILE_SAVE, {"Ctrl+S"}),
                  Cmd("名前を付けて保存(&A)...", ID_FILE_SAVE_AS),
                  Sep(),
                  Cmd("保存(*.opr,*.csv)(&A)", ID_SAVE_RESULT),
                  Cmd("*.csvｲﾝﾊﾟﾙｽ係数保存(&I)", ID_SAVE_IMPULSE_COEF),
                  Popup("エクスポート",
                        {
                            Cmd("FRD形式(*.frd)(&F)...", ID_EXPORT_FRD),
                            Cmd("REW形式ﾃｷｽﾄ(*.txt)(&R)...", ID_EXPORT_REW),
                            Cmd("ｲﾝﾊﾟﾙｽ応答WAV(*.wav)(&W)...", ID_EXPORT_IMPULSE_WAV),
                            Sep(),
                            Cmd("FIR係数ﾌｧｲﾙからｲﾝﾊﾟﾙｽ応答WAV(&T)...", ID_EXPORT_FIR_WAV),
                            Cmd("係数ﾌｧｲﾙからCﾍｯﾀﾞｰ(*.h)(&H)...", ID_EXPORT_HEADER),
                            Cmd("係数ﾌｧｲﾙからCﾍｯﾀﾞｰ:CMSIS-DSP順(&C)...", ID_EXPORT_HEADER_CMSIS),
                        }),
                  Sep(),
                  Cmd("印刷(&P)...\tCtrl+P", ID_FILE_PRINT, {"Ctrl+P"}),
                  Cmd("印刷ﾌﾟﾚﾋﾞｭｰ(&V)", ID_FILE_PRINT_PREVIEW),
                  Cmd("ﾌﾟﾘﾝﾀの設定(&R)...", ID_FILE_PRINT_SETUP),
                  Sep(),
                  Recent(),
                  Sep(),
                  Cmd("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", ID_APP_EXIT),
              }),
        Popup("編集(&E)",
              {
                  Cmd("元に戻す(&U)\tCtrl+Z", ID_EDIT_UNDO, {"Ctrl+Z", "Alt+Backspace"}),
                  Sep(),
                  Cmd("切り取り(&T)\tCtrl+X", ID_EDIT_CUT, {"Ctrl+X", "Shift+Del"}),
                  Cmd("ｺﾋﾟｰ(&C)\tCtrl+C", ID_EDIT_COPY, {"Ctrl+C", "Ctrl+Ins"}),
                  Cmd("貼り付け(&P)\tCtrl+V", ID_EDIT_PASTE, {"Ctrl+V", "Shift+Ins"}),
              }),
        Popup("表示(&V)",
              {
                  Cmd("ﾂｰﾙ ﾊﾞｰ(&T)", ID_VIEW_TOOLBAR),
                  Cmd("ｽﾃｰﾀｽ ﾊﾞｰ(&S)", ID_VIEW_STATUS_BAR),
              }),
        Popup("ﾌｧｲﾙ解析(&A)",
              {
                  Cmd("ｻﾝﾌﾟﾙ数(&L)", ID_SAMPLE_COUNT),
                  ChannelPopup("表示ﾁｬﾝﾈﾙ選択(&C)"),
                  Cmd("Waveの再描画(&U)", ID_BACK_TO_WAVE),
                  Sep(),
                  Cmd("FFT(&F)", ID_FFT),
                  Cmd("IFT(&I)", ID_IFT),
                  Sep(),
                  Cmd("ｽﾍﾟｱﾅ(&M)", ID_FILE_SPECTRUM),
                  Cmd("自己相関(&J)", ID_FILE_AUTOCORR),
                  Cmd("相互相関(&R)", ID_FILE_CROSSCORR),
                  Cmd("ｻｰﾎﾞｱﾅﾗｲｽﾞ(&S)", ID_FILE_SERVO),
                  Sep(),
                  Cmd("相関表示設定(&S)", ID_CORR_SETTINGS),
                  Cmd("ｵｼﾛ表示設定(&O)", ID_SCOPE_SETTINGS),
                  Sep(),
                  Cmd("再生(&P)", ID_PLAY),
                  Cmd("繰り返し再生(&K)", ID_PLAY_REPEAT),
                  Cmd("停止(&S)", ID_PLAY_STOP),
              }),
        Popup("窓関数(&M)",
              {
                  Cmd("Triangle(&T)", ID_WIN_TRIANGLE),
                  Cmd("Hanning(&H)", ID_WIN_HANNING),
                  Cmd("Hamming(&M)", ID_WIN_HAMMING),
                  Cmd("Blackman(&B)", ID_WIN_BLACKMAN),
                  Cmd("Kaiser(&K)", ID_WIN_KAISER),
                  Sep(),
                  Cmd("Without(&W)", ID_WIN_WITHOUT),
              }),
        Popup("結果の表示(&K)",
              {
                  Cmd("Real_Image(&R)", ID_VIEW_REAL_IMAGE),
                  Cmd("Mag_Phase(&M)", ID_VIEW_MAG_PHASE),
                  Cmd("Log_Mag(&G)", ID_VIEW_LOG_MAG),
                  Sep(),
                  Cmd("Log_Real(&L)", ID_VIEW_LOG_REAL),
                  Cmd("Niquest(&N)", ID_VIEW_NYQUIST),
                  Sep(),
                  Cmd("ｺﾋｰﾚﾝｽ表示(&C)", ID_VIEW_COHERENCE),
              }),
        Popup("ｻｰﾎﾞ計算用(&O)",
              {
                  Cmd("初期設定:ｹﾞｲﾝ(&G)", ID_INIT_GAIN),
                  Cmd("..............ﾌｧｲﾙから(&L)...", ID_INIT_FILE),
                  Cmd("ｲﾝﾊﾟﾙｽ(&P)", ID_IMPULSE),
                  Cmd("Tsp信号(&T)", ID_TSP),
                  Sep(),
                  Cmd("比例ｹﾞｲﾝ(&K)", ID_GAIN),
                  Cmd("積分(&I)", ID_INTEGRAL),
                  Cmd("微分(&D)", ID_DERIVATIVE),
                  Cmd("1次遅れ進み補償(&Q)", ID_LAG_LEAD),
                  Cmd("2次振動系ﾓﾃﾞﾙ(&F)", ID_RESONANCE),
                  Cmd("ﾌｧｲﾙから(&D)...", ID_COMBINE_FILE),
                  Sep(),
                  Cmd("開ﾙｰﾌﾟ計算(&OP)", ID_OPEN_LOOP),
                  Cmd("閉ﾙｰﾌﾟ計算(&CL)", ID_CLOSED_LOOP),
                  Cmd("逆数(&IV)", ID_INVERSE),
                  Sep(),
                  Cmd("結果のﾊﾞｯﾌｧｰ書き込み(&W)", ID_MEM_STORE),
                  Cmd("結果のﾊﾞｯﾌｧｰ読み出し(&V)", ID_MEM_RECALL),
                  Sep(),
                  Cmd("計算履歴の保存(&R)", ID_HISTORY_SAVE),
                  Sep(),
                  Popup("ｻｰﾎﾞﾁｯﾌﾟﾓﾃﾞﾙ(&M)",
                        {
                            Cmd("N2ODC(ｻｰﾎﾞ)(&BS)", ID_CHIP_N2ODC_SERVO),
                            Cmd("N2ODC(ﾄﾗﾊﾞｰｽ)(&ES)", ID_CHIP_N2ODC_TRAVERSE),
                            Cmd("振動検出ﾌｨﾙﾀｰ(&AS)", ID_CHIP_VIBRATION_FILTER),
                            Sep(),
                            Cmd("東芝(ｻｰﾎﾞ)(&BS)", ID_CHIP_TOSHIBA_SERVO),
                            Cmd("NEC(ｻｰﾎﾞ)(&BS)", ID_CHIP_NEC_SERVO),
                            Cmd("ﾒﾃﾞｨｱﾃｯｸ(ｻｰﾎﾞ)(&BS)", ID_CHIP_MEDIATEK_SERVO),
                        }),
              }),
        Popup("ﾌｨﾙﾀｰ処理(&F)",
              {
                  ChannelPopup("処理ﾁｬﾝﾈﾙ選択(&C)"),
                  Sep(),
                  Popup("FIRﾌｨﾙﾀｰ選択(&W)",
                        {
                            Cmd("Rectangular(&R)", ID_FILE_FIR_RECT),
                            Cmd("Bartlett(&B)", ID_FILE_FIR_BARTLETT),
                            Cmd("BlackmanOpt(&O)", ID_FILE_FIR_BLACKMAN_OPT),
                            Cmd("Hamming(&M)", ID_FILE_FIR_HAMMING),
                            Cmd("Hanning(&N)", ID_FILE_FIR_HANNING),
                            Cmd("Kaiser(&K)", ID_FILE_FIR_KAISER),
                            Cmd("Remez(&R)", ID_FILE_FIR_REMEZ),
                            Sep(),
                            Cmd("係数ﾌｧｲﾙ(&F)", ID_FILE_FIR_COEF),
                        }),
                  Popup("IIRﾌｨﾙﾀｰの選択(&I)",
                        {
                            Cmd("Bi_Quad_Filter(&B)", ID_FILE_IIR_BIQUAD),
                            Cmd("係数ﾌｧｲﾙ(&F)", ID_FILE_IIR_COEF),
                        }),
                  Sep(),
                  Cmd("係数転送(&K)", ID_COEF_TRANSFER),
                  Cmd("ﾌｨﾙﾀｰのﾍﾙﾌﾟ(&H)", ID_FILTER_HELP),
              }),
        Popup("測定解析(&S)",
              {
                  Cmd("ｽﾍﾟｱﾅ(&M)", ID_SPECTRUM_ANALYZER),
                  Cmd("ｻｰﾎﾞｱﾅﾗｲｽﾞ(&A)", ID_SERVO_ANALYZER),
                  Cmd("自己相関(&J)", ID_AUTOCORR_METER),
                  Cmd("相互相関(&R)", ID_CROSSCORR_METER),
                  Cmd("ｵｼﾛｽｺｰﾌﾟ(&O)", ID_OSCILLOSCOPE),
                  Sep(),
                  Popup("3Dｽﾍﾟｱﾅ(&3)",
                        {
                            Cmd("Linear表示(&L)", ID_SPECTRUM_3D_LINEAR),
                            Cmd("Log表示(&G)", ID_SPECTRUM_3D_LOG),
                        }),
                  Popup("信号発生(&G)",
                        {
                            Cmd("信号発生器(&G)", ID_SIGNAL_GENERATOR),
                        }),
                  Popup("ｵｰﾃﾞｨｵ(&U)",
                        {
                            Cmd("ｵｰﾃﾞｨｵ測定(&M)", ID_AUDIO_MEASUREMENT),
                            Cmd("仮想管(&S)", ID_TUBE_AMP),
                            Cmd("ｿﾌﾄｳｪｱ無線(&W)", ID_RADIO),
                        }),
              }),
        Popup("ﾘｱﾙFIR(&R)",
              {
                  Popup("ﾌｨﾙﾀｰの選択(&C)",
                        {
                            Cmd("Rectanguler(&R)", ID_RT_FIR_RECT),
                            Cmd("Bartlett(&B)", ID_RT_FIR_BARTLETT),
                            Cmd("BrackmanOpt(&O)", ID_RT_FIR_BLACKMAN_OPT),
                            Cmd("Hamming(&M)", ID_RT_FIR_HAMMING),
                            Cmd("Hanning(&N)", ID_RT_FIR_HANNING),
                            Cmd("Kaiser(&K)", ID_RT_FIR_KAISER),
                            Sep(),
                            Cmd("Easy Remez(&Z)", ID_RT_FIR_EASY_REMEZ),
                            Cmd("Remez(&X)", ID_RT_FIR_REMEZ),
                            Sep(),
                            Cmd("自在ﾌｨﾙﾀｰ(&I)", ID_RT_FIR_FREE_FORM),
                            Cmd("係数ﾌｧｲﾙ(&F)", ID_RT_FIR_COEF),
                            Cmd("適応[LMS]ﾌｨﾙﾀｰ(&L)", ID_RT_FIR_LMS),
                        }),
                  Cmd("ﾌｨﾙﾀｰﾘﾝｸﾞ開始(&S)", ID_RT_FIR_START),
              }),
        Popup("ﾘｱﾙIIR(&I)",
              {
                  Popup("ﾌｨﾙﾀｰの選択(&C)",
                        {
                            Cmd("Bi_Quad_Filter(&B)", ID_RT_IIR_BIQUAD),
                            Cmd("Cascade Filter(&C)", ID_RT_IIR_CASCADE),
                            Cmd("係数ﾌｧｲﾙ(&F)", ID_RT_IIR_COEF),
                        }),
                  Cmd("ﾌｨﾙﾀｰﾘﾝｸﾞ開始(&S)", ID_RT_IIR_START),
              }),
        Popup("オプション(&T)",
              {
                  Cmd("環境設定(&E)", ID_ENV_SETTINGS),
                  Cmd("ｵﾌｾｯﾄ調整(&F)", ID_OFFSET_ADJUST),
                  Cmd("サウンドデバイスの選択(&D)...", ID_SOUND_DEVICE),
                  Cmd("ｻｳﾝﾄﾞﾎﾞﾘｭｰﾑ(&V)", ID_SOUND_VOLUME),
                  Sep(),
                  Cmd("ﾍﾞﾝﾁﾏｰｸﾃｽﾄ(&B)", ID_BENCHMARK),
              }),
        Popup("ﾍﾙﾌﾟ(&H)",
              {
                  Cmd("Sonalyxﾏﾆｭｱﾙ(&M)", ID_MANUAL_MAIN),
                  Cmd("ｵｰﾃﾞｨｵﾏﾆｭｱﾙ(&S)", ID_MANUAL_AUDIO),
                  Cmd("仮想真空管ﾏﾆｭｱﾙ(&T)", ID_MANUAL_TUBE),
                  Cmd("東芝専用ﾏﾆｭｱﾙ(&E)", ID_MANUAL_TOSHIBA),
                  Cmd("Sonalyxﾃﾞﾓ(&D)", ID_DEMO),
                  Sep(),
                  Cmd("ﾊﾞｰｼﾞｮﾝ情報(Sonalyx)(&A)...", ID_APP_ABOUT),
              }),
    };
}

const char* FindIn(const std::vector<MenuItem>& items, int id) {
    for (const auto& item : items) {
        if (item.kind == MenuItem::Kind::Command && item.id == id) return item.text;
        if (item.kind == MenuItem::Kind::Popup)
            if (const char* found = FindIn(item.children, id)) return found;
    }
    return nullptr;
}

} // namespace

const std::vector<MenuItem>& MainMenuLayout() {
    static const std::vector<MenuItem> menu = BuildMenu();
    return menu;
}

const std::vector<int>& ToolbarLayout() {
    static const std::vector<int> buttons = {
        ID_INIT_FILE_TB,   ID_SAVE_RESULT_TB,    ID_FILE_PRINT,      kToolbarSeparator,
        ID_FILE_SERVO_TB,  ID_SAMPLE_COUNT_TB,   ID_BACK_TO_WAVE_TB, kToolbarSeparator,
        ID_GAIN_TB,        ID_INTEGRAL_TB,       ID_DERIVATIVE_TB,   kToolbarSeparator,
        ID_OPEN_LOOP_TB,   ID_CLOSED_LOOP_TB,    ID_INVERSE_TB,      kToolbarSeparator,
        ID_MEM_STORE_TB,   ID_MEM_RECALL_TB,     kToolbarSeparator,  ID_SPECTRUM_ANALYZER_TB,
        ID_SPECTRUM_3D_TB, ID_SERVO_ANALYZER_TB, ID_RT_FIR_START_TB, ID_SIGNAL_GENERATOR_TB,
        kToolbarSeparator, ID_BENCHMARK_TB,      ID_APP_ABOUT,
    };
    return buttons;
}

const char* FindMenuText(int commandId) {
    return FindIn(MainMenuLayout(), commandId);
}
