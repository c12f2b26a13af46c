#pragma once

#include "sound/engine/WaveTypes.h"

#include <cstdint>
#include <memory>
#include <string>

class CompletionQueue;

// An open wave-input device. Calls follow the waveform-audio semantics and return mmres codes:
// Prepare marks a header prepared; AddBuffer queues a prepared header (Unprepared otherwise);
// Start begins filling the queued headers in order; each filled header gets dwBytesRecorded and
// the Done flag (InQueue cleared) and is posted to the queue given at open as InputDone with this
// device's session. Stop pauses filling; Reset stops and returns every queued header (posted as
// InputDone, marked Done, dwBytesRecorded as far as filled). Unprepare fails with StillPlaying
// while a header is queued. Close fails with StillPlaying while headers are queued.
//
// Calls come from the engine's thread only; none of them posts synchronously to the engine (the
// queue is drained later by the engine's owner).
class IWaveIn {
public:
    virtual ~IWaveIn() = default;
    // A number unique to this opening among every device of the process, carried by each
    // completion so that buffers of an earlier opening are recognised and dropped.
    virtual std::uint64_t Session() const = 0;
    virtual int Prepare(WaveHeader& header) = 0;
    virtual int Unprepare(WaveHeader& header) = 0;
    virtual int AddBuffer(WaveHeader& header) = 0;
    virtual int Start() = 0;
    virtual int Stop() = 0;
    virtual int Reset() = 0;
    virtual int Close() = 0;
};

// An open wave-output device. Write queues a prepared header for playing after those already
// queued; playing starts with the first Write (after Pause, Write queues without playing until
// Restart). A played header gets the Done flag; when the device was opened with a queue it is
// also posted as OutputDone (the engines open their output without one). When the queue of
// headers runs dry the device plays silence until the next Write: such a gap is an underrun.
// Reset stops and returns every queued header.
class IWaveOut {
public:
    virtual ~IWaveOut() = default;
    virtual std::uint64_t Session() const = 0;
    virtual int Prepare(WaveHeader& header) = 0;
    virtual int Unprepare(WaveHeader& header) = 0;
    virtual int Write(WaveHeader& header) = 0;
    virtual int Pause() = 0;
    virtual int Restart() = 0;
    virtual int Reset() = 0;
    virtual int Close() = 0;
    // Gaps since the device was opened: how many times the queue ran dry while playing.
    virtual long long Underruns() const = 0;
};

// The capability record of an input device.
struct WaveInCaps {
    std::string name;          // product name
    int channels = 0;          // most input channels
    std::uint32_t formats = 0; // wavecaps bits
};

// A sound card: the pair of devices an engine records from and plays on. One object stands for
// the system's default devices (the wave mapper) of the back-end or for the virtual card.
class ISoundCard {
public:
    virtual ~ISoundCard() = default;
    // Shown in dialogs and the CLI: "virtual", or the back-end's device name.
    virtual std::string Name() const = 0;
    // The input capability record; mmres::NoError when the card has an input device at all.
    virtual int GetInDevCaps(WaveInCaps& caps) = 0;
    // Whether both devices can run this exact format.
    virtual bool IsFormatSupported(const WaveFormat& format) = 0;
    // Opens the input device; completions go to `queue`, which must outlive the device.
    virtual int OpenIn(std::unique_ptr<IWaveIn>& in, const WaveFormat& format,
                       CompletionQueue& queue) = 0;
    // Opens the output device; `queue` may be null (no notifications).
    virtual int OpenOut(std::unique_ptr<IWaveOut>& out, const WaveFormat& format,
                        CompletionQueue* queue) = 0;
    // The engine's fixed pauses (device settling). Real cards sleep; a card with its own clock
    // makes them free.
    virtual void Pause(int milliseconds) = 0;
    // A card whose clock does not run by itself advances here: called by the loop that drains
    // the queue when nothing is waiting. Returns false when the card runs by itself or nothing
    // can advance (no device started).
    virtual bool Pump() { return false; }
    // Text of the last failure of an open or start, for messages; empty when none.
    virtual std::string LastError() const { return {}; }
};
