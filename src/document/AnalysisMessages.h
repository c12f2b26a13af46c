#pragma once

// Message texts of the file analyses, the test signals and the servo-loop calculator, exactly as
// the program shows them.
namespace msg {
inline constexpr const char* kHistoryNoteTooLong = "ﾌｧｲﾙ名が長すぎますので表示しません";
inline constexpr const char* kHistoryFull =
    "履歴書作成エリアが一杯です。\n　現在までの履歴は抹消されますので　\n　必要なら[計算履歴の保存]"
    "ﾒﾆｭｰからcsvﾌｧｲﾙとして保存して下さい。";
inline constexpr const char* kHistorySaveIntro = "計算履歴　⇒　*.csvに変換してﾌｧｲﾙ保存します。";
inline constexpr const char* kCsvExtension = "拡張子が　*.csv　ではないですよ！  再入力して下さい";
inline constexpr const char* kKaiserBetaTooLarge =
    "β値が大きすぎます。β=-150～150の範囲で設定して下さい。";
inline constexpr const char* kDftInitFailed = "DFTのInitで失敗";
inline constexpr const char* kOtherDataFormat = "異なるデーター形式です。";
inline constexpr const char* kSamplingMismatch =
    "現在表示されているﾃﾞｰﾀｰとの整合（ｻﾝﾌﾟﾘﾝｸﾞﾀｲﾑ)がありません";
inline constexpr const char* kFileShorter = "現在表示されているﾃﾞｰﾀｰ長との整合（現行ﾃﾞｰﾀーの方が大"
                                            "きい)\nがありませんので強引に合わせます！";
inline constexpr const char* kFileLonger = "現在表示されているﾃﾞｰﾀｰ長との整合（読み込みﾌｧｲﾙの方が大"
                                           "きい)\nがありませんので強引に合わせます！";
inline constexpr const char* kChooseCondition = "設定条件の選択をして下さい。";
inline constexpr const char* kNotNumeric =
    "数字以外のデーターを入力したようです！　各データー値を確認願います";
inline constexpr const char* kResonanceRange =
    "周波数は0Hz以上～999MHzまでです。...再入力して下さい";
inline constexpr const char* kSensitivityRange =
    "感度は0倍より大きく～1e8倍までです。...再入力して下さい";
inline constexpr const char* kDivisionByZero = "0で割る演算になります。...0以外の値を入れて下さい";
inline constexpr const char* kNoWaveFile = "Waveファイルがありません";
inline constexpr const char* kTooShortSpectrum =
    "ここは修正すること！\n　ﾀﾞｳﾝｻﾝﾌﾟﾘﾝｸﾞするにはﾃﾞｰﾀｰ長さ(記録時間)が少な過ぎるようです";
inline constexpr const char* kTooShortCorrelation =
    "ﾀﾞｳﾝｻﾝﾌﾟﾘﾝｸﾞするにはﾃﾞｰﾀｰ長さ(記録時間)が少な過ぎるようです";
inline constexpr const char* kDownSampleLimit =
    "これ以上のダウンサンプリングにエントリ－できるのは作者のみです";
inline constexpr const char* kAverageCountRange = "アベレージ回数が０回か、逆に大き過ぎます！";
} // namespace msg
