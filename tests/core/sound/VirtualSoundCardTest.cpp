#include "sound/devices/VirtualSoundCard.h"
#include "sound/devices/DutText.h"
#include "sound/devices/VirtualCardMessages.h"
#include "sound/engine/CompletionQueue.h"
#include "sound/engine/WaveTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

// One buffer with its header.
struct Buffer {
    explicit Buffer(std::size_t bytes, std::uintptr_t index) : data(bytes, 0) {
        header.SetUp(data.data(), static_cast<std::uint32_t>(bytes), index);
    }
    std::vector<std::uint8_t> data;
    WaveHeader header;
};

// A virtual card in fast mode with both devices open on one queue, driven like the engine
// drives a card: drain the queue, pump only when it is empty.
class Rig {
public:
    Rig(const std::string& dut, const WaveFormat& format, int frames = 256, int buffers = 4)
        : m_format(format) {
        std::string error;
        m_card = CVirtualSoundCard::Create(dut, VirtualClock::Fast, error);
        EXPECT_TRUE(m_card) << error;
        EXPECT_EQ(m_card->OpenIn(m_in, format, m_queue), mmres::NoError);
        EXPECT_EQ(m_card->OpenOut(m_out, format, &m_queue), mmres::NoError);
        for (int i = 0; i < buffers; ++i) {
            m_inBuffers.push_back(std::make_unique<Buffer>(frames * format.blockAlign, i));
            EXPECT_EQ(m_in->Prepare(m_inBuffers.back()->header), mmres::NoError);
            EXPECT_EQ(m_in->AddBuffer(m_inBuffers.back()->header), mmres::NoError);
        }
    }
    ~Rig() {
        if (m_in) {
            m_in->Reset();
            m_in->Close();
        }
        if (m_out) {
            m_out->Reset();
            m_out->Close();
        }
    }

    // Queues `bytes` on the output.
    void Play(const std::vector<std::uint8_t>& bytes) {
        m_outBuffers.push_back(std::make_unique<Buffer>(bytes.size(), 0));
        std::memcpy(m_outBuffers.back()->data.data(), bytes.data(), bytes.size());
        ASSERT_EQ(m_out->Prepare(m_outBuffers.back()->header), mmres::NoError);
        ASSERT_EQ(m_out->Write(m_outBuffers.back()->header), mmres::NoError);
    }

    // Captures until `frames` frames were recorded (input buffers are queued again).
    std::vector<std::uint8_t> Capture(int frames) {
        const std::size_t want = static_cast<std::size_t>(frames) * m_format.blockAlign;
        while (m_captured.size() < want) {
            auto c = m_queue.TryTake();
            if (!c) {
                if (!m_card->Pump()) break;
                continue;
            }
            if (c->kind != WaveCompletion::Kind::InputDone) continue;
            EXPECT_EQ(c->session, m_in->Session());
            WaveHeader& h = *c->header;
            EXPECT_TRUE(h.dwFlags.load() & whdr::Done);
            EXPECT_FALSE(h.dwFlags.load() & whdr::InQueue);
            m_captured.insert(m_captured.end(), h.lpData, h.lpData + h.dwBytesRecorded);
            EXPECT_EQ(m_in->AddBuffer(h), mmres::NoError);
        }
        EXPECT_GE(m_captured.size(), want);
        return m_captured;
    }

    const WaveFormat m_format;
    std::unique_ptr<CVirtualSoundCard> m_card;
    CompletionQueue m_queue;
    std::vector<std::unique_ptr<Buffer>> m_inBuffers, m_outBuffers; // outlive the devices
    std::unique_ptr<IWaveIn> m_in;
    std::unique_ptr<IWaveOut> m_out;
    std::vector<std::uint8_t> m_captured;
};

// Frames of distinct, exactly representable values in every channel of `format`.
std::vector<std::uint8_t> Pattern(const WaveFormat& format, int frames) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(frames) * format.blockAlign, 0);
    const int bytesPerSample = format.bitsPerSample / 8;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        // Containers of 24 valid bits keep their low byte 0.
        if (format.validBitsPerSample == 24 && i % bytesPerSample == 0) continue;
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    return bytes;
}

// `frames` frames of silence.
std::vector<std::uint8_t> Silence(const WaveFormat& format, int frames) {
    return std::vector<std::uint8_t>(static_cast<std::size_t>(frames) * format.blockAlign,
                                     format.bitsPerSample == 8 ? 0x80 : 0x00);
}

std::vector<WaveFormat> EveryWidth(int channels) {
    return {MakePcmFormat(48000, 8, channels), MakePcmFormat(48000, 16, channels),
            *MakeExtensibleFormat(48000, widthcode::Bits16, channels),
            *MakeExtensibleFormat(48000, widthcode::Bits24, channels),
            *MakeExtensibleFormat(48000, widthcode::Bits32, channels)};
}

TEST(VirtualSoundCard, OutputComesBackExactlyLatencyFramesAfterItWasPlayed) {
    for (const int channels : {1, 2}) {
        for (const WaveFormat& format : EveryWidth(channels)) {
            for (const int latency : {1999, 0, 300}) {
                SCOPED_TRACE(::testing::Message()
                             << channels << " ch, " << format.bitsPerSample << "/"
                             << format.validBitsPerSample << " bits, latency " << latency);
                Rig rig("latency=" + std::to_string(latency), format);
                ASSERT_EQ(rig.m_in->Start(), mmres::NoError);
                const int frames = 1000;
                const auto played = Pattern(format, frames);
                rig.Play(played); // first frame plays at frame 0 of the clock
                const auto captured = rig.Capture(latency + frames + 10);
                const std::size_t block = format.blockAlign;
                ASSERT_GE(captured.size(), (latency + frames + 10) * block);
                const std::vector<std::uint8_t> silence = Silence(format, latency);
                EXPECT_TRUE(std::equal(silence.begin(), silence.end(), captured.begin()));
                EXPECT_TRUE(
                    std::equal(played.begin(), played.end(), captured.begin() + latency * block));
                const std::vector<std::uint8_t> after = Silence(format, 10);
                EXPECT_TRUE(std::equal(after.begin(), after.end(),
                                       captured.begin() + (latency + frames) * block));
                EXPECT_EQ(rig.m_out->Underruns(), 1) << "the pattern ran out once";
            }
        }
    }
}

// 16-bit samples of a stereo capture, channel `ch` (0 or 1).
std::vector<int> Channel(const std::vector<std::uint8_t>& bytes, int ch) {
    std::vector<int> v;
    for (std::size_t i = 2 * ch; i + 1 < bytes.size(); i += 4)
        v.push_back(static_cast<std::int16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return v;
}

std::vector<std::uint8_t> Stereo16(const std::vector<std::array<int, 2>>& frames) {
    std::vector<std::uint8_t> bytes;
    for (const auto& f : frames) {
        for (const int s : f) {
            bytes.push_back(static_cast<std::uint8_t>(s & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
        }
    }
    return bytes;
}

TEST(VirtualSoundCard, InputsAreRoutedFromOutputsSourceOrNothing) {
    const WaveFormat format = MakePcmFormat(48000, 16, 2);
    const std::vector<std::array<int, 2>> frames = {{100, -7}, {200, -8}, {300, -9}};
    struct Case {
        const char* dut;
        int in1[3];
        int in2[3];
    };
    // The source: 1000 sin(2 pi 12000 n / 48000 + 90 deg) = 1000, 0, -1000.
    const Case cases[] = {
        {"latency=0", {100, 200, 300}, {-7, -8, -9}},
        {"latency=0;in1=out2;in2=out1", {-7, -8, -9}, {100, 200, 300}},
        {"latency=0;in1=src;in2=0;src=tone:12000:1000:90", {1000, 0, -1000}, {0, 0, 0}},
        {"latency=0;in1=0;in2=out1;dut2=gain:-2", {0, 0, 0}, {-200, -400, -600}},
        {"latency=0;in1=out1;in2=out1;leak=0.5", {150, 300, 450}, {150, 300, 450}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dut);
        Rig rig(c.dut, format);
        ASSERT_EQ(rig.m_in->Start(), mmres::NoError);
        rig.Play(Stereo16(frames));
        const auto captured = rig.Capture(3);
        const auto in1 = Channel(captured, 0), in2 = Channel(captured, 1);
        for (int n = 0; n < 3; ++n) {
            EXPECT_EQ(in1[n], c.in1[n]) << n;
            EXPECT_EQ(in2[n], c.in2[n]) << n;
        }
    }
}

TEST(VirtualSoundCard, MonoOutputFeedsInputOneAndOutputTwoIsSilent) {
    const WaveFormat mono = MakePcmFormat(48000, 16, 1);
    Rig rig("latency=0;in1=out2", mono);
    ASSERT_EQ(rig.m_in->Start(), mmres::NoError);
    rig.Play({0x10, 0x00, 0x20, 0x00});
    const auto captured = rig.Capture(2);
    EXPECT_EQ(captured[0], 0);
    EXPECT_EQ(captured[2], 0);
}

TEST(VirtualSoundCard, ResetReturnsEveryQueuedHeaderWithItsSession) {
    const WaveFormat format = MakePcmFormat(48000, 16, 2);
    Rig rig("", format, 256, 4);
    ASSERT_EQ(rig.m_in->Start(), mmres::NoError);
    rig.Play(Silence(format, 4000));
    ASSERT_TRUE(rig.m_card->Pump());
    auto first = rig.m_queue.TryTake();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->header, &rig.m_inBuffers[0]->header);
    EXPECT_EQ(first->header->dwBytesRecorded, 256u * 4);
    EXPECT_FALSE(rig.m_queue.TryTake());

    EXPECT_EQ(rig.m_in->Unprepare(rig.m_inBuffers[1]->header), mmres::StillPlaying);
    EXPECT_EQ(rig.m_in->Close(), mmres::StillPlaying);
    EXPECT_EQ(rig.m_in->Reset(), mmres::NoError);
    for (int i = 1; i < 4; ++i) {
        auto c = rig.m_queue.TryTake();
        ASSERT_TRUE(c) << i;
        EXPECT_EQ(c->kind, WaveCompletion::Kind::InputDone);
        EXPECT_EQ(c->session, rig.m_in->Session());
        EXPECT_EQ(c->header, &rig.m_inBuffers[i]->header);
        EXPECT_EQ(c->header->dwBytesRecorded, 0u);
        EXPECT_EQ(c->header->dwFlags.load(), whdr::Done | whdr::Prepared);
    }
    EXPECT_EQ(rig.m_out->Reset(), mmres::NoError);
    auto out = rig.m_queue.TryTake();
    ASSERT_TRUE(out);
    EXPECT_EQ(out->kind, WaveCompletion::Kind::OutputDone);
    EXPECT_EQ(out->session, rig.m_out->Session());
    EXPECT_FALSE(rig.m_queue.TryTake());
    EXPECT_FALSE(rig.m_card->Pump()) << "nothing is started or playing";
    EXPECT_EQ(rig.m_in->Unprepare(rig.m_inBuffers[1]->header), mmres::NoError);
    EXPECT_EQ(rig.m_in->Close(), mmres::NoError);
    EXPECT_EQ(rig.m_in->Start(), mmres::InvalHandle) << "closed";
}

TEST(VirtualSoundCard, EveryOpeningHasItsOwnSession) {
    std::string error;
    auto card = CVirtualSoundCard::Create("", VirtualClock::Fast, error);
    auto other = CVirtualSoundCard::Create("", VirtualClock::Fast, error);
    CompletionQueue queue;
    const WaveFormat format = MakePcmFormat(44100, 16, 2);
    std::vector<std::uint64_t> sessions;
    for (int round = 0; round < 3; ++round) {
        std::unique_ptr<IWaveIn> in;
        std::unique_ptr<IWaveOut> out, out2;
        ASSERT_EQ(card->OpenIn(in, format, queue), mmres::NoError);
        ASSERT_EQ(card->OpenOut(out, format, nullptr), mmres::NoError);
        ASSERT_EQ(other->OpenOut(out2, format, nullptr), mmres::NoError);
        sessions.insert(sessions.end(), {in->Session(), out->Session(), out2->Session()});
        std::unique_ptr<IWaveIn> second;
        EXPECT_EQ(card->OpenIn(second, format, queue), mmres::Allocated);
        EXPECT_EQ(card->LastError(), vcmsg::kInputInUse);
        EXPECT_EQ(in->Close(), mmres::NoError);
        EXPECT_EQ(out->Close(), mmres::NoError);
        EXPECT_EQ(out2->Close(), mmres::NoError);
    }
    std::sort(sessions.begin(), sessions.end());
    EXPECT_EQ(std::adjacent_find(sessions.begin(), sessions.end()), sessions.end());
    EXPECT_NE(sessions.front(), 0u);
}

TEST(VirtualSoundCard, UnderrunsCountEachGapAndLostFramesAreCounted) {
    const WaveFormat format = MakePcmFormat(48000, 16, 2);
    Rig rig("", format, 256, 2);
    ASSERT_EQ(rig.m_in->Start(), mmres::NoError);
    // One output buffer per input buffer, as the engine plays: no gap.
    rig.Play(Silence(format, 256));
    for (int i = 0; i < 6; ++i) {
        while (rig.m_queue.Empty()) ASSERT_TRUE(rig.m_card->Pump());
        auto c = rig.m_queue.TryTake();
        if (c->kind != WaveCompletion::Kind::InputDone) continue;
        ASSERT_EQ(rig.m_in->AddBuffer(*c->header), mmres::NoError);
        rig.Play(Silence(format, 256));
    }
    EXPECT_EQ(rig.m_out->Underruns(), 0);
    // Stop writing: one gap, however long.
    rig.Capture(2000);
    EXPECT_EQ(rig.m_out->Underruns(), 1);
    rig.Play(Silence(format, 100));
    rig.Capture(4000);
    EXPECT_EQ(rig.m_out->Underruns(), 2);
    EXPECT_EQ(rig.m_card->LostInputFrames(), 0);

    // Started with no header queued: the frames are lost.
    ASSERT_EQ(rig.m_in->Reset(), mmres::NoError);
    rig.m_queue.Clear();
    ASSERT_EQ(rig.m_in->Start(), mmres::NoError);
    ASSERT_TRUE(rig.m_card->Pump());
    ASSERT_TRUE(rig.m_card->Pump());
    EXPECT_EQ(rig.m_card->LostInputFrames(), 2 * 512);
}

TEST(VirtualSoundCard, OutputAloneIsPlayedInChunksAndReportedDone) {
    std::string error;
    auto card = CVirtualSoundCard::Create("", VirtualClock::Fast, error);
    CompletionQueue queue;
    const WaveFormat format = MakePcmFormat(22050, 8, 1);
    Buffer a(1000, 0), b(300, 1);
    std::unique_ptr<IWaveOut> out;
    ASSERT_EQ(card->OpenOut(out, format, &queue), mmres::NoError);
    for (Buffer* x : {&a, &b}) ASSERT_EQ(out->Prepare(x->header), mmres::NoError);
    EXPECT_EQ(out->Pause(), mmres::NoError);
    ASSERT_EQ(out->Write(a.header), mmres::NoError);
    ASSERT_EQ(out->Write(b.header), mmres::NoError);
    EXPECT_EQ(out->Write(b.header), mmres::StillPlaying);
    EXPECT_FALSE(card->Pump()) << "paused";
    EXPECT_EQ(out->Restart(), mmres::NoError);
    int pumps = 0;
    while (card->Pump()) ++pumps;
    EXPECT_EQ(pumps, 3) << "1300 frames in chunks of at most 512";
    auto c1 = queue.TryTake(), c2 = queue.TryTake();
    ASSERT_TRUE(c1 && c2);
    EXPECT_EQ(c1->header, &a.header);
    EXPECT_EQ(c2->header, &b.header);
    EXPECT_EQ(c2->kind, WaveCompletion::Kind::OutputDone);
    EXPECT_TRUE(b.header.dwFlags.load() & whdr::Done);
    EXPECT_EQ(out->Underruns(), 0);
    EXPECT_EQ(out->Close(), mmres::NoError);
    EXPECT_EQ(out->Underruns(), 0);
}

TEST(VirtualSoundCard, HeaderRulesOfTheDevices) {
    const WaveFormat format = MakePcmFormat(48000, 16, 2);
    Buffer x(1024, 0), tiny(3, 1);
    Rig rig("", format, 256, 0);
    EXPECT_EQ(rig.m_in->AddBuffer(x.header), mmres::Unprepared);
    EXPECT_EQ(rig.m_out->Write(x.header), mmres::Unprepared);
    ASSERT_EQ(rig.m_in->Prepare(tiny.header), mmres::NoError);
    EXPECT_EQ(rig.m_in->AddBuffer(tiny.header), mmres::InvalParam) << "less than one frame";
    ASSERT_EQ(rig.m_in->Prepare(x.header), mmres::NoError);
    ASSERT_EQ(rig.m_in->AddBuffer(x.header), mmres::NoError);
    EXPECT_EQ(rig.m_in->AddBuffer(x.header), mmres::StillPlaying);
    EXPECT_EQ(rig.m_in->Prepare(x.header), mmres::StillPlaying);
}

TEST(VirtualSoundCard, FormatsAndCapabilities) {
    std::string error;
    auto card = CVirtualSoundCard::Create("", VirtualClock::Fast, error);
    EXPECT_EQ(card->Name(), "virtual");
    WaveInCaps caps;
    ASSERT_EQ(card->GetInDevCaps(caps), mmres::NoError);
    EXPECT_EQ(caps.channels, 2);
    for (const int rate : {11025, 22050, 44100, 96000})
        for (const int bits : {8, 16})
            for (const int ch : {1, 2})
                EXPECT_TRUE(caps.formats & wavecaps::FormatBit(rate, bits, ch));

    for (const int rate : {8000, 44100, 192000}) {
        for (const int ch : {1, 2}) {
            EXPECT_TRUE(card->IsFormatSupported(MakePcmFormat(rate, 8, ch)));
            EXPECT_TRUE(card->IsFormatSupported(MakePcmFormat(rate, 16, ch)));
            for (const int code : {1, 2, 3})
                EXPECT_TRUE(card->IsFormatSupported(*MakeExtensibleFormat(rate, code, ch)));
        }
    }
    WaveFormat odd = MakePcmFormat(48000, 16, 2);
    odd.blockAlign = 3;
    const WaveFormat refused[] = {MakePcmFormat(7999, 16, 2),  MakePcmFormat(192001, 16, 2),
                                  MakePcmFormat(48000, 16, 3), MakePcmFormat(48000, 24, 2),
                                  MakePcmFormat(48000, 32, 2), odd};
    CompletionQueue queue;
    for (const auto& f : refused) {
        EXPECT_FALSE(card->IsFormatSupported(f));
        std::unique_ptr<IWaveIn> in;
        EXPECT_EQ(card->OpenIn(in, f, queue), mmres::BadFormat);
        EXPECT_EQ(card->LastError(), vcmsg::kBadFormat);
    }
    // Both devices run at one rate.
    std::unique_ptr<IWaveIn> in;
    std::unique_ptr<IWaveOut> out;
    ASSERT_EQ(card->OpenIn(in, MakePcmFormat(48000, 16, 2), queue), mmres::NoError);
    EXPECT_EQ(card->OpenOut(out, MakePcmFormat(44100, 16, 2), nullptr), mmres::BadFormat);
    EXPECT_EQ(card->LastError(), vcmsg::kRateMismatch);
    EXPECT_EQ(card->OpenOut(out, MakePcmFormat(48000, 8, 1), nullptr), mmres::NoError);
    EXPECT_TRUE(card->LastError().empty());
    // The engine's pauses cost nothing and the card does not run by itself.
    card->Pause(500);
    EXPECT_FALSE(card->Pump()) << "nothing started";
}

TEST(VirtualSoundCard, BadTextOrFileIsRefusedByCreate) {
    std::string error;
    EXPECT_FALSE(CVirtualSoundCard::Create("dut1=gain:x", VirtualClock::Fast, error));
    EXPECT_EQ(error, DutItemError("dut1=gain:x"));
    EXPECT_FALSE(
        CVirtualSoundCard::Create("src=wav:/nonexistent/a.wav", VirtualClock::Fast, error));
    EXPECT_EQ(error.rfind(DutItemError("src=wav:/nonexistent/a.wav"), 0), 0u);
    // A design that cannot run at the format's rate is refused when the input opens.
    auto card = CVirtualSoundCard::Create("dut2=biquad:hpf:6000", VirtualClock::Fast, error);
    ASSERT_TRUE(card);
    CompletionQueue queue;
    std::unique_ptr<IWaveIn> in;
    EXPECT_EQ(card->OpenIn(in, MakePcmFormat(11025, 16, 2), queue), mmres::BadFormat);
    EXPECT_EQ(card->LastError().rfind(DutItemError("dut2=biquad:hpf:6000"), 0), 0u);
    EXPECT_EQ(card->OpenIn(in, MakePcmFormat(11025, 16, 1), queue), mmres::NoError)
        << "mono has no input 2";
}

TEST(VirtualSoundCard, FaultOpenAndStart) {
    std::string error;
    auto card = CVirtualSoundCard::Create("fault=open", VirtualClock::Fast, error);
    ASSERT_TRUE(card);
    CompletionQueue queue;
    const WaveFormat format = MakePcmFormat(48000, 16, 2);
    std::unique_ptr<IWaveIn> in;
    std::unique_ptr<IWaveOut> out;
    EXPECT_EQ(card->OpenIn(in, format, queue), mmres::Allocated);
    EXPECT_EQ(card->LastError(), vcmsg::kOpenFault);
    EXPECT_EQ(card->OpenOut(out, format, nullptr), mmres::Allocated);
    EXPECT_FALSE(in || out);
    WaveInCaps caps;
    EXPECT_EQ(card->GetInDevCaps(caps), mmres::NoError) << "the card is there, it fails to open";

    Rig rig("fault=start", format);
    EXPECT_EQ(rig.m_in->Start(), mmres::Error);
    EXPECT_EQ(rig.m_card->LastError(), vcmsg::kStartFault);
    EXPECT_FALSE(rig.m_card->Pump()) << "not started";
}

TEST(VirtualSoundCard, FaultLoseReturnsEverythingAndLaterCallsFail) {
    const WaveFormat format = MakePcmFormat(48000, 16, 2);
    // 0.01 s = 480 frames: the second buffer of 256 frames is cut after 224.
    Rig rig("fault=lose:0.01", format, 256, 3);
    ASSERT_EQ(rig.m_in->Start(), mmres::NoError);
    rig.Play(Silence(format, 10000));
    ASSERT_TRUE(rig.m_card->Pump());
    ASSERT_TRUE(rig.m_card->Pump());
    std::vector<WaveCompletion> got;
    while (auto c = rig.m_queue.TryTake()) got.push_back(*c);
    ASSERT_EQ(got.size(), 6u);
    const std::uint32_t recorded[] = {256 * 4, 224 * 4, 0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(got[i].kind, WaveCompletion::Kind::InputDone);
        EXPECT_EQ(got[i].header, &rig.m_inBuffers[i]->header);
        EXPECT_EQ(got[i].header->dwBytesRecorded, recorded[i]) << i;
    }
    EXPECT_EQ(got[3].kind, WaveCompletion::Kind::DeviceLost);
    EXPECT_EQ(got[3].session, rig.m_in->Session());
    EXPECT_EQ(got[3].error, vcmsg::kLost);
    EXPECT_EQ(got[4].kind, WaveCompletion::Kind::OutputDone);
    EXPECT_EQ(got[5].kind, WaveCompletion::Kind::DeviceLost);
    EXPECT_EQ(got[5].session, rig.m_out->Session());
    EXPECT_EQ(rig.m_card->LastError(), vcmsg::kLost);

    EXPECT_FALSE(rig.m_card->Pump());
    EXPECT_EQ(rig.m_in->AddBuffer(rig.m_inBuffers[0]->header), mmres::NoDriver);
    EXPECT_EQ(rig.m_in->Start(), mmres::NoDriver);
    EXPECT_EQ(rig.m_in->Reset(), mmres::NoDriver);
    EXPECT_EQ(rig.m_out->Write(rig.m_outBuffers[0]->header), mmres::NoDriver);
    EXPECT_EQ(rig.m_in->Unprepare(rig.m_inBuffers[0]->header), mmres::NoError);
    EXPECT_EQ(rig.m_in->Close(), mmres::NoError);
    std::unique_ptr<IWaveIn> again;
    EXPECT_EQ(rig.m_card->OpenIn(again, format, rig.m_queue), mmres::NoDriver)
        << "gone while a device of it is open";
    EXPECT_EQ(rig.m_out->Close(), mmres::NoError);
    // Once everything is closed the card can be opened again, with a fresh clock.
    EXPECT_EQ(rig.m_card->OpenIn(again, format, rig.m_queue), mmres::NoError);
    EXPECT_EQ(again->Close(), mmres::NoError);
}

} // namespace
