#!/usr/bin/env bash
# The saver in a Wayland session (headless sway, no X server): /s covers both outputs (800x600 and
# 640x480) with the moving scene on the overlay layer, covers an output added during the run, and a
# typed key ends it with 0; so does a pointer moved across the outputs.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
. "$(dirname "$0")/lib/sway.sh"
program=$1
e2e_init
start_sway || skip "headless sway does not start here"
e2e_saver_files "$program" 'Sound=0'

./bin/quillaby.scr /s >"$E2E_TMP/saver.log" 2>&1 &
saver=$!
e2e_track $saver
for output in HEADLESS-1 HEADLESS-2; do
  wait_covered $output || fail "$output was not covered: $(cat "$E2E_TMP/saver.log")"
done
for output in HEADLESS-1 HEADLESS-2; do
  output_picture $output "$E2E_TMP/$output-a.png"
  size=$(identify -format '%wx%h' "$E2E_TMP/$output-a.png")
  [[ $output == HEADLESS-1 && $size == 800x600 || $output == HEADLESS-2 && $size == 640x480 ]] ||
    fail "$output is $size"
done
sleep 1.5
for output in HEADLESS-1 HEADLESS-2; do
  output_picture $output "$E2E_TMP/$output-b.png"
  pictures_differ "$E2E_TMP/$output-a.png" "$E2E_TMP/$output-b.png" || fail "$output shows no moving scene"
done
kill -0 $saver 2>/dev/null || fail "the saver ended before any input: $(cat "$E2E_TMP/saver.log")"

swaymsg -q create_output
wait_covered HEADLESS-3 || fail "the output added during the run was not covered"

# The headless seat has no keyboard until wtype makes one: the pause lets the saver take the
# keyboard before the key comes (milliseconds).
wtype -s 3000 a
wait_exit $saver || fail "a typed key did not end the saver"
code=0
wait $saver || code=$?
[[ $code == 0 ]] || fail "the saver ended with $code: $(cat "$E2E_TMP/saver.log")"
# Nothing of the saver stays on the outputs.
sleep 0.5
output_picture HEADLESS-1 "$E2E_TMP/after.png"
awk -v m="$(picture_mean "$E2E_TMP/after.png")" 'BEGIN { exit !(m > 0.99) }' || fail "the saver's surface stayed"

# A pointer moved by 10 pixels on both axes at a time ends a run too: the first five moves are
# ignored, the next sets the anchor.
pointer=${QUILLABY_POINTER_MOVES:-$(dirname "$program")/tests/pointer-moves}
./bin/quillaby.scr /s >"$E2E_TMP/saver2.log" 2>&1 &
saver=$!
e2e_track $saver
wait_covered HEADLESS-1 || fail "the second run did not cover HEADLESS-1"
"$pointer" 12 10 10 300 &
e2e_track $!
wait_exit $saver || fail "moving the pointer did not end the saver"
code=0
wait $saver || code=$?
[[ $code == 0 ]] || fail "the saver ended with $code after the pointer moved: $(cat "$E2E_TMP/saver2.log")"
echo PASS
