#pragma once

#include "support/WavBuilder.h"

#include <string>
#include <sys/types.h>

// A PulseAudio sound server for one test: a null sink "loop" (48 kHz, stereo) that is the
// default sink, its monitor the default source, in a runtime folder of its own
// (XDG_RUNTIME_DIR points there while the object lives). PortAudio then reaches it through ALSA's
// pulse plugin as the devices "pulse" and "default"; what is played comes back bit for bit.
//
// The daemon is a child of the test process that dies with it (even when the test crashes), and
// the destructor stops it in every case: "pactl exit", then SIGKILL when it is still there after
// a few seconds. Every wait is bounded.
class PulseServer {
public:
    PulseServer();
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    // Whether the server answers; when not, Error() tells why (with the daemon's log).
    bool Ok() const { return m_ok; }
    const std::string& Error() const { return m_error; }
    // Asks the server to exit ("pactl exit") and waits for it (bounded). True when it ended.
    bool Exit();
    // Kills the daemon at once (SIGKILL) and reaps it.
    void Kill();
    bool Running() const { return m_pid > 0; }

private:
    bool Start();
    // Waits up to `seconds` for the daemon to end; true when it did.
    bool WaitGone(double seconds);
    std::string Log() const;

    TempDir m_dir;
    std::string m_oldRuntimeDir;
    bool m_hadRuntimeDir = false;
    pid_t m_pid = -1;
    bool m_ok = false;
    std::string m_error;
};
