#include "sound/engine/CompletionQueue.h"

void CompletionQueue::Post(WaveCompletion completion) {
    bool wasEmpty = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        wasEmpty = m_items.empty();
        m_items.push_back(std::move(completion));
    }
    m_cv.notify_one();
    if (wasEmpty) {
        std::lock_guard<std::mutex> lock(m_notifierMutex);
        if (m_notifier) m_notifier();
    }
}

std::optional<WaveCompletion> CompletionQueue::TryTake() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_items.empty()) return std::nullopt;
    WaveCompletion c = std::move(m_items.front());
    m_items.pop_front();
    return c;
}

std::optional<WaveCompletion> CompletionQueue::WaitTake(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_cv.wait_for(lock, timeout, [this] { return !m_items.empty(); })) return std::nullopt;
    WaveCompletion c = std::move(m_items.front());
    m_items.pop_front();
    return c;
}

bool CompletionQueue::Empty() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_items.empty();
}

void CompletionQueue::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_items.clear();
}

void CompletionQueue::SetNotifier(std::function<void()> notifier) {
    std::lock_guard<std::mutex> lock(m_notifierMutex);
    m_notifier = std::move(notifier);
}
