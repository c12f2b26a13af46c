#include "sound/scope/ScopeDuplex.h"

#include "document/CKymoDoc.h"
#include "filters/PcmSample.h"

#include <cstring>

namespace {
constexpr float kPercentTo16Bit = 327.68f;
} // namespace

CScopeDuplex::CScopeDuplex(ISoundCard& card, CKymoDoc& doc) : SoundDuplex(card, doc) {
    SetVariant(SoundVariant::DurationSized);
    SetRequestCode(0);
}

bool CScopeDuplex::Arm(int sweepFrames, int over, int bufferFrames, const ScopeTrigger& trigger,
                       int channelMode) {
    m_nOver = over == CScopeInterpolator::kFactor ? over : 1;
    m_bSinglePending = false;
    if (m_nOver > 1) m_interp.Reset(channelMode, bufferFrames);
    return m_sweeper.Begin(sweepFrames, m_nOver, m_nOver * bufferFrames, trigger);
}

void CScopeDuplex::FillBuffers(int /*index*/, std::uint8_t* in, std::uint8_t* out,
                               std::uint32_t len) {
    const int frames = static_cast<int>(len / static_cast<std::uint32_t>(Format().blockAlign));
    const bool ring = m_sweeper.IsReady() && frames * m_nOver == m_sweeper.BlockFrames();
    Produce(in, out, len, frames, ring ? m_sweeper.CurrentSlot() : nullptr);
}

void CScopeDuplex::Produce(const std::uint8_t* in, std::uint8_t* out, std::uint32_t len, int frames,
                           std::int16_t* slot) {
    if (out) std::memcpy(out, in, len);
    if (!slot) return;
    if (m_nOver > 1) {
        m_interp.Run(in, frames, slot);
        return;
    }
    for (int i = 0; i < 2 * frames; ++i)
        slot[i] = static_cast<std::int16_t>(pcmio::Read16(in + 2 * i));
}

void CScopeDuplex::HandOver() {
    if (!m_sweeper.IsReady()) return;
    CKymoDoc& doc = Doc();
    const bool freeRun = m_bXY || (doc.m_nRealUpdates == 0 && !m_bSinglePending);
    if (!m_sweeper.Step(freeRun, doc.m_fWave1.data(), doc.m_fWave2.data(),
                        doc.m_fOffset16L * kPercentTo16Bit, doc.m_fOffset16R * kPercentTo16Bit,
                        doc.m_fTrigFrac))
        return;
    if (doc.m_bRealBusy) {
        ++m_stats.skippedBusy;
        return;
    }
    doc.m_bRealBusy = 1;
    ++m_stats.handedOver;
    doc.ShowScopeSweep(m_nOver);
    if (m_bSinglePending) {
        m_bSinglePending = false;
        StopRSound();
        NotifyStopped();
    }
}
