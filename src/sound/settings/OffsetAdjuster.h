#pragma once

#include <chrono>
#include <memory>
#include <string>

class CKymoDoc;
class ISoundCard;
class SoundDuplex;

// The offset adjustment "ｵﾌｾｯﾄ調整" without its widgets: the four offsets being edited, the two
// "自動調整開始" buttons, "ﾃﾞﾌｫﾙﾄに戻す" and "終了". An adjustment opens the input device alone
// (48000 Hz, stereo, 8 bits with 2000 ms buffers or 16 bits with 3000 ms buffers), keeps a copy
// of each of the first five buffers, computes the offsets of that width from the fifth and stops
// when the sixth arrives.
//
// Offsets are percentages of full scale, truncated to thousandths: 16 bits
// trunc(mean * 100000 / 32768) / 1000, 8 bits trunc(mean(byte - 128) * 100000 / 128) / 1000,
// the first channel giving L, the second R.
//
// Completions come through the engine's queue like every panel's; the owner calls
// DispatchCompletions on the engine's thread (or RunOnce in a loop).
class COffsetAdjuster {
public:
    static constexpr int kRate = 48000;
    static constexpr int kBuffersKept = 5; // the offsets come from the fifth buffer
    static constexpr int kProgressStep = 3;
    static constexpr int kProgressMax = kProgressStep * kBuffersKept;

    // The values start as the document's four offsets.
    COffsetAdjuster(CKymoDoc& doc, ISoundCard& card);
    ~COffsetAdjuster();
    COffsetAdjuster(const COffsetAdjuster&) = delete;
    COffsetAdjuster& operator=(const COffsetAdjuster&) = delete;

    // "自動調整開始" of the group of `bits` (8 or 16). Refused while adjusting, and failing when
    // the device cannot be opened or started, with "オフセット調整中です". True when capture
    // started.
    bool OnStart(int bits);
    // "ﾃﾞﾌｫﾙﾄに戻す": the four values become 0.
    void OnDefaults();
    // "終了": stops an adjustment still running, then stores the four values into the document.
    void Close();
    // Closing without "終了": stops an adjustment still running; the document keeps its values.
    void Cancel();

    // Delivers the completions waiting now; stops the capture once the sixth buffer arrived.
    // Returns the buffers delivered.
    int DispatchCompletions();
    // One step of a loop without an event system (tests): see SoundDuplex::RunOnce.
    bool RunOnce(std::chrono::milliseconds timeout);

    bool IsAdjusting() const;
    // Both "自動調整開始" buttons and "ﾃﾞﾌｫﾙﾄに戻す" are enabled while not adjusting.
    bool ButtonsEnabled() const { return !IsAdjusting(); }
    // Position of the progress bar "調整進行状況", 0 .. kProgressMax.
    int Progress() const { return m_nProgress; }
    // Buffers received since the start (the buffer counter).
    int BufferCounter() const;
    // Value of the "L ch" (channel 1) or "R ch" (channel 2) edit of the group of `bits`.
    float Offset(int bits, int channel) const;
    std::string OffsetText(int bits, int channel) const;
    SoundDuplex& Engine();

private:
    class CCapture;
    float& Value(int bits, int channel);
    void StopCapture();

    CKymoDoc& m_doc;
    std::unique_ptr<CCapture> m_capture;
    float m_fOffset8L, m_fOffset8R, m_fOffset16L, m_fOffset16R;
    int m_nProgress = 0;
};
