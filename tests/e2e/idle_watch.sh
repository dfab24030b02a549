#!/usr/bin/env bash
# The idle watcher on an X11 session with no idle daemon (Xvfb): `quillaby --idle-watch` starts the
# saver file beside it once the server has been idle, a key ends that saver and the watcher stays
# for the next spell; a player resetting the server's saver every second keeps it off; one watcher a
# session; SIGTERM ends the watcher with 0 and its saver with it. Bad values end with 2 and no session
# at all is a clear error. `--idle-watch on/off` writes and removes the autostart entry and starts and
# stops the session's watcher. The X server's end ends the watcher with 0.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
e2e_saver_files "$program" $'DollarCount=2\nBubbleCount=2\nSound=0\n'

for bad in 0 -5 abc 99999999; do
  code=0
  ./bin/quillaby --idle-watch --idle-after "$bad" >/dev/null 2>err || code=$?
  [[ $code == 2 ]] && grep -q -- '--idle-after needs a whole number' err || fail "--idle-after $bad: $code, $(cat err)"
done
code=0
env -u DISPLAY -u WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent ./bin/quillaby --idle-watch \
  >/dev/null 2>err || code=$?
[[ $code == 1 ]] && grep -q 'cannot tell when the desktop is idle: looked for GNOME' err ||
  fail "no session at all: $code, $(cat err)"

start_xvfb 640x480x24
./bin/quillaby --idle-watch --idle-after 3 >watch.out 2>watch.err &
watcher=$!
e2e_track $watcher
wait_saver $watcher || fail "no saver after 3 idle seconds: $(cat watch.err)"
grep -q "watching through the X server's idle time" watch.err || fail "the source is not named: $(cat watch.err)"
first=$(saver_of $watcher)
wait_window '^Quillaby$' >/dev/null || fail "the saver shows no window: $(cat watch.err)"
sleep 1
code=0
timeout 10 ./bin/quillaby --idle-watch >second.out 2>&1 || code=$?
[[ $code == 0 ]] && grep -q 'already running' second.out || fail "a second watcher: $code, $(cat second.out)"

xdotool key a
wait_gone "$first" || fail "a key did not end the saver"
kill -0 $watcher 2>/dev/null || fail "the watcher ended with its saver: $(cat watch.err)"
wait_saver $watcher || fail "the saver did not come back after 3 more idle seconds"
wait_window '^Quillaby$' >/dev/null || fail "the second saver shows no window"
sleep 1 # input that comes with its window is not yet the user's
xdotool key a
wait_gone "$(saver_of $watcher)" || fail "a key did not end the second saver"

# A video player resets the server's saver every second: no saver in 8 s.
for _ in $(seq 8); do
  xset s reset
  [[ -z $(saver_of $watcher) ]] || fail "a saver started while the server's saver was being reset"
  sleep 1
done

wait_saver $watcher || fail "no saver once the resets stopped"
stop_watcher $watcher "$(saver_of $watcher)"
grep -q 'quillaby: stopped' watch.err || fail "the watcher did not say it stopped: $(cat watch.err)"

# On and off, on a desktop that runs autostart entries, then on one that does not.
entry=$XDG_CONFIG_HOME/autostart/quillaby-idle-watch.desktop
XDG_CURRENT_DESKTOP=GNOME ./bin/quillaby --idle-watch on 7 >on.out 2>&1 || fail "on: $(cat on.out)"
grep -qx "Exec=$E2E_TMP/bin/quillaby --idle-watch" "$entry" || fail "the entry: $(cat "$entry" 2>&1)"
grep -qx 'IdleMinutes=7' "$conf" || fail "the minutes were not stored: $(cat "$conf")"
timeout 10 ./bin/quillaby --idle-watch >third.out 2>&1 || true
grep -q 'already running' third.out || fail "on started no watcher: $(cat on.out third.out)"
./bin/quillaby --idle-watch off >off.out 2>&1 || fail "off: $(cat off.out)"
[[ ! -e $entry ]] && grep -q 'the idle watcher has stopped' off.out || fail "off: $(cat off.out)"
XDG_CURRENT_DESKTOP=sway ./bin/quillaby --idle-watch on >on2.out 2>&1 || fail "on under sway: $(cat on2.out)"
grep -q "exec $E2E_TMP/bin/quillaby --idle-watch" on2.out && [[ ! -e $entry ]] || fail "on under sway: $(cat on2.out)"
./bin/quillaby --idle-watch off >off2.out 2>&1
grep -q 'the idle watcher has stopped' off2.out || fail "off after on under sway: $(cat off2.out)"

# The X server going (the session's end) ends the watcher with 0.
./bin/quillaby --idle-watch --idle-after 3600 >/dev/null 2>last.err &
watcher=$!
e2e_track $watcher
for _ in $(seq 50); do grep -q watching last.err && break; sleep 0.1; done
kill "$E2E_X_PID"
wait_gone $watcher || fail "the watcher outlived the X server"
code=0
wait $watcher || code=$?
[[ $code == 0 ]] && grep -q 'the session has ended' last.err || fail "the X server's end: $code, $(cat last.err)"
echo PASS
