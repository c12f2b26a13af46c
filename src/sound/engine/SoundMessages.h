#pragma once

// Message texts of the sound engine and the instruments' start and stop, exactly as shown.
namespace sndmsg {
inline constexpr const char* kStartFailed = "waveInStart_FALSE!!";
inline constexpr const char* kPrepareFailed = "Prepare_FALSE!!";
inline constexpr const char* kAddBufferFailed = "AddBuf_FALSE!!";
inline constexpr const char* kOutPrepareFailed = "RP_Prepare_FALSE!!";
inline constexpr const char* kHandleBusy = "別のスレッドがハンドルを使用中である!!";
inline constexpr const char* kInvalidHandle = "デバイスハンドルが無効である!!";
inline constexpr const char* kNoDriver = "デバイスドライバがない!!";
inline constexpr const char* kNoMemory = " メモリを割り当てられない、またはロックできない!!";
inline constexpr const char* kUnprepared = "  バッファが準備されていない!!";
inline constexpr const char* kMeasuring = "測定中ですので終了させて下さい!";
inline constexpr const char* kFilterRunning = "録再動作中ですので終了させて下さい!";
inline constexpr const char* kNotMeasuring = "測定はしないのですね！";
inline constexpr const char* kInitFailed = "initRSound()でｴﾗｰです";
inline constexpr const char* kNoSoundCard = "サウンドカードがないのでは！！";
inline constexpr const char* kAllocFailed = "ﾒﾓﾘの確保ができませんでした。";
// Second line under kNoSoundCard: how to go on without a card.
inline constexpr const char* kVirtualCardHint =
    "サウンドカードがなくても、オプションの「サウンドデバイスの選択」で仮想サウンドカードを選べば"
    "測定できます。";
// Shown when a card could not be opened (followed by the device's own reason).
inline constexpr const char* kOpenFailed = "サウンドカードを開けませんでした。";
// Shown when a card stops answering while running (followed by the device's own reason).
inline constexpr const char* kDeviceLost = "サウンドカードとの接続が切れたので測定を停止しました。";
} // namespace sndmsg
