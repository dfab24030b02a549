#!/usr/bin/env bash
# The settings dialog's "Preview..." on Xorg's dummy driver switches the display to the stored
# full-screen mode and gives the desktop's mode back when a key ends it, even one pressed while the
# preview starts; the dialog goes on. When the X server itself goes away during a preview (a session
# that ends under it), the program and the watchdog that would put the mode back both end.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xdummy || skip "Xorg with the dummy driver cannot start here"
e2e_saver_files "$program" $'ColorDepth=32\nWidth=640\nHeight=480\nDollarCount=3\nBubbleCount=3\nSound=0\n'

size() { xdpyinfo | awk '/dimensions:/ {print $2}'; }
wait_size() { # WxH
  for _ in $(seq 100); do [[ $(size) == "$1" ]] && return 0; sleep 0.1; done
  return 1
}
desktop=$(size)
[[ $desktop != 640x480 ]] || fail "the server starts in the mode under test"

open_preview() { # the dialog, then "Preview..." until the display is switched: sets pid, dialog
  bin/quillaby >out 2>err &
  pid=$!
  e2e_track "$pid"
  dialog=$(wait_window '^Quillaby Screen Saver') || fail "no dialog: $(cat err)"
  wait_live_dialog "$dialog"
  xdotool mousemove --window "$dialog" 45 340 sleep 0.2 click 1 # Preview...
  wait_window '^Quillaby$' >/dev/null || fail "no full-screen preview: $(cat err)"
  wait_size 640x480 || fail "the display shows $(size) during the preview, not 640x480"
}

open_preview
xdotool key space
wait_size "$desktop" || fail "the preview left the display at $(size), not $desktop"
kill -0 "$pid" 2>/dev/null || fail "the program ended with the preview: $(cat err)"
xdotool set_window --name waiting "$dialog" # the caption comes back once the panel runs again
wait_live_dialog "$dialog"
xdotool mousemove --window "$dialog" 465 340 sleep 0.2 click 1 # Cancel
wait_gone "$pid" || fail "Cancel did not close the dialog"
wait "$pid" || fail "the dialog failed: $(cat err)"
[[ $(size) == "$desktop" ]] || fail "the display was left at $(size)"

open_preview
watchdog=$(ps -o pid= --ppid "$pid" | tr -d ' ' | head -n1) || true
[[ -n $watchdog ]] || fail "the switched display has no watchdog"
e2e_track "$watchdog"
kill -KILL "$E2E_X_PID"
wait_gone "$pid" || fail "the program outlived its X server"
wait_gone "$watchdog" || fail "the watchdog outlived the X server, waiting in $(cat "/proc/$watchdog/wchan" 2>/dev/null)"
echo ok
