#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the workbench need.
#   --sanitize  also what scripts/sanitize.sh needs (clang with its sanitizer and fuzzer runtimes)
# Skips everything when all of them are present already.
set -euo pipefail

PACKAGES=(
    cmake g++ make ninja-build pkg-config
    qt6-base-dev qt6-serialport-dev qt6-translations-l10n libgl-dev
    portaudio19-dev libasound2-dev
    pulseaudio pulseaudio-utils libasound2-plugins
    fonts-ipafont-mincho fonts-ipafont-gothic
    libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev
    python3
)
if [ "${1:-}" = --sanitize ]; then
    PACKAGES+=(clang libclang-rt-14-dev llvm-14)
fi

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "install-deps.sh: run as root or install sudo to install: ${missing[*]}" >&2
        exit 1
    fi
    SUDO=(sudo)
fi
"${SUDO[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
