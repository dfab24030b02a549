#!/usr/bin/env bash
# The window job on a real X server (Xvfb): the window appears, its title shows the frame rate,
# Esc ends the run with exit code 0, and so does SIGTERM.
set -euo pipefail
program=$1
tmp=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

unset SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy HOME=$tmp XDG_RUNTIME_DIR=$tmp QUILLABY_NONINTERACTIVE=1
# A display number of our own.
for n in $(seq 120 160); do
  [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || break
done
export DISPLAY=:$n
Xvfb "$DISPLAY" -screen 0 800x600x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"

start_app() {
  "$program" --window --size 320x240 --seed 5 --notes 10 --bubbles 10 >"$tmp/out" 2>"$tmp/err" &
  app_pid=$!
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

start_app
kill -TERM "$app_pid"
wait_exit "SIGTERM"
echo ok
