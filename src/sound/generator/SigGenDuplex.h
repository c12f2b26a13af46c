#pragma once

#include "sound/generator/SigGenSynth.h"
#include "sound/scope/ScopeDuplex.h"

// The signal generator's engine: the extensible format of its width code, stereo, buffers of
// 40 ms. Every buffer played is the next piece of the mix (the recorded input is not used); it
// is shown through the oscilloscope's ring and trigger (D = 1), as 16-bit counts (the top 16
// bits of the wider samples).
class CSigGenDuplex : public CScopeDuplex {
public:
    CSigGenDuplex(ISoundCard& card, CKymoDoc& doc);

    // Starts the mix at n = 0 (ON, every on-switch).
    void BeginSynth(const SigGenSettings& settings, std::uint32_t seed);
    const CSigGenSynth& Synth() const { return m_synth; }

protected:
    void Produce(const std::uint8_t* in, std::uint8_t* out, std::uint32_t len, int frames,
                 std::int16_t* slot) override;

private:
    CSigGenSynth m_synth;
    int m_nWidth = 1;
};
