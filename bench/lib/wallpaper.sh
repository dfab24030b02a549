# Runs one wallpaper and measures it: `measure_wallpaper PROGRAM ARGUMENTS...` starts PROGRAM
# --wallpaper ARGUMENTS with the protocol log on, leaves out 5 s of start-up, then over `seconds` sets
#   WP_LOG          the protocol log, WP_FROM and WP_TO its lines of the measured time
#   WP_CPU, WP_SWAY the wallpaper's and sway's CPU use in clock ticks
#   WP_WALL         the measured wall time in seconds
# Needs `seconds`, tests/e2e/lib/common.sh (e2e_track, cpu_ticks) and sway.sh's E2E_SWAY_PID.
measure_wallpaper() { # program arguments...
  local program=$1 pid c0 s0 t0
  shift
  WP_LOG=$E2E_TMP/protocol.log
  WAYLAND_DEBUG=1 "$program" --wallpaper "$@" 2>"$WP_LOG" &
  pid=$!
  e2e_track $pid
  sleep 5
  WP_FROM=$(($(wc -l <"$WP_LOG") + 1))
  c0=$(cpu_ticks $pid)
  s0=$(cpu_ticks "$E2E_SWAY_PID")
  t0=$(date +%s.%N)
  sleep "$seconds"
  WP_TO=$(wc -l <"$WP_LOG")
  WP_CPU=$(($(cpu_ticks $pid) - c0))
  WP_SWAY=$(($(cpu_ticks "$E2E_SWAY_PID") - s0))
  WP_WALL=$(awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')
  kill $pid
  wait $pid 2>/dev/null || true
}
