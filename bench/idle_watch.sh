#!/usr/bin/env bash
# What the idle watcher costs while it waits: CPU seconds a second (user + system time from /proc over
# the wall time) and memory (resident: VmRSS at the end, VmHWM its peak; proportional: Pss, the
# shared libraries' pages divided among the processes that map them) of `quillaby --idle-watch`
# with an hour to wait, on each desktop it watches: an X server (Xvfb), headless sway (the
# compositor's idle protocol) and headless mutter (GNOME's idle monitor on its session bus), one after
# the other in one run.
#   bench/idle_watch.sh build/release/quillaby [seconds, default 30]
set -euo pipefail
program=$(readlink -f "$1")
seconds=${2:-30}
source "$(dirname "$0")/../tests/e2e/lib/common.sh"
source "$(dirname "$0")/../tests/e2e/lib/sway.sh"
source "$(dirname "$0")/../tests/e2e/lib/mutter.sh"
e2e_init
ticks=$(getconf CLK_TCK)

watch() { # name
  "$program" --idle-watch --idle-after 3600 >"$E2E_TMP/$1.log" 2>&1 &
  local pid=$! c0 c1 t0 t1
  e2e_track $pid
  sleep 2 # start-up left out
  kill -0 $pid 2>/dev/null || { echo "$1: the watcher ended: $(cat "$E2E_TMP/$1.log")" >&2; return 1; }
  read -r c0 < <(awk '{print $14 + $15}' "/proc/$pid/stat")
  t0=$(date +%s.%N)
  sleep "$seconds"
  read -r c1 < <(awk '{print $14 + $15}' "/proc/$pid/stat")
  t1=$(date +%s.%N)
  printf '%-6s %.4f CPU s/s  %4.1f MB resident (peak %.1f MB, proportional %.1f MB)  %s\n' "$1" \
    "$(echo "($c1 - $c0) / $ticks / ($t1 - $t0)" | bc -l)" \
    "$(awk '/^VmRSS/ {print $2 / 1024}' "/proc/$pid/status")" \
    "$(awk '/^VmHWM/ {print $2 / 1024}' "/proc/$pid/status")" \
    "$(awk '/^Pss:/ {print $2 / 1024}' "/proc/$pid/smaps_rollup")" \
    "$(sed -n 's/^quillaby: watching through \([^:]*\):.*/\1/p' "$E2E_TMP/$1.log")"
  kill $pid
  wait $pid 2>/dev/null || true
}

echo "${seconds} s each; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
start_xvfb 640x480x24
watch x11
kill "$E2E_X_PID"
unset DISPLAY
start_sway || { echo "headless sway does not start here" >&2; exit 1; }
watch sway
unset WAYLAND_DISPLAY
start_mutter || { echo "headless mutter does not start here" >&2; exit 1; }
export DBUS_SESSION_BUS_ADDRESS=unix:path=$MUTTER_DIR/bus
watch gnome
