#pragma once

#include "sound/devices/VirtualClock.h"
#include "sound/engine/SoundCard.h"

#include <memory>
#include <string>

class CVirtualCardCore;

// A sound card without hardware: its inputs hear its outputs (and a built-in source) through a
// simulated device under test described by a DUT text (see DutText.h). Input and output share
// one frame clock, which runs by wall time on the card's thread (RealTime) or only when the
// owner calls Pump (Fast). Samples inside the card are doubles in 16-bit counts; inputs are
// quantised like a converter's (PcmFrameCodec.h).
//
// One input and one output may be open at a time, at one rate. Each opening gets a new session.
// A fault of the text makes the opens fail (mmres::Allocated), the input's Start fail
// (mmres::Error), or the devices disappear after some seconds of the clock: every queued header
// is returned, DeviceLost is posted, and later calls but Unprepare and Close answer
// mmres::NoDriver until both devices are closed.
class CVirtualSoundCard : public ISoundCard {
public:
    // Parses `dutText` and reads the files it names; nullptr and `error` set to a message
    // naming the offending item on failure.
    static std::unique_ptr<CVirtualSoundCard> Create(const std::string& dutText, VirtualClock clock,
                                                     std::string& error);
    ~CVirtualSoundCard() override;

    std::string Name() const override { return "virtual"; }
    int GetInDevCaps(WaveInCaps& caps) override;
    bool IsFormatSupported(const WaveFormat& format) override;
    int OpenIn(std::unique_ptr<IWaveIn>& in, const WaveFormat& format,
               CompletionQueue& queue) override;
    int OpenOut(std::unique_ptr<IWaveOut>& out, const WaveFormat& format,
                CompletionQueue* queue) override;
    // The card's clock makes the engine's settling pauses free.
    void Pause(int milliseconds) override {}
    bool Pump() override;
    std::string LastError() const override;

    // Frames captured while the input was started with no header queued, since it was opened
    // (those of the last input once it is closed).
    long long LostInputFrames() const;

private:
    explicit CVirtualSoundCard(std::shared_ptr<CVirtualCardCore> core);
    std::shared_ptr<CVirtualCardCore> m_core;
};
