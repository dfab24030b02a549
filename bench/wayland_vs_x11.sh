#!/usr/bin/env bash
# The saver's frame rate per output on Wayland (headless sway, one 800x600 output, then 800x600 and
# 640x480 together) beside the X11 saver on an 800x600 Xvfb, all on Mesa's llvmpipe. Wayland frames
# are counted per surface from the protocol log (commits after the first four seconds); X11 frames
# from Mesa's HUD (median of its once-a-second samples after the first four).
# X11 also with two monitors of the same sizes on Xorg's dummy driver; and on a compositor with no
# layer shell (headless mutter, 800x600 and 640x480 monitors: SDL's full-screen windows).
#   bench/wayland_vs_x11.sh build/release/quillaby [seconds, default 14]
set -euo pipefail
program=$(readlink -f "$1")
seconds=${2:-14}
here=$(dirname "$0")
source "$here/../tests/e2e/lib/common.sh"
source "$here/../tests/e2e/lib/sway.sh"
source "$here/../tests/e2e/lib/mutter.sh"
e2e_init
e2e_saver_files "$program" 'Sound=0'

# Frames a second of each surface that committed, after the first four seconds of the log.
commit_rates() {
  awk -v skip=4000 -v seconds="$((seconds - 4))" '
    # libwayland pads the stamp: "[ 878570.505]  -> wl_surface@10.commit()".
    match($0, /^\[ *[0-9.]+\]  -> wl_surface@[0-9]+\.commit\(\)/) {
      t = substr($0, 2, index($0, "]") - 2) + 0; if (!start) start = t
      if (t - start >= skip) n[$NF]++
    }
    END { for (s in n) printf "%s %.1f\n", s, n[s] / seconds }' "$1" | sort
}

wayland_run() { # label
  WAYLAND_DEBUG=1 ./bin/quillaby.scr /s 2>"$E2E_TMP/protocol.log" &
  local pid=$!
  e2e_track $pid
  sleep "$seconds"
  kill $pid
  wait $pid 2>/dev/null || true
  # Our own surfaces only: the dialog's SDL connection draws nothing here.
  commit_rates "$E2E_TMP/protocol.log" | while read -r surface fps; do
    printf 'wayland %-26s %-20s %6s fps\n' "$1" "${surface%%.commit*}" "$fps"
  done
}

echo "llvmpipe, ${seconds} s per run; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
SWAY_OUTPUTS=1 start_sway || { echo "headless sway does not start here" >&2; exit 1; }
wayland_run "one output 800x600"
kill "$E2E_SWAY_PID"
wait "$E2E_SWAY_PID" 2>/dev/null || true
start_sway || { echo "headless sway does not start again: $(tail -3 "$E2E_TMP/sway.log")" >&2; exit 1; }
wayland_run "800x600 + 640x480"

# The X11 saver's frames a second from Mesa's HUD, the median of its once-a-second samples after the
# first four. One context draws every monitor's window and the HUD counts each window's swap: the
# count is divided by the windows.
x11_run() { # label windows
  local hud=$E2E_TMP/hud-$2
  mkdir -p "$hud"
  QUILLABY_VIDEO=x11 GALLIUM_HUD=fps GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR=$hud GALLIUM_HUD_VISIBLE=false \
    ./bin/quillaby.scr /s >/dev/null 2>&1 &
  local pid=$!
  e2e_track $pid
  sleep "$seconds"
  kill $pid
  wait $pid 2>/dev/null || true
  printf 'x11     %-26s %-20s %6s fps\n' "$1" "each window" \
    "$(tail -n +5 "$hud/fps" | sort -n | awk -v w="$2" '{a[NR] = $1} END {printf "%.1f", a[int((NR + 1) / 2)] / w}')"
}

start_xvfb 800x600x24
x11_run "one screen 800x600" 1
# Two monitors as Wayland's two outputs: Xorg's dummy driver (skipped where it cannot start).
if start_xdummy xorg-dummy-wide.conf 2>/dev/null; then
  "$E2E_LIB_DIR/two-monitors" 800x600 640x480
  x11_run "800x600 + 640x480" 2
fi

# A compositor with no layer shell: SDL's own full-screen windows, one per monitor.
if start_mutter 2>/dev/null; then
  wayland_run "mutter 800x600 + 640x480"
fi
