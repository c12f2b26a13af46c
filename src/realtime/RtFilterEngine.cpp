#include "realtime/RtFilterEngine.h"

#include "document/CKymoDoc.h"
#include "dsp/FloatToInt.h"
#include "filters/PcmSample.h"
#include "realtime/LineOutMode.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kFrameBytes = 4; // 16-bit stereo

double MillisecondsSince(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

} // namespace

int RtBufferDuration(int bufferSize) {
    switch (bufferSize) {
    case 0:
        return 50;
    case 2:
        return 15;
    default:
        return 25;
    }
}

CRtFilterEngine::CRtFilterEngine(ISoundCard& card, CKymoDoc& doc, RtFilterKind kind)
    : SoundDuplex(card, doc), m_kind(kind),
      m_history(kind == RtFilterKind::Fir ? kRtMaxFirTaps * kFrameBytes : 0) {
    SetVariant(SoundVariant::DurationSized);
    SetHistoryFrames(kind == RtFilterKind::Fir ? kRtMaxFirTaps : 0);
}

int CRtFilterEngine::Start(int rate) {
    CKymoDoc& doc = Doc();
    ClearState();
    m_bHandOverDue = false;
    SetPriorityBoost(true, doc.m_nProcessPriority, doc.m_nThreadPriority);
    if (!initRSound(rate, 16, 2, RtBufferDuration(doc.m_nBufferSize))) return 0;
    // FirFilterPcm writes all its frames, history included: the block's result is the start.
    if (m_kind == RtFilterKind::Fir)
        m_scratch.assign(BufferBytes() + static_cast<std::size_t>(kRtMaxFirTaps) * kFrameBytes, 0);
    return StartRSound();
}

void CRtFilterEngine::SetFirTaps(const std::vector<double>& taps) {
    m_taps.assign(taps.begin(), taps.begin() + std::min<std::size_t>(taps.size(), kRtMaxFirTaps));
}

void CRtFilterEngine::SetBiquad(const float den[3], const float num[3]) {
    std::copy(den, den + 3, m_den);
    std::copy(num, num + 3, m_num);
}

void CRtFilterEngine::SetCascade(int order, const BiquadTable& table) {
    m_nOrder = std::clamp(order, 0, filt::kMaxIirOrder);
    m_table = table;
}

void CRtFilterEngine::ClearState() {
    std::fill(m_history.begin(), m_history.end(), std::uint8_t{0});
    for (auto& h : m_inHist) h[0] = h[1] = 0.0f;
    for (auto& h : m_outHist) h[0] = h[1] = 0.0f;
    m_state[0] = CascadeState{};
    m_state[1] = CascadeState{};
}

void CRtFilterEngine::MakeWorkBlock(std::uint8_t* block, int frames) {
    if (m_bGenerator) {
        for (int i = 0; i < frames; ++i) {
            const int v = m_noise.Next(m_fLevel);
            pcmio::Write16(block + i * kFrameBytes, v);
            pcmio::Write16(block + i * kFrameBytes + 2, v);
        }
        return;
    }
    if (m_fOffset1 == 0.0 && m_fOffset2 == 0.0) return;
    for (int i = 0; i < frames; ++i) {
        std::uint8_t* p = block + i * kFrameBytes;
        pcmio::Write16(p, WrapToInt16(pcmio::Read16(p) - m_fOffset1));
        pcmio::Write16(p + 2, WrapToInt16(pcmio::Read16(p + 2) - m_fOffset2));
    }
}

void CRtFilterEngine::Filter(std::uint8_t* in, std::uint8_t* out, int frames) {
    switch (m_kind) {
    case RtFilterKind::Fir: {
        // The input buffer has kRtMaxFirTaps frames of room in front of the block: the last N
        // frames of history go there, so the filter sees one continuous signal.
        const int n = static_cast<int>(m_taps.size());
        std::uint8_t* work = in - static_cast<std::ptrdiff_t>(n) * kFrameBytes;
        std::memcpy(work, m_history.data() + m_history.size() - n * kFrameBytes,
                    static_cast<std::size_t>(n) * kFrameBytes);
        FirFilterPcm(m_nChannelMode, frames + n, pcm::Stereo16, n, m_taps.data(), 0, work,
                     m_scratch.data());
        std::memcpy(out, m_scratch.data(), static_cast<std::size_t>(frames) * kFrameBytes);
        KeepHistory(in, frames);
        break;
    }
    case RtFilterKind::Biquad:
        BiquadFilterPcm(m_nChannelMode, frames, pcm::Stereo16, m_den[0], m_den[1], m_den[2],
                        m_num[0], m_num[1], m_num[2], m_inHist[0], m_inHist[1], m_outHist[0],
                        m_outHist[1], 0, in, out);
        break;
    case RtFilterKind::Cascade:
        CascadeFilterPcm(m_nChannelMode, 1.0, frames * kFrameBytes, kFrameBytes, pcm::Stereo16,
                         m_nOrder, m_table, m_state[0], m_state[1], 0, in, out);
        break;
    }
}

void CRtFilterEngine::KeepHistory(const std::uint8_t* block, int frames) {
    const std::size_t bytes = static_cast<std::size_t>(frames) * kFrameBytes;
    const std::size_t size = m_history.size();
    if (bytes >= size) {
        std::memcpy(m_history.data(), block + bytes - size, size);
        return;
    }
    std::memmove(m_history.data(), m_history.data() + bytes, size - bytes);
    std::memcpy(m_history.data() + size - bytes, block, bytes);
}

void CRtFilterEngine::CopyToMonitor(const std::uint8_t* block, int frames) {
    CKymoDoc& doc = Doc();
    const int n = std::min({doc.m_nPoints, static_cast<int>(doc.m_fWave1.size()),
                            static_cast<int>(doc.m_fWave2.size())});
    // A short buffer (15 ms at 44.1 kHz is 661 frames) fills only part of the record.
    const int count = std::min(frames, n);
    for (int i = 0; i < count; ++i) {
        doc.m_fWave1[i] = static_cast<float>(pcmio::Read16(block + i * kFrameBytes));
        doc.m_fWave2[i] = static_cast<float>(pcmio::Read16(block + i * kFrameBytes + 2));
    }
    std::fill(doc.m_fWave1.begin() + count, doc.m_fWave1.begin() + n, 0.0f);
    std::fill(doc.m_fWave2.begin() + count, doc.m_fWave2.begin() + n, 0.0f);
}

void CRtFilterEngine::MeasurePeaks(const std::uint8_t* block, int frames) {
    int peak[2] = {0, 0};
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < 2; ++c)
            peak[c] = std::max(peak[c], pcmio::Read16(block + i * kFrameBytes + 2 * c));
    for (int c = 0; c < 2; ++c) m_nPeak[c] = peak[c] / 328;
}

void CRtFilterEngine::FillBuffers(int index, std::uint8_t* in, std::uint8_t* out,
                                  std::uint32_t len) {
    m_start = std::chrono::steady_clock::now();
    m_nIndex = index;
    const int frames = static_cast<int>(len / kFrameBytes);
    m_fBlockFrames = frames;
    MakeWorkBlock(in, frames);
    if (m_inputTap) m_inputTap(in, len);
    const auto filterStart = std::chrono::steady_clock::now();
    Filter(in, out, frames);
    m_fFilterMs = MillisecondsSince(filterStart);
    LineOutMode(m_nLineOut, m_fGain, out, frames);

    const CKymoDoc& doc = Doc();
    if (m_bPeakMeters && (index == 0 || doc.m_nBufferSize == 0)) MeasurePeaks(out, frames);
    const int every = 1 << std::clamp(1 + doc.m_nBufferSize + doc.m_nDrawSpeed, 1, 5);
    if (m_nMonitorCode != 0 && index % every == 1) {
        CopyToMonitor(out, frames);
        m_bHandOverDue = true;
    }
    if (m_bMute) std::memset(out, 0, len);
}

void CRtFilterEngine::HandOver() {
    CKymoDoc& doc = Doc();
    if (m_bHandOverDue) {
        m_bHandOverDue = false;
        if (doc.m_bRealBusy) {
            ++m_stats.skippedBusy;
        } else {
            doc.m_bRealBusy = 1;
            ++m_stats.handedOver;
            doc.ProcessRealtime(m_nMonitorCode);
        }
    }
    const int every = 1 << std::clamp(1 + doc.m_nDrawSpeed, 1, 3);
    if (m_nIndex % every == 0 && m_fBlockFrames > 0) {
        // 100 when the buffer took half of its own duration.
        const double fs = Format().samplesPerSec;
        m_fLoad = MillisecondsSince(m_start) * fs / (m_fBlockFrames * 5.0);
    }
}
