#pragma once

#include "sound/devices/SoundCardFactory.h"
#include "sound/playback/DeviceWavePlayer.h"

#include <memory>
#include <string>

class CQueuedDelivery;
class ISoundCard;
class QObject;
class QSettings;

// The desktop program's sound card and playback. One card object is made from the effective
// device choice (the stored choice, or the SONALYX_AUDIO_DEVICE override for this session) when
// it is first needed, and made again when the effective choice changed; the instruments and the
// wave player use it. The virtual card runs in real time here.
//
// The player's completions are dispatched on the thread of `context` (the user-interface
// thread) by a queued call.
class CAppSound {
public:
    // A virtual card chosen without a stored text hears this: two tones and a little noise, the
    // second input through a low-pass filter.
    static const char* const kDefaultDutText;

    explicit CAppSound(QObject* context);
    ~CAppSound();
    CAppSound(const CAppSound&) = delete;
    CAppSound& operator=(const CAppSound&) = delete;

    const SoundDeviceChoice& StoredChoice() const { return m_stored; }
    // Takes a new stored choice; the card follows at its next use.
    void SetStoredChoice(const SoundDeviceChoice& choice);
    SoundDeviceChoice EffectiveChoice() const;
    // The environment overrides the stored device for this session.
    bool IsOverridden() const;

    // The card of the effective choice; nullptr when there is none (LastError says why; empty
    // when there simply is no sound card). Playback on an earlier card is stopped before that
    // card is replaced.
    ISoundCard* Card();
    const std::string& LastError() const { return m_error; }
    CDeviceWavePlayer& Player() { return m_player; }

    // "Sound/Device" and "Sound/Dut"; a missing text gives kDefaultDutText.
    void Load(QSettings& settings);
    void Save(QSettings& settings) const;

private:
    SoundDeviceChoice m_stored;
    SoundDeviceChoice m_made; // the choice the card was made from
    bool m_bMade = false;
    std::unique_ptr<ISoundCard> m_card;
    std::string m_error;
    CDeviceWavePlayer m_player;
    std::unique_ptr<CQueuedDelivery> m_delivery;
};
