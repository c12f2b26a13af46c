#include "cli/CliCommand.h"
#include "document/ScriptedUi.h"
#include "filters/BiquadDesign.h"
#include "filters/CoefFile.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(CliDesignRemez, BandListWritesADetailedRemezFile) {
    TempDir dir;
    const std::string path = dir.Path("lp.csv");
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"design", "remez", "--bands", "0 4000 1 1; 6000 24000 0 10", "--taps", "63",
                      "--fs", "48000", "-o", path},
                     out, err),
              0)
        << err.str();
    EXPECT_EQ(out.str(), "taps=63\n");
    CScriptedUi ui;
    CoefFileHeader header;
    std::vector<double> taps;
    ASSERT_EQ(CoefFile(ui).ReadFirFile(path, header, taps), 1);
    EXPECT_EQ(header.kind, "Detail_Remez");
    EXPECT_EQ(header.shape, "Unknown");
    ASSERT_EQ(taps.size(), 63u);
    double dc = 0.0;
    for (double h : taps) dc += h;
    EXPECT_NEAR(dc, 1.0, 0.05); // within the pass-band ripple
    EXPECT_DOUBLE_EQ(taps[0], taps[62]);
}

TEST(CliDesignRemez, LastEdgeIsCorrectedWithTheNotice) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"design", "remez", "--bands", "0 4000 1 1; 6000 20000 0 1", "--taps", "31",
                      "--fs", "48000"},
                     out, err),
              0);
    EXPECT_EQ(err.str(), "最終ﾊﾞﾝﾄﾞの端周波数はｻﾝﾌﾟﾘﾝｸﾞ周波数の半分に設定致します\n");
    int lines = 0;
    for (char c : out.str()) lines += c == '\n';
    EXPECT_EQ(lines, 31);
}

TEST(CliDesignRemez, InvalidTableShowsTheDialogMessage) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"design", "remez", "--bands", "0 4000 1 1; 3000 24000 0 1", "--taps", "31",
                      "--fs", "48000"},
                     out, err),
              1);
    EXPECT_EQ(err.str(), "周波数設定の大小関係が異常です\n");
    EXPECT_EQ(out.str(), "");
}

TEST(CliDesignRemez, EasyFormPredictsTheTapCount) {
    TempDir dir;
    const std::string path = dir.Path("easy.csv");
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"design", "remez", "--easy", "--shape", "lpf", "--fl", "4000", "--transition",
                      "1000", "--ripple", "1", "--atten", "60", "--fs", "48000", "-o", path},
                     out, err),
              0)
        << err.str();
    EXPECT_EQ(out.str(), "taps=97\n");
    CScriptedUi ui;
    CoefFileHeader header;
    std::vector<double> taps;
    ASSERT_EQ(CoefFile(ui).ReadFirFile(path, header, taps), 1);
    EXPECT_EQ(header.kind, "Easy_Remez");
    EXPECT_EQ(header.shape, "LPF");
    EXPECT_EQ(header.cutLow, 4000.0);
    EXPECT_EQ(taps.size(), 97u);
}

TEST(CliDesignRemez, PredictionOutsideTheLimitIsRefused) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"design", "remez", "--easy", "--shape", "bpf", "--fl", "4000", "--fh", "5000",
                      "--transition", "10", "--ripple", "0.01", "--atten", "90", "--fs", "48000"},
                     out, err),
              1);
    EXPECT_EQ(err.str(), "タップ数は3～1024までとして下さい。\n");
}

TEST(CliDesignBiquad, WritesOneEasyIirSection) {
    TempDir dir;
    const std::string path = dir.Path("peak.csv");
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"design", "biquad", "--type", "peaking", "--f", "1000", "--gain", "6", "--fs",
                      "48000", "-o", path},
                     out, err),
              0)
        << err.str();
    CScriptedUi ui;
    CoefFileHeader header;
    BiquadTable table;
    ASSERT_EQ(CoefFile(ui).ReadIirFile(path, header, table), 1);
    EXPECT_EQ(header.kind, "Easy_IIR");
    EXPECT_EQ(header.shape, "Peaking");
    EXPECT_EQ(header.count, 2);
    float den[3], num[3];
    BiquadDesign(biquadtype::Peaking, 48000, 1000.0f, 6.0f, den, num);
    EXPECT_EQ(table.a0[0], 1.0);
    EXPECT_NEAR(table.a1[0], den[1], 1e-6);
    EXPECT_NEAR(table.b0[0], num[0], 1e-6);
    EXPECT_NEAR(table.b2[0], num[2], 1e-6);
}

TEST(CliDesignBiquad, GainOutOfRangeIsRefusedForEveryType) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"design", "biquad", "--type", "lpf", "--f", "1000", "--gain", "20.01", "--fs",
                      "48000"},
                     out, err),
              1);
    EXPECT_EQ(err.str(), "20dB以下のレベルにして下さい。\n");
}

} // namespace
