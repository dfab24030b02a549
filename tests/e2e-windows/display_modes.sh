#!/usr/bin/env bash
# Display modes of the Windows saver under Wine on Xorg's dummy driver (Wine turns
# ChangeDisplaySettings into RandR): with 640 x 480 stored, /s puts the display in 640 x 480; the
# desktop's mode comes back after a key, and after an error report during the full-screen run (a
# password switch of the wrong type, read when a key asks to close), and when Wine's default mode is
# the one switched to (as a busy machine has left it), where going back to the default restores
# nothing. Windows itself undoes a full-screen change when a killed saver's process ends; Wine 8
# does not, so that case is not run.
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/common.sh"
source "$(dirname "$0")/../e2e/lib/wine.sh"
wine_e2e "$@"
start_xdummy || skip "Xorg with the dummy driver cannot start here"
wine_start
options='HKCU\Software\Harnwick Software\Quillaby'

size() { xdpyinfo | awk '/dimensions:/ {print $2}'; }
desktop=$(size)
[[ $desktop != 640x480 ]] || fail "the server starts in the mode under test"
for value in ColorDepth:32 Width:640 Height:480 Sound:0; do
  wine reg add "$options" /v "${value%%:*}" /t REG_DWORD /d "${value#*:}" /f >/dev/null 2>&1
done

switched_run() {
  wine "$scr" /s >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  pid=$!
  e2e_track $pid
  wine_window Quillaby >/dev/null || fail "no full-screen window: $(cat "$E2E_TMP/err")"
  for _ in $(seq 100); do [[ $(size) == 640x480 ]] && break; sleep 0.1; done
  [[ $(size) == 640x480 ]] || fail "the display shows $(size), not the stored 640x480"
  sleep 1
  xdotool key space
}

ended() { # how, exit code
  wine_wait_gone $pid 30 || fail "$1: the saver did not end"
  local rc
  rc=$(wine_exit_code $pid)
  [[ $rc == "$2" ]] || fail "$1: exit code $rc, not $2: $(cat "$E2E_TMP/err")"
  for _ in $(seq 100); do [[ $(size) == "$desktop" ]] && break; sleep 0.1; done
  [[ $(size) == "$desktop" ]] || fail "$1 left the display at $(size), not $desktop: $(cat "$E2E_TMP/err")"
}

switched_run
ended "a key" 0

wine "$probe" default-mode 640 480 || fail "the default mode could not be set"
switched_run
ended "a key with 640x480 the default" 0

wine reg add 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /t REG_SZ /d 1 /f >/dev/null 2>&1
switched_run
ended "an error report" 1
grep -q "Ondrel Screen Saver Error!" "$E2E_TMP/err" &&
  grep -q "Invalid data type for 'ScreenSaveUsePassword'" "$E2E_TMP/err" || fail "no error report: $(cat "$E2E_TMP/err")"
echo ok
