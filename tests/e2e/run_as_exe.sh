#!/usr/bin/env bash
# "Run As EXE": the saver file starts its executable twin (the plain program beside it) with the same
# switch and our own options, and waits; a key ends both, and a SIGTERM sent to the saver file
# reaches the twin. The rotating theme moves on by one per saver run and is stored at its end. With
# /c the twin shows the settings dialog; without a twin the saver file ends silently.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xvfb 800x600x24
e2e_saver_files "$program" $'RunAsExe=1\nTheme=-1\nDollarCount=5\nBubbleCount=5\n' # Theme -1: rotating, now at Immersion

# Starts the saver file with the arguments and waits for its child, the twin: sets scr and twin.
start_scr() {
  bin/quillaby.scr "$@" >out 2>err &
  scr=$!
  e2e_track "$scr"
  twin=
  for _ in $(seq 100); do
    twin=$(ps -o pid= --ppid "$scr" | tr -d ' ' | head -n1) || true # none yet
    [[ -n $twin ]] && break
    sleep 0.1
  done
  [[ -n $twin ]] || fail "no twin was started for $*: $(cat err)"
  e2e_track "$twin"
  [[ $(readlink "/proc/$twin/exe") == "$program" ]] || fail "the child for $* is not the program"
}

twin_args() { tr '\0' ' ' <"/proc/$twin/cmdline"; }

ends() { # pid what
  wait_gone "$1" || fail "$2"
}

start_scr --log --seed 5 /s
[[ $(twin_args) == *"bin/quillaby --log --seed 5 /s " ]] || fail "the twin lacks our options or /s: $(twin_args)"
wait_window '^Quillaby$' >/dev/null || fail "the twin shows no saver"
xdotool key space
ends "$twin" "a key did not end the twin"
ends "$scr" "the saver file outlived its twin"
wait "$scr" || fail "the saver file failed: $(cat err)"
grep -qx 'Theme=-2' "$conf" || fail "the rotating theme was not stored as Fountain: $(cat "$conf")"
tr -d '\0' <bin/quillaby.log | grep -q '^Full Screen mode: ' || fail "the twin did not keep the log it was asked for"

# A daemon that stops the saver file stops the twin too.
start_scr /s
wait_window '^Quillaby$' >/dev/null || fail "the twin shows no saver"
kill -TERM "$scr"
ends "$twin" "SIGTERM did not reach the twin"
ends "$scr" "the saver file did not end"
grep -qx 'Theme=-3' "$conf" || fail "the second run did not store Fishes: $(cat "$conf")"

# /c: the twin shows the settings dialog; "Cancel" ends both.
start_scr /c
[[ $(twin_args) == *"bin/quillaby /c " ]] || fail "the twin lacks /c: $(twin_args)"
dialog=$(wait_window '^Quillaby Screen Saver') || fail "the twin shows no settings dialog: $(cat err)"
wait_live_dialog "$dialog"
xdotool mousemove --window "$dialog" 465 340 sleep 0.2 click 1
ends "$twin" "Cancel did not end the twin"
ends "$scr" "the saver file outlived its twin"
wait "$scr" || fail "the saver file failed after its twin's dialog: $(cat err)"

# Without a twin the saver file ends at once, silently, in every mode that would relaunch.
mkdir lonely
ln -s "$program" lonely/quillaby.scr
for mode in /s /c; do
  rc=0
  timeout 20 lonely/quillaby.scr "$mode" >out 2>err || rc=$?
  [[ $rc == 0 && ! -s err ]] || fail "$mode without a twin: exit code $rc, $(cat err)"
  [[ -z $(xdotool search --onlyvisible --name '^Quillaby' 2>/dev/null) ]] || fail "$mode without a twin showed a window"
done
echo ok
