#pragma once

// Texts of the virtual tube amplifier.
namespace tubemsg {
// Tube-data files.
inline constexpr const char* kFormat = "書式(csvﾌｧｲﾙ)の整合がとれません";
inline constexpr const char* kCannotOpen = "ﾌｧｲﾙを開けません";
inline constexpr const char* kWriteFailed = "書き込みに失敗しました。";
inline constexpr const char* kWrongExtension =
    "拡張子が　*.csv　ではないですよ！  再入力して下さい";
inline constexpr const char* kReadFilter = "TubeData(*.csv)|*.csv||";
inline constexpr const char* kWriteFilter = "TubeData(*.csv)|.csv||";

// Device data.
inline constexpr const char* kLoadFailed =
    "ﾃﾞｰﾀｰの異常/ｷｬﾝｾﾙ/読み取りｴﾗｰ\nで仮想管のﾃﾞｰﾀｰ取得に失敗しました。";
inline constexpr const char* kUpperSupply = "上側球のﾌﾟﾚｰﾄ/供給電圧は正の値を入れて下さい。";
inline constexpr const char* kLowerSupply = "ﾌﾟﾚｰﾄ電圧は正の値を入れて下さい。";
inline constexpr const char* kDissipation = "ﾌﾟﾚｰﾄ最大損失は正の値を入れて下さい。";
inline constexpr const char* kCurrentScale = "ﾌﾟﾚｰﾄ電流は正の値を入れて下さい。";
inline constexpr const char* kFewCurves =
    "Ep_Ip線図の数が少な過ぎです。\n もう少し細かくﾌｧｲﾙ作成願います。";
inline constexpr const char* kGridNegative = "ｸﾞﾘｯﾄﾞ電圧の刻み、及び最大値は負の値を入れて下さい。";
inline constexpr const char* kLoad = "%sの負荷抵抗は正の値を入れて下さい。";
inline constexpr const char* kConstCurrent = "%sの定電流設定値(mA)は正の値を入れて下さい。";
inline constexpr const char* kBiasNegative = "%sのｸﾞﾘｯﾄﾞ/ｶｿｰﾄﾞﾊﾞｲｱｽ値は負の値を入れて下さい。";
inline constexpr const char* kFewCrossings =
    "Ep_Ip線図と負荷線図の交点が少ないため\n特性を確定できません。";
inline constexpr const char* kCurrentRange =
    "%sの定電流ﾊﾞｲｱｽの場合に電流設定値が\n　高い、若しくは低過ぎます。";
inline constexpr const char* kGridBiasRange =
    "%sのｸﾞﾘｯﾄﾞﾊﾞｲｱｽの場合に電圧設定値が\n　高い、若しくは低過ぎます。";
inline constexpr const char* kCathodeBiasRange =
    "%sのｶｿｰﾄﾞﾊﾞｲｱｽの場合に電圧設定値が\n　高い、若しくは低過ぎます。";
inline constexpr const char* kSteps = "Ip,Epｽﾃｯﾌﾟ数は2ｽﾃｯﾌﾟ以上にして下さい。";
inline constexpr const char* kLargestGrid = "最大ｸﾞﾘｯﾄﾞ表示電圧が大き過ぎます。";
inline constexpr const char* kGridMultiple =
    "最大ｸﾞﾘｯﾄﾞ表示電圧がｸﾞﾘｯﾄﾞｽﾃｯﾌﾟ電圧で割り切れませｎ。";
inline constexpr const char* kHighVoltage =
    "余計なお世話ですが、\n　電源電圧が高いため感電にご注意！！！";
inline constexpr const char* kCurrentWarning =
    "余計なお世話ですが、\n　%sの定電流設定値が大き過ぎ、または小さくありませんか？";
inline constexpr const char* kGridWarning =
    "余計なお世話ですが、\n　%sのｸﾞﾘｯﾄﾞ電圧設定値が大き過ぎ、または小さくありませんか？";
inline constexpr const char* kCathodeWarning =
    "余計なお世話ですが、\n　%sのｶｿｰﾄﾞ電圧設定値が大き過ぎ、または小さくありませんか？";
inline constexpr const char* kUpperName = "上側球";
inline constexpr const char* kLowerName = "下側球";

// Operating settings.
inline constexpr const char* kRate = "ｻﾝﾌﾟﾘﾝｸﾞ周波数設定に不正があります。";
inline constexpr const char* kWidth = "ﾋﾞｯﾄ幅の設定に不正があります。";
inline constexpr const char* kRangeL = "Lch表示ｹﾞｲﾝ設定に不正があります。";
inline constexpr const char* kRangeR = "Rch表示ｹﾞｲﾝ設定に不正があります。";
inline constexpr const char* kPosition = "Lch表示ｵﾌｾｯﾄ設定に不正があります。";
inline constexpr const char* kFixed = "Fixed Position設定に不正があります。";
inline constexpr const char* kThrough = "ｽﾙｰ設定に不正があります。";
inline constexpr const char* kCircuit = "仮想管の動作ﾓｰﾄﾞ設定に不正があります。";
inline constexpr const char* kBias = "ﾊﾞｲｱｽ方式の設定に不正があります。";
inline constexpr const char* kEpError = "Epの誤差設定に不正があります。";
inline constexpr const char* kIpError = "Ipの誤差設定に不正があります。";
inline constexpr const char* kSweep =
    "掃引時間が範囲内にありません\n(3⇒0.5ms/div)(4⇒1ms/div)(5⇒2ms/div)(6⇒5ms/div)";
inline constexpr const char* kTrigger = "ﾄﾘｶﾞｰﾁｬﾝﾈﾙはLch=0かRch=1のみの設定です";
inline constexpr const char* kReserved = "ﾘｻﾞｰﾌﾞ領域ですが '0' にして\nおいて欲しいものです。";

// Computation.
inline constexpr const char* kPositive = "設定値は正の値でお願いします。";
inline constexpr const char* kOutputFault = "設定出力に異常があります。設定を変えて見て下さい！";
inline constexpr const char* kFewPoints = "ﾃﾞｰﾀｰ点数が少ないため誤差が増大します";
inline constexpr const char* kNoSolution = "解の数が不足しています、\n　Ep_Ip線図を見直して下さい";
inline constexpr const char* kSingular = "解がおかしい！！";
inline constexpr const char* kBadDistortion = "始めから極悪歪です。(10%以上)";
inline constexpr const char* kFollower =
    "ｶｿｰﾄﾞ全帰還(ﾌｫﾛﾜｰ)になりそうなの\n　ﾊﾞｲｱｽ電圧を小さくして下さい...あしからず！";
inline constexpr const char* kOperatingPoint = "動作点電圧が異常です。見直してくれませんか？";
inline constexpr const char* kChartFault = "ｸﾞﾘｯﾄﾞ電圧か設定出力異常";

// Panel.
inline constexpr const char* kRunning = "測定中ですので終了させて下さい!";
inline constexpr const char* kNoPower =
    "どうしても御希望のﾊﾟﾜｰがとれません。\n　再計算するか設定を変えてみて下さい。";
inline constexpr const char* kNotRunning = "測定はしないのですね！";
inline constexpr const char* kMonitorStopped = "ﾓﾆﾀｰ動作を停止します";
inline constexpr const char* kRateTooLow = "仮想管ではFS=44.1kHz以上をｻﾎﾟｰﾄします";
inline constexpr const char* kWidthTooLow = "仮想管では16bit以上をｻﾎﾟｰﾄします";
inline constexpr const char* kInitFailed = "initRSound()でｴﾗｰです";
} // namespace tubemsg
