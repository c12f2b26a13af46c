#include "sound/playback/DeviceWavePlayer.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {
std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// The format and the sample bytes of a WAV image; false when it is not PCM 8/16-bit mono or
// stereo with a data chunk inside the image.
bool ParseWave(const std::uint8_t* image, std::size_t size, WaveFormat& format,
               const std::uint8_t*& data, std::size_t& bytes) {
    if (!image || size < 12 || std::memcmp(image, "RIFF", 4) || std::memcmp(image + 8, "WAVE", 4))
        return false;
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= size) {
        const std::uint32_t len = Le32(image + at + 4);
        const std::size_t body = at + 8;
        if (!std::memcmp(image + at, "fmt ", 4) && len >= 16 && body + 16 <= size) {
            const int tag = Le16(image + body), channels = Le16(image + body + 2);
            const int rate = static_cast<int>(Le32(image + body + 4));
            const int bits = Le16(image + body + 14);
            if (tag != wavefmt::Pcm || (bits != 8 && bits != 16) || channels < 1 || channels > 2 ||
                rate <= 0)
                return false;
            format = MakePcmFormat(rate, bits, channels);
            haveFormat = true;
        } else if (!std::memcmp(image + at, "data", 4)) {
            if (!haveFormat) return false;
            data = image + body;
            bytes = std::min<std::size_t>(len, size - std::min(size, body));
            bytes -= bytes % static_cast<std::size_t>(format.blockAlign);
            return bytes > 0;
        }
        at = body + len + (len & 1);
    }
    return false;
}
} // namespace

CDeviceWavePlayer::CDeviceWavePlayer(std::function<ISoundCard*()> card)
    : m_cardSource(std::move(card)) {}

CDeviceWavePlayer::~CDeviceWavePlayer() {
    Stop();
}

bool CDeviceWavePlayer::Play(const std::uint8_t* image, std::size_t size, bool loop) {
    Stop();
    if (!ParseWave(image, size, m_format, m_data, m_dataBytes)) return false;
    m_card = m_cardSource ? m_cardSource() : nullptr;
    if (!m_card) return false;
    if (m_card->OpenOut(m_out, m_format, &m_queue) != mmres::NoError || !m_out) {
        m_out.reset();
        return false;
    }
    m_session = m_out->Session();
    m_loop = loop;
    m_position = 0;
    m_chunk = static_cast<std::uint32_t>(m_format.samplesPerSec / 10 * m_format.blockAlign);
    for (int i = 0; i < kBuffers; ++i) {
        m_buf[i] = std::make_unique<std::uint8_t[]>(m_chunk);
        m_hdr[i].SetUp(m_buf[i].get(), m_chunk, static_cast<std::uintptr_t>(i));
        if (m_out->Prepare(m_hdr[i]) != mmres::NoError) {
            Stop();
            return false;
        }
    }
    for (int i = 0; i < kBuffers; ++i)
        if (!Refill(i)) break;
    if (m_nQueued == 0) {
        Stop();
        return false;
    }
    return true;
}

bool CDeviceWavePlayer::Refill(int i) {
    if (m_position >= m_dataBytes) {
        if (!m_loop) return false;
        m_position = 0;
    }
    std::uint32_t filled = 0;
    while (filled < m_chunk && m_position < m_dataBytes) {
        const std::size_t n = std::min<std::size_t>(m_chunk - filled, m_dataBytes - m_position);
        std::memcpy(m_buf[i].get() + filled, m_data + m_position, n);
        filled += static_cast<std::uint32_t>(n);
        m_position += n;
        if (m_position >= m_dataBytes && m_loop) m_position = 0;
    }
    m_hdr[i].dwBufferLength = filled;
    if (m_tap) m_tap(m_buf[i].get(), filled);
    if (m_out->Write(m_hdr[i]) != mmres::NoError) return false;
    ++m_nQueued;
    return true;
}

void CDeviceWavePlayer::Dispatch() {
    while (auto c = m_queue.TryTake()) {
        if (!m_out || c->session != m_session) continue;
        if (c->kind == WaveCompletion::Kind::DeviceLost) {
            Stop();
            return;
        }
        if (c->kind != WaveCompletion::Kind::OutputDone || !c->header) continue;
        --m_nQueued;
        const auto i = static_cast<int>(c->header->dwUser);
        if (i < 0 || i >= kBuffers || c->header != &m_hdr[i] || !Refill(i)) {
            if (m_nQueued <= 0) Finish();
        }
    }
}

bool CDeviceWavePlayer::RunOnce(std::chrono::milliseconds timeout) {
    if (!m_queue.Empty()) {
        Dispatch();
        return true;
    }
    if (m_card && m_card->Pump()) {
        Dispatch();
        return true;
    }
    auto c = m_queue.WaitTake(timeout);
    if (!c) return false;
    m_queue.Post(*c);
    Dispatch();
    return true;
}

void CDeviceWavePlayer::Finish() {
    Stop();
}

void CDeviceWavePlayer::Stop() {
    if (m_out) {
        m_out->Reset();
        for (int i = 0; i < kBuffers; ++i)
            if (m_hdr[i].lpData) m_out->Unprepare(m_hdr[i]);
        m_out->Close();
        m_out.reset();
    }
    for (int i = 0; i < kBuffers; ++i) {
        m_hdr[i].lpData = nullptr;
        m_buf[i].reset();
    }
    m_session = 0;
    m_nQueued = 0;
    m_queue.Clear();
}
