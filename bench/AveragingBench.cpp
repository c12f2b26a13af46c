// The transfer-function averaging pass of the file analyses over a 10-minute 48 kHz stereo
// wave at N = 8192 (3515 records), through the same document operations as the menu and the CLI.
#include "document/CKymoDoc.h"
#include "document/FileAnalysis.h"
#include "document/ScriptedUi.h"
#include "dsp/WindowKinds.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

void PutLe(std::vector<std::uint8_t>& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A canonical 44-byte-header stereo 16-bit WAV: noise on ch1, ch1 through a short FIR on ch2.
std::vector<std::uint8_t> StereoWav(int rate, int frames) {
    std::vector<std::uint8_t> b;
    const std::uint32_t data = static_cast<std::uint32_t>(frames) * 4;
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    PutLe(b, 36 + data, 4);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(b, 16, 4);
    PutLe(b, 1, 2);
    PutLe(b, 2, 2);
    PutLe(b, static_cast<std::uint32_t>(rate), 4);
    PutLe(b, static_cast<std::uint32_t>(rate) * 4, 4);
    PutLe(b, 4, 2);
    PutLe(b, 16, 2);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    PutLe(b, data, 4);
    std::uint32_t s = 12345;
    int prev = 0;
    for (int i = 0; i < frames; ++i) {
        s = s * 1664525u + 1013904223u;
        const int x = static_cast<int>(s >> 18) - 8192;
        const int y = (x + prev) / 2;
        prev = x;
        PutLe(b, static_cast<std::uint16_t>(x), 2);
        PutLe(b, static_cast<std::uint16_t>(y), 2);
    }
    return b;
}

void BM_TransferPass10MinN8192(benchmark::State& state) {
    const std::vector<std::uint8_t> wav = StereoWav(48000, 48000 * 600);
    CScriptedUi ui;
    auto doc = std::make_unique<CKymoDoc>(ui);
    if (!doc->LoadFromBytes(wav)) {
        state.SkipWithError("wave not loaded");
        return;
    }
    doc->OnSelectChannel(3);
    AnalysisSetup setup;
    setup.pow = 6; // 8192 points
    setup.windowType = wnd::Hanning;
    for (auto _ : state) {
        state.PauseTiming();
        doc->OnSetUpFileAnalysis(analysis::Transfer, setup);
        state.ResumeTiming();
        doc->RunAveragingPass(doc->AveragingMaxCount());
        benchmark::DoNotOptimize(doc->m_fRe.data());
    }
    state.counters["records"] = doc->AveragingMaxCount();
}

} // namespace

BENCHMARK(BM_TransferPass10MinN8192)->Unit(benchmark::kMillisecond);
