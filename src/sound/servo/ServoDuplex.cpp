#include "sound/servo/ServoDuplex.h"

#include "document/CKymoDoc.h"
#include "filters/PcmSample.h"
#include "sound/RealtimeCodes.h"
#include "sound/servo/ServoMessages.h"
#include "sound/servo/ServoSync.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kFrameBytes = 4; // 16-bit stereo
constexpr int kMaxDownExp = 6;
} // namespace

CServoDuplex::CServoDuplex(ISoundCard& card, CKymoDoc& doc) : SoundDuplex(card, doc) {
    SetVariant(SoundVariant::BlockSized);
    SetRequestCode(realtime::kServo);
}

void CServoDuplex::Arm(int excitation, const std::vector<double>& taps, std::uint32_t seed) {
    CKymoDoc& doc = Doc();
    int d = -doc.m_nDownExp;
    if (d < 0 || d > kMaxDownExp) {
        doc.Ui().ShowMessage(servomsg::kOverSampleError, MessageIcon::Error);
        d = 0;
    }
    m_excitation.Begin(excitation, doc.m_nPow, d, d > 0 ? taps : std::vector<double>(), seed);
    m_nQuietSteps = servo::QuietSteps(excitation, doc.m_nPow, d, static_cast<int>(taps.size()));
    m_nStepFrames = 1 << (d + doc.m_nPow);
    m_nWarmUp = 0;
    m_nLastStart = 0;
}

void CServoDuplex::FillBuffers(int /*index*/, std::uint8_t* in, std::uint8_t* out,
                               std::uint32_t len) {
    const int period = PeriodFrames();
    const int frames = static_cast<int>(len / kFrameBytes);
    const int periods = period > 0 ? frames / period : 0;
    if (periods < 2) return;
    if (m_excitation.RenewsEveryBuffer()) m_excitation.Renew();
    if (out && m_excitation.Excitation() != servo::kExternal) {
        const std::vector<std::int16_t>& x = m_excitation.Period();
        std::uint8_t* p = out;
        for (int r = 0; r < periods; ++r)
            for (int i = 0; i < period; ++i, p += kFrameBytes) {
                pcmio::Write16(p, x[i]);
                pcmio::Write16(p + 2, x[i]);
            }
    }
    m_nLastStart = servo::FindBlockStart(in, 2 * period, m_nStepFrames, m_nQuietSteps, period);
    CKymoDoc& doc = Doc();
    if (!doc.m_pWaveData) return;
    const std::size_t bytes = std::min<std::size_t>(static_cast<std::size_t>(period) * kFrameBytes,
                                                    std::max(doc.m_nWavDataSize, 0));
    std::memcpy(doc.m_pWaveData, in + static_cast<std::size_t>(m_nLastStart) * kFrameBytes, bytes);
}

void CServoDuplex::HandOver() {
    if (m_nWarmUp < kWarmUpBuffers) {
        ++m_nWarmUp;
        return;
    }
    SoundDuplex::HandOver();
}
