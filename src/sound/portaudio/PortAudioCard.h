#pragma once

#include "sound/engine/SoundCard.h"

#include <memory>
#include <string>

class CPortAudioDuplex;
class CPortAudioSystem;

// A real sound card reached through PortAudio: one device (its input and output) or the
// system's default input and output devices. Opening a device records its format after
// Pa_IsFormatSupported approved it; the streams start with the input's Start (the output's too
// when it is open) or with the first output Write when only the output is open (see
// CPortAudioDuplex). The pauses of the engine really sleep.
class CPortAudioCard : public ISoundCard {
public:
    // The system's default input and output devices.
    CPortAudioCard();
    // The PortAudio device `deviceIndex` for both directions (a direction the device lacks is
    // absent). An index that names no device gives a card whose opens fail with BadDeviceId.
    explicit CPortAudioCard(int deviceIndex);
    ~CPortAudioCard() override;

    std::string Name() const override { return m_name; }
    // Name and most input channels of the input device; the format bits are those of 11025,
    // 22050 and 44100 Hz × 8 and 16 bits × 1 and 2 channels that Pa_IsFormatSupported accepts.
    // mmres::BadDeviceId when there is no input device.
    int GetInDevCaps(WaveInCaps& caps) override;
    // Both directions the card has (the input at least) accept `format` exactly.
    bool IsFormatSupported(const WaveFormat& format) override;
    int OpenIn(std::unique_ptr<IWaveIn>& in, const WaveFormat& format,
               CompletionQueue& queue) override;
    int OpenOut(std::unique_ptr<IWaveOut>& out, const WaveFormat& format,
                CompletionQueue* queue) override;
    void Pause(int milliseconds) override;
    std::string LastError() const override;

private:
    std::shared_ptr<CPortAudioSystem> m_system;
    int m_inDevice = -1;
    int m_outDevice = -1;
    std::string m_name;
    std::shared_ptr<CPortAudioDuplex> m_duplex;
};
