#!/usr/bin/env bash
# Hack mode under Xvfb, into windows this test made (xev's): each copy draws a non-black, changing
# picture that fills its window as the window grows, takes no notice of keys or the mouse, and ends
# with exit code 0 on SIGTERM or, quietly, when its window is destroyed. Two copies run side by side.
set -euo pipefail
program=$1
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xvfb 800x600x24

# A plain top-level window of the default visual: its id in $window, xev's pid in $xev_pid.
make_window() { # name geometry
  xev -name "$1" -geometry "$2" >"$E2E_TMP/$1.xev" 2>&1 &
  xev_pid=$!
  e2e_track $xev_pid
  local id=
  for _ in $(seq 100); do
    id=$(sed -n 's/^Outer window is \(0x[0-9a-f]*\).*/\1/p' "$E2E_TMP/$1.xev")
    [[ -n $id ]] && break
    sleep 0.1
  done
  [[ -n $id ]] || fail "xev made no window"
  xdotool search --sync --name "^$1\$" >/dev/null
  window=$id
}

# The window's pixels (or a part: WxH+X+Y) as raw RGB.
grab() { # window file [crop]
  import -window "$1" ${3:+-crop "$3"} -depth 8 "rgb:$2"
}

# A picture is drawn there: mostly non-black, and different a second later. The copy may still be
# starting on a busy machine, so it has a while to begin.
expect_drawing() { # window what [crop]
  local size lit=0 changed=
  for _ in $(seq 20); do
    grab "$1" "$E2E_TMP/a.rgb" "${3:-}"
    sleep 1
    grab "$1" "$E2E_TMP/b.rgb" "${3:-}"
    cmp -s "$E2E_TMP/a.rgb" "$E2E_TMP/b.rgb" || { changed=1; break; }
  done
  [[ -n $changed ]] || fail "$2: the picture does not change"
  size=$(stat -c %s "$E2E_TMP/b.rgb")
  lit=$(tr -d '\000' <"$E2E_TMP/b.rgb" | wc -c)
  ((lit * 2 > size)) || fail "$2: the picture is mostly black ($lit of $size bytes lit)"
}

wait_end() { # pid what -> exit code in $rc
  for _ in $(seq 30); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$1" 2>/dev/null && fail "$2 did not end the run"
  rc=0
  wait "$1" || rc=$?
}

# Bad values are refused before anything is drawn.
rc=0
"$program" -root -notes 101 2>"$E2E_TMP/bad.err" || rc=$?
[[ $rc == 2 ]] || fail "a bad -notes gave exit code $rc"
grep -q -- '-notes needs a whole number from 0 to 100' "$E2E_TMP/bad.err" || fail "no message: $(cat "$E2E_TMP/bad.err")"

make_window hackone 320x240+0+0
one=$window
make_window hacktwo 320x240+400+0
two=$window xev_two=$xev_pid
"$program" --window-id "$one" --notes 20 --delay 10000 -fps 2>"$E2E_TMP/one.err" &
pid_one=$!
e2e_track $pid_one
"$program" -window-id "$((two))" -theme 2 2>"$E2E_TMP/two.err" &
pid_two=$!
e2e_track $pid_two
kill -0 $pid_one 2>/dev/null || fail "the first copy ended: $(cat "$E2E_TMP/one.err")"
kill -0 $pid_two 2>/dev/null || fail "the second copy ended: $(cat "$E2E_TMP/two.err")"
expect_drawing "$one" "first copy"
expect_drawing "$two" "second copy (decimal window id)"

# Keys and the mouse belong to the daemon: the copy draws on.
xdotool mousemove --window "$one" 50 50 mousemove --window "$one" 200 150 click 1
xdotool key --window "$one" Escape key --window "$one" q key Escape
sleep 0.5
kill -0 $pid_one 2>/dev/null || fail "input ended the run"
expect_drawing "$one" "after input"

# The picture follows the window's size: the new corner is drawn too.
xdotool windowsize "$one" 480 360
sleep 1
expect_drawing "$one" "the grown window's corner" 60x60+410+290

kill -TERM $pid_one
start=$(date +%s%N)
wait_end $pid_one "SIGTERM"
echo "SIGTERM to exit: $((($(date +%s%N) - start) / 1000000)) ms"
[[ $rc == 0 ]] || fail "SIGTERM ended the run with exit code $rc: $(cat "$E2E_TMP/one.err")"

# The second copy keeps drawing; destroying its window ends it without a word.
expect_drawing "$two" "second copy alone"
kill "$xev_two"
wait_end $pid_two "destroying the window"
[[ $rc == 0 ]] || fail "the window's destruction gave exit code $rc"
[[ ! -s $E2E_TMP/two.err ]] || fail "the window's destruction was not quiet: $(cat "$E2E_TMP/two.err")"
echo ok
