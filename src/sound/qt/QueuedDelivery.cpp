#include "sound/qt/QueuedDelivery.h"

#include "sound/engine/CompletionQueue.h"

#include <QObject>

CQueuedDelivery::CQueuedDelivery(CompletionQueue& queue, QObject* context,
                                 std::function<void()> deliver)
    : m_queue(queue) {
    m_queue.SetNotifier([context, deliver = std::move(deliver)] {
        QMetaObject::invokeMethod(context, deliver, Qt::QueuedConnection);
    });
}

CQueuedDelivery::~CQueuedDelivery() {
    m_queue.SetNotifier(nullptr);
}
