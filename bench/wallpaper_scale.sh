#!/usr/bin/env bash
# What --render-scale saves the wallpaper, and what the compositor pays for it: `quillaby --wallpaper
# --max-fps 0` on headless sway with one 1920x1080 output (60 Hz, software rendering: Mesa's llvmpipe
# for us, pixman for sway), at --render-scale 100 and 50 in turn, ROUNDS times each (default 2).
# Leaves out the first 5 s (the scene's start-up), then over the measured seconds prints the frames a
# second (our surface's commits in the protocol log), the CPU (user + system time from /proc over the
# wall time) of the wallpaper and of sway, each in CPU seconds a second and in CPU milliseconds a
# frame, and at the end the ratio of the wallpaper's CPU a frame at 50 to that at 100 (all rounds).
# A second program (a build that scales in its own process) adds its run at 50 to each round.
#   bench/wallpaper_scale.sh build/release/quillaby [seconds, default 15] [other program]
set -euo pipefail
program=$(readlink -f "$1")
seconds=${2:-15}
other=${3:+$(readlink -f "$3")}
rounds=${ROUNDS:-2}
here=$(dirname "$0")
source "$here/../tests/e2e/lib/common.sh"
source "$here/../tests/e2e/lib/sway.sh"
source "$here/lib/wallpaper.sh"
e2e_init
e2e_saver_files "$program" ''
[[ -z $other ]] || ln -s "$other" "$E2E_TMP/bin/other"
ticks=$(getconf CLK_TCK)
declare -A frames_sum cpu_sum

run() { # name, program, percent
  local name=$1
  measure_wallpaper "./bin/$2" --max-fps 0 --render-scale "$3"
  local frames
  frames=$(sed -n "${WP_FROM},${WP_TO}p" "$WP_LOG" | grep -c -- '-> wl_surface@[0-9]*\.commit' || true)
  frames_sum[$name]=$((${frames_sum[$name]:-0} + frames))
  cpu_sum[$name]=$((${cpu_sum[$name]:-0} + WP_CPU))
  awk -v n="$name" -v f="$frames" -v c="$WP_CPU" -v s="$WP_SWAY" -v k="$ticks" -v w="$WP_WALL" '
    BEGIN {
      f = f > 0 ? f : 1
      printf "%-22s %5.1f frames/s  ours %.2f CPU s/s %5.1f ms/frame  sway %.2f CPU s/s %5.1f ms/frame  both %5.1f ms/frame\n",
        n, f / w, c / k / w, 1000 * c / k / f, s / k / w, 1000 * s / k / f, 1000 * (c + s) / k / f
    }'
}

echo "headless sway, one 1920x1080 output, llvmpipe and pixman, ${seconds} s a run, $rounds rounds;" \
  "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
SWAY_OUTPUTS=1 SWAY_BACKGROUND=none start_sway 'output HEADLESS-1 resolution 1920x1080' ||
  { echo "headless sway does not start here" >&2; exit 1; }
for _ in $(seq "$rounds"); do
  run "100%" quillaby 100
  run "50%" quillaby 50
  [[ -z $other ]] || run "50%, scaled in-process" other 50
done
awk -v f100="${frames_sum[100%]}" -v c100="${cpu_sum[100%]}" -v f50="${frames_sum[50%]}" -v c50="${cpu_sum[50%]}" \
  'BEGIN { printf "the wallpaper'\''s CPU a frame at 50%%: %.2f of that at 100%%\n", (c50 / f50) / (c100 / f100) }'
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
