#pragma once

#include "sound/engine/SoundDuplex.h"
#include "sound/scope/ScopeInterpolator.h"
#include "sound/scope/ScopeSweeper.h"

#include <cstdint>

// The oscilloscope's engine: 16-bit stereo buffers of 40 ms, each played back unchanged and
// written (interpolated fourfold with "OvrSamp") into the sweeper's ring; after every buffer the
// sweeper's trigger or free-run step runs and a finished sweep goes to the document's
// m_fWave1/2 (minus the 16-bit offsets) and, when the view is idle, to its scope-display
// request. A pending single shot stops the engine after the first sweep shown.
//
// The signal generator derives from it and replaces what is played and shown (Produce).
class CScopeDuplex : public SoundDuplex {
public:
    CScopeDuplex(ISoundCard& card, CKymoDoc& doc);

    // Before initRSound: the run's sweep (N frames at the capture rate), D (1 or 4), the frames
    // of one buffer, the trigger, and the shown channels (chmode). False when the ring cannot be
    // allocated.
    bool Arm(int sweepFrames, int over, int bufferFrames, const ScopeTrigger& trigger,
             int channelMode);
    // Releases the ring (after the stop).
    void Disarm() { m_sweeper.End(); }
    void SetXY(bool on) { m_bXY = on; }
    // Trigger and shown channels changed while running.
    void SetTrigger(const ScopeTrigger& trigger) { m_sweeper.SetTrigger(trigger); }
    void SetChannelMode(int channelMode) { m_interp.SetChannelMode(channelMode); }
    // "SING": the first sweep shown stops the engine.
    void SetSinglePending(bool on) { m_bSinglePending = on; }
    bool SinglePending() const { return m_bSinglePending; }
    int Over() const { return m_nOver; }
    const CScopeSweeper& Sweeper() const { return m_sweeper; }

protected:
    void FillBuffers(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len) override;
    void HandOver() override;
    // Writes what is played into `out` and the ring block `slot` (D x frames stereo samples,
    // 16-bit counts; null when no ring is armed) for a filled input buffer of `frames` frames
    // (`len` bytes).
    virtual void Produce(const std::uint8_t* in, std::uint8_t* out, std::uint32_t len, int frames,
                         std::int16_t* slot);

private:
    CScopeSweeper m_sweeper;
    CScopeInterpolator m_interp;
    int m_nOver = 1;
    bool m_bXY = false;
    bool m_bSinglePending = false;
};
