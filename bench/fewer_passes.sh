#!/usr/bin/env bash
# Frame rate of `--window` drawn layer by layer against `--fewer-passes`, side by side: a private
# Xvfb of the window's size, Mesa's llvmpipe, runs alternating one with the other, each sampled by
# Mesa's HUD (frames a second, dumped once a second). Prints each pair's medians and their ratio,
# then the medians over all pairs.
#   bench/fewer_passes.sh build/release/quillaby [WxH, default 1920x1080] [pairs, default 5] [seconds, default 14]
set -euo pipefail
program=$(readlink -f "$1")
size=${2:-1920x1080}
pairs=${3:-5}
seconds=${4:-14}
source "$(dirname "$0")/../tests/e2e/lib/common.sh"
e2e_init
start_xvfb "${size}x24"
export SDL_AUDIODRIVER=dummy

fps() { # median of the HUD's samples after the first four seconds
  local hud=$E2E_TMP/hud-$RANDOM
  mkdir -p "$hud"
  GALLIUM_HUD=fps GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR=$hud GALLIUM_HUD_VISIBLE=false \
    "$program" --window --size "$size" --no-sound --seed 3 "$@" >/dev/null 2>&1 &
  local pid=$!
  e2e_track $pid
  sleep "$seconds"
  kill $pid
  wait $pid 2>/dev/null || true
  tail -n +5 "$hud/fps" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'
}

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

echo "$size Xvfb, llvmpipe, $pairs pairs of ${seconds} s; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
layered=() fewer=()
for ((i = 1; i <= pairs; i++)); do
  a=$(fps)
  b=$(fps --fewer-passes)
  layered+=("$a") fewer+=("$b")
  printf 'layered %6s  fewer passes %6s  ratio %.2f\n' "$a" "$b" "$(echo "$b / $a" | bc -l)"
done
a=$(printf '%s\n' "${layered[@]}" | median)
b=$(printf '%s\n' "${fewer[@]}" | median)
printf 'medians: layered %s, fewer passes %s, ratio %.2f\n' "$a" "$b" "$(echo "$b / $a" | bc -l)"
