#!/usr/bin/env bash
# High-density screens under Wine: with the desktop at 192 dpi ("LogPixels", read when the Wine
# server starts) the saver's full-screen window covers every pixel of the screen, the settings dialog
# opens twice its design size (511 x 363 client pixels), drawn crisply at that size, and the /p
# preview still fills exactly its host's client area; at 96 dpi the dialog has its design size.
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/common.sh"
source "$(dirname "$0")/../e2e/lib/wine.sh"
wine_e2e "$@"
start_xvfb 1280x1024x24
shots=$build/wine-e2e/shots
mkdir -p "$shots"

at_dpi() { # dpi: a fresh server that reads it
  wineserver -k >/dev/null 2>&1 || true
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null
  wineserver -k >/dev/null 2>&1 || true # writes the registry out before the next server reads it
  wineserver -w
  wine_start
}

dialog_size() { # dpi expected-width expected-height
  wine "$scr" /c >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  local pid=$! seen=
  e2e_track $pid
  for _ in $(seq 300); do
    seen=$(wine "$probe" window 'Quillaby Screen Saver FPS: *' 2>/dev/null | tr -d '\r')
    grep -qx "count 1" <<<"$seen" && break
    sleep 0.2
  done
  grep -qx "count 1" <<<"$seen" || fail "no dialog at $1 dpi: $(cat "$E2E_TMP/err")"
  sleep 0.5
  import -window root "$shots/dialog-$1dpi.png"
  grep -qx "size $2 $3" <<<"$seen" || fail "the dialog at $1 dpi is not $2x$3: $seen"
  xdotool key Escape
  wine_wait_gone $pid 30 || fail "Esc did not close the dialog at $1 dpi"
}

at_dpi 192
wine "$scr" /s >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
pid=$!
e2e_track $pid
wine_window Quillaby >/dev/null || fail "no saver window at 192 dpi: $(cat "$E2E_TMP/err")"
seen=$(wine "$probe" window Quillaby | tr -d '\r')
grep -qx "size 1280 1024" <<<"$seen" || fail "the saver does not cover the screen at 192 dpi: $seen"
xdotool key a
wine_wait_gone $pid 30 || fail "a key did not end the saver at 192 dpi"
dialog_size 192 1022 726
rc=0
timeout 120 wine "$probe" preview "$scr" 320 240 >"$E2E_TMP/out" 2>&1 || rc=$?
report=$(tr -d '\r' <"$E2E_TMP/out")
[[ $rc == 0 ]] || fail "the preview at 192 dpi broke the protocol: $report"
grep -qx "size 320x240 host 320x240" <<<"$report" || fail "the preview does not fill its host at 192 dpi: $report"

at_dpi 96
dialog_size 96 511 363
echo ok
