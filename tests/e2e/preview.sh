#!/usr/bin/env bash
# The still preview inside a host window (quillaby.scr /p XID): one child window of the host's size,
# following the host's size, using next to no CPU while it waits; the preview ends when the host
# window goes away, and on SIGTERM with exit code 0. A handle that is no window is refused with a
# clear message.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xvfb 800x600x24
scr=$E2E_TMP/quillaby.scr
ln -s "$program" "$scr"
cd "$E2E_TMP"

# Any X window will do as the host: the scene's own window job.
"$program" --window --size 320x240 --no-sound --notes 1 --bubbles 1 >host.out 2>host.err &
host_pid=$!
e2e_track "$host_pid"
host=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillaby' | head -n1) || fail "no host window"

children() { # "id WxH" per child window of the host
  xwininfo -children -id "$host" | grep -E '^ +0x' | sed -E 's/^ +(0x[0-9a-f]+) .* ([0-9]+x[0-9]+)[+-][0-9]+[+-][0-9]+ .*$/\1 \2/'
}

"$scr" /p "$(printf '0x%x' "$host")" >out 2>err &
pid=$!
e2e_track "$pid"
for _ in $(seq 100); do [[ -n $(children) ]] && break; sleep 0.1; done
[[ $(children | wc -l) == 1 ]] || fail "not one child window: $(xwininfo -children -id "$host"; cat err)"
[[ $(children | cut -d' ' -f2) == 320x240 ]] || fail "the child is not the host's size: $(children)"

xdotool windowsize "$host" 400 300
for _ in $(seq 50); do [[ $(children | cut -d' ' -f2) == 400x300 ]] && break; sleep 0.1; done
[[ $(children | cut -d' ' -f2) == 400x300 ]] || fail "the child did not follow the host: $(children)"
kill -0 "$pid" 2>/dev/null || fail "the preview ended early: $(cat err)"

# The still picture waits for the host's events instead of drawing it over and over: a fifth of a
# second of CPU in three seconds is far more than waiting takes and far less than spinning.
before=$(cpu_ticks "$pid")
sleep 3
used=$(($(cpu_ticks "$pid") - before))
((used * 5 <= $(getconf CLK_TCK))) || fail "the still preview used $used clock ticks of CPU in 3 s"

# SIGTERM ends it cleanly, with exit code 0 and its window gone.
kill -TERM "$pid"
rc=0
wait "$pid" || rc=$?
[[ $rc == 0 ]] || fail "SIGTERM ended the preview with exit code $rc: $(cat err)"
[[ -z $(children) ]] || fail "the preview's window outlived it: $(children)"

"$scr" /p "$(printf '0x%x' "$host")" >out 2>err &
pid=$!
e2e_track "$pid"
for _ in $(seq 100); do [[ -n $(children) ]] && break; sleep 0.1; done
[[ -n $(children) ]] || fail "no child window the second time: $(cat err)"
kill "$host_pid"
rc=0
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the preview outlived its host"
wait "$pid" || rc=$?
[[ $rc == 0 ]] || fail "the preview ended with exit code $rc: $(cat err)"

rc=0
timeout 20 "$scr" /p 12345 >out 2>err || rc=$?
[[ $rc == 1 ]] && grep -q 'Invalid window handle' err || fail "a handle that is no window: rc $rc, $(cat err)"
echo ok
