#pragma once

// Message texts of the signal generator, exactly as shown.
namespace siggenmsg {
inline constexpr const char* kBadSeconds = "録音時間は1～1000秒の整数値にして下さい。";
inline constexpr const char* kBadSineFreq =
    "設定周波数は0Hz以上～ｻﾝﾌﾟﾘﾝｸﾞ周波数の半分までとして下さい。";
inline constexpr const char* kBadLevel = "設定ﾚﾍﾞﾙは0～-96dBの範囲にして下さい。";
inline constexpr const char* kBadSquareFreq1 = "設定周波数は0Hz以上～2000Hzまでとして下さい。";
inline constexpr const char* kBadSquareFreq2 = "設定周波数は0Hz以上～2000Hzとして下さい。";
// printf format: rate in kHz (integer), bits, data bytes.
inline constexpr const char* kWaveAnnounce =
    "信号発生器でFS=%dkHz ﾋﾞｯﾄ幅=%dﾋﾞｯﾄ\n ﾃﾞｰﾀｰ長=%dにてWaveﾌｧｲﾙを作成します。";
inline constexpr const char* kWaveNotWritten = "書き込みの中止、若しくは失敗しました";
inline constexpr const char* kRingFailed = "録音準備に失敗しました。0";
inline constexpr const char* kRateOnly = "ｵｼﾛｽｺｰﾌﾟのｻﾝﾌﾟﾘﾝｸﾞ周波数は44.1/48/96kHzのみの対応です";
inline constexpr const char* kWidth16Up = "ｵｰﾃﾞｨｵ測定では16bit以上をｻﾎﾟｰﾄします";
// The file-dialog label of "Wave保存".
inline constexpr const char* kWaveLabel = "SigGen";
} // namespace siggenmsg
