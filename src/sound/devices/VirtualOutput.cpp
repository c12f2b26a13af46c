#include "sound/devices/VirtualOutput.h"

#include "sound/devices/HeaderFlags.h"
#include "sound/devices/PcmFrameCodec.h"

CVirtualOutput::CVirtualOutput(const WaveFormat& format, CompletionQueue* queue,
                               std::uint64_t session, bool leadOnStart)
    : m_format(format), m_completions(queue), m_session(session), m_leadOnStart(leadOnStart) {}

int CVirtualOutput::Write(WaveHeader& header) {
    const int result = headerflags::Queue(header, m_format.blockAlign);
    if (result != mmres::NoError) return result;
    m_fifo.push_back(&header);
    if (!m_playing) {
        m_playing = true;
        m_inGap = false;
        m_lead = m_leadOnStart ? header.dwBufferLength / m_format.blockAlign : 0;
    }
    return mmres::NoError;
}

void CVirtualOutput::Reset(VirtualPosts& posts) {
    while (!m_fifo.empty()) {
        WaveHeader& h = *m_fifo.front();
        m_fifo.pop_front();
        Return(h, posts);
    }
    m_position = 0;
    m_lead = 0;
    m_playing = false;
    m_inGap = false;
}

void CVirtualOutput::Lose(const std::string& error, VirtualPosts& posts) {
    Reset(posts);
    if (m_completions)
        posts.push_back(
            {m_completions, {WaveCompletion::Kind::DeviceLost, m_session, nullptr, error}});
}

void CVirtualOutput::Abandon() {
    for (WaveHeader* h : m_fifo) h->dwFlags.fetch_and(~whdr::InQueue);
    m_fifo.clear();
    m_playing = false;
}

long long CVirtualOutput::FramesQueued() const {
    long long bytes = -static_cast<long long>(m_position);
    for (const WaveHeader* h : m_fifo) bytes += h->dwBufferLength;
    return m_lead + bytes / m_format.blockAlign;
}

void CVirtualOutput::Play(double* out, VirtualPosts& posts) {
    out[0] = out[1] = 0.0;
    if (!Playing()) return;
    if (m_lead > 0) {
        --m_lead;
        return;
    }
    if (m_fifo.empty()) {
        if (!m_inGap) ++m_underruns;
        m_inGap = true;
        return;
    }
    m_inGap = false;
    WaveHeader& h = *m_fifo.front();
    pcmframe::Read(m_format, h.lpData + m_position, out);
    m_position += static_cast<std::uint32_t>(m_format.blockAlign);
    if (h.dwBufferLength - m_position < static_cast<std::uint32_t>(m_format.blockAlign)) {
        m_fifo.pop_front();
        m_position = 0;
        Return(h, posts);
    }
}

void CVirtualOutput::Return(WaveHeader& header, VirtualPosts& posts) {
    headerflags::Return(header);
    if (m_completions)
        posts.push_back(
            {m_completions, {WaveCompletion::Kind::OutputDone, m_session, &header, {}}});
}
