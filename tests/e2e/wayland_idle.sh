#!/usr/bin/env bash
# Idle on a Wayland compositor (headless sway 1.7, two outputs). The scene in a window (--window)
# holds no idle inhibitor: the desktop's idle steps still come while it is open. With it open, the
# saver started by the desktop's idle daemon (swayidle -w timeout 1 'quillaby.scr /s') comes after a
# second of no input, asks for no idle inhibitor, and a typed key ends it. Then our own idle watcher
# (quillaby --idle-watch, through the compositor's idle protocol) starts the saver over both outputs,
# again after a key ended it; a view holding an idle inhibitor keeps it off, and SIGTERM ends the
# watcher and its saver.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
. "$(dirname "$0")/lib/sway.sh"
program=$1
e2e_init
start_sway || skip "headless sway does not start here"
command -v swayidle >/dev/null || skip "swayidle is missing"
e2e_saver_files "$program" 'Sound=0'

./bin/quillaby --window --size 320x240 --notes 2 --bubbles 2 >window.log 2>&1 &
window=$!
e2e_track $window
view=
for _ in $(seq 100); do
  view=$(swaymsg -t get_tree | jq -c ".. | objects | select(.pid? == $window)" | head -1)
  [[ -n $view ]] && break
  sleep 0.2
done
[[ -n $view ]] || fail "the window did not appear: $(cat window.log)"
[[ $(jq .inhibit_idle <<<"$view") == false ]] || fail "the window holds an idle inhibitor: $view"

protocol=$E2E_TMP/protocol.log
swayidle -w timeout 1 "WAYLAND_DEBUG=1 exec $E2E_TMP/bin/quillaby.scr /s 2>>$protocol" >"$E2E_TMP/swayidle.log" 2>&1 &
swayidle=$!
e2e_track $swayidle
wait_covered HEADLESS-2 || fail "the idle daemon did not start the saver: $(cat "$E2E_TMP/swayidle.log")"
saver=$(pgrep -x -P "$swayidle" quillaby.scr | head -1)
[[ -n $saver ]] || fail "no saver process"

grep -q 'zwlr_layer_shell_v1@[0-9]*\.get_layer_surface' "$protocol" || fail "no layer surface in the protocol log"
# Binding the manager (SDL's own connection does) inhibits nothing; an inhibitor would.
grep -q 'zwp_idle_inhibit_manager_v1@[0-9]*\.create_inhibitor' "$protocol" &&
  fail "the saver asked for an idle inhibitor: $(grep create_inhibitor "$protocol" | head -3)"

# The headless seat has no keyboard until wtype makes one: the pause lets the saver take it first.
wtype -s 3000 a
wait_exit "$saver" || fail "a typed key did not end the saver"
# A second idle second may already have started another saver, which swayidle -w waits for
# before it reads its signal: that one is ended too.
kill $swayidle
pkill -x -P $swayidle quillaby.scr || true
wait_exit $swayidle || fail "swayidle did not end"

# Our own watcher, through the compositor's idle protocol.
./bin/quillaby --idle-watch --idle-after 3 >watch.out 2>watch.err &
watcher=$!
e2e_track $watcher
wait_covered HEADLESS-2 || fail "the watcher did not start the saver: $(cat watch.err)"
wait_covered HEADLESS-1 || fail "the saver did not cover HEADLESS-1"
grep -q "watching through the compositor's .*idle" watch.err || fail "the source is not named: $(cat watch.err)"
saver=$(saver_of $watcher)
[[ -n $saver ]] || fail "the saver is not the watcher's"
wtype -s 2000 a
wait_exit "$saver" || fail "a typed key did not end the watcher's saver"
kill -0 $watcher 2>/dev/null || fail "the watcher ended with its saver: $(cat watch.err)"
wait_saver $watcher || fail "the saver did not come back after 3 more idle seconds"
saver=$(saver_of $watcher)
wtype -s 2000 a
wait_exit "$saver" || fail "a typed key did not end the second saver"

# A view holding an idle inhibitor (a video player would) keeps the saver off, and its release lets it come.
swaymsg -q "[pid=$window] inhibit_idle open"
for _ in $(seq 8); do
  [[ -z $(saver_of $watcher) ]] || fail "a saver started while a view inhibited idle"
  sleep 1
done
swaymsg -q "[pid=$window] inhibit_idle none"
wtype a # idle counts from the last input once nothing inhibits it
wait_saver $watcher || fail "no saver once the inhibitor was gone"
stop_watcher $watcher "$(saver_of $watcher)"
echo PASS
