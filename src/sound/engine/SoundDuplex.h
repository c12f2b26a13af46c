#pragma once

#include "sound/engine/CompletionQueue.h"
#include "sound/engine/PriorityBoost.h"
#include "sound/engine/SoundCard.h"
#include "sound/engine/WaveTypes.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CKymoDoc;

// How initRSound reads its `length` argument and sizes the buffers.
enum class SoundVariant {
    // length = S frames of one analysis block (2^d N + (2^d - 1) L); each buffer holds 2^s of
    // them, s = max(0, 4 - p - d) (5 above 48 kHz). The first S frames go to the capture area.
    BlockSized,
    // length = milliseconds (50, 25, 15): a payload of whole frames; the input buffers have room
    // for the history frames H in front of it, and a work buffer of the payload is kept.
    DurationSized,
    // length = frames; `bits` is an extensible width code (1 16-bit, 2 24-bit, 3 32-bit).
    FrameCounted,
    // length = milliseconds; no output device.
    InputOnly,
};

// The full-duplex engine every live panel drives: eight input and eight output buffers in
// flight, input buffer i always paired with output buffer i. Filled input buffers arrive from the
// device through the completion queue; DispatchCompletions (called by the owner's event loop, on
// the engine's thread) hands each one of the current device session to OnWimData, which plays
// the paired output buffer, gives the input buffer back to the device and, when a block is due
// and the view is idle, hands it to the document's ProcessRealtime.
//
// Everything runs on the thread that owns the engine (the user-interface thread); only the
// devices run elsewhere, and they reach the engine only through the queue. Nothing here blocks on
// a device. Instruments that play their own signal or process each buffer derive and override
// FillBuffers / HandOver.
class SoundDuplex {
public:
    static constexpr int kBufferCount = 8;

    SoundDuplex(ISoundCard& card, CKymoDoc& doc);
    virtual ~SoundDuplex();
    SoundDuplex(const SoundDuplex&) = delete;
    SoundDuplex& operator=(const SoundDuplex&) = delete;

    // ---- Configuration, before initRSound ----
    void SetVariant(SoundVariant variant) { m_variant = variant; }
    // Block-sized variant: analysis-size index p (N = 2^(p+7)) and down-sampling exponent d >= 0.
    void SetAnalysisSize(int pow, int downExp);
    // Duration-sized variant: history frames H in front of each input payload.
    void SetHistoryFrames(int frames) { m_nHistoryFrames = frames < 0 ? 0 : frames; }
    // The ProcessRealtime code of the hand-over (0: nothing is handed over).
    void SetRequestCode(int code) { m_nRequestCode = code; }
    // Display interval in tenths of a second (0..20); while running the block interval follows.
    void SetIntervalTenths(int tenths);
    // Raise the thread's priority from initRSound until the stop (real-time filters, 3D).
    void SetPriorityBoost(bool on, int processSetting, int threadSetting);

    // ---- The four operations ----
    // Opens both devices at the format of (rate, bits, channels) and queues the eight input
    // buffers. 1 on success. 0 on any failure, with everything opened so far closed and freed:
    // an open failure says nothing (see LastError), a failing prepare or add call shows its
    // messages. `name` is not used.
    int initRSound(int rate, int bits, int channels, int length, const char* name = "sample.pcm");
    // Starts capture. 1 when started; 0 when already running, when initRSound has not succeeded,
    // or when the device refused ("waveInStart_FALSE!!"; devices and buffers are released).
    int StartRSound();
    // The handler of a filled input buffer. Always 0.
    int OnWimData(WaveHeader* hdr);
    // Stops capture and playback, returns and frees every buffer, closes the devices. 1 when it
    // stopped a run, 0 when nothing was running (an opened but unstarted engine is released).
    int StopRSound();

    // ---- Driving ----
    // Delivers every completion waiting now: buffers of the current input session go to
    // OnWimData, others are dropped; a lost device stops the engine, reports and calls the stop
    // listener. Returns the number of buffers delivered.
    int DispatchCompletions();
    // One step of a loop without an event system (CLI, tests): delivers what is waiting; else
    // lets a card with its own clock advance; else waits up to `timeout` for the device. False
    // when nothing arrived within the timeout.
    bool RunOnce(std::chrono::milliseconds timeout);

    // Called after the engine stopped itself because the device was lost.
    void SetStoppedListener(std::function<void()> listener) { m_onStopped = std::move(listener); }
    // Receives the bytes of every output buffer as it is written to the device (recording of
    // what was played).
    using PlayTap = std::function<void(const std::uint8_t* data, std::size_t bytes)>;
    void SetPlayTap(PlayTap tap) { m_playTap = std::move(tap); }

    // ---- State ----
    bool IsRunning() const { return m_bRunning != 0; }
    bool IsOpen() const { return m_in != nullptr; }
    const WaveFormat& Format() const { return m_format; }
    int SizeShift() const { return m_nSizeShift; }
    int BlockInterval() const { return m_nBlockInterval; }
    int BlockCounter() const { return m_nBlockCounter; }
    // Bytes of one buffer as played (dwBufferLength).
    std::uint32_t BufferBytes() const { return m_nBufferBytes; }
    // Result code of the last failed device call of initRSound / StartRSound.
    int LastResult() const { return m_nLastResult; }
    // The last initRSound failed because a device could not be opened (nothing was shown).
    bool OpenFailed() const { return m_bOpenFailed; }
    ISoundCard& Card() { return m_card; }
    CompletionQueue& Queue() { return m_queue; }

    // Counters since initRSound.
    struct Statistics {
        long long buffers = 0;     // input buffers handled by OnWimData
        long long handedOver = 0;  // blocks given to the document
        long long skippedBusy = 0; // blocks due while the view was still busy
        long long dropped = 0;     // completions of other sessions
    };
    const Statistics& Stats() const { return m_stats; }
    // Output gaps reported by the device since it was opened (0 when closed).
    long long OutputUnderruns() const;

protected:
    // What happens to a filled buffer before it is played (steps 3 and 4 of the handler): copies
    // the input into the paired output buffer and the first len / 2^s bytes into the document's
    // capture area. `len` is the buffer length; `in` has HistoryBytes() of room before it in the
    // duration-sized variant.
    virtual void FillBuffers(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len);
    // The hand-over (step 7): counts buffers and, when more than the block interval have come,
    // hands the block to the document unless the view is still busy.
    virtual void HandOver();

    CKymoDoc& Doc() { return m_doc; }
    // Tells the stop listener that the engine stopped by itself.
    void NotifyStopped() {
        if (m_onStopped) m_onStopped();
    }
    std::uint32_t HistoryBytes() const { return m_nHistoryBytes; }
    // The duration-sized variant's work buffer (payload bytes, first byte 0).
    std::uint8_t* WorkBuffer() { return m_work.get(); }
    int m_nBlockCounter = 0;
    int m_nBlockInterval = 0;
    Statistics m_stats;

private:
    void ComputeBlockInterval();
    // Closes both devices and frees every buffer, whatever state they are in.
    void Release();
    void Deliver(const WaveCompletion& completion);
    void ReportCallFailure(const char* firstMessage, int result, bool addCall);
    int BufferLength(int length);

    ISoundCard& m_card;
    CKymoDoc& m_doc;
    CompletionQueue m_queue;
    std::unique_ptr<IWaveIn> m_in;
    std::unique_ptr<IWaveOut> m_out;
    std::uint64_t m_inSession = 0;
    std::uint64_t m_outSession = 0;
    WaveHeader m_inHdr[kBufferCount];
    WaveHeader m_outHdr[kBufferCount];
    std::unique_ptr<std::uint8_t[]> m_inBuf[kBufferCount];
    std::unique_ptr<std::uint8_t[]> m_outBuf[kBufferCount];
    std::unique_ptr<std::uint8_t[]> m_work;
    WaveFormat m_format;
    SoundVariant m_variant = SoundVariant::BlockSized;
    int m_bRunning = 0;
    int m_nPow = 4;
    int m_nDownExp = 0;
    int m_nSizeShift = 0;
    int m_nHistoryFrames = 0;
    std::uint32_t m_nHistoryBytes = 0;
    std::uint32_t m_nBufferBytes = 0;
    int m_nRequestCode = 0;
    int m_nIntervalTenths = 0;
    int m_nLastResult = 0;
    bool m_bOpenFailed = false;
    bool m_bBoost = false;
    int m_nProcessPriority = 2;
    int m_nThreadPriority = 2;
    CPriorityBoost m_boost;
    std::function<void()> m_onStopped;
    PlayTap m_playTap;
};
