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

# moving NAME TAG: the output comes to show the whole scene at its real pixels, and it moves.
moving() {
  local a=$E2E_TMP/$1-$2-a.png b=$E2E_TMP/$1-$2-b.png why='' _
  for _ in $(seq 30); do
    output_picture "$1" "$a"
    sleep 1
    output_picture "$1" "$b"
    if ! picture_whole "$b"; then
      why="is not covered whole"
    elif ! picture_fine "$b"; then
      why="is drawn below its real pixels"
    elif ! pictures_differ "$a" "$b"; then
      why="shows no moving scene"
    else
      cp "$b" "${QUILLABY_SHOTS:-$E2E_TMP}/outputs-$1-$2.png" 2>/dev/null || true
      return 0
    fi
  done
  fail "$1 ($2) $why: $(cat "$E2E_TMP/saver.log")"
}

./bin/quillaby.scr /s >"$E2E_TMP/saver.log" 2>&1 &
saver=$!
e2e_track $saver
for output in WL-1 WL-2; do
  wait_covered $output || fail "$output was not covered: $(cat "$E2E_TMP/saver.log")"
done

swaymsg -q output WL-2 scale 2
moving WL-2 scale2
size=$(identify -format '%wx%h' "$E2E_TMP/WL-2-scale2-b.png")
[[ $size == 640x480 ]] || fail "the scaled output's picture is $size"
swaymsg -q output WL-2 scale 1
moving WL-2 scale1

# The render window's output goes: the keyboard must go with the run to the other output.
unplug_output WL-1 || fail "WL-1 could not be unplugged"
moving WL-2 alone
kill -0 $saver 2>/dev/null || fail "the saver ended when its output went: $(cat "$E2E_TMP/saver.log")"

unplug_output WL-2 || fail "WL-2 could not be unplugged"
sleep 0.5
kill -0 $saver 2>/dev/null || fail "the saver ended when every output went: $(cat "$E2E_TMP/saver.log")"
# Waiting for an output takes no CPU to speak of (a busy loop takes all of a core: 100 ticks a second).
before=$(cpu_ticks $saver)
sleep 2
idle=$(($(cpu_ticks $saver) - before))
((idle < 20)) || fail "with no output the saver used $idle ticks in 2 seconds"

swaymsg -q create_output
wait_covered WL-3 || fail "the output that came was not covered: $(cat "$E2E_TMP/saver.log")"
moving WL-3 back
wtype -s 3000 a
wait_exit $saver || fail "a typed key did not end the saver after its output went"
code=0
wait $saver || code=$?
[[ $code == 0 ]] || fail "the saver ended with $code: $(cat "$E2E_TMP/saver.log")"
echo PASS
