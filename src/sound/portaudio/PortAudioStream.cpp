#include "sound/portaudio/PortAudioStream.h"

#include "sound/devices/HeaderFlags.h"
#include "sound/engine/CompletionQueue.h"
#include "sound/portaudio/PortAudioFormat.h"
#include "sound/portaudio/PortAudioSystem.h"

#include <portaudio.h>

#include <algorithm>
#include <cstring>

namespace {

int StreamCallback(const void* input, void* output, unsigned long frames,
                   const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags, void* user) {
    static_cast<CPortAudioStream*>(user)->Process(static_cast<const std::uint8_t*>(input),
                                                  static_cast<std::uint8_t*>(output), frames);
    return paContinue;
}

void StreamFinished(void* user) {
    static_cast<CPortAudioStream*>(user)->Finished();
}

std::uint8_t SilenceByte(const WaveFormat& format) {
    return format.bitsPerSample == 8 ? 0x80 : 0;
}

} // namespace

CPortAudioStream::CPortAudioStream(std::shared_ptr<CPortAudioSystem> system, int inDevice,
                                   int outDevice)
    : m_system(std::move(system)), m_inDevice(inDevice), m_outDevice(outDevice) {}

CPortAudioStream::~CPortAudioStream() {
    CloseStream();
}

std::string CPortAudioStream::LastError() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastError;
}

void CPortAudioStream::SetLastError(std::string text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lastError = std::move(text);
}

int CPortAudioStream::FailPa(int paError, const char* call) {
    SetLastError(std::string(call) + ": " + PaErrorText(paError));
    return MmresFromPaError(paError);
}

int CPortAudioStream::CheckFormat(bool input, const WaveFormat& format) {
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

bool CPortAudioStream::Current(const Side& side, std::uint64_t session) const {
    return side.open && side.session == session;
}

int CPortAudioStream::OpenSide(Side& side, bool input, const WaveFormat& format,
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
    if (m_stream) {
        // A stream still running for the other side cannot take this one in.
        SetLastError("the sound stream is running without this side; close the other side first");
        return mmres::Allocated;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    side.open = true;
    side.session = session;
    side.format = format;
    side.queue = queue;
    m_lastError.clear();
    return mmres::NoError;
}

int CPortAudioStream::OpenIn(const WaveFormat& format, CompletionQueue& queue,
                             std::uint64_t session) {
    const int rc = OpenSide(m_in, true, format, &queue, session);
    if (rc == mmres::NoError) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_recording = false;
    }
    return rc;
}

int CPortAudioStream::OpenOut(const WaveFormat& format, CompletionQueue* queue,
                              std::uint64_t session) {
    const int rc = OpenSide(m_out, false, format, queue, session);
    if (rc == mmres::NoError) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_paused = m_playing = m_inGap = false;
        m_playedBytes = 0;
        m_underruns.store(0);
    }
    return rc;
}

int CPortAudioStream::Queue(Side& side, std::uint64_t session, WaveHeader& header) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Current(side, session)) return mmres::InvalHandle;
    if (m_lost) return mmres::NoDriver;
    if (side.queued.Full()) return mmres::NoMem;
    if (const int rc = headerflags::Queue(header, side.format.blockAlign); rc != mmres::NoError)
        return rc;
    header.dwBytesRecorded = 0;
    side.queued.Push(&header);
    return mmres::NoError;
}

int CPortAudioStream::AddBuffer(std::uint64_t session, WaveHeader& header) {
    return Queue(m_in, session, header);
}

int CPortAudioStream::Write(std::uint64_t session, WaveHeader& header) {
    if (const int rc = Queue(m_out, session, header); rc != mmres::NoError) return rc;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_playing = true;
        m_inGap = false;
    }
    // A running stream has this output (a side cannot open while a stream runs); with the input
    // open, playing starts with the input's Start.
    if (m_stream || m_in.open) return mmres::NoError;
    const int rc = OpenStream(false, true);
    if (rc != mmres::NoError) {
        std::lock_guard<std::mutex> lock(m_mutex);
        ReturnAll(m_out, false);
    }
    return rc;
}

int CPortAudioStream::StartIn(std::uint64_t session) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!Current(m_in, session)) return mmres::InvalHandle;
        if (m_lost) return mmres::NoDriver;
        m_recording = true;
    }
    if (m_stream) return mmres::NoError;
    const int rc = OpenStream(true, m_out.open);
    if (rc != mmres::NoError) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_recording = false;
    }
    return rc;
}

int CPortAudioStream::StopIn(std::uint64_t session) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Current(m_in, session)) return mmres::InvalHandle;
    m_recording = false;
    return mmres::NoError;
}

int CPortAudioStream::ResetIn(std::uint64_t session) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Current(m_in, session)) return mmres::InvalHandle;
    m_recording = false;
    ReturnAll(m_in, true);
    return mmres::NoError;
}

int CPortAudioStream::PauseOut(std::uint64_t session) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Current(m_out, session)) return mmres::InvalHandle;
    m_paused = true;
    return mmres::NoError;
}

int CPortAudioStream::RestartOut(std::uint64_t session) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Current(m_out, session)) return mmres::InvalHandle;
    m_paused = false;
    return mmres::NoError;
}

int CPortAudioStream::ResetOut(std::uint64_t session) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!Current(m_out, session)) return mmres::InvalHandle;
    ReturnAll(m_out, true);
    m_paused = m_playing = m_inGap = false;
    return mmres::NoError;
}

int CPortAudioStream::CloseIn(std::uint64_t session) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!Current(m_in, session)) return mmres::InvalHandle;
        if (!m_in.queued.Empty()) return mmres::StillPlaying;
        m_in.open = false;
        m_recording = false;
        if (m_out.open) return mmres::NoError;
    }
    CloseStream();
    return mmres::NoError;
}

int CPortAudioStream::CloseOut(std::uint64_t session) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!Current(m_out, session)) return mmres::InvalHandle;
        if (!m_out.queued.Empty()) return mmres::StillPlaying;
        m_out.open = false;
        if (m_in.open) return mmres::NoError;
    }
    CloseStream();
    return mmres::NoError;
}

void CPortAudioStream::Abandon(bool input, std::uint64_t session) {
    Side& side = input ? m_in : m_out;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!Current(side, session)) return;
        ReturnAll(side, false);
        side.open = false;
        if (input) m_recording = false;
        if (m_in.open || m_out.open) return;
    }
    CloseStream();
}

void CPortAudioStream::ReturnAll(Side& side, bool post) {
    while (!side.queued.Empty()) Complete(side, side.queued.Pop(), post);
    if (&side == &m_out) m_playedBytes = 0;
}

void CPortAudioStream::Complete(Side& side, WaveHeader* header, bool post) {
    headerflags::Return(*header);
    if (post && side.queue)
        side.queue->Post(
            {&side == &m_in ? WaveCompletion::Kind::InputDone : WaveCompletion::Kind::OutputDone,
             side.session,
             header,
             {}});
}

int CPortAudioStream::OpenStream(bool withInput, bool withOutput) {
    PaStreamParameters in{}, out{};
    int rate = 0;
    if (withInput) {
        const int err = PaCheckFormat(m_inDevice, true, m_in.format, &in);
        if (err != paNoError) return FailPa(err, "Pa_IsFormatSupported");
        rate = m_in.format.samplesPerSec;
    }
    if (withOutput) {
        const int err = PaCheckFormat(m_outDevice, false, m_out.format, &out);
        if (err != paNoError) return FailPa(err, "Pa_IsFormatSupported");
        if (withInput && m_out.format.samplesPerSec != rate) {
            SetLastError("the sound input and output differ in sampling rate");
            return mmres::BadFormat;
        }
        rate = m_out.format.samplesPerSec;
    }
    PaStream* stream = nullptr;
    PaError err =
        Pa_OpenStream(&stream, withInput ? &in : nullptr, withOutput ? &out : nullptr, rate,
                      paFramesPerBufferUnspecified, paClipOff | paDitherOff, &StreamCallback, this);
    if (err != paNoError) return FailPa(err, "Pa_OpenStream");
    m_stopping.store(false);
    err = Pa_SetStreamFinishedCallback(stream, &StreamFinished);
    if (err == paNoError) err = Pa_StartStream(stream);
    if (err != paNoError) {
        const int rc = FailPa(err, "Pa_StartStream");
        m_stopping.store(true);
        Pa_CloseStream(stream);
        return rc;
    }
    m_stream = stream;
    return mmres::NoError;
}

void CPortAudioStream::CloseStream() {
    if (!m_stream) return;
    m_stopping.store(true);
    // Abort waits for the callback to end; it takes m_mutex, so none is held here.
    Pa_AbortStream(m_stream);
    Pa_CloseStream(m_stream);
    m_stream = nullptr;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lost = false;
}

void CPortAudioStream::Process(const std::uint8_t* in, std::uint8_t* out, unsigned long frames) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (in) FillInput(in, frames * static_cast<std::size_t>(m_in.format.blockAlign));
    if (out) PlayOutput(out, frames * static_cast<std::size_t>(m_out.format.blockAlign));
}

void CPortAudioStream::FillInput(const std::uint8_t* in, std::size_t bytes) {
    if (!m_in.open || !m_recording) return;
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
    // What no queued header takes is lost, as on a card whose driver has no buffer.
}

void CPortAudioStream::PlayOutput(std::uint8_t* out, std::size_t bytes) {
    const std::uint8_t silence = SilenceByte(m_out.format);
    while (bytes > 0) {
        if (!m_out.open || m_paused || m_out.queued.Empty()) {
            if (m_out.open && !m_paused && m_playing && !m_inGap) {
                m_inGap = true;
                m_underruns.fetch_add(1);
            }
            std::memset(out, silence, bytes);
            return;
        }
        WaveHeader* header = m_out.queued.Front();
        const std::size_t n = std::min<std::size_t>(bytes, header->dwBufferLength - m_playedBytes);
        std::memcpy(out, header->lpData + m_playedBytes, n);
        m_playedBytes += static_cast<std::uint32_t>(n);
        out += n;
        bytes -= n;
        if (m_playedBytes == header->dwBufferLength) {
            m_playedBytes = 0;
            Complete(m_out, m_out.queued.Pop(), true);
        }
    }
}

void CPortAudioStream::Finished() {
    if (m_stopping.load()) return;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_lost) return;
    m_lost = true;
    m_recording = false;
    std::string text = std::string("PortAudio stream stopped by itself (") +
                       Pa_GetErrorText(paDeviceUnavailable) + ")";
    m_lastError = text;
    Side& side = m_in.open ? m_in : m_out;
    if (side.open && side.queue)
        side.queue->Post({WaveCompletion::Kind::DeviceLost, side.session, nullptr, text});
}
