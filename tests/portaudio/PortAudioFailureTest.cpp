// Failures of the PortAudio back-end: devices that do not exist, and a sound server that goes
// away while the stream runs.
#include "HeaderSet.h"
#include "PulseLoopFixture.h"
#include "sound/engine/CompletionQueue.h"
#include "sound/portaudio/PortAudioCard.h"
#include "sound/portaudio/SoundDevices.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>

namespace {

using namespace std::chrono_literals;
using Kind = WaveCompletion::Kind;

SoundDeviceInfo Device(int index, const std::string& name) {
    SoundDeviceInfo d;
    d.index = index;
    d.name = name;
    return d;
}

} // namespace

TEST(SoundDevices, FindsByIndexOrUniqueName) {
    const std::vector<SoundDeviceInfo> devices = {Device(0, "pulse"), Device(1, "default"),
                                                  Device(2, "hw 1"), Device(3, "hw 1")};
    struct Case {
        const char* text;
        int index;           // -1: not found
        const char* message; // part of the error
    };
    const Case cases[] = {
        {"0", 0, ""},
        {"1", 1, ""},
        {"default", 1, ""},
        {"pulse", 0, ""},
        {"4", -1, "no sound device with index 4"},
        {"Pulse", -1, "no sound device named \"Pulse\""},
        {"", -1, "no sound device named \"\""},
        {"hw 1", -1, "several sound devices are named \"hw 1\""},
        {"99999999999999999999", -1, "no sound device named"},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto found = FindSoundDevice(devices, c.text, &error);
        if (c.index < 0) {
            EXPECT_FALSE(found) << c.text;
            EXPECT_NE(error.find(c.message), std::string::npos) << c.text << ": " << error;
        } else {
            ASSERT_TRUE(found) << c.text << ": " << error;
            EXPECT_EQ(found->index, c.index) << c.text;
        }
    }
}

TEST(PortAudioCard, UnknownDeviceFailsCleanly) {
    CPortAudioCard card(9999);
    WaveInCaps caps;
    EXPECT_EQ(card.GetInDevCaps(caps), mmres::BadDeviceId);
    EXPECT_FALSE(card.IsFormatSupported(MakePcmFormat(48000, 16, 2)));
    CompletionQueue queue;
    std::unique_ptr<IWaveIn> in;
    std::unique_ptr<IWaveOut> out;
    EXPECT_EQ(card.OpenIn(in, MakePcmFormat(48000, 16, 2), queue), mmres::BadDeviceId);
    EXPECT_FALSE(card.LastError().empty());
    EXPECT_EQ(card.OpenOut(out, MakePcmFormat(48000, 16, 2), &queue), mmres::BadDeviceId);
    EXPECT_FALSE(in);
    EXPECT_FALSE(out);
    EXPECT_TRUE(queue.Empty());
}

TEST(PortAudioCard, WithoutAnyDeviceThereIsNoInput) {
    // No sound server runs for this test; on a machine without a sound card (the test machines)
    // PortAudio lists nothing.
    if (!ListSoundDevices().empty()) return;
    CPortAudioCard card;
    WaveInCaps caps;
    EXPECT_EQ(card.GetInDevCaps(caps), mmres::BadDeviceId);
    CompletionQueue queue;
    std::unique_ptr<IWaveIn> in;
    EXPECT_NE(card.OpenIn(in, MakePcmFormat(48000, 16, 2), queue), mmres::NoError);
    EXPECT_FALSE(card.LastError().empty());
}

// How the server goes away.
enum class ServerEnd { PactlExit, Kill };

class ServerGoneTest : public PulseLoopTest, public ::testing::WithParamInterface<ServerEnd> {};

TEST_P(ServerGoneTest, RunningStreamPostsOneDeviceLost) {
    CPortAudioCard card;
    CompletionQueue queue;
    std::unique_ptr<IWaveIn> in;
    std::unique_ptr<IWaveOut> out;
    const WaveFormat format = MakePcmFormat(48000, 16, 2);
    ASSERT_EQ(card.OpenIn(in, format, queue), mmres::NoError) << card.LastError();
    ASSERT_EQ(card.OpenOut(out, format, nullptr), mmres::NoError) << card.LastError();
    HeaderSet set(4800 * 4);
    set.Prepare(*in);
    for (auto& h : set.hdr) ASSERT_EQ(in->AddBuffer(h), mmres::NoError);
    ASSERT_EQ(in->Start(), mmres::NoError) << card.LastError();

    // Running: buffers come back and are queued again.
    int buffers = 0;
    auto deadline = std::chrono::steady_clock::now() + 30s;
    while (buffers < 3 && std::chrono::steady_clock::now() < deadline) {
        if (auto c = queue.WaitTake(500ms)) {
            ASSERT_EQ(c->kind, Kind::InputDone) << c->error;
            ++buffers;
            ASSERT_EQ(in->AddBuffer(*c->header), mmres::NoError);
        }
    }
    ASSERT_EQ(buffers, 3);

    if (GetParam() == ServerEnd::PactlExit)
        ASSERT_TRUE(m_server.Exit());
    else
        m_server.Kill();

    int lost = 0;
    std::string error;
    deadline = std::chrono::steady_clock::now() + 20s;
    while (lost == 0 && std::chrono::steady_clock::now() < deadline) {
        if (auto c = queue.WaitTake(500ms)) {
            if (c->kind == Kind::DeviceLost) {
                ++lost;
                error = c->error;
                EXPECT_EQ(c->session, in->Session());
                EXPECT_EQ(c->header, nullptr);
            }
        }
    }
    ASSERT_EQ(lost, 1) << "no DeviceLost within 20 s";
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(card.LastError(), error);

    // A lost device takes no more buffers; the engine's stop sequence still works and returns
    // every header.
    std::this_thread::sleep_for(200ms);
    EXPECT_NE(in->Start(), mmres::NoError);
    EXPECT_EQ(in->Stop(), mmres::NoError);
    EXPECT_EQ(in->Reset(), mmres::NoError);
    EXPECT_EQ(out->Reset(), mmres::NoError);
    for (auto& h : set.hdr) {
        EXPECT_EQ(h.dwFlags.load() & whdr::InQueue, 0u);
        EXPECT_EQ(in->Unprepare(h), mmres::NoError);
    }
    EXPECT_EQ(in->Close(), mmres::NoError);
    EXPECT_EQ(out->Pause(), mmres::NoError);
    EXPECT_EQ(out->Close(), mmres::NoError);
    while (auto c = queue.TryTake()) EXPECT_NE(c->kind, Kind::DeviceLost) << "a second DeviceLost";
}

INSTANTIATE_TEST_SUITE_P(PortAudio, ServerGoneTest,
                         ::testing::Values(ServerEnd::PactlExit, ServerEnd::Kill),
                         [](const auto& info) {
                             return info.param == ServerEnd::PactlExit ? "PactlExit" : "Kill";
                         });
