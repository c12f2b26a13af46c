#pragma once

// Run-time choice between the AVX2 and the baseline build of a vector kernel. A kernel body is
// an always-inline function compiled into two wrappers, one marked SONALYX_TARGET_AVX2 (or
// SONALYX_TARGET_AVX2_FMA), and the exported entry point calls the first when the processor
// has the instructions. GCC and Clang both accept this form.
#if defined(__x86_64__) && defined(__GNUC__)
#define SONALYX_AVX2_DISPATCH 1
#define SONALYX_TARGET_AVX2 __attribute__((target("avx2")))
#define SONALYX_TARGET_AVX2_FMA __attribute__((target("avx2,fma")))

inline bool CpuHasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

inline bool CpuHasAvx2Fma() {
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return has;
}
#else
#define SONALYX_AVX2_DISPATCH 0
#endif
