#include "sound/qt/CAppSound.h"

#include "sound/engine/SoundCard.h"
#include "sound/portaudio/PortAudioCard.h"
#include "sound/portaudio/SoundDevices.h"
#include "sound/qt/QueuedDelivery.h"

#include <QObject>
#include <QSettings>

#include <cstdlib>

namespace {

const QString kDeviceKey = QStringLiteral("Sound/Device");
const QString kDutKey = QStringLiteral("Sound/Dut");

// Hardware cards of the desktop program: the system's default devices, or one PortAudio device
// by index or name.
std::unique_ptr<ISoundCard> MakePortAudioCard(const std::string& device, std::string& error) {
    if (device.empty()) return std::make_unique<CPortAudioCard>();
    const auto found = FindSoundDevice(ListSoundDevices(), device, &error);
    if (!found) return nullptr;
    return std::make_unique<CPortAudioCard>(found->index);
}

bool SameChoice(const SoundDeviceChoice& a, const SoundDeviceChoice& b) {
    return a.device == b.device && a.dut == b.dut;
}

} // namespace

const char* const CAppSound::kDefaultDutText =
    "in1=src;in2=src;src=tone:1000:8000+tone:3150:2000+noise:20:1;dut2=biquad:lpf:2000";

CAppSound::CAppSound(QObject* context) : m_player([this] { return Card(); }) {
    SetHardwareCardMaker(&MakePortAudioCard);
    m_player.Queue().SetNotifier([this, context] {
        QMetaObject::invokeMethod(
            context, [this] { m_player.Dispatch(); }, Qt::QueuedConnection);
    });
}

CAppSound::~CAppSound() {
    // No device thread may reach the player once it starts going away.
    m_player.Queue().SetNotifier(nullptr);
    m_player.Stop();
}

void CAppSound::SetStoredChoice(const SoundDeviceChoice& choice) {
    m_stored = choice;
}

SoundDeviceChoice CAppSound::EffectiveChoice() const {
    return EffectiveSoundDevice(m_stored);
}

bool CAppSound::IsOverridden() const {
    const char* env = std::getenv(kAudioDeviceVariable);
    return env && *env;
}

ISoundCard* CAppSound::Card() {
    const SoundDeviceChoice effective = EffectiveChoice();
    if (m_bMade && SameChoice(effective, m_made)) return m_card.get();
    m_player.Stop();
    m_card.reset();
    m_card = CreateSoundCard(effective, VirtualClock::RealTime, m_error);
    m_made = effective;
    m_bMade = true;
    return m_card.get();
}

void CAppSound::Load(QSettings& settings) {
    m_stored.device = settings.value(kDeviceKey).toString().toStdString();
    m_stored.dut = settings.contains(kDutKey) ? settings.value(kDutKey).toString().toStdString()
                                              : kDefaultDutText;
}

void CAppSound::Save(QSettings& settings) const {
    settings.setValue(kDeviceKey, QString::fromStdString(m_stored.device));
    settings.setValue(kDutKey, QString::fromStdString(m_stored.dut));
}
