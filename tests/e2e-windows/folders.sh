#!/usr/bin/env bash
# The saver from folders whose names lie outside the ANSI code page, under Wine: from C:\Jürgen\ and
# C:\Дмитрий\ the saver runs and writes its log beside itself, "Run As EXE" starts the twin
# quillaby.exe of that folder, "Help..." hands the shell the help page of that folder, and a GL trace
# (--gl-trace) and a snapshot (--snapshot) go into that folder when the command line names it there.
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/common.sh"
source "$(dirname "$0")/../e2e/lib/wine.sh"
wine_e2e "$@"
export LC_ALL=C.UTF-8 # Wine reads its command line's non-ASCII names in the locale's encoding
start_xvfb 1024x768x24
wine_start
options='HKCU\Software\Harnwick Software\Quillaby'

# The shell opens .html with Wine's browser bridge, which starts the first of its "Browsers" found on
# PATH: here a recorder of what it was given.
mkdir -p "$E2E_TMP/bin"
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$E2E_TMP/browser.log" >"$E2E_TMP/bin/quillaby-test-browser"
chmod +x "$E2E_TMP/bin/quillaby-test-browser"
export PATH=$E2E_TMP/bin:$PATH
wine reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d quillaby-test-browser /f >/dev/null 2>&1

ended() { # pid what
  wine_wait_gone "$1" 30 || fail "$2 did not end"
  local rc
  rc=$(wine_exit_code "$1")
  [[ $rc == 0 ]] || fail "$2 ended with $rc: $(cat "$E2E_TMP/err")"
}

for name in Jürgen Дмитрий; do
  folder=$WINEPREFIX/drive_c/$name
  mkdir -p "$folder"
  cp "$program" "$folder/quillaby.scr"
  cp "$program" "$folder/quillaby.exe"
  cp "$build/quillaby.html" "$folder/"

  # The saver with its log beside it.
  wine reg add "$options" /v RunAsExe /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine "C:\\$name\\quillaby.scr" /s --log >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  pid=$!
  e2e_track $pid
  wine_window Quillaby >/dev/null || fail "no saver window from C:\\$name: $(cat "$E2E_TMP/err")"
  sleep 1
  xdotool key a
  ended $pid "the saver from C:\\$name"
  tr -d '\0' <"$folder/quillaby.log" | grep -q $'^Full Screen mode: [0-9]*X[0-9]*X32  FPS:[0-9]*\r$' ||
    fail "no log beside the saver in C:\\$name: $(ls "$folder")"

  # Paths on the command line: a snapshot and the trace of its OpenGL calls.
  rm -f "$folder/trace.log" "$folder/shot.png"
  wine "C:\\$name\\quillaby.exe" --snapshot "C:\\$name\\shot.png" --size 64x48 --frames 2 \
    --gl-trace "C:\\$name\\trace.log" >"$E2E_TMP/out" 2>"$E2E_TMP/err" </dev/null ||
    fail "the snapshot with a GL trace into C:\\$name failed: $(cat "$E2E_TMP/err")"
  grep -q '^glClear' "$folder/trace.log" || fail "no GL trace in C:\\$name: $(ls "$folder")"
  [[ $(identify -format '%wx%h' "$folder/shot.png") == 64x48 ]] || fail "no snapshot in C:\\$name: $(ls "$folder")"

  # "Run As EXE": the twin of this folder runs the saver.
  wine reg add "$options" /v RunAsExe /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine "C:\\$name\\quillaby.scr" /s >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  pid=$!
  e2e_track $pid
  wine_window Quillaby >/dev/null || fail "Run As EXE showed no window from C:\\$name: $(cat "$E2E_TMP/err")"
  [[ -n $(wine_pgrep "^C:.$name.quillaby\\.exe /s") ]] || fail "the saver window is not the twin's of C:\\$name"
  sleep 1
  xdotool key a
  ended $pid "Run As EXE from C:\\$name"
  for twin in $(wine_pgrep "^C:.$name.quillaby\\.exe"); do
    wine_wait_gone "$twin" 30 || fail "the twin in C:\\$name did not end"
  done

  # "Help..." in the dialog of the twin started without arguments.
  : >"$E2E_TMP/browser.log"
  wine "C:\\$name\\quillaby.exe" >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  pid=$!
  e2e_track $pid
  for _ in $(seq 300); do
    seen=$(wine "$probe" window 'Quillaby Screen Saver FPS: *' 2>/dev/null | tr -d '\r')
    grep -qx "count 1" <<<"$seen" && break
    sleep 0.2
  done
  grep -qx "count 1" <<<"$seen" || fail "no dialog from C:\\$name: $(cat "$E2E_TMP/err")"
  read -r ox oy < <(awk '$1 == "client" { print $2, $3 }' <<<"$seen")
  xdotool mousemove $((ox + 297)) $((oy + 340)) sleep 0.3 click 1
  for _ in $(seq 100); do [[ -s $E2E_TMP/browser.log ]] && break; sleep 0.2; done
  opened=$(/usr/bin/python3 -c 'import sys, urllib.parse; print(urllib.parse.unquote(sys.stdin.read().strip()))' \
    <"$E2E_TMP/browser.log")
  [[ $opened == */c:/$name/quillaby.html ]] || fail "Help... from C:\\$name opened '$opened'"
  xdotool key Escape
  ended $pid "the dialog from C:\\$name"
done
echo ok
