// Per-buffer cost of the real-time filter tools' pipeline (work block, filter with its history
// or state, output stage) on the duration-sized engine, 16-bit stereo.
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "filters/CascadeDesign.h"
#include "realtime/RtFilterEngine.h"
#include "sound/devices/VirtualSoundCard.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

// The engine with its buffer handler open to the benchmark; opened on the virtual card so that
// its buffers exist, but fed directly.
class CBenchEngine : public CRtFilterEngine {
public:
    using CRtFilterEngine::CRtFilterEngine;
    using CRtFilterEngine::FillBuffers;
};

struct Rig {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    std::unique_ptr<CVirtualSoundCard> card;
    std::unique_ptr<CBenchEngine> engine;
    std::vector<std::uint8_t> in, out;
    int frames = 0;

    Rig(RtFilterKind kind, int rate, int bufferSize) {
        doc.m_nBufferSize = bufferSize;
        std::string error;
        card = CVirtualSoundCard::Create("", VirtualClock::Fast, error);
        engine = std::make_unique<CBenchEngine>(*card, doc, kind);
        engine->Start(rate);
        engine->SetMonitorCode(0);
        frames = static_cast<int>(engine->BufferBytes() / 4);
        in.assign(static_cast<std::size_t>(kRtMaxFirTaps + frames) * 4, 0);
        out.assign(static_cast<std::size_t>(frames) * 4, 0);
        for (std::size_t i = 0; i < in.size(); ++i)
            in[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
    }
    double Seconds() const { return static_cast<double>(frames) / engine->Format().samplesPerSec; }
    void RunBuffers(benchmark::State& state) {
        std::uint8_t* block = in.data() + static_cast<std::size_t>(kRtMaxFirTaps) * 4;
        int index = 0;
        for (auto _ : state) {
            engine->FillBuffers(index, block, out.data(), static_cast<std::uint32_t>(out.size()));
            index = (index + 1) % 8;
            benchmark::DoNotOptimize(out.data());
        }
        // 100 when a buffer takes half of its own duration (the tools' load meter).
        state.counters["load%"] =
            benchmark::Counter(Seconds() / 200.0, benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
        state.counters["buffer_ms"] = 1000.0 * Seconds();
    }
};

std::vector<double> Taps(int n) {
    std::vector<double> h(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) h[static_cast<std::size_t>(k)] = std::sin(0.01 * k) / n;
    return h;
}

// The real-time FIR at 4096 taps, 48 kHz stereo, small (15 ms) buffers.
void bench_rt_fir_4096_48k_small(benchmark::State& state) {
    Rig rig(RtFilterKind::Fir, 48000, 2);
    rig.engine->SetFirTaps(Taps(4096));
    rig.RunBuffers(state);
}
BENCHMARK(bench_rt_fir_4096_48k_small)->Unit(benchmark::kMillisecond);

// A 30-section cascade (order 60), 48 kHz stereo, small buffers.
void bench_rt_cascade_30_48k_small(benchmark::State& state) {
    Rig rig(RtFilterKind::Cascade, 48000, 2);
    BiquadTable ana, iir;
    CascadeButterworth(0, 60, 48000.0, 2000.0, 0.0, ana, iir);
    rig.engine->SetCascade(60, iir);
    rig.RunBuffers(state);
}
BENCHMARK(bench_rt_cascade_30_48k_small)->Unit(benchmark::kMicrosecond);

// At 96 kHz stereo for each buffer setting (0 large 50 ms, 1 medium 25 ms, 2 small 15 ms): the
// cost of 4096 taps and the largest tap count that keeps a 50 % margin (a buffer done in half its
// duration), by the linear cost in taps.
void bench_rt_fir_96k(benchmark::State& state) {
    const int taps = static_cast<int>(state.range(0));
    Rig rig(RtFilterKind::Fir, 96000, static_cast<int>(state.range(1)));
    rig.engine->SetFirTaps(Taps(taps));
    rig.RunBuffers(state);
    state.counters["max_taps@50%"] = benchmark::Counter(
        taps * rig.Seconds() / 2.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(bench_rt_fir_96k)
    ->Args({4096, 0})
    ->Args({4096, 1})
    ->Args({4096, 2})
    ->Unit(benchmark::kMillisecond);

} // namespace
