#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "filters/PcmFilters.h"
#include "realtime/RtWindowFirTool.h"
#include "sound/devices/VirtualSoundCard.h"
#include "support/RtRecording.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two different noise channels: the source on input 1, and on input 2 the same source at half
// level three frames later plus a little noise of its own.
constexpr const char* kDut =
    "in1=src;in2=src;src=noise:6000:11+tone:440:3000;dut2=gain:0.5,delay:3,noise:300:5";

// FirFilterPcm of input frames [from, to) with the frames before `from` (zeros before the
// start) as history: the output frames [from, to) of a tool that ran `taps` there.
std::vector<std::int16_t> OfflineFir(const RtRecording& rec, long long from, long long to,
                                     const std::vector<double>& taps, int mode) {
    const long long n = static_cast<long long>(taps.size());
    std::vector<std::int16_t> work(static_cast<std::size_t>((to - from + n) * 2), 0);
    for (long long f = from - n; f < to; ++f)
        if (f >= 0) {
            work[static_cast<std::size_t>((f - from + n) * 2)] = rec.input[f * 2];
            work[static_cast<std::size_t>((f - from + n) * 2 + 1)] = rec.input[f * 2 + 1];
        }
    const std::vector<std::uint8_t> in = StereoBytes(work.data(), to - from + n);
    std::vector<std::uint8_t> out(in.size());
    FirFilterPcm(mode, static_cast<int>(to - from + n), pcm::Stereo16, static_cast<int>(n),
                 taps.data(), 0, in.data(), out.data());
    out.resize(static_cast<std::size_t>(to - from) * 4);
    return StereoSamples(out);
}

void ExpectSameSamples(const std::vector<std::int16_t>& live, long long from,
                       const std::vector<std::int16_t>& offline, const char* what) {
    long long differ = 0, first = -1;
    for (std::size_t i = 0; i < offline.size(); ++i)
        if (live[static_cast<std::size_t>(from * 2) + i] != offline[i]) {
            if (first < 0) first = static_cast<long long>(i);
            ++differ;
        }
    EXPECT_EQ(differ, 0) << what << ": first difference at sample " << from * 2 + first;
}

struct FirCase {
    int bufferSize; // 0 large, 1 medium, 2 small
    int rateIndex;  // 0 44.1 kHz, 1 48 kHz
    int channelIndex;
};

class RtFirBitExact : public ::testing::TestWithParam<FirCase> {};

// 120 buffers through the window-method tool on the virtual card, redesigned after 60 (another
// tap count and cut-off, in place): what the card played equals the offline FIR filtering of
// what the tool filtered, sample for sample, the second design starting exactly at a buffer
// boundary with the real past input as its history.
TEST_P(RtFirBitExact, PlayedEqualsTheOfflineFilteringAcrossARedesign) {
    const FirCase c = GetParam();
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.m_nBufferSize = c.bufferSize;
    doc.m_nFirType = 3; // Hamming
    doc.SetUpdateListener([&doc] { doc.m_bRealBusy = 0; });
    std::string error;
    auto card = CVirtualSoundCard::Create(kDut, VirtualClock::Fast, error);
    ASSERT_TRUE(card) << error;
    CRtWindowFirTool tool(doc, *card);
    tool.SetRateIndex(c.rateIndex);
    tool.SetChannel(c.channelIndex);
    FirWindowSettings s = tool.Settings();
    s.shape = 0;
    s.taps = 63;
    s.cutLow = 3000.0f;
    tool.SetSettings(s);
    RtRecording rec;
    rec.Attach(tool.Engine());
    ASSERT_TRUE(tool.OnStart()) << ::testing::PrintToString(ui.MessageTexts());
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rec, 60));
    const std::vector<double> first = tool.Taps();
    const long long boundary = rec.Frames();
    s.taps = 101;
    s.shape = 2;
    s.cutLow = 1000.0f;
    s.cutHigh = 5000.0f;
    tool.SetSettings(s);
    ASSERT_TRUE(tool.OnDesignChanged());
    ASSERT_TRUE(tool.IsRunning());
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rec, 120));
    const std::vector<double> second = tool.Taps();
    tool.Close();
    ASSERT_EQ(first.size(), 63u);
    ASSERT_EQ(second.size(), 101u);
    ASSERT_EQ(rec.output.size(), rec.input.size());
    const long long frames = rec.Frames();
    const int mode = c.channelIndex + 1;
    ExpectSameSamples(rec.output, 0, OfflineFir(rec, 0, boundary, first, mode), "first design");
    ExpectSameSamples(rec.output, boundary, OfflineFir(rec, boundary, frames, second, mode),
                      "second design");
    // Every buffer holds whole frames of the duration.
    const int rate = c.rateIndex == 0 ? 44100 : 48000;
    const int ms = RtBufferDuration(c.bufferSize);
    EXPECT_EQ(rec.bufferEnds[0], static_cast<long long>(ms) * rate / 1000);
}

std::vector<FirCase> FirCases() {
    std::vector<FirCase> cases;
    for (int b = 0; b < 3; ++b)
        for (int r = 0; r < 2; ++r)
            for (int ch = 0; ch < 3; ++ch) cases.push_back({b, r, ch});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<FirCase>& info) {
    const FirCase& c = info.param;
    static const char* const sizes[] = {"large", "medium", "small"};
    static const char* const chans[] = {"ch1", "ch2", "both"};
    return std::string(sizes[c.bufferSize]) + (c.rateIndex == 0 ? "_44k1_" : "_48k_") +
           chans[c.channelIndex];
}

INSTANTIATE_TEST_SUITE_P(Realtime, RtFirBitExact, ::testing::ValuesIn(FirCases()), CaseName);

} // namespace
