#!/usr/bin/env bash
# "Run As EXE": the saver file starts its executable twin (the plain program beside it) and waits;
# a key ends both, and a SIGTERM sent to the saver file reaches the twin. The rotating theme moves
# on by one per saver run and is stored at its end.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xvfb 800x600x24
mkdir -p "$E2E_TMP/bin"
ln -s "$program" "$E2E_TMP/bin/quillaby.scr"
ln -s "$program" "$E2E_TMP/bin/quillaby"
cd "$E2E_TMP"
conf="$XDG_CONFIG_HOME/Harnwick Software/Quillaby.conf"
mkdir -p "$(dirname "$conf")"
printf 'RunAsExe=1\nTheme=-1\nDollarCount=5\nBubbleCount=5\n' >"$conf" # Theme -1: rotating, now at Immersion

twin_of() { # the saver file's child, once it has one
  local child=
  for _ in $(seq 100); do
    child=$(ps -o pid= --ppid "$1" | tr -d ' ' | head -n1)
    [[ -n $child ]] && break
    sleep 0.1
  done
  echo "$child"
}

wait_end() { # pid what
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  fail "$2"
}

bin/quillaby.scr /s >out 2>err &
scr=$!
e2e_track "$scr"
twin=$(twin_of "$scr")
[[ -n $twin ]] || fail "no twin was started: $(cat err)"
e2e_track "$twin"
[[ $(readlink "/proc/$twin/exe") == "$program" && $(tr '\0' ' ' <"/proc/$twin/cmdline") == *"bin/quillaby /s "* ]] ||
  fail "the child is not the twin with /s: $(tr '\0' ' ' <"/proc/$twin/cmdline")"
timeout 20 xdotool search --sync --onlyvisible --name '^Quillaby$' >/dev/null || fail "the twin shows no saver"
xdotool key space
wait_end "$twin" "a key did not end the twin"
wait_end "$scr" "the saver file outlived its twin"
rc=0
wait "$scr" || rc=$?
[[ $rc == 0 ]] || fail "the saver file ended with $rc: $(cat err)"
grep -qx 'Theme=-2' "$conf" || fail "the rotating theme was not stored as Fountain: $(cat "$conf")"

# A daemon that stops the saver file stops the twin too.
bin/quillaby.scr /s >out 2>err &
scr=$!
e2e_track "$scr"
twin=$(twin_of "$scr")
[[ -n $twin ]] || fail "no twin the second time"
e2e_track "$twin"
timeout 20 xdotool search --sync --onlyvisible --name '^Quillaby$' >/dev/null || fail "the twin shows no saver"
kill -TERM "$scr"
wait_end "$twin" "SIGTERM did not reach the twin"
wait_end "$scr" "the saver file did not end"
grep -qx 'Theme=-3' "$conf" || fail "the second run did not store Fishes: $(cat "$conf")"
echo ok
