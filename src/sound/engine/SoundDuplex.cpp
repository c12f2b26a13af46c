#include "sound/engine/SoundDuplex.h"

#include "document/CKymoDoc.h"
#include "dsp/FloatToInt.h"
#include "sound/engine/SoundMessages.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

std::unique_ptr<std::uint8_t[]> AllocateBytes(std::size_t bytes) {
    try {
        return std::make_unique<std::uint8_t[]>(bytes);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// Second message of a failing prepare or add call, by result code; null when the call has none.
const char* ResultMessage(int result, bool addCall) {
    switch (result) {
    case mmres::HandleBusy:
        return sndmsg::kHandleBusy;
    case mmres::InvalHandle:
        return sndmsg::kInvalidHandle;
    case mmres::NoDriver:
        return sndmsg::kNoDriver;
    case mmres::NoMem:
        return sndmsg::kNoMemory;
    case mmres::Unprepared:
        return addCall ? sndmsg::kUnprepared : nullptr;
    default:
        return nullptr;
    }
}

} // namespace

SoundDuplex::SoundDuplex(ISoundCard& card, CKymoDoc& doc) : m_card(card), m_doc(doc) {}

SoundDuplex::~SoundDuplex() {
    Release();
}

void SoundDuplex::SetAnalysisSize(int pow, int downExp) {
    m_nPow = std::clamp(pow, 0, 8);
    m_nDownExp = std::clamp(downExp, 0, 6);
}

void SoundDuplex::SetIntervalTenths(int tenths) {
    m_nIntervalTenths = std::clamp(tenths, 0, 20);
    if (m_bRunning) ComputeBlockInterval();
}

void SoundDuplex::SetPriorityBoost(bool on, int processSetting, int threadSetting) {
    m_bBoost = on;
    m_nProcessPriority = processSetting;
    m_nThreadPriority = threadSetting;
}

long long SoundDuplex::OutputUnderruns() const {
    return m_out ? m_out->Underruns() : 0;
}

int SoundDuplex::BufferLength(int length) {
    const int align = m_format.blockAlign;
    switch (m_variant) {
    case SoundVariant::BlockSized: {
        const int limit = m_format.samplesPerSec > 48000 ? 5 : 4;
        m_nSizeShift = std::max(0, limit - m_nPow - m_nDownExp);
        return align * length << m_nSizeShift;
    }
    case SoundVariant::DurationSized:
    case SoundVariant::InputOnly: {
        // Whole frames only: a payload ending inside a frame would swap the channels from then on.
        const long long frames = static_cast<long long>(length) * m_format.samplesPerSec / 1000;
        return static_cast<int>(frames * align);
    }
    case SoundVariant::FrameCounted:
        return align * length;
    }
    return 0;
}

int SoundDuplex::initRSound(int rate, int bits, int channels, int length, const char* /*name*/) {
    if (m_bRunning || m_in) return 0;
    m_nLastResult = mmres::NoError;
    m_bOpenFailed = false;
    m_stats = {};
    if (m_variant == SoundVariant::FrameCounted) {
        const auto f = MakeExtensibleFormat(rate, bits, channels);
        if (!f) return 0;
        m_format = *f;
    } else {
        m_format = MakePcmFormat(rate, bits, channels);
    }
    const int bytes = BufferLength(length);
    if (m_format.blockAlign <= 0 || length <= 0 || bytes <= 0) return 0;

    if (m_bBoost) m_boost.Raise(m_nProcessPriority, m_nThreadPriority);
    int r = m_card.OpenIn(m_in, m_format, m_queue);
    if (r != mmres::NoError || !m_in) {
        m_nLastResult = r != mmres::NoError ? r : mmres::Error;
        m_bOpenFailed = true;
        Release();
        return 0;
    }
    m_inSession = m_in->Session();
    if (m_variant != SoundVariant::InputOnly) {
        r = m_card.OpenOut(m_out, m_format, nullptr);
        if (r != mmres::NoError || !m_out) {
            m_nLastResult = r != mmres::NoError ? r : mmres::Error;
            m_bOpenFailed = true;
            Release();
            return 0;
        }
        m_outSession = m_out->Session();
    }

    m_nBufferBytes = static_cast<std::uint32_t>(bytes);
    m_nHistoryBytes = m_variant == SoundVariant::DurationSized
                          ? static_cast<std::uint32_t>(m_nHistoryFrames * m_format.blockAlign)
                          : 0;
    for (int i = 0; i < kBufferCount; ++i) {
        m_inBuf[i] = AllocateBytes(m_nHistoryBytes + m_nBufferBytes);
        if (m_out) m_outBuf[i] = AllocateBytes(m_nBufferBytes);
        if (!m_inBuf[i] || (m_out && !m_outBuf[i])) {
            m_doc.Ui().ShowMessage(sndmsg::kAllocFailed, MessageIcon::Error);
            Release();
            return 0;
        }
    }
    if (m_variant == SoundVariant::DurationSized) {
        m_work = AllocateBytes(m_nBufferBytes);
        if (!m_work) {
            m_doc.Ui().ShowMessage(sndmsg::kAllocFailed, MessageIcon::Error);
            Release();
            return 0;
        }
        m_work[0] = 0;
    }

    for (int i = 0; i < kBufferCount; ++i) {
        m_inHdr[i].SetUp(m_inBuf[i].get() + m_nHistoryBytes, m_nBufferBytes,
                         static_cast<std::uintptr_t>(i));
        if (m_out)
            m_outHdr[i].SetUp(m_outBuf[i].get(), m_nBufferBytes, static_cast<std::uintptr_t>(i));
        if ((r = m_in->Prepare(m_inHdr[i])) != mmres::NoError) {
            ReportCallFailure(sndmsg::kPrepareFailed, r, false);
            return 0;
        }
        if ((r = m_in->AddBuffer(m_inHdr[i])) != mmres::NoError) {
            ReportCallFailure(sndmsg::kAddBufferFailed, r, true);
            return 0;
        }
        if (m_out && (r = m_out->Prepare(m_outHdr[i])) != mmres::NoError) {
            ReportCallFailure(sndmsg::kOutPrepareFailed, r, false);
            return 0;
        }
    }
    m_nBlockCounter = 0;
    return 1;
}

void SoundDuplex::ReportCallFailure(const char* firstMessage, int result, bool addCall) {
    m_nLastResult = result;
    m_doc.Ui().ShowMessage(firstMessage, firstMessage == sndmsg::kPrepareFailed
                                             ? MessageIcon::Error
                                             : MessageIcon::None);
    if (const char* second = ResultMessage(result, addCall)) m_doc.Ui().ShowMessage(second);
    Release();
}

void SoundDuplex::ComputeBlockInterval() {
    if (m_variant != SoundVariant::BlockSized || m_format.samplesPerSec <= 0) {
        m_nBlockInterval = 0;
        return;
    }
    const double t = m_nIntervalTenths * 0.1;
    const double block =
        static_cast<double>((1 << m_nDownExp) * (1 << (m_nPow + 7))) / m_format.samplesPerSec;
    m_nBlockInterval = SaturateToInt32(t / block);
}

int SoundDuplex::StartRSound() {
    if (m_bRunning || !m_in) return 0;
    ComputeBlockInterval();
    m_nBlockCounter = 0;
    m_doc.m_bRealBusy = 0;
    m_bRunning = 1;
    m_card.Pause(500);
    const int r = m_in->Start();
    if (r != mmres::NoError) {
        m_nLastResult = r;
        m_bRunning = 0;
        Release();
        m_doc.Ui().ShowMessage(sndmsg::kStartFailed);
        return 0;
    }
    return 1;
}

int SoundDuplex::OnWimData(WaveHeader* hdr) {
    if (!m_bRunning || !hdr) return 0;
    const std::uintptr_t i = hdr->dwUser;
    if (i >= kBufferCount || hdr != &m_inHdr[i]) return 0;
    const std::uint32_t len = hdr->dwBufferLength;
    ++m_stats.buffers;
    FillBuffers(static_cast<int>(i), hdr->lpData, m_out ? m_outBuf[i].get() : nullptr, len);
    if (m_out) {
        WaveHeader& out = m_outHdr[i];
        m_out->Unprepare(out);
        m_out->Prepare(out);
        if (m_playTap) m_playTap(out.lpData, out.dwBufferLength);
        m_out->Write(out);
    }
    m_in->Unprepare(*hdr);
    m_in->Prepare(*hdr);
    m_in->AddBuffer(*hdr);
    HandOver();
    return 0;
}

void SoundDuplex::FillBuffers(int /*index*/, std::uint8_t* in, std::uint8_t* out,
                              std::uint32_t len) {
    if (out) std::memcpy(out, in, len);
    if (m_variant != SoundVariant::BlockSized || !m_doc.m_pWaveData) return;
    const std::size_t block = len >> m_nSizeShift;
    const std::size_t room = static_cast<std::size_t>(std::max(m_doc.m_nWavDataSize, 0));
    std::memcpy(m_doc.m_pWaveData, out ? out : in, std::min(block, room));
}

void SoundDuplex::HandOver() {
    if (m_nRequestCode == 0) return;
    if (++m_nBlockCounter <= m_nBlockInterval) return;
    m_nBlockCounter = 0;
    if (m_doc.m_bRealBusy) {
        ++m_stats.skippedBusy;
        return;
    }
    m_doc.m_bRealBusy = 1;
    ++m_stats.handedOver;
    m_doc.ProcessRealtime(m_nRequestCode);
}

int SoundDuplex::StopRSound() {
    if (!m_bRunning) {
        Release();
        return 0;
    }
    m_bRunning = 0;
    m_card.Pause(500);
    Release();
    return 1;
}

void SoundDuplex::Release() {
    m_bRunning = 0;
    if (m_in) {
        m_in->Stop();
        m_in->Reset();
    }
    if (m_out) m_out->Reset();
    for (int i = 0; i < kBufferCount; ++i) {
        if (m_in && m_inHdr[i].lpData) m_in->Unprepare(m_inHdr[i]);
        if (m_out && m_outHdr[i].lpData) m_out->Unprepare(m_outHdr[i]);
        m_inHdr[i].lpData = nullptr;
        m_outHdr[i].lpData = nullptr;
        m_inBuf[i].reset();
        m_outBuf[i].reset();
    }
    if (m_in) m_in->Close();
    if (m_out) {
        m_out->Pause();
        m_out->Close();
    }
    m_in.reset();
    m_out.reset();
    m_inSession = 0;
    m_outSession = 0;
    m_work.reset();
    m_boost.Restore();
}

void SoundDuplex::Deliver(const WaveCompletion& c) {
    const bool ours = c.session != 0 && (c.session == m_inSession || c.session == m_outSession);
    if (!ours) {
        ++m_stats.dropped;
        return;
    }
    switch (c.kind) {
    case WaveCompletion::Kind::InputDone:
        if (c.session == m_inSession) OnWimData(c.header);
        break;
    case WaveCompletion::Kind::OutputDone:
        break;
    case WaveCompletion::Kind::DeviceLost: {
        const bool wasRunning = m_bRunning != 0;
        m_bRunning = 0;
        Release();
        std::string text = sndmsg::kDeviceLost;
        if (!c.error.empty()) text += "\n" + c.error;
        m_doc.Ui().ShowMessage(text, MessageIcon::Error);
        if (wasRunning && m_onStopped) m_onStopped();
        break;
    }
    }
}

int SoundDuplex::DispatchCompletions() {
    int delivered = 0;
    while (auto c = m_queue.TryTake()) {
        const long long before = m_stats.buffers;
        Deliver(*c);
        delivered += static_cast<int>(m_stats.buffers - before);
    }
    return delivered;
}

bool SoundDuplex::RunOnce(std::chrono::milliseconds timeout) {
    if (!m_queue.Empty()) {
        DispatchCompletions();
        return true;
    }
    if (m_card.Pump()) {
        DispatchCompletions();
        return true;
    }
    auto c = m_queue.WaitTake(timeout);
    if (!c) return false;
    Deliver(*c);
    DispatchCompletions();
    return true;
}
