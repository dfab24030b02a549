#!/usr/bin/env bash
# The Windows saver leaves the display's and the machine's sleep to the power plan, as the system's
# savers do. Under Wine's relay trace: neither /s nor the settings (/c) call SetThreadExecutionState
# asking for the display or the system (ES_DISPLAY_REQUIRED, ES_SYSTEM_REQUIRED); SC_MONITORPOWER sent
# to the saver's window reaches the default window procedure, while SC_SCREENSAVE stops there (a
# saver that shows starts no other).
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/common.sh"
source "$(dirname "$0")/../e2e/lib/wine.sh"
wine_e2e "$@"
start_xvfb 800x600x24
wine_start
wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ \
  /d 'kernel32.SetThreadExecutionState;user32.SystemParametersInfoA;user32.DefWindowProcW' /f >/dev/null 2>&1 </dev/null
cd "$E2E_TMP"

run_traced() { # trace-file window-regex arguments...: runs the program under the trace until its window shows
  local trace=$1 title=$2
  shift 2
  WINEDEBUG=+relay wine "$scr" "$@" >/dev/null 2>"$trace" </dev/null &
  pid=$!
  e2e_track $pid
  wait_window "$title" >/dev/null || fail "$* showed no window $title: $(grep -v ':Call \|:Ret ' "$trace" | tail -n5)"
}

ended() { # what
  wine_wait_gone $pid 30 || fail "$1 did not end the program"
}

keeps_awake() { # trace: the calls that ask Windows to keep the display or the system awake
  grep -o 'SetThreadExecutionState([0-9a-fA-F]*)' "$1" | tr -d ')' | cut -d'(' -f2 |
    while read -r flags; do ((0x$flags & 3)) && echo "$flags"; done || true
}

run_traced saver.trace '^Quillaby$' /s
sleep 2
wine "$probe" syscommand Quillaby f170 || fail "no saver window to send SC_MONITORPOWER to"
wine "$probe" syscommand Quillaby f140 || fail "no saver window to send SC_SCREENSAVE to"
sleep 1
xdotool key a
ended "a key"
# The trace is live: the screen-saver-running flag (SPI_SETSCREENSAVERRUNNING, 0x61) is in it.
grep -q 'SystemParametersInfoA(00000061' saver.trace || fail "the relay trace shows nothing of /s"
awake=$(keeps_awake saver.trace)
[[ -z $awake ]] || fail "/s asked Windows to keep the display or the system awake: SetThreadExecutionState($awake)"
grep -qi 'DefWindowProcW([0-9a-f]*,00000112,0000f170' saver.trace ||
  fail "SC_MONITORPOWER did not reach the default window procedure"
! grep -qi 'DefWindowProcW([0-9a-f]*,00000112,0000f140' saver.trace ||
  fail "SC_SCREENSAVE reached the default window procedure of the saver's window"

run_traced settings.trace '^Quillaby Screen Saver' /c
sleep 2
xdotool key Escape
ended "Escape in the settings"
awake=$(keeps_awake settings.trace)
[[ -z $awake ]] || fail "/c asked Windows to keep the display or the system awake: SetThreadExecutionState($awake)"
echo ok
