#pragma once

#include "sound/engine/SoundCard.h"

#include <memory>

class CPortAudioDuplex;

// The wave-output device of a PortAudio card: one opening of the card's output side.
// Destroyed without Close, it forgets its queued headers and closes the side.
class CPortAudioWaveOut : public IWaveOut {
public:
    CPortAudioWaveOut(std::shared_ptr<CPortAudioDuplex> duplex, std::uint64_t session)
        : m_duplex(std::move(duplex)), m_session(session) {}
    ~CPortAudioWaveOut() override;

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
    std::shared_ptr<CPortAudioDuplex> m_duplex;
    std::uint64_t m_session;
};
