#include "document/ScriptedUi.h"
#include "filters/BiquadDesign.h"
#include "filters/CoefFile.h"
#include "sound/devices/DutChain.h"
#include "sound/devices/DutFiles.h"
#include "sound/devices/DutLoop.h"
#include "sound/devices/DutText.h"
#include "sound/devices/GaussianNoise.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kRate = 48000;

// Builds input 1's chain of `text` (e.g. "dut1=gain:2") with its files.
CDutChain Chain(const std::string& text, DutFiles* filesOut = nullptr) {
    DutText dut;
    DutFiles files;
    std::string error;
    CDutChain chain;
    EXPECT_TRUE(ParseDutText(text, dut, error)) << error;
    EXPECT_TRUE(LoadDutFiles(dut, files, error)) << error;
    EXPECT_TRUE(chain.Build(dut.dut[0], kRate, files, error)) << error;
    if (filesOut) *filesOut = files;
    return chain;
}

std::vector<double> Apply(CDutChain& chain, const std::vector<double>& x) {
    std::vector<double> y;
    for (double v : x) y.push_back(chain.Process(v));
    return y;
}

std::vector<double> Impulse(int n, double height = 1.0) {
    std::vector<double> x(n, 0.0);
    x[0] = height;
    return x;
}

// Steady-state complex gain of `chain` at f Hz: a unit sine is run for `settle` frames, then
// projected on sin and cos over whole periods.
std::complex<double> MeasuredGain(CDutChain& chain, double f, int settle = 48000) {
    const int period = static_cast<int>(std::lround(kRate / f));
    const int cycles = 20;
    std::complex<double> acc = 0.0;
    for (int n = 0; n < settle + cycles * period; ++n) {
        const double w = 2.0 * kPi * f * n / kRate;
        const double y = chain.Process(std::sin(w));
        if (n >= settle) acc += y * std::complex<double>(std::sin(w), std::cos(w));
    }
    // y = |H| sin(w + phi) projects to |H| (cos phi + j sin phi) / 2 per sample.
    return acc * 2.0 / static_cast<double>(cycles * period);
}

TEST(DutElements, GainAndDelay) {
    CDutChain gain = Chain("dut1=gain:-2.5");
    EXPECT_EQ(Apply(gain, {1.0, -3.0, 0.25}), (std::vector<double>{-2.5, 7.5, -0.625}));
    CDutChain delay = Chain("dut1=delay:3");
    EXPECT_EQ(Apply(delay, {1, 2, 3, 4, 5}), (std::vector<double>{0, 0, 0, 1, 2}));
    CDutChain none = Chain("dut1=delay:0,gain:1");
    EXPECT_EQ(Apply(none, {1, 2}), (std::vector<double>{1, 2}));
}

TEST(DutElements, BiquadFollowsItsDesignedResponse) {
    struct Case {
        const char* text;
        int type;
        float f, gainDb;
    };
    const Case cases[] = {
        {"dut1=biquad:lpf:2000", biquadtype::LowPass, 2000.0f, 0.0f},
        {"dut1=biquad:hpf:500", biquadtype::HighPass, 500.0f, 0.0f},
        {"dut1=biquad:peaking:1000:-12", biquadtype::Peaking, 1000.0f, -12.0f},
        {"dut1=biquad:lowshelf:300", biquadtype::LowShelving, 300.0f, 20.0f},
    };
    for (const auto& c : cases) {
        float den[3], num[3];
        ASSERT_EQ(BiquadDesign(c.type, kRate, c.f, c.gainDb, den, num), 1);
        for (const double f : {100.0, 1000.0, 6000.0}) {
            CDutChain chain = Chain(c.text);
            const std::complex<double> z1 = std::polar(1.0, -2.0 * kPi * f / kRate);
            auto poly = [&](const float* k) {
                return double(k[0]) + double(k[1]) * z1 + double(k[2]) * z1 * z1;
            };
            const std::complex<double> want = poly(num) / poly(den);
            const std::complex<double> got = MeasuredGain(chain, f);
            EXPECT_NEAR(std::abs(got - want), 0.0, 1e-6 * std::max(1.0, std::abs(want)))
                << c.text << " at " << f << " Hz";
        }
    }
}

TEST(DutElements, BiquadAboveHalfTheRateIsRefusedAtBuild) {
    DutText dut;
    DutFiles files;
    std::string error;
    ASSERT_TRUE(ParseDutText("dut1=biquad:lpf:30000", dut, error));
    CDutChain chain;
    EXPECT_FALSE(chain.Build(dut.dut[0], kRate, files, error));
    EXPECT_EQ(error.rfind(DutItemError("dut1=biquad:lpf:30000"), 0), 0u) << error;
    EXPECT_TRUE(chain.Build(dut.dut[0], 96000, files, error));
}

TEST(DutElements, FirCoefficientFileGivesItsTapsAsImpulseResponse) {
    TempDir dir;
    CScriptedUi ui;
    CoefFile file(ui);
    const std::vector<double> taps = {0.5, -0.25, 0.125, 1.0e-3, 2.0};
    const std::string path = dir.Path("fir.csv");
    ASSERT_EQ(file.WriteFir(path, "Win_Hann", "LPF", 1000.0, 0.0, 5, taps.data()), 1);
    CDutChain chain = Chain("dut1=coef:" + path);
    const std::vector<double> y = Apply(chain, Impulse(8, 1000.0));
    for (std::size_t k = 0; k < taps.size(); ++k)
        EXPECT_NEAR(y[k], 1000.0 * taps[k], 1e-9 * 1000.0) << k; // taps are stored as "%e"
    EXPECT_EQ(y[5], 0.0);
    // A step sums the taps.
    CDutChain again = Chain("dut1=coef:" + path);
    const std::vector<double> s = Apply(again, std::vector<double>(6, 1.0));
    EXPECT_NEAR(s[5], 0.5 - 0.25 + 0.125 + 1.0e-3 + 2.0, 1e-9);
}

TEST(DutElements, IirCoefficientFileRunsItsSectionsInCascade) {
    TempDir dir;
    const std::string path = dir.Path("iir.csv");
    std::ofstream(path, std::ios::binary)
        << "BEGIN_ALL,\r\nFilter_Kind:,Butterworth,Filter_Shape:,LPF,Order:,4,\r\n"
           "CutOff(L):,1.0,CutOff(H):,0.0,\r\nBEGIN_IIR,\r\na0,a1,a2,b0,b1,b2,\r\n"
           "1.0,-0.5,0.0,1.0,0.0,0.0,\r\n"
           "2.0,0.0,0.0,1.0,1.0,0.0,\r\nEND_IIR,\r\nEND_ALL,\r\n";
    CDutChain chain = Chain("dut1=coef:" + path);
    // 1 / (1 - 0.5 z^-1) then (1 + z^-1) / 2: h = 0.5^n / 2 + 0.5^(n-1) / 2.
    const std::vector<double> y = Apply(chain, Impulse(6));
    for (int n = 0; n < 6; ++n) {
        const double want = 0.5 * std::pow(0.5, n) + (n >= 1 ? 0.5 * std::pow(0.5, n - 1) : 0.0);
        EXPECT_NEAR(y[n], want, 1e-15) << n;
    }
}

TEST(DutElements, UnreadableCoefficientFileIsRefusedWithTheItem) {
    TempDir dir;
    const std::string missing = dir.Path("missing.csv");
    const std::string notCoef = dir.Path("text.csv");
    std::ofstream(notCoef) << "hello,\n";
    for (const std::string& path : {missing, notCoef}) {
        DutText dut;
        DutFiles files;
        std::string error;
        ASSERT_TRUE(ParseDutText("dut2=gain:1,coef:" + path, dut, error));
        EXPECT_FALSE(LoadDutFiles(dut, files, error));
        EXPECT_EQ(error.rfind(DutItemError("dut2=coef:" + path), 0), 0u) << error;
    }
}

TEST(DutElements, PolyIsAPolynomialOfFullScaleUnits) {
    CDutChain chain = Chain("dut1=poly:0.9:0.1:-0.2");
    for (const double x : {-32768.0, -1000.0, 0.0, 16384.0, 32767.0}) {
        const double u = x / 32768.0;
        EXPECT_NEAR(chain.Process(x), 32768.0 * (0.9 * u + 0.1 * u * u - 0.2 * u * u * u), 1e-9)
            << x;
    }
}

TEST(DutElements, NoiseHasItsSigmaAndRepeatsFromItsSeed) {
    CGaussianNoise a(100.0, 12345), b(100.0, 12345), c(100.0, 12346);
    const int n = 200000;
    double sum = 0.0, sum2 = 0.0;
    bool differs = false;
    for (int i = 0; i < n; ++i) {
        const double v = a.Next();
        ASSERT_EQ(v, b.Next());
        differs = differs || v != c.Next();
        sum += v;
        sum2 += v * v;
    }
    EXPECT_TRUE(differs);
    const double mean = sum / n;
    const double sigma = std::sqrt(sum2 / n - mean * mean);
    EXPECT_NEAR(mean, 0.0, 100.0 * 5.0 / std::sqrt(n));
    EXPECT_NEAR(sigma, 100.0, 100.0 * 5.0 / std::sqrt(2.0 * n));
    // The first values are fixed for every machine.
    CGaussianNoise first(1.0, 0);
    const double v0 = first.Next(), v1 = first.Next();
    CGaussianNoise again(1.0, 0);
    EXPECT_EQ(again.Next(), v0);
    EXPECT_EQ(again.Next(), v1);
    // The chain element adds the same noise to the signal.
    CDutChain chain = Chain("dut1=gain:2,noise:100:12345");
    CGaussianNoise ref(100.0, 12345);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(chain.Process(i), 2.0 * i + ref.Next());
}

// Steps a loop built from `text` for stereo input with the given output frames.
std::vector<std::array<double, 2>>
Loop(const std::string& text, const std::vector<std::array<double, 2>>& out, int channels = 2) {
    DutText dut;
    DutFiles files;
    std::string error;
    EXPECT_TRUE(ParseDutText(text, dut, error)) << error;
    EXPECT_TRUE(LoadDutFiles(dut, files, error)) << error;
    auto loop = CDutLoop::Create(dut, files, kRate, channels, error);
    EXPECT_TRUE(loop) << error;
    std::vector<std::array<double, 2>> in;
    for (const auto& o : out) {
        std::array<double, 2> v{};
        loop->Step(o[0], o[1], v[0], v[1]);
        in.push_back(v);
    }
    return in;
}

TEST(DutElements, LoopDelaysRoutesAndLeaksBeforeTheChains) {
    const std::vector<std::array<double, 2>> out = {{1, 10}, {2, 20}, {3, 30}, {4, 40}};
    auto in = Loop("latency=2", out);
    EXPECT_EQ(in[0], (std::array<double, 2>{0, 0}));
    EXPECT_EQ(in[2], (std::array<double, 2>{1, 10}));
    EXPECT_EQ(in[3], (std::array<double, 2>{2, 20}));

    in = Loop("latency=0;in1=out2;in2=0", out);
    EXPECT_EQ(in[1], (std::array<double, 2>{20, 0}));

    // Leak adds the other input's raw (routed, unprocessed) signal.
    in = Loop("latency=0;leak=0.5;dut1=gain:3;dut2=gain:-1", out);
    EXPECT_EQ(in[0], (std::array<double, 2>{3 * 1 + 0.5 * 10, -10 + 0.5 * 1}));

    // Mono: no input 2 and nothing leaks from it.
    in = Loop("latency=0;leak=0.5", out, 1);
    EXPECT_EQ(in[3], (std::array<double, 2>{4, 0}));
}

TEST(DutElements, SourceTonesAndWavFile) {
    std::vector<std::array<double, 2>> silence(8, {0.0, 0.0});
    auto in = Loop("in1=src;in2=src;src=tone:6000:1000:90+tone:12000:10", silence);
    for (int n = 0; n < 8; ++n) {
        const double want = 1000.0 * std::cos(2.0 * kPi * 6000.0 * n / kRate) +
                            10.0 * std::sin(2.0 * kPi * 12000.0 * n / kRate);
        EXPECT_NEAR(in[n][0], want, 1e-9) << n;
        EXPECT_EQ(in[n][1], in[n][0]);
    }

    TempDir dir;
    const std::string path = dir.Path("src.wav");
    TempDir::WriteFile(path, BuildWav({2, kRate, 16}, {100, -200, 300, -400, 500, -600}));
    in = Loop("in1=src;in2=src;src=wav:" + path, silence);
    const double ch1[] = {100, 300, 500, 100, 300, 500, 100, 300};
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(in[n][0], ch1[n]) << n;
        EXPECT_EQ(in[n][1], -ch1[n] - 100.0) << n;
    }
    const std::string mono = dir.Path("mono8.wav");
    TempDir::WriteFile(mono, BuildWav({1, kRate, 8}, {1, -2}));
    in = Loop("in1=src;in2=src;src=wav:" + mono, silence);
    EXPECT_EQ(in[1], (std::array<double, 2>{-512, -512}));
}

TEST(DutElements, WavSourceOfAnotherRateIsRefusedAtOpen) {
    TempDir dir;
    const std::string path = dir.Path("src.wav");
    TempDir::WriteFile(path, BuildWav({1, 44100, 16}, {1, 2, 3}));
    DutText dut;
    DutFiles files;
    std::string error;
    ASSERT_TRUE(ParseDutText("src=wav:" + path, dut, error));
    ASSERT_TRUE(LoadDutFiles(dut, files, error)) << error;
    EXPECT_FALSE(CDutLoop::Create(dut, files, kRate, 2, error));
    EXPECT_EQ(error, DutItemError("src=wav:" + path,
                                  "ファイルの標本化周波数 44100Hz がカードの 48000Hz と違います"));
    EXPECT_TRUE(CDutLoop::Create(dut, files, 44100, 2, error));

    DutText bad;
    ASSERT_TRUE(ParseDutText("src=wav:" + dir.Path("none.wav"), bad, error));
    EXPECT_FALSE(LoadDutFiles(bad, files, error));
    EXPECT_EQ(error, DutItemError("src=wav:" + dir.Path("none.wav"), "ファイルを開けません"));
}

} // namespace
