#include "cli/CliCommand.h"
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "filters/CoefFile.h"
#include "filters/WindowFir.h"
#include "support/CaseNames.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

struct Run {
    int status;
    std::string out, err;
};

Run Cli(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const int status = RunCli(words, out, err);
    return {status, out.str(), err.str()};
}

std::vector<double> ReadTaps(const std::string& path, CoefFileHeader& h) {
    CScriptedUi ui;
    std::vector<double> v;
    EXPECT_EQ(CoefFile(ui).ReadFirFile(path, h, v), 1);
    return v;
}

TEST(CliDesign, FirWritesTheWindowDesign) {
    TempDir dir;
    const auto r = Cli({"design", "fir", "--shape", "bpf", "--window", "hamming", "--taps", "64",
                        "--fl", "1000", "--fh", "3000", "--fs", "16000", "-o", dir.Path("bp")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, dir.Path("bp.csv") + "\n");
    CoefFileHeader h;
    const auto taps = ReadTaps(dir.Path("bp.csv"), h);
    EXPECT_EQ(h.kind, "Win_Hamming");
    EXPECT_EQ(h.shape, "BPF");
    EXPECT_DOUBLE_EQ(h.cutHigh, 3000.0);
    std::vector<double> want(64);
    DesignWindowFir(2, 3, 64, 1000, 3000, 16000, want.data());
    ASSERT_EQ(taps.size(), 64u);
    for (int k = 0; k < 64; ++k) EXPECT_NEAR(taps[k], want[k], std::abs(want[k]) * 1e-6 + 1e-300);
}

struct BadCase {
    std::vector<std::string> words;
    int status;
    std::string err;
};

class CliDesignRefuses : public ::testing::TestWithParam<BadCase> {};

TEST_P(CliDesignRefuses, MessageAndStatus) {
    TempDir dir;
    auto words = GetParam().words;
    words.insert(words.end(), {"-o", dir.Path("x.csv")});
    const auto r = Cli(words);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_EQ(r.err.substr(0, GetParam().err.size()), GetParam().err);
    EXPECT_TRUE(TempDir::ReadFile(dir.Path("x.csv")).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliDesignRefuses,
    ::testing::Values(BadCase{{"design", "fir", "--shape", "lpf", "--window", "hann", "--taps", "4",
                               "--fl", "1000", "--fs", "48000"},
                              1,
                              "タップ数は5～4096までとして下さい。\n"},
                      BadCase{{"design", "fir", "--shape", "bsf", "--window", "rect", "--taps", "9",
                               "--fl", "1000", "--fh", "1000", "--fs", "48000"},
                              1,
                              "Low Pass < High Pass　になるよう設定して下さい。\n"},
                      BadCase{{"design", "fir", "--shape", "xx", "--window", "rect", "--taps", "9",
                               "--fl", "1000", "--fs", "48000"},
                              2,
                              "--shape must be one of"},
                      BadCase{{"design", "kaiser", "--shape", "lpf", "--atten", "95",
                               "--transition", "500", "--fl", "2000", "--fs", "48000"},
                              1,
                              "10～90dBの範囲で設定して下さい\n"},
                      BadCase{
                          {"design", "kaiser", "--shape", "hpf", "--atten", "40", "--transition",
                           "500", "--fl", "30000", "--fs", "48000"},
                          1,
                          "低域のｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません\n"}),
    CaseIndexName());

TEST(CliDesign, KaiserDefaultsGive215Taps) {
    TempDir dir;
    const auto r =
        Cli({"design", "kaiser", "--shape", "lpf", "--atten", "40", "--transition", "500", "--fl",
             "2000", "--fh", "4500", "--fs", "48000", "-o", dir.Path("k.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    CoefFileHeader h;
    EXPECT_EQ(ReadTaps(dir.Path("k.csv"), h).size(), 215u);
    EXPECT_EQ(h.kind, "Win_Kaiser");
    EXPECT_EQ(h.cutHigh, 0.0);
}

TEST(CliFilter, LowPassFileRunThenSaved) {
    TempDir dir;
    std::vector<int> s;
    for (int f = 0; f < 4800; ++f) {
        s.push_back(static_cast<int>(std::lround(4000 * std::sin(2 * M_PI * 12000.0 * f / 48000))));
        s.push_back((f * 37) % 2000 - 1000);
    }
    TempDir::WriteFile(dir.Path("in.wav"), BuildWav({}, s));
    ASSERT_EQ(Cli({"design", "kaiser", "--shape", "lpf", "--atten", "50", "--transition", "2000",
                   "--fl", "4000", "--fs", "48000", "-o", dir.Path("lp.csv")})
                  .status,
              0);
    const auto r = Cli({"filter", dir.Path("in.wav"), "--coef", dir.Path("lp.csv"), "--channel",
                        "1", "-o", dir.Path("out.wav")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("ﾀｯﾌﾟ数は"), std::string::npos);

    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("out.wav")));
    CoefFileHeader h;
    const int n = static_cast<int>(ReadTaps(dir.Path("lp.csv"), h).size());
    int peak = 0;
    for (int j = 0; j < 4800 - n; ++j) {
        peak = std::max(peak, std::abs(doc.GetSample(j, 1)));
        ASSERT_EQ(doc.GetSample(j, 2), s[2 * (j + n - n / 2) + 1]) << j;
    }
    EXPECT_LE(peak, 4000 * 0.0032 + 1); // 50 dB down

    const std::string bad = "BEGIN,\r\n";
    TempDir::WriteFile(dir.Path("bad.csv"), std::vector<std::uint8_t>(bad.begin(), bad.end()));
    const auto refused = Cli(
        {"filter", dir.Path("in.wav"), "--coef", dir.Path("bad.csv"), "-o", dir.Path("never.wav")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "書式(csvﾌｧｲﾙ)の整合がとれません\n");
    EXPECT_TRUE(TempDir::ReadFile(dir.Path("never.wav")).empty());
}

TEST(CliFilter, IirCoefficientFileOnBothChannels) {
    TempDir dir;
    const std::vector<int> s = {1000, -1000, 2001, 3, -5, 7};
    TempDir::WriteFile(dir.Path("in.wav"), BuildWav({}, s));
    BiquadTable t;
    t.a0[0] = 1.0;
    t.b0[0] = 0.5;
    CScriptedUi ui;
    ui.fileAnswers = {dir.Path("half.csv")};
    ASSERT_EQ(CoefFile(ui).WriteIir(0, 0, 0, 2, 100, 0, t, t, t, CrTable{}), 1);

    const auto r = Cli(
        {"filter", dir.Path("in.wav"), "--coef", dir.Path("half.csv"), "-o", dir.Path("out.wav")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "次数=2のIIR処理を開始します\n");
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("out.wav")));
    for (int f = 0; f < 3; ++f)
        for (int ch = 1; ch <= 2; ++ch)
            EXPECT_EQ(doc.GetSample(f, ch), s[2 * f + ch - 1] / 2) << f << " " << ch;

    WavFormat mono;
    mono.channels = 1;
    TempDir::WriteFile(dir.Path("mono.wav"), BuildWav(mono, {1, 2, 3}));
    const auto refused = Cli({"filter", dir.Path("mono.wav"), "--coef", dir.Path("half.csv"),
                              "--channel", "2", "-o", dir.Path("x.wav")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("stereo"), std::string::npos);
}

} // namespace
