// The document FFT and the Dft beside FFTW (single precision, FFTW_MEASURE). Every
// iteration runs one forward and one inverse transform of the same size.
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "dsp/CpuDispatch.h"
#include "dsp/Dft.h"
#include "dsp/FftTables.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

std::vector<float> Noise(int n, unsigned seed) {
    std::vector<float> v(n);
    unsigned s = seed;
    for (float& x : v) {
        s = s * 1664525u + 1013904223u;
        x = static_cast<float>(s >> 8) / 16777216.0f - 0.5f;
    }
    return v;
}

void BM_DocumentFft(benchmark::State& state) {
    // Argument 1, when given, caps the kernels' instruction set (SimdLevel) for this run.
    if (state.range(1) >= 0) LimitSimdLevel(static_cast<SimdLevel>(state.range(1)));
    const int n = static_cast<int>(state.range(0));
    const int log2n = static_cast<int>(std::lround(std::log2(n)));
    CScriptedUi ui;
    auto doc = std::make_unique<CKymoDoc>(ui);
    MakeFftTables(n, doc->m_fSinTbl.data(), doc->m_fCosTbl.data());
    std::vector<float> re = Noise(n, 1), im = Noise(n, 2);
    for (auto _ : state) {
        doc->FftBitReverse(n, re.data(), im.data());
        doc->FftButterflies(log2n, 1, re.data(), im.data());
        doc->FftBitReverse(n, re.data(), im.data());
        doc->FftButterflies(log2n, 2, re.data(), im.data());
        benchmark::DoNotOptimize(re.data());
        benchmark::ClobberMemory();
    }
    LimitSimdLevel(SimdLevel::Avx512);
    state.SetItemsProcessed(2 * state.iterations());
}

// The reordering alone, forward and back.
void BM_DocumentBitReverse(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    CScriptedUi ui;
    auto doc = std::make_unique<CKymoDoc>(ui);
    std::vector<float> re = Noise(n, 1), im = Noise(n, 2);
    for (auto _ : state) {
        doc->FftBitReverse(n, re.data(), im.data());
        doc->FftBitReverse(n, re.data(), im.data());
        benchmark::DoNotOptimize(re.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(2 * state.iterations());
}

void BM_Dft(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Dft dft;
    DftPlan plan;
    if (dft.Init(plan, n, n) != 0) {
        state.SkipWithError("Dft::Init failed");
        return;
    }
    std::vector<float> re = Noise(n, 1), im = Noise(n, 2);
    for (auto _ : state) {
        dft.Transform(plan, 0, re.data(), im.data());
        dft.Transform(plan, 1, re.data(), im.data());
        benchmark::DoNotOptimize(re.data());
        benchmark::ClobberMemory();
    }
    dft.Free(plan);
    state.SetItemsProcessed(2 * state.iterations());
}

void BM_Fftw(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto* in = fftwf_alloc_complex(n);
    auto* mid = fftwf_alloc_complex(n);
    auto* out = fftwf_alloc_complex(n);
    fftwf_plan forward = fftwf_plan_dft_1d(n, in, mid, FFTW_FORWARD, FFTW_MEASURE);
    fftwf_plan backward = fftwf_plan_dft_1d(n, mid, out, FFTW_BACKWARD, FFTW_MEASURE);
    const std::vector<float> re = Noise(n, 1), im = Noise(n, 2);
    for (int i = 0; i < n; ++i) {
        in[i][0] = re[i];
        in[i][1] = im[i];
    }
    for (auto _ : state) {
        fftwf_execute(forward);
        fftwf_execute(backward);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(2 * state.iterations());
    fftwf_destroy_plan(forward);
    fftwf_destroy_plan(backward);
    fftwf_free(in);
    fftwf_free(mid);
    fftwf_free(out);
}

} // namespace

// Second argument: -1 the widest build the processor has, 1 the AVX2 build at most.
BENCHMARK(BM_DocumentFft)->ArgsProduct({{1024, 8192, 32768}, {-1, 1}});
BENCHMARK(BM_DocumentBitReverse)->Arg(1024)->Arg(8192)->Arg(32768);
// 1000, 44100, 48000 and 96000 take the mixed-radix path of Dft; 10007 (a prime) the chirp
// convolution.
BENCHMARK(BM_Fftw)
    ->Arg(1024)
    ->Arg(8192)
    ->Arg(32768)
    ->Arg(1000)
    ->Arg(44100)
    ->Arg(48000)
    ->Arg(96000)
    ->Arg(10007);
BENCHMARK(BM_Dft)->Arg(1000)->Arg(44100)->Arg(48000)->Arg(96000)->Arg(10007);
