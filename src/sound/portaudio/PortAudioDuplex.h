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

// The input and output sides of a PortAudio card: each side's queue of headers and its own
// PortAudio stream.
//
// The input's Start opens and starts the input stream, and the output stream too when the
// output is open (output first, so that it is playing silence when the first block arrives).
// When the input is not open (playback of a recording) or already running, the first Write
// opens the output stream. A side's stream stops and closes with the side. Playing begins (and
// resumes after a gap) only when a tenth of a second is queued or a tenth of a second has passed,
// so that an engine that answers each input block with an output block keeps playing through the
// jitter between the streams. Two half-duplex
// streams instead of one full-duplex stream: PortAudio's ALSA full-duplex mode over the
// PulseAudio plugin can stop by itself under load, and can spin without ever returning when the
// server goes away, so that even aborting it hangs; the two half-duplex streams did neither in
// the same trials. Both run on the device's clock; only the buffer pairing of the engine links
// them.
//
// The streams' callbacks (PortAudio's threads) only move bytes between a stream and the queued
// headers, mark the headers and post them to the side's completion queue. A stream that stops by
// itself (the device or the sound server went away) posts one DeviceLost to the input's queue,
// or to the output's when only the output is open; after it, queueing and starting answer
// mmres::NoDriver until both sides were closed.
//
// Every other member runs on the engine's thread and returns an mmres code. A call carries the
// session of the device that makes it; a side that was closed or reopened since answers
// mmres::InvalHandle.
class CPortAudioDuplex {
public:
    // `inDevice` / `outDevice`: PortAudio device indices, negative when the card has none.
    CPortAudioDuplex(std::shared_ptr<CPortAudioSystem> system, int inDevice, int outDevice);
    ~CPortAudioDuplex();
    CPortAudioDuplex(const CPortAudioDuplex&) = delete;
    CPortAudioDuplex& operator=(const CPortAudioDuplex&) = delete;

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

    // PortAudio's threads: one callback's worth of frames of a side, and the end of a stream.
    void Record(const std::uint8_t* in, unsigned long frames);
    void Play(std::uint8_t* out, unsigned long frames);
    void Finished(bool input);

private:
    struct Side {
        bool open = false;
        std::uint64_t session = 0;
        WaveFormat format;
        CompletionQueue* queue = nullptr;
        CHeaderRing queued;
        void* stream = nullptr; // PaStream; opened and closed on the engine's thread only
        std::atomic<bool> stopping{false};
    };

    int OpenSide(Side& side, bool input, const WaveFormat& format, CompletionQueue* queue,
                 std::uint64_t session);
    int Queue(Side& side, std::uint64_t session, WaveHeader& header);
    int CloseSide(Side& side, std::uint64_t session, bool forget);
    bool Current(const Side& side, std::uint64_t session) const;
    // Returns every queued header of `side` to its owner (posted when `post`).
    void ReturnAll(Side& side, bool post);
    // Marks a header taken off `side`'s queue done (posted when `post` and the side has a queue).
    void Complete(Side& side, WaveHeader* header, bool post);
    int OpenStream(Side& side, bool input);
    void CloseStream(Side& side);
    // Holds the output silent until enough is queued (or waited for); under m_mutex.
    void StartCushion();
    int FailPa(int paError, const char* call);

    std::shared_ptr<CPortAudioSystem> m_system;
    int m_inDevice;
    int m_outDevice;

    // Guards the sides' queues and state and the play and record state below; held by a
    // callback while it runs (never while a stream is being stopped).
    mutable std::mutex m_mutex;
    Side m_in;
    Side m_out;
    bool m_recording = false;         // input Start .. Stop/Reset
    bool m_paused = false;            // output Pause .. Restart/Reset
    bool m_playing = false;           // output written since opened or reset: a dry queue is a gap
    bool m_inGap = false;             // the current gap was counted
    std::uint32_t m_playedBytes = 0;  // of the front output header
    std::size_t m_queuedOutBytes = 0; // not yet played, in the queued output headers
    bool m_cushioning = false;        // silent until the cushion is queued or waited for
    std::size_t m_cushionBytes = 0;
    std::size_t m_waitedBytes = 0;
    bool m_lost = false;
    std::string m_lastError;
    std::atomic<long long> m_underruns{0};
};
