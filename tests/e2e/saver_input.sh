#!/usr/bin/env bash
# Closing the full-screen saver with the mouse on a real X server: a button ends it; fewer than five
# moves never do, however far; moves along one axis never do; a diagonal move after them does.
# An installed saver whose folder it cannot write into logs into the user's state folder: its
# folder here is a file, which stops root as well.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xvfb 800x600x24
e2e_saver_files "$program" $'DollarCount=3\nBubbleCount=3\n'

start_saver() { # program-name arguments...
  local name=$1
  shift
  xdotool mousemove 400 300
  (exec -a "$name" "$program" "$@") >out 2>err &
  pid=$!
  e2e_track "$pid"
  wait_window '^Quillaby$' >/dev/null || fail "no saver window: $(cat err)"
  sleep 1 # the scene is running and reads its input
}

alive() { kill -0 "$pid" 2>/dev/null; }

ended() { # what
  wait_gone "$pid" || fail "$1 did not end the saver"
  local rc=0
  wait "$pid" || rc=$?
  [[ $rc == 0 ]] || fail "$1 ended the saver with exit code $rc: $(cat err)"
}

: >installed # where the saver's folder should be
start_saver "$E2E_TMP/installed/quillaby.scr" /s --log
xdotool click 1
ended "a mouse button"
tr -d '\0' <"$XDG_STATE_HOME/Harnwick Software/quillaby.log" | grep -q '^Full Screen mode: 800X600X32  FPS:' ||
  fail "no close line in the state folder's log: $(ls -R "$XDG_STATE_HOME")"

start_saver bin/quillaby.scr /s
for xy in "100 100" "700 500" "100 500" "700 100"; do # four long diagonal jumps
  xdotool mousemove $xy
  sleep 0.2
done
sleep 0.5
alive || fail "fewer than five moves ended the saver"
for x in 100 700 150 650 200 600 250; do # far, but along one axis
  xdotool mousemove "$x" 300
  sleep 0.2
done
sleep 0.5
alive || fail "moves along one axis ended the saver"
xdotool mousemove 400 304 # at least 3 pixels on both axes from wherever it anchored
ended "a diagonal move"
echo ok
