#!/usr/bin/env bash
# The window job on a real X server (Xvfb): the window appears, its title shows the frame rate,
# Esc ends the run with exit code 0, and so does SIGTERM. It never suspends the server's saver and
# DPMS (SDL's default for games): the desktop still blanks and the monitor still sleeps.
set -euo pipefail
program=$1
source "$(dirname "$0")/lib/common.sh"
e2e_init
tmp=$E2E_TMP
app_pid=
start_xvfb 800x600x24

start_app() {
  "$program" --window --size 320x240 --seed 5 --notes 10 --bubbles 10 >"$tmp/out" 2>"$tmp/err" &
  app_pid=$!
  e2e_track "$app_pid"
  window=$(timeout 20 xdotool search --sync --name '^Quillaby' | head -n1) || fail "no window appeared: $(cat "$tmp/err")"
}

wait_exit() { # what
  local rc=0
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app_pid" 2>/dev/null && fail "$1 did not end the run"
  wait "$app_pid" || rc=$?
  app_pid=
  [[ $rc == 0 ]] || fail "$1 ended the run with exit code $rc: $(cat "$tmp/err")"
}

start_app
title=
for _ in $(seq 100); do
  title=$(xdotool getwindowname "$window" 2>/dev/null || true)
  [[ $title == *FPS:* ]] && break
  sleep 0.1
done
[[ $title =~ FPS:\ [0-9]+$ ]] || fail "the title shows no frame rate: '$title'"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key Escape
wait_exit "Esc"

# The stand-in records what the program asks of the server's saver.
cc -shared -fPIC -o "$tmp/standin.so" "$(dirname "$0")/lib/dpms-standin.c" -ldl
echo "on 1 600 600 600" >"$tmp/dpms"
export DPMS_STANDIN_STATE=$tmp/dpms DPMS_STANDIN_LOG=$tmp/dpms.log
# Under AddressSanitizer the stand-in comes before its runtime.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
LD_PRELOAD=$tmp/standin.so start_app
wait_live_dialog "$window"
kill -TERM "$app_pid"
wait_exit "SIGTERM"
! grep -q 'XScreenSaverSuspend 1' "$tmp/dpms.log" 2>/dev/null || fail "the window suspended the server's saver"
echo ok
