#pragma once

// Texts of the virtual sound card's failures (LastError, DeviceLost).
namespace vcmsg {
inline constexpr const char* kOpenFault = "仮想サウンドカードを開けません（DUT: fault=open）";
inline constexpr const char* kStartFault =
    "仮想サウンドカードの録音を開始できません（DUT: fault=start）";
inline constexpr const char* kLost = "仮想サウンドカードが失われました（DUT: fault=lose）";
inline constexpr const char* kStillLost =
    "仮想サウンドカードは失われています。開いているデバイスを全て閉じて下さい";
inline constexpr const char* kInputInUse = "仮想サウンドカードの入力は使用中です";
inline constexpr const char* kOutputInUse = "仮想サウンドカードの出力は使用中です";
inline constexpr const char* kBadFormat = "仮想サウンドカードはこの形式に対応していません";
inline constexpr const char* kRateMismatch = "入力と出力の標本化周波数が違います";
} // namespace vcmsg
