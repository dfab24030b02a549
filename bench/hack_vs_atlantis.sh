#!/usr/bin/env bash
# Frame rate and CPU use of `quillaby -root` (hack mode) at its default delay beside XScreenSaver's
# atlantis at its default delay, and of the full-screen saver (`/s`, uncapped) and `--window` at the
# screen's size: each alone on a 1920x1080 Xvfb, drawn by Mesa's llvmpipe, one after the other in
# one run. The frame rate comes from Mesa's HUD (frames a second, dumped once a
# second); CPU use is the process's user + system time over the wall time, in CPU seconds a second.
#   bench/hack_vs_atlantis.sh build/release/quillaby [seconds, default 20]
set -euo pipefail
program=$(readlink -f "$1")
seconds=${2:-20}
atlantis=/usr/libexec/xscreensaver/atlantis
[[ -x $atlantis ]] || { echo "needs $atlantis (Debian's xscreensaver-gl-extra)" >&2; exit 1; }
source "$(dirname "$0")/../tests/e2e/lib/common.sh"
e2e_init
start_xvfb 1920x1080x24
ticks=$(getconf CLK_TCK)

source "$(dirname "$0")/lib/measure.sh"

echo "1920x1080 Xvfb, llvmpipe, ${seconds} s each; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
export SDL_AUDIODRIVER=dummy
ln -s "$program" "$E2E_TMP/quillaby.scr"
measure hack "$program" -root
measure atlantis "$atlantis" -root
measure saver "$E2E_TMP/quillaby.scr" /s
measure window "$program" --window --size 1920x1080 --no-sound
