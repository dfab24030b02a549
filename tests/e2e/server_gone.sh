#!/usr/bin/env bash
# The X server going away while "Preview..." has switched the display (a session that ends under
# it): the program and the watchdog that would put the mode back both end instead of staying behind.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xdummy || skip "Xorg with the dummy driver cannot start here"
e2e_saver_files "$program" $'ColorDepth=32\nWidth=640\nHeight=480\nDollarCount=2\nBubbleCount=2\nSound=0\n'

bin/quillaby >out 2>err &
pid=$!
e2e_track "$pid"
dialog=$(wait_window '^Quillaby Screen Saver') || fail "no dialog: $(cat err)"
wait_live_dialog "$dialog"
xdotool mousemove --window "$dialog" 45 340 sleep 0.2 click 1 # Preview...
wait_window '^Quillaby$' >/dev/null || fail "no full-screen preview: $(cat err)"
for _ in $(seq 100); do [[ $(xdpyinfo | awk '/dimensions:/ {print $2}') == 640x480 ]] && break; sleep 0.1; done
watchdog=$(ps -o pid= --ppid "$pid" | tr -d ' ' | head -n1) || true
[[ -n $watchdog ]] || fail "the switched display has no watchdog"
e2e_track "$watchdog"

kill -KILL "$E2E_X_PID"
wait_gone "$pid" || fail "the program outlived its X server"
wait_gone "$watchdog" || fail "the watchdog outlived the X server, waiting in $(cat "/proc/$watchdog/wchan" 2>/dev/null)"
echo ok
