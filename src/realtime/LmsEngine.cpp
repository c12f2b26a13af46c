#include "realtime/LmsEngine.h"

#include "document/CKymoDoc.h"
#include "dsp/FloatToInt.h"
#include "filters/FirMagnitude.h"
#include "filters/PcmSample.h"
#include "realtime/LmsSettings.h"
#include "realtime/RtFilterEngine.h"
#include "sound/RealtimeCodes.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kFrameBytes = 4;

} // namespace

CLmsEngine::CLmsEngine(ISoundCard& card, CKymoDoc& doc) : SoundDuplex(card, doc) {
    SetVariant(SoundVariant::DurationSized);
    SetHistoryFrames(0);
}

int CLmsEngine::Start(int rate) {
    CKymoDoc& doc = Doc();
    m_bDue = false;
    SetPriorityBoost(true, doc.m_nProcessPriority, doc.m_nThreadPriority);
    if (!initRSound(rate, 16, 2, RtBufferDuration(doc.m_nBufferSize))) return 0;
    return StartRSound();
}

void CLmsEngine::FillBuffers(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len) {
    m_start = std::chrono::steady_clock::now();
    m_nIndex = index;
    const int frames = static_cast<int>(len / kFrameBytes);
    m_fBlockFrames = frames;
    m_in.resize(2 * static_cast<std::size_t>(frames));
    m_out.assign(2 * static_cast<std::size_t>(frames), 0);
    for (int k = 0; k < frames; ++k) {
        m_in[2 * k] = WrapToInt16(pcmio::Read16(in + k * kFrameBytes) - m_fOffset1);
        m_in[2 * k + 1] = WrapToInt16(pcmio::Read16(in + k * kFrameBytes + 2) - m_fOffset2);
    }
    m_filter.Process(m_in.data(), m_out.data(), frames);
    for (int k = 0; k < frames; ++k) {
        pcmio::Write16(out + k * kFrameBytes, m_out[2 * k]);
        pcmio::Write16(out + k * kFrameBytes + 2, m_out[2 * k + 1]);
    }
    const CKymoDoc& doc = Doc();
    if (m_nDisplayCode == realtime::kFilterSpectrum) {
        const int every = 1 << std::clamp(1 + doc.m_nBufferSize + doc.m_nDrawSpeed, 1, 5);
        if (index % every == 1) {
            CopyToMonitor(m_out.data(), frames);
            m_bDue = true;
        }
    } else if (m_nDisplayCode == realtime::kDesignResponse) {
        const int every = 1 << std::clamp(1 + doc.m_nDrawSpeed, 1, 5);
        if (index % every == 1) m_bDue = true;
    }
    if (m_bMute) std::memset(out, 0, len);
}

void CLmsEngine::CopyToMonitor(const std::int16_t* out, int frames) {
    CKymoDoc& doc = Doc();
    const int n = std::min({doc.m_nPoints, static_cast<int>(doc.m_fWave1.size()),
                            static_cast<int>(doc.m_fWave2.size())});
    const int count = std::min(frames, n);
    for (int i = 0; i < count; ++i) {
        const double d = out[2 * i], y = out[2 * i + 1];
        double v = y;
        switch (m_nRch) {
        case lmsrch::Lout:
            v = i + 1 < frames ? out[2 * (i + 1)] : 0.0;
            break;
        case lmsrch::Error:
            v = d - y;
            break;
        case lmsrch::Sum:
            v = d + y;
            break;
        case lmsrch::Lin:
            v = m_filter.InputLeft(i) + m_filter.SineAt(i);
            break;
        case lmsrch::Rin:
            v = m_filter.InputRight(i);
            break;
        default:
            break;
        }
        doc.m_fWave1[i] = static_cast<float>(d);
        doc.m_fWave2[i] = static_cast<float>(v);
    }
    std::fill(doc.m_fWave1.begin() + count, doc.m_fWave1.begin() + n, 0.0f);
    std::fill(doc.m_fWave2.begin() + count, doc.m_fWave2.begin() + n, 0.0f);
}

void CLmsEngine::ComputeResponses() {
    CKymoDoc& doc = Doc();
    const int m = doc.m_nPoints / 2;
    const std::vector<double>& w = m_filter.Weights();
    const int n = static_cast<int>(w.size());
    if (m < 1 || 2 * m > static_cast<int>(doc.m_fRe.size()) || n == 0) return;
    // With no positive weight the largest one (the least negative) moves to the middle.
    const int peak = static_cast<int>(std::max_element(w.begin(), w.end()) - w.begin());
    std::vector<double> rotated(w.size());
    for (int i = 0; i < n; ++i) rotated[(i - peak + n / 2 + n) % n] = w[i];
    std::vector<float> unused(2 * static_cast<std::size_t>(m));
    const std::vector<double>& first = m_bWeightsOnly ? rotated : m_filter.DemoTaps();
    FirMagnitude(0, first.data(), m, n, doc.m_fRe.data(), unused.data());
    FirMagnitude(0, rotated.data(), m, n, doc.m_fOpRe.data(), unused.data());
}

void CLmsEngine::HandOver() {
    CKymoDoc& doc = Doc();
    if (m_bDue) {
        m_bDue = false;
        if (doc.m_bRealBusy) {
            ++m_stats.skippedBusy;
        } else {
            if (m_nDisplayCode == realtime::kDesignResponse) ComputeResponses();
            doc.m_bRealBusy = 1;
            ++m_stats.handedOver;
            doc.ProcessRealtime(m_nDisplayCode);
        }
    }
    const int every = 1 << std::clamp(1 + doc.m_nDrawSpeed, 1, 3);
    if (m_nIndex % every == 0 && m_fBlockFrames > 0) {
        const double fs = Format().samplesPerSec;
        m_fLoad =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start)
                .count() *
            fs / (m_fBlockFrames * 5.0);
    }
}
