// Cascade IIR designs are recomputed on every slider move of the real-time cascade tool; these
// measure one coefficient step (design and, where named, the E24 realization).
#include "document/ScriptedUi.h"
#include "filters/CascadeIirDesign.h"

#include <benchmark/benchmark.h>

namespace {

void DesignStep(benchmark::State& state, int kind, int shapeCode, int order, bool realize) {
    CascadeParams p;
    p.kind = kind;
    p.shape = shapeCode;
    p.order = order;
    CascadeIirDesign design;
    CScriptedUi ui;
    for (auto _ : state) {
        benchmark::DoNotOptimize(design.ComputeCoefficients(p, realize, kSeriesE24, ui));
        benchmark::DoNotOptimize(design.Iir().a1[0]);
    }
}

void BM_CascadeChebyshevLowPass60(benchmark::State& s) {
    DesignStep(s, kCascadeChebyshev, shape::LowPass, 60, false);
}
void BM_CascadeEllipticBandPass12(benchmark::State& s) {
    DesignStep(s, kCascadeElliptic, shape::BandPass, 12, false);
}
void BM_CascadeEllipticBandPass12E24(benchmark::State& s) {
    DesignStep(s, kCascadeElliptic, shape::BandPass, 12, true);
}
BENCHMARK(BM_CascadeChebyshevLowPass60);
BENCHMARK(BM_CascadeEllipticBandPass12);
BENCHMARK(BM_CascadeEllipticBandPass12E24);

} // namespace
