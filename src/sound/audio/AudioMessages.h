#pragma once

// Texts of the audio measurement.
namespace audiomsg {
inline constexpr const char* kTestFileAnnounce =
    "ﾌﾙｽﾍﾟｯｸ測定でFS=%dkHz ﾋﾞｯﾄ幅=%d ﾋﾞｯﾄ ﾃﾞｰﾀｰ長=%d\nにて再生専用測定Waveﾌｧｲﾙを作成します。";
inline constexpr const char* kTestFileNotWritten = "書き込みの中止、若しくは失敗しました";
inline constexpr const char* kLoadFailedHeader = "読み出しに失敗しました1。";
inline constexpr const char* kLoadFailedCurves = "読み出しに失敗しました2。";
inline constexpr const char* kSwitchToDirect = "自動録再ﾓｰﾄﾞに移行します！！";
inline constexpr const char* kEmptyFile = "ﾛｰﾄﾞ表示ｴﾗｰ！　測定してない空ﾌｧｲﾙのようです。";
inline constexpr const char* kNoData = "測定ﾃﾞｰﾀｰがありません。";
inline constexpr const char* kSaveAnnounceTail = "\nで保存致します";
inline constexpr const char* kNeedExtension = "拡張子を指定して下さい(*.opr|*.csv)";
inline constexpr const char* kCalibrateFirst = "ONﾎﾞﾀﾝでｷｬﾘﾌﾞﾚｰｼｮﾝして下さい。";
inline constexpr const char* kNoRate = "ｵｰﾃﾞｨｵ測定ではFS=44.1kHz以上をｻﾎﾟｰﾄします";
inline constexpr const char* kNo8Bit = "ｵｰﾃﾞｨｵ測定では16bit以上をｻﾎﾟｰﾄします";
inline constexpr const char* kNoMemory = "ﾒﾓﾘの確保ができませんでした。";
inline constexpr const char* kInitFailed = "initRSound()でｴﾗｰです";
} // namespace audiomsg
