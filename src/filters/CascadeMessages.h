#pragma once

// Texts the cascade design, its validation and the component realization show (UTF-8); the
// frequency checks share theirs with the other design tools (fmsg). "%d" as in FormatCount.
namespace cmsg {
inline constexpr const char* kResistorRange =
    "少し抵抗の値が小さい、又は大きいようです。(1k～100k)";
inline constexpr const char* kCapacitorRange =
    "少しｺﾝﾃﾞﾝｻｰの値が小さい、又は大きいようです。(0.001μ～1μ)";
inline constexpr const char* kOrderRange = "IIR次数は2～%dまでとして下さい。";
inline constexpr const char* kRippleLevel = "ﾘｯﾌﾟﾙ及び阻止ﾚﾍﾞﾙは\n+0.01dB以上の値にして下さい。";
inline constexpr const char* kKindCheckFailed = "逆ﾁｪﾋﾞのCHECKMON()で失敗";
inline constexpr const char* kUnknownKind = "CascadeCoefでｴﾗｰ！";
inline constexpr const char* kCoefficientsFailed =
    "係数算出に失敗しました！！\n ｶｯﾄｵﾌ、次数等を変えてみて下さい。";
inline constexpr const char* kStorageTooSmall = "Cannot continue, storage arrays too small\n";
inline constexpr const char* kRealizeFailed = "OPｱﾝﾌﾟ用定数設定に失敗しました。";
inline constexpr const char* kChangeCapBpf = "基準ｺﾝﾃﾞﾝｻｰ(C)の値を少し変えてみて下さい_BPF";
inline constexpr const char* kChangeCapHpf = "基準ｺﾝﾃﾞﾝｻｰ(C)の値を少し変えてみて下さい_HPF";
inline constexpr const char* kChangeCapBsf = "基準ｺﾝﾃﾞﾝｻｰ(C)の値を少し変えてみて下さい_BSF";
inline constexpr const char* kChangeResistor = "基準抵抗(R)の値を少し変えてみて下さい";
inline constexpr const char* kNegativeCoefficient = "係数がマイナスでした！";
inline constexpr const char* kNegativeRadicand = "erata-!!";
inline constexpr const char* kAnaRespError = "CascadeAnaResp()内でエラーです！！";
} // namespace cmsg
