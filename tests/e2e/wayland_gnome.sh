#!/usr/bin/env bash
# The saver on a Wayland compositor with no layer shell (GNOME's mutter, headless, two virtual
# monitors of different sizes): /s covers each monitor whole with a full-screen SDL window showing
# the moving scene, and a typed key ends it with 0; so does a moved pointer. While GNOME has the
# monitors powered down it draws nothing. The settings dialog's "Preview..." covers both monitors
# the same way and a key brings the dialog back. --wallpaper, which needs a layer shell, refuses
# with 2.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
. "$(dirname "$0")/lib/sway.sh"
. "$(dirname "$0")/lib/mutter.sh"
program=$1
e2e_init
start_mutter || skip "headless mutter does not start here"
# A GNOME session has XWayland too: with DISPLAY set SDL would take X11, where no window can be put
# on a monitor of its own.
start_xvfb 1440x600x24
e2e_saver_files "$program" 'Sound=0'
monitors=(Meta-0 Meta-1)
for m in "${monitors[@]}"; do monitor_picture "$m" "$E2E_TMP/$m-desktop.png" || fail "no picture of $m"; done

# covered NAME FILE: the monitor's picture differs from the desktop's in each of its four corners
# (32 pixels square): nothing of the desktop shows beside the window.
covered() {
  local corner
  monitor_picture "$1" "$2" || return 1
  for corner in NorthWest NorthEast SouthWest SouthEast; do
    convert "$2" -gravity $corner -crop 32x32+0+0 +repage "$E2E_TMP/a.png"
    convert "$E2E_TMP/$1-desktop.png" -gravity $corner -crop 32x32+0+0 +repage "$E2E_TMP/b.png"
    [[ $(compare -metric AE -fuzz 2% "$E2E_TMP/a.png" "$E2E_TMP/b.png" null: 2>&1 || true) -gt 500 ]] || return 1
  done
}

code=0
./bin/quillaby --wallpaper >"$E2E_TMP/wallpaper.log" 2>&1 || code=$?
if [[ $code != 2 ]] || ! grep -q 'this compositor has none' "$E2E_TMP/wallpaper.log"; then
  fail "--wallpaper on mutter ended with $code: $(cat "$E2E_TMP/wallpaper.log")"
fi

WAYLAND_DEBUG=1 ./bin/quillaby.scr /s 2>"$E2E_TMP/protocol.log" &
saver=$!
e2e_track $saver
for m in "${monitors[@]}"; do
  for _ in $(seq 60); do covered "$m" "$E2E_TMP/$m-a.png" && break; sleep 1; done
  covered "$m" "$E2E_TMP/$m-a.png" || fail "$m was not covered whole: $(grep -v '^\[' "$E2E_TMP/protocol.log" | tail -5)"
done
sleep 1.5
for m in "${monitors[@]}"; do
  monitor_picture "$m" "$E2E_TMP/$m-b.png"
  pictures_differ "$E2E_TMP/$m-a.png" "$E2E_TMP/$m-b.png" || fail "$m shows no moving scene"
done
# Each window is full screen on its own monitor, at the monitor's size.
grep -o 'set_fullscreen(wl_output@[0-9]*)' "$E2E_TMP/protocol.log" | sort -u | wc -l | grep -qx 2 ||
  fail "the windows were not made full screen on two monitors"
for size in '800, 600' '640, 480'; do
  grep -q "xdg_toplevel@[0-9]*\.configure($size, array\[[1-9]" "$E2E_TMP/protocol.log" ||
    fail "no window was given $size"
done
kill -0 $saver 2>/dev/null || fail "the saver ended before any input"

# GNOME powers the monitors down (PowerSaveMode 3, as its power settings do when the screen blanks):
# the saver draws nothing while they are down and goes on running; at 0 again it draws within seconds.
power_save() {
  (_as_mutter_user gdbus call --session --dest org.gnome.Mutter.DisplayConfig \
    --object-path /org/gnome/Mutter/DisplayConfig --method org.freedesktop.DBus.Properties.Set \
    org.gnome.Mutter.DisplayConfig PowerSaveMode "<int32 $1>" >/dev/null) || fail "PowerSaveMode $1 not set"
}
commits() { grep -c 'wl_surface@[0-9]*\.commit' "$E2E_TMP/protocol.log" || true; }
# commits_in SECONDS: the surfaces' commits over that time.
commits_in() { local n; n=$(commits); sleep "$1"; echo $(($(commits) - n)); }
on=$(commits_in 3)
((on >= 10)) || fail "only $on commits in 3 s with the monitors on"
power_save 3
sleep 2 # the saver looks about once a second
off=$(commits_in 3)
[[ $off == 0 ]] || fail "the saver drew with the monitors off: $off commits in 3 s (against $on while on)"
kill -0 $saver 2>/dev/null || fail "the saver ended when the monitors went off"
n=$(commits)
power_save 0
for _ in $(seq 20); do (($(commits) > n)) && break; sleep 0.1; done
(($(commits) > n)) || fail "the saver did not draw within 2 s of the monitors coming back"
monitor_picture Meta-0 "$E2E_TMP/on-a.png"
sleep 1.5
monitor_picture Meta-0 "$E2E_TMP/on-b.png"
pictures_differ "$E2E_TMP/on-a.png" "$E2E_TMP/on-b.png" || fail "Meta-0 shows no moving scene once back on"

mutter_input key
wait_exit $saver || fail "a typed key did not end the saver"
code=0
wait $saver || code=$?
[[ $code == 0 ]] || fail "the saver ended with $code after a key: $(grep -v '^\[' "$E2E_TMP/protocol.log" | tail -40)"

# The first five moves are ignored, the next sets the anchor; then 10 pixels on both axes end it.
./bin/quillaby.scr /s >"$E2E_TMP/saver2.log" 2>&1 &
saver=$!
e2e_track $saver
for _ in $(seq 60); do covered Meta-0 "$E2E_TMP/second.png" && break; sleep 1; done
mutter_input move 12 10 10
wait_exit $saver || fail "moving the pointer did not end the saver"
code=0
wait $saver || code=$?
[[ $code == 0 ]] || fail "the saver ended with $code after the pointer moved: $(cat "$E2E_TMP/saver2.log")"

# No libdecor plugin, so no title bar whose look depends on what is installed.
mkdir "$E2E_TMP/no-plugins"
LIBDECOR_PLUGIN_DIR=$E2E_TMP/no-plugins ./bin/quillaby.scr /c >"$E2E_TMP/dialog.log" 2>&1 &
dialog=$!
e2e_track $dialog
# The dialog is where Meta-0's picture differs from the desktop; "Preview..." is at its lower left.
dialog_box() {
  monitor_picture Meta-0 "$E2E_TMP/dialog.png" &&
    convert "$E2E_TMP/dialog.png" "$E2E_TMP/Meta-0-desktop.png" -compose difference -composite \
      -colorspace gray -threshold 5% -format '%@' info: 2>/dev/null
}
is_dialog() { [[ $1 == 511x363+* ]]; }
box=
for _ in $(seq 60); do
  box=$(dialog_box) || true
  is_dialog "$box" && break
  sleep 1
done
is_dialog "$box" || fail "no dialog of 511x363 on Meta-0 (found $box): $(cat "$E2E_TMP/dialog.log")"
IFS='x+' read -r _ _ x y <<<"$box"
mutter_input click Meta-0 $((x + 46)) $((y + 340))
for m in "${monitors[@]}"; do
  for _ in $(seq 60); do covered "$m" "$E2E_TMP/preview.png" && break; sleep 1; done
  covered "$m" "$E2E_TMP/preview.png" || fail "\"Preview...\" did not cover $m whole"
done
mutter_input key
for _ in $(seq 60); do
  monitor_picture Meta-1 "$E2E_TMP/back.png"
  pictures_differ "$E2E_TMP/back.png" "$E2E_TMP/Meta-1-desktop.png" || break
  sleep 1
done
pictures_differ "$E2E_TMP/back.png" "$E2E_TMP/Meta-1-desktop.png" && fail "the preview did not end on a key"
back=$(dialog_box) || true
[[ $back == "$box" ]] || fail "the dialog did not come back (found $back)"
kill -0 $dialog 2>/dev/null || fail "the dialog ended with the preview: $(cat "$E2E_TMP/dialog.log")"
echo PASS
