#!/usr/bin/env bash
# What a second monitor costs the full-screen saver: frames a second and CPU on Xorg's dummy server
# (Mesa llvmpipe) with one monitor of 1024 x 768, one of 1280 x 1024, both side by side showing the
# scene, and both with OtherMonitors=0 (the second one black). Each case runs `quillaby.scr /s` over
# the desktop's mode for the given seconds; the rate is the mean of Mesa's HUD samples (buffer swaps
# a second, divided by the windows that show the scene) and the CPU the process's user + system
# time, both over the run after the first 4 s, the CPU in cores. Once per repeat it also prints the
# rate both monitors would reach if a frame on both cost the sum of its time on each alone.
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

run() { # label, windows showing the scene, settings-file text
  printf '%s' "$3" >"$XDG_CONFIG_HOME/Harnwick Software/Quillaby.conf"
  local hud=$E2E_TMP/hud-$RANDOM
  mkdir -p "$hud"
  GALLIUM_HUD=fps GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR=$hud GALLIUM_HUD_VISIBLE=false "$scr" /s >/dev/null 2>&1 &
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
  fps=$(tail -n "$((seconds - 4))" "$hud/fps" | awk -v w="$2" '{s += $1; n++} END {if (n) printf "%.1f", s / n / w}')
  printf '%-34s %5s fps  %5.2f cores\n' "$1" "$fps" "$(echo "($after - $before) / $ticks / ($seconds - 4)" | bc -l)"
}

echo "Xorg dummy, llvmpipe, ${seconds} s a run; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
settings=$'DesktopOnly=1\nSound=0\nTheme=0\n'
for ((i = 1; i <= repeats; i++)); do
  xrandr --output DUMMY1 --off
  xrandr --output DUMMY0 --mode 1024x768
  run "one monitor 1024x768" 1 "$settings"
  small=$fps
  xrandr --output DUMMY0 --mode 1280x1024
  run "one monitor 1280x1024" 1 "$settings"
  large=$fps
  xrandr --output DUMMY0 --mode 1024x768
  xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0
  run "two monitors, scene on both" 2 "$settings"
  run "two monitors, OtherMonitors=0" 1 "${settings}OtherMonitors=0"$'\n'
  printf '%-34s %5.1f fps\n' "both at the sum of the two alone" "$(echo "1 / (1 / $small + 1 / $large)" | bc -l)"
done
