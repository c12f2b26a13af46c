#include "sound/portaudio/PortAudioCard.h"

#include "sound/engine/DeviceSession.h"
#include "sound/portaudio/PortAudioDuplex.h"
#include "sound/portaudio/PortAudioFormat.h"
#include "sound/portaudio/PortAudioSystem.h"
#include "sound/portaudio/PortAudioWaveIn.h"
#include "sound/portaudio/PortAudioWaveOut.h"

#include <portaudio.h>

#include <chrono>
#include <thread>

namespace {

// The rates that stand for the three rate groups of the capability bits.
constexpr int kCapsRates[] = {11025, 22050, 44100};

std::string DeviceName(int device) {
    const PaDeviceInfo* info = device >= 0 ? Pa_GetDeviceInfo(device) : nullptr;
    return info && info->name ? info->name : "";
}

} // namespace

CPortAudioCard::CPortAudioCard() : m_system(CPortAudioSystem::Acquire()) {
    if (m_system->Ok()) {
        m_inDevice = Pa_GetDefaultInputDevice();
        m_outDevice = Pa_GetDefaultOutputDevice();
        m_name = DeviceName(m_inDevice >= 0 ? m_inDevice : m_outDevice);
    }
    m_duplex = std::make_shared<CPortAudioDuplex>(m_system, m_inDevice, m_outDevice);
}

CPortAudioCard::CPortAudioCard(int deviceIndex) : m_system(CPortAudioSystem::Acquire()) {
    const PaDeviceInfo* info = nullptr;
    if (m_system->Ok() && deviceIndex >= 0 && deviceIndex < Pa_GetDeviceCount())
        info = Pa_GetDeviceInfo(deviceIndex);
    if (info) {
        m_inDevice = info->maxInputChannels > 0 ? deviceIndex : -1;
        m_outDevice = info->maxOutputChannels > 0 ? deviceIndex : -1;
        m_name = info->name ? info->name : "";
    }
    m_duplex = std::make_shared<CPortAudioDuplex>(m_system, m_inDevice, m_outDevice);
    if (!info) m_duplex->SetLastError("no sound device with index " + std::to_string(deviceIndex));
}

CPortAudioCard::~CPortAudioCard() = default;

int CPortAudioCard::GetInDevCaps(WaveInCaps& caps) {
    caps = {};
    if (!m_system->Ok() || m_inDevice < 0) {
        m_duplex->SetLastError(m_system->Ok() ? "no sound input device"
                                              : "PortAudio: " + m_system->Error());
        return mmres::BadDeviceId;
    }
    const PaDeviceInfo* info = Pa_GetDeviceInfo(m_inDevice);
    caps.name = info->name ? info->name : "";
    caps.channels = info->maxInputChannels;
    for (const int rate : kCapsRates)
        for (const int bits : {8, 16})
            for (const int channels : {1, 2}) {
                PaStreamParameters parameters{};
                if (PaCheckFormat(m_inDevice, true, MakePcmFormat(rate, bits, channels),
                                  &parameters) == paNoError)
                    caps.formats |= wavecaps::FormatBit(rate, bits, channels);
            }
    return mmres::NoError;
}

bool CPortAudioCard::IsFormatSupported(const WaveFormat& format) {
    if (m_duplex->CheckFormat(true, format) != mmres::NoError) return false;
    return m_outDevice < 0 || m_duplex->CheckFormat(false, format) == mmres::NoError;
}

int CPortAudioCard::OpenIn(std::unique_ptr<IWaveIn>& in, const WaveFormat& format,
                           CompletionQueue& queue) {
    const std::uint64_t session = NewDeviceSession();
    const int rc = m_duplex->OpenIn(format, queue, session);
    if (rc == mmres::NoError) in = std::make_unique<CPortAudioWaveIn>(m_duplex, session);
    return rc;
}

int CPortAudioCard::OpenOut(std::unique_ptr<IWaveOut>& out, const WaveFormat& format,
                            CompletionQueue* queue) {
    const std::uint64_t session = NewDeviceSession();
    const int rc = m_duplex->OpenOut(format, queue, session);
    if (rc == mmres::NoError) out = std::make_unique<CPortAudioWaveOut>(m_duplex, session);
    return rc;
}

void CPortAudioCard::Pause(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::string CPortAudioCard::LastError() const {
    return m_duplex->LastError();
}
