#include "cli/CliCommand.h"
#include "document/ScriptedUi.h"
#include "filters/CoefFile.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

// live lms on the virtual card: the desired channel is a known FIR of the noise on the right;
// the weights saved with -o are that FIR, D places on.
TEST(LiveLmsCli, WeightsOfTheRunAreTheDutFir) {
    TempDir dir;
    const std::vector<double> g = {0.25, 0.5, -0.25};
    CScriptedUi ui;
    ASSERT_EQ(CoefFile(ui).WriteFir(dir.Path("g.csv"), "Win_Rect", "LPF", 1000.0, 0.0, 3, g.data()),
              1);
    std::ostringstream out, err;
    const int rc = RunCli({"live", "lms", "--dut",
                           "in1=src;in2=src;src=noise:8000:2;dut1=coef:" + dir.Path("g.csv"),
                           "--taps", "16", "--delay", "5", "--mu", "0.01", "--seconds", "3", "-o",
                           dir.Path("w.csv"), "--record", dir.Path("out.wav")},
                          out, err);
    ASSERT_EQ(rc, 0) << err.str();
    EXPECT_NE(out.str().find("taps=16"), std::string::npos) << out.str();
    CoefFileHeader header;
    std::vector<double> w;
    ASSERT_EQ(CoefFile(ui).ReadFirFile(dir.Path("w.csv"), header, w), 1);
    EXPECT_EQ(header.kind, "LMS_Filter");
    ASSERT_EQ(w.size(), 16u);
    for (int j = 0; j < 16; ++j) {
        const double want = j >= 5 && j < 8 ? g[j - 5] : 0.0;
        EXPECT_NEAR(w[j], want, 1e-3) << j;
    }
    EXPECT_GT(TempDir::ReadFile(dir.Path("out.wav")).size(), 3u * 48000 * 4);
}

TEST(LiveLmsCli, RefusesBadOptions) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"live", "lms", "--device", "virtual", "--taps", "16", "--delay", "0", "--mu",
                      "0.01", "--seconds", "1", "--use", "guess"},
                     out, err),
              2);
    EXPECT_NE(err.str().find("--use"), std::string::npos);
    std::ostringstream out2, err2;
    EXPECT_EQ(RunCli({"live", "lms", "--device", "virtual", "--taps", "16", "--delay", "17", "--mu",
                      "0.01", "--seconds", "1"},
                     out2, err2),
              1);
    EXPECT_NE(err2.str().find("タップ遅延は±16までとして下さい。"), std::string::npos)
        << err2.str();
}
