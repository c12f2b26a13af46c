#pragma once

#include <functional>

class CompletionQueue;
class QObject;

// Delivers a completion queue on the thread of `context`: whenever the queue's notifier fires (on
// a device's thread), `deliver` is scheduled there as a queued call. Declared after the object
// that owns the queue, it goes first: its destructor clears the notifier (waiting for a call in
// progress), so no device thread reaches the owner once it starts going away. Calls still
// scheduled are dropped with `context`.
class CQueuedDelivery {
public:
    CQueuedDelivery(CompletionQueue& queue, QObject* context, std::function<void()> deliver);
    ~CQueuedDelivery();
    CQueuedDelivery(const CQueuedDelivery&) = delete;
    CQueuedDelivery& operator=(const CQueuedDelivery&) = delete;

private:
    CompletionQueue& m_queue;
};
