#!/usr/bin/env bash
# The long soak of the window job (not part of ./test.sh): 30 minutes at 320 x 240 under Xvfb while
# the theme and the counts change every 15 s, a glGetError check after every frame, RSS and open
# file descriptors sampled every 10 s. Passes when the resident memory drifts by less than 1 MB
# after the first minute, no GL error occurs and the descriptors do not grow.
#   scripts/soak.sh [MINUTES] [OUT_DIR]      (defaults: 30, build/soak)
# Writes OUT_DIR/soak.csv and OUT_DIR/soak.png (the RSS curve); builds the release preset first.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-30}
out=${2:-build/soak}
mkdir -p "$out"
out=$(cd "$out" && pwd)

cmake --preset release >/dev/null
cmake --build --preset release --target quillaby_soak >/dev/null

source tests/e2e/lib/common.sh
e2e_init
start_xvfb 640x480x24
nice -n 19 build/release/tools/soak/quillaby_soak --minutes "$minutes" --size 320x240 --csv "$out/soak.csv" &
soak=$!
e2e_track "$soak"
status=0
wait "$soak" || status=$?

python3 tools/soak/judge.py "$out/soak.csv" "$out/soak.png" || status=1
exit "$status"
