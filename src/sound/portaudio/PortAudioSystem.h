#pragma once

#include <memory>
#include <string>

// Owns the process's PortAudio initialisation. Everyone who talks to PortAudio holds one through
// Acquire: the library is initialised when the first holder appears and terminated when the last
// one goes, so a later Acquire sees the devices present at that time (a sound server started
// meanwhile, a card plugged in). At most one initialisation exists at any time.
//
// ALSA's and JACK's own diagnostics (dozens of lines on stderr while PortAudio probes them) are
// silenced before the first initialisation.
//
// Acquire and the destructor run on the engine's thread; holders may be shared freely.
class CPortAudioSystem {
    struct Key {};

public:
    static std::shared_ptr<CPortAudioSystem> Acquire();
    explicit CPortAudioSystem(Key); // through Acquire only
    ~CPortAudioSystem();
    CPortAudioSystem(const CPortAudioSystem&) = delete;
    CPortAudioSystem& operator=(const CPortAudioSystem&) = delete;

    // Whether Pa_Initialize succeeded; when not, Error() says why and no PortAudio call but
    // this object's may be made.
    bool Ok() const { return m_ok; }
    const std::string& Error() const { return m_error; }

private:
    bool m_ok = false;
    std::string m_error;
};
