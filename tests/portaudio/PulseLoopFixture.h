#pragma once

#include "support/PulseServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Ends the test program when a test runs far longer than it ever should (a device call that
// hangs), so that a fault can never hold up the test run; the sound server dies with the program.
class TestWatchdog {
public:
    explicit TestWatchdog(std::chrono::seconds limit);
    ~TestWatchdog();

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_done = false;
    std::thread m_thread;
};

// Tests against a real sound server: a PulseAudio null sink of their own, stopped in every case
// when the test ends.
class PulseLoopTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_server.Ok()) << m_server.Error(); }

    TestWatchdog m_watchdog{std::chrono::seconds(120)};
    PulseServer m_server;
};
