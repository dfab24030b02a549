#!/usr/bin/env bash
# "Help..." in the settings dialog hands the help page beside the program to xdg-open. Without an
# xdg-open on PATH the dialog says so and names the page (the message goes to stderr here), and
# stays open.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
program=$(realpath "$1")
e2e_init
page_source=${QUILLABY_SOURCE_DIR:-$(dirname "$0")/../..}/help/quillaby.html
[[ -f $page_source ]] || fail "no help page at $page_source"
start_xvfb 1024x768x24
# The program's folder: a link to the program with the page beside it; no machine-wide "Path".
mkdir -p "$E2E_TMP/bin" "$E2E_TMP/opener" "$E2E_TMP/nothing" "$E2E_TMP/etc"
ln -s "$program" "$E2E_TMP/bin/quillaby"
cp "$page_source" "$E2E_TMP/bin/quillaby.html"
export XDG_CONFIG_DIRS=$E2E_TMP/etc
page=$E2E_TMP/bin/quillaby.html
cat >"$E2E_TMP/opener/xdg-open" <<OPENER
#!/bin/sh
printf '%s\n' "\$1" >"$E2E_TMP/opened"
OPENER
chmod +x "$E2E_TMP/opener/xdg-open"

press_help() { # PATH for the program; leaves $app_pid and $window
  PATH=$1 "$E2E_TMP/bin/quillaby" >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  app_pid=$!
  e2e_track "$app_pid"
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillaby Screen Saver' | head -n1) ||
    fail "no dialog appeared: $(cat "$E2E_TMP/err")"
  sleep 1
  xdotool mousemove --window "$window" 297 340 sleep 0.2 click 1
}

close_dialog() {
  local rc=0
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended after Help...: $(cat "$E2E_TMP/err")"
  xdotool key --window "$window" Escape
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$app_pid" || rc=$?
  [[ $rc == 0 ]] || fail "the dialog ended with exit code $rc: $(cat "$E2E_TMP/err")"
}

press_help "$E2E_TMP/nothing"
expected="The help page \"$page\" cannot be opened"
for _ in $(seq 50); do grep -qF "$expected" "$E2E_TMP/err" && break; sleep 0.1; done
grep -qF "$expected" "$E2E_TMP/err" || fail "no message names the page: $(cat "$E2E_TMP/err")"
grep -q "xdg-open" "$E2E_TMP/err" || fail "the message does not say what is missing: $(cat "$E2E_TMP/err")"
close_dialog

press_help "$E2E_TMP/opener"
for _ in $(seq 50); do [[ -s $E2E_TMP/opened ]] && break; sleep 0.1; done
[[ $(cat "$E2E_TMP/opened" 2>/dev/null) == "file://$page" ]] ||
  fail "xdg-open was not given the page: '$(cat "$E2E_TMP/opened" 2>&1)' $(cat "$E2E_TMP/err")"
grep -q "cannot be opened" "$E2E_TMP/err" && fail "a message although the page was handed over: $(cat "$E2E_TMP/err")"
close_dialog
echo ok
