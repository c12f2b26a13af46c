#include "sound/devices/VirtualSoundCard.h"
#include "sound/engine/CompletionQueue.h"
#include "sound/engine/WaveTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

// The card's own clock delivers buffers and its thread stops when the devices close. No
// timing is asserted: the waits only bound a hung run.
TEST(VirtualCardRealTime, BuffersArriveAndTheThreadStopsCleanly) {
    std::string error;
    auto card =
        CVirtualSoundCard::Create("in2=src;src=tone:1000:8000", VirtualClock::RealTime, error);
    ASSERT_TRUE(card) << error;
    EXPECT_FALSE(card->Pump()) << "the clock runs by itself";
    const WaveFormat format = MakePcmFormat(48000, 16, 2);
    const std::uint32_t bytes = 240 * format.blockAlign;
    for (int round = 0; round < 2; ++round) {
        CompletionQueue queue;
        std::vector<std::vector<std::uint8_t>> inData(4, std::vector<std::uint8_t>(bytes));
        std::vector<std::vector<std::uint8_t>> outData(4, std::vector<std::uint8_t>(bytes));
        std::vector<WaveHeader> inHeaders(4), outHeaders(4);
        std::unique_ptr<IWaveIn> in;
        std::unique_ptr<IWaveOut> out;
        ASSERT_EQ(card->OpenIn(in, format, queue), mmres::NoError);
        ASSERT_EQ(card->OpenOut(out, format, nullptr), mmres::NoError);
        for (int i = 0; i < 4; ++i) {
            inHeaders[i].SetUp(inData[i].data(), bytes, i);
            outHeaders[i].SetUp(outData[i].data(), bytes, i);
            ASSERT_EQ(in->Prepare(inHeaders[i]), mmres::NoError);
            ASSERT_EQ(in->AddBuffer(inHeaders[i]), mmres::NoError);
            ASSERT_EQ(out->Prepare(outHeaders[i]), mmres::NoError);
        }
        ASSERT_EQ(in->Start(), mmres::NoError);
        int received = 0;
        bool heardSource = false;
        while (received < 12) {
            auto c = queue.WaitTake(std::chrono::seconds(10));
            ASSERT_TRUE(c) << "no buffer within 10 s";
            ASSERT_EQ(c->kind, WaveCompletion::Kind::InputDone);
            ASSERT_EQ(c->session, in->Session());
            WaveHeader& h = *c->header;
            ASSERT_EQ(h.dwBytesRecorded, bytes);
            for (std::uint32_t k = 2; k < bytes; k += 4) heardSource |= h.lpData[k] != 0;
            // Played back as the engine does, while the paired output buffer is not queued.
            WaveHeader& o = outHeaders[h.dwUser];
            if (!(o.dwFlags.load() & whdr::InQueue)) {
                std::copy(h.lpData, h.lpData + bytes, o.lpData);
                ASSERT_EQ(out->Write(o), mmres::NoError);
            }
            ASSERT_EQ(in->AddBuffer(h), mmres::NoError);
            ++received;
        }
        EXPECT_TRUE(heardSource);
        EXPECT_EQ(in->Stop(), mmres::NoError);
        EXPECT_EQ(in->Reset(), mmres::NoError);
        EXPECT_EQ(out->Reset(), mmres::NoError);
        EXPECT_EQ(in->Close(), mmres::NoError);
        EXPECT_EQ(out->Close(), mmres::NoError);
        // Every header is back with the device closed; nothing is touched any more.
        for (int i = 0; i < 4; ++i) {
            EXPECT_FALSE(inHeaders[i].dwFlags.load() & whdr::InQueue);
            EXPECT_FALSE(outHeaders[i].dwFlags.load() & whdr::InQueue);
        }
    }
}

// Destroying the devices and the card without Close also stops the clock's thread.
TEST(VirtualCardRealTime, DestructionWithoutCloseJoinsTheThread) {
    std::string error;
    CompletionQueue queue;
    std::vector<std::uint8_t> data(4800);
    WaveHeader header;
    header.SetUp(data.data(), 4800, 0);
    {
        auto card = CVirtualSoundCard::Create("", VirtualClock::RealTime, error);
        std::unique_ptr<IWaveIn> in;
        ASSERT_EQ(card->OpenIn(in, MakePcmFormat(48000, 16, 2), queue), mmres::NoError);
        ASSERT_EQ(in->Prepare(header), mmres::NoError);
        ASSERT_EQ(in->AddBuffer(header), mmres::NoError);
        ASSERT_EQ(in->Start(), mmres::NoError);
        card.reset(); // the open device keeps the card's state alive
        ASSERT_TRUE(queue.WaitTake(std::chrono::seconds(10)));
    }
    EXPECT_FALSE(header.dwFlags.load() & whdr::InQueue);
}

} // namespace
