#include "sound/portaudio/PortAudioSystem.h"

#include <alsa/asoundlib.h>
#include <portaudio.h>
#ifdef SONALYX_HAVE_JACK
#include <jack/jack.h>
#endif

#include <mutex>

namespace {

void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}
#ifdef SONALYX_HAVE_JACK
void QuietJack(const char*) {}
#endif

void SilenceHostLibraries() {
    snd_lib_error_set_handler(&QuietAlsa);
#ifdef SONALYX_HAVE_JACK
    jack_set_error_function(&QuietJack);
    jack_set_info_function(&QuietJack);
#endif
}

std::mutex& SystemMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace

std::shared_ptr<CPortAudioSystem> CPortAudioSystem::Acquire() {
    static std::weak_ptr<CPortAudioSystem> current;
    std::lock_guard<std::mutex> lock(SystemMutex());
    if (auto held = current.lock()) return held;
    auto fresh = std::make_shared<CPortAudioSystem>(Key{});
    current = fresh;
    return fresh;
}

CPortAudioSystem::CPortAudioSystem(Key) {
    SilenceHostLibraries();
    const PaError err = Pa_Initialize();
    m_ok = err == paNoError;
    if (!m_ok) m_error = Pa_GetErrorText(err);
}

CPortAudioSystem::~CPortAudioSystem() {
    std::lock_guard<std::mutex> lock(SystemMutex());
    if (m_ok) Pa_Terminate();
}
