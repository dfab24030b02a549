#!/usr/bin/env bash
# The saver started by the Wayland desktop's idle daemon (swayidle -w timeout 1 'quillaby.scr /s'):
# it comes after a second of no input, asks the compositor for no idle inhibitor (the user's later
# idle steps, the monitor's power, still come), and a typed key ends it.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
. "$(dirname "$0")/lib/sway.sh"
program=$1
e2e_init
start_sway || skip "headless sway does not start here"
command -v swayidle >/dev/null || skip "swayidle is missing"
e2e_saver_files "$program" 'Sound=0'

protocol=$E2E_TMP/protocol.log
swayidle -w timeout 1 "WAYLAND_DEBUG=1 exec $E2E_TMP/bin/quillaby.scr /s 2>>$protocol" >"$E2E_TMP/swayidle.log" 2>&1 &
swayidle=$!
e2e_track $swayidle
wait_covered HEADLESS-1 || fail "the idle daemon did not start the saver: $(cat "$E2E_TMP/swayidle.log")"
wait_covered HEADLESS-2 || fail "the second output was not covered"
saver=$(pgrep -x -P "$swayidle" quillaby.scr | head -1)
[[ -n $saver ]] || fail "no saver process"

grep -q 'zwlr_layer_shell_v1@[0-9]*\.get_layer_surface' "$protocol" || fail "no layer surface in the protocol log"
# Binding the manager (SDL's own connection does) inhibits nothing; an inhibitor would.
grep -q 'zwp_idle_inhibit_manager_v1@[0-9]*\.create_inhibitor' "$protocol" &&
  fail "the saver asked for an idle inhibitor: $(grep create_inhibitor "$protocol" | head -3)"

# The headless seat has no keyboard until wtype makes one: the pause lets the saver take it first.
wtype -s 3000 a
wait_exit "$saver" || fail "a typed key did not end the saver"
echo PASS
