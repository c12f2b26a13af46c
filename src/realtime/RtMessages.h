#pragma once

// Message texts of the real-time filter tools, exactly as shown. "%d" as in FormatCount.
namespace rtmsg {
inline constexpr const char* kNoDsp = "DSP処理はしないのですね！";
inline constexpr const char* kNoCoefficients =
    "係数の準備ができていません。\n　処理を「開始」して下さい";
inline constexpr const char* kStartFirst = "開始してからにして下さい！";
inline constexpr const char* kStartBeforeChoosing = "開始してから選択して下さい！";
// Kaiser tool.
inline constexpr const char* kKaiserLowNyquist =
    "低域のｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません";
inline constexpr const char* kKaiserHighNyquist =
    "高域のｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません";
inline constexpr const char* kKaiserTransition = "遷移帯域幅は0Hz以外の正の周波数を入れて下さい。";
inline constexpr const char* kKaiserCutPositive = "ｶｯﾄｵﾌは正の周波数を入れて下さい。";
inline constexpr const char* kKaiserBandOrder =
    "低域ｶｯﾄｵﾌ周波数+遷移周波数 < 高域ｶｯﾄｵﾌ周波数になるよう設定して下さい。";
inline constexpr const char* kKaiserAtten = "10～90dBの範囲で設定して下さい";
// Formatted with the limit 4096, then the tap count.
inline constexpr const char* kKaiserTooManyTaps =
    "最大ﾀｯﾌﾟ数は%dですので遷移周波数を広くするか減衰量を小さくしてから開始して下さい。...(ﾀｯﾌﾟ数=%"
    "d)";
// Coefficient-file FIR tool.
inline constexpr const char* kFirReadStops =
    "測定は読み出しのため停止します。\n　*.csvファイルを読み出します。";
inline constexpr const char* kIirFileGiven = "IIRの係数を読み出していませんか？";
inline constexpr const char* kNoFileRead = "係数ﾌｧｲﾙが読み込まれていません！";
inline constexpr const char* kDivideByZero = "0で除算？";
inline constexpr const char* kMinMaxFailed = "min,max検出で異常発生";
inline constexpr const char* kInverseFailed = "逆ﾌｨﾙﾀｰ計算でｴﾗｰ発生";
inline constexpr const char* kForwardFailed = "順ﾌｨﾙﾀｰ計算でｴﾗｰ発生";
inline constexpr const char* kChooseExtension = "拡張子を指定して下さい(*.opr|*.csv)";
// Biquad tool.
inline constexpr const char* kBiquadGainRange =
    "ゲインが高いか低過ぎです-20～20dBの範囲にして下さい。";
// Cascade and coefficient-file IIR tools.
inline constexpr const char* kIirReadPauses =
    "測定は読み出しのため一時中断します。\n　*.csvファイルを読み出します。";
inline constexpr const char* kSlowStopSelect =
    "鈍足ﾊﾟｿｺﾝ対応のためにｻｳｳﾝﾄﾞ動作を停止します。\n「開始」ﾎﾞﾀﾝにて動作を再開させて下さい";
inline constexpr const char* kSlowStopSpin = "鈍足ﾊﾟｿｺﾝ対応のためにｻｳｳﾝﾄﾞ動作を停止します。\n"
                                             "設定後は「開始」ﾎﾞﾀﾝにて動作を再開させて下さい";
// A cut-off slider whose design cannot be reached at any lower position.
inline constexpr const char* kSliderNoDesign =
    "これ以上は係数を算出できません。元の設定に戻します。";
// Free-form tool.
inline constexpr const char* kTooManyPoints =
    "周波数設定ﾎﾟｲﾝﾄ数が多過ぎます。\n　もう一度設定願います...";
inline constexpr const char* kNotDrawing =
    "まだ開始してないようです。\n　左側のｽﾀｰﾄﾊﾞｰから開始して下さい。";
inline constexpr const char* kFreeNoDesign =
    "係数の準備ができていません。\n　ﾌｨﾙﾀｰ自由自在ｸﾞﾗﾌでﾚﾍﾞﾙ設定をして下さい。";
inline constexpr const char* kFreeTapRange = "32～2048までのﾀｯﾌﾟ数でお願いします。";
inline constexpr const char* kIdftInitFailed = "IDFTのInitで失敗";
// LMS tool.
inline constexpr const char* kLmsMuChanged = "μ値は適正な値に変更されます。";
inline constexpr const char* kLmsDelayRange = "タップ遅延は±%dまでとして下さい。";
} // namespace rtmsg
