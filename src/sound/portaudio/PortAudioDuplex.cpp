#include "sound/portaudio/PortAudioDuplex.h"

#include "sound/devices/HeaderFlags.h"
#include "sound/engine/CompletionQueue.h"
#include "sound/portaudio/PortAudioFormat.h"
#include "sound/portaudio/PortAudioSystem.h"

#include <portaudio.h>

#include <algorithm>
#include <cstring>

namespace {

int InputCallback(const void* input, void*, unsigned long frames, const PaStreamCallbackTimeInfo*,
                  PaStreamCallbackFlags, void* user) {
    static_cast<CPortAudioDuplex*>(user)->Record(static_cast<const std::uint8_t*>(input), frames);
    return paContinue;
}

int OutputCallback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
                   PaStreamCallbackFlags, void* user) {
    static_cast<CPortAudioDuplex*>(user)->Play(static_cast<std::uint8_t*>(output), frames);
    return paContinue;
}

void InputFinished(void* user) {
    static_cast<CPortAudioDuplex*>(user)->Finished(true);
}
void OutputFinished(void* user) {
    static_cast<CPortAudioDuplex*>(user)->Finished(false);
}

// Playing (re)starts once a tenth of a second is queued, or a tenth of a second after it could
// have: an engine that writes each block as its input arrives then has that much room for the
// jitter between the two streams.
constexpr int kCushionDivisor = 10;

std::uint8_t SilenceByte(const WaveFormat& format) {
    return format.bitsPerSample == 8 ? 0x80 : 0;
}

} // namespace

CPortAudioDuplex::CPortAudioDuplex(std::shared_ptr<CPortAudioSystem> system, int inDevice,
                                   int outDevice)
    : m_system(std::move(system)), m_inDevice(inDevice), m_outDevice(outDevice) {}

CPortAudioDuplex::~CPortAudioDuplex() {
    CloseStream(m_in);
    CloseStream(m_out);
}

std::string CPortAudioDuplex::LastError() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastError;
}

void CPortAudioDuplex::SetLastError(std::string text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lastError = std::move(text);
}

int CPortAudioDuplex::FailPa(int paError, const char* call) {
    SetLastError(std::string(call) + ": " + PaErrorText(paError));
    return MmresFromPaError(paError);
}

int CPortAudioDuplex::CheckFormat(bool input, const WaveFormat& format) {
    if (!m_system->Ok()) {
        SetLastError("PortAudio: " + m_system->Error());
        return mmres::NoDriver;
    }
    const int device = input ? m_inDevice : m_outDevice;
    if (device < 0) {
        SetLastError(input ? "no sound input device" : "no sound output device");
        return mmres::BadDeviceId;
    }
    PaStreamParameters parameters{};
    const int err = PaCheckFormat(device, input, format, &parameters);
    if (err != paNoError) return FailPa(err, "Pa_IsFormatSupported");
    return mmres::NoError;
}

bool CPortAudioDuplex::Current(const Side& side, std::uint64_t session) const {
    return side.open && side.session == session;
}

int CPortAudioDuplex::OpenSide(Side& side, bool input, const WaveFormat& format,
                               CompletionQueue* queue, std::uint64_t session) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (side.open) {
            m_lastError =
                input ? "the sound input is open already" : "the sound output is open already";
            return mmres::Allocated;
        }
    }
    if (const int rc = CheckFormat(input, format); rc != mmres::NoError) return rc;
    std::lock_guard<std::mutex> lock(m_mutex);
    side.open = true;
    side.session = session;
    side.format = format;
    side.queue = queue;
    m_lastError.clear();
    return mmres::NoError;
}

int CPortAudioDuplex::OpenIn(const WaveFormat& format, CompletionQueue& queue,
                             std::uint64_t session) {
    const int rc = OpenSide(m_in, true, format, &queue, session);
    if (rc == mmres::NoError) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_recording = false;
    }
    return rc;
}

int CPortAudioDuplex::OpenOut(const WaveFormat& format, CompletionQueue* queue,
                              std::uint64_t session) {
    const int rc = OpenSide(m_out, false, format, queue, session);
    if (rc == mmres::NoError) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_paused = m_playing = m_inGap = m_cushioning = false;
        m_playedBytes = 0;
        m_queuedOutBytes = 0;
        m_cushionBytes = static_cast<std::size_t>(format.samplesPerSec / kCushionDivisor) *
                         static_cast<std::size_t>(std::max(format.blockAlign, 1));
        m_underruns.store(0);
    }
    return rc;
}

int CPortAudioDuplex::Queue(Side& side, std::uint64_t session, WaveHeader& header) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Current(side, session)) return mmres::InvalHandle;
    if (m_lost) return mmres::NoDriver;
    if (side.queued.Full()) return mmres::NoMem;
    if (const int rc = headerflags::Queue(header, side.format.blockAlign); rc != mmres::NoError)
        return rc;
    header.dwBytesRecorded = 0;
    side.queued.Push(&header);
    if (&side == &m_out) m_queuedOutBytes += header.dwBufferLength;
    return mmres::NoError;
}

int CPortAudioDuplex::AddBuffer(std::uint64_t session, WaveHeader& header) {
    return Queue(m_in, session, header);
}

int CPortAudioDuplex::Write(std::uint64_t session, WaveHeader& header) {
    if (const int rc = Queue(m_out, session, header); rc != mmres::NoError) return rc;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_playing) StartCushion();
        m_playing = true;
        m_inGap = false;
    }
    // An input that is open but not started starts the output with itself.
    if (m_out.stream || (m_in.open && !m_in.stream)) return mmres::NoError;
    const int rc = OpenStream(m_out, false);
    if (rc != mmres::NoError) {
        std::lock_guard<std::mutex> lock(m_mutex);
        ReturnAll(m_out, false);
    }
    return rc;
}

int CPortAudioDuplex::StartIn(std::uint64_t session) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!Current(m_in, session)) return mmres::InvalHandle;
        if (m_lost) return mmres::NoDriver;
        m_recording = true;
    }
    if (m_in.stream) return mmres::NoError;
    const bool startsOutput = m_out.open && !m_out.stream;
    int rc = startsOutput ? OpenStream(m_out, false) : mmres::NoError;
    if (rc == mmres::NoError) rc = OpenStream(m_in, true);
    if (rc != mmres::NoError) {
        if (startsOutput) CloseStream(m_out);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_recording = false;
    }
    return rc;
}

int CPortAudioDuplex::StopIn(std::uint64_t session) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Current(m_in, session)) return mmres::InvalHandle;
    m_recording = false;
    return mmres::NoError;
}

int CPortAudioDuplex::ResetIn(std::uint64_t session) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Current(m_in, session)) return mmres::InvalHandle;
    m_recording = false;
    ReturnAll(m_in, true);
    return mmres::NoError;
}

int CPortAudioDuplex::PauseOut(std::uint64_t session) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Current(m_out, session)) return mmres::InvalHandle;
    m_paused = true;
    return mmres::NoError;
}

int CPortAudioDuplex::RestartOut(std::uint64_t session) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Current(m_out, session)) return mmres::InvalHandle;
    m_paused = false;
    return mmres::NoError;
}

int CPortAudioDuplex::ResetOut(std::uint64_t session) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Current(m_out, session)) return mmres::InvalHandle;
    ReturnAll(m_out, true);
    m_paused = m_playing = m_inGap = m_cushioning = false;
    return mmres::NoError;
}

int CPortAudioDuplex::CloseIn(std::uint64_t session) {
    return CloseSide(m_in, session, false);
}

int CPortAudioDuplex::CloseOut(std::uint64_t session) {
    return CloseSide(m_out, session, false);
}

void CPortAudioDuplex::Abandon(bool input, std::uint64_t session) {
    CloseSide(input ? m_in : m_out, session, true);
}

int CPortAudioDuplex::CloseSide(Side& side, std::uint64_t session, bool forget) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!Current(side, session)) return mmres::InvalHandle;
        if (!side.queued.Empty()) {
            if (!forget) return mmres::StillPlaying;
            ReturnAll(side, false);
        }
        side.open = false;
        if (&side == &m_in) m_recording = false;
    }
    CloseStream(side);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_in.open && !m_out.open) m_lost = false;
    return mmres::NoError;
}

void CPortAudioDuplex::ReturnAll(Side& side, bool post) {
    while (!side.queued.Empty()) Complete(side, side.queued.Pop(), post);
    if (&side == &m_out) m_playedBytes = 0, m_queuedOutBytes = 0;
}

void CPortAudioDuplex::Complete(Side& side, WaveHeader* header, bool post) {
    headerflags::Return(*header);
    if (post && side.queue)
        side.queue->Post(
            {&side == &m_in ? WaveCompletion::Kind::InputDone : WaveCompletion::Kind::OutputDone,
             side.session,
             header,
             {}});
}

int CPortAudioDuplex::OpenStream(Side& side, bool input) {
    PaStreamParameters parameters{};
    const int checked =
        PaCheckFormat(input ? m_inDevice : m_outDevice, input, side.format, &parameters);
    if (checked != paNoError) return FailPa(checked, "Pa_IsFormatSupported");
    PaStream* stream = nullptr;
    PaError err =
        Pa_OpenStream(&stream, input ? &parameters : nullptr, input ? nullptr : &parameters,
                      side.format.samplesPerSec, paFramesPerBufferUnspecified,
                      paClipOff | paDitherOff, input ? &InputCallback : &OutputCallback, this);
    if (err != paNoError) return FailPa(err, "Pa_OpenStream");
    side.stopping.store(false);
    err = Pa_SetStreamFinishedCallback(stream, input ? &InputFinished : &OutputFinished);
    if (err == paNoError) err = Pa_StartStream(stream);
    if (err != paNoError) {
        const int rc = FailPa(err, "Pa_StartStream");
        side.stopping.store(true);
        Pa_CloseStream(stream);
        return rc;
    }
    side.stream = stream;
    return mmres::NoError;
}

void CPortAudioDuplex::CloseStream(Side& side) {
    if (!side.stream) return;
    side.stopping.store(true);
    // Abort waits for the callback to end; the callback takes m_mutex, so none is held here.
    Pa_AbortStream(side.stream);
    Pa_CloseStream(side.stream);
    side.stream = nullptr;
}

void CPortAudioDuplex::Record(const std::uint8_t* in, unsigned long frames) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!in || !m_in.open || !m_recording) return;
    std::size_t bytes = frames * static_cast<std::size_t>(m_in.format.blockAlign);
    while (bytes > 0 && !m_in.queued.Empty()) {
        WaveHeader* header = m_in.queued.Front();
        const std::size_t n =
            std::min<std::size_t>(bytes, header->dwBufferLength - header->dwBytesRecorded);
        std::memcpy(header->lpData + header->dwBytesRecorded, in, n);
        header->dwBytesRecorded += static_cast<std::uint32_t>(n);
        in += n;
        bytes -= n;
        if (header->dwBytesRecorded == header->dwBufferLength)
            Complete(m_in, m_in.queued.Pop(), true);
    }
    // What no queued header takes is lost, as on a card whose driver has no buffer left.
}

void CPortAudioDuplex::Play(std::uint8_t* out, unsigned long frames) {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::size_t bytes = frames * static_cast<std::size_t>(m_out.format.blockAlign);
    if (m_out.open && !m_paused && m_cushioning) {
        if (m_queuedOutBytes >= m_cushionBytes || m_waitedBytes >= m_cushionBytes) {
            m_cushioning = false;
        } else {
            std::memset(out, SilenceByte(m_out.format), bytes);
            m_waitedBytes += bytes;
            return;
        }
    }
    while (bytes > 0) {
        if (!m_out.open || m_paused || m_out.queued.Empty()) {
            if (m_out.open && !m_paused && m_playing && !m_inGap) {
                m_inGap = true;
                m_underruns.fetch_add(1);
                StartCushion();
            }
            std::memset(out, SilenceByte(m_out.format), bytes);
            return;
        }
        WaveHeader* header = m_out.queued.Front();
        const std::size_t n = std::min<std::size_t>(bytes, header->dwBufferLength - m_playedBytes);
        std::memcpy(out, header->lpData + m_playedBytes, n);
        m_playedBytes += static_cast<std::uint32_t>(n);
        m_queuedOutBytes -= n;
        out += n;
        bytes -= n;
        if (m_playedBytes == header->dwBufferLength) {
            m_playedBytes = 0;
            Complete(m_out, m_out.queued.Pop(), true);
        }
    }
}

void CPortAudioDuplex::StartCushion() {
    m_cushioning = true;
    m_waitedBytes = 0;
}

void CPortAudioDuplex::Finished(bool input) {
    if ((input ? m_in : m_out).stopping.load()) return;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_lost) return;
    m_lost = true;
    m_recording = false;
    const std::string text = std::string("PortAudio stream stopped by itself (") +
                             Pa_GetErrorText(paDeviceUnavailable) + ")";
    m_lastError = text;
    Side& side = m_in.open ? m_in : m_out;
    if (side.open && side.queue)
        side.queue->Post({WaveCompletion::Kind::DeviceLost, side.session, nullptr, text});
}
