#pragma once

#include "sound/engine/SoundDuplex.h"

// The 3D spectrum analyzer's engine: the block-sized engine with request code 3 and two rules
// of its own. When the history is full and "Repeat" is off, the capture stops by itself (as
// "dISP") and the buffer is not handed over. With the USB card fix on, the buffer after every
// hand-over only counts, so at least one buffer separates two hand-overs.
class CSpec3DEngine : public SoundDuplex {
public:
    CSpec3DEngine(ISoundCard& card, CKymoDoc& doc);

    // True after the engine stopped itself because the history was full.
    bool StoppedAtEnd() const { return m_bStoppedAtEnd; }
    void ClearStoppedAtEnd() { m_bStoppedAtEnd = false; }

protected:
    void HandOver() override;

private:
    bool m_bSkipNext = false;
    bool m_bStoppedAtEnd = false;
};
