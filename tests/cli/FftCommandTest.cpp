#include "cli/CliCommand.h"
#include "document/ByteOrder.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <sstream>

namespace {

float FloatAt(const std::vector<std::uint8_t>& b, std::size_t index) {
    return std::bit_cast<float>(ReadLe32(b.data() + 16 + 4 * index));
}

struct Fixture {
    TempDir dir;
    std::string wav = dir.Path("sine.wav");
    Fixture() {
        WavFormat format; // 16-bit stereo, 48 kHz
        // Bin 64 of 1024 points: 64 whole periods per record.
        TempDir::WriteFile(wav, BuildWav(format, SineSamples(4096, 2, 32767, 64.0 / 1024)));
    }
};

} // namespace

TEST(CliFft, FullScaleSineOnABinReadsHalfItsAmplitude) {
    Fixture f;
    const std::string opr = f.dir.Path("s.opr");
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"fft", f.wav, "--start", "100", "--points", "1024", "-o", opr}, out, err), 0)
        << err.str();
    const auto bytes = TempDir::ReadFile(opr);
    ASSERT_EQ(bytes.size(), 16u + 2 * 4 * 1024);
    EXPECT_TRUE(HasTag(bytes.data(), "OPER"));
    const double mag = std::hypot(FloatAt(bytes, 64), FloatAt(bytes, 1024 + 64));
    EXPECT_NEAR(mag, 32767.0 / 2, 1.0);
    EXPECT_NEAR(20 * std::log10(mag), 84.3, 0.05);
    EXPECT_LT(std::hypot(FloatAt(bytes, 65), FloatAt(bytes, 1024 + 65)), 1.0);

    std::ostringstream info, infoErr;
    ASSERT_EQ(RunCli({"info", opr}, info, infoErr), 0) << infoErr.str();
    EXPECT_EQ(info.str(), "disp_mode1=2\n"
                          "disp_mode3=0\n"
                          "magic=OPER\n"
                          "m_nPow=3\n"
                          "N=1024\n"
                          "m_fDt=2.083333e-05\n");
}

TEST(CliFft, WindowedChannelTwoToCsv) {
    Fixture f;
    const std::string csv = f.dir.Path("s.csv");
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"fft", f.wav, "--start", "0", "--points", "1024", "--channel", "2",
                      "--window", "hanning", "-o", csv},
                     out, err),
              0)
        << err.str();
    const auto bytes = TempDir::ReadFile(csv);
    const std::string text(bytes.begin(), bytes.end());
    // Row 64 holds the time sample, then Re and Im of bin 64: Hanning halves the peak.
    std::size_t at = 0;
    for (int row = 0; row < 64; ++row) at = text.find("\r\n", at) + 2;
    std::istringstream line(text.substr(at, text.find("\r\n", at) - at));
    double t, re, im;
    char comma;
    line >> t >> comma >> re >> comma >> im;
    EXPECT_NEAR(std::hypot(re, im), 32767.0 / 4, 2.0);
}

TEST(CliFft, InvalidParametersExitWithAMessage) {
    Fixture f;
    const std::string o = f.dir.Path("x.opr");
    struct Case {
        std::vector<std::string> words;
        const char* message;
    };
    const Case cases[] = {
        {{"fft", f.wav, "--start", "0", "--points", "1000", "-o", o}, "--points"},
        {{"fft", f.wav, "--start", "4000", "--points", "1024", "-o", o}, "does not fit"},
        {{"fft", f.wav, "--start", "0", "--points", "1024", "--window", "x", "-o", o}, "--window"},
        {{"fft", f.wav, "--start", "0", "--points", "1024", "--channel", "3", "-o", o},
         "--channel"},
        {{"fft", f.wav, "--start", "0", "--points", "1024", "-o", f.dir.Path("x.txt")},
         "拡張子を指定して下さい(*.opr|*.csv)"},
        {{"fft", f.wav, "--start", "0", "--points", "1024", "--window", "kaiser", "--beta", "200",
          "-o", o},
         "--beta: β値が大きすぎます。β=-150～150の範囲で設定して下さい。"},
        {{"fft", f.wav, "--start", "0", "--points", "1024", "--window", "kaiser", "--beta", "nan",
          "-o", o},
         "--beta: β値が大きすぎます。"},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCli(c.words, out, err), 1) << c.message;
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
}

TEST(CliFft, LargestKaiserBetaGivesFiniteBins) {
    Fixture f;
    const std::string opr = f.dir.Path("k.opr");
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"fft", f.wav, "--start", "0", "--points", "1024", "--window", "kaiser",
                      "--beta", "150", "-o", opr},
                     out, err),
              0)
        << err.str();
    const auto bytes = TempDir::ReadFile(opr);
    ASSERT_EQ(bytes.size(), 16u + 2 * 4 * 1024);
    for (std::size_t i = 0; i < 2 * 1024; ++i) ASSERT_TRUE(std::isfinite(FloatAt(bytes, i))) << i;
    EXPECT_GT(std::hypot(FloatAt(bytes, 64), FloatAt(bytes, 1024 + 64)), 100.0);
}
