#include "sound/devices/SoundCardFactory.h"

#include "sound/devices/VirtualSoundCard.h"

#include <cstdlib>

namespace {
HardwareCardMaker& Maker() {
    static HardwareCardMaker maker;
    return maker;
}
} // namespace

SoundDeviceChoice EffectiveSoundDevice(const SoundDeviceChoice& stored) {
    SoundDeviceChoice choice = stored;
    if (const char* env = std::getenv(kAudioDeviceVariable); env && *env) choice.device = env;
    return choice;
}

void SetHardwareCardMaker(HardwareCardMaker maker) {
    Maker() = std::move(maker);
}

std::unique_ptr<ISoundCard> CreateSoundCard(const SoundDeviceChoice& choice, VirtualClock clock,
                                            std::string& error) {
    error.clear();
    if (choice.IsVirtual()) return CVirtualSoundCard::Create(choice.dut, clock, error);
    if (!Maker()) return nullptr;
    return Maker()(choice.device, error);
}
