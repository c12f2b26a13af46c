#pragma once

#include "sound/engine/SoundDuplex.h"

#include <functional>

// The audio measurement's engine (frame-counted, N frames a buffer): the panel fills every output
// buffer and analyses every input buffer itself (FillBuffers), and hands the display over after
// the buffer went back to the device (HandOver).
class CAudioEngine : public SoundDuplex {
public:
    using Fill =
        std::function<void(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len)>;
    CAudioEngine(ISoundCard& card, CKymoDoc& doc) : SoundDuplex(card, doc) {
        SetVariant(SoundVariant::FrameCounted);
    }
    void SetFill(Fill fill) { m_fill = std::move(fill); }
    void SetHandOver(std::function<void()> handOver) { m_handOver = std::move(handOver); }

protected:
    void FillBuffers(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len) override {
        if (m_fill) m_fill(index, in, out, len);
    }
    void HandOver() override {
        if (m_handOver) m_handOver();
    }

private:
    Fill m_fill;
    std::function<void()> m_handOver;
};
