#include "cli/CliCommand.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "filters/BiquadDesign.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <sstream>

namespace {

struct RunResult {
    int rc;
    std::string out, err;
};

RunResult RunCommand(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const int rc = RunCli(words, out, err);
    return {rc, out.str(), err.str()};
}

// What the generator plays on the card, recorded, is byte for byte the file "Wave保存" writes
// for the same settings and length.
TEST(LiveInstrumentsCli, GeneratorPlaysWhatItsFileHolds) {
    TempDir dir;
    const std::vector<std::string> mix = {"--rate",  "44100",    "--sine",   "440:-6:445:-7",
                                          "--sine",  "3000:-20", "--square", "1000:-26:700:-30",
                                          "--noise", "-40:-36",  "--seed",   "9"};
    std::vector<std::string> gen = {"generate", "--seconds", "8", "-o", dir.Path("gen.wav")};
    gen.insert(gen.end(), mix.begin(), mix.end());
    const RunResult g = RunCommand(gen);
    ASSERT_EQ(g.rc, 0) << g.err;
    std::vector<std::string> live = {"live",      "generator", "--device", "virtual",
                                     "--seconds", "8",         "--record", dir.Path("rec.wav")};
    live.insert(live.end(), mix.begin(), mix.end());
    const RunResult l = RunCommand(live);
    ASSERT_EQ(l.rc, 0) << l.err;
    const auto a = TempDir::ReadFile(dir.Path("gen.wav"));
    const auto b = TempDir::ReadFile(dir.Path("rec.wav"));
    ASSERT_EQ(a.size(), 56u + 44100u * 8 * 4);
    EXPECT_TRUE(a == b);
}

// Values the generator refuses are reported with its messages.
TEST(LiveInstrumentsCli, GenerateRefusesBadValues) {
    TempDir dir;
    const RunResult r =
        RunCommand({"generate", "--square", "2500:-6", "--seconds", "1", "-o", dir.Path("x.wav")});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.err.find("設定周波数は0Hz以上～2000Hzまでとして下さい。"), std::string::npos);
    const RunResult s = RunCommand({"generate", "--seconds", "1001", "-o", dir.Path("x.wav")});
    EXPECT_EQ(s.rc, 1);
    EXPECT_NE(s.err.find("録音時間は1～1000秒の整数値にして下さい。"), std::string::npos);
}

// The oscilloscope triggered on the falling slope with half the sweep before the trigger: the
// saved sweep crosses the level at its middle, between the two samples the fraction names.
TEST(LiveInstrumentsCli, ScopeSweepCrossesTheLevelAtTheDelay) {
    TempDir dir;
    const RunResult r = RunCommand({"live", "scope", "--device", "virtual", "--dut",
                                    "in1=src;in2=src;src=tone:1234:16000", "--trigger", "30",
                                    "--slope", "fall", "--delay", "50", "--mode", "normal",
                                    "--updates", "3", "-o", dir.Path("sweep.opr")});
    ASSERT_EQ(r.rc, 0) << r.err;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("sweep.opr")));
    EXPECT_EQ(doc.disp_mode1, kind::Scope);
    ASSERT_EQ(doc.m_nPoints, 480);
    const int level = 9830;
    EXPECT_GE(doc.m_fWave1[239], level);
    EXPECT_LT(doc.m_fWave1[240], level);
    EXPECT_EQ(doc.m_nScopeShow, 2);
}

// The servo analyzer from the command line: the saved transfer function of a low-pass device.
TEST(LiveInstrumentsCli, ServoSavesTheTransferFunction) {
    TempDir dir;
    const RunResult r = RunCommand(
        {"live", "servo", "--device", "virtual", "--dut", "in1=out1;in2=out1;dut2=biquad:lpf:2500",
         "--points", "1024", "--excitation", "0", "--updates", "2", "-o", dir.Path("h.opr")});
    ASSERT_EQ(r.rc, 0) << r.err;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("h.opr")));
    EXPECT_EQ(doc.m_nPoints, 1024);
    float den[3], num[3];
    BiquadDesign(biquadtype::LowPass, 48000, 2500.0f, 0.0f, den, num);
    for (int k = 1; k < 350; ++k) {
        using cd = std::complex<double>;
        const cd z1 = std::polar(1.0, -2.0 * std::numbers::pi * k / 1024);
        const cd h = (double(num[0]) + double(num[1]) * z1 + double(num[2]) * z1 * z1) /
                     (double(den[0]) + double(den[1]) * z1 + double(den[2]) * z1 * z1);
        const cd m(doc.m_fRe[k], doc.m_fIm[k]);
        ASSERT_NEAR(20 * std::log10(std::abs(m / h)), 0.0, 0.05) << k;
        ASSERT_NEAR(std::arg(m / h) * 180 / std::numbers::pi, 0.0, 0.5) << k;
    }
    EXPECT_EQ(RunCommand({"live", "servo", "--device", "virtual", "--excitation", "6", "--updates",
                          "1", "-o", dir.Path("h.opr")})
                  .rc,
              1);
}

} // namespace
