#pragma once

#include "sound/engine/SoundDuplex.h"
#include "tube/TubeProcessor.h"

// The amplifier's engine: every filled input buffer is copied into its output buffer and played
// through the stage (or unchanged with Through); the input samples go to the document's
// m_fWave1 / m_fWave2 for the live scope.
class CTubeEngine : public SoundDuplex {
public:
    CTubeEngine(ISoundCard& card, CKymoDoc& doc);
    CTubeProcessor& Processor() { return m_processor; }
    void SetWidthCode(int code) { m_nWidthCode = code; }

protected:
    void FillBuffers(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len) override;

private:
    CTubeProcessor m_processor;
    int m_nWidthCode = 1;
};
