#!/usr/bin/env bash
# Outputs that change during /s on Wayland (a nested sway, whose outputs can be unplugged): a scale
# changed to 2 and back is followed at the output's real pixels; when the render window's output
# goes the run goes on on the other one and a key still ends it; with every output gone it waits
# without drawing, and an output that comes is covered.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
. "$(dirname "$0")/lib/sway.sh"
program=$1
e2e_init
start_nested_sway || skip "a nested sway does not start here"
e2e_saver_files "$program" 'Sound=0'

# moving NAME TAG: the output shows the whole scene at its real pixels, and it moves.
moving() {
  output_picture "$1" "$E2E_TMP/$1-$2-a.png"
  sleep 1
  output_picture "$1" "$E2E_TMP/$1-$2-b.png"
  cp "$E2E_TMP/$1-$2-b.png" "${QUILLABY_SHOTS:-$E2E_TMP}/outputs-$1-$2.png" 2>/dev/null || true
  picture_whole "$E2E_TMP/$1-$2-b.png" || fail "$1 ($2) is not covered whole"
  picture_fine "$E2E_TMP/$1-$2-b.png" || fail "$1 ($2) is drawn below its real pixels"
  pictures_differ "$E2E_TMP/$1-$2-a.png" "$E2E_TMP/$1-$2-b.png" || fail "$1 ($2) shows no moving scene"
}

./bin/quillaby.scr /s >"$E2E_TMP/saver.log" 2>&1 &
saver=$!
e2e_track $saver
for output in WL-1 WL-2; do
  wait_covered $output || fail "$output was not covered: $(cat "$E2E_TMP/saver.log")"
done

swaymsg -q output WL-2 scale 2
sleep 1
moving WL-2 scale2
size=$(identify -format '%wx%h' "$E2E_TMP/WL-2-scale2-b.png")
[[ $size == 640x480 ]] || fail "the scaled output's picture is $size"
swaymsg -q output WL-2 scale 1
sleep 1
moving WL-2 scale1

# The render window's output goes: the keyboard must go with the run to the other output.
unplug_output WL-1
sleep 1
moving WL-2 alone
kill -0 $saver 2>/dev/null || fail "the saver ended when its output went: $(cat "$E2E_TMP/saver.log")"

unplug_output WL-2
sleep 1
kill -0 $saver 2>/dev/null || fail "the saver ended when every output went: $(cat "$E2E_TMP/saver.log")"
# Waiting for an output takes no CPU to speak of (a busy loop takes all of a core: 100 ticks).
before=$(cpu_ticks $saver)
sleep 1
idle=$(($(cpu_ticks $saver) - before))
((idle < 20)) || fail "with no output the saver used $idle ticks in a second"

swaymsg -q create_output
wait_covered WL-3 || fail "the output that came was not covered: $(cat "$E2E_TMP/saver.log")"
moving WL-3 back
wtype -s 3000 a
wait_exit $saver || fail "a typed key did not end the saver after its output went"
code=0
wait $saver || code=$?
[[ $code == 0 ]] || fail "the saver ended with $code: $(cat "$E2E_TMP/saver.log")"
echo PASS
