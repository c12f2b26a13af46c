#include "LiveCliSupport.h"

#include "document/ScriptedUi.h"
#include "dsp/FloatToInt.h"
#include "sound/audio/AudioResults.h"
#include "sound/devices/DutWav.h"
#include "support/WavBuilder.h"
#include "tube/TubeAmpCompute.h"
#include "tube/TubeData.h"
#include "tube/TubeFile.h"
#include "tube/TubeProcessor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

const std::string k300B = std::string(SONALYX_DATA_DIR) + "/tubes/300B.csv";

// The name=value lines of a command's output.
std::map<std::string, double> Values(const std::string& out) {
    std::map<std::string, double> v;
    std::size_t at = 0;
    while (at < out.size()) {
        const std::size_t end = out.find('\n', at);
        const std::string line = out.substr(at, end - at);
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) v[line.substr(0, eq)] = std::stod(line.substr(eq + 1));
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return v;
}

void ExpectRefused(const std::vector<std::string>& words, int rc, const std::string& message) {
    const CliRunResult r = RunCliWords(words);
    EXPECT_EQ(r.rc, rc) << words[0] << " " << words[1] << " " << r.err;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
}

} // namespace

// A second-order device (y = u + A2 u^2) at -6 dB gives THD = |A2| a / 2 on the left and none on
// the right; the saved "AUDO" file holds the printed values and only the THD flag.
TEST(LiveAudioCli, ThdOfASecondOrderDeviceAndItsFile) {
    TempDir dir;
    const CliRunResult r =
        RunCliWords({"live", "audio", "--dut", "dut1=poly:1:0.02;dut2=gain:1", "--items", "thd",
                     "--thd-freq", "1125", "--thd-level", "-6", "-o", dir.Path("thd.audo")});
    ASSERT_EQ(r.rc, 0) << r.err;
    auto v = Values(r.out);
    const double a = 32767.0 / 32768.0 * std::pow(10.0, -6.0 / 20.0);
    EXPECT_NEAR(v["thd_l"], 100.0 * 0.02 * a / 2.0, 0.01) << r.out;
    EXPECT_LT(v["thd_r"], 0.002);
    EXPECT_GE(v["thdn_l"], v["thd_l"]);
    EXPECT_NEAR(v["monitor1"], 1125.0, 1.0);
    EXPECT_EQ(v["sn_weighted_l"], 0.0); // not measured
    CScriptedUi ui;
    CAudioResults file;
    ASSERT_EQ(LoadAudioResults(ui, dir.Path("thd.audo"), file), 1);
    EXPECT_EQ(file.m_nFlags, (std::array<int, 6>{0, 1, 0, 0, 0, 0}));
    EXPECT_NEAR(file.m_fResult[4], v["thd_l"], 1e-4);
    EXPECT_NEAR(file.m_fResult[7], v["thdn_r"], 1e-4);
}

// A known leak gives its crosstalk at both frequencies into both channels; the run at 24 bits
// and 44.1 kHz carries the same values.
TEST(LiveAudioCli, CrosstalkOfAKnownLeak) {
    for (const char* bits : {"16", "24"}) {
        TempDir dir;
        const CliRunResult r = RunCliWords(
            {"live", "audio", "--dut", "dut1=gain:0.5;dut2=gain:0.5;leak=0.01", "--items", "xtalk",
             "--rate", "44100", "--bits", bits, "-o", dir.Path("x.audo")});
        ASSERT_EQ(r.rc, 0) << r.err;
        auto v = Values(r.out);
        for (const char* name : {"xtalk_1k_l", "xtalk_1k_r", "xtalk_10k_l", "xtalk_10k_r"})
            EXPECT_NEAR(v[name], 20.0 * std::log10(0.02), 0.02) << bits << " " << name;
        EXPECT_EQ(v["thd_l"], 0.0);
    }
}

// Manual mode measures what the user feeds in (here the card's own source): one round of the
// item.
TEST(LiveAudioCli, ManualModeMeasuresTheSuppliedSignal) {
    TempDir dir;
    const CliRunResult r = RunCliWords(
        {"live", "audio", "--dut", "in1=src;in2=src;src=tone:1125:16000;dut1=poly:1:0.04", "--mode",
         "manual", "--items", "thd", "-o", dir.Path("m.audo")});
    ASSERT_EQ(r.rc, 0) << r.err;
    auto v = Values(r.out);
    EXPECT_NEAR(v["thd_l"], 100.0 * 0.04 * (16000.0 / 32768.0) / 2.0, 0.01) << r.out;
    EXPECT_LT(v["thd_r"], 0.002);
}

TEST(LiveAudioCli, RefusesBadArguments) {
    const std::vector<std::string> base = {"live", "audio", "--device", "virtual"};
    const auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> w = base;
        w.insert(w.end(), extra.begin(), extra.end());
        return w;
    };
    TempDir dir;
    const std::string out = dir.Path("x.audo");
    ExpectRefused(with({"--rate", "22050", "-o", out}), 1, "--rate: 44100, 48000 or 96000");
    ExpectRefused(with({"--bits", "8", "-o", out}), 1, "--bits: 16, 24 or 32");
    ExpectRefused(with({"--mode", "sync", "-o", out}), 1, "--mode: direct or manual");
    ExpectRefused(with({"--items", "thd,wow", "-o", out}), 1, "--items: unknown item wow");
    ExpectRefused(with({"--thd-level", "-41", "-o", out}), 1, "THD測定ﾚﾍﾞﾙが範囲外です(0～-40dB)");
    ExpectRefused(with({"--thd-freq", "39", "-o", out}), 1,
                  "THD測定周波数が範囲外です(40Hz～10kHz)");
    ExpectRefused(with({}), 2, "usage: sonalyx-cli live audio");
    EXPECT_TRUE(TempDir::ReadFile(out).empty());
}

// The synchronous mode's test file and its reference: 192 blocks of 16384 frames behind the
// 56-byte header; the reference is the full-scale 1 kHz tone, the test file opens with it, falls
// silent at block 50 and plays the THD tone from block 72.
TEST(AudioTestfileCli, WritesTheTestFileAndTheReference) {
    TempDir dir;
    const CliRunResult r = RunCliWords({"audio-testfile", "--rate", "44100", "-o",
                                        dir.Path("test.wav"), "--ref", dir.Path("ref.wav")});
    ASSERT_EQ(r.rc, 0) << r.err;
    for (const char* name : {"test.wav", "ref.wav"})
        EXPECT_EQ(TempDir::ReadFile(dir.Path(name)).size(), 56u + 16384u * 4u * 192u) << name;
    DutWav ref, test;
    std::string why;
    ASSERT_TRUE(ReadDutWav(dir.Path("ref.wav"), ref, why)) << why;
    ASSERT_TRUE(ReadDutWav(dir.Path("test.wav"), test, why)) << why;
    EXPECT_EQ(ref.rate, 44100);
    const double w = 6.283185307179586 * 1000.0 / 44100.0;
    for (int n : {0, 11, 12345, 16384 * 191 + 7}) {
        const double want = std::trunc(32767.0 * std::sin(w * n));
        EXPECT_EQ(ref.samples[0][n], want) << n;
        EXPECT_EQ(ref.samples[1][n], want) << n;
    }
    for (int n : {5, 16384 * 49 + 100}) // the lead-in restarts at n = 0 in every tone section
        EXPECT_EQ(test.samples[0][n], std::trunc(32767.0 * std::sin(w * n))) << n;
    for (int n : {16384 * 50, 16384 * 53 + 99, 16384 * 56 + 16383})
        EXPECT_EQ(test.samples[0][n], 0.0) << n;
    const int thd = 16384 * 72;
    for (int k : {1, 77, 4000}) // the THD tone (1000 Hz) from its own start
        EXPECT_EQ(test.samples[1][thd + k], std::trunc(32767.0 * std::sin(w * k))) << k;

    const CliRunResult wide =
        RunCliWords({"audio-testfile", "--bits", "24", "-o", dir.Path("t24.wav")});
    ASSERT_EQ(wide.rc, 0) << wide.err;
    EXPECT_EQ(TempDir::ReadFile(dir.Path("t24.wav")).size(), 56u + 16384u * 6u * 192u);

    ExpectRefused({"audio-testfile", "--rate", "8000", "-o", dir.Path("bad.wav")}, 1,
                  "--rate: 44100, 48000 or 96000");
    ExpectRefused({"audio-testfile", "--bits", "20", "-o", dir.Path("bad.wav")}, 1,
                  "--bits: 16, 24 or 32");
    ExpectRefused({"audio-testfile", "--rate", "48000"}, 2, "usage: sonalyx-cli audio-testfile");
    EXPECT_TRUE(TempDir::ReadFile(dir.Path("bad.wav")).empty());
}

// The shipped 300B at its own settings (450 V, 3 kOhm, 60 mA constant current): the quiescent
// point lies on the load line at 60 mA, the expected maximum power follows from the gain and the
// 12 grid steps of 10 V, and the drawing is a PNG of the asked size. Grid bias puts the
// operating point at the bias voltage.
TEST(TubeCli, OperatingPointOfTheShippedTriodeAndItsPicture) {
    TempDir dir;
    const CliRunResult r =
        RunCliWords({"tube", k300B, "--power", "2", "--size", "640x720", "-o", dir.Path("c.png")});
    ASSERT_EQ(r.rc, 0) << r.err;
    auto v = Values(r.out);
    EXPECT_NEAR(v["upper.iq"], 60.0, 0.6) << r.out;
    EXPECT_NEAR(v["upper.epq"], 450.0 - 3.0 * v["upper.iq"], 0.01);
    const double swing = 12 * 10.0 * 2.0 / 3.0;
    EXPECT_NEAR(v["max_power"], std::pow(v["upper.gain"] * swing, 2) * 0.0005 / 3.0,
                1e-4 * v["max_power"]);
    EXPECT_GT(v["last_power"], 2.0);
    EXPECT_GT(v["set_thd"], 0.0);
    EXPECT_LT(v["set_thd"], 10.0);
    const auto png = TempDir::ReadFile(dir.Path("c.png"));
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    const auto be32 = [&](int at) {
        return (png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
    };
    EXPECT_EQ(be32(16), 640);
    EXPECT_EQ(be32(20), 720);

    const CliRunResult grid =
        RunCliWords({"tube", k300B, "--bias", "1", "--power", "2", "-o", dir.Path("g.png")});
    ASSERT_EQ(grid.rc, 0) << grid.err;
    EXPECT_NEAR(Values(grid.out)["upper.eg0"], -70.0, 1e-6) << grid.out;
}

TEST(TubeCli, RefusesBadArguments) {
    TempDir dir;
    const std::string png = dir.Path("c.png");
    ExpectRefused({"tube", dir.Path("none.csv"), "-o", png}, 1, "ﾌｧｲﾙを開けません");
    TempDir::WriteFile(dir.Path("bad.csv"), {'x', 'y', ',', '1', '\r', '\n'});
    ExpectRefused({"tube", dir.Path("bad.csv"), "-o", png}, 1, "書式(csvﾌｧｲﾙ)の整合がとれません");
    ExpectRefused({"tube", k300B, "--circuit", "3", "-o", png}, 1, "--circuit: 0 ... 2");
    ExpectRefused({"tube", k300B, "--power", "0", "-o", png}, 1, "設定値は正の値でお願いします。");
    ExpectRefused({"tube", k300B, "--rate", "22050", "-o", png}, 1,
                  "--rate: 44100, 48000 or 96000");
    ExpectRefused({"tube", k300B}, 2, "usage: sonalyx-cli tube");
    EXPECT_TRUE(TempDir::ReadFile(png).empty());
}

// The amplifier on the virtual card hears a 12000-count tone. With "Through" it plays the input
// unchanged; without, every played sample is the computed stage's output for that input (the
// card's clock is deterministic, so both runs hear the same samples).
TEST(LiveTubeCli, PlaysTheInputThroughTheStageOrUnchanged) {
    TempDir dir;
    const std::string dut = "in1=src;in2=src;src=tone:1000:12000";
    const std::vector<std::string> common = {"live", "tube",    "--dut", dut,         "--tube",
                                             k300B,  "--power", "2",     "--seconds", "0.5"};
    auto through = common;
    through.insert(through.end(), {"--through", "--record", dir.Path("thru.wav")});
    auto stage = common;
    stage.insert(stage.end(), {"--record", dir.Path("stage.wav")});
    const CliRunResult t = RunCliWords(through);
    ASSERT_EQ(t.rc, 0) << t.err;
    const CliRunResult s = RunCliWords(stage);
    ASSERT_EQ(s.rc, 0) << s.err;
    DutWav x, y;
    std::string why;
    ASSERT_TRUE(ReadDutWav(dir.Path("thru.wav"), x, why)) << why;
    ASSERT_TRUE(ReadDutWav(dir.Path("stage.wav"), y, why)) << why;
    ASSERT_GE(x.samples[0].size(), 24000u);
    ASSERT_EQ(x.samples[0].size(), y.samples[0].size());
    double peak = 0.0;
    for (double v : x.samples[0]) peak = std::max(peak, std::fabs(v));
    EXPECT_NEAR(peak, 12000.0, 1.0);

    // The same stage computed here from the same file and settings.
    CScriptedUi ui;
    TubeData data;
    ASSERT_EQ(ReadTubeFile(ui, k300B, data), 1);
    TubeAmpSettings set;
    set.wanted = 2.0;
    set.circuit = data.ope[TubeData::Circuit];
    set.bias = data.ope[TubeData::Bias];
    for (int tb = 0; tb < 2; ++tb) {
        set.tube[tb].supply = data.both[TubeData::Supply][tb];
        set.tube[tb].load = data.both[TubeData::Load][tb];
        set.tube[tb].current = data.both[TubeData::ConstCurrent][tb];
        set.tube[tb].gridBias = data.both[TubeData::GridBias][tb];
        set.tube[tb].cathodeBias = data.both[TubeData::CathodeBias][tb];
        set.tube[tb].epError = data.ope[TubeData::EpErrorUpper + tb];
        set.tube[tb].ipError = data.ope[TubeData::IpErrorUpper + tb];
    }
    set.rate = 48000;
    TubeAmpResult result;
    ASSERT_TRUE(ComputeTubeAmp(ui, data, set, result));
    CTubeProcessor model;
    model.SetModel(result.model);
    int changed = 0;
    for (std::size_t i = 0; i < x.samples[0].size(); ++i) {
        for (int c = 0; c < 2; ++c) {
            const double in = x.samples[c][i];
            ASSERT_EQ(y.samples[c][i], SaturateToRange(model.Output(in, 32767.0), -32767, 32767))
                << i << " " << c;
        }
        if (y.samples[0][i] != x.samples[0][i]) ++changed;
    }
    EXPECT_GT(changed, 1000);
}

TEST(LiveTubeCli, RefusesBadArguments) {
    TempDir dir;
    const std::string rec = dir.Path("r.wav");
    const std::vector<std::string> base = {"live", "tube", "--device", "virtual", "--record", rec};
    const auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> w = base;
        w.insert(w.end(), extra.begin(), extra.end());
        return w;
    };
    ExpectRefused(with({"--tube", k300B, "--seconds", "0"}), 1,
                  "--seconds: more than 0, at most 3600");
    ExpectRefused(with({"--tube", k300B, "--seconds", "1", "--rate", "22050"}), 1,
                  "--rate: 44100, 48000 or 96000");
    ExpectRefused(with({"--tube", k300B, "--seconds", "1", "--bias", "4"}), 1, "--bias: 0 ... 3");
    ExpectRefused(with({"--tube", dir.Path("none.csv"), "--seconds", "1"}), 1,
                  "ﾃﾞｰﾀｰの異常/ｷｬﾝｾﾙ/読み取りｴﾗｰ\nで仮想管のﾃﾞｰﾀｰ取得に失敗しました。");
    ExpectRefused(with({"--seconds", "1"}), 2, "usage: sonalyx-cli live tube");
    EXPECT_TRUE(TempDir::ReadFile(rec).empty());
}
