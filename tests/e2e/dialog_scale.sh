#!/usr/bin/env bash
# The settings dialog on a high-density monitor (Xorg's dummy driver, whose output sizes can be set
# in millimetres): 511 x 363 at 96 dpi; twice that at 192 dpi, whether the monitor's millimetres or
# the desktop's Xft.dpi say so; QUILLABY_SCALE overrides both, an unreadable value is reported and
# passed over; and a click lands on the control drawn under the pointer at the doubled size.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
program=$1
e2e_init
unset GDK_SCALE QUILLABY_SCALE
start_xdummy || skip "Xorg with the dummy driver cannot start here"
output=$(xrandr | awk '/ connected/ {print $1; exit}')
[[ -n $output ]] || fail "the dummy server shows no output: $(xrandr 2>&1)"
app_pid=

millimetres() { # width height: the output's size; 1024 x 768 pixels at 271 x 203 mm is 96 dpi
  xrandr --output "$output" --set WIDTH_MM "$1" --set HEIGHT_MM "$2" || skip "the output's size cannot be set"
  xrandr >/dev/null # the server hands out the new size only after a plain query refreshed its outputs
}

# Starts the dialog (extra environment as arguments) and sets `window` and `size` ("WxH").
start_dialog() {
  env "$@" "$program" >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  app_pid=$!
  e2e_track "$app_pid"
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillaby Screen Saver' | head -n1) ||
    fail "no dialog appeared: $(cat "$E2E_TMP/err")"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  size=${WIDTH}x$HEIGHT
}

stop_dialog() {
  kill "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
}

expect_size() { # WxH what
  start_dialog "${@:3}"
  [[ $size == "$1" ]] || fail "$2: the dialog is $size, not $1"
  stop_dialog
}

millimetres 271 203
expect_size 511x363 "at 96 dpi"
millimetres 135 101
expect_size 1022x726 "at 192 dpi from the monitor's millimetres"
expect_size 511x363 "with QUILLABY_SCALE=1" QUILLABY_SCALE=1
millimetres 271 203
echo "Xft.dpi: 192" | xrdb -nocpp -merge
expect_size 1022x726 "at Xft.dpi 192"
expect_size 1022x726 "with an unreadable QUILLABY_SCALE" QUILLABY_SCALE=big
grep -q 'QUILLABY_SCALE="big" is not a whole number' "$E2E_TMP/err" ||
  fail "the unreadable override was not reported: $(cat "$E2E_TMP/err")"

# At twice the size "Cancel" (428, 328, 75 x 25 designed) is under (930, 680) and closes the dialog.
start_dialog
sleep 1
xdotool mousemove --window "$window" 930 680 sleep 0.2 click 1
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "a click on Cancel at twice the size did not close the dialog"
rc=0
wait "$app_pid" || rc=$?
[[ $rc == 0 ]] || fail "Cancel ended the program with exit code $rc: $(cat "$E2E_TMP/err")"
echo "PASS"
