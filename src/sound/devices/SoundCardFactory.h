#pragma once

#include "sound/devices/VirtualClock.h"

#include <functional>
#include <memory>
#include <string>

class ISoundCard;

// Which card the instruments use: the virtual card with its device-under-test text, or a device
// of the hardware back-end by index or name (empty: the system's default devices).
struct SoundDeviceChoice {
    std::string device;
    std::string dut;
    bool IsVirtual() const { return device == "virtual"; }
};

// The name of the environment variable that overrides the stored choice for a session:
// "virtual" or a device index or name. The DUT text stays the stored one.
inline constexpr const char* kAudioDeviceVariable = "SONALYX_AUDIO_DEVICE";
// The stored choice with the environment's override applied.
SoundDeviceChoice EffectiveSoundDevice(const SoundDeviceChoice& stored);

// Makes the card of a choice. The virtual card is made here; hardware cards by the maker that
// the front end installed (the desktop program and the command line install PortAudio's).
// Nullptr with `error` set when the choice cannot be made (a bad DUT text, an unknown device);
// nullptr with an empty error when there is no sound card at all.
using HardwareCardMaker =
    std::function<std::unique_ptr<ISoundCard>(const std::string& device, std::string& error)>;
void SetHardwareCardMaker(HardwareCardMaker maker);
std::unique_ptr<ISoundCard> CreateSoundCard(const SoundDeviceChoice& choice, VirtualClock clock,
                                            std::string& error);
