#include "sound/generator/SigGenDuplex.h"

#include "document/ByteOrder.h"

CSigGenDuplex::CSigGenDuplex(ISoundCard& card, CKymoDoc& doc) : CScopeDuplex(card, doc) {
    SetVariant(SoundVariant::FrameCounted);
}

void CSigGenDuplex::BeginSynth(const SigGenSettings& settings, std::uint32_t seed) {
    m_nWidth = settings.widthCode;
    m_synth.Begin(settings, seed);
}

void CSigGenDuplex::Produce(const std::uint8_t* /*in*/, std::uint8_t* out, std::uint32_t /*len*/,
                            int frames, std::int16_t* slot) {
    if (!out) return;
    m_synth.FillContainers(out, frames);
    if (!slot) return;
    const int bytes = m_nWidth == 1 ? 2 : 4;
    for (int i = 0; i < 2 * frames; ++i) {
        const std::uint8_t* p = out + static_cast<std::size_t>(i) * bytes;
        slot[i] = bytes == 2 ? static_cast<std::int16_t>(ReadLe16(p))
                             : static_cast<std::int16_t>(ReadLe32(p) >> 16);
    }
}
