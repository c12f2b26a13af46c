#pragma once

// Texts of the main view, exactly as the program shows them.
namespace viewmsg {
inline constexpr const char* kCaption = "注意メッセージ";
inline constexpr const char* kBadFormat = "ﾌｧｲﾙの形式が違うかWAVEﾌｧｲﾙの階層が深過ぎるのでは？";
inline constexpr const char* kNoSignal = "無信号入力の可能性ガあります！";
inline constexpr const char* kNoFft = "無信号入力か、ＦＦＴをまだ実行してないようです!！";
inline constexpr const char* kCursorOutside =
    "ｶｰｿﾙがｴﾘｱ内に入っていないか、またはｵｰﾊﾞｰしています！　ｻﾝﾌﾟﾙ点数を少なくするか，ｶｰｿﾙ位置を変え"
    "てみて下さい";
inline constexpr const char* kCursorInside = "ｴﾘｱ内に入りました！";
inline constexpr const char* kUnderConstruction = "只今、工事中.....永遠にｻﾎﾟｰﾄしないかも！";
} // namespace viewmsg
