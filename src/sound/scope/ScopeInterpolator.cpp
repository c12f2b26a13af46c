#include "sound/scope/ScopeInterpolator.h"

#include "filters/PcmSample.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr double kB0 = 0.1595536;
constexpr double kA1[] = {-1.484179, -1.510352, -1.588971, -1.671593};
constexpr double kA2[] = {0.9724793, 0.9054149, 0.8114051, 0.7244338};
constexpr double kB1[] = {-0.1976624, -0.1747702, -0.09233834, 0.1892655};
constexpr int kFrameBytes = 4;
} // namespace

CScopeInterpolator::CScopeInterpolator() {
    for (int k = 0; k < kOrder / 2; ++k) {
        m_table.a0[k] = 1.0;
        m_table.a1[k] = kA1[k];
        m_table.a2[k] = kA2[k];
        m_table.b0[k] = kB0;
        m_table.b1[k] = kB1[k];
        m_table.b2[k] = kB0;
    }
}

void CScopeInterpolator::Reset(int channelMode, int frames) {
    m_nMode = channelMode;
    m_state1 = {};
    m_state2 = {};
    const std::size_t bytes = static_cast<std::size_t>(std::max(frames, 0)) * kFactor * kFrameBytes;
    m_stuffed.assign(bytes, 0);
    m_filtered.assign(bytes, 0);
}

void CScopeInterpolator::Run(const std::uint8_t* in, int frames, std::int16_t* out) {
    const std::size_t bytes = static_cast<std::size_t>(frames) * kFactor * kFrameBytes;
    if (frames <= 0 || bytes > m_stuffed.size()) return;
    std::fill(m_stuffed.begin(), m_stuffed.begin() + static_cast<std::ptrdiff_t>(bytes), 0);
    for (int i = 0; i < frames; ++i)
        std::memcpy(m_stuffed.data() + static_cast<std::size_t>(i) * kFactor * kFrameBytes,
                    in + static_cast<std::size_t>(i) * kFrameBytes, kFrameBytes);
    CascadeFilterPcm(m_nMode, kGain, static_cast<int>(bytes), kFrameBytes, pcm::Stereo16, kOrder,
                     m_table, m_state1, m_state2, 0, m_stuffed.data(), m_filtered.data(), true);
    for (std::size_t i = 0; i < bytes / 2; ++i)
        out[i] = static_cast<std::int16_t>(pcmio::Read16(m_filtered.data() + 2 * i));
}
