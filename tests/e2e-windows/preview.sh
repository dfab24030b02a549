#!/usr/bin/env bash
# The preview inside the system's display settings (quillaby.scr /p HWND) under Wine: the probe plays
# the settings page, a window of its own whose handle it passes; the saver puts one child window of
# the host's size into it, which follows the host's size; destroying the host ends the saver with exit
# code 0. (Wine keeps another process's child window off its parent's pixels, so the still picture
# is checked in-process by tests/win32/HostPreviewPixelsTest.cpp.)
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/common.sh"
source "$(dirname "$0")/../e2e/lib/wine.sh"
wine_e2e "$@"
start_xvfb 800x600x24
wine_start

for size in "152 112" "320 240"; do
  rc=0
  timeout 120 wine "$probe" preview "$scr" $size >"$E2E_TMP/out" 2>&1 || rc=$?
  report=$(tr -d '\r' <"$E2E_TMP/out")
  [[ $rc == 0 ]] || fail "the preview at ${size/ /x} broke the protocol: $report"
  grep -qx "size ${size/ /x} host ${size/ /x}" <<<"$report" || fail "the child is not the host's size: $report"
  grep -qx "ended 1 exit 0" <<<"$report" || fail "the saver did not end with 0 with its host: $report"
done
echo ok
