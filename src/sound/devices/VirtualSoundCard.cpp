#include "sound/devices/VirtualSoundCard.h"

#include "sound/devices/DutFiles.h"
#include "sound/devices/DutText.h"
#include "sound/devices/VirtualCardCore.h"
#include "sound/devices/VirtualWaveIn.h"
#include "sound/devices/VirtualWaveOut.h"

std::unique_ptr<CVirtualSoundCard>
CVirtualSoundCard::Create(const std::string& dutText, VirtualClock clock, std::string& error) {
    DutText dut;
    DutFiles files;
    if (!ParseDutText(dutText, dut, error) || !LoadDutFiles(dut, files, error)) return nullptr;
    return std::unique_ptr<CVirtualSoundCard>(new CVirtualSoundCard(
        std::make_shared<CVirtualCardCore>(std::move(dut), std::move(files), clock)));
}

CVirtualSoundCard::CVirtualSoundCard(std::shared_ptr<CVirtualCardCore> core)
    : m_core(std::move(core)) {}

CVirtualSoundCard::~CVirtualSoundCard() = default;

int CVirtualSoundCard::GetInDevCaps(WaveInCaps& caps) {
    caps.name = Name();
    caps.channels = 2;
    caps.formats = wavecaps::F1M08 | wavecaps::F1S08 | wavecaps::F1M16 | wavecaps::F1S16 |
                   wavecaps::F2M08 | wavecaps::F2S08 | wavecaps::F2M16 | wavecaps::F2S16 |
                   wavecaps::F4M08 | wavecaps::F4S08 | wavecaps::F4M16 | wavecaps::F4S16;
    return mmres::NoError;
}

bool CVirtualSoundCard::IsFormatSupported(const WaveFormat& format) {
    return CVirtualCardCore::FormatSupported(format);
}

int CVirtualSoundCard::OpenIn(std::unique_ptr<IWaveIn>& in, const WaveFormat& format,
                              CompletionQueue& queue) {
    std::uint64_t session = 0;
    const int result = m_core->OpenIn(format, queue, session);
    if (result == mmres::NoError) in = std::make_unique<CVirtualWaveIn>(m_core, session);
    return result;
}

int CVirtualSoundCard::OpenOut(std::unique_ptr<IWaveOut>& out, const WaveFormat& format,
                               CompletionQueue* queue) {
    std::uint64_t session = 0;
    const int result = m_core->OpenOut(format, queue, session);
    if (result == mmres::NoError) out = std::make_unique<CVirtualWaveOut>(m_core, session);
    return result;
}

bool CVirtualSoundCard::Pump() {
    return m_core->Pump();
}

std::string CVirtualSoundCard::LastError() const {
    return m_core->LastError();
}

long long CVirtualSoundCard::LostInputFrames() const {
    return m_core->LostInputFrames();
}
