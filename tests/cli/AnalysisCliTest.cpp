#include "cli/CliCommand.h"
#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "document/TextCodec.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <sstream>

namespace {

std::string NoiseWave(const TempDir& dir, int frames) {
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> dist(-8000, 8000);
    std::vector<int> s;
    for (int i = 0; i < frames; ++i) {
        const int v = dist(gen);
        s.push_back(v);
        s.push_back(v);
    }
    WavFormat format;
    TempDir::WriteFile(dir.Path("noise.wav"), BuildWav(format, s));
    return dir.Path("noise.wav");
}

int RunWords(const std::vector<std::string>& words, std::string* err = nullptr) {
    std::ostringstream out, e;
    const int rc = RunCli(words, out, e);
    if (err) *err = e.str();
    return rc;
}

TEST(CliAnalyze, TransferOfIdenticalChannelsIsUnity) {
    TempDir dir;
    const std::string wav = NoiseWave(dir, 48000);
    ASSERT_EQ(RunWords({"analyze", "transfer", wav, "--points", "2048", "--window", "hanning", "-o",
                        dir.Path("h.opr")}),
              0);
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("h.opr")));
    EXPECT_EQ(doc.m_nPoints, 2048);
    for (int k : {1, 100, 1000}) EXPECT_NEAR(doc.m_fRe[k], 1.0f, 1e-4);
    EXPECT_EQ(TempDir::ReadFile(dir.Path("h.opr")).size(), 16u + 2 * 4 * 2048);
}

TEST(CliAnalyze, AutoCorrelationCsvAndDownSampling) {
    TempDir dir;
    const std::string wav = NoiseWave(dir, 48000);
    std::string err;
    ASSERT_EQ(RunWords({"analyze", "autocorr", wav, "--points", "1024", "--down", "-2", "--channel",
                        "1", "--average", "5", "-o", dir.Path("r.csv")},
                       &err),
              0)
        << err;
    const auto bytes = TempDir::ReadFile(dir.Path("r.csv"));
    const std::string text = FileTextToUtf8(std::string(bytes.begin(), bytes.end()));
    // Down-sampling a stereo wave selects both channels.
    EXPECT_NE(text.find("2ch自己相関"), std::string::npos);
    EXPECT_NE(text.find("点数=,1024"), std::string::npos);
}

TEST(CliAnalyze, RefusesWhatTheDialogsRefuse) {
    TempDir dir;
    const std::string wav = NoiseWave(dir, 4096);
    std::string err;
    EXPECT_EQ(RunWords({"analyze", "spectrum", wav, "--points", "2048", "--average", "3", "-o",
                        dir.Path("s.opr")},
                       &err),
              1);
    EXPECT_EQ(err, std::string(msg::kAverageCountRange) + "\n");
    EXPECT_EQ(
        RunWords({"analyze", "spectrum", wav, "--points", "8192", "-o", dir.Path("s.opr")}, &err),
        1);
    EXPECT_EQ(err, std::string(msg::kTooShortSpectrum) + "\n");
    EXPECT_EQ(RunWords({"analyze", "transfer", wav, "--points", "128", "--channel", "1", "-o",
                        dir.Path("s.opr")}),
              1);
    EXPECT_EQ(RunWords({"analyze", "bogus", wav, "--points", "128", "-o", dir.Path("s.opr")}), 2);
}

TEST(CliCalc, StepsInOrderWithTheHistory) {
    TempDir dir;
    std::string err;
    ASSERT_EQ(RunWords({"calc", "--init", "gain", "--points", "2048", "--fs", "48000", "--integral",
                        "1,1:x", "--closed", "--open", "-o", dir.Path("c.opr"), "--history",
                        dir.Path("h.csv")},
                       &err),
              0)
        << err;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("c.opr")));
    EXPECT_NEAR(std::abs(std::complex<double>(doc.m_fRe[43], doc.m_fIm[43])), 0.99, 0.005);
    const auto bytes = TempDir::ReadFile(dir.Path("h.csv"));
    const std::string expected =
        "番号,処理項目,ゲイン,設定周波数,演算操作,ｻﾝﾌﾟﾘﾝｸﾞ周波数,ｻﾝﾌﾟﾙ点数,備考 \r\n"
        "1,初期設定,1.000000 ,0.000000 ,NOP  ,48000  ,2048 ,  \r\n"
        "2,積分,1.000000 ,1.000000 ,x:乗算  ,48000  ,2048 ,  \r\n"
        "3,Closed,-- ,-- ,Close特性  ,48000  ,2048 ,  \r\n"
        "4,Open,-- ,-- ,Open特性  ,48000  ,2048 ,  \r\n"
        "5,Write File,-- ,-- ,--  ,48000  ,2048 ," +
        dir.Path("c.opr") + " \r\n";
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), Utf8ToCp932(expected));
}

TEST(CliCalc, OpenLoopGuardFileCombineAndMemory) {
    TempDir dir;
    std::string err;
    ASSERT_EQ(RunWords({"calc", "--init", "gain", "--open", "-o", dir.Path("g.csv")}, &err), 0)
        << err;
    const auto csv = TempDir::ReadFile(dir.Path("g.csv"));
    EXPECT_NE(std::string(csv.begin(), csv.end()).find("8.388607e+06,"), std::string::npos);

    ASSERT_EQ(RunWords({"calc", "--init", "gain", "--gain", "2:x", "-o", dir.Path("two.opr")}), 0);
    ASSERT_EQ(RunWords({"calc", "--init", "gain", "--file", dir.Path("two.opr") + ":+", "--store",
                        "--recall:x", "-o", dir.Path("nine.opr")},
                       &err),
              0)
        << err;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("nine.opr")));
    EXPECT_NEAR(doc.m_fRe[17], 9.0f, 1e-5);
}

TEST(CliCalc, BadStepsAreReported) {
    TempDir dir;
    EXPECT_EQ(RunWords({"calc", "--init", "gain", "--gain", "2", "-o", dir.Path("x.opr")}), 1);
    EXPECT_EQ(RunWords({"calc", "--init", "gain", "--twist", "-o", dir.Path("x.opr")}), 2);
    EXPECT_EQ(RunWords({"calc", "--init", "gain", "--recall:x", "-o", dir.Path("x.opr")}), 1);
    EXPECT_EQ(
        RunWords({"calc", "--init", "gain", "--resonance", "0,1,20:x", "-o", dir.Path("x.opr")}),
        1);
}

// Steps the calculator's dialogs refuse are refused with the dialogs' messages, and nothing is
// written; the neighbouring accepted values still run.
TEST(CliCalc, RefusedElementValuesNameTheirCause) {
    struct Case {
        std::vector<std::string> step;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        {{"--resonance", "1000,0,20:x"}, msg::kSensitivityRange},
        {{"--resonance", "1000,-1,20:x"}, msg::kSensitivityRange},
        {{"--resonance-acc", "1,1000,0,20:x"}, msg::kSensitivityRange},
        {{"--resonance-acc", "0,1000,1,20:x"}, msg::kSensitivityRange},
        {{"--resonance-acc", "1,0,1,20:x"}, msg::kResonanceRange},
        {{"--resonance", "1000,1,55:x"}, "0 から 54 までの数値を入力してください。"},
        {{"--resonance", "1000,1e-3,20:x"}, nullptr},
        {{"--gain", "0:/"}, msg::kDivisionByZero},
        {{"--gain", "0:x"}, nullptr},
        {{"--integral", "0,1:/"}, msg::kDivisionByZero},
        {{"--derivative", "0,1:x"}, msg::kDivisionByZero},
        {{"--derivative", "0,1:+"}, nullptr},
        {{"--laglead", "1,1,0,0:x"}, msg::kDivisionByZero},
        {{"--laglead", "0,0,1,1:/"}, msg::kDivisionByZero},
        {{"--laglead", "0,0,1,1:x"}, nullptr},
        {{"--integral", "1,0:x"}, "1e-06 から 1e+06 までの数値を入力してください。"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        std::vector<std::string> words = {"calc", "--init", "gain"};
        words.insert(words.end(), c.step.begin(), c.step.end());
        words.insert(words.end(), {"-o", dir.Path("x.opr")});
        std::string err;
        const int rc = RunWords(words, &err);
        const std::string what = c.step[0] + " " + c.step[1];
        if (!c.message) {
            EXPECT_EQ(rc, 0) << what << ": " << err;
            CScriptedUi ui;
            CKymoDoc doc(ui);
            ASSERT_TRUE(doc.OnOpenDocument(dir.Path("x.opr"))) << what;
            for (int k = 0; k < doc.m_nPoints; ++k)
                ASSERT_TRUE(std::isfinite(doc.m_fRe[k]) && std::isfinite(doc.m_fIm[k]))
                    << what << " bin " << k;
            continue;
        }
        EXPECT_EQ(rc, 1) << what;
        EXPECT_EQ(err, c.step[0] + ": " + c.message + "\n") << what;
        EXPECT_TRUE(TempDir::ReadFile(dir.Path("x.opr")).empty()) << what;
    }
}

} // namespace
