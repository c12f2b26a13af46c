#include "cli/CliCommand.h"
#include "document/ScriptedUi.h"
#include "filters/BiquadTable.h"
#include "filters/CoefFile.h"
#include "filters/CrTable.h"
#include "filters/PcmFilters.h"
#include "filters/WindowFir.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct RunResult {
    int rc;
    std::string out, err;
};

RunResult RunWords(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const int rc = RunCli(words, out, err);
    return {rc, out.str(), err.str()};
}

// The data chunk of a 16-bit WAV file.
std::vector<std::uint8_t> WavData(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
    for (std::size_t i = 12; i + 8 <= b.size();) {
        const std::uint32_t size = b[i + 4] | (b[i + 5] << 8) | (b[i + 6] << 16) | (b[i + 7] << 24);
        if (std::string(b.begin() + i, b.begin() + i + 4) == "data")
            return {b.begin() + i + 8, b.begin() + i + 8 + size};
        i += 8 + size + (size & 1);
    }
    return {};
}

std::vector<std::string> Live(const char* command, const TempDir& dir,
                              std::vector<std::string> options) {
    std::vector<std::string> words = {
        "live",           command,
        "--dut",          "in1=src;in2=src;src=noise:6000:5;dut2=gain:0.5,delay:9",
        "--record",       dir.Path("out.wav"),
        "--record-input", dir.Path("in.wav")};
    words.insert(words.end(), options.begin(), options.end());
    return words;
}

} // namespace

// The window-method tool of --design: what it played is FirFilterPcm of what it filtered, with
// zeros as the first history.
TEST(LiveRtFilterCli, DesignedFirPlaysTheOfflineFiltering) {
    TempDir dir;
    const RunResult r = RunWords(
        Live("rtfilter", dir,
             {"--design",
              "fir --shape bpf --window hann --taps 77 --fl 500 "
              "--fh 4000",
              "--buffer", "medium", "--rate", "44100", "--channel", "2", "--seconds", "3"}));
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_NE(r.out.find("frames="), std::string::npos);
    const auto in = WavData(dir.Path("in.wav"));
    const auto out = WavData(dir.Path("out.wav"));
    ASSERT_EQ(in.size(), out.size());
    ASSERT_GE(in.size(), 3u * 44100 * 4);

    // The tool's taps: the window-method design of the options at 44.1 kHz.
    std::vector<double> taps(77);
    DesignWindowFir(shape::BandPass, firwin::Hann, 77, 500.0, 4000.0, 44100.0, taps.data());
    std::vector<std::uint8_t> work(77 * 4, 0);
    work.insert(work.end(), in.begin(), in.end());
    std::vector<std::uint8_t> expected(work.size());
    FirFilterPcm(chmode::Ch2, static_cast<int>(work.size() / 4), pcm::Stereo16, 77, taps.data(), 0,
                 work.data(), expected.data());
    expected.resize(in.size());
    EXPECT_TRUE(out == expected);
}

// An IIR coefficient file runs in the IIR tool: what it played is CascadeFilterPcm of what it
// filtered with the sections read from the file.
TEST(LiveRtFilterCli, IirCoefficientFilePlaysTheOfflineCascade) {
    TempDir dir;
    const RunResult d = RunWords({"design", "cascade", "--type", "butter", "--shape", "lpf",
                                  "--order", "5", "--fl", "2000", "-o", dir.Path("iir.csv")});
    ASSERT_EQ(d.rc, 0) << d.err;
    const RunResult r = RunWords(Live(
        "rtfilter", dir, {"--coef", dir.Path("iir.csv"), "--buffer", "small", "--seconds", "2"}));
    ASSERT_EQ(r.rc, 0) << r.err;
    const auto in = WavData(dir.Path("in.wav"));
    const auto out = WavData(dir.Path("out.wav"));
    ASSERT_EQ(in.size(), out.size());
    CScriptedUi ui;
    CoefFileHeader h;
    BiquadTable table;
    ASSERT_EQ(CoefFile(ui).ReadIirFile(dir.Path("iir.csv"), h, table), 1);
    std::vector<std::uint8_t> expected(in.size());
    CascadeState s1, s2;
    CascadeFilterPcm(chmode::Both, 1.0, static_cast<int>(in.size()), 4, pcm::Stereo16, h.count,
                     table, s1, s2, 0, in.data(), expected.data());
    EXPECT_TRUE(out == expected);
}

// A flat line at 0 dB is a pure delay of half the taps.
TEST(LiveRtFilterCli, FlatFreeFormIsAPureDelay) {
    TempDir dir;
    const RunResult r = RunWords(
        Live("freeform", dir, {"--points", "128", "--shape", "20:0; 20000:0", "--seconds", "1"}));
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_NE(r.out.find("taps=128\n"), std::string::npos);
    const auto in = WavData(dir.Path("in.wav"));
    const auto out = WavData(dir.Path("out.wav"));
    ASSERT_EQ(in.size(), out.size());
    std::vector<std::uint8_t> expected(64 * 4, 0);
    expected.insert(expected.end(), in.begin(), in.end() - 64 * 4);
    EXPECT_TRUE(out == expected);
}

TEST(LiveRtFilterCli, RefusesIncompleteCommands) {
    EXPECT_EQ(RunWords({"live", "rtfilter", "--dut", "", "--seconds", "1"}).rc, 2);
    EXPECT_EQ(
        RunWords({"live", "rtfilter", "--dut", "", "--design", "nonsense", "--seconds", "1"}).rc,
        2);
    const RunResult kaiser =
        RunWords({"live", "rtfilter", "--dut", "", "--design",
                  "kaiser --shape lpf --atten 95 --transition 500 --fl 2000", "--seconds", "1"});
    EXPECT_EQ(kaiser.rc, 1);
    EXPECT_NE(kaiser.err.find("10～90dBの範囲で設定して下さい"), std::string::npos);
    const RunResult free = RunWords({"live", "freeform", "--dut", "", "--points", "2049", "--shape",
                                     "20:0; 20000:0", "--seconds", "1"});
    EXPECT_EQ(free.rc, 1);
    EXPECT_NE(free.err.find("32～2048までのﾀｯﾌﾟ数でお願いします。"), std::string::npos);
}

TEST(BenchCli, PrintsTheFourTimesAndTheVerdict) {
    const RunResult r = RunWords({"bench", "--seconds", "0.4"});
    ASSERT_EQ(r.rc, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) all.push_back(line);
    ASSERT_EQ(all.size(), 5u) << r.out;
    EXPECT_EQ(all[0].rfind("DFT:8192点 ", 0), 0u);
    EXPECT_EQ(all[1].rfind("FFT:8192点 ", 0), 0u);
    EXPECT_EQ(all[2].rfind("Conv:2400x1024点 ", 0), 0u);
    EXPECT_EQ(all[3], "FastConv:8192x8192点 999.999ms(準備中)");
    for (int i = 0; i < 3; ++i) {
        const double ms = std::stod(all[i].substr(all[i].find(' ') + 1));
        EXPECT_GT(ms, 0.0) << all[i];
        EXPECT_LT(ms, 999.0) << all[i];
    }
    EXPECT_TRUE(all[4] == "Excellent!!" || all[4] == "Good!!" ||
                all[4] == "Let's go to PC Shop! ASAP!")
        << all[4];
}
