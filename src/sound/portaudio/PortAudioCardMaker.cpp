#include "sound/portaudio/PortAudioCardMaker.h"

#include "sound/devices/SoundCardFactory.h"
#include "sound/portaudio/PortAudioCard.h"
#include "sound/portaudio/SoundDevices.h"

void InstallPortAudioCards() {
    SetHardwareCardMaker(
        [](const std::string& device, std::string& error) -> std::unique_ptr<ISoundCard> {
            const std::vector<SoundDeviceInfo> devices = ListSoundDevices();
            if (device.empty()) {
                if (devices.empty()) return nullptr;
                return std::make_unique<CPortAudioCard>();
            }
            const auto found = FindSoundDevice(devices, device, &error);
            if (!found) return nullptr;
            return std::make_unique<CPortAudioCard>(found->index);
        });
}
