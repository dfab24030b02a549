#!/usr/bin/env bash
# What the wallpaper costs: `quillaby --wallpaper` on headless sway's two outputs (800x600 and
# 640x480 at 60 Hz, no background program of sway's own), drawn by Mesa's llvmpipe with the
# first-run settings, at its default cap (30 frames a second) and uncapped (--max-fps 0), then the
# same at --render-scale 50 (frames cheap enough for the cap to bind on a loaded machine). Leaves out
# the first 5 s (the scene's start-up), then over the measured seconds prints the frames a second of
# each surface (its commits in the protocol log) and the CPU use of the wallpaper and of sway (user +
# system time from /proc over the wall time, CPU seconds a second): at a render scale below 100 sway
# scales the wallpaper's smaller buffers, in software here.
#   bench/wallpaper.sh build/release/quillaby [seconds, default 15]
set -euo pipefail
program=$(readlink -f "$1")
seconds=${2:-15}
here=$(dirname "$0")
source "$here/../tests/e2e/lib/common.sh"
source "$here/../tests/e2e/lib/sway.sh"
source "$here/lib/wallpaper.sh"
e2e_init
e2e_saver_files "$program" ''
ticks=$(getconf CLK_TCK)

run() { # name, arguments...
  local name=$1 wall
  shift
  measure_wallpaper ./bin/quillaby "$@"
  wall=$WP_WALL
  printf '%-13s %s CPU s/s (sway %s), frames/s per surface:' "$name" \
    "$(awk -v c="$WP_CPU" -v t="$ticks" -v w="$wall" 'BEGIN { printf "%.2f", c / t / w }')" \
    "$(awk -v c="$WP_SWAY" -v t="$ticks" -v w="$wall" 'BEGIN { printf "%.2f", c / t / w }')"
  sed -n "${WP_FROM},${WP_TO}p" "$WP_LOG" | grep -o -- '-> wl_surface@[0-9]*\.commit' | sort | uniq -c |
    awk -v w="$wall" '{ printf " %.1f", $1 / w }'
  echo
}

echo "headless sway 800x600 + 640x480, llvmpipe, ${seconds} s each; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
SWAY_BACKGROUND=none start_sway || { echo "headless sway does not start here" >&2; exit 1; }
run "default"
run "uncapped" --max-fps 0
run "50%" --render-scale 50
run "50% uncapped" --render-scale 50 --max-fps 0
