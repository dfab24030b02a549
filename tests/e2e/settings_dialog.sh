#!/usr/bin/env bash
# The settings dialog under Xvfb: plain `quillaby` opens it with the scene running in its panel (the
# caption counts frames), software rendering is reported, dragging "Dollar Count" to its left end
# and pressing "OK" stores DollarCount=0, "Cancel" stores nothing, and "Preview..." runs the scene
# full screen, the caption left as it was, until a key brings the dialog back.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
program=$1
e2e_init
start_xvfb 1024x768x24
settings="$XDG_CONFIG_HOME/Harnwick Software/Quillaby.conf"
app_pid=

start_dialog() {
  "$program" >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  app_pid=$!
  e2e_track "$app_pid"
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillaby Screen Saver' | head -n1) ||
    fail "no dialog appeared: $(cat "$E2E_TMP/err")"
  wait_caption
}

wait_caption() { # the scene runs in the panel: the caption shows its frame rate
  local title=
  for _ in $(seq 150); do
    title=$(xdotool getwindowname "$window" 2>/dev/null || true)
    [[ $title =~ ^Quillaby\ Screen\ Saver\ FPS:\ [0-9]+$ ]] && return 0
    sleep 0.1
  done
  fail "the caption shows no frame rate: '$title'"
}

click() { # x y in the dialog's client area
  xdotool mousemove --window "$window" "$1" "$2" sleep 0.2 click 1
}

wait_exit() { # what
  local rc=0
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app_pid" 2>/dev/null && fail "$1 did not close the dialog"
  wait "$app_pid" || rc=$?
  [[ $rc == 0 ]] || fail "$1 ended the program with exit code $rc: $(cat "$E2E_TMP/err")"
}

# Drag the thumb at 60 (x 429) to the left end of the track, then OK.
start_dialog
grep -q "hardware acceleration was not detected" "$E2E_TMP/err" || fail "software rendering was not reported"
xdotool mousemove --window "$window" 429 163 sleep 0.2 mousedown 1 sleep 0.2 \
  mousemove --window "$window" 390 163 sleep 0.2 mousemove --window "$window" 320 163 sleep 0.2 mouseup 1
sleep 0.3
click 381 340
wait_exit "OK"
grep -qx "DollarCount=0" "$settings" || fail "OK did not store DollarCount=0: $(cat "$settings" 2>&1)"

# Cancel after moving "Bubble Count" leaves the file as it was.
before=$(md5sum "$settings")
start_dialog
click 400 229
sleep 0.3
click 465 340
wait_exit "Cancel"
[[ $(md5sum "$settings") == "$before" ]] || fail "Cancel changed the settings: $(cat "$settings")"

# Preview... covers the screen; a key brings the dialog back; Esc then closes it.
start_dialog
click 45 340
full=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillaby$' | head -n1) || fail "no full-screen window"
geometry=$(xdotool getwindowgeometry "$full")
[[ $geometry == *"Geometry: 1024x768"* ]] || fail "the preview does not cover the screen: $geometry"
# The dialog's caption stays as it was while the scene runs full screen (it counts once a second).
xdotool set_window --name "during the preview" "$window"
sleep 2.5
caption=$(xdotool getwindowname "$window")
[[ $caption == "during the preview" ]] || fail "the caption changed during the preview: '$caption'"
xdotool key space
for _ in $(seq 50); do
  xdotool search --onlyvisible --name '^Quillaby$' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Quillaby$' >/dev/null 2>&1 && fail "a key did not end the preview"
kill -0 "$app_pid" || fail "the program ended with the preview"
xdotool set_window --name "waiting" "$window"
wait_caption
xdotool key Escape
wait_exit "Esc"
echo ok
