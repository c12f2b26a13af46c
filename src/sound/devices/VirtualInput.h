#pragma once

#include "sound/devices/DutLoop.h"
#include "sound/devices/VirtualPosts.h"
#include "sound/engine/WaveTypes.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

// The open input device of the virtual card: its queue of headers, filled frame by frame as
// the card's clock passes, and the device under test in front of it. Not locked itself: the
// card holds its lock around every call. Calls return mmres codes.
class CVirtualInput {
public:
    CVirtualInput(const WaveFormat& format, CompletionQueue& queue, std::uint64_t session,
                  std::unique_ptr<CDutLoop> dut);

    const WaveFormat& Format() const { return m_format; }
    std::uint64_t Session() const { return m_session; }
    CDutLoop& Dut() { return *m_dut; }

    int AddBuffer(WaveHeader& header);
    void SetStarted(bool started) { m_started = started; }
    bool Started() const { return m_started; }
    bool HasQueued() const { return !m_queue.empty(); }
    // Frames still missing in the first queued header (0 when none is queued).
    long long FramesToFill() const;

    // One captured frame v[0 .. channels-1] (counts). It goes into the first queued header,
    // which is returned when full; with no header queued the frame is lost.
    void Capture(const double* v, VirtualPosts& posts);
    // Returns every queued header (Done, dwBytesRecorded as far as filled), in order.
    void ReturnAll(VirtualPosts& posts);
    // The device is gone: every queued header is returned, then DeviceLost with `error`.
    void Lose(const std::string& error, VirtualPosts& posts);
    // Forgets the queued headers without returning them (the device object went away).
    void Abandon();

    long long LostFrames() const { return m_lostFrames; }

private:
    void Complete(WaveHeader& header, VirtualPosts& posts);

    WaveFormat m_format;
    CompletionQueue& m_completions;
    std::uint64_t m_session;
    std::unique_ptr<CDutLoop> m_dut;
    std::deque<WaveHeader*> m_queue;
    bool m_started = false;
    long long m_lostFrames = 0;
};
