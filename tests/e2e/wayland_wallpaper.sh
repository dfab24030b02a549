#!/usr/bin/env bash
# --wallpaper in a Wayland session (headless sway with no background program of its own): the moving
# scene on the background layer of both outputs and of one added later, under an ordinary window,
# with the user's stored render scale and the default cap of 30 frames a second; keys, clicks and
# pointer moves leave it running, SIGTERM ends it with 0 and so does the compositor going away; when
# outputs go it goes on on the others, and waits for one when none is left. Where no compositor
# answers it refuses with the command line's exit code and changes nothing. A second one ends with 0. On
# battery (UPower's stand-in), under a full-screen window and under swaylock it rests: no commits, no CPU.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
. "$(dirname "$0")/lib/sway.sh"
program=$1
pointer=${QUILLABY_POINTER_MOVES:-$(dirname "$program")/tests/pointer-moves}
e2e_init
# Outputs at 120 Hz: uncapped, the frames would come faster than the cap.
SWAY_BACKGROUND=none start_sway 'output HEADLESS-1 mode 800x600@120Hz' 'output HEADLESS-2 mode 640x480@120Hz' ||
  skip "headless sway does not start here"
# A small scale and few objects keep the frames cheap enough for the cap to be what limits them.
e2e_saver_files "$program" $'Sound=0\nRenderScale=25\nBubbleCount=0\nDollarCount=10\nFewerPasses=1\n'

# wait_scene NAME: waits up to 60 s for output NAME to show a picture that changes within a second
# (an empty output never does); returns 1 when it does not.
wait_scene() {
  local _
  for _ in $(seq 60); do
    output_picture "$1" "$E2E_TMP/$1-a.png" && sleep 1 && output_picture "$1" "$E2E_TMP/$1-b.png" &&
      pictures_differ "$E2E_TMP/$1-a.png" "$E2E_TMP/$1-b.png" && return 0
  done
  return 1
}

on_battery() { # true or false: UPower's stand-in says so
  gdbus call --system -d org.freedesktop.UPower -o /org/freedesktop/UPower \
    -m org.freedesktop.DBus.Mock.UpdateProperties org.freedesktop.UPower "{'OnBattery': <$1>}" >/dev/null
}
commits_since() { tail -n "+$(($1 + 1))" "$E2E_TMP/wallpaper.log" | grep -c -- '-> wl_surface@[0-9]*\.commit' || true; }
# quiet SECONDS WHAT: the wallpaper commits nothing for SECONDS and uses under 0.02 CPU s/s meanwhile.
quiet() {
  local lines ticks commits
  lines=$(wc -l <"$E2E_TMP/wallpaper.log") ticks=$(cpu_ticks $wallpaper)
  sleep "$1"
  commits=$(commits_since "$lines") ticks=$(($(cpu_ticks $wallpaper) - ticks))
  echo "$2: $commits commits, $ticks clock ticks of CPU in $1 s"
  ((commits == 0)) && awk -v t=$ticks -v hz="$(getconf CLK_TCK)" -v s="$1" 'BEGIN { exit !(t / hz / s < 0.02) }' ||
    fail "$2: $commits commits, $ticks clock ticks of CPU in $1 s"
}
# draws_again WHAT: the wallpaper commits again within 2 s.
draws_again() {
  local lines _
  lines=$(wc -l <"$E2E_TMP/wallpaper.log")
  for _ in $(seq 20); do (($(commits_since "$lines") > 0)) && return 0 || sleep 0.1; done
  fail "$1: no commit within 2 s"
}

# UPower's stand-in on a system bus of the test's own, on mains.
dbus-daemon --session --nofork --address="unix:path=$E2E_TMP/system-bus" >"$E2E_TMP/system-bus.log" 2>&1 &
e2e_track $!
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$E2E_TMP/system-bus
/usr/bin/python3 -m dbusmock --system --template upower >"$E2E_TMP/upower.log" 2>&1 &
upower_mock=$!
e2e_track $upower_mock
for _ in $(seq 100); do on_battery false 2>/dev/null && break; sleep 0.1; done

# Refused where it cannot run: no compositor, or the X11 session forced.
touch "$E2E_TMP/before"
for how in "env -u WAYLAND_DISPLAY" "env QUILLABY_VIDEO=x11"; do
  code=0
  $how ./bin/quillaby --wallpaper >"$E2E_TMP/refused.log" 2>&1 || code=$?
  [[ $code == 2 ]] || fail "$how: ended with $code, not 2: $(cat "$E2E_TMP/refused.log")"
  grep -q '^quillaby: --wallpaper needs a Wayland session whose compositor has a layer shell' \
    "$E2E_TMP/refused.log" || fail "$how: $(head -3 "$E2E_TMP/refused.log")"
done
[[ -z $(find "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" -newer "$E2E_TMP/before") ]] || fail "a refused run changed files"

WAYLAND_DEBUG=1 ./bin/quillaby --wallpaper 2>"$E2E_TMP/wallpaper.log" &
wallpaper=$!
e2e_track $wallpaper
for output in HEADLESS-1 HEADLESS-2; do
  wait_scene $output || fail "$output shows no moving scene: $(grep -v '^\[' "$E2E_TMP/wallpaper.log")"
done
[[ $(identify -format '%wx%h' "$E2E_TMP/HEADLESS-2-a.png") == 640x480 ]] || fail "HEADLESS-2 is not 640x480"
grep -q '^quillaby: wallpaper at most 30 frames a second, drawn at 25%$' "$E2E_TMP/wallpaper.log" ||
  fail "no line with the cap and the stored scale: $(grep -v '^\[' "$E2E_TMP/wallpaper.log")"

# The cap: frames (commits of each surface) a second over two seconds, at most what a sleep that ends
# a little late allows; at least 20 in one of a few tries (other programs may hold the processor).
capped=
for _ in $(seq 6); do
  lines=$(wc -l <"$E2E_TMP/wallpaper.log")
  start=$(date +%s.%N)
  sleep 2
  end=$(wc -l <"$E2E_TMP/wallpaper.log")
  seconds=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')
  rates=$(sed -n "$((lines + 1)),${end}p" "$E2E_TMP/wallpaper.log" | grep -o -- '-> wl_surface@[0-9]*\.commit' |
    sort | uniq -c | awk -v s="$seconds" '{ printf "%.1f ", $1 / s }')
  read -r -a rate <<<"$rates"
  ((${#rate[@]} == 2)) || fail "commits of ${#rate[@]} surfaces, not 2: $rates"
  awk -v a="${rate[0]}" -v b="${rate[1]}" 'BEGIN { exit !(a > 31 || b > 31) }' &&
    fail "frames a second per surface above the cap: $rates"
  awk -v a="${rate[0]}" -v b="${rate[1]}" 'BEGIN { exit !(a >= 20 && b >= 20) }' && capped=1 && break
done
[[ -n $capped ]] || fail "frames a second per surface never reached 20: $rates"

# One per session: a second ends at once with 0, saying so; the first goes on.
timeout 10 ./bin/quillaby --wallpaper >"$E2E_TMP/second.log" 2>&1 ||
  fail "a second wallpaper ended with $?: $(cat "$E2E_TMP/second.log")"
grep -q '^quillaby: a wallpaper is already running in this session$' "$E2E_TMP/second.log" ||
  fail "the second wallpaper did not say why it ended: $(cat "$E2E_TMP/second.log")"
draws_again "the first wallpaper after the second one"

# On battery it rests: commits stop within 2 s, the last frame stays; on mains it draws again within
# 2 s, and so it does when UPower goes.
on_battery true
sleep 2
output_picture HEADLESS-2 "$E2E_TMP/rest-a.png"
quiet 4 "on battery"
output_picture HEADLESS-2 "$E2E_TMP/rest-b.png"
! pictures_differ "$E2E_TMP/rest-a.png" "$E2E_TMP/rest-b.png" && picture_whole "$E2E_TMP/rest-b.png" ||
  fail "on battery HEADLESS-2 does not keep the last frame"
on_battery false
draws_again "on mains again"
on_battery true
sleep 2
quiet 2 "on battery again"
kill $upower_mock
draws_again "once UPower went"

# Input never ends it: a key, pointer moves past the saver's threshold, a click.
wtype a
"$pointer" 8 10 10 100
"$pointer" click 100 100 1440 600
wait_scene HEADLESS-1 || fail "the wallpaper stopped after input"
kill -0 $wallpaper 2>/dev/null || fail "input ended the wallpaper: $(grep -v '^\[' "$E2E_TMP/wallpaper.log")"

# An ordinary window lies above it: the settings dialog, floated in the middle of HEADLESS-1, shows
# its own flat strip between the sound box and the buttons.
./bin/quillaby >"$E2E_TMP/dialog.log" 2>&1 &
dialog=$!
e2e_track $dialog
for _ in $(seq 120); do
  grep -q '"app_id": "quillaby"' <<<"$(swaymsg -t get_tree)" && break
  sleep 0.5
done
sleep 2
output_picture HEADLESS-1 "$E2E_TMP/dialog.png"
colours=$(convert "$E2E_TMP/dialog.png" -crop 300x14+160+428 +repage -format '%k' info:)
((colours < 8)) || fail "the dialog's strip shows $colours colours: the wallpaper is over the window"
kill $dialog
wait_exit $dialog || fail "the dialog did not end"

# Under a full-screen window over both outputs, and under swaylock, it commits nothing.
./bin/quillaby --window --size 160x120 --max-fps 5 >"$E2E_TMP/window.log" 2>&1 &
window=$!
e2e_track $window
for _ in $(seq 120); do swaymsg -q "[pid=$window] fullscreen enable global" 2>/dev/null && break; sleep 0.5; done
grep -q '"fullscreen_mode": 2' <<<"$(swaymsg -t get_tree)" || fail "the window is not full screen on both outputs"
sleep 2
quiet 3 "under a full-screen window"
kill $window
draws_again "once the full-screen window went"
swaylock -c 000000 >"$E2E_TMP/swaylock.log" 2>&1 &
locker=$!
e2e_track $locker
sleep 2
output_picture HEADLESS-2 "$E2E_TMP/locked.png"
awk -v m="$(picture_mean "$E2E_TMP/locked.png")" 'BEGIN { exit !(m < 0.02) }' ||
  fail "swaylock's black is not on HEADLESS-2 (scripts/setup-deps): $(cat "$E2E_TMP/swaylock.log")"
quiet 3 "under swaylock"
kill -USR1 $locker # swaylock's own unlock
draws_again "once swaylock went"

swaymsg -q create_output
wait_scene HEADLESS-3 || fail "the output added during the run shows no wallpaper"

kill -TERM $wallpaper
wait_exit $wallpaper || fail "SIGTERM did not end the wallpaper"
code=0
wait $wallpaper || code=$?
[[ $code == 0 ]] || fail "SIGTERM: ended with $code: $(grep -v '^\[' "$E2E_TMP/wallpaper.log")"
! grep -q 'idle_inhibit_manager_v1@[0-9]*\.create_inhibitor' "$E2E_TMP/wallpaper.log" ||
  fail "the wallpaper keeps the desktop awake"

# The compositor going away ends it too (here started as the saver file), with 0 and the reason.
./bin/quillaby.scr --wallpaper 2>"$E2E_TMP/wallpaper2.log" &
wallpaper=$!
e2e_track $wallpaper
wait_scene HEADLESS-1 || fail "the second run shows no scene"
kill $E2E_SWAY_PID
wait_exit $wallpaper || fail "the wallpaper outlived the compositor"
code=0
wait $wallpaper || code=$?
[[ $code == 0 ]] || fail "the compositor went: ended with $code: $(cat "$E2E_TMP/wallpaper2.log")"
grep -q '^quillaby: the wallpaper ends: The Wayland compositor closed the connection' "$E2E_TMP/wallpaper2.log" ||
  fail "no line saying why it ended: $(cat "$E2E_TMP/wallpaper2.log")"

# Outputs that go (a nested sway's can be unplugged): the wallpaper goes on on the other one, waits
# when none is left, and covers the next that comes.
wait_exit "$E2E_SWAY_PID" || fail "the first sway did not end"
rm -rf "$SWAY_DIR"
SWAY_BACKGROUND=none start_nested_sway || skip "a nested sway does not start here"
./bin/quillaby --wallpaper 2>"$E2E_TMP/wallpaper3.log" &
wallpaper=$!
e2e_track $wallpaper
wait_scene WL-2 || fail "WL-2 shows no wallpaper: $(cat "$E2E_TMP/wallpaper3.log")"
unplug_output WL-1 || fail "WL-1 could not be unplugged"
wait_scene WL-2 || fail "WL-2 lost the wallpaper when WL-1 went: $(cat "$E2E_TMP/wallpaper3.log")"
unplug_output WL-2 || fail "WL-2 could not be unplugged"
sleep 1
kill -0 $wallpaper 2>/dev/null || fail "the wallpaper ended when every output went: $(cat "$E2E_TMP/wallpaper3.log")"
swaymsg -q create_output
wait_scene WL-3 || fail "the output that came shows no wallpaper: $(cat "$E2E_TMP/wallpaper3.log")"
echo PASS
