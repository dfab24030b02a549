#!/usr/bin/env bash
# A 2x-scaled output (HEADLESS-2, 640x480 pixels, 320x240 logical) is covered at its real pixels:
# the scene drawn at 320x240 and enlarged would come out in 2x2 blocks.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
. "$(dirname "$0")/lib/sway.sh"
program=$1
e2e_init
start_sway 'output HEADLESS-2 scale 2' || skip "headless sway does not start here"
e2e_saver_files "$program" 'Sound=0'

./bin/quillaby.scr /s >"$E2E_TMP/saver.log" 2>&1 &
saver=$!
e2e_track $saver
wait_covered HEADLESS-2 || fail "the scaled output was not covered: $(cat "$E2E_TMP/saver.log")"
sleep 1
output_picture HEADLESS-2 "$E2E_TMP/scaled.png"
size=$(identify -format '%wx%h' "$E2E_TMP/scaled.png")
[[ $size == 640x480 ]] || fail "the scaled output's picture is $size"
picture_fine "$E2E_TMP/scaled.png" || fail "the scaled output shows 2x2 blocks"

wtype -s 3000 a
wait_exit $saver || fail "a typed key did not end the saver"
echo PASS
