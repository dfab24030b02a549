# Measures one program alone: `measure NAME COMMAND...` starts it under Mesa's HUD, leaves out 3 s of
# start-up, then prints its frame rate (the HUD's once-a-second samples over the measured seconds),
# CPU seconds a second (user + system time from /proc over the wall time) and CPU milliseconds a
# frame. Needs `seconds`, `ticks` (getconf CLK_TCK) and tests/e2e/lib/common.sh's E2E_TMP and e2e_track.
measure() { # name command...
  local name=$1 hud=$E2E_TMP/hud-$1
  shift
  mkdir -p "$hud"
  GALLIUM_HUD=fps GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR=$hud GALLIUM_HUD_VISIBLE=false "$@" >/dev/null 2>&1 &
  local pid=$!
  e2e_track $pid
  sleep 3 # start-up left out
  local t0 c0 t1 c1
  read -r c0 < <(awk '{print $14 + $15}' "/proc/$pid/stat")
  t0=$(date +%s.%N)
  sleep "$seconds"
  read -r c1 < <(awk '{print $14 + $15}' "/proc/$pid/stat")
  t1=$(date +%s.%N)
  kill $pid
  wait $pid 2>/dev/null || true
  # The HUD's samples from the measured seconds only: skip the start-up ones.
  local fps cpu
  fps=$({ tail -n "$seconds" "$hud/fps" 2>/dev/null || true; } | awk '{s += $1; n++} END {if (n) printf "%.1f", s / n; else print 0}')
  cpu=$(echo "($c1 - $c0) / $ticks / ($t1 - $t0)" | bc -l)
  printf '%-18s %6s frames/s  %5.2f CPU s/s  %6.1f CPU ms/frame\n' "$name" "$fps" "$cpu" \
    "$(echo "if ($fps > 0) 1000 * $cpu / $fps else 0" | bc -l)"
}
