#pragma once

#include "sound/engine/SoundDuplex.h"
#include "sound/servo/ServoExcitation.h"

#include <cstdint>
#include <vector>

// The servo analyzer's engine (block-sized, request code 5): 16-bit stereo buffers of 2^(s+1)
// periods of S frames. Each output buffer carries the excitation period 2^(s+1) times on both
// channels (nothing for the external source); each recorded buffer is searched on ch1 for the
// start of the excitation, and one period from there goes to the document's capture area. The
// first three buffers after the start are never analysed (the loop is still filling).
//
// The loop delay is whatever the search finds in every buffer: nothing about the card's
// latency is assumed.
class CServoDuplex : public SoundDuplex {
public:
    static constexpr int kWarmUpBuffers = 3;

    CServoDuplex(ISoundCard& card, CKymoDoc& doc);

    // Before initRSound: builds the excitation for the document's N, down-sampling and taps
    // (the document's FFT tables must hold N). `seed` starts the random excitations.
    void Arm(int excitation, const std::vector<double>& taps, std::uint32_t seed);
    // Frames of one period, S.
    int PeriodFrames() const { return static_cast<int>(m_excitation.Period().size()); }
    // The length to give initRSound: two periods (the engine makes the buffer 2^s times that).
    int EngineLength() const { return 2 * PeriodFrames(); }
    // Frame of the last buffer at which its block was taken.
    int LastBlockStart() const { return m_nLastStart; }
    const CServoExcitation& Excitation() const { return m_excitation; }

protected:
    void FillBuffers(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len) override;
    void HandOver() override;

private:
    CServoExcitation m_excitation;
    int m_nQuietSteps = 0;
    int m_nStepFrames = 1;
    int m_nWarmUp = 0;
    int m_nLastStart = 0;
};
