#include "LiveCliSupport.h"

#include "cli/CliCommand.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/FileAnalysis.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

using RunResult = CliRunResult;

RunResult RunCommand(const std::vector<std::string>& words) {
    return RunCliWords(words);
}

// Opens a saved spectrum (.opr) through the document.
void ExpectSameSpectrum(const std::string& opr, const CKymoDoc& file, int n, bool twoChannels) {
    CScriptedUi ui;
    CKymoDoc saved(ui);
    ASSERT_TRUE(saved.OnOpenDocument(opr)) << ::testing::PrintToString(ui.MessageTexts());
    EXPECT_EQ(saved.disp_mode1, twoChannels ? kind::Spectrum2 : kind::Spectrum1);
    double peak = 0.0;
    for (int k = 0; k < n; ++k) peak = std::max(peak, static_cast<double>(file.m_fRe[k]));
    ASSERT_GT(peak, 1.0);
    for (int k = 0; k < n; ++k) {
        ASSERT_NEAR(saved.m_fRe[k], file.m_fRe[k], 2e-5 * peak) << "ch1 bin " << k;
        if (twoChannels) ASSERT_NEAR(saved.m_fOpRe[k], file.m_fOpRe[k], 2e-5 * peak) << "bin " << k;
    }
}

struct LiveCase {
    const char* name;
    std::vector<std::string> options;
    int channels, bits, points, downExp, updates;
    bool average;
};

class LiveSpectrumCli : public ::testing::TestWithParam<LiveCase> {};

// The card hears a two-tone source; what the analyzer saved equals the file analysis of the
// frames it played (recorded with --record): the last block, or the average of all of them.
TEST_P(LiveSpectrumCli, SavedResultEqualsTheFileAnalysisOfTheRecording) {
    const LiveCase& c = GetParam();
    TempDir dir;
    const std::string opr = dir.Path("live.opr"), rec = dir.Path("rec.wav");
    std::vector<std::string> words = {"live",
                                      "spectrum",
                                      "--device",
                                      "virtual",
                                      "--dut",
                                      "in1=src;in2=src;src=tone:1000:9000+tone:3125.5:3000:30;"
                                      "dut2=gain:0.5,delay:7",
                                      "--updates",
                                      std::to_string(c.updates),
                                      "-o",
                                      opr,
                                      "--record",
                                      rec};
    words.insert(words.end(), c.options.begin(), c.options.end());
    const RunResult r = RunCommand(words);
    ASSERT_EQ(r.rc, 0) << r.err;

    CScriptedUi ui;
    CKymoDoc file(ui);
    ASSERT_TRUE(file.OnOpenDocument(rec)) << ::testing::PrintToString(ui.MessageTexts());
    ASSERT_EQ(file.m_nChannel, c.channels);
    ASSERT_EQ(file.m_nBitsPerSample, c.bits);
    ASSERT_EQ(file.m_nFrames % c.updates, 0);
    const int pow = PowOfPoints(c.points);
    // Only the first block of the last buffer was analysed: cut it out as a file of its own.
    if (!c.average) {
        ASSERT_TRUE(KeepLastAnalysedBlock(file, c.updates, c.points, c.downExp));
    }
    file.disp_mode3 = c.channels == 2 ? chan::Both : chan::Ch1;
    AnalysisSetup setup;
    setup.pow = pow;
    setup.windowType = 4;
    setup.downExp = c.downExp;
    ASSERT_EQ(file.OnSetUpFileAnalysis(analysis::Spectrum, setup), 1);
    ASSERT_EQ(file.RunAveragingPass(c.average ? c.updates : 1), 1);
    ExpectSameSpectrum(opr, file, c.points, c.channels == 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, LiveSpectrumCli,
    ::testing::Values(
        LiveCase{"Stereo16", {"--points", "1024"}, 2, 16, 1024, 0, 7, false},
        LiveCase{
            "Mono8", {"--channels", "1", "--bits", "8", "--points", "512"}, 1, 8, 512, 0, 5, false},
        LiveCase{"Stereo16DownBy4", {"--points", "1024", "--down", "2"}, 2, 16, 1024, -2, 3, false},
        LiveCase{"Mono16Averaged",
                 {"--channels", "1", "--points", "2048", "--average"},
                 1,
                 16,
                 2048,
                 0,
                 6,
                 true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LiveSpectrumCliFaults, EachDeviceFaultIsReportedAndNothingHangs) {
    struct Fault {
        const char* dut;
        const char* message;
    } faults[] = {
        {"fault=open", "サウンドカードを開けませんでした。"},
        {"fault=start", "waveInStart_FALSE!!\n測定中ですので終了させて下さい!"},
        {"fault=lose:0.5", "サウンドカードとの接続が切れたので測定を停止しました。"},
    };
    for (const Fault& f : faults) {
        TempDir dir;
        const RunResult r = RunCommand({"live", "spectrum", "--device", "virtual", "--dut", f.dut,
                                        "--updates", "1000", "-o", dir.Path("x.opr")});
        EXPECT_EQ(r.rc, 1) << f.dut;
        EXPECT_NE(r.err.find(f.message), std::string::npos) << f.dut << ": " << r.err;
    }
}

TEST(LiveSpectrumCliOptions, BadValuesAreRefused) {
    struct Bad {
        std::vector<std::string> words;
        const char* message;
    } cases[] = {
        {{"--rate", "44000"}, "--rate"},
        {{"--bits", "24"}, "--bits"},
        {{"--points", "1000"}, "--points"},
        {{"--down", "7"}, "--down"},
        {{"--rate", "11025", "--down", "6"}, "これ以上のダウンサンプリング"},
        {{"--window", "flat"}, "--window"},
        {{"--dut", "gain=2"}, "gain=2"},
    };
    for (const Bad& b : cases) {
        std::vector<std::string> words = {"live",      "spectrum", "--device", "virtual",
                                          "--updates", "1",        "-o",       "x.opr"};
        words.insert(words.end(), b.words.begin(), b.words.end());
        const RunResult r = RunCommand(words);
        EXPECT_NE(r.rc, 0);
        EXPECT_NE(r.err.find(b.message), std::string::npos) << r.err;
    }
}

TEST(PlayCli, PlaysEveryFrameOfTheFile) {
    TempDir dir;
    const std::string wav = dir.Path("in.wav"), rec = dir.Path("rec.wav");
    WavFormat f;
    f.rate = 44100;
    const std::vector<int> samples = SineSamples(10000, 2, 12000, 0.01);
    TempDir::WriteFile(wav, BuildWav(f, samples));
    const RunResult r = RunCommand({"play", wav, "--device", "virtual", "--record", rec});
    ASSERT_EQ(r.rc, 0) << r.err;
    CScriptedUi ui;
    CKymoDoc played(ui);
    ASSERT_TRUE(played.OnOpenDocument(rec));
    ASSERT_EQ(played.m_nFrames, 10000);
    EXPECT_EQ(played.m_nSamplesPerSec, 44100);
    for (int i = 0; i < 10000; ++i)
        for (int ch = 1; ch <= 2; ++ch)
            ASSERT_EQ(played.GetSample(i, ch), samples[static_cast<std::size_t>(2 * i + ch - 1)]);
}

} // namespace

namespace {
TEST(LiveSpectrumCliStats, PrintsTheFiguresOfTheRun) {
    TempDir dir;
    const RunResult r = RunCommand({"live", "spectrum", "--device", "virtual", "--stats",
                                    "--updates", "3", "-o", dir.Path("s.csv")});
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.out.rfind("updates=3 seconds=", 0), 0u) << r.out;
    EXPECT_NE(r.out.find(" buffers=3 skipped_busy=0 output_underruns=0\n"), std::string::npos)
        << r.out;
}
} // namespace
