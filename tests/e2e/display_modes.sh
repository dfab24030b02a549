#!/usr/bin/env bash
# Real display-mode switching on Xorg's dummy driver: with 640 x 480 stored, the full-screen window
# puts the display in 640 x 480, and the starting size comes back after a normal close, an
# exception, SIGTERM, SIGINT, SIGHUP and SIGKILL (the last through the watchdog process).
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
tool=$(dirname "$1")/tools/modeswitch/quillaby-modeswitch
[[ -x $tool ]] || fail "no $tool"
e2e_init
start_xdummy || skip "Xorg with the dummy driver cannot start here"
set -m # background jobs keep SIGINT (a non-interactive shell would start them ignoring it)

size() { xdpyinfo | awk '/dimensions:/ {print $2}'; }
desktop=$(size)
[[ $desktop != 640x480 ]] || fail "the server starts in the mode under test"
mkdir -p "$XDG_CONFIG_HOME/Harnwick Software"
printf 'ColorDepth=32\nWidth=640\nHeight=480\n' >"$XDG_CONFIG_HOME/Harnwick Software/Quillaby.conf"

start() { # [tool options]
    rm -f "$E2E_TMP/out" # not the last run's line
    "$tool" "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
    pid=$!
    e2e_track $pid
    for _ in $(seq 300); do grep -q . "$E2E_TMP/out" && break; sleep 0.1; done
    [[ $(cat "$E2E_TMP/out") == "switched 640x480" ]] || fail "no switch: $(cat "$E2E_TMP/out" "$E2E_TMP/err")"
    [[ $(size) == 640x480 ]] || fail "the display shows $(size) while switched"
}

ended() { # how, expected exit status
    local rc=0
    for _ in $(seq 300); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    wait $pid || rc=$?
    [[ $rc == "$2" ]] || fail "$1: exit status $rc, not $2: $(cat "$E2E_TMP/err")"
    for _ in $(seq 300); do [[ $(size) == "$desktop" ]] && break; sleep 0.1; done
    [[ $(size) == "$desktop" ]] || fail "$1 left the display at $(size), not $desktop"
}

start
xdotool key Escape
ended "a key" 0

start --throw-on-key
xdotool key Escape
ended "an exception" 1
grep -q "A key raised this error" "$E2E_TMP/err" || fail "the exception's message is missing"

for sig in TERM INT HUP; do
    start
    kill -$sig $pid
    ended "SIG$sig" 0
done

start
kill -KILL $pid
ended "SIGKILL" 137
echo ok
