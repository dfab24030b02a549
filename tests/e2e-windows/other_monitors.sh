#!/usr/bin/env bash
# Two monitors under Wine (Xorg's dummy driver, DUMMY1 lit right of DUMMY0): a full-screen run covers
# both, and every one of its windows, the other monitor's cover as much as the main window, keeps
# SC_SCREENSAVE from the default window procedure (which would start a second saver over it), while
# SC_MONITORPOWER still reaches it. Seen through Wine's relay trace of DefWindowProcW.
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/common.sh"
source "$(dirname "$0")/../e2e/lib/wine.sh"
wine_e2e "$@"
start_xdummy xorg-dummy-wide.conf || skip "Xorg with the dummy driver cannot start here"
"$E2E_LIB_DIR/two-monitors" 1024x768 800x600 >/dev/null 2>&1 || skip "the dummy server cannot light two outputs"
wine_start
monitors=$(wine "$probe" monitors | tr -d '\r')
[[ $monitors == 2 ]] || fail "Wine lists $monitors monitors, not 2"
wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /d 'user32.DefWindowProcW' /f \
  >/dev/null 2>&1 </dev/null

for fill in 1 0; do # the scene on the other monitor, then black there
  wine reg add 'HKCU\Software\Harnwick Software\Quillaby' /v OtherMonitors /t REG_DWORD /d $fill /f >/dev/null 2>&1
  trace=$E2E_TMP/saver-$fill.trace
  WINEDEBUG=+relay wine "$scr" /s >/dev/null 2>"$trace" </dev/null &
  pid=$!
  e2e_track $pid
  seen=
  for _ in $(seq 150); do
    seen=$(wine "$probe" window Quillaby 2>/dev/null | tr -d '\r')
    grep -qx "count 2" <<<"$seen" && break
    sleep 0.2
  done
  grep -qx "count 2" <<<"$seen" || fail "OtherMonitors=$fill: the run does not cover both monitors: $seen"
  sleep 1
  sent=$(wine "$probe" syscommand Quillaby f140 | tr -d '\r')
  [[ $sent == "sent 2" ]] || fail "OtherMonitors=$fill: SC_SCREENSAVE went to '$sent' windows"
  wine "$probe" syscommand Quillaby f170 >/dev/null
  sleep 1
  xdotool key a
  wine_wait_gone $pid 30 || fail "OtherMonitors=$fill: a key did not end the saver"
  grep -qi 'DefWindowProcW([0-9a-f]*,00000112,0000f170' "$trace" ||
    fail "OtherMonitors=$fill: the relay trace shows no SC_MONITORPOWER reaching the default procedure"
  ! grep -qi 'DefWindowProcW([0-9a-f]*,00000112,0000f140' "$trace" ||
    fail "OtherMonitors=$fill: SC_SCREENSAVE reached the default window procedure of a saver window"
done
echo ok
