#!/usr/bin/env bash
# --wallpaper in an X11 session (Xvfb, no window manager): the moving scene on the root window under a
# mapped window whose pixels stay its own; the server's idle time keeps growing and neither the saver
# nor DPMS is touched (DPMS through the stand-in of monitor_power.sh); it rests while DPMS has the
# monitor off and moves again once it is on; SIGTERM and SIGINT end it with 0, the server going ends
# it with 0 and says so, and the root's own background is back afterwards. With a desktop window over
# the root (desktop icons) it refuses with 2 and changes nothing.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xvfb 640x480x24
e2e_saver_files "$program" $'Sound=0\nBubbleCount=5\nDollarCount=5\n'
cc -shared -fPIC -o standin.so "$E2E_LIB_DIR/dpms-standin.c" -ldl || fail "the DPMS stand-in does not build"
export DPMS_STANDIN_STATE=$E2E_TMP/dpms DPMS_STANDIN_LOG=$E2E_TMP/dpms.log
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
echo "on 1 600 600 600" >"$DPMS_STANDIN_STATE"
: >"$DPMS_STANDIN_LOG"
hz=$(getconf CLK_TCK)

shot() { import -window root "$1.png"; }
# differ A B [GEOMETRY]: how many pixels of the two pictures differ (in GEOMETRY, WxH+X+Y, if given).
differ() {
  local n
  n=$(compare -metric AE ${3:+-extract "$3"} "$1.png" "$2.png" null: 2>&1 || true)
  echo "${n%% *}"
}
start() { # log
  LD_PRELOAD=$E2E_TMP/standin.so bin/quillaby --wallpaper 2>"$1" &
  pid=$!
  e2e_track $pid
}
# wait_scene: up to 60 s for the root, where no window is, to show the scene (nothing of the bare
# root's pattern) in two pictures a second apart that differ.
wait_scene() {
  local free=300x200+300+250
  for _ in $(seq 60); do
    shot a && sleep 1 && shot b
    (($(differ bare a $free) > 55000 && $(differ bare b $free) > 55000 && $(differ a b $free) > 1000)) &&
      return 0
  done
  return 1
}
ended_with() { # code what
  local code=0
  wait_gone $pid || fail "$2 did not end the wallpaper"
  wait $pid || code=$?
  [[ $code == "$1" ]] || fail "$2: ended with $code, not $1: $(cat "$E2E_TMP/run.log")"
}

xsetroot -solid '#336699' # the desktop's own background, to come back after each run
xmessage -geometry +40+40 'a window over the wallpaper' &
e2e_track $!
window=$(wait_window '^xmessage$') || fail "no xmessage window"
eval "$(xwininfo -id "$window" | awk '/Absolute upper-left X/{print "wx="$4} /Absolute upper-left Y/{print "wy="$4}
  /Width/{print "ww="$2} /Height/{print "wh="$2}')"
area=${ww}x${wh}+$wx+$wy
sleep 0.5
shot bare

# A desktop window over the root, as the root's child and in a frame (as a reparenting window manager
# has it): refused with 2, nothing drawn, no file written.
xmessage -title frame -geometry 220x120+280+280 frame &
e2e_track $!
frame=$(wait_window '^frame$') || fail "no frame window"
xmessage -title desktop -geometry 200x100+300+300 desktop &
e2e_track $!
desk=$(wait_window '^desktop$') || fail "no desktop window"
xprop -id "$desk" -f _NET_WM_WINDOW_TYPE 32a -set _NET_WM_WINDOW_TYPE _NET_WM_WINDOW_TYPE_DESKTOP
touch "$E2E_TMP/before"
for how in child framed; do
  [[ $how == framed ]] && xdotool windowreparent "$desk" "$frame" && sleep 0.3
  shot covered
  start "$E2E_TMP/run.log"
  ended_with 2 "a desktop window ($how)"
  grep -q '^quillaby: --wallpaper draws on the X11 root window, but the desktop covers it' "$E2E_TMP/run.log" ||
    fail "$how: no word of the desktop window: $(head -3 "$E2E_TMP/run.log")"
  shot refused
  [[ $(differ covered refused) == 0 ]] || fail "$how: the refused run drew on the screen"
done
[[ -z $(find "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_RUNTIME_DIR" -newer "$E2E_TMP/before") ]] ||
  fail "the refused runs changed files"
xdotool windowkill "$frame"
for _ in $(seq 50); do xwininfo -id "$frame" >/dev/null 2>&1 || break; sleep 0.1; done

# The scene on the root, under the window; input never reaches it, the idle time keeps growing.
start "$E2E_TMP/run.log"
wait_scene || fail "the root shows no moving scene: $(cat "$E2E_TMP/run.log")"
grep -q '^quillaby: wallpaper at most 30 frames a second, drawn at 100%$' "$E2E_TMP/run.log" ||
  fail "no line with the cap and scale: $(cat "$E2E_TMP/run.log")"
[[ $(differ bare a "$area") == 0 && $(differ bare b "$area") == 0 ]] || fail "the wallpaper drew over the window"
idle=$(xssstate -i)
sleep 3
(($(xssstate -i) >= idle + 2500)) || fail "the server's idle time did not keep growing: $idle, then $(xssstate -i)"
! grep -E 'XScreenSaverSuspend|DPMS|XSetScreenSaver' "$DPMS_STANDIN_LOG" ||
  fail "the wallpaper touched the server's saver or DPMS: $(cat "$DPMS_STANDIN_LOG")"
xdotool mousemove 100 300 click 1 key Escape
sleep 0.5
kill -0 $pid || fail "input ended the wallpaper"

# DPMS off: no frames, next to no CPU; on again: it moves again.
echo "off 1 600 600 600" >"$DPMS_STANDIN_STATE"
sleep 2
shot off-1
before=$(cpu_ticks $pid)
sleep 3
used=$(($(cpu_ticks $pid) - before))
shot off-2
[[ $(differ off-1 off-2) == 0 ]] || fail "the wallpaper drew while the monitor was off"
((used * 50 < hz * 3)) || fail "the wallpaper used $used of $((3 * hz)) CPU ticks in 3 s with the monitor off"
echo "on 1 600 600 600" >"$DPMS_STANDIN_STATE"
wait_scene || fail "the wallpaper did not draw again once the monitor was on"

kill -TERM $pid
ended_with 0 SIGTERM
shot after
[[ $(differ bare after) == 0 ]] || fail "the root's own background did not come back: $(differ bare after) pixels"

start "$E2E_TMP/run.log"
wait_scene || fail "the second run shows no scene"
kill -INT $pid
ended_with 0 SIGINT

# The server going is the session's end: 0, and said.
start "$E2E_TMP/run.log"
wait_scene || fail "the third run shows no scene"
kill "$E2E_X_PID"
ended_with 0 "the X server's end"
grep -q '^quillaby: the wallpaper ends: the X server closed the display$' "$E2E_TMP/run.log" ||
  fail "no word of the server's end: $(cat "$E2E_TMP/run.log")"
echo ok
