#!/usr/bin/env bash
# The settings dialog under Wine ("Settings" runs quillaby.scr /c; the twin quillaby.exe opens it
# without arguments): the scene runs in its panel (the caption counts frames); "OK" stores every
# option as a REG_DWORD under the user's key; "Cancel" stores nothing; "About..." shows the OpenGL
# implementation; "Help..." opens the help page through the shell; "Preview..." runs full screen and
# returns to the dialog. /c:HWND with a real window makes the dialog that window's own (modal to it);
# a handle that names no window opens it unowned.
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/common.sh"
source "$(dirname "$0")/../e2e/lib/wine.sh"
wine_e2e "$@"
start_xvfb 1024x768x24
wine_start
mkdir -p "$E2E_TMP/bin"
cp "$program" "$E2E_TMP/saver/quillaby.exe"
cp "$build/quillaby.html" "$E2E_TMP/saver/"
shots=$build/wine-e2e/shots
mkdir -p "$shots"
options='HKCU\Software\Harnwick Software\Quillaby'

# The shell opens .html with Wine's browser bridge, which starts the first of its "Browsers" found on
# PATH: here a recorder of what it was given.
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$E2E_TMP/browser.log" >"$E2E_TMP/bin/quillaby-test-browser"
chmod +x "$E2E_TMP/bin/quillaby-test-browser"
export PATH=$E2E_TMP/bin:$PATH
wine reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d quillaby-test-browser /f >/dev/null 2>&1

start_dialog() { # program [arguments]
  wine "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  pid=$!
  e2e_track $pid
  local seen=
  for _ in $(seq 300); do
    seen=$(wine "$probe" window 'Quillaby Screen Saver FPS: *' 2>/dev/null | tr -d '\r')
    grep -qx "count 1" <<<"$seen" && break
    sleep 0.2
  done
  grep -qx "count 1" <<<"$seen" || fail "no dialog with a running panel: $(cat "$E2E_TMP/err")"
  read -r ox oy < <(awk '$1 == "client" { print $2, $3 }' <<<"$seen")
}

click() { # x y in the dialog's client area
  xdotool mousemove $((ox + $1)) $((oy + $2)) sleep 0.3 click 1
  sleep 0.5
}

closed_by() { # what
  wine_wait_gone $pid 30 || fail "$1 did not close the dialog"
  local rc
  rc=$(wine_exit_code $pid)
  [[ $rc == 0 ]] || fail "$1 ended the program with $rc: $(cat "$E2E_TMP/err")"
}

# /c: drag "Dollar Count" from 60 to its left end, then "OK".
start_dialog "$scr" /c
import -window root "$shots/settings.png"
xdotool mousemove $((ox + 429)) $((oy + 163)) sleep 0.3 mousedown 1 sleep 0.3 \
  mousemove $((ox + 390)) $((oy + 163)) sleep 0.3 mousemove $((ox + 320)) $((oy + 163)) sleep 0.3 mouseup 1
sleep 0.5
click 381 340
closed_by "OK"
stored=$(wine reg query "$options" 2>&1 | tr -d '\r')
for name in BubbleCount DollarCount Theme ColorDepth Width Height Sound DesktopOnly RunAsExe; do
  grep -Eq "^ +$name +REG_DWORD +0x[0-9a-f]+$" <<<"$stored" || fail "OK did not store $name as a REG_DWORD: $stored"
done
[[ $(wine_reg_dword "$options" DollarCount) == 0 ]] || fail "OK did not store the dragged count: $stored"
[[ $(wine_reg_dword "$options" BubbleCount) == 100 ]] || fail "OK changed the bubble count: $stored"

# "Cancel" after moving "Bubble Count" stores nothing. The control panel's own form names its window.
start_dialog "$scr" /c:65552
click 400 229
click 465 340
closed_by "Cancel"
[[ $(wine reg query "$options" 2>&1 | tr -d '\r') == "$stored" ]] || fail "Cancel changed the stored options"

# Window handles span 32 bits: one above 2^31 that names no window opens the dialog on its own.
start_dialog "$scr" /c:3000000000
xdotool key Escape
closed_by "Esc after /c:3000000000"
# A handle that is no number: the message asks for a decimal handle and says nothing of X.
rc=0
timeout 60 wine "$scr" /c:4294967296 >/dev/null 2>"$E2E_TMP/err" || rc=$?
[[ $rc == 1 ]] && grep -q 'Invalid window handle "4294967296": give a window handle, a decimal' "$E2E_TMP/err" &&
  ! grep -qw X "$E2E_TMP/err" || fail "/c:4294967296 ended with $rc: $(cat "$E2E_TMP/err")"
# A real window's handle owns the dialog, which keeps that window disabled until it closes.
rc=0
timeout 120 wine "$probe" owner "$scr" >"$E2E_TMP/owner" 2>&1 || rc=$?
[[ $rc == 0 ]] || fail "the dialog is not modal to the window of /c:HWND: $(tr -d '\r' <"$E2E_TMP/owner")"

# The twin without arguments: "About...", "Help...", "Preview...".
start_dialog "$E2E_TMP/saver/quillaby.exe"
import -window root "$shots/dialog-before-about.png"
click 213 340
sleep 1
import -window root "$shots/about.png"
convert "$shots/about.png" -crop "520x380+$ox+$oy" -colorspace Gray -resize 200% "$E2E_TMP/about.png"
text=$(tesseract "$E2E_TMP/about.png" - 2>/dev/null | tr '\n' ' ')
grep -Eq 'Vendor: +Mesa' <<<"$text" && grep -Eq 'OpenGL: +[0-9]+\.[0-9]+' <<<"$text" ||
  fail "the About box does not show the OpenGL implementation: $text"
xdotool key Escape
sleep 0.5

click 297 340
for _ in $(seq 100); do [[ -s $E2E_TMP/browser.log ]] && break; sleep 0.2; done
grep -q 'quillaby.html' "$E2E_TMP/browser.log" 2>/dev/null ||
  fail "Help... opened no help page: $(cat "$E2E_TMP/browser.log" 2>&1)"

click 45 340
wine_window Quillaby >/dev/null || fail "Preview... showed no full-screen window"
grep -qx "rect 0 0 1024 768" <(wine "$probe" window Quillaby | tr -d '\r') || fail "the preview does not cover the screen"
sleep 1
import -window root "$shots/preview.png"
xdotool key space
for _ in $(seq 100); do
  grep -qx "count 0" <(wine "$probe" window Quillaby | tr -d '\r') && break
  sleep 0.2
done
grep -qx "count 0" <(wine "$probe" window Quillaby | tr -d '\r') || fail "a key did not end the preview"
kill -0 $pid 2>/dev/null || fail "the program ended with the preview"
start_dialog_seen=$(wine "$probe" window 'Quillaby Screen Saver*' | tr -d '\r')
grep -qx "count 1" <<<"$start_dialog_seen" || fail "the dialog did not come back"
xdotool key Escape
closed_by "Esc"
echo ok
