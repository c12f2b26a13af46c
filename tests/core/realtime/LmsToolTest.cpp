#include "realtime/LmsTool.h"
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "filters/CoefFile.h"
#include "filters/FilterMessages.h"
#include "filters/WindowFir.h"
#include "realtime/RtMessages.h"
#include "sound/devices/VirtualSoundCard.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Rig {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    std::unique_ptr<CVirtualSoundCard> card;
    explicit Rig(const std::string& dut = "in1=src;in2=src;src=noise:4000:3") {
        doc.SetUpdateListener([this] { doc.m_bRealBusy = 0; });
        doc.m_nFirType = 11;
        std::string error;
        card = CVirtualSoundCard::Create(dut, VirtualClock::Fast, error);
        EXPECT_TRUE(card) << error;
    }
    bool Saw(const std::string& text) const {
        for (const auto& m : ui.messages)
            if (m.text == text) return true;
        return false;
    }
};

// Plays `seconds` of sound through the tool, keeping what it played (left d, right y).
std::vector<std::int16_t> RunFor(CLmsTool& tool, double seconds) {
    std::vector<std::int16_t> played;
    tool.Engine().SetPlayTap([&played](const std::uint8_t* data, std::size_t bytes) {
        for (std::size_t i = 0; i + 1 < bytes; i += 2)
            played.push_back(static_cast<std::int16_t>(data[i] | (data[i + 1] << 8)));
    });
    EXPECT_TRUE(tool.OnStart());
    const auto frames = static_cast<std::size_t>(seconds * tool.Rate());
    while (played.size() / 2 < frames && tool.IsRunning())
        if (!tool.Engine().RunOnce(std::chrono::seconds(5))) break;
    return played;
}

// RMS over the last `frames` frames of f(left, right).
template <class F> double TailRms(const std::vector<std::int16_t>& s, std::size_t frames, F f) {
    double sum = 0.0;
    const std::size_t all = s.size() / 2;
    for (std::size_t i = all - frames; i < all; ++i) {
        const double v = f(s[2 * i], s[2 * i + 1]);
        sum += v * v;
    }
    return std::sqrt(sum / frames);
}

void ExpectShifted(const std::vector<double>& w, const std::vector<double>& g, int shift,
                   double tolerance) {
    for (int j = 0; j < static_cast<int>(w.size()); ++j) {
        const int i = j - shift;
        const double want = i >= 0 && i < static_cast<int>(g.size()) ? g[i] : 0.0;
        EXPECT_NEAR(w[j], want, tolerance) << "w[" << j << "]";
    }
}

} // namespace

// The desired channel is a known FIR of the noise the filter gets on the right: the weights
// become that FIR, D places later (a positive delay holds the desired signal back).
TEST(LmsTool, LineSourceLearnsTheDutFirAtTheDelay) {
    TempDir dir;
    const std::vector<double> g = {0.5, -0.3, 0.2, 0.1};
    CScriptedUi fileUi;
    CoefFile(fileUi).WriteFir(dir.Path("g.csv"), "Win_Rect", "LPF", 1000.0, 0.0, 4, g.data());
    for (int delay : {8, 20}) {
        Rig rig("in1=src;in2=src;src=noise:8000:7;dut1=coef:" + dir.Path("g.csv"));
        CLmsTool tool(rig.doc, *rig.card);
        tool.SetGenerator(false);
        tool.SetTaps(32);
        tool.SetDelay(delay);
        tool.SetMu(0.01);
        RunFor(tool, 3.0);
        ASSERT_EQ(tool.Weights().size(), 32u);
        ExpectShifted(tool.Weights(), g, delay, 1e-3);
        tool.Close();
    }
}

// System identification with the generator: the weights become the demo filter (the window
// design of the document's settings) shifted by D, and "Rout" follows "Lout".
TEST(LmsTool, GeneratorIdentifiesTheDemoFilter) {
    for (int delay : {0, 3}) {
        Rig rig;
        rig.doc.m_nFilterShape = 0;
        rig.doc.m_fCutLow = 4000.0f;
        CLmsTool tool(rig.doc, *rig.card);
        tool.SetTaps(31);
        tool.SetDelay(delay);
        tool.SetMu(0.01);
        tool.SetGenerator(true);
        tool.SetMode(lmsmode::Identify);
        tool.SetNoise(true);
        tool.SetNoiseLevel(-6);
        tool.Seed(11);
        const auto played = RunFor(tool, 4.0);
        std::vector<double> h(31);
        DesignWindowFir(0, firwin::BlackmanOpt, 31, 4000.0, 0.0, 48000.0, h.data());
        ASSERT_EQ(tool.DemoTaps().size(), 31u);
        for (int j = 0; j < 31; ++j) EXPECT_DOUBLE_EQ(tool.DemoTaps()[j], h[j]);
        ExpectShifted(tool.Weights(), h, delay, 1e-3);
        const double d = TailRms(played, 4800, [](double l, double) { return l; });
        const double e = TailRms(played, 4800, [](double l, double r) { return l - r; });
        EXPECT_GT(d, 1000.0);
        EXPECT_LT(e, 0.01 * d);
        tool.Close();
    }
}

// Linear prediction: the right input is the sine plus noise, the desired signal the clean sine;
// the filter's output keeps the sine and suppresses most of the noise.
TEST(LmsTool, GeneratorPredictionRecoversTheSine) {
    Rig rig;
    CLmsTool tool(rig.doc, *rig.card);
    tool.SetTaps(64);
    tool.SetDelay(1);
    tool.SetMu(0.002);
    tool.SetGenerator(true);
    tool.SetMode(lmsmode::Predict);
    tool.SetSine(true);
    tool.SetSineLevel(-12);
    tool.SetSineFreqPosition(30); // 637 Hz
    tool.SetNoise(true);
    tool.SetNoiseLevel(-20);
    tool.Seed(5);
    EXPECT_EQ(tool.Settings().rch, lmsrch::Rout);
    const auto played = RunFor(tool, 4.0);
    const double sine = TailRms(played, 9600, [](double l, double) { return l; });
    EXPECT_NEAR(sine, 32768.0 * std::pow(10.0, -0.6) / std::sqrt(2.0), 50.0);
    const double noise = 32768.0 * 0.1 / std::sqrt(3.0);
    const double e = TailRms(played, 9600, [](double l, double r) { return l - r; });
    EXPECT_LT(e, 0.35 * noise);
    tool.Close();
}

// Noise suppression: the desired signal is the demo filter's noise plus a sine, the input the
// noise; the filter cancels the noise and the error d - y ("L-R  Δe") is the sine.
TEST(LmsTool, GeneratorSuppressesTheNoise) {
    Rig rig;
    CLmsTool tool(rig.doc, *rig.card);
    tool.SetTaps(31);
    tool.SetDelay(0);
    tool.SetMu(0.005);
    tool.SetGenerator(true);
    tool.SetMode(lmsmode::Denoise);
    EXPECT_EQ(tool.Settings().rch, lmsrch::Error);
    tool.SetNoise(true);
    tool.SetNoiseLevel(-6);
    tool.SetSine(true);
    tool.SetSineLevel(-20);
    tool.Seed(9);
    const auto played = RunFor(tool, 4.0);
    const double sine = 32768.0 * 0.1 / std::sqrt(2.0);
    const double e = TailRms(played, 9600, [](double l, double r) { return l - r; });
    EXPECT_NEAR(e, sine, 0.05 * sine);
    const double d = TailRms(played, 9600, [](double l, double) { return l; });
    EXPECT_GT(d, 1.2 * sine);
    ExpectShifted(tool.Weights(), tool.DemoTaps(), 0, 1e-2);
    tool.Close();
}

// The checks at "開始", in their order, with what they change.
TEST(LmsTool, StartChecksStepSizeDelayTapsAndCutOffs) {
    struct Case {
        int taps, delay;
        double mu, cutLow;
        bool starts;
        std::string message;
        double muAfter;
        int delayAfter;
    };
    const Case cases[] = {
        {600, 0, 0.008, 4000.0, true, rtmsg::kLmsMuChanged, 0.005, 0},
        {100, 0, 0.02, 4000.0, true, rtmsg::kLmsMuChanged, 0.01, 0},
        {100, 0, 0.008, 4000.0, true, "", 0.008, 0},
        {100, 101, 0.001, 4000.0, false, "タップ遅延は±100までとして下さい。", 0.001, 100},
        {100, -101, 0.001, 4000.0, false, "タップ遅延は±100までとして下さい。", 0.001, -100},
        {4, 0, 0.001, 4000.0, false, "タップ数は5～1024までとして下さい。", 0.001, 0},
        {1025, 0, 0.001, 4000.0, false, "タップ数は5～1024までとして下さい。", 0.001, 0},
        {100, 0, 0.001, 0.0, false, fmsg::kAboveZero, 0.001, 0},
        {100, 0, 0.001, 24001.0, false, fmsg::kCutTooHigh, 0.001, 0},
    };
    for (const Case& c : cases) {
        Rig rig;
        CLmsTool tool(rig.doc, *rig.card);
        tool.SetTaps(c.taps);
        tool.SetDelay(c.delay);
        tool.SetMu(c.mu);
        tool.SetCutOffs(c.cutLow, 0.0);
        EXPECT_EQ(tool.OnStart(), c.starts) << c.taps << " " << c.delay << " " << c.mu;
        if (c.message.empty())
            EXPECT_TRUE(rig.ui.messages.empty());
        else
            EXPECT_TRUE(rig.Saw(c.message)) << c.message;
        EXPECT_DOUBLE_EQ(tool.Settings().mu, c.muAfter);
        EXPECT_EQ(tool.Settings().delay, c.delayAfter);
        tool.Close(false);
    }
}

// A cut-off slider moved while running designs the demo filter again and starts the
// adaptation again from w[N/2] = 0.01.
TEST(LmsTool, CutSliderRestartsTheAdaptation) {
    Rig rig;
    CLmsTool tool(rig.doc, *rig.card);
    tool.SetTaps(21);
    tool.SetMu(0.01);
    tool.SetGenerator(true);
    RunFor(tool, 0.5);
    ASSERT_TRUE(tool.IsRunning());
    const std::vector<double> before = tool.DemoTaps();
    tool.OnCutSlider(1, 40);
    EXPECT_NE(tool.DemoTaps(), before);
    for (int j = 0; j < 21; ++j) EXPECT_EQ(tool.Weights()[j], j == 10 ? 0.01 : 0.0) << j;
    tool.Close();
}

// "保存" writes the running weights as an FIR file named for the LMS tool; stopped, it refuses.
TEST(LmsTool, SaveWritesTheWeights) {
    TempDir dir;
    Rig rig;
    CLmsTool tool(rig.doc, *rig.card);
    EXPECT_EQ(tool.OnSave(dir.Path("none.csv")), 0);
    EXPECT_TRUE(rig.Saw(rtmsg::kNoCoefficients));
    tool.SetTaps(16);
    tool.SetGenerator(true);
    RunFor(tool, 0.5);
    const std::vector<double> w = tool.Weights();
    ASSERT_EQ(tool.OnSave(dir.Path("w.csv")), 1);
    CoefFileHeader header;
    std::vector<double> read;
    ASSERT_EQ(CoefFile(rig.ui).ReadFirFile(dir.Path("w.csv"), header, read), 1);
    EXPECT_EQ(header.kind, "LMS_Filter");
    EXPECT_EQ(header.shape, "UnKnown");
    ASSERT_EQ(read.size(), 16u);
    for (int j = 0; j < 16; ++j) EXPECT_NEAR(read[j], w[j], 1e-9 + 1e-6 * std::fabs(w[j]));
    tool.Close();
    EXPECT_EQ(rig.doc.m_nFirTaps, 16);
    EXPECT_TRUE(rig.doc.m_Lms.generator);
}
