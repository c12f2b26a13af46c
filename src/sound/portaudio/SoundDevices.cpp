#include "sound/portaudio/SoundDevices.h"

#include "sound/portaudio/PortAudioSystem.h"

#include <portaudio.h>

#include <algorithm>
#include <cctype>

std::vector<SoundDeviceInfo> ListSoundDevices() {
    std::vector<SoundDeviceInfo> devices;
    const auto system = CPortAudioSystem::Acquire();
    if (!system->Ok()) return devices;
    const int count = Pa_GetDeviceCount();
    for (int i = 0; i < count; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (!info) continue;
        const PaHostApiInfo* api = Pa_GetHostApiInfo(info->hostApi);
        SoundDeviceInfo d;
        d.index = i;
        d.name = info->name ? info->name : "";
        d.hostApi = api && api->name ? api->name : "";
        d.maxInputChannels = info->maxInputChannels;
        d.maxOutputChannels = info->maxOutputChannels;
        d.defaultSampleRate = info->defaultSampleRate;
        devices.push_back(std::move(d));
    }
    return devices;
}

std::optional<SoundDeviceInfo> FindSoundDevice(const std::vector<SoundDeviceInfo>& devices,
                                               const std::string& indexOrName, std::string* error) {
    auto fail = [&](std::string text) -> std::optional<SoundDeviceInfo> {
        if (error) *error = std::move(text);
        return std::nullopt;
    };
    const bool isIndex = !indexOrName.empty() && indexOrName.size() < 10 &&
                         std::all_of(indexOrName.begin(), indexOrName.end(),
                                     [](unsigned char c) { return std::isdigit(c) != 0; });
    if (isIndex) {
        const int index = std::stoi(indexOrName);
        for (const auto& d : devices)
            if (d.index == index) return d;
        return fail("no sound device with index " + indexOrName);
    }
    std::optional<SoundDeviceInfo> found;
    for (const auto& d : devices) {
        if (d.name != indexOrName) continue;
        if (found)
            return fail("several sound devices are named \"" + indexOrName + "\"; give the index");
        found = d;
    }
    if (!found) return fail("no sound device named \"" + indexOrName + "\"");
    return found;
}
