#!/usr/bin/env bash
# Two monitors side by side (Xorg's dummy driver): the saver covers both with a moving picture of
# each one's own size; a stored 640 x 480 switches the primary monitor alone, and both come back to
# their modes and places after a mouse move, a key and SIGKILL; a move from one monitor's window
# into the other's counts from the same anchor; no window is left. With OtherMonitors=0 the second
# monitor is black; a monitor switched off during the run loses its window, one lit gets one (and a
# click there ends the run), and the primary's window follows a mode another program sets. The
# dialog's "Preview..." covers both too, and a key brings the dialog back without them.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xdummy xorg-dummy-wide.conf || skip "Xorg with the dummy driver cannot start here"
"$E2E_LIB_DIR/two-monitors" 1024x768 1280x1024
scr=$E2E_TMP/quillaby.scr
ln -s "$program" "$scr"
conf="$XDG_CONFIG_HOME/Harnwick Software/Quillaby.conf"
mkdir -p "$(dirname "$conf")"
xsetroot -solid '#ff00ff' # the desktop, easy to spot

layout() { xrandr | grep -o '^DUMMY[01] connected.*[0-9]x[0-9]*+[0-9]*+[0-9]*' | sed 's/ connected\( primary\)\?//'; }
desktop=$(layout)
[[ $desktop == $'DUMMY0 1024x768+0+0\nDUMMY1 1280x1024+1024+0' ]] || fail "unexpected layout: $desktop"
windows() { xdotool search --onlyvisible --name '^Quillaby$' 2>/dev/null || true; }
geometries() {
  local w
  for w in $(windows); do
    xwininfo -id "$w" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
      /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}'
  done | sort
}

start() { # expected window geometries, sorted
  "$scr" /s >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  pid=$!
  e2e_track $pid
  for _ in $(seq 300); do [[ $(geometries) == "$1" ]] && break; sleep 0.1; done
  [[ $(geometries) == "$1" ]] || fail "windows $(geometries | tr '\n' ' '), not $(tr '\n' ' ' <<<"$1"): $(cat "$E2E_TMP/err")"
  sleep 1 # the first frames
}
ended() { # how
  for _ in $(seq 300); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  ! kill -0 $pid 2>/dev/null || fail "$1 did not end the run"
  local rc=0
  wait $pid || rc=$?
  [[ $rc == 0 || $1 == SIGKILL ]] || fail "$1: exit status $rc: $(cat "$E2E_TMP/err")"
  for _ in $(seq 300); do [[ $(layout) == "$desktop" ]] && break; sleep 0.1; done
  [[ $(layout) == "$desktop" ]] || fail "$1 left the monitors at $(layout | tr '\n' ' ')"
  [[ -z $(windows) ]] || fail "$1 left a window behind"
}
# Pixels of the desktop's colour in a rectangle of a screenshot; how many differ between two.
desktop_pixels() { convert "$1" -crop "$2" +repage -fill white -opaque '#ff00ff' -fill black +opaque white -format '%[fx:int(mean*w*h)]' info:; }
changed_pixels() {
  convert "$1" -crop "$3" +repage "$E2E_TMP/crop1.png"
  convert "$2" -crop "$3" +repage "$E2E_TMP/crop2.png"
  compare -metric AE "$E2E_TMP/crop1.png" "$E2E_TMP/crop2.png" null: 2>&1 | awk '{printf "%d", $1}' || true
}

printf 'ColorDepth=32\nWidth=640\nHeight=480\nSound=0\n' >"$conf"
both=$'1280x1024+1024+0\n640x480+0+0'
start "$both"
[[ $(layout) == $'DUMMY0 640x480+0+0\nDUMMY1 1280x1024+1024+0' ]] || fail "switched: $(layout | tr '\n' ' ')"
# The first frame can take seconds on a loaded machine: wait until the desktop is gone everywhere.
for _ in $(seq 60); do
  import -window root "$E2E_TMP/a.png"
  [[ $(desktop_pixels "$E2E_TMP/a.png" 640x480+0+0) == 0 && $(desktop_pixels "$E2E_TMP/a.png" 1280x1024+1024+0) == 0 ]] && break
  sleep 0.5
done
sleep 0.5
import -window root "$E2E_TMP/b.png"
for area in 640x480+0+0 1280x1024+1024+0; do
  [[ $(desktop_pixels "$E2E_TMP/a.png" $area) == 0 ]] || fail "the desktop shows on $area"
  n=$(changed_pixels "$E2E_TMP/a.png" "$E2E_TMP/b.png" $area)
  ((n > 1000)) || fail "the picture on $area does not move ($n pixels changed)"
done
# Five moves ignored, the sixth the anchor; then into the other monitor's window: the same window
# pixel there, yet 1024 and 100 desktop pixels away.
for xy in "300 300" "301 300" "300 301" "301 301" "300 300" "301 300"; do xdotool mousemove $xy; sleep 0.1; done
sleep 0.3
kill -0 $pid || fail "small moves ended the run"
xdotool mousemove 1325 400
ended "a move into the other monitor"

start "$both"
xdotool key a
ended "a key"

start "$both"
kill -KILL $pid
ended SIGKILL

printf 'DesktopOnly=1\nOtherMonitors=0\nSound=0\n' >"$conf"
start $'1024x768+0+0\n1280x1024+1024+0'
for _ in $(seq 60); do
  import -window root "$E2E_TMP/c.png"
  [[ $(desktop_pixels "$E2E_TMP/c.png" 1024x768+0+0) == 0 ]] && break
  sleep 0.5
done
black=$(convert "$E2E_TMP/c.png" -crop 1280x1024+1024+0 +repage -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)
[[ $black == 0 ]] || fail "OtherMonitors=0 does not leave the second monitor black"
[[ $(desktop_pixels "$E2E_TMP/c.png" 1024x768+0+0) == 0 ]] || fail "the desktop shows on the primary monitor"
xrandr --output DUMMY1 --off
for _ in $(seq 100); do [[ $(geometries) == 1024x768+0+0 ]] && break; sleep 0.1; done
[[ $(geometries) == 1024x768+0+0 ]] || fail "after unplugging: $(geometries | tr '\n' ' ')"
xrandr --output DUMMY0 --mode 1280x1024 # another program's mode on the primary monitor
for _ in $(seq 100); do
  [[ $(geometries) == 1280x1024+0+0 ]] && import -window root "$E2E_TMP/d.png" &&
    [[ $(desktop_pixels "$E2E_TMP/d.png" 256x1024+1024+0) == 0 ]] && break
  sleep 0.1
done
[[ $(geometries) == 1280x1024+0+0 ]] || fail "the primary's new mode: $(geometries | tr '\n' ' ')"
[[ $(desktop_pixels "$E2E_TMP/d.png" 256x1024+1024+0) == 0 ]] || fail "the desktop shows beside the old size"
xrandr --output DUMMY0 --mode 1024x768
xrandr --output DUMMY1 --mode 1280x1024 --right-of DUMMY0
for _ in $(seq 100); do [[ $(geometries) == $'1024x768+0+0\n1280x1024+1024+0' ]] && break; sleep 0.1; done
[[ $(geometries) == $'1024x768+0+0\n1280x1024+1024+0' ]] || fail "after plugging in: $(geometries | tr '\n' ' ')"
kill -0 $pid || fail "the monitors' changes ended the run: $(cat "$E2E_TMP/err")"
xdotool mousemove 1600 500 click 1 # on the window made for the monitor lit again
ended "a click after the monitors changed"

printf 'DesktopOnly=1\nSound=0\n' >"$conf"
"$program" >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
pid=$!
e2e_track $pid
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillaby Screen Saver' | head -n1) ||
  fail "no dialog: $(cat "$E2E_TMP/err")"
sleep 1
xdotool mousemove --window "$dialog" 45 340 sleep 0.2 click 1 # "Preview..."
for _ in $(seq 300); do [[ $(geometries) == $'1024x768+0+0\n1280x1024+1024+0' ]] && break; sleep 0.1; done
[[ $(geometries) == $'1024x768+0+0\n1280x1024+1024+0' ]] || fail "Preview... covers $(geometries | tr '\n' ' ')"
xdotool key space
for _ in $(seq 50); do [[ -z $(windows) ]] && break; sleep 0.1; done
[[ -z $(windows) ]] || fail "a key left a window of the preview"
kill -0 $pid || fail "the program ended with the preview"
# The dialog takes keys once its panel runs again (its caption counts frames again).
xdotool set_window --name waiting "$dialog"
wait_live_dialog "$dialog"
xdotool key Escape
ended "Esc in the dialog"
echo ok
