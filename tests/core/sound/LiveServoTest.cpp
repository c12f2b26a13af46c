#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/FileAnalysis.h"
#include "document/ScriptedUi.h"
#include "dsp/WindowKinds.h"
#include "filters/BiquadDesign.h"
#include "sound/devices/VirtualSoundCard.h"
#include "sound/servo/ServoAnaPanel.h"
#include "sound/servo/ServoExcitation.h"
#include "sound/settings/MeasConditions.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

using cd = std::complex<double>;
constexpr int kRate = 48000;
constexpr int kPow = 4; // 2048 points
constexpr int kN = 2048;

// The device under test's own response at bin k of N.
using Response = std::function<cd(int k)>;

Response BiquadResponse(int type, double f, double gainDb, double gain = 1.0) {
    float den[3], num[3];
    BiquadDesign(type, kRate, static_cast<float>(f), static_cast<float>(gainDb), den, num);
    return [=](int k) {
        const cd z1 = std::polar(1.0, -2.0 * std::numbers::pi * k / kN);
        return gain * (double(num[0]) + double(num[1]) * z1 + double(num[2]) * z1 * z1) /
               (double(den[0]) + double(den[1]) * z1 + double(den[2]) * z1 * z1);
    };
}

Response DelayResponse(int frames) {
    return [=](int k) { return std::polar(1.0, -2.0 * std::numbers::pi * k * frames / kN); };
}

// A document with the servo analyzer's conditions, its view drawing at once, on a virtual card.
struct ServoRig {
    ServoRig(const std::string& dut, int window, int excitation) {
        std::string error;
        card = CVirtualSoundCard::Create(dut, VirtualClock::Fast, error);
        EXPECT_TRUE(card) << error;
        doc.SetUpdateListener([this] {
            ++redraws;
            doc.m_bRealBusy = 0;
            if (onRedraw) onRedraw();
        });
        doc.m_nMeasRate = meas::kRate48000;
        doc.m_nPow = kPow;
        doc.m_nWindowType = window;
        doc.m_nExcitation = excitation;
        EXPECT_EQ(doc.BeginServoAnalyzer(card.get(), true), 1)
            << ::testing::PrintToString(ui.MessageTexts());
        panel = std::make_unique<CServoAnaPanel>(doc, *card);
        panel->SetSeed(11);
    }
    bool Run(int updates) {
        const int target = redraws + updates;
        SoundDuplex& e = panel->Engine();
        while (redraws < target)
            if (!e.IsRunning() || !e.RunOnce(std::chrono::seconds(5))) return false;
        return true;
    }
    // ch1 and ch2 of the block in the capture area (the block just analysed).
    std::vector<double> Captured(int channel) const {
        std::vector<double> v(kN);
        for (int i = 0; i < kN; ++i)
            v[i] = static_cast<std::int16_t>(doc.m_pWaveData[4 * i + 2 * (channel - 1)] |
                                             (doc.m_pWaveData[4 * i + 2 * (channel - 1) + 1] << 8));
        return v;
    }
    cd Measured(int k) const { return {doc.m_fRe[k], doc.m_fIm[k]}; }

    CScriptedUi ui;
    CKymoDoc doc{ui};
    std::unique_ptr<CVirtualSoundCard> card;
    std::unique_ptr<CServoAnaPanel> panel;
    int redraws = 0;
    std::function<void()> onRedraw;
};

cd Dft(const std::vector<double>& x, int k) {
    cd sum = 0.0;
    for (int t = 0; t < kN; ++t)
        sum += x[t] * std::polar(1.0, -2.0 * std::numbers::pi * t * k / kN);
    return sum / static_cast<double>(kN);
}

// Level within 0.05 dB and phase within 0.5 degrees at every bin from `lo` to `hi` Hz where the
// excitation carries energy: a random excitation leaves a few bins with |X1| far below its
// mean, where the 16-bit quantisation of the response decides the ratio (|X1| is taken as
// |X2| / |H| from the ch2 spectrum the analysis leaves in m_fOpRe/m_fOpIm).
void ExpectResponse(const ServoRig& rig, const Response& expected, double lo, double hi) {
    std::vector<double> x1(kN / 2);
    double power = 0.0;
    for (int k = 1; k < kN / 2; ++k) {
        x1[k] = std::hypot(rig.doc.m_fOpRe[k], rig.doc.m_fOpIm[k]) / std::abs(rig.Measured(k));
        power += x1[k] * x1[k];
    }
    const double floor = 0.1 * std::sqrt(power / (kN / 2 - 1));
    int checked = 0;
    for (int k = 1; k < kN / 2; ++k) {
        const double f = static_cast<double>(k) * kRate / kN;
        if (f < lo || f > hi || x1[k] < floor) continue;
        const cd m = rig.Measured(k), e = expected(k);
        ASSERT_NEAR(20 * std::log10(std::abs(m)), 20 * std::log10(std::abs(e)), 0.05)
            << "bin " << k << " (" << f << " Hz)";
        ASSERT_NEAR(std::arg(m / e) * 180 / std::numbers::pi, 0.0, 0.5)
            << "bin " << k << " (" << f << " Hz)";
        ++checked;
    }
    EXPECT_GT(checked, static_cast<int>(0.95 * (hi - lo) * kN / kRate));
}

struct ResponseCase {
    const char* name;
    int excitation;
    std::string dut; // dut2 chain
    int window;
    Response expected;
    double hi; // top of the band checked, Hz
};

class ServoResponse : public ::testing::TestWithParam<ResponseCase> {};

// The device's closed-form response, measured through the loop of the virtual card: ch1 hears
// the excitation, ch2 the excitation through the device.
TEST_P(ServoResponse, MatchesTheClosedForm) {
    const ResponseCase& c = GetParam();
    ServoRig rig("in1=out1;in2=out1;dut2=" + c.dut, c.window, c.excitation);
    ASSERT_TRUE(rig.panel->OnStart()) << ::testing::PrintToString(rig.ui.MessageTexts());
    ASSERT_TRUE(rig.Run(3));
    EXPECT_EQ(rig.doc.disp_mode1, kind::LiveTransfer);
    ExpectResponse(rig, c.expected, 20.0, c.hi);
}

INSTANTIATE_TEST_SUITE_P(
    Sound, ServoResponse,
    ::testing::Values(
        // The TSP is never windowed, even with a window chosen.
        ResponseCase{"Tsp1LowPass", servo::kTsp1, "biquad:lpf:4000", wnd::Blackman,
                     BiquadResponse(biquadtype::LowPass, 4000, 0), 16000},
        ResponseCase{"Tsp2Peaking", servo::kTsp2, "biquad:peaking:1000:-12", wnd::Hanning,
                     BiquadResponse(biquadtype::Peaking, 1000, -12), 23000},
        ResponseCase{"Tsp1Delay", servo::kTsp1, "delay:37", wnd::None, DelayResponse(37), 23000},
        ResponseCase{"Burst1LowPass", servo::kBurst1, "biquad:lpf:4000", wnd::None,
                     BiquadResponse(biquadtype::LowPass, 4000, 0), 16000},
        // The bursts fill the whole 16-bit range: the device keeps below full scale.
        ResponseCase{"Burst2Peaking", servo::kBurst2, "gain:0.7,biquad:peaking:1000:-12", wnd::None,
                     BiquadResponse(biquadtype::Peaking, 1000, -12, 0.7), 23000},
        ResponseCase{"Burst2Delay", servo::kBurst2, "delay:9", wnd::None, DelayResponse(9), 23000},
        ResponseCase{"RandomGain", servo::kRandom, "gain:0.5", wnd::None,
                     [](int) { return cd(0.5); }, 23000}),
    [](const auto& info) { return std::string(info.param.name); });

// The external source: nothing is played; the card's own source feeds both inputs.
TEST(LiveServo, ExternalSourceMeasuresTheDevice) {
    ServoRig rig("in1=src;in2=src;src=noise:8000:3;dut2=gain:0.25", wnd::None, servo::kExternal);
    ASSERT_TRUE(rig.panel->OnStart());
    ASSERT_TRUE(rig.Run(3));
    ExpectResponse(
        rig, [](int) { return cd(0.25); }, 20.0, 23000);
}

// "Open(+)特性" measures X2 / (X1 + X2) = H / (1 + H), "Open(-)特性" H / (1 - H).
TEST(LiveServo, LoopCharacteristicsTransformH) {
    const Response h = BiquadResponse(biquadtype::LowPass, 3000, 0, 0.5);
    for (int c : {meas::kClose, meas::kOpenPlus, meas::kOpenMinus}) {
        ServoRig rig("in1=out1;in2=out1;dut2=gain:0.5,biquad:lpf:3000", wnd::Blackman,
                     servo::kTsp1);
        ASSERT_EQ(rig.doc.m_bCharUsed, 1);
        rig.doc.m_nCharacteristic = c;
        ASSERT_TRUE(rig.panel->OnStart());
        ASSERT_TRUE(rig.Run(2));
        const double sign = c == meas::kOpenPlus ? 1.0 : -1.0;
        ExpectResponse(
            rig, [&](int k) { return c == meas::kClose ? h(k) : h(k) / (1.0 + sign * h(k)); }, 20.0,
            16000);
    }
}

// With averaging the real and imaginary parts of the ratios are averaged; "Avr_" restarts the
// count, so the first averaged result is the current block's own ratio.
TEST(LiveServo, AveragingMeansTheRatiosAndRestarts) {
    ServoRig rig("in1=out1;in2=out1;dut2=biquad:lpf:2000", wnd::None, servo::kBurst1);
    const std::vector<int> bins = {3, 40, 170, 511, 900};
    std::vector<std::vector<cd>> ratios;
    rig.onRedraw = [&] {
        const auto x1 = rig.Captured(1), x2 = rig.Captured(2);
        std::vector<cd> r;
        for (int k : bins) r.push_back(Dft(x2, k) / Dft(x1, k));
        ratios.push_back(r);
    };
    ASSERT_TRUE(rig.panel->OnStart());
    ASSERT_TRUE(rig.Run(3));
    rig.panel->OnAverage();
    ASSERT_EQ(rig.doc.m_nRealUpdates, 0);
    ratios.clear();
    ASSERT_TRUE(rig.Run(1));
    for (std::size_t b = 0; b < bins.size(); ++b)
        EXPECT_LT(std::abs(rig.Measured(bins[b]) - ratios[0][b]), 1e-4 * std::abs(ratios[0][b]));
    ASSERT_TRUE(rig.Run(5));
    ASSERT_EQ(rig.doc.m_nRealUpdates, 6);
    for (std::size_t b = 0; b < bins.size(); ++b) {
        cd mean = 0.0;
        for (const auto& r : ratios) mean += r[b];
        mean /= static_cast<double>(ratios.size());
        EXPECT_LT(std::abs(rig.Measured(bins[b]) - mean), 1e-4 * std::abs(mean)) << bins[b];
    }
    // The closing result is the mean, and its impulse response is scaled by 1/N.
    rig.onRedraw = nullptr;
    rig.panel->Close();
    const std::vector<float> re(rig.doc.m_fRe.begin(), rig.doc.m_fRe.begin() + kN);
    rig.doc.FinishServoAnalyzer();
    EXPECT_EQ(rig.doc.disp_mode1, kind::Transfer);
    EXPECT_EQ(rig.doc.disp_mode2, 2);
    double sum = 0.0;
    for (float v : re) sum += v;
    EXPECT_NEAR(rig.doc.m_fWave1[0], sum / kN, 1e-5);
}

// The block is found in every buffer, whatever the card's loop delay: the burst sits a quarter
// period into it (the search walks in steps of 16 frames, and a burst may begin with a few
// quiet steps), and the device's delay of 3 frames shows as its linear phase.
TEST(LiveServo, AlignmentMeasuresTheLoopDelay) {
    std::vector<std::vector<double>> blocks;
    for (int latency : {1999, 777, 5003}) {
        ServoRig rig("latency=" + std::to_string(latency) + ";in1=out1;in2=out1;dut2=delay:3",
                     wnd::None, servo::kBurst2);
        ASSERT_TRUE(rig.panel->OnStart());
        ASSERT_TRUE(rig.Run(2));
        const auto x1 = rig.Captured(1);
        const auto first = std::find_if(x1.begin(), x1.end(), [](double v) { return v != 0.0; });
        const int onset = static_cast<int>(first - x1.begin());
        EXPECT_GE(onset, kN / 4 - 64) << latency;
        EXPECT_LE(onset, kN / 4) << latency;
        ExpectResponse(rig, DelayResponse(3), 20.0, 23000);
        blocks.push_back(x1);
    }
    // The same burst each time, shifted by a few steps at most.
    for (std::size_t b = 1; b < blocks.size(); ++b) {
        bool found = false;
        for (int shift = -64; shift <= 64 && !found; ++shift) {
            bool same = true;
            for (int i = 64; i < kN - 64 && same; ++i) same = blocks[0][i] == blocks[b][i + shift];
            found = same;
        }
        EXPECT_TRUE(found) << b;
    }
}

// A change of excitation while running starts a new device session: what was queued for the
// old excitation is dropped, and the next block analysed is the new TSP (one period of it, at
// some rotation).
TEST(LiveServo, ExcitationChangeDropsTheOldRun) {
    ServoRig rig("in1=out1;in2=out1", wnd::None, servo::kRandom);
    ASSERT_TRUE(rig.panel->OnStart());
    ASSERT_TRUE(rig.Run(4));
    rig.panel->OnExcitation(servo::kTsp1);
    EXPECT_EQ(rig.doc.m_nExcitation, servo::kTsp1);
    ASSERT_TRUE(rig.panel->IsRunning());
    ASSERT_TRUE(rig.Run(1));
    EXPECT_GT(rig.panel->Engine().Stats().dropped, 0);
    const auto& period = rig.panel->ServoEngine().Excitation().Period();
    ASSERT_EQ(static_cast<int>(period.size()), kN);
    const auto x1 = rig.Captured(1);
    int rotation = -1;
    for (int r = 0; r < kN && rotation < 0; ++r) {
        bool same = true;
        for (int i = 0; i < kN && same; ++i) same = x1[i] == period[(i + r) % kN];
        if (same) rotation = r;
    }
    EXPECT_GE(rotation, 0);
}

// The instrument's result equals the file analysis of the same samples: the aligned block
// written as a WAV file and analysed as a transfer function of one record without a window.
TEST(LiveServo, EqualsTheFileAnalysisOfTheBlock) {
    ServoRig rig("in1=out1;in2=out1;dut2=biquad:hpf:300", wnd::Blackman, servo::kTsp2);
    std::vector<int> samples;
    rig.onRedraw = [&] {
        samples.clear();
        const auto x1 = rig.Captured(1), x2 = rig.Captured(2);
        for (int i = 0; i < kN; ++i) {
            samples.push_back(static_cast<int>(x1[i]));
            samples.push_back(static_cast<int>(x2[i]));
        }
    };
    ASSERT_TRUE(rig.panel->OnStart());
    ASSERT_TRUE(rig.Run(2));
    CScriptedUi ui;
    CKymoDoc file(ui);
    ASSERT_TRUE(file.LoadFromBytes(BuildWav(WavFormat{}, samples)));
    AnalysisSetup setup;
    setup.pow = kPow;
    setup.windowType = wnd::None;
    ASSERT_EQ(file.OnSetUpFileAnalysis(analysis::Transfer, setup), 1);
    ASSERT_EQ(file.RunAveragingPass(1), 1);
    for (int k = 0; k < kN; ++k) {
        const double scale =
            std::max(1e-3, std::hypot(double(file.m_fRe[k]), double(file.m_fIm[k])));
        ASSERT_NEAR(rig.doc.m_fRe[k], file.m_fRe[k], 1e-4 * scale) << k;
        ASSERT_NEAR(rig.doc.m_fIm[k], file.m_fIm[k], 1e-4 * scale) << k;
    }
}

// The set-up's width rules and the panel's texts.
TEST(LiveServo, SetUpRefusesEightBits) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    std::string error;
    auto card = CVirtualSoundCard::Create("", VirtualClock::Fast, error);
    doc.m_nMeasBits = meas::kBits8;
    doc.m_nMeasCh = meas::kMono;
    ASSERT_EQ(doc.BeginServoAnalyzer(card.get(), true), 1);
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"ｻｰﾎﾞｱﾅﾗｲｻﾞｰは8bit幅のｻﾎﾟｰﾄをやめました。\n"
                                       "　16bitに設定します！！"});
    EXPECT_EQ(doc.m_nMeasBits, meas::kBits16);
    EXPECT_EQ(doc.m_nMeasCh, meas::kStereo);
    EXPECT_EQ(doc.m_bDualCh, 1);
    EXPECT_STREQ(CServoAnaPanel::ExcitationText(servo::kBurst2), "ﾊﾞｰｽﾄﾗﾝﾀﾞﾑ②");
    EXPECT_EQ(CServoExcitation::Stretch(servo::kTsp2, 1024), 153);
}

} // namespace
