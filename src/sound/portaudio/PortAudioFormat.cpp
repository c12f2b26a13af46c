#include "sound/portaudio/PortAudioFormat.h"

#include <portaudio.h>

unsigned long PaSampleFormatOf(const WaveFormat& format) {
    const bool pcm = format.formatTag == wavefmt::Pcm;
    const bool extensible = format.formatTag == wavefmt::Extensible;
    if (!pcm && !extensible) return 0;
    if (format.bitsPerSample == 8 && pcm && format.validBitsPerSample == 8) return paUInt8;
    if (format.bitsPerSample == 16 && format.validBitsPerSample == 16) return paInt16;
    if (format.bitsPerSample == 32 &&
        (format.validBitsPerSample == 24 || format.validBitsPerSample == 32))
        return paInt32;
    return 0;
}

int PaCheckFormat(int device, bool input, const WaveFormat& format, void* parameters) {
    auto& p = *static_cast<PaStreamParameters*>(parameters);
    const PaSampleFormat sampleFormat = PaSampleFormatOf(format);
    if (sampleFormat == 0 || format.channels < 1 || format.samplesPerSec <= 0)
        return paSampleFormatNotSupported;
    if (device < 0 || device >= Pa_GetDeviceCount()) return paInvalidDevice;
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (!info) return paInvalidDevice;
    const int channels = input ? info->maxInputChannels : info->maxOutputChannels;
    if (channels < format.channels) return paInvalidChannelCount;
    p.device = device;
    p.channelCount = format.channels;
    p.sampleFormat = sampleFormat;
    p.suggestedLatency = input ? info->defaultHighInputLatency : info->defaultHighOutputLatency;
    p.hostApiSpecificStreamInfo = nullptr;
    return Pa_IsFormatSupported(input ? &p : nullptr, input ? nullptr : &p, format.samplesPerSec);
}

int MmresFromPaError(int paError) {
    switch (paError) {
    case paNoError:
        return mmres::NoError;
    case paInvalidDevice:
        return mmres::BadDeviceId;
    case paDeviceUnavailable:
        return mmres::Allocated;
    case paInvalidChannelCount:
    case paInvalidSampleRate:
    case paSampleFormatNotSupported:
    case paIncompatibleHostApiSpecificStreamInfo:
        return mmres::BadFormat;
    case paInsufficientMemory:
        return mmres::NoMem;
    case paNotInitialized:
    case paHostApiNotFound:
        return mmres::NoDriver;
    default:
        return mmres::Error;
    }
}

std::string PaErrorText(int paError) {
    std::string text = Pa_GetErrorText(paError);
    if (paError == paUnanticipatedHostError) {
        const PaHostErrorInfo* host = Pa_GetLastHostErrorInfo();
        if (host && host->errorText && *host->errorText)
            text += std::string(": ") + host->errorText;
    }
    return text;
}
