#!/usr/bin/env bash
# The window job stops drawing while its window cannot be seen (unmapped, or fully covered by
# another window) and draws again once it can. Each frame writes its GL calls to the trace file, so
# a file that stops growing means no frames are drawn.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
program=$1
e2e_init
start_xvfb 640x480x24

trace=$E2E_TMP/trace
"$program" --window --size 200x150 --seed 5 --notes 2 --bubbles 2 --no-sound --gl-trace "$trace" \
  >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
app=$!
e2e_track $app
window=$(timeout 20 xdotool search --sync --name '^Quillaby' | head -n1) || fail "no window: $(cat "$E2E_TMP/err")"

size() { stat -c %s "$trace"; }
grows() { # what: several frames' worth of calls
  local before
  before=$(size)
  for _ in $(seq 100); do
    sleep 0.1
    (($(size) > before + 65536)) && return 0
  done
  fail "$1: no frames drawn"
}
stands_still() { # what
  sleep 2 # a frame already begun may still finish
  local before
  before=$(size)
  sleep 1.5
  (($(size) == before)) || fail "$1: frames still drawn ($before -> $(size) bytes of trace)"
  kill -0 $app 2>/dev/null || fail "$1: the program ended: $(cat "$E2E_TMP/err")"
}

grows "shown"
xdotool windowunmap "$window"
stands_still "unmapped"
xdotool windowmap "$window"
grows "mapped again"

# A window of another client over the whole of ours.
eval "$(xdotool getwindowgeometry --shell "$window")"
xmessage -xrm "*international: false" -geometry "$((WIDTH + 40))x$((HEIGHT + 40))+$((X - 20))+$((Y - 20))" covering 2>/dev/null &
cover=$!
e2e_track $cover
timeout 20 xdotool search --sync --classname xmessage >/dev/null || fail "no covering window"
stands_still "covered"
kill $cover
grows "uncovered"

kill -0 $app 2>/dev/null || fail "the program ended early: $(cat "$E2E_TMP/err")"
kill -TERM $app
for _ in $(seq 100); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
wait $app || fail "exit code $? after SIGTERM"
