#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

struct WaveHeader;

// What a device announces: an input buffer it filled, an output buffer it finished playing,
// or that the device stopped working.
struct WaveCompletion {
    enum class Kind { InputDone, OutputDone, DeviceLost };
    Kind kind = Kind::InputDone;
    // The device session that queued the buffer (see IWaveIn::Session). A receiver looks at
    // `header` only when the session is its own: buffers of an earlier, reset session may have
    // been freed already.
    std::uint64_t session = 0;
    WaveHeader* header = nullptr;
    std::string error; // DeviceLost: what the back-end said
};

// Carries completions from the devices (any thread, a PortAudio callback among them) to the
// thread that owns the engine, which takes them with TryTake/WaitTake. Devices never call the
// engine directly, so no completion is ever delivered from inside a device call.
//
// Post and the notifier are safe from any thread; the notifier is called (outside the lock)
// when the queue goes from empty to non-empty, so a user-interface loop can schedule one drain.
class CompletionQueue {
public:
    void Post(WaveCompletion completion);
    std::optional<WaveCompletion> TryTake();
    // Waits up to `timeout` for a completion.
    std::optional<WaveCompletion> WaitTake(std::chrono::milliseconds timeout);
    bool Empty() const;
    // Drops everything queued.
    void Clear();
    void SetNotifier(std::function<void()> notifier);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<WaveCompletion> m_items;
    std::mutex m_notifierMutex;
    std::function<void()> m_notifier;
};
