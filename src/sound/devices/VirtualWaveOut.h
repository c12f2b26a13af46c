#pragma once

#include "sound/engine/SoundCard.h"

#include <cstdint>
#include <memory>

class CVirtualCardCore;

// The virtual card's output device as the engine holds it: each call goes to the card with
// this opening's session. Destroyed without Close, it forgets its queued headers.
class CVirtualWaveOut : public IWaveOut {
public:
    CVirtualWaveOut(std::shared_ptr<CVirtualCardCore> core, std::uint64_t session)
        : m_core(std::move(core)), m_session(session) {}
    ~CVirtualWaveOut() override;

    std::uint64_t Session() const override { return m_session; }
    int Prepare(WaveHeader& header) override;
    int Unprepare(WaveHeader& header) override;
    int Write(WaveHeader& header) override;
    int Pause() override;
    int Restart() override;
    int Reset() override;
    int Close() override;
    long long Underruns() const override;

private:
    std::shared_ptr<CVirtualCardCore> m_core;
    std::uint64_t m_session;
};
