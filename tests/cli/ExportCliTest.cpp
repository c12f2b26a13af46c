#include "cli/CliCommand.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ExportMessages.h"
#include "document/MeasurementFile.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

int RunWords(const std::vector<std::string>& words, std::string* err = nullptr) {
    std::ostringstream out, e;
    const int rc = RunCli(words, out, e);
    if (err) *err = e.str();
    return rc;
}

// Rows of a response text: lines not starting with "*".
std::vector<std::vector<double>> Rows(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::vector<double>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '*') continue;
        std::istringstream f(line);
        std::vector<double> row;
        for (double v; f >> v;) row.push_back(v);
        rows.push_back(row);
    }
    return rows;
}

// A stereo wave whose ch2 is half of ch1, delayed by one sample.
std::string HalfDelayedWave(const TempDir& dir) {
    std::mt19937 gen(5);
    std::uniform_int_distribution<int> dist(-8000, 8000);
    std::vector<int> s;
    int last = 0;
    for (int i = 0; i < 16384; ++i) {
        const int v = dist(gen);
        s.push_back(v);
        s.push_back(last / 2);
        last = v;
    }
    TempDir::WriteFile(dir.Path("w.wav"), BuildWav(WavFormat{}, s));
    return dir.Path("w.wav");
}

TEST(CliExport, TransferFunctionTravelsAsFrdRewAndImpulseWave) {
    TempDir dir;
    const std::string wav = HalfDelayedWave(dir);
    std::string err;
    ASSERT_EQ(RunWords({"analyze", "transfer", wav, "--points", "1024", "--window", "hanning",
                        "--coherence", dir.Path("coh.csv"), "-o", dir.Path("h.opr")},
                       &err),
              0)
        << err;
    ASSERT_EQ(RunWords({"export", "frd", dir.Path("h.opr"), "-o", dir.Path("h.frd")}, &err), 0)
        << err;
    ASSERT_EQ(RunWords({"export", "rew", dir.Path("h.opr"), "-o", dir.Path("h.txt")}), 0);
    ASSERT_EQ(RunWords({"export", "irwav", dir.Path("h.opr"), "-o", dir.Path("h.wav")}), 0);
    for (const char* name : {"h.frd", "h.txt"}) {
        const auto rows = Rows(dir.Path(name));
        ASSERT_EQ(rows.size(), 512u) << name;
        for (const auto& r : rows) {
            ASSERT_EQ(r.size(), 3u);
            EXPECT_NEAR(r[1], 20 * std::log10(0.5), 0.25) << name << " " << r[0];
        }
        EXPECT_NEAR(rows[255][0], 256 * 48000.0 / 1024, 1e-6);
        EXPECT_NEAR(rows[255][2], -90.0, 1.0); // one sample of delay at fs/4
    }
    const auto wave = TempDir::ReadFile(dir.Path("h.wav"));
    ASSERT_EQ(wave.size(), 56u + 4 * 1024);
    float h1;
    std::memcpy(&h1, wave.data() + 56 + 4, 4);
    EXPECT_NEAR(h1, 0.5f, 0.01f);
    // The coherence file: a header and N/2 rows close to 1.
    std::ifstream coh(dir.Path("coh.csv"));
    std::string line;
    std::getline(coh, line);
    EXPECT_EQ(line, "frequency,coherence\r");
    int rows = 0;
    for (; std::getline(coh, line); ++rows)
        EXPECT_GT(std::stod(line.substr(line.find(',') + 1)), 0.999);
    EXPECT_EQ(rows, 512);
}

TEST(CliExport, CoefficientFilesBecomeHeaderAndWave) {
    TempDir dir;
    const std::string csv =
        "BEGIN_ALL,\r\nFilter_Kind:,Free_Coef,Filter_Shape:,Unknown,Order:,3,"
        "\r\nBEGIN_FIR,\r\n0.5,\r\n0.25,\r\n-0.125,\r\nEND_FIR,\r\nEND_ALL,\r\n";
    TempDir::WriteFile(dir.Path("f.csv"), std::vector<std::uint8_t>(csv.begin(), csv.end()));
    ASSERT_EQ(RunWords({"export", "irwav", dir.Path("f.csv"), "-o", dir.Path("f.wav"), "--rate",
                        "96000"}),
              0);
    const auto wave = TempDir::ReadFile(dir.Path("f.wav"));
    ASSERT_EQ(wave.size(), 56u + 12);
    EXPECT_EQ(wave[24] | (wave[25] << 8) | (wave[26] << 16), 96000);
    float last;
    std::memcpy(&last, wave.data() + 64, 4);
    EXPECT_EQ(last, -0.125f);
    ASSERT_EQ(
        RunWords({"export", "sos-header", dir.Path("f.csv"), "-o", dir.Path("f.h"), "--cmsis"}), 0);
    const auto header = TempDir::ReadFile(dir.Path("f.h"));
    const std::string text(header.begin(), header.end());
    EXPECT_NE(text.find("#define F_NUM_TAPS 3"), std::string::npos);
    EXPECT_NE(text.find("-0.125,\n    0.25,\n    0.5,"), std::string::npos); // reversed
}

TEST(CliExport, WrongInputsAreRefusedWithoutAFile) {
    TempDir dir;
    const std::string wav = HalfDelayedWave(dir);
    struct Case {
        std::vector<std::string> words;
        const char* message;
    };
    const std::string out = dir.Path("out");
    const Case cases[] = {
        {{"export", "frd", wav, "-o", out}, xmsg::kNoResponse},
        {{"export", "irwav", wav, "-o", out}, xmsg::kNoImpulse},
        {{"export", "sos-header", wav, "-o", out}, xmsg::kNotCoefFile},
    };
    for (const Case& c : cases) {
        std::string err;
        EXPECT_EQ(RunWords(c.words, &err), 1) << c.words[1];
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.words[1];
    }
    EXPECT_EQ(RunWords({"export", "png", wav, "-o", out}), 2);
    std::string err;
    EXPECT_EQ(RunWords({"analyze", "spectrum", wav, "--points", "1024", "--coherence",
                        dir.Path("c.csv"), "-o", dir.Path("s.csv")},
                       &err),
              1);
    EXPECT_NE(err.find("--coherence"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("s.csv")));
}

} // namespace
