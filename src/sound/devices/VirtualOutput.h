#pragma once

#include "sound/devices/VirtualPosts.h"
#include "sound/engine/WaveTypes.h"

#include <cstdint>
#include <deque>
#include <string>

// The open output device of the virtual card: a FIFO of written headers played frame by frame
// as the card's clock passes. Playing starts with the first Write, after a lead of that
// header's length when the card runs in real time (so that a late writer does not run dry at
// once). Not locked itself: the card holds its lock around every call. Calls return mmres codes.
class CVirtualOutput {
public:
    CVirtualOutput(const WaveFormat& format, CompletionQueue* queue, std::uint64_t session,
                   bool leadOnStart);

    const WaveFormat& Format() const { return m_format; }
    std::uint64_t Session() const { return m_session; }

    int Write(WaveHeader& header);
    void Pause() { m_paused = true; }
    void Restart() { m_paused = false; }
    // Stops playing; every queued header is returned.
    void Reset(VirtualPosts& posts);
    // The device is gone: every queued header is returned, then DeviceLost with `error` (when
    // opened with a queue).
    void Lose(const std::string& error, VirtualPosts& posts);
    // Forgets the queued headers without returning them (the device object went away).
    void Abandon();

    bool HasQueued() const { return !m_fifo.empty(); }
    // Started by a Write and not paused: every frame of the clock is played (silence in a gap).
    bool Playing() const { return m_playing && !m_paused; }
    // Frames of lead and data still to play.
    long long FramesQueued() const;

    // Plays one frame into out[0], out[1] (counts; out[1] is 0 for a mono format).
    void Play(double* out, VirtualPosts& posts);
    long long Underruns() const { return m_underruns; }

private:
    void Return(WaveHeader& header, VirtualPosts& posts);

    WaveFormat m_format;
    CompletionQueue* m_completions;
    std::uint64_t m_session;
    bool m_leadOnStart;
    std::deque<WaveHeader*> m_fifo;
    std::uint32_t m_position = 0; // bytes played of the first header
    long long m_lead = 0;         // frames of silence before the first header plays
    bool m_playing = false;
    bool m_paused = false;
    bool m_inGap = false;
    long long m_underruns = 0;
};
