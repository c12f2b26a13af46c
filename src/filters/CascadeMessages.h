#pragma once

// Texts the cascade design, its validation and the component realization show (UTF-8).

inline constexpr const char* kMsgFrequencyPositive = "0Hz以上の周波数にして下さい。";
inline constexpr const char* kMsgCutOffTooHigh =
    "ｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません";
inline constexpr const char* kMsgBandOrder = "Low Pass < High Pass　になるよう設定して下さい。";
inline constexpr const char* kMsgResistorRange =
    "少し抵抗の値が小さい、又は大きいようです。(1k～100k)";
inline constexpr const char* kMsgCapacitorRange =
    "少しｺﾝﾃﾞﾝｻｰの値が小さい、又は大きいようです。(0.001μ～1μ)";
inline constexpr const char* kMsgOrderRange = "IIR次数は2～%dまでとして下さい。";
inline constexpr const char* kMsgRippleLevel = "ﾘｯﾌﾟﾙ及び阻止ﾚﾍﾞﾙは\n+0.01dB以上の値にして下さい。";
inline constexpr const char* kMsgKindCheckFailed = "逆ﾁｪﾋﾞのCHECKMON()で失敗";
inline constexpr const char* kMsgUnknownKind = "CascadeCoefでｴﾗｰ！";
inline constexpr const char* kMsgCoefficientsFailed =
    "係数算出に失敗しました！！\n ｶｯﾄｵﾌ、次数等を変えてみて下さい。";
inline constexpr const char* kMsgStorageTooSmall = "Cannot continue, storage arrays too small\n";
inline constexpr const char* kMsgRealizeFailed = "OPｱﾝﾌﾟ用定数設定に失敗しました。";
inline constexpr const char* kMsgChangeCapBpf = "基準ｺﾝﾃﾞﾝｻｰ(C)の値を少し変えてみて下さい_BPF";
inline constexpr const char* kMsgChangeCapHpf = "基準ｺﾝﾃﾞﾝｻｰ(C)の値を少し変えてみて下さい_HPF";
inline constexpr const char* kMsgChangeCapBsf = "基準ｺﾝﾃﾞﾝｻｰ(C)の値を少し変えてみて下さい_BSF";
inline constexpr const char* kMsgChangeResistor = "基準抵抗(R)の値を少し変えてみて下さい";
inline constexpr const char* kMsgNegativeCoefficient = "係数がマイナスでした！";
inline constexpr const char* kMsgNegativeRadicand = "erata-!!";
inline constexpr const char* kMsgAnaRespError = "CascadeAnaResp()内でエラーです！！";
