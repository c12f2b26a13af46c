#include "sound/devices/VirtualInput.h"

#include "sound/devices/HeaderFlags.h"
#include "sound/devices/PcmFrameCodec.h"

CVirtualInput::CVirtualInput(const WaveFormat& format, CompletionQueue& queue,
                             std::uint64_t session, std::unique_ptr<CDutLoop> dut)
    : m_format(format), m_completions(queue), m_session(session), m_dut(std::move(dut)) {}

int CVirtualInput::AddBuffer(WaveHeader& header) {
    const int result = headerflags::Queue(header, m_format.blockAlign);
    if (result != mmres::NoError) return result;
    header.dwBytesRecorded = 0;
    m_queue.push_back(&header);
    return mmres::NoError;
}

long long CVirtualInput::FramesToFill() const {
    if (m_queue.empty()) return 0;
    const WaveHeader& h = *m_queue.front();
    return (h.dwBufferLength - h.dwBytesRecorded) / m_format.blockAlign;
}

void CVirtualInput::Capture(const double* v, VirtualPosts& posts) {
    if (m_queue.empty()) {
        ++m_lostFrames;
        return;
    }
    WaveHeader& h = *m_queue.front();
    pcmframe::Write(m_format, v, h.lpData + h.dwBytesRecorded);
    h.dwBytesRecorded += static_cast<std::uint32_t>(m_format.blockAlign);
    if (h.dwBufferLength - h.dwBytesRecorded < static_cast<std::uint32_t>(m_format.blockAlign)) {
        m_queue.pop_front();
        Complete(h, posts);
    }
}

void CVirtualInput::ReturnAll(VirtualPosts& posts) {
    while (!m_queue.empty()) {
        WaveHeader& h = *m_queue.front();
        m_queue.pop_front();
        Complete(h, posts);
    }
}

void CVirtualInput::Lose(const std::string& error, VirtualPosts& posts) {
    m_started = false;
    ReturnAll(posts);
    posts.push_back(
        {&m_completions, {WaveCompletion::Kind::DeviceLost, m_session, nullptr, error}});
}

void CVirtualInput::Abandon() {
    for (WaveHeader* h : m_queue) h->dwFlags.fetch_and(~whdr::InQueue);
    m_queue.clear();
}

void CVirtualInput::Complete(WaveHeader& header, VirtualPosts& posts) {
    headerflags::Return(header);
    posts.push_back({&m_completions, {WaveCompletion::Kind::InputDone, m_session, &header, {}}});
}
