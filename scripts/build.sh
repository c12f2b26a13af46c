#!/usr/bin/env bash
# Configures (once) and builds the project into build/ (Release with debug info).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    launcher=()
    # A compiler cache, when one is installed, makes fresh build folders cheap.
    if command -v ccache >/dev/null 2>&1; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
fi
# moc only rescans when a file it already knows changes: when the set of source files changed,
# make it run again so that a new Q_OBJECT class gets its meta-object code.
list=$(find src -name '*.h' -o -name '*.cpp' | sort | md5sum | cut -d' ' -f1)
if [ "$(cat "$BUILD_DIR/.source-list" 2>/dev/null)" != "$list" ]; then
    cmake -S . -B "$BUILD_DIR" >/dev/null
    rm -f "$BUILD_DIR"/*_autogen/timestamp
    echo "$list" > "$BUILD_DIR/.source-list"
fi
cmake --build "$BUILD_DIR" -j "$(nproc)" "$@"
