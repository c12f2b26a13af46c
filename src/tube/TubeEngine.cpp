#include "tube/TubeEngine.h"

#include "document/CKymoDoc.h"
#include "sound/RealtimeCodes.h"

#include <algorithm>
#include <cstring>

CTubeEngine::CTubeEngine(ISoundCard& card, CKymoDoc& doc) : SoundDuplex(card, doc) {
    SetVariant(SoundVariant::FrameCounted);
    SetRequestCode(realtime::kTubeScope);
}

void CTubeEngine::FillBuffers(int /*index*/, std::uint8_t* in, std::uint8_t* out,
                              std::uint32_t len) {
    if (!out) return;
    std::memcpy(out, in, len);
    const int frameBytes = m_nWidthCode == 1 ? 4 : 8;
    CKymoDoc& doc = Doc();
    const int frames =
        std::min(static_cast<int>(len / frameBytes),
                 static_cast<int>(std::min(doc.m_fWave1.size(), doc.m_fWave2.size())));
    m_processor.Process(out, frames, m_nWidthCode, doc.m_fWave1.data(), doc.m_fWave2.data());
}
