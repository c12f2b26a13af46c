#pragma once

// Message texts of the measurement settings and the instruments' set-up, exactly as shown.
namespace measmsg {
inline constexpr const char* kStereoOnly = "ｻｰﾎﾞｱﾅﾗｲｻﾞｰ設定につき<ｽﾃﾚｵ>に固定です！";
inline constexpr const char* kDownSampleLimit =
    "これ以上のダウンサンプリングにエントリ－できるのは作者のみです";
inline constexpr const char* kWindowNoteInput = "注)入力信号に指定窓関数をかけます";
inline constexpr const char* kWindowNoteTsp = "注)TSP信号では窓関数をかけません";
inline constexpr const char* kWindowNoteRandom = "注)Rand信号では窓関数をかけます";
inline constexpr const char* kWidthTo16 = "ここは16bit幅までのｻﾎﾟｰﾄです。\n　16bitに設定します！！";
// The oscilloscope's and the servo analyzer's width rule.
inline constexpr const char* kWidth16Only =
    "ここは16bit幅のみのｻﾎﾟｰﾄです。\n　16bitに設定します！！";
inline constexpr const char* kModeUnsupported =
    "サウンドカードにはこのモードでの録音がサポートされてません。";
inline constexpr const char* kBadChannels = "チャンネル数が異常です！！";
inline constexpr const char* kOffsetWarning =
    "調整ミスの原因になりますので入力信号を切るか、ボリュームを最小に絞って下さい。\n"
    "　できれば入力端子をショートピンでGNDに接続することを推奨します。";
inline constexpr const char* kOffsetRunning = "オフセット調整中です";
inline constexpr const char* kNotMeasured = "測定を完了していません。";
} // namespace measmsg
