#!/usr/bin/env bash
# Headless demonstration: builds a short test recording, opens it through the document and
# prints what the document holds. Argument: the folder holding sonalyx-cli.
set -euo pipefail
BIN=${1:-build/bin}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
python3 - "$WORK/demo.wav" <<'PY'
import math, struct, sys
rate, frames = 48000, 48000
data = b''.join(struct.pack('<hh', int(8000*math.sin(2*math.pi*1000*i/rate)),
                            int(4000*math.sin(2*math.pi*3000*i/rate))) for i in range(frames))
hdr = b'RIFF' + struct.pack('<I', 36 + len(data)) + b'WAVEfmt ' + struct.pack('<IHHIIHH', 16, 1, 2, rate, rate*4, 4, 16)
open(sys.argv[1], 'wb').write(hdr + b'data' + struct.pack('<I', len(data)) + data)
PY
echo "== sonalyx-cli info demo.wav"
"$BIN/sonalyx-cli" info "$WORK/demo.wav"
echo "== sonalyx-cli design kaiser (low-pass 2 kHz, 60 dB), then filter demo.wav with it"
"$BIN/sonalyx-cli" design kaiser --shape lpf --atten 60 --transition 500 --fl 2000 --fs 48000 \
    -o "$WORK/lowpass.csv"
"$BIN/sonalyx-cli" filter "$WORK/demo.wav" --coef "$WORK/lowpass.csv" -o "$WORK/filtered.wav"
echo "== sonalyx-cli design cascade (elliptic low-pass 2 kHz, E24 op-amp stages), then filter"
"$BIN/sonalyx-cli" design cascade --type elliptic --shape lpf --order 6 --fl 2000 --ripple 0.5 \
    --stop 60 --fs 48000 --realize e24 --r 10 --c 0.01 -o "$WORK/cascade.csv"
"$BIN/sonalyx-cli" filter "$WORK/demo.wav" --coef "$WORK/cascade.csv" -o "$WORK/cascade.wav"
echo "== available commands"
"$BIN/sonalyx-cli" help
