#!/usr/bin/env bash
# The monitor's power saving stays the user's while the saver runs, through a stand-in for the
# server's DPMS (no X server here has it): a library preloaded into the real program answers the DPMS
# calls from a state file and records what the program asks. A monitor asleep when /s starts stays
# asleep, and nothing is drawn until it comes back (then the scene moves again, the window where it
# was); the user's timeouts still power it down, counted from the last input, level by level; DPMS is
# never suspended, disabled or re-timed; "Preview..." and the dialog's panel stop too while it is off.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xvfb 640x480x24
xset s 3 0
e2e_saver_files "$program" $'DollarCount=2\nBubbleCount=2\nSound=0\n'
cc -shared -fPIC -o standin.so "$E2E_LIB_DIR/dpms-standin.c" -ldl || fail "the DPMS stand-in does not build"
export DPMS_STANDIN_STATE=$E2E_TMP/dpms DPMS_STANDIN_LOG=$E2E_TMP/dpms.log
# The stand-in comes before the sanitizer runtime in a sanitized build; it needs none of it.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
: >"$DPMS_STANDIN_LOG"
pid=

start() { # window-name program arguments...
  local name=$1
  shift
  LD_PRELOAD=$E2E_TMP/standin.so "$@" >out 2>err &
  pid=$!
  e2e_track "$pid"
  window=$(wait_window "$name") || fail "$* shows no window: $(cat err)"
}

finish() { # what
  kill -TERM "$pid"
  wait_gone "$pid" || fail "$1 did not end on SIGTERM"
  wait "$pid" || fail "$1 ended with exit code $?: $(cat err)"
}

shot() { import -window root "$1.png"; }
changed() { # a b: pixels that differ
  local n
  n=$(compare -metric AE "$1.png" "$2.png" null: 2>&1 || true)
  echo "${n%% *}"
}

cpu_over() { # seconds: CPU ticks the program uses in that time
  local before
  before=$(cpu_ticks "$pid")
  sleep "$1"
  echo $(($(cpu_ticks "$pid") - before))
}

no_forbidden_calls() { # what
  ! grep -E 'XScreenSaverSuspend|DPMSDisable|DPMSEnable|DPMSSetTimeouts|XSetScreenSaver|DPMSForceLevel on' \
    "$DPMS_STANDIN_LOG" || fail "$1: the program changed the user's power saving: $(cat "$DPMS_STANDIN_LOG")"
}

hz=$(getconf CLK_TCK)

# Asleep at the start (the idle daemon's DPMS came first): it stays asleep and nothing is drawn; the
# window stays and the scene moves again once the monitor is back.
echo "off 1 600 600 600" >"$DPMS_STANDIN_STATE"
start '^Quillaby$' bin/quillaby.scr /s --log
sleep 2
shot asleep-1
idle=$(cpu_over 3)
shot asleep-2
((idle * 10 < hz * 3)) || fail "/s used $idle of $((3 * hz)) CPU ticks in 3 s with the monitor off"
[[ $(changed asleep-1 asleep-2) == 0 ]] || fail "/s drew while the monitor was off"
no_forbidden_calls "/s started with the monitor off"
echo "on 1 600 600 600" >"$DPMS_STANDIN_STATE"
sleep 2
shot awake-1
sleep 1
shot awake-2
(($(changed awake-1 awake-2) > 1000)) || fail "/s did not draw again once the monitor was on"
[[ $(wait_window '^Quillaby$') == "$window" ]] || fail "the saver's window changed while the monitor slept"
xdotool key space
wait_gone "$pid" || fail "a key did not end /s"
wait "$pid" || fail "/s ended with exit code $?: $(cat err)"
grep -q '^Full Screen mode: 640X480X32  FPS:[1-9][0-9]*' "$E2E_TMP/bin/quillaby.log" ||
  fail "no close line with the frames drawn: $(tail -n3 "$E2E_TMP/bin/quillaby.log")"
no_forbidden_calls "/s after the monitor woke"

# The user's timeouts still power the monitor down, counted from the last input, level by level.
: >"$DPMS_STANDIN_LOG"
echo "on 1 3 5 7" >"$DPMS_STANDIN_STATE"
xdotool mousemove 10 10
start '^Quillaby$' bin/quillaby.scr /s
for _ in $(seq 150); do grep -q 'DPMSForceLevel off' "$DPMS_STANDIN_LOG" && break; sleep 0.1; done
# Each forced level is deeper than the one before (a busy machine may skip one), ending at off.
levels=$(sed -n 's/^DPMSForceLevel //p' "$DPMS_STANDIN_LOG" | tr '\n' ' ')
depth=0
for level in $levels; do
  case $level in standby) d=1 ;; suspend) d=2 ;; off) d=3 ;; *) d=0 ;; esac
  ((d > depth)) || fail "the user's timeouts did not power the monitor down level by level: '$levels'"
  depth=$d
done
((depth == 3)) || fail "the user's timeouts did not power the monitor off: '$levels'"
no_forbidden_calls "/s at the user's timeouts"
finish "/s at the user's timeouts"

# The dialog's panel and "Preview..." draw nothing while the monitor is off; DPMS disabled by the
# user is left so.
: >"$DPMS_STANDIN_LOG"
echo "on 0 3 3 3" >"$DPMS_STANDIN_STATE"
start '^Quillaby Screen Saver' bin/quillaby
wait_live_dialog "$window"
echo "off 1 600 600 600" >"$DPMS_STANDIN_STATE"
sleep 2
idle=$(cpu_over 3)
((idle * 10 < hz * 3)) || fail "the dialog used $idle of $((3 * hz)) CPU ticks in 3 s with the monitor off"
echo "on 1 600 600 600" >"$DPMS_STANDIN_STATE"
sleep 2
xdotool mousemove --window "$window" 45 340 sleep 0.2 click 1
wait_window '^Quillaby$' >/dev/null || fail "no full-screen preview"
echo "off 1 600 600 600" >"$DPMS_STANDIN_STATE"
sleep 2
idle=$(cpu_over 3)
((idle * 10 < hz * 3)) || fail "\"Preview...\" used $idle of $((3 * hz)) CPU ticks in 3 s with the monitor off"
echo "on 1 600 600 600" >"$DPMS_STANDIN_STATE"
sleep 1.5
xdotool key space
for _ in $(seq 50); do xdotool search --onlyvisible --name '^Quillaby$' >/dev/null 2>&1 || break; sleep 0.1; done
# The dialog takes keys once its panel runs again (its caption counts frames again).
xdotool set_window --name waiting "$window"
wait_live_dialog "$window"
xdotool key Escape
wait_gone "$pid" || fail "the dialog did not close on Escape"
no_forbidden_calls "plain quillaby"
echo ok
