#include "resources/CommandTexts.h"

#include "document/CommandIds.h"
#include "resources/MenuLayout.h"

using namespace cmd;

namespace {

struct Prompt {
    int id;
    const char* text;
};

constexpr Prompt kPrompts[] = {
    // Framework commands.
    {ID_FILE_NEW, "新規にﾌｧｲﾙを作成します"},
    {ID_FILE_OPEN, "既存のﾌｧｲﾙ(WAVE/測定ﾃﾞｰﾀｰ)を開きます"},
    {ID_FILE_CLOSE, "作業中のﾌｧｲﾙを閉じます"},
    {ID_FILE_SAVE, "WAVEﾌｧｲﾙを上書き保存します"},
    {ID_FILE_SAVE_AS, "WAVEﾌｧｲﾙに名前を付けて保存します"},
    {ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀと印刷ｵﾌﾟｼｮﾝの設定を変更します"},
    {ID_FILE_PRINT, "表示中のｸﾞﾗﾌを印刷します"},
    {ID_FILE_PRINT_PREVIEW, "印刷ｲﾒｰｼﾞを表示します"},
    {ID_FILE_MRU_FILE1, "このﾌｧｲﾙを開きます"},
    {ID_FILE_MRU_FILE1 + 1, "このﾌｧｲﾙを開きます"},
    {ID_FILE_MRU_FILE1 + 2, "このﾌｧｲﾙを開きます"},
    {ID_FILE_MRU_FILE1 + 3, "このﾌｧｲﾙを開きます"},
    {ID_EDIT_UNDO, "直前に行った動作を元に戻します"},
    {ID_EDIT_CUT, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに移動します"},
    {ID_EDIT_COPY, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存します"},
    {ID_EDIT_PASTE, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を挿入します"},
    {ID_APP_ABOUT, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝ、空きﾒﾓﾘｰを表示します"},
    {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝを終了します"},
    {ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰの表示/非表示を切り替えます"},
    {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示を切り替えます"},

    // Windows and transforms.
    {ID_WIN_TRIANGLE, "三角切りによる窓関数(測定の設定にも連動)"},
    {ID_WIN_HANNING, "ハニングによる窓関数(測定の設定にも連動)"},
    {ID_WIN_HAMMING, "ハミングによる窓関数(測定の設定にも連動）"},
    {ID_WIN_BLACKMAN, "ブラックマンによる窓関数(測定の設定にも連動)"},
    {ID_WIN_KAISER, "ｶｲｻﾞｰによる窓関数(β可変)"},
    {ID_WIN_WITHOUT, "窓関数をかけない(測定の設定にも連動)"},
    {ID_FFT, "高速フーリエ変換の実行"},
    {ID_IFT, "高速逆フーリエ変換の実行"},

    // Presentation of complex results.
    {ID_VIEW_REAL_IMAGE, "実（虚）軸の表示"},
    {ID_VIEW_MAG_PHASE, "振幅／位相の表示"},
    {ID_VIEW_LOG_MAG, "対数による振幅／位相の表示"},
    {ID_VIEW_LOG_REAL, "対数による実（虚）軸の表示：未対応"},
    {ID_VIEW_NYQUIST, "ナイキスト表示：未対応"},
    {ID_VIEW_COHERENCE, "伝達関数にｺﾋｰﾚﾝｽ(0～1)を重ねて表示します"},

    // Wave held in the document.
    {ID_SAMPLE_COUNT, "解析に使うｻﾝﾌﾟﾙ数(点数)の設定(測定の設定にも連動)"},
    {ID_SAMPLE_COUNT_TB, "ｻﾝﾌﾟﾙ数の設定"},
    {ID_CHANNEL_1, "ch1を選択して表示・処理します"},
    {ID_CHANNEL_2, "ch2を選択して表示・処理します"},
    {ID_CHANNEL_BOTH, "両chを選択して表示・処理します"},
    {ID_BACK_TO_WAVE, "読み込んだWave波形の表示に戻ります"},
    {ID_BACK_TO_WAVE_TB, "Wave波形の再描画"},
    {ID_PLAY, "読み込んだWaveを再生します"},
    {ID_PLAY_REPEAT, "読み込んだWaveを繰り返し再生します"},
    {ID_PLAY_STOP, "Waveの再生を停止します"},

    // Test signals.
    {ID_IMPULSE, "初期設定用としてｲﾝﾊﾟﾙｽ信号の作成"},
    {ID_TSP, "初期設定用としてTSP信号の作成"},

    // Servo-loop calculator.
    {ID_INIT_GAIN, "初期設定としてｹﾞｲﾝ1(0dB)を設定"},
    {ID_INIT_FILE, "初期設定としてReal/Imageﾃﾞｰﾀｰをﾌｧｲﾙから読み込む"},
    {ID_INIT_FILE_TB, "測定ﾃﾞｰﾀｰ(*.opr)の読み込み"},
    {ID_GAIN, "比例ｹﾞｲﾝ要素を演算します"},
    {ID_GAIN_TB, "比例ｹﾞｲﾝ"},
    {ID_INTEGRAL, "積分要素を演算します"},
    {ID_INTEGRAL_TB, "積分要素"},
    {ID_DERIVATIVE, "微分要素を演算します"},
    {ID_DERIVATIVE_TB, "微分要素"},
    {ID_LAG_LEAD, "1次遅れ進み補償要素を演算します"},
    {ID_RESONANCE, "2次振動系ﾓﾃﾞﾙを演算します"},
    {ID_COMBINE_FILE, "ﾌｧｲﾙから読み込んだReal/Imageﾃﾞｰﾀｰと演算します"},
    {ID_OPEN_LOOP, "閉ﾙｰﾌﾟ特性から開ﾙｰﾌﾟ特性を計算します"},
    {ID_OPEN_LOOP_TB, "開ﾙｰﾌﾟ計算"},
    {ID_CLOSED_LOOP, "開ﾙｰﾌﾟ特性から閉ﾙｰﾌﾟ特性を計算します"},
    {ID_CLOSED_LOOP_TB, "閉ﾙｰﾌﾟ計算"},
    {ID_INVERSE, "逆数(1/G)を計算します"},
    {ID_INVERSE_TB, "逆数(1/G)"},
    {ID_MEM_STORE, "計算結果をﾊﾞｯﾌｧｰに書き込みます"},
    {ID_MEM_STORE_TB, "結果のﾊﾞｯﾌｧｰ書き込み"},
    {ID_MEM_RECALL, "ﾊﾞｯﾌｧｰの内容と計算結果を演算します"},
    {ID_MEM_RECALL_TB, "結果のﾊﾞｯﾌｧｰ読み出し"},
    {ID_HISTORY_SAVE, "計算履歴をCSVﾌｧｲﾙに保存します"},

    // Servo-chip models.
    {ID_CHIP_N2ODC_SERVO, "ROHM N2ODCのｻｰﾎﾞ用ﾓﾃﾞﾙ(未開放)"},
    {ID_CHIP_N2ODC_TRAVERSE, "ROHM N2ODCのﾄﾗﾊﾞｰｽ用ﾓﾃﾞﾙ(未開放)"},
    {ID_CHIP_VIBRATION_FILTER, "振動検出ﾌｨﾙﾀｰのﾓﾃﾞﾙ(未開放)"},
    {ID_CHIP_TOSHIBA_SERVO, "東芝ｻｰﾎﾞ用ﾓﾃﾞﾙ(未開放)"},
    {ID_CHIP_NEC_SERVO, "NECｻｰﾎﾞ用ﾓﾃﾞﾙ(未開放)"},
    {ID_CHIP_MEDIATEK_SERVO, "ﾒﾃﾞｨｱﾃｯｸｻｰﾎﾞ用ﾓﾃﾞﾙ(未開放)"},

    // Results.
    {ID_SAVE_RESULT, "計算・測定結果を保存します(*.opr,*.csv)"},
    {ID_SAVE_RESULT_TB, "測定ﾃﾞｰﾀｰ(*.opr)の書き込み"},
    {ID_SAVE_IMPULSE_COEF, "ｲﾝﾊﾟﾙｽ応答をFIR係数としてCSVﾌｧｲﾙに保存します"},
    {ID_EXPORT_FRD, "周波数特性(伝達関数・ｽﾍﾟｱﾅ)をFRD形式で書き出します"},
    {ID_EXPORT_REW, "周波数特性をREWで読めるﾃｷｽﾄで書き出します"},
    {ID_EXPORT_IMPULSE_WAV, "伝達関数のｲﾝﾊﾟﾙｽ応答を32bit浮動小数点のWAVで書き出します"},
    {ID_EXPORT_FIR_WAV, "FIR係数ﾌｧｲﾙのﾀｯﾌﾟをWAVで書き出します(ｻﾝﾌﾟﾘﾝｸﾞ周波数はWaveと同じ)"},
    {ID_EXPORT_HEADER, "係数ﾌｧｲﾙを2次ｾｸｼｮﾝ(FIRはﾀｯﾌﾟ)のCﾍｯﾀﾞｰで書き出します"},
    {ID_EXPORT_HEADER_CMSIS, "係数ﾌｧｲﾙをCMSIS-DSPのBiquad順のCﾍｯﾀﾞｰで書き出します"},

    // File analyses.
    {ID_FILE_SPECTRUM, "Waveﾌｧｲﾙのｽﾍﾟｸﾄﾙを平均して求める"},
    {ID_FILE_AUTOCORR, "Waveﾌｧｲﾙの自己相関関数を平均して求める"},
    {ID_FILE_CROSSCORR, "Waveﾌｧｲﾙのch1/ch2の相互相関関数を平均して求める"},
    {ID_FILE_SERVO, "Waveﾌｧｲﾙのch1/ch2から伝達関数を求める"},
    {ID_FILE_SERVO_TB, "ﾌｧｲﾙによるｻｰﾎﾞｱﾅﾗｲｽﾞの開始"},
    {ID_CORR_SETTINGS, "相関関数の表示を設定します"},
    {ID_SCOPE_SETTINGS, "ｵｼﾛ波形の表示を設定します"},

    // Filtering of the wave held.
    {ID_FILE_FIR_RECT, "矩形窓のFIRﾌｨﾙﾀｰでWaveを処理します"},
    {ID_FILE_FIR_BARTLETT, "Bartlett窓のFIRﾌｨﾙﾀｰでWaveを処理します"},
    {ID_FILE_FIR_BLACKMAN_OPT, "BlackmanOpt窓のFIRﾌｨﾙﾀｰでWaveを処理します"},
    {ID_FILE_FIR_HAMMING, "Hamming窓のFIRﾌｨﾙﾀｰでWaveを処理します"},
    {ID_FILE_FIR_HANNING, "Hanning窓のFIRﾌｨﾙﾀｰでWaveを処理します"},
    {ID_FILE_FIR_KAISER, "Kaiser窓のFIRﾌｨﾙﾀｰでWaveを処理します"},
    {ID_FILE_FIR_REMEZ, "Remez法のFIRﾌｨﾙﾀｰでWaveを処理します"},
    {ID_FILE_FIR_COEF, "係数ﾌｧｲﾙのFIRﾌｨﾙﾀｰでWaveを処理します"},
    {ID_FILE_IIR_BIQUAD, "2次のIIRﾌｨﾙﾀｰ(Bi_Quad)でWaveを処理します"},
    {ID_FILE_IIR_COEF, "係数ﾌｧｲﾙのIIRﾌｨﾙﾀｰでWaveを処理します"},
    {ID_FILTER_HELP, "ﾌｨﾙﾀｰ特性のﾍﾙﾌﾟを表示します"},

    // Real-time FIR tools.
    {ID_RT_FIR_RECT, "矩形窓のFIRﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_FIR_BARTLETT, "Bartlett窓のFIRﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_FIR_BLACKMAN_OPT, "BlackmanOpt窓のFIRﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_FIR_HAMMING, "Hamming窓のFIRﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_FIR_HANNING, "Hanning窓のFIRﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_FIR_KAISER, "Kaiser窓のFIRﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_FIR_EASY_REMEZ, "Remez法(簡易設定)のFIRﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_FIR_REMEZ, "Remez法(詳細設定)のFIRﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_FIR_FREE_FORM, "自在ﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_FIR_COEF, "係数ﾌｧｲﾙのFIRﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_FIR_LMS, "適応(LMS)ﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_FIR_START, "選択したFIRﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理を開始します"},
    {ID_RT_FIR_START_TB, "ﾘｱﾙﾀｲﾑFIRﾌｨﾙﾀｰの起動"},

    // Real-time IIR tools.
    {ID_RT_IIR_BIQUAD, "2次のIIRﾌｨﾙﾀｰ(Bi_Quad)でﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_IIR_CASCADE, "縦続IIRﾌｨﾙﾀｰ(Cascade)でﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_IIR_COEF, "係数ﾌｧｲﾙのIIRﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理します"},
    {ID_RT_IIR_START, "選択したIIRﾌｨﾙﾀｰでﾘｱﾙﾀｲﾑ処理を開始します"},

    // Sound-card instruments.
    {ID_SPECTRUM_ANALYZER, "ｽﾍﾟｸﾄﾙｱﾅﾗｲｻﾞｰのﾓｰﾄﾞで測定"},
    {ID_SPECTRUM_ANALYZER_TB, "ｽﾍﾟｱﾅの起動"},
    {ID_SERVO_ANALYZER, "ﾗﾝﾀﾞﾑ/TSP信号などによる伝達関数測定"},
    {ID_SERVO_ANALYZER_TB, "サーボアナライザーの起動"},
    {ID_AUTOCORR_METER, "ch毎の自己相関関数を求める"},
    {ID_CROSSCORR_METER, "2chの間で相互相関関数を求める"},
    {ID_OSCILLOSCOPE, "簡易オシロとして使う"},
    {ID_SIGNAL_GENERATOR, "ｻｲﾝ、ﾗﾝﾀﾞﾑ信号、矩形などの信号発生器です"},
    {ID_SIGNAL_GENERATOR_TB, "信号発生器の動作開始"},
    {ID_SPECTRUM_3D_LINEAR, "周波数軸をﾘﾆｱにした3Dｽﾍﾟｸﾄﾙ測定"},
    {ID_SPECTRUM_3D_LOG, "周波数軸をﾛｸﾞにした3Dｽﾍﾟｸﾄﾙ測定"},
    {ID_SPECTRUM_3D_TB, "3Dｽﾍﾟｱﾅの起動"},
    {ID_AUDIO_MEASUREMENT, "ｵｰﾃﾞｨｵ性能を一気に測定します"},
    {ID_TUBE_AMP, "真空管ｱﾝﾌﾟを仮想的に鳴らします"},
    {ID_RADIO, "ｻｳﾝﾄﾞｶｰﾄﾞを利用してSSB,AM変復調するお遊び？"},
    {ID_COEF_TRANSFER, "RS232Cでﾌｨﾙﾀｰ係数をDSPﾎﾞｰﾄﾞへ転送します"},
    {ID_ENV_SETTINGS, "ﾟﾛｾｽ/ｽﾚｯﾄﾞの優先度やﾊﾞｯﾌｧｰ容量の設定"},
    {ID_OFFSET_ADJUST, "ｻｳﾝﾄﾞｶｰﾄﾞのｵﾌｾｯﾄを自動調整"},
    {ID_SOUND_DEVICE, "測定と再生に使うサウンドカード(仮想サウンドカードを含む)を選びます"},

    // Utilities and help.
    {ID_SOUND_VOLUME, "ｻｳﾝﾄﾞﾎﾞﾘｭｰﾑ(ﾐｷｻｰ)を起動します"},
    {ID_MANUAL_MAIN, "Sonalyxのﾏﾆｭｱﾙ(PDF)を開きます"},
    {ID_MANUAL_AUDIO, "ｵｰﾃﾞｨｵ測定のﾏﾆｭｱﾙ(PDF)を開きます"},
    {ID_MANUAL_TUBE, "仮想真空管のﾏﾆｭｱﾙ(PDF)を開きます"},
    {ID_MANUAL_TOSHIBA, "東芝専用ﾏﾆｭｱﾙ(未開放)"},
    {ID_DEMO, "Sonalyxのﾃﾞﾓ(HTML)を開きます"},
    {ID_BENCHMARK, "計算速度のﾍﾞﾝﾁﾏｰｸﾃｽﾄ"},
    {ID_BENCHMARK_TB, "ﾍﾞﾝﾁﾏｰｸﾃｽﾄ"},
};

} // namespace

const char* CommandPrompt(int commandId) {
    for (const auto& p : kPrompts)
        if (p.id == commandId) return p.text;
    return nullptr;
}

std::string PlainMenuText(const char* text) {
    std::string out;
    for (const char* p = text; *p && *p != '\t'; ++p) {
        if (*p == '&') {
            if (p[1] == '&') out += *++p;
            continue;
        }
        out += *p;
    }
    return out;
}

std::string NotBuiltMessage(int commandId) {
    const char* text = FindMenuText(commandId);
    if (!text) text = CommandPrompt(commandId);
    const std::string name = text ? PlainMenuText(text) : std::to_string(commandId);
    return "「" + name + "」の機能はまだ組み込まれていません";
}
