#!/usr/bin/env bash
# Installs what is missing, builds and starts the workbench.
# Without a display it says so and runs a headless demo with sonalyx-cli.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
BIN=${BUILD_DIR:-build}/bin
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ "${QT_QPA_PLATFORM:-}" = offscreen ]; then
    exec "$BIN/sonalyx" "$@"
fi
echo "No display found (DISPLAY is not set): running the headless demo with sonalyx-cli instead."
exec scripts/demo.sh "$BIN"
