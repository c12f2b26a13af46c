#!/usr/bin/env bash
# Builds the core, the CLI, their tests and the fuzz targets with clang under AddressSanitizer
# and UndefinedBehaviorSanitizer (no recovery: the first finding fails the run) in their own
# build folder, runs those tests, then runs every fuzz target from its seed corpus.
#   FUZZ_SECONDS  seconds per fuzz target (default 60; 0 skips fuzzing)
#   BUILD_DIR     build folder (default build-sanitize)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --sanitize
BUILD_DIR=${BUILD_DIR:-build-sanitize}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    launcher=()
    if command -v ccache >/dev/null 2>&1; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    fi
    CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DSONALYX_FUZZ=ON -DCMAKE_C_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS="$FLAGS" \
        -DCMAKE_EXE_LINKER_FLAGS="$FLAGS" "${launcher[@]}"
fi
cmake --build "$BUILD_DIR" -j "$(nproc)" --target core_tests cli_tests sonalyx-cli fuzz_targets

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
if command -v llvm-symbolizer-14 >/dev/null; then
    export ASAN_SYMBOLIZER_PATH=$(command -v llvm-symbolizer-14)
fi
export QT_QPA_PLATFORM=offscreen
BIN=$BUILD_DIR/bin
# Libraries the Qt-based CLI loads leak at start-up; full stacks let the suppressions see that.
LSAN_TESTS="suppressions=$PWD/scripts/lsan.supp:fast_unwind_on_malloc=0:print_suppressions=0"
for t in core_tests cli_tests; do
    echo "== $t (sanitized)"
    LSAN_OPTIONS=$LSAN_TESTS "$BIN/$t" --gtest_brief=1
done

[ "$FUZZ_SECONDS" -gt 0 ] || exit 0
WORK=$BUILD_DIR/fuzz-work
rm -rf "$WORK/seeds"
"$BIN/fuzz_make_seeds" "$WORK/seeds"
for target in open_document coef_fir coef_iir audio_file tube_file; do
    corpus=$WORK/corpus/$target
    mkdir -p "$corpus" "$WORK/findings"
    echo "== fuzz_$target for $FUZZ_SECONDS s"
    log=$WORK/$target.log
    status=0
    "$BIN/fuzz_$target" -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 \
        -artifact_prefix="$WORK/findings/$target-" "$corpus" "$WORK/seeds/$target" \
        >"$log" 2>&1 || status=$?
    grep -E '^(#[0-9]+\s+DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
    grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1 || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "sanitize.sh: fuzz_$target found a fault (input in $WORK/findings)"
        exit 1
    fi
done
echo "sanitize.sh: all sanitized tests and fuzz runs passed"
