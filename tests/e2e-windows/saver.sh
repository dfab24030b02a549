#!/usr/bin/env bash
# The Windows saver under Wine as the system starts it (quillaby.scr /s): a top-most borderless
# window covers the screen with the moving scene and the screen-saver-running flag is set; moves
# along one axis keep it; a second copy and /a end at once with 0; a key, a mouse button and a
# diagonal move each end it with exit code 0 and the flag cleared; a run without --log leaves the
# program's folder untouched. A handle that is no window and a damaged stored option end in
# "Ondrel Screen Saver Error!" with exit code 1.
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/common.sh"
source "$(dirname "$0")/../e2e/lib/wine.sh"
wine_e2e "$@"
start_xvfb 1024x768x24
wine_start
shots=$build/wine-e2e/shots
mkdir -p "$shots"
options='HKCU\Software\Harnwick Software\Quillaby'

running() { wine "$probe" running 2>/dev/null | tr -d '\r'; }

start_saver() { # extra arguments
  wine "$scr" /s "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  pid=$!
  e2e_track $pid
  wine_window Quillaby >/dev/null || fail "no full-screen window: $(cat "$E2E_TMP/err")"
}

ended_by() { # what
  wine_wait_gone $pid 30 || fail "$1 did not end the saver"
  local rc
  rc=$(wine_exit_code $pid)
  [[ $rc == 0 ]] || fail "$1 ended the saver with exit code $rc: $(cat "$E2E_TMP/err")"
  [[ $(running) == 0 ]] || fail "the screen-saver-running flag stayed set after $1"
}

[[ $(running) == 0 ]] || fail "the flag is set before any saver runs"
start_saver --log
seen=$(wine "$probe" window Quillaby | tr -d '\r')
for line in "count 1" "topmost 1" "caption 0" "frame 0" "rect 0 0 1024 768"; do
  grep -qx "$line" <<<"$seen" || fail "the saver's window is not '$line': $seen"
done
[[ $(running) == 1 ]] || fail "the screen-saver-running flag is not set while the saver runs"

# The scene moves: two screenshots a second apart differ, and neither is one flat colour.
sleep 2
import -window root "$shots/saver-1.png"
sleep 1
import -window root "$shots/saver-2.png"
spread=$(convert "$shots/saver-1.png" -format '%[fx:standard_deviation]' info:)
awk -v s="$spread" 'BEGIN { exit !(s > 0.03) }' || fail "the screen shows no scene (deviation $spread)"
changed=$(compare -metric AE "$shots/saver-1.png" "$shots/saver-2.png" null: 2>&1 || true)
((${changed%% *} > 1000)) || fail "the scene does not move: $changed pixels changed"

# A second copy ends at once (the semaphore), without a window.
rc=0
timeout 60 wine "$scr" /s >/dev/null 2>"$E2E_TMP/err2" || rc=$?
[[ $rc == 0 ]] || fail "the second copy ended with $rc: $(cat "$E2E_TMP/err2")"
grep -qx "count 1" <(wine "$probe" window Quillaby | tr -d '\r') || fail "a second window appeared"

# Moves along one axis keep it running, however far.
for x in 100 300 500 700 900 200; do
  xdotool mousemove $x 400
  sleep 0.2
done
for y in 100 300 600 50; do
  xdotool mousemove 200 $y
  sleep 0.2
done
sleep 0.5
kill -0 $pid 2>/dev/null || fail "moves along one axis ended the saver: $(cat "$E2E_TMP/err")"
xdotool key a
ended_by "a key"
tr -d '\0' <"$E2E_TMP/saver/quillaby.log" | grep -q $'^Full Screen mode: [0-9]*X[0-9]*X32  FPS:[0-9]*\r$' ||
  fail "no close line in the log: $(tr -d '\0' <"$E2E_TMP/saver/quillaby.log" | tail -n3)"

# The password change belongs to the system: with no password library /a ends at once.
rc=0
timeout 60 wine "$scr" /a >/dev/null 2>"$E2E_TMP/err2" || rc=$?
[[ $rc == 0 ]] || fail "/a ended with $rc: $(cat "$E2E_TMP/err2")"
grep -qx "count 0" <(wine "$probe" window Quillaby | tr -d '\r') || fail "/a showed a window"

# Without --log the program's folder is left alone: not even a file made and removed to see
# whether it may write there (the folder's modification time would show it).
touch -d @946684800 "$E2E_TMP/saver"
start_saver
sleep 1
xdotool click 1
ended_by "a mouse button"
[[ $(stat -c %Y "$E2E_TMP/saver") == 946684800 ]] || fail "a run without a log changed the program's folder"

start_saver
sleep 1
for i in $(seq 1 12); do
  xdotool mousemove $((300 + 4 * i)) $((300 + 4 * i))
  sleep 0.1
done
ended_by "a diagonal move"

# A handle that is no window: the real message box, then exit code 1.
unset QUILLABY_NONINTERACTIVE
wine "$scr" /p 12345 >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
pid=$!
e2e_track $pid
box=$(wine_window 'Ondrel Screen Saver Error!') || fail "no error box for a bad handle: $(cat "$E2E_TMP/err")"
sleep 0.5
import -window "$box" "$shots/error-box.png"
text=$(convert "$shots/error-box.png" -resize 200% - | tesseract - - 2>/dev/null | tr '\n' ' ')
grep -q 'Invalid window handle' <<<"$text" || fail "the error box does not name the bad handle: $text"
xdotool windowactivate "$box" 2>/dev/null || true
xdotool key --window "$box" Return
sleep 0.5
kill -0 $pid 2>/dev/null && xdotool key Return
wine_wait_gone $pid 30 || fail "the error box did not end the program"
[[ $(wine_exit_code $pid) == 1 ]] || fail "a bad handle did not end with exit code 1"
export QUILLABY_NONINTERACTIVE=1

# A stored option of the wrong type: the registry's message, exit code 1.
wine reg add "$options" /v DollarCount /t REG_SZ /d sixty /f >/dev/null 2>&1
rc=0
timeout 60 wine "$scr" /s >/dev/null 2>"$E2E_TMP/err" || rc=$?
[[ $rc == 1 ]] || fail "a damaged option ended with $rc: $(cat "$E2E_TMP/err")"
grep -q "Ondrel Screen Saver Error!" "$E2E_TMP/err" && grep -q "Invalid data type for 'DollarCount'" "$E2E_TMP/err" ||
  fail "no report of the damaged option: $(cat "$E2E_TMP/err")"
[[ $(running) == 0 ]] || fail "the flag stayed set after the error"
echo ok
