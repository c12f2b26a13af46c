#pragma once

// Texts of the software radio, exactly as shown. "%d" as in printf.
namespace radiomsg {
inline constexpr const char* kCarrierOrderRange = "搬送波用IIR次数は2～%dまでとして下さい。";
inline constexpr const char* kRippleLevel = "ﾘｯﾌﾟﾙ及び阻止ﾚﾍﾞﾙは\n+0.1dB以上の値にして下さい。";
inline constexpr const char* kLo1Range = "局発①は%dHz以上～%dHz以下として下さい。";
inline constexpr const char* kLo2Range = "局発②は0Hz以上～%dHz以下として下さい。";
inline constexpr const char* kUnknownKind2 = "CascadeCoefSsbでｴﾗｰ！";
inline constexpr const char* kTooManyLines = "ﾌｧｲﾙが大き過ぎです、20行を越えました。ｺﾒﾝﾄが多過ぎか'"
                                             "END_RADIO'記述がないのでは。";
inline constexpr const char* kBadFormat = "書式(csvﾌｧｲﾙ)の整合がとれません";
inline constexpr const char* kCannotOpen = "ﾌｧｲﾙを開けません";
inline constexpr const char* kReadStops =
    "測定は読み出しのため停止します。\n　*.csvファイルを読み出します。";
inline constexpr const char* kReadFailed = "読み出しに失敗しました。";
} // namespace radiomsg
