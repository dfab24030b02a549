#!/usr/bin/env bash
# Plain `quillaby` (the settings dialog) under Xvfb shows what was stored: "OK" without a change
# stores the same values again. While it runs it holds the single instance: a saver file started
# meanwhile, or a second plain `quillaby`, ends at once without a window.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xvfb 1024x768x24
stored=(BubbleCount=13 DollarCount=7 Theme=-3 Sound=0 DesktopOnly=1) # none of them the default
e2e_saver_files "$program" "$(printf '%s\n' "${stored[@]}")"$'\n'

bin/quillaby >out 2>err &
pid=$!
e2e_track "$pid"
dialog=$(wait_window '^Quillaby Screen Saver') || fail "no dialog: $(cat err)"

for copy in "bin/quillaby" "bin/quillaby.scr /s"; do
  rc=0
  timeout 20 $copy >out2 2>err2 || rc=$?
  [[ $rc == 0 ]] || fail "'$copy' beside the dialog exited with $rc: $(cat err2)"
  [[ $(xdotool search --onlyvisible --name '^Quillaby' | wc -l) == 1 ]] || fail "'$copy' beside the dialog showed a window"
done
kill -0 "$pid" 2>/dev/null || fail "the dialog ended: $(cat err)"

wait_live_dialog "$dialog"
xdotool mousemove --window "$dialog" 381 340 sleep 0.2 click 1 # OK
wait_gone "$pid" || fail "OK did not close the dialog"
wait "$pid" || fail "the dialog failed: $(cat err)"
for value in "${stored[@]}"; do
  grep -qx "$value" "$conf" || fail "OK did not keep $value: $(cat "$conf")"
done
echo ok
