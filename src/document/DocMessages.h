#pragma once

// Message texts of the document core, exactly as the program shows them.
namespace msg {
inline constexpr const char* kOpenFailed = "ﾒﾓﾘの確保ができないか未知の形式です。ReadFileでFalse";
// Shown after the path of a wave that down-sampling replaced, before it is saved over its file.
inline constexpr const char* kOverwriteReplaced =
    "\nはﾀﾞｳﾝｻﾝﾌﾟﾘﾝｸﾞ前の元のﾌｧｲﾙです。ﾀﾞｳﾝｻﾝﾌﾟﾘﾝｸﾞ後の波形で上書きしますか？\n"
    "(いいえ：名前を付けて保存)";
inline constexpr const char* kCannotOpenFile = "ﾌｧｲﾙを開けませんでした。";
inline constexpr const char* kAllocFailed = "ﾒﾓﾘの確保ができませんでした。new出来ず";
inline constexpr const char* kNoWide = "ここは、16bit以上をまだｻﾎﾟｰﾄしていません。あしからず...";
inline constexpr const char* kTwoChannelsOnly = "2chまでの対応です";
inline constexpr const char* kAudioFile = "ｵｰﾃﾞｨｵ測定ﾀﾞｲｱﾛｸﾞから開いて下さい。...あしからず";
inline constexpr const char* kNoImage = "メモリーの確保がされてません";
inline constexpr const char* kSaveFailed = "保存に失敗しました。";
inline constexpr const char* kWavExtension = "拡張子が　*.wav　ではないですよ！  再入力して下さい";
inline constexpr const char* kWriteAborted = "書き込みの中止、若しくは失敗しました";
inline constexpr const char* kPlayFailed = "再生に失敗しました！";
inline constexpr const char* kNotOpen = "ここは開放しておりません";
inline constexpr const char* kNoVolumeControl =
    "WindowsｼｽﾃﾑﾃﾞｨﾚｸﾄﾘｰにSNDVOL32.EXEが存在していません";
inline constexpr const char* kVolumeStartFailed = "SNDVOL32.EXEを開けませんでした！";
inline constexpr const char* kUnderConstruction = "只今、工事中.....永遠にｻﾎﾟｰﾄしないかも！";
inline constexpr const char* kHistoryHeader =
    "番号,処理項目,ゲイン,設定周波数,演算操作,ｻﾝﾌﾟﾘﾝｸﾞ周波数,ｻﾝﾌﾟﾙ点数,備考 \r\n";
inline constexpr const char* kHistoryHeaderAfterSave =
    "番号,処理項目,ゲイン,設定周波数,演算操作,ｻﾝﾌﾟﾘﾝｸﾞ周波数,ｻﾝﾌﾟﾙ点数, \r\n";
} // namespace msg
