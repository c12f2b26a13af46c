#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "filters/BiquadDesign.h"
#include "filters/PcmFilters.h"
#include "realtime/CascadeIirTool.h"
#include "realtime/RtBiquadTool.h"
#include "sound/devices/VirtualSoundCard.h"
#include "support/RtRecording.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kDut =
    "in1=src;in2=src;src=noise:6000:13+tone:997:4000;dut2=gain:0.7,delay:5,noise:500:3";

std::vector<std::uint8_t> InputBytes(const RtRecording& rec, long long from, long long to) {
    return StereoBytes(rec.input.data() + from * 2, to - from);
}

void ExpectSameSamples(const std::vector<std::int16_t>& live, long long from,
                       const std::vector<std::uint8_t>& offlineBytes, const char* what) {
    const std::vector<std::int16_t> offline = StereoSamples(offlineBytes);
    long long differ = 0, first = -1;
    for (std::size_t i = 0; i < offline.size(); ++i)
        if (live[static_cast<std::size_t>(from * 2) + i] != offline[i]) {
            if (first < 0) first = static_cast<long long>(i);
            ++differ;
        }
    EXPECT_EQ(differ, 0) << what << ": first difference at sample " << from * 2 + first;
}

struct IirCase {
    int bufferSize;
    int rateIndex;
    int channelIndex;
};

std::vector<IirCase> IirCases() {
    std::vector<IirCase> cases;
    for (int b = 0; b < 3; ++b)
        for (int r = 0; r < 2; ++r)
            for (int ch = 0; ch < 3; ++ch) cases.push_back({b, r, ch});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<IirCase>& info) {
    const IirCase& c = info.param;
    static const char* const sizes[] = {"large", "medium", "small"};
    static const char* const chans[] = {"ch1", "ch2", "both"};
    return std::string(sizes[c.bufferSize]) + (c.rateIndex == 0 ? "_44k1_" : "_48k_") +
           chans[c.channelIndex];
}

struct Rig {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    std::unique_ptr<CVirtualSoundCard> card;
    RtRecording rec;
    explicit Rig(int bufferSize) {
        doc.m_nBufferSize = bufferSize;
        doc.SetUpdateListener([this] { doc.m_bRealBusy = 0; });
        std::string error;
        card = CVirtualSoundCard::Create(kDut, VirtualClock::Fast, error);
        EXPECT_TRUE(card) << error;
    }
};

class RtBiquadBitExact : public ::testing::TestWithParam<IirCase> {};

// The biquad tool's frequency slider moved after 60 of 120 buffers: the section changes in
// place, its histories carry on, and what was played equals BiquadFilterPcm over the same input
// with the histories passed from the first design to the second.
TEST_P(RtBiquadBitExact, PlayedEqualsTheOfflineFilteringAcrossASliderMove) {
    const IirCase c = GetParam();
    Rig rig(c.bufferSize);
    ASSERT_TRUE(rig.card);
    rig.doc.m_nRtBiquadType = biquadtype::Peaking;
    rig.doc.m_fCutLow = 1000.0f;
    rig.doc.m_fIirGain = 12.0f;
    CRtBiquadTool tool(rig.doc, *rig.card);
    tool.SetRateIndex(c.rateIndex);
    tool.SetChannel(c.channelIndex);
    rig.rec.Attach(tool.Engine());
    ASSERT_TRUE(tool.OnStart()) << ::testing::PrintToString(rig.ui.MessageTexts());
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rig.rec, 60));
    const std::vector<float> den1(tool.Denominator(), tool.Denominator() + 3);
    const std::vector<float> num1(tool.Numerator(), tool.Numerator() + 3);
    const long long boundary = rig.rec.Frames();
    tool.OnFrequencySlider(45);
    ASSERT_EQ(tool.Frequency(), 3619.0f);
    ASSERT_TRUE(tool.IsRunning());
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rig.rec, 120));
    const float* den2 = tool.Denominator();
    const float* num2 = tool.Numerator();
    tool.Close();

    const long long frames = rig.rec.Frames();
    const int mode = c.channelIndex + 1;
    float xh1[2] = {}, xh2[2] = {}, yh1[2] = {}, yh2[2] = {};
    const auto in1 = InputBytes(rig.rec, 0, boundary);
    std::vector<std::uint8_t> out1(in1.size());
    BiquadFilterPcm(mode, static_cast<int>(boundary), pcm::Stereo16, den1[0], den1[1], den1[2],
                    num1[0], num1[1], num1[2], xh1, xh2, yh1, yh2, 0, in1.data(), out1.data());
    const auto in2 = InputBytes(rig.rec, boundary, frames);
    std::vector<std::uint8_t> out2(in2.size());
    BiquadFilterPcm(mode, static_cast<int>(frames - boundary), pcm::Stereo16, den2[0], den2[1],
                    den2[2], num2[0], num2[1], num2[2], xh1, xh2, yh1, yh2, 0, in2.data(),
                    out2.data());
    ExpectSameSamples(rig.rec.output, 0, out1, "first design");
    ExpectSameSamples(rig.rec.output, boundary, out2, "after the slider");
}

INSTANTIATE_TEST_SUITE_P(Realtime, RtBiquadBitExact, ::testing::ValuesIn(IirCases()), CaseName);

class RtCascadeBitExact : public ::testing::TestWithParam<IirCase> {};

// The cascade tool (Chebyshev band-pass, 8 sections) with its low cut-off slider moved after 60
// of 120 buffers: the sections change in place, the state carries on, and what was played equals
// CascadeFilterPcm over the same input with the state continued from one design to the next.
TEST_P(RtCascadeBitExact, PlayedEqualsTheOfflineFilteringAcrossASliderMove) {
    const IirCase c = GetParam();
    Rig rig(c.bufferSize);
    ASSERT_TRUE(rig.card);
    rig.doc.m_nFilterShape = 2;
    rig.doc.m_nCascadeKind = 1;
    rig.doc.m_nIirOrder = 4;
    rig.doc.m_fCutLow = 800.0f;
    rig.doc.m_fCutHigh = 3000.0f;
    CCascadeIirTool tool(rig.doc, *rig.card);
    tool.SetRateIndex(c.rateIndex);
    CRtFilterTool& common = tool;
    common.SetChannel(c.channelIndex);
    rig.rec.Attach(tool.Engine());
    ASSERT_TRUE(tool.OnStart()) << ::testing::PrintToString(rig.ui.MessageTexts());
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rig.rec, 60));
    const BiquadTable first = tool.Design().Iir();
    const int order1 = tool.Design().Order();
    const long long boundary = rig.rec.Frames();
    tool.OnCutSlider(1, 30);
    ASSERT_EQ(tool.Params().cutLow, 639.0);
    ASSERT_TRUE(tool.IsRunning());
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rig.rec, 120));
    const BiquadTable second = tool.Design().Iir();
    const int order2 = tool.Design().Order();
    tool.Close();
    ASSERT_EQ(order1, 8);
    ASSERT_NE(first.b0[0], second.b0[0]);

    const long long frames = rig.rec.Frames();
    const int mode = c.channelIndex + 1;
    CascadeState s1, s2;
    const auto in1 = InputBytes(rig.rec, 0, boundary);
    std::vector<std::uint8_t> out1(in1.size());
    CascadeFilterPcm(mode, 1.0, static_cast<int>(in1.size()), 4, pcm::Stereo16, order1, first, s1,
                     s2, 0, in1.data(), out1.data());
    const auto in2 = InputBytes(rig.rec, boundary, frames);
    std::vector<std::uint8_t> out2(in2.size());
    CascadeFilterPcm(mode, 1.0, static_cast<int>(in2.size()), 4, pcm::Stereo16, order2, second, s1,
                     s2, 0, in2.data(), out2.data());
    ExpectSameSamples(rig.rec.output, 0, out1, "first design");
    ExpectSameSamples(rig.rec.output, boundary, out2, "after the slider");
}

INSTANTIATE_TEST_SUITE_P(Realtime, RtCascadeBitExact, ::testing::ValuesIn(IirCases()), CaseName);

} // namespace
