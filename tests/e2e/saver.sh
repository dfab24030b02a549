#!/usr/bin/env bash
# The full-screen saver as a screen-saver daemon starts it (quillaby.scr /s) on a real X server:
# it covers the screen; moves along one axis and small moves keep it; a second copy ends at once
# without a window; a key ends it with exit code 0 and the close line in the log. Damaged assets
# and an 8-bit desktop end in the error report and exit code 1; /a ends silently.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xvfb 800x600x24
scr=$E2E_TMP/bin/quillaby.scr
mkdir -p "$E2E_TMP/bin"
ln -s "$program" "$scr"
cd "$E2E_TMP"

"$scr" /s --log >out 2>err &
pid=$!
e2e_track "$pid"
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillaby$' | head -n1) ||
  fail "no full-screen window: $(cat err)"
info=$(xwininfo -id "$window")
grep -q 'Absolute upper-left X:  0' <<<"$info" && grep -q 'Absolute upper-left Y:  0' <<<"$info" &&
  grep -q 'Width: 800' <<<"$info" && grep -q 'Height: 600' <<<"$info" || fail "the window does not cover the screen: $info"

# A second copy ends at once, silently, without a window of its own.
rc=0
timeout 20 "$scr" /s >out2 2>err2 || rc=$?
[[ $rc == 0 ]] || fail "the second copy exited with $rc: $(cat err2)"
[[ $(xdotool search --name '^Quillaby$' | wc -l) == 1 ]] || fail "the second copy made a window"

# Moves by less than 3 pixels, or along one axis, keep it: every y here lies within 2 pixels of every
# other, so no anchor the saver may have taken is left on both axes.
for xy in "400 300" "401 301" "402 302" "400 300" "402 301" "401 302" "400 301" "402 300" "700 300" \
  "100 301" "780 302" "401 301"; do
  xdotool mousemove $xy
  sleep 0.1
done
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "small or one-axis moves ended the saver: $(cat err)"

xdotool key a
rc=0
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "a key did not end the saver"
wait "$pid" || rc=$?
[[ $rc == 0 ]] || fail "the saver ended with exit code $rc: $(cat err)"
tr -d '\0' <bin/quillaby.log | grep -q $'^Full Screen mode: 800X600X32  FPS:[0-9]*\r$' ||
  fail "no close line in the log: $(tr -d '\0' <bin/quillaby.log | tail -n3)"
# Not grep -q: it stops at the first line, and tr, still writing, would die of the closed pipe.
tr -d '\0' <bin/quillaby.log | grep '^\*\*\* Start OpenGL Info \*\*\*' >/dev/null ||
  fail "no OpenGL information in the log"

# Damaged assets: the error report, exit code 1, no window left behind.
mkdir broken
printf 'not a model' >broken/dollar.3dm
rc=0
timeout 60 "$scr" /s --assets broken >out 2>err || rc=$?
[[ $rc == 1 ]] || fail "damaged assets exited with $rc"
grep -q 'Ondrel Screen Saver Error!' err || fail "no error report: $(cat err)"
[[ -z $(xdotool search --name '^Quillaby$' 2>/dev/null) ]] || fail "a window was left behind"

# The password change belongs to the desktop's screen locker: /a ends at once, silently.
timeout 20 "$scr" /a >out 2>err || fail "/a failed: $(cat err)"
[[ ! -s err && -z $(xdotool search --name '^Quillaby$' 2>/dev/null) ]] || fail "/a showed something: $(cat err)"

# An X display that cannot be opened is said so, not taken for a desktop without a usable mode.
rc=0
DISPLAY=$E2E_TMP/no-server:0 timeout 30 "$scr" /c >out 2>err || rc=$?
[[ $rc == 1 ]] && grep -q 'x11 not available' err && ! grep -q 'High Color' err ||
  fail "an unreachable display: rc $rc, $(cat err)"

# A desktop of 256 colours gets the colour-depth warning.
rm -f "$E2E_TMP/xvfb.fd" # the helper's pipe of the first server
start_xvfb 640x480x8
rc=0
timeout 30 "$scr" /s >out 2>err || rc=$?
[[ $rc == 1 ]] && grep -q 'needs High Color (16 bits) or True Color (32 bits)' err ||
  fail "no colour-depth warning on an 8-bit desktop: rc $rc, $(cat err)"
echo ok
