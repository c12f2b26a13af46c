#pragma once

#include "sound/engine/WaveTypes.h"
#include "sound/portaudio/HeaderRing.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

class CompletionQueue;
class CPortAudioSystem;

// The one PortAudio stream behind a card's wave-input and wave-output devices, and the queues of
// headers on both sides.
//
// The stream is opened and started by the input's Start (full duplex when the output is open,
// input only otherwise), or by the first Write when only the output is open; it is stopped and
// closed when the last side closes. Its callback (PortAudio's thread) only moves bytes between
// the stream and the queued headers, marks the headers and posts them to the side's completion
// queue. A stream that stops by itself (the device or sound server went away) posts one
// DeviceLost to the input's queue, or to the output's when only the output is open.
//
// Every other member runs on the engine's thread and returns an mmres code. A call carries the
// session of the device that makes it; a side that was closed or reopened since answers
// mmres::InvalHandle.
class CPortAudioStream {
public:
    // `inDevice` / `outDevice`: PortAudio device indices, negative when the card has none.
    CPortAudioStream(std::shared_ptr<CPortAudioSystem> system, int inDevice, int outDevice);
    ~CPortAudioStream();
    CPortAudioStream(const CPortAudioStream&) = delete;
    CPortAudioStream& operator=(const CPortAudioStream&) = delete;

    // mmres::NoError when `format` can be run in this direction; else a code with LastError set.
    int CheckFormat(bool input, const WaveFormat& format);

    int OpenIn(const WaveFormat& format, CompletionQueue& queue, std::uint64_t session);
    int OpenOut(const WaveFormat& format, CompletionQueue* queue, std::uint64_t session);
    int AddBuffer(std::uint64_t session, WaveHeader& header);
    int StartIn(std::uint64_t session);
    int StopIn(std::uint64_t session);
    int ResetIn(std::uint64_t session);
    int CloseIn(std::uint64_t session);
    int Write(std::uint64_t session, WaveHeader& header);
    int PauseOut(std::uint64_t session);
    int RestartOut(std::uint64_t session);
    int ResetOut(std::uint64_t session);
    int CloseOut(std::uint64_t session);
    // A device object that goes without Close: its queued headers are forgotten (not posted),
    // the side is closed.
    void Abandon(bool input, std::uint64_t session);
    long long Underruns() const { return m_underruns.load(); }

    // Text of the last failure; empty when none.
    std::string LastError() const;
    void SetLastError(std::string text);

    // PortAudio's thread: one callback's worth of frames (`in` or `out` null when the stream has
    // no such side), and the end of the stream.
    void Process(const std::uint8_t* in, std::uint8_t* out, unsigned long frames);
    void Finished();

private:
    struct Side {
        bool open = false;
        std::uint64_t session = 0;
        WaveFormat format;
        CompletionQueue* queue = nullptr;
        CHeaderRing queued;
    };

    int Queue(Side& side, std::uint64_t session, WaveHeader& header);
    int OpenSide(Side& side, bool input, const WaveFormat& format, CompletionQueue* queue,
                 std::uint64_t session);
    bool Current(const Side& side, std::uint64_t session) const;
    // Returns every queued header of `side` to its owner (posted when `post`).
    void ReturnAll(Side& side, bool post);
    // Marks a header taken off `side`'s queue done (posted when `post` and the side has a queue).
    void Complete(Side& side, WaveHeader* header, bool post);
    void FillInput(const std::uint8_t* in, std::size_t bytes);
    void PlayOutput(std::uint8_t* out, std::size_t bytes);
    int OpenStream(bool withInput, bool withOutput);
    void CloseStream();
    int FailPa(int paError, const char* call);

    std::shared_ptr<CPortAudioSystem> m_system;
    int m_inDevice;
    int m_outDevice;

    // Guards the sides and the play and record state below; held by the callback while it runs.
    mutable std::mutex m_mutex;
    Side m_in;
    Side m_out;
    bool m_recording = false;        // input Start .. Stop/Reset
    bool m_paused = false;           // output Pause .. Restart/Reset
    bool m_playing = false;          // output written since opened or reset: a dry queue is a gap
    bool m_inGap = false;            // the current gap was counted
    std::uint32_t m_playedBytes = 0; // of the front output header
    bool m_lost = false;
    std::string m_lastError;

    void* m_stream = nullptr; // PaStream, engine's thread only
    std::atomic<bool> m_stopping{false};
    std::atomic<long long> m_underruns{0};
};
