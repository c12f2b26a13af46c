#pragma once

#include <atomic>

// Run-time choice between the builds of a vector kernel. A kernel body is an always-inline
// function compiled into wrappers, one per instruction set (baseline, SONALYX_TARGET_AVX2_FMA and,
// for some kernels, SONALYX_TARGET_AVX512), and the exported entry point calls the widest one the
// processor has. GCC and Clang both accept this form.

// Instruction sets of the kernel builds, narrowest first.
enum class SimdLevel { Baseline = 0, Avx2Fma = 1, Avx512 = 2 };

// The widest build the kernels may choose; the processor's own limit applies as well. Lowering
// it makes every later call take a narrower build (tests run each build this way). Safe to call
// from any thread; a kernel already running keeps its build.
inline std::atomic<int>& SimdLevelCap() {
    static std::atomic<int> cap{static_cast<int>(SimdLevel::Avx512)};
    return cap;
}
inline void LimitSimdLevel(SimdLevel level) {
    SimdLevelCap().store(static_cast<int>(level), std::memory_order_relaxed);
}
inline bool SimdLevelAllowed(SimdLevel level) {
    return SimdLevelCap().load(std::memory_order_relaxed) >= static_cast<int>(level);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define SONALYX_AVX2_DISPATCH 1
#define SONALYX_TARGET_AVX2 __attribute__((target("avx2")))
#define SONALYX_TARGET_AVX2_FMA __attribute__((target("avx2,fma")))
#define SONALYX_TARGET_AVX512 __attribute__((target("avx2,fma,avx512f,avx512vl,avx512dq,avx512bw")))

inline bool CpuHasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

inline bool CpuHasAvx2Fma() {
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return has && SimdLevelAllowed(SimdLevel::Avx2Fma);
}

inline bool CpuHasAvx512() {
    static const bool has =
        __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") &&
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
        __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512bw");
    return has && SimdLevelAllowed(SimdLevel::Avx512);
}
#else
#define SONALYX_AVX2_DISPATCH 0
#endif
