#pragma once

#include <string>

// Message texts of the filter design tools, coefficient files and the file filter, exactly as
// the program shows them. "%d" marks where FormatCount puts a number.
namespace fmsg {
inline constexpr const char* kFormatMismatch = "書式(csvﾌｧｲﾙ)の整合がとれません";
inline constexpr const char* kFirTapsWin = "実際にあったFIRﾀｯﾌﾟ数を優先します";
inline constexpr const char* kIirOrderWins =
    "次数とデーター個数の不整合です。\n実際にあった次数を優先します";
inline constexpr const char* kNotIirFile = "異なる形式です。(FIRの係数ではありませんか？)";
inline constexpr const char* kAnalogOrder =
    "z式とs式の次数が不整合です。\n zの次数にてそのまま進めます。";
inline constexpr const char* kFirTooManyTaps = "FIRﾀｯﾌﾟ数=%dが大き過ぎです";
inline constexpr const char* kIirOrderTooLarge = "IIR次数が大き過ぎです、%dを越えました。";
inline constexpr const char* kFirFileTooLong =
    "ﾌｧｲﾙが大き過ぎです、%d行を越えました。ｺﾒﾝﾄが多過ぎか'END_ALL'記述がないのでは。";
inline constexpr const char* kIirFileTooLong =
    "ﾌｧｲﾙが大き過ぎです、%d行を越えました。\nｺﾒﾝﾄが多過ぎ、FIRのﾌｧｲﾙ、'END_ALL'"
    "記述がない等なのでは。";
inline constexpr const char* kCannotOpen = "ﾌｧｲﾙを開けません";
inline constexpr const char* kCsvExtension = "拡張子が　*.csv　ではないですよ！  再入力して下さい";
inline constexpr const char* kFirRemark =
    "以上が倍精度計算結果のFIR係数ですので自由に加工してみて下さい。,";
inline constexpr const char* kEndIir =
    "END_IIR,(b0+b1(z^-1)+b2(z^-2))/(a0+a1(z^-1)+a2(z^-2))  (aは帰還側分母、bは順方向分子),";
inline constexpr const char* kEndAna =
    "END_ANA,(b0+b1(s)+b2(s^2))/(a0+a1(s)+a2(s^2))  (aは帰還側分母、bは順方向分子),";
inline constexpr const char* kEndAnacr =
    "END_ANACR,(b0+b1(s)+b2(s^2))/(a0+a1(s)+a2(s^2))  (aは帰還側分母、bは順方向分子),";
inline constexpr const char* kCrNote1 = "注1)CR定数値=0は必要でないことを表す,";
inline constexpr const char* kCrNote2 =
    "注2)便宜的にR5//R6//R7の値が正であればRx、負であればRyのことを表す,";
inline constexpr const char* kAboveZero = "0Hz以上の周波数にして下さい。";
inline constexpr const char* kCutTooHigh =
    "ｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません";
inline constexpr const char* kLowBelowHigh = "Low Pass < High Pass　になるよう設定して下さい。";
inline constexpr const char* kTapRange = "タップ数は5～%dまでとして下さい。";
inline constexpr const char* kKaiserLowNyquist =
    "遷移帯域幅を小さくするか、低域のｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません";
inline constexpr const char* kKaiserHighNyquist =
    "遷移帯域幅を小さくするか、高域のｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません";
inline constexpr const char* kKaiserLowBelowZero =
    "遷移帯域幅を小さくするか、低域のｶｯﾄｵﾌ周波数を高くして下さい。";
inline constexpr const char* kKaiserTransitionPositive =
    "遷移帯域幅は0Hz以外の正の周波数を入れて下さい。";
inline constexpr const char* kKaiserLowPositive =
    "低域のｶｯﾄｵﾌは0Hz以外の正の周波数を入れて下さい。";
inline constexpr const char* kKaiserHighTooHigh =
    "高域のｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません";
inline constexpr const char* kKaiserHighPositive =
    "高域のｶｯﾄｵﾌは0Hz以外の正の周波数を入れて下さい。";
inline constexpr const char* kKaiserLowBelowHigh =
    "低域ｶｯﾄｵﾌ周波数 < 高域ｶｯﾄｵﾌ周波数になるよう設定して下さい。";
inline constexpr const char* kKaiserAttenRange = "10～90dBの範囲で設定して下さい";
inline constexpr const char* kKaiserNotice =
    "CPUの負担が大きくなりますので本動作を推奨しません。          　...(ﾀｯﾌﾟ数=%d) "
    "このまま進みますか(OK)？　　　　減衰量を下げて回避しますか(ｷｬﾝｾﾙ)？";
inline constexpr const char* kFilterConfirmTitle = "IIR/FIR処理の確定";
inline constexpr const char* kFilterConfirm1 = "IIR/FIR処理結果をOKで確定します。";
inline constexpr const char* kFilterConfirm2 = "無効にする場合はｷｬﾝｾﾙして下さい。";
inline constexpr const char* kFirTapCount = "ﾀｯﾌﾟ数は%d個です ";
inline constexpr const char* kFirWrongFile = "ﾀｯﾌﾟ数は%d個ですが異なるﾌｧｲﾙを読み込みました ";
inline constexpr const char* kIirStart = "次数=%dのIIR処理を開始します";
inline constexpr const char* kHelpNote1 = "注)最高周波数はπで正規化している";
inline constexpr const char* kHelpNote2 = "ｶｲｻﾞｰ窓は遷移帯域幅、減衰量の設定可能";
// A Kaiser high-pass whose cut-off lies above half the sampling frequency.
inline constexpr const char* kKaiserLowTooHigh =
    "低域のｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません";
// A Kaiser transition so narrow that the tap count cannot be held.
inline constexpr const char* kKaiserTransitionTooNarrow =
    "遷移帯域幅を大きくして下さい。(ﾀｯﾌﾟ数が大き過ぎます)";
// A wave that is not 8/16-bit with one or two channels.
inline constexpr const char* kTwoChannelsOnly = "2chまでの対応です";

inline constexpr const char* kCoefSaveFilter = "CoefData(*.csv)|.csv||";
inline constexpr const char* kCoefOpenFilter = "CoefData(*.csv)|*.csv||";
} // namespace fmsg

// `text` with its first "%d" replaced by `value`.
inline std::string FormatCount(const char* text, long long value) {
    std::string s(text);
    const auto at = s.find("%d");
    if (at != std::string::npos) s.replace(at, 2, std::to_string(value));
    return s;
}
