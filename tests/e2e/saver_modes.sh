#!/usr/bin/env bash
# The saver switches the display on Xorg's dummy driver to the stored full-screen mode and puts the
# desktop's mode back when a key ends it and when a daemon stops it (SIGTERM); with "Desktop Only"
# it never switches.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xdummy || skip "Xorg with the dummy driver cannot start here"
mkdir -p "$E2E_TMP/bin"
ln -s "$program" "$E2E_TMP/bin/quillaby.scr"
cd "$E2E_TMP"
conf="$XDG_CONFIG_HOME/Harnwick Software/Quillaby.conf"
mkdir -p "$(dirname "$conf")"

size() { xdpyinfo | awk '/dimensions:/ {print $2}'; }
desktop=$(size)
[[ $desktop != 640x480 ]] || fail "the server starts in the mode under test"

run() { # expected size while running, how to end it
  bin/quillaby.scr /s >out 2>err &
  pid=$!
  e2e_track "$pid"
  # Polled rather than --sync: a window that vanishes during a search (SDL's probe windows) makes
  # xdotool fail with BadWindow.
  local found=
  for _ in $(seq 300); do
    xdotool search --onlyvisible --name '^Quillaby$' >/dev/null 2>&1 && { found=1; break; }
    sleep 0.1
  done
  [[ -n $found ]] || fail "no saver window: $(cat err)"
  for _ in $(seq 100); do [[ $(size) == "$1" ]] && break; sleep 0.1; done
  [[ $(size) == "$1" ]] || fail "the display shows $(size) while the saver runs, not $1"
  if [[ $2 == key ]]; then xdotool key Return; else kill -TERM "$pid"; fi
  local rc=0
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  wait "$pid" || rc=$?
  [[ $rc == 0 ]] || fail "ended by $2 with exit code $rc: $(cat err)"
  for _ in $(seq 50); do [[ $(size) == "$desktop" ]] && break; sleep 0.1; done
  [[ $(size) == "$desktop" ]] || fail "$2 left the display at $(size), not $desktop"
}

printf 'ColorDepth=32\nWidth=640\nHeight=480\nDollarCount=3\nBubbleCount=3\n' >"$conf"
run 640x480 key
run 640x480 TERM
printf 'DesktopOnly=1\nColorDepth=32\nWidth=640\nHeight=480\nDollarCount=3\nBubbleCount=3\n' >"$conf"
run "$desktop" key
echo ok
