#include "filters/RemezDesign.h"

#include <benchmark/benchmark.h>

#include <vector>

// Low-pass designs of the sizes the real-time tools and file filtering use, with a transition
// width that keeps the ripple well above the rounding of doubles (about 90 dB).
static void BM_RemezLowPass(benchmark::State& state) {
    const int taps = static_cast<int>(state.range(0));
    const double transition = 72.0 / (14.6 * taps);
    const double edges[] = {0.0, 0.18, 0.18 + transition, 0.5};
    const double desired[] = {1.0, 0.0};
    const double weights[] = {1.0, 8.0};
    std::vector<double> h(taps);
    for (auto _ : state) {
        const int ok =
            RemezDesign(taps, 2, edges, desired, weights, kRemezMultiBand, 1.0, h.data());
        if (ok != 1) state.SkipWithError("design did not converge");
        benchmark::DoNotOptimize(h.data());
    }
}
BENCHMARK(BM_RemezLowPass)->Arg(255)->Arg(1023)->Unit(benchmark::kMillisecond);
