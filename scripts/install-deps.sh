#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the workbench need.
# Skips everything when all of them are present already.
set -euo pipefail

PACKAGES=(
    cmake g++ make ninja-build pkg-config
    qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev
    portaudio19-dev libasound2-dev
    pulseaudio pulseaudio-utils libasound2-plugins
    fonts-ipafont-mincho fonts-ipafont-gothic
    libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev
    xvfb xauth
)

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
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
