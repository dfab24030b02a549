#!/usr/bin/env bash
# The idle watcher on GNOME (headless mutter, two virtual monitors, GNOME's idle monitor on the
# session bus): `quillaby --idle-watch --idle-after 4` started beside quillaby.scr covers both
# monitors with the moving scene once the desktop has been idle 4 s, a key ends that saver and the
# watcher stays, the saver is back 4 idle seconds later. While gnome-session reports idle inhibited
# (a stand-in owning org.gnome.SessionManager with InhibitedActions 8, what mutter itself follows)
# no saver starts, and it comes once that is released; GNOME's shield (a stand-in
# org.gnome.ScreenSaver raising ActiveChanged) ends a running saver at once and keeps the next one
# back until it is lowered. SIGTERM ends the watcher with 0. A wait as long as GNOME's blank delay
# is named at start. The README's recipe, `--idle-watch on`,
# writes the autostart entry and starts a watcher of GNOME's idle monitor; `off` stops it.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
. "$(dirname "$0")/lib/sway.sh"
. "$(dirname "$0")/lib/mutter.sh"
program=$1
e2e_init
start_mutter || skip "headless mutter does not start here"
/usr/bin/python3 -c 'import dbusmock' 2>/dev/null || skip "python3-dbusmock is missing"
e2e_saver_files "$program" $'Sound=0\nDollarCount=5\nBubbleCount=5\n'
for m in Meta-0 Meta-1; do monitor_picture $m "$E2E_TMP/$m-desktop.png" || fail "no picture of $m"; done

# Stand-ins for what headless mutter lacks: gnome-session's inhibitors and gnome-shell's shield.
mock() { # name path
  /usr/bin/python3 -m dbusmock --session "$1" "$2" "$1" >"$E2E_TMP/$1.log" 2>&1 &
  e2e_track $!
  for _ in $(seq 50); do gdbus introspect --session -d "$1" -o "$2" >/dev/null 2>&1 && return 0; sleep 0.1; done
  fail "the stand-in for $1 did not start: $(cat "$E2E_TMP/$1.log")"
}
mock_call() { gdbus call --session -d "$1" -o "$2" -m "org.freedesktop.DBus.Mock.$3" "${@:4}" >/dev/null; }
mock org.gnome.SessionManager /org/gnome/SessionManager
mock_call org.gnome.SessionManager /org/gnome/SessionManager AddProperty org.gnome.SessionManager \
  InhibitedActions '<uint32 0>'
inhibit() { mock_call org.gnome.SessionManager /org/gnome/SessionManager UpdateProperties \
  org.gnome.SessionManager "{'InhibitedActions': <uint32 $1>}"; }
mock org.gnome.ScreenSaver /org/gnome/ScreenSaver
mock_call org.gnome.ScreenSaver /org/gnome/ScreenSaver AddMethod org.gnome.ScreenSaver GetActive '' b 'ret = False'
shield() { mock_call org.gnome.ScreenSaver /org/gnome/ScreenSaver EmitSignal org.gnome.ScreenSaver ActiveChanged \
  b "[<$1>]"; }

no_saver_for() { # watcher seconds what
  for _ in $(seq "$2"); do
    [[ -z $(saver_of "$1") ]] || fail "a saver started $3"
    sleep 1
  done
}

./bin/quillaby --idle-watch --idle-after 4 >watch.out 2>watch.err &
watcher=$!
e2e_track $watcher
wait_saver $watcher || fail "no saver after 4 idle seconds: $(cat watch.err)"
grep -q "watching through GNOME's idle monitor" watch.err || fail "the source is not named: $(cat watch.err)"
for m in Meta-0 Meta-1; do
  for _ in $(seq 60); do
    monitor_picture $m "$E2E_TMP/$m-a.png" && pictures_differ "$E2E_TMP/$m-a.png" "$E2E_TMP/$m-desktop.png" && break
    sleep 1
  done
  sleep 1
  monitor_picture $m "$E2E_TMP/$m-b.png"
  pictures_differ "$E2E_TMP/$m-a.png" "$E2E_TMP/$m-desktop.png" && pictures_differ "$E2E_TMP/$m-a.png" "$E2E_TMP/$m-b.png" ||
    fail "$m does not show the moving scene"
done

saver=$(saver_of $watcher)
mutter_input key
wait_exit "$saver" || fail "a key did not end the watcher's saver"
kill -0 $watcher 2>/dev/null || fail "the watcher ended with its saver: $(cat watch.err)"
wait_saver $watcher || fail "the saver did not come back after 4 more idle seconds"

# Idle inhibited, as gnome-session reports while a video plays: the key that ends this saver is the
# last input, and no saver comes while the inhibitor holds.
inhibit 8
saver=$(saver_of $watcher)
mutter_input key
wait_exit "$saver" || fail "a key did not end the second saver"
no_saver_for $watcher 10 "while gnome-session reported idle inhibited"
inhibit 0
wait_saver $watcher || fail "no saver once the inhibitor was released"

# GNOME's shield ends the running saver within a second or two, and keeps the next one back.
saver=$(saver_of $watcher)
shield true
for _ in $(seq 30); do kill -0 "$saver" 2>/dev/null || break; sleep 0.1; done
kill -0 "$saver" 2>/dev/null && fail "the saver still runs 3 s after GNOME raised its shield"
grep -q 'the desktop blanked the screen' watch.err || fail "the watcher did not say why: $(cat watch.err)"
mutter_input move 1 5 5
no_saver_for $watcher 8 "under GNOME's shield"
shield false
mutter_input move 1 5 5
wait_saver $watcher || fail "no saver after the shield went and the desktop was idle again"
stop_watcher $watcher "$(saver_of $watcher)"

# A wait no shorter than GNOME's own blank delay (300 s unless set) is named at start.
if command -v gsettings >/dev/null; then
  ./bin/quillaby --idle-watch --idle-after 300 >/dev/null 2>late.err &
  late=$!
  e2e_track $late
  for _ in $(seq 100); do grep -q 'GNOME blanks the screen after 300 s' late.err && break; sleep 0.1; done
  grep -q 'GNOME blanks the screen after 300 s, before the saver' late.err || fail "no word of GNOME's blank delay: $(cat late.err)"
  kill $late
  wait_gone $late || fail "the watcher outlived SIGTERM"
fi

# The README's recipe: on writes the entry and starts a watcher of GNOME's idle monitor; off stops it.
XDG_CURRENT_DESKTOP=GNOME ./bin/quillaby --idle-watch on >on.log 2>&1 || fail "on: $(cat on.log)"
[[ -f $XDG_CONFIG_HOME/autostart/quillaby-idle-watch.desktop ]] || fail "on wrote no autostart entry: $(cat on.log)"
for _ in $(seq 100); do grep -q "watching through GNOME's idle monitor" on.log && break; sleep 0.1; done
grep -q "watching through GNOME's idle monitor" on.log || fail "on started no watcher of GNOME's: $(cat on.log)"
./bin/quillaby --idle-watch off >off.log 2>&1
grep -q 'the idle watcher has stopped' off.log || fail "off: $(cat off.log)"
echo PASS
