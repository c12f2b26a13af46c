#pragma once

#include "sound/devices/DutFiles.h"
#include "sound/devices/DutText.h"
#include "sound/devices/VirtualClock.h"
#include "sound/devices/VirtualInput.h"
#include "sound/devices/VirtualOutput.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// The state of the virtual card shared by the card and its open devices: one frame clock for
// input and output, the open devices and, in real time, the thread that runs the clock.
//
// The clock starts at frame 0 when the first device opens and stops when the last one closes.
// Per frame it plays the output, passes it through the device under test and captures the
// input. Every call takes the card's lock; completions are posted after it is released. Calls
// other than the clock's own thread come from one thread (the engine's).
class CVirtualCardCore {
public:
    CVirtualCardCore(DutText dut, DutFiles files, VirtualClock clock);
    ~CVirtualCardCore();
    CVirtualCardCore(const CVirtualCardCore&) = delete;
    CVirtualCardCore& operator=(const CVirtualCardCore&) = delete;

    // The formats of both devices: 8 or 16-bit PCM, or extensible 16, 24-in-32 or 32 bits;
    // 8000 to 192000 Hz; one or two channels; consistent block and byte rates.
    static bool FormatSupported(const WaveFormat& format);

    int OpenIn(const WaveFormat& format, CompletionQueue& queue, std::uint64_t& session);
    int OpenOut(const WaveFormat& format, CompletionQueue* queue, std::uint64_t& session);
    // Fast clock: advances until the first queued input header is full (by a fixed chunk when
    // the input has none, or by at most that chunk of queued output when only the output runs).
    // False when nothing can advance.
    bool Pump();
    std::string LastError() const;
    long long LostInputFrames() const;

    // The calls of an open device, named by its session. Abandon is the device object going
    // away without Close: queued headers are forgotten, nothing is posted.
    enum class Call {
        Prepare,
        Unprepare,
        Queue,
        Start,
        Stop,
        Pause,
        Restart,
        Reset,
        Close,
        Abandon
    };
    int Input(std::uint64_t session, Call call, WaveHeader* header = nullptr);
    int Output(std::uint64_t session, Call call, WaveHeader* header = nullptr);
    long long Underruns(std::uint64_t session) const;

    static constexpr long long kFastChunk = 512; // frames of a Pump without an input header

private:
    bool Idle() const { return !m_in && !m_out; }
    // A call of the device that `owns` (under the lock) recognises: header preparation and the
    // refusals of a lost card here, the rest by `op`; completions are posted after the lock is
    // released, and the clock stops when the call closed the last device.
    template <class Owns, class Op> int DeviceCall(Owns owns, Call call, WaveHeader* header, Op op);
    int RefuseOpen(int result, const std::string& error);
    int CheckOpen(const WaveFormat& format, int otherRate);
    void BeginClock(int rate);
    void StopThread();
    void RunThread();
    void Advance(long long frames, VirtualPosts& posts);
    void Tick(VirtualPosts& posts);
    void Lose(VirtualPosts& posts);

    const DutText m_dut;
    const DutFiles m_files;
    const VirtualClock m_mode;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread;
    bool m_stop = false;
    std::chrono::steady_clock::time_point m_epoch;

    std::optional<CVirtualInput> m_in;
    std::optional<CVirtualOutput> m_out;
    int m_rate = 0;
    long long m_clock = 0;   // frames since the first device opened
    long long m_loseAt = -1; // frame of a lose fault
    bool m_lost = false;
    std::string m_lastError;
    long long m_lastLostFrames = 0;     // of the input closed last
    std::uint64_t m_lastOutSession = 0; // of the output closed last ...
    long long m_lastUnderruns = 0;      // ... and its gaps
};
