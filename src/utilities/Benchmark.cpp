#include "utilities/Benchmark.h"

#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "dsp/Dft.h"
#include "dsp/FftTables.h"
#include "filters/PcmFilters.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

std::string Printf(const char* format, double a, double b = 0.0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string Count(const char* format, int a, int b = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

} // namespace

const char* const CBenchmark::kLegend[4] = {"DFT:Discrete Fourier Transform",
                                            "FFT:Fast Fourier Transform", "Conv:Convolution",
                                            "FastConv:Conv with FFT"};

CBenchmark::CBenchmark(CKymoDoc& doc) : m_doc(doc) {}

CBenchmark::~CBenchmark() {
    Stop();
}

void CBenchmark::Start() {
    if (m_bRunning) return;
    m_boost.Raise(0, 0);
    MakeFftTables(kPoints, m_doc.m_fSinTbl.data(), m_doc.m_fCosTbl.data());
    m_samples.assign(kFrames * 4, 0);
    m_filtered.assign(kFrames * 4, 0);
    m_coef.assign(kTaps, 0.1);
    m_re.assign(kPoints, 1.0f);
    m_im.assign(kPoints, 0.0f);
    m_bRunning = true;
    m_bStarted = true;
}

void CBenchmark::Stop() {
    if (!m_bRunning) return;
    m_bRunning = false;
    m_boost.Restore();
    m_doc.RebuildTwiddleTables();
    m_samples = {};
    m_filtered = {};
    m_coef = {};
    m_re = {};
    m_im = {};
}

bool CBenchmark::Tick() {
    if (!m_bRunning) return true;
    BenchTimes t = m_times;
    std::fill(m_re.begin(), m_re.end(), 1.0f);
    std::fill(m_im.begin(), m_im.end(), 0.0f);
    auto start = Clock::now();
    m_doc.FftBitReverse(kPoints, m_re.data(), m_im.data());
    m_doc.FftButterflies(kLog2, 2, m_re.data(), m_im.data());
    t.fft = Ms(start);

    std::fill(m_re.begin(), m_re.end(), 1.0f);
    std::fill(m_im.begin(), m_im.end(), 0.0f);
    start = Clock::now();
    Dft dft;
    DftPlan plan;
    if (InitDft(dft, plan) != 0) {
        dft.Free(plan);
        Stop();
        if (onStopped) onStopped();
        m_doc.Ui().ShowMessage(msg::kDftInitFailed);
        return false;
    }
    dft.Transform(plan, 0, m_re.data(), m_im.data());
    dft.Free(plan);
    t.dft = Ms(start);

    start = Clock::now();
    FirFilterPcm(chmode::Both, kFrames, pcm::Stereo16, kTaps, m_coef.data(), 0, m_samples.data(),
                 m_filtered.data());
    t.conv = Ms(start);
    Score(t);
    return true;
}

int CBenchmark::InitDft(Dft& dft, DftPlan& plan) {
    return dft.Init(plan, kPoints, kPoints);
}

void CBenchmark::Score(const BenchTimes& times) {
    m_times = times;
    m_times.fastConv = BenchTimes::kNotMeasured;
    const double sum = times.dft + times.fft + times.conv;
    m_fScore = (sum > 0.0 ? 1000.0 / sum : 0.0) + 0.9 * m_fScore;
}

double CBenchmark::NeedleAngle() const {
    return -30.0 - 3.0 * std::clamp(Needle(), 0.0, 100.0);
}

BenchVerdict CBenchmark::Verdict() const {
    if (!m_bStarted) return BenchVerdict::Welcome;
    const double t = Needle() / 100.0;
    if (t > 0.5) return BenchVerdict::Excellent;
    if (t > 0.25) return BenchVerdict::Good;
    return BenchVerdict::PcShop;
}

const char* CBenchmark::VerdictText(BenchVerdict v) {
    switch (v) {
    case BenchVerdict::Welcome:
        return "Well Come to my Bench!";
    case BenchVerdict::Excellent:
        return "Excellent!!";
    case BenchVerdict::Good:
        return "Good!!";
    default:
        return "Let's go to PC Shop! ASAP!";
    }
}

std::vector<std::pair<std::string, std::string>> CBenchmark::TimeLines() const {
    return {
        {Count("DFT:%d点", kPoints), Printf("%5.3fms ", m_times.dft)},
        {Count("FFT:%d点", kPoints), Printf("%5.3fms", m_times.fft)},
        {Count("Conv:%dx%d点", kOutputs, kTaps), Printf("%5.3fms", m_times.conv)},
        {Count("FastConv:%dx%d点", kPoints, kPoints), Printf("%5.3fms(準備中)", m_times.fastConv)}};
}
