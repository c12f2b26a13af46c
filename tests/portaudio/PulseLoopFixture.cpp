#include "PulseLoopFixture.h"

#include <cstdio>
#include <cstdlib>

TestWatchdog::TestWatchdog(std::chrono::seconds limit) {
    m_thread = std::thread([this, limit] {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_cv.wait_for(lock, limit, [this] { return m_done; })) {
            std::fprintf(stderr, "test watchdog: the test ran longer than %lld s, ending it\n",
                         static_cast<long long>(limit.count()));
            std::_Exit(3);
        }
    });
}

TestWatchdog::~TestWatchdog() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
    }
    m_cv.notify_one();
    m_thread.join();
}
