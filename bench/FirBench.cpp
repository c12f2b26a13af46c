// FirFilterPcm throughput: 16-bit stereo, both channels filtered.
#include "filters/PcmFilters.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using FirRoutine = void (*)(int, int, int, int, const double*, int, const std::uint8_t*,
                            std::uint8_t*);

void RunFir(benchmark::State& state, int taps, int rate, int seconds,
            FirRoutine routine = FirFilterPcm) {
    const int frames = rate * seconds;
    std::vector<std::uint8_t> src(static_cast<std::size_t>(frames) * 4 + 44), dst(src.size());
    for (std::size_t i = 44; i < src.size(); ++i)
        src[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
    std::vector<double> h(static_cast<std::size_t>(taps));
    for (int k = 0; k < taps; ++k) h[static_cast<std::size_t>(k)] = std::sin(0.01 * k) / taps;
    for (auto _ : state) {
        routine(chmode::Both, frames, pcm::Stereo16, taps, h.data(), 44, src.data(), dst.data());
        benchmark::DoNotOptimize(dst.data());
    }
    const double macs = 2.0 * (frames - taps) * static_cast<double>(taps);
    state.counters["MAC/s"] =
        benchmark::Counter(macs, benchmark::Counter::kIsIterationInvariantRate);
    // Taps that would still run in real time at 96 kHz stereo, at this rate of MACs.
    state.counters["taps@96k"] =
        benchmark::Counter(macs / (2.0 * 96000.0), benchmark::Counter::kIsIterationInvariantRate);
}

// 1024 taps over 10 s of 48 kHz audio.
void bench_fir(benchmark::State& state) {
    RunFir(state, 1024, 48000, 10);
}
BENCHMARK(bench_fir)->Unit(benchmark::kMillisecond);

// Tap counts around the real-time limit at 96 kHz stereo (1 s of audio).
void bench_fir_96k(benchmark::State& state) {
    RunFir(state, static_cast<int>(state.range(0)), 96000, 1);
}
BENCHMARK(bench_fir_96k)
    ->Arg(4096)
    ->Arg(8192)
    ->Arg(16384)
    ->Arg(65536)
    ->Unit(benchmark::kMillisecond);

// A 60-second 48 kHz stereo file, as the file filter and bench/peers.py run it.
void bench_fir_file60s(benchmark::State& state) {
    RunFir(state, static_cast<int>(state.range(0)), 48000, 60);
}
BENCHMARK(bench_fir_file60s)->Arg(1024)->Arg(3919)->Arg(4096)->Unit(benchmark::kMillisecond);

// The crossover of the FFT path: both routines on 2 s of 48 kHz stereo around it.
void bench_fir_crossover_fast(benchmark::State& state) {
    RunFir(state, static_cast<int>(state.range(0)), 48000, 2, FirFilterPcm);
}
void bench_fir_crossover_direct(benchmark::State& state) {
    RunFir(state, static_cast<int>(state.range(0)), 48000, 2, FirFilterPcmDirect);
}
BENCHMARK(bench_fir_crossover_fast)
    ->RangeMultiplier(2)
    ->Range(16, 256)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(bench_fir_crossover_direct)
    ->RangeMultiplier(2)
    ->Range(16, 256)
    ->Unit(benchmark::kMillisecond);

} // namespace
