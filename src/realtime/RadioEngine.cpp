#include "realtime/RadioEngine.h"

#include "document/CKymoDoc.h"
#include "filters/PcmSample.h"
#include "realtime/RtFilterEngine.h"
#include "sound/RealtimeCodes.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kFrameBytes = 4;

} // namespace

CRadioEngine::CRadioEngine(ISoundCard& card, CKymoDoc& doc) : SoundDuplex(card, doc) {
    SetVariant(SoundVariant::DurationSized);
    SetHistoryFrames(0);
}

int CRadioEngine::Start(int rate) {
    CKymoDoc& doc = Doc();
    m_bDue = false;
    SetPriorityBoost(true, doc.m_nProcessPriority, doc.m_nThreadPriority);
    if (!initRSound(rate, 16, 2, RtBufferDuration(doc.m_nBufferSize))) return 0;
    return StartRSound();
}

int CRadioEngine::RequestCode() const {
    switch (m_nDisplay) {
    case radiodisplay::LogAf:
    case radiodisplay::LogRf:
        return realtime::kFilterSpectrum;
    case radiodisplay::LinAf:
    case radiodisplay::LinRf:
        return realtime::kLinearMonitor;
    case radiodisplay::Waterfall:
        return realtime::kRadioWaterfall;
    default:
        return 0;
    }
}

bool CRadioEngine::EarlyDisplay() const {
    const RadioSettings& s = m_modem.Settings();
    const bool af = m_nDisplay == radiodisplay::LogAf || m_nDisplay == radiodisplay::LinAf;
    if (s.TrmFlg == s.RcvFlg) return true; // loop modes and "ｽﾙｰﾓｰﾄﾞ"
    return s.TrmFlg ? af : !af;
}

void CRadioEngine::CopyToMonitor(const std::vector<std::int16_t>& block, int frames) {
    CKymoDoc& doc = Doc();
    const int n = std::min({doc.m_nPoints, static_cast<int>(doc.m_fWave1.size()),
                            static_cast<int>(doc.m_fWave2.size())});
    const int count = std::min(frames, n);
    for (int i = 0; i < count; ++i) {
        doc.m_fWave1[i] = block[2 * i];
        doc.m_fWave2[i] = block[2 * i + 1];
    }
    std::fill(doc.m_fWave1.begin() + count, doc.m_fWave1.begin() + n, 0.0f);
    std::fill(doc.m_fWave2.begin() + count, doc.m_fWave2.begin() + n, 0.0f);
}

void CRadioEngine::FillBuffers(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len) {
    const int frames = static_cast<int>(len / kFrameBytes);
    m_in.resize(2 * static_cast<std::size_t>(frames));
    m_out.resize(m_in.size());
    for (std::size_t i = 0; i < m_in.size(); ++i)
        m_in[i] = static_cast<std::int16_t>(pcmio::Read16(in + 2 * i));
    m_modem.Process(m_in.data(), m_out.data(), frames, &m_source);
    for (std::size_t i = 0; i < m_out.size(); ++i) pcmio::Write16(out + 2 * i, m_out[i]);
    const CKymoDoc& doc = Doc();
    const int every = 1 << std::clamp(1 + doc.m_nDrawSpeed + doc.m_nBufferSize, 1, 5);
    if (RequestCode() != 0 && index % every == 1) {
        CopyToMonitor(EarlyDisplay() ? m_source : m_out, frames);
        m_bDue = true;
    }
    if (m_bMute) std::memset(out, 0, len);
}

void CRadioEngine::HandOver() {
    CKymoDoc& doc = Doc();
    if (!m_bDue) return;
    m_bDue = false;
    if (doc.m_bRealBusy) {
        ++m_stats.skippedBusy;
        return;
    }
    doc.m_bRealBusy = 1;
    ++m_stats.handedOver;
    doc.ProcessRealtime(RequestCode());
}
