#!/usr/bin/env bash
# What a second monitor costs the full-screen saver: frames a second and CPU on Xorg's dummy server
# (Mesa llvmpipe) with one monitor of 1024 x 768, one of 1280 x 1024, both side by side showing the
# scene, and both with OtherMonitors=0 (the second one black). Each case runs `quillaby.scr /s` over
# the desktop's mode for the given seconds; the rate is the close line's (the last whole second),
# the CPU the process's user + system time over the run after the first 4 s, in cores.
#   bench/monitors.sh build/release/quillaby [seconds, default 12] [repeats, default 2]
set -euo pipefail
program=$(readlink -f "$1")
seconds=${2:-12}
repeats=${3:-2}
source "$(dirname "$0")/../tests/e2e/lib/common.sh"
e2e_init
start_xdummy xorg-dummy-wide.conf || { echo "Xorg with the dummy driver cannot start here" >&2; exit 1; }
"$E2E_LIB_DIR/two-monitors" 1024x768 1280x1024
scr=$E2E_TMP/bin/quillaby.scr
mkdir -p "$E2E_TMP/bin" "$XDG_CONFIG_HOME/Harnwick Software"
ln -s "$program" "$scr"
ticks=$(getconf CLK_TCK)

cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }

run() { # label, settings-file text
  printf '%s' "$2" >"$XDG_CONFIG_HOME/Harnwick Software/Quillaby.conf"
  rm -f "$E2E_TMP/bin/quillaby.log"
  "$scr" /s --log >/dev/null 2>&1 &
  local pid=$!
  e2e_track $pid
  sleep 4
  local before
  before=$(cpu $pid)
  sleep $((seconds - 4))
  local after
  after=$(cpu $pid)
  xdotool key a
  wait $pid || true
  local fps
  fps=$(tr -d '\0\r' <"$E2E_TMP/bin/quillaby.log" | sed -n 's/^Full Screen mode: .*FPS:\([0-9]*\)$/\1/p')
  printf '%-34s %5s fps  %5.2f cores\n' "$1" "$fps" "$(echo "($after - $before) / $ticks / ($seconds - 4)" | bc -l)"
}

echo "Xorg dummy, llvmpipe, ${seconds} s a run; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
settings=$'DesktopOnly=1\nSound=0\nTheme=0\n'
for ((i = 1; i <= repeats; i++)); do
  xrandr --output DUMMY1 --off
  xrandr --output DUMMY0 --mode 1024x768
  run "one monitor 1024x768" "$settings"
  xrandr --output DUMMY0 --mode 1280x1024
  run "one monitor 1280x1024" "$settings"
  xrandr --output DUMMY0 --mode 1024x768
  xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0
  run "two monitors, scene on both" "$settings"
  run "two monitors, OtherMonitors=0" "${settings}OtherMonitors=0"$'\n'
done
