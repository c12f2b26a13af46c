#pragma once

// Texts of the coefficient transfer, exactly as shown. "%d", "%s" and "%f" as in printf.
namespace xfermsg {
inline constexpr const char* kWelcome = "Well Come To \r\n    dsPIC World!!";
inline constexpr const char* kFirTaps = "FIR_NumTaps=%d";
inline constexpr const char* kFirTapsOver =
    "Tap Size Over!!!\r\nfor dsPIC30F2012\r\nFIR_NumTaps=%d\r\nMax.Tap Size=128";
inline constexpr const char* kIirSections = "IIR_Section Num=%d\nNumber of Data=%d";
inline constexpr const char* kIirSectionsOver =
    "IIR_Section Size Over!\r\nfor dsPIC30F2012\r\nIIR_Section Num=%d\r\nMax.Section Size=40";
inline constexpr const char* kReadError = "File Read Error!!!";
inline constexpr const char* kNoFile = "ﾌｧｲﾙが読み込まれていません。";
inline constexpr const char* kCannotOpen = "通信を確立できません";
inline constexpr const char* kFirNormalised = "FIR係数を%fで正規化して表現します";
inline constexpr const char* kIirTooLarge =
    "IIR係数の最大値=%fなので、若しかしたら\n2_14、又は2_30系列(係数値を半分にした)を使うのでは？";
inline constexpr const char* kCannotSend = "送信を確立できません";
inline constexpr const char* kCannotReceive = "受信を確立できません";
inline constexpr const char* kTimeoutStatus =
    "/* Status */\r\nComPort=%s\r\nBaudRate=%s\r\nNumTaps=%d\r\nFailure!!";
inline constexpr const char* kLineFault = "COMの接続に異常があります";
inline constexpr const char* kCompleteStatus =
    " /* Status */\r\nComPort=%s\r\nBaudRate=%s\r\nNumTaps=%d\r\nComplete_%s\r\n";
inline constexpr const char* kMaybeStatus =
    " /* Status */\r\nComPort=%s\r\nBaudRate=%s\r\nNumTaps=%d\r\nMay be Complete!\r\n";
inline constexpr const char* kFailureStatus =
    " /* Status *\r/\nComPort=%s\r\nBaudRate=%s\r\nNumTaps=%d\r\nFailure!!\r\n";
inline constexpr const char* kNotSent = "ﾌｧｲﾙが送信されいないか\ndsPICにてDSP実行中です。";
inline constexpr const char* kRunOpen = "通信を確立できません1";
inline constexpr const char* kRunWrite = "通信を確立できません2";
inline constexpr const char* kRunRead = "通信を確立できません3";
inline constexpr const char* kRunTimeoutStatus = "/* Status */\r\nComPort=%s Failure! ";
inline constexpr const char* kRunStatus = " /* Status */\r\nStart_Processing!!! \r\nIf you send "
                                          "another \r\nCoeffcient You have\r\nto reset your dsPIC!";
} // namespace xfermsg
