#!/usr/bin/env bash
# High-density screens under Wine: with the desktop at 192 dpi ("LogPixels", read when the Wine
# server starts) the saver's full-screen window covers every pixel of the screen, the settings dialog
# opens twice its design size (511 x 363 client pixels), drawn crisply at that size, and the /p
# preview still fills exactly its host's client area; at 96 dpi the dialog has its design size. Moved
# from there onto a monitor of 192 dpi (WM_DPICHANGED, which the probe sends as the system would:
# Wine 8 sends none), the dialog takes the factor 2 and the suggested frame, and draws what it draws
# when opened at 192 dpi: text set at that size, not stretched, and the panel's scene at its pixels.
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
  echo "$seen" >"$shots/dialog-$1dpi.txt"
  grep -qx "size $2 $3" <<<"$seen" || fail "the dialog at $1 dpi is not $2x$3: $seen"
  [[ $1 != 96 ]] || moved_to_192
  xdotool key Escape
  wine_wait_gone $pid 30 || fail "Esc did not close the dialog at $1 dpi"
}

client_shot() { # picture window-lines out: the client area, the panel's scene blacked out
  local x y
  read -r x y < <(awk '$1 == "client" { print $2, $3 }' "$2")
  # The scene's rectangle (10, 14, 316 x 236 designed) at twice the size.
  convert "$1" -crop "1022x726+$x+$y" +repage -fill black -draw "rectangle 20,28 651,499" "$3"
}

panel_shot() { # picture window-lines out: the panel's scene alone
  local x y
  read -r x y < <(awk '$1 == "client" { print $2, $3 }' "$2")
  convert "$1" -crop "632x472+$((x + 20))+$((y + 28))" +repage "$3"
}

moved_to_192() { # the 96-dpi dialog, moved onto a 192-dpi monitor where the 192-dpi dialog opened
  local left top moved
  read -r left top < <(awk '$1 == "rect" { print $2, $3 }' "$shots/dialog-192dpi.txt")
  moved=$(wine "$probe" dpichanged 'Quillaby Screen Saver FPS: *' 192 "$left" "$top" | tr -d '\r')
  echo "$moved" >"$shots/dialog-moved.txt"
  grep -qx "size 1022 726" <<<"$moved" || fail "moved to 192 dpi, the dialog is not 1022x726: $moved"
  read -r left top < <(awk '$1 == "suggested" { print $2, $3 }' <<<"$moved")
  awk -v l="$left" -v t="$top" '$1 == "rect" && $2 == l && $3 == t { ok = 1 } END { exit !ok }' <<<"$moved" ||
    fail "moved to 192 dpi, the dialog is not where the system suggested: $moved"
  sleep 2 # the panel's scene starts anew at its new size
  import -window root "$shots/dialog-moved.png"
  client_shot "$shots/dialog-192dpi.png" "$shots/dialog-192dpi.txt" "$E2E_TMP/opened.png"
  client_shot "$shots/dialog-moved.png" "$shots/dialog-moved.txt" "$E2E_TMP/moved.png"
  local differ
  differ=$(compare -metric AE -fuzz 10% "$E2E_TMP/opened.png" "$E2E_TMP/moved.png" null: 2>&1) || true
  ((${differ%% *} < 200)) ||
    fail "moved to 192 dpi, the dialog differs from the one opened there in $differ pixels (shots: $shots)"
  # The scene fills its doubled rectangle: its right and lower halves are drawn as its upper left is.
  panel_shot "$shots/dialog-moved.png" "$shots/dialog-moved.txt" "$E2E_TMP/panel.png"
  panel_shot "$shots/dialog-192dpi.png" "$shots/dialog-192dpi.txt" "$E2E_TMP/panel-opened.png"
  local mean opened
  mean=$(convert "$E2E_TMP/panel.png" -crop 316x236+316+236 +repage -format '%[fx:mean]' info:)
  opened=$(convert "$E2E_TMP/panel-opened.png" -crop 316x236+316+236 +repage -format '%[fx:mean]' info:)
  awk -v a="$mean" -v b="$opened" 'BEGIN { d = a - b; exit !(d < 0.05 && d > -0.05) }' ||
    fail "moved to 192 dpi, the panel's lower right is $mean bright, not $opened as when opened there"
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
