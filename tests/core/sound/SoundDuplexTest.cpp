#include "sound/engine/SoundDuplex.h"
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "sound/RealtimeCodes.h"
#include "sound/engine/SoundMessages.h"
#include "support/CaseNames.h"
#include "support/FakeSoundCard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct EngineFixture : ::testing::Test {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    CFakeSoundCard card;
    SoundDuplex engine{card, doc};

    // Opens and starts a block-sized run of N = 2048 (one block per buffer) at 48 kHz stereo.
    void StartRun(int code = 0) {
        engine.SetAnalysisSize(4, 0);
        engine.SetRequestCode(code);
        ASSERT_EQ(engine.initRSound(48000, 16, 2, 2048), 1);
        ASSERT_EQ(engine.StartRSound(), 1);
    }
};

struct InitFailure {
    const char* name;
    CFakeSoundCard::Script script;
    std::vector<std::string> messages;
};

std::vector<InitFailure> InitFailures() {
    std::vector<InitFailure> cases;
    CFakeSoundCard::Script s;
    s.openIn = mmres::Allocated;
    cases.push_back({"InputOpen", s, {}});
    s = {};
    s.openOut = mmres::BadDeviceId;
    cases.push_back({"OutputOpen", s, {}});
    s = {};
    s.inPrepare[3] = mmres::HandleBusy;
    cases.push_back({"InputPrepare", s, {sndmsg::kPrepareFailed, sndmsg::kHandleBusy}});
    s = {};
    s.inAdd[0] = mmres::Unprepared;
    cases.push_back({"AddBuffer", s, {sndmsg::kAddBufferFailed, sndmsg::kUnprepared}});
    s = {};
    s.outPrepare[7] = mmres::NoMem;
    cases.push_back({"OutputPrepare", s, {sndmsg::kOutPrepareFailed, sndmsg::kNoMemory}});
    s = {};
    s.inPrepare[0] = mmres::Unprepared; // no second message for this call
    cases.push_back({"PrepareUnlistedCode", s, {sndmsg::kPrepareFailed}});
    s = {};
    s.inAdd[5] = mmres::InvalHandle;
    cases.push_back({"AddInvalidHandle", s, {sndmsg::kAddBufferFailed, sndmsg::kInvalidHandle}});
    return cases;
}

class InitFailureTest : public EngineFixture, public ::testing::WithParamInterface<InitFailure> {};

TEST_P(InitFailureTest, ClosesEverythingAndNeverStarts) {
    card.script = GetParam().script;
    engine.SetAnalysisSize(4, 0);
    EXPECT_EQ(engine.initRSound(48000, 16, 2, 2048), 0);
    EXPECT_EQ(ui.MessageTexts(), GetParam().messages);
    EXPECT_EQ(card.openDevices, 0);
    EXPECT_FALSE(engine.IsOpen());
    EXPECT_FALSE(engine.IsRunning());
    // The start that used to follow on a handle that is not open is refused.
    EXPECT_EQ(engine.StartRSound(), 0);
    EXPECT_EQ(std::count(card.calls.begin(), card.calls.end(), "in.start"), 0);
    // A later attempt on a healthy card works.
    card.script = {};
    ui.Clear();
    EXPECT_EQ(engine.initRSound(48000, 16, 2, 2048), 1);
    EXPECT_EQ(engine.StartRSound(), 1);
    EXPECT_EQ(engine.StopRSound(), 1);
    EXPECT_EQ(card.openDevices, 0);
}

INSTANTIATE_TEST_SUITE_P(Engine, InitFailureTest, ::testing::ValuesIn(InitFailures()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineFixture, AFailedStartSaysSoAndReleasesTheDevices) {
    card.script.start = mmres::Error;
    engine.SetAnalysisSize(4, 0);
    ASSERT_EQ(engine.initRSound(48000, 16, 2, 2048), 1);
    EXPECT_EQ(card.openDevices, 2);
    EXPECT_EQ(engine.StartRSound(), 0);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{sndmsg::kStartFailed});
    EXPECT_FALSE(engine.IsRunning());
    EXPECT_EQ(card.openDevices, 0);
    EXPECT_EQ(engine.StopRSound(), 0);
}

TEST_F(EngineFixture, StopWhenNothingRunsReturnsZero) {
    EXPECT_EQ(engine.StopRSound(), 0);
    engine.SetAnalysisSize(4, 0);
    ASSERT_EQ(engine.initRSound(48000, 16, 2, 2048), 1);
    // Opened but never started: released all the same.
    EXPECT_EQ(engine.StopRSound(), 0);
    EXPECT_EQ(card.openDevices, 0);
}

struct BufferCase {
    SoundVariant variant;
    int rate, bits, channels, pow, downExp, length;
    std::uint32_t bytes;
    int shift;
};

class BufferSizeTest : public EngineFixture, public ::testing::WithParamInterface<BufferCase> {};

TEST_P(BufferSizeTest, FollowsTheVariantsRule) {
    const BufferCase& c = GetParam();
    engine.SetVariant(c.variant);
    engine.SetAnalysisSize(c.pow, c.downExp);
    ASSERT_EQ(engine.initRSound(c.rate, c.bits, c.channels, c.length), 1);
    EXPECT_EQ(engine.BufferBytes(), c.bytes);
    EXPECT_EQ(engine.SizeShift(), c.shift);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, BufferSizeTest,
    ::testing::Values(
        // 128 points at 44.1 kHz: 16 blocks of 128 frames per buffer.
        BufferCase{SoundVariant::BlockSized, 44100, 16, 2, 0, 0, 128, 4 * 128 * 16, 4},
        // 2048 points or more up to 48 kHz: one block per buffer.
        BufferCase{SoundVariant::BlockSized, 48000, 16, 2, 4, 0, 2048, 4 * 2048, 0},
        BufferCase{SoundVariant::BlockSized, 48000, 8, 1, 6, 0, 8192, 8192, 0},
        // Above 48 kHz one more doubling.
        BufferCase{SoundVariant::BlockSized, 96000, 16, 1, 0, 0, 128, 2 * 128 * 32, 5},
        // Down-sampling by 4 of 512 points with a 63-tap filter: S = 4*512 + 3*63.
        BufferCase{SoundVariant::BlockSized, 48000, 16, 2, 2, 2, 4 * 512 + 3 * 63,
                   4 * (4 * 512 + 3 * 63), 0},
        BufferCase{SoundVariant::BlockSized, 48000, 16, 2, 1, 1, 2 * 256 + 41,
                   4 * (2 * 256 + 41) * 4, 2},
        // Durations hold whole frames: 15 ms at 44.1 kHz is 661 frames, not 661.5.
        BufferCase{SoundVariant::DurationSized, 44100, 16, 2, 0, 0, 15, 661 * 4, 0},
        BufferCase{SoundVariant::DurationSized, 48000, 16, 2, 0, 0, 50, 2400 * 4, 0},
        BufferCase{SoundVariant::InputOnly, 48000, 8, 2, 0, 0, 2000, 96000 * 2, 0},
        // Frame-counted: width codes 1, 2 and 3.
        BufferCase{SoundVariant::FrameCounted, 48000, 1, 2, 0, 0, 1000, 4000, 0},
        BufferCase{SoundVariant::FrameCounted, 96000, 2, 2, 0, 0, 1000, 8000, 0},
        BufferCase{SoundVariant::FrameCounted, 44100, 3, 1, 0, 0, 1000, 4000, 0}),
    CaseIndexName());

TEST_F(EngineFixture, AnUnknownWidthCodeOpensNothing) {
    engine.SetVariant(SoundVariant::FrameCounted);
    EXPECT_EQ(engine.initRSound(48000, 4, 2, 1000), 0);
    EXPECT_TRUE(card.calls.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(EngineFixture, ExtensibleFormatFields) {
    engine.SetVariant(SoundVariant::FrameCounted);
    ASSERT_EQ(engine.initRSound(96000, widthcode::Bits24, 2, 100), 1);
    const WaveFormat& f = card.lastFormat;
    EXPECT_EQ(f.formatTag, 0xFFFE);
    EXPECT_EQ(f.bitsPerSample, 32);
    EXPECT_EQ(f.validBitsPerSample, 24);
    EXPECT_EQ(f.blockAlign, 8);
    EXPECT_EQ(f.avgBytesPerSec, 768000);
    EXPECT_EQ(f.channelMask, 3);
}

TEST_F(EngineFixture, InputOnlyOpensNoOutput) {
    engine.SetVariant(SoundVariant::InputOnly);
    ASSERT_EQ(engine.initRSound(48000, 16, 2, 3000), 1);
    EXPECT_EQ(card.openDevices, 1);
    ASSERT_EQ(engine.StartRSound(), 1);
    ASSERT_TRUE(card.FillNextCounting());
    engine.DispatchCompletions();
    EXPECT_TRUE(card.written.empty());
    EXPECT_EQ(engine.Stats().buffers, 1);
}

struct IntervalCase {
    int rate, pow, tenths, interval;
};

class BlockIntervalTest : public EngineFixture,
                          public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(BlockIntervalTest, CountsAnalysisBlocksInTheDisplayInterval) {
    const IntervalCase& c = GetParam();
    engine.SetAnalysisSize(c.pow, 0);
    engine.SetIntervalTenths(c.tenths);
    ASSERT_EQ(engine.initRSound(c.rate, 16, 2, 1 << (c.pow + 7)), 1);
    ASSERT_EQ(engine.StartRSound(), 1);
    EXPECT_EQ(engine.BlockInterval(), c.interval);
}

INSTANTIATE_TEST_SUITE_P(Engine, BlockIntervalTest,
                         ::testing::Values(IntervalCase{44100, 0, 1, 34},
                                           IntervalCase{48000, 5, 20, 23},
                                           IntervalCase{48000, 4, 0, 0},
                                           IntervalCase{96000, 8, 20, 5}),
                         [](const ::testing::TestParamInfo<IntervalCase>& info) {
                             const IntervalCase& c = info.param;
                             return "rate" + std::to_string(c.rate) + "_pow" +
                                    std::to_string(c.pow) + "_tenths" + std::to_string(c.tenths);
                         });

TEST_F(EngineFixture, HandsOverEveryIntervalPlusOneBuffers) {
    engine.SetIntervalTenths(1); // 0.1 s of 2048-point blocks at 48 kHz: interval 2
    StartRun(99);
    ASSERT_EQ(engine.BlockInterval(), 2);
    for (int k = 0; k < 9; ++k) {
        ASSERT_TRUE(card.FillNextCounting());
        engine.DispatchCompletions();
        doc.m_bRealBusy = 0; // the view drew
    }
    EXPECT_EQ(doc.m_nRealUpdates, 3);
    EXPECT_EQ(engine.Stats().handedOver, 3);
    // Changing the interval while running takes effect at once.
    engine.SetIntervalTenths(0);
    EXPECT_EQ(engine.BlockInterval(), 0);
}

TEST_F(EngineFixture, ABusyViewDropsBlocksButTheOutputStaysContinuous) {
    // A spectrum that draws keeps the view busy until the view says it is done.
    doc.SetPow(4);
    ASSERT_EQ(doc.AllocateCaptureArea(), 1);
    StartRun(realtime::kSpectrum);
    std::vector<std::vector<std::uint8_t>> filled;
    for (int k = 0; k < 40; ++k) {
        const std::uint8_t first = card.counter;
        ASSERT_TRUE(card.FillNextCounting()) << k;
        std::vector<std::uint8_t> expected(engine.BufferBytes());
        for (std::size_t b = 0; b < expected.size(); ++b)
            expected[b] = static_cast<std::uint8_t>(first + b);
        filled.push_back(expected);
        // Several buffers may wait before the loop gets to them.
        if (k % 3 == 2) engine.DispatchCompletions();
        // The view finishes drawing only now and then.
        if (k % 10 == 9) doc.m_bRealBusy = 0;
    }
    engine.DispatchCompletions();
    ASSERT_EQ(card.written.size(), filled.size());
    for (std::size_t k = 0; k < filled.size(); ++k) {
        EXPECT_EQ(card.written[k], filled[k]) << "buffer " << k;
        EXPECT_EQ(card.writtenIndex[k], static_cast<int>(k % 8));
    }
    // Drawn: after the dispatches at buffers 2, 11, 20, 32 and the last one.
    EXPECT_EQ(engine.Stats().handedOver, 5);
    EXPECT_EQ(engine.Stats().skippedBusy, 35);
}

TEST_F(EngineFixture, TheStartClearsAStuckBusyFlag) {
    doc.m_bRealBusy = 1;
    StartRun(99);
    EXPECT_EQ(doc.m_bRealBusy, 0);
}

TEST_F(EngineFixture, BuffersOfAStoppedRunNeverReachTheNextRun) {
    StartRun();
    // Three buffers filled, not yet delivered; the others return with the reset.
    for (int k = 0; k < 3; ++k) ASSERT_TRUE(card.FillNextCounting());
    EXPECT_EQ(engine.StopRSound(), 1);
    ASSERT_EQ(engine.initRSound(48000, 16, 2, 2048), 1);
    ASSERT_EQ(engine.StartRSound(), 1);
    EXPECT_EQ(engine.DispatchCompletions(), 0);
    EXPECT_TRUE(card.written.empty());
    EXPECT_EQ(engine.Stats().dropped, 8);
    ASSERT_TRUE(card.FillNextCounting());
    EXPECT_EQ(engine.DispatchCompletions(), 1);
    EXPECT_EQ(card.written.size(), 1u);
}

TEST_F(EngineFixture, TheFirstBlockOfEachBufferGoesToTheCaptureArea) {
    // 512 points at 48 kHz: four blocks per buffer, only the first is copied.
    const int frames = 512;
    ASSERT_TRUE(doc.MakeWaveHeader(0, 48000, 16, 1, frames * 4));
    doc.SetWaveFormat(0, 48000, 16, 1, frames * 4);
    engine.SetAnalysisSize(2, 0);
    ASSERT_EQ(engine.initRSound(48000, 16, 2, frames), 1);
    ASSERT_EQ(engine.StartRSound(), 1);
    ASSERT_EQ(engine.SizeShift(), 2);
    ASSERT_TRUE(card.FillNextCounting());
    engine.DispatchCompletions();
    ASSERT_EQ(card.written.size(), 1u);
    EXPECT_TRUE(
        std::equal(card.written[0].begin(), card.written[0].begin() + frames * 4, doc.m_pWaveData));
}

TEST_F(EngineFixture, ALostDeviceStopsTheRunAndSaysWhy) {
    bool stopped = false;
    engine.SetStoppedListener([&] { stopped = true; });
    StartRun();
    card.LoseDevice("unplugged");
    engine.DispatchCompletions();
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(engine.IsRunning());
    EXPECT_EQ(card.openDevices, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, std::string(sndmsg::kDeviceLost) + "\nunplugged");
    EXPECT_EQ(engine.StopRSound(), 0);
}

TEST_F(EngineFixture, ThePausesGoThroughTheCard) {
    StartRun();
    EXPECT_EQ(card.pausedMs, 500);
    engine.StopRSound();
    EXPECT_EQ(card.pausedMs, 1000);
}

TEST_F(EngineFixture, PlayTapSeesEveryWrittenBuffer) {
    std::size_t tapped = 0;
    engine.SetPlayTap([&](const std::uint8_t*, std::size_t bytes) { tapped += bytes; });
    StartRun();
    for (int k = 0; k < 5; ++k) ASSERT_TRUE(card.FillNextCounting());
    engine.DispatchCompletions();
    EXPECT_EQ(tapped, 5u * engine.BufferBytes());
}

} // namespace
