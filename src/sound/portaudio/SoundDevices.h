#pragma once

#include <optional>
#include <string>
#include <vector>

// One PortAudio device as the system reports it.
struct SoundDeviceInfo {
    int index = -1;      // PortAudio device index, valid while the device set is unchanged
    std::string name;    // e.g. "pulse", "default", "HDA Intel PCH: ALC892 Analog (hw:0,0)"
    std::string hostApi; // e.g. "ALSA", "JACK Audio Connection Kit"
    int maxInputChannels = 0;
    int maxOutputChannels = 0;
    double defaultSampleRate = 0.0; // Hz
};

// Every PortAudio device present now, in index order; empty when there is none or PortAudio
// cannot start.
std::vector<SoundDeviceInfo> ListSoundDevices();

// The device a user named: a whole number is an index, anything else must equal exactly one
// device's name. Nothing when there is no such device or the name is not unique; `error` then
// says which.
std::optional<SoundDeviceInfo> FindSoundDevice(const std::vector<SoundDeviceInfo>& devices,
                                               const std::string& indexOrName,
                                               std::string* error = nullptr);
