// The PortAudio back-end driven directly through IWaveIn / IWaveOut against a PulseAudio null
// sink, whose monitor hands back what was played.
#include "sound/portaudio/PortAudioCard.h"
#include "HeaderSet.h"
#include "PulseLoopFixture.h"
#include "ToneLoop.h"
#include "sound/engine/CompletionQueue.h"
#include "sound/portaudio/SoundDevices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Kind = WaveCompletion::Kind;

constexpr auto kDeadline = 30s; // the sound server takes a second or two to start streaming

std::chrono::steady_clock::time_point Deadline() {
    return std::chrono::steady_clock::now() + kDeadline;
}

// Opens the default devices at 48 kHz stereo 16-bit and records until `frames` frames came
// back (or the deadline passed). As the engine does, it plays in answer to what it records: when
// the first input buffer is back it writes the tone (eight buffers ahead, each rewritten as it
// is played), so that the tone's first frame goes to the device when `toneStart` frames had been
// recorded.
struct ToneRoundTrip {
    CPortAudioCard card;
    CompletionQueue queue;
    std::unique_ptr<IWaveIn> in;
    std::unique_ptr<IWaveOut> out;
    std::vector<std::int16_t> captured;
    long long toneStart = -1; // in recorded frames
    long long underruns = 0;

    void Run(long long frames) {
        const WaveFormat format = MakePcmFormat(toneloop::kRate, 16, toneloop::kChannels);
        const std::uint32_t bufferFrames = 4800;
        const std::uint32_t bytes = bufferFrames * static_cast<std::uint32_t>(format.blockAlign);
        HeaderSet inSet(bytes), outSet(bytes);
        ASSERT_EQ(card.OpenIn(in, format, queue), mmres::NoError) << card.LastError();
        ASSERT_EQ(card.OpenOut(out, format, &queue), mmres::NoError) << card.LastError();
        inSet.Prepare(*in);
        outSet.Prepare(*out);
        long long played = 0;
        for (auto& h : inSet.hdr) ASSERT_EQ(in->AddBuffer(h), mmres::NoError);
        ASSERT_EQ(in->Start(), mmres::NoError) << card.LastError();
        const auto deadline = Deadline();
        while (static_cast<long long>(captured.size()) < frames * toneloop::kChannels &&
               std::chrono::steady_clock::now() < deadline) {
            auto c = queue.WaitTake(500ms);
            if (!c) continue;
            ASSERT_NE(c->kind, Kind::DeviceLost) << c->error;
            WaveHeader& h = *c->header;
            if (c->kind == Kind::InputDone) {
                ASSERT_EQ(c->session, in->Session());
                ASSERT_EQ(h.dwBytesRecorded, h.dwBufferLength);
                const auto* s = reinterpret_cast<const std::int16_t*>(h.lpData);
                captured.insert(captured.end(), s, s + h.dwBytesRecorded / 2);
                ASSERT_EQ(in->AddBuffer(h), mmres::NoError);
                if (toneStart >= 0) continue;
                toneStart = static_cast<long long>(captured.size()) / toneloop::kChannels;
                for (auto& o : outSet.hdr) {
                    toneloop::Fill(o.lpData, played, bufferFrames);
                    played += bufferFrames;
                    ASSERT_EQ(out->Write(o), mmres::NoError);
                }
            } else {
                ASSERT_EQ(c->session, out->Session());
                toneloop::Fill(h.lpData, played, bufferFrames);
                played += bufferFrames;
                ASSERT_EQ(out->Write(h), mmres::NoError);
            }
        }
        underruns = out->Underruns();
        EXPECT_EQ(in->Reset(), mmres::NoError);
        EXPECT_EQ(out->Reset(), mmres::NoError);
        EXPECT_TRUE(inSet.AllReturned());
        EXPECT_TRUE(outSet.AllReturned());
        EXPECT_EQ(in->Close(), mmres::NoError);
        EXPECT_EQ(out->Close(), mmres::NoError);
    }
};

} // namespace

TEST_F(PulseLoopTest, ToneComesBackAtItsLevelAfterAMeasuredDelay) {
    ToneRoundTrip trip;
    trip.Run(2 * toneloop::kRate);
    ASSERT_GE(trip.captured.size(), 2u * toneloop::kRate * toneloop::kChannels)
        << "the sound server did not deliver 2 s within the time allowed";

    const long long first = toneloop::FirstSound(trip.captured);
    ASSERT_GE(first, 0) << "nothing came back";
    const long long delay = first - trip.toneStart - toneloop::kFirstSoundFrame;
    std::printf("loop delay through the null sink: %lld frames (%.1f ms)\n", delay,
                1000.0 * static_cast<double>(delay) / toneloop::kRate);
    EXPECT_GT(delay, 0);
    EXPECT_LT(delay, toneloop::kRate);

    const long long frames = static_cast<long long>(trip.captured.size()) / toneloop::kChannels;
    const auto levels = toneloop::PeakLevels(trip.captured, first, frames - first);
    std::printf("captured peaks: ch1 %d / %d, ch2 %d / %d\n", levels.max1, levels.min1, levels.max2,
                levels.min2);
    EXPECT_NEAR(levels.max1, toneloop::kPeak1, 1);
    EXPECT_NEAR(levels.min1, -toneloop::kPeak1, 1);
    EXPECT_NEAR(levels.max2, toneloop::kPeak2, 1);
    EXPECT_NEAR(levels.min2, -toneloop::kPeak2, 1);
    // On a quiet machine the capture is one unbroken stretch of the tone once the server has
    // settled (it reworks its first period or two when a stream joins). Under load the server
    // itself may drop or pad frames, so this is only reported.
    const long long settled = first + toneloop::kRate / 4;
    if (toneloop::Unbroken(trip.captured, settled))
        std::printf("from 0.25 s on the capture is one unbroken stretch of the tone\n");
    else
        std::printf("the captured tone has gaps (output underruns seen: %lld)\n", trip.underruns);
}

TEST_F(PulseLoopTest, InputAloneCapturesFullBuffers) {
    CPortAudioCard card;
    CompletionQueue queue;
    std::unique_ptr<IWaveIn> in;
    const WaveFormat format = MakePcmFormat(44100, 16, 1);
    ASSERT_EQ(card.OpenIn(in, format, queue), mmres::NoError) << card.LastError();
    HeaderSet set(4410 * 2);
    set.Prepare(*in);
    for (auto& h : set.hdr) ASSERT_EQ(in->AddBuffer(h), mmres::NoError);
    EXPECT_EQ(in->Unprepare(set.hdr[0]), mmres::StillPlaying);
    ASSERT_EQ(in->Start(), mmres::NoError) << card.LastError();
    int received = 0;
    const auto deadline = Deadline();
    while (received < 12 && std::chrono::steady_clock::now() < deadline) {
        auto c = queue.WaitTake(500ms);
        if (!c) continue;
        ASSERT_EQ(c->kind, Kind::InputDone) << c->error;
        ASSERT_EQ(c->session, in->Session());
        WaveHeader& h = *c->header;
        EXPECT_EQ(h.dwBytesRecorded, h.dwBufferLength);
        EXPECT_EQ(h.dwFlags.load() & (whdr::Done | whdr::InQueue), whdr::Done);
        // Nothing plays into the null sink: its monitor is silent.
        EXPECT_TRUE(std::all_of(h.lpData, h.lpData + h.dwBytesRecorded,
                                [](std::uint8_t b) { return b == 0; }));
        ++received;
        ASSERT_EQ(in->AddBuffer(h), mmres::NoError);
    }
    EXPECT_EQ(received, 12);
    EXPECT_EQ(in->Close(), mmres::StillPlaying);
    EXPECT_EQ(in->Stop(), mmres::NoError);
    EXPECT_EQ(in->Reset(), mmres::NoError);
    EXPECT_TRUE(set.AllReturned());
    EXPECT_EQ(in->Close(), mmres::NoError);
    EXPECT_EQ(in->Start(), mmres::InvalHandle);
}

TEST_F(PulseLoopTest, ResetReturnsEveryQueuedHeader) {
    CPortAudioCard card;
    CompletionQueue queue;
    std::unique_ptr<IWaveIn> in;
    std::unique_ptr<IWaveOut> out;
    const WaveFormat format = MakePcmFormat(48000, 16, 2);
    ASSERT_EQ(card.OpenIn(in, format, queue), mmres::NoError) << card.LastError();
    ASSERT_EQ(card.OpenOut(out, format, &queue), mmres::NoError) << card.LastError();
    HeaderSet inSet(4800 * 4), outSet(48000 * 4); // output: a second per buffer, still queued
    inSet.Prepare(*in);
    outSet.Prepare(*out);
    for (auto& h : inSet.hdr) ASSERT_EQ(in->AddBuffer(h), mmres::NoError);
    for (auto& h : outSet.hdr) ASSERT_EQ(out->Write(h), mmres::NoError);
    ASSERT_EQ(in->Start(), mmres::NoError) << card.LastError();

    int inputs = 0, outputs = 0;
    const auto deadline = Deadline();
    while (inputs == 0 && std::chrono::steady_clock::now() < deadline) {
        auto c = queue.WaitTake(500ms);
        if (c) (c->kind == Kind::InputDone ? inputs : outputs) += 1;
    }
    ASSERT_EQ(inputs, 1) << "no input buffer came back";
    EXPECT_EQ(in->Reset(), mmres::NoError);
    EXPECT_EQ(out->Reset(), mmres::NoError);
    EXPECT_TRUE(inSet.AllReturned());
    EXPECT_TRUE(outSet.AllReturned());
    while (auto c = queue.TryTake()) {
        ASSERT_NE(c->kind, Kind::DeviceLost) << c->error;
        (c->kind == Kind::InputDone ? inputs : outputs) += 1;
    }
    EXPECT_EQ(inputs, HeaderSet::kBuffers);
    EXPECT_EQ(outputs, HeaderSet::kBuffers);
    for (auto& h : inSet.hdr) EXPECT_EQ(in->Unprepare(h), mmres::NoError);
    for (auto& h : outSet.hdr) EXPECT_EQ(out->Unprepare(h), mmres::NoError);
    EXPECT_EQ(in->Close(), mmres::NoError);
    EXPECT_EQ(out->Close(), mmres::NoError);
}

TEST_F(PulseLoopTest, CapabilitiesComeFromTheDevice) {
    CPortAudioCard card;
    WaveInCaps caps;
    ASSERT_EQ(card.GetInDevCaps(caps), mmres::NoError) << card.LastError();
    EXPECT_EQ(caps.name, card.Name());
    EXPECT_GE(caps.channels, 2);
    // The sound server converts every rate, width and channel count.
    EXPECT_EQ(caps.formats, 0xFFFu);
    EXPECT_TRUE(card.IsFormatSupported(MakePcmFormat(48000, 16, 2)));
    EXPECT_TRUE(card.IsFormatSupported(MakePcmFormat(22050, 8, 1)));
    EXPECT_TRUE(card.IsFormatSupported(*MakeExtensibleFormat(96000, widthcode::Bits24, 2)));
    EXPECT_FALSE(card.IsFormatSupported(MakePcmFormat(48000, 12, 2)));
    std::unique_ptr<IWaveIn> in;
    CompletionQueue queue;
    EXPECT_EQ(card.OpenIn(in, MakePcmFormat(48000, 24, 2), queue), mmres::BadFormat);
    EXPECT_FALSE(in);
    EXPECT_FALSE(card.LastError().empty());
}

TEST_F(PulseLoopTest, DevicesListTheServer) {
    const auto devices = ListSoundDevices();
    std::string error;
    const auto pulse = FindSoundDevice(devices, "pulse", &error);
    ASSERT_TRUE(pulse) << error;
    EXPECT_EQ(pulse->hostApi, "ALSA");
    EXPECT_GE(pulse->maxInputChannels, 2);
    EXPECT_GE(pulse->maxOutputChannels, 2);
    EXPECT_GT(pulse->defaultSampleRate, 0.0);
    const auto byIndex = FindSoundDevice(devices, std::to_string(pulse->index));
    ASSERT_TRUE(byIndex);
    EXPECT_EQ(byIndex->name, "pulse");
    WaveInCaps caps;
    EXPECT_EQ(CPortAudioCard(pulse->index).GetInDevCaps(caps), mmres::NoError);
    EXPECT_EQ(caps.name, "pulse");
}

TEST_F(PulseLoopTest, PlaybackAloneStartsWithTheFirstWriteAndCountsTheGapAfterIt) {
    const WaveFormat format = MakePcmFormat(toneloop::kRate, 16, toneloop::kChannels);
    const std::uint32_t bufferFrames = 4800;
    const std::uint32_t bytes = bufferFrames * static_cast<std::uint32_t>(format.blockAlign);

    // A second card records what the first one plays.
    CPortAudioCard recorder;
    CompletionQueue recorded;
    std::unique_ptr<IWaveIn> in;
    ASSERT_EQ(recorder.OpenIn(in, format, recorded), mmres::NoError) << recorder.LastError();
    HeaderSet inSet(bytes);
    inSet.Prepare(*in);
    for (auto& h : inSet.hdr) ASSERT_EQ(in->AddBuffer(h), mmres::NoError);
    ASSERT_EQ(in->Start(), mmres::NoError) << recorder.LastError();

    CPortAudioCard player;
    CompletionQueue played;
    std::unique_ptr<IWaveOut> out;
    ASSERT_EQ(player.OpenOut(out, format, &played), mmres::NoError) << player.LastError();
    HeaderSet outSet(bytes);
    outSet.Prepare(*out);
    for (int i = 0; i < 4; ++i) {
        toneloop::Fill(outSet.hdr[i].lpData, i * static_cast<long long>(bufferFrames),
                       bufferFrames);
        ASSERT_EQ(out->Write(outSet.hdr[i]), mmres::NoError) << player.LastError();
    }

    std::vector<std::int16_t> captured;
    int done = 0;
    const auto deadline = Deadline();
    while ((done < 4 || captured.size() < 3u * toneloop::kRate) &&
           std::chrono::steady_clock::now() < deadline) {
        if (auto c = played.WaitTake(20ms)) {
            ASSERT_EQ(c->kind, Kind::OutputDone) << c->error;
            ASSERT_EQ(c->session, out->Session());
            EXPECT_EQ(c->header, &outSet.hdr[done]);
            ++done;
        }
        while (auto c = recorded.TryTake()) {
            ASSERT_EQ(c->kind, Kind::InputDone) << c->error;
            const auto* s = reinterpret_cast<const std::int16_t*>(c->header->lpData);
            captured.insert(captured.end(), s, s + c->header->dwBytesRecorded / 2);
            ASSERT_EQ(in->AddBuffer(*c->header), mmres::NoError);
        }
    }
    ASSERT_EQ(done, 4);
    // After the last buffer the output plays silence: one gap, counted once.
    for (int i = 0; i < 100 && out->Underruns() == 0; ++i) std::this_thread::sleep_for(50ms);
    EXPECT_EQ(out->Underruns(), 1);

    const long long first = toneloop::FirstSound(captured);
    ASSERT_GE(first, 0) << "nothing of the playing came back";
    const auto levels = toneloop::PeakLevels(captured, first, 4 * bufferFrames);
    EXPECT_NEAR(levels.max1, toneloop::kPeak1, 1);
    EXPECT_NEAR(levels.min2, -toneloop::kPeak2, 1);

    EXPECT_EQ(in->Reset(), mmres::NoError);
    EXPECT_EQ(in->Close(), mmres::NoError);
    EXPECT_EQ(out->Close(), mmres::NoError);
}
