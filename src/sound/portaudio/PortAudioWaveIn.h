#pragma once

#include "sound/engine/SoundCard.h"

#include <memory>

class CPortAudioDuplex;

// The wave-input device of a PortAudio card: one opening of the card's input side. Destroyed
// without Close, it forgets its queued headers and closes the side.
class CPortAudioWaveIn : public IWaveIn {
public:
    CPortAudioWaveIn(std::shared_ptr<CPortAudioDuplex> duplex, std::uint64_t session)
        : m_duplex(std::move(duplex)), m_session(session) {}
    ~CPortAudioWaveIn() override;

    std::uint64_t Session() const override { return m_session; }
    int Prepare(WaveHeader& header) override;
    int Unprepare(WaveHeader& header) override;
    int AddBuffer(WaveHeader& header) override;
    int Start() override;
    int Stop() override;
    int Reset() override;
    int Close() override;

private:
    std::shared_ptr<CPortAudioDuplex> m_duplex;
    std::uint64_t m_session;
};
