#pragma once

// Message texts and dialog filters of the exports for other programs (frequency-response text,
// impulse-response WAV, C header of filter sections).
namespace xmsg {
inline constexpr const char* kNoResponse =
    "ｴｸｽﾎﾟｰﾄできる周波数特性がありません。\n伝達関数かｽﾍﾟｱﾅの結果(*.opr)を開いて下さい";
inline constexpr const char* kNoImpulse =
    "ｲﾝﾊﾟﾙｽ応答にできるﾃﾞｰﾀｰがありません。\n伝達関数かFIR係数ﾌｧｲﾙを指定して下さい";
inline constexpr const char* kIirNoImpulse =
    "IIR係数からはｲﾝﾊﾟﾙｽ応答WAVを作れません。\nFIR係数ﾌｧｲﾙを指定して下さい";
inline constexpr const char* kNotCoefFile = "Cﾍｯﾀﾞｰにできるのは係数ﾌｧｲﾙ(FIRかIIR)だけです";
inline constexpr const char* kNoSection = "係数ﾌｧｲﾙにFIRもIIRの係数も見つかりません";
inline constexpr const char* kZeroA0 = "a0=0の段があります。Cﾍｯﾀﾞｰにできません";
inline constexpr const char* kNotFinite = "数値にならない係数があります。書き出せません";
inline constexpr const char* kBadRate = "ｻﾝﾌﾟﾘﾝｸﾞ周波数が正しくありません";
inline constexpr const char* kChooseChannel =
    "2chｽﾍﾟｸﾄﾙです。ch2を書き出しますか？\n(いいえ：ch1を書き出します)";
inline constexpr const char* kNoCoherence =
    "ｺﾋｰﾚﾝｽはﾌｧｲﾙのｻｰﾎﾞｱﾅﾗｲｽﾞ(ｱﾍﾞﾚｰｼﾞﾝｸﾞ)の結果にだけあります";
inline constexpr const char* kFrdExtension = "拡張子が　*.frd　ではないですよ！  再入力して下さい";
inline constexpr const char* kTxtExtension = "拡張子が　*.txt　ではないですよ！  再入力して下さい";
inline constexpr const char* kHeaderExtension = "拡張子が　*.h　ではないですよ！  再入力して下さい";

inline constexpr const char* kFrdFilter = "FRD(*.frd)|*.frd||";
inline constexpr const char* kRewFilter = "REW_Text(*.txt)|*.txt||";
inline constexpr const char* kImpulseWaveFilter = "ImpulseWave(*.wav)|*.wav||";
inline constexpr const char* kHeaderFilter = "C_Header(*.h)|*.h||";
} // namespace xmsg
