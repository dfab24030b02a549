#!/usr/bin/env bash
# The X server's own screen saver stays off while the saver (/s), plain `quillaby` or the dialog's
# "Preview..." runs, one that is already on when the saver starts is taken down (xss-lock starts it
# so), and the desktop may blank again once the run is over. The server's saver times out after 3 s.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/lib/common.sh"
e2e_init
start_xvfb 1024x768x24
command -v xssstate >/dev/null || fail "xssstate (suckless-tools) is missing: run scripts/setup-deps"
xset s 3 0
e2e_saver_files "$program" $'DollarCount=2\nBubbleCount=2\nSound=0\n'
pid=

expect_state() { # on|off seconds what: the server's saver reaches that state within the time
  for _ in $(seq $((10 * $2))); do [[ $(xssstate -s) == "$1" ]] && return 0; sleep 0.1; done
  fail "$3: the server's saver is $(xssstate -s), not $1"
}

stays_off() { # seconds what: longer than the server's timeout
  for _ in $(seq $((10 * $1))); do
    [[ $(xssstate -s) == off ]] || fail "$2: the server's saver came on ($(cat err))"
    sleep 0.1
  done
}

start() { # window-name program arguments...
  local name=$1
  shift
  "$@" >out 2>err &
  pid=$!
  e2e_track "$pid"
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "$name" | head -n1) ||
    fail "$* shows no window: $(cat err)"
}

finish() { # what: the program ends with 0
  local rc=0
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  wait "$pid" || rc=$?
  [[ $rc == 0 ]] || fail "$1 ended with exit code $rc: $(cat err)"
}

preview() { # what: "Preview..." in the dialog, held off throughout, then a key ends it
  xdotool mousemove --window "$window" 45 340 sleep 0.2 click 1
  timeout 20 xdotool search --sync --onlyvisible --name '^Quillaby$' >/dev/null || fail "$1: no full-screen preview"
  stays_off 4 "$1, during \"Preview...\""
  xdotool key space
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^Quillaby$' >/dev/null 2>&1 || return 0; sleep 0.1; done
  fail "$1: a key did not end the preview"
}

# The saver holds the blanking off for longer than the timeout, and lets go at its end.
start '^Quillaby$' bin/quillaby.scr /s
stays_off 5 "/s"
xdotool key space
finish "/s"
expect_state on 6 "after /s ended"

# Started while the server's saver is on: it is taken down and stays down.
xset s activate
expect_state on 2 "xset s activate"
start '^Quillaby$' bin/quillaby.scr /s
expect_state off 5 "/s started over the server's saver"
stays_off 4 "/s started over the server's saver"
kill -TERM "$pid"
finish "/s ended by SIGTERM"
expect_state on 6 "after the SIGTERM"

# Plain `quillaby` holds it for its whole run, "Preview..." included.
start '^Quillaby Screen Saver' bin/quillaby
stays_off 4 "plain quillaby"
preview "plain quillaby"
stays_off 4 "plain quillaby after \"Preview...\""
xdotool key Escape
finish "plain quillaby"
expect_state on 6 "after plain quillaby ended"

# The settings (/c) hold it only during "Preview...".
start '^Quillaby Screen Saver' bin/quillaby.scr /c
expect_state on 6 "the settings outside \"Preview...\""
preview "/c"
expect_state on 6 "the settings after \"Preview...\""
xdotool key Escape
finish "/c"
echo ok
