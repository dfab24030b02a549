# Shared set-up for the end-to-end scripts: source it, then call e2e_init.
#   e2e_init                 temp HOME and XDG_* folders of our own, no system or session bus; a
#                            command that stops the script is named; everything
#                            started through e2e_track is killed on exit
#   start_xvfb [WxHxD [ARGS...]]  an Xvfb on a free display number (the server picks it: no races
#                            between tests running in parallel) that never resets, ARGS passed on;
#                            sets DISPLAY
#   start_xdummy [CONF]      Xorg with the dummy driver (real mode switching); sets DISPLAY;
#                            returns 1 when Xorg cannot start here (the caller skips). CONF: a file
#                            in lib/ (xorg-dummy-wide.conf has room for lib/two-monitors)
#                            (both servers leave their process id in E2E_X_PID)
#   e2e_track PID            end PID when the script ends
#   wait_window REGEX        print the id of a visible window whose name matches, once there is
#                            one (up to 20 s); returns 1 when none came
#   wait_live_dialog ID      wait up to 15 s for the settings dialog ID to show the frame rate of
#                            its running panel in its caption (it takes input from then on)
#   wait_gone PID            wait up to 10 s for PID to end; returns 1 when it still runs
#   cpu_ticks PID            user + system CPU time PID has used, in clock ticks
#   e2e_saver_files PROGRAM SETTINGS
#                            bin/quillaby.scr and bin/quillaby linking to PROGRAM, the user's settings
#                            file (path in $conf) holding SETTINGS; the current folder is E2E_TMP
#   saver_of WATCHER         the saver process the idle watcher WATCHER started, if any
#   wait_saver WATCHER       wait up to 60 s for the watcher's saver; returns 1 when none came
#   stop_watcher WATCHER SAVER  SIGTERM ends the watcher with 0, and its saver SAVER with it (or fails)
#   fail MESSAGE             print and exit 1
#   skip MESSAGE             print and exit 77 (CTest's SKIP_RETURN_CODE for e2e tests)
E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_PIDS=()

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*" >&2; exit 77; }
e2e_track() { E2E_PIDS+=("$1"); }

e2e_saver_files() { # program settings
  mkdir -p "$E2E_TMP/bin"
  ln -s "$1" "$E2E_TMP/bin/quillaby.scr"
  ln -s "$1" "$E2E_TMP/bin/quillaby"
  cd "$E2E_TMP"
  conf="$XDG_CONFIG_HOME/Harnwick Software/Quillaby.conf"
  mkdir -p "$(dirname "$conf")"
  printf '%s' "$2" >"$conf"
}

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${E2E_PIDS[@]}"; do
    for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  done
  [[ -n ${E2E_TMP:-} ]] && rm -rf "$E2E_TMP"
}

e2e_init() {
  E2E_TMP=$(mktemp -d)
  trap e2e_cleanup EXIT
  # A command of the script itself that stops it (set -e) is named, rather than a silent exit.
  trap 'echo "FAIL: line $LINENO stopped the test: $BASH_COMMAND" >&2' ERR
  export HOME=$E2E_TMP/home XDG_CONFIG_HOME=$E2E_TMP/config XDG_STATE_HOME=$E2E_TMP/state \
    XDG_CACHE_HOME=$E2E_TMP/cache XDG_DATA_HOME=$E2E_TMP/data XDG_RUNTIME_DIR=$E2E_TMP/runtime
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset SDL_VIDEODRIVER WAYLAND_DISPLAY QUILLABY_VIDEO
  export SDL_AUDIODRIVER=dummy QUILLABY_NONINTERACTIVE=1
  # No test sees the machine's own system bus: a laptop on battery would rest the wallpaper. Nor a
  # session bus of its own unless it starts one: GLib would start one for the X display and leave it.
  export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$E2E_TMP/no-system-bus
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-session-bus
}

# Reads the display number the server writes to the pipe once it is ready.
_e2e_wait_displayfd() { # fifo pid what
  local n=
  read -r -t 20 n <"$1" || true
  [[ -n $n ]] || return 1
  export DISPLAY=:$n
  xdpyinfo >/dev/null 2>&1
}

# -noreset: a bare Xvfb resets whenever its last client leaves, and drops the connections that
# arrive meanwhile (a desktop's server, with its clients staying, never does).
start_xvfb() { # [WxHxD [ARGS...]]
  local geometry=${1:-800x600x24} fifo=$E2E_TMP/xvfb.fd
  shift || true
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset "$@" 3>"$fifo" >"$E2E_TMP/xvfb.log" 2>&1 &
  E2E_X_PID=$!
  e2e_track $!
  _e2e_wait_displayfd "$fifo" || fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
}

start_xdummy() { # [CONF]
  local fifo=$E2E_TMP/xorg.fd log=$E2E_TMP/xorg.log conf=$E2E_LIB_DIR/${1:-xorg-dummy.conf}
  [[ -x /usr/lib/xorg/Xorg ]] || return 1
  mkfifo "$fifo"
  /usr/lib/xorg/Xorg -displayfd 3 -config "$conf" -noreset -nolisten tcp \
    -logfile "$log" -novtswitch -sharevts 3>"$fifo" >"$log.out" 2>&1 &
  E2E_X_PID=$!
  e2e_track $!
  _e2e_wait_displayfd "$fifo" || return 1
}

# Polled rather than `xdotool search --sync`: a window that vanishes during a search (SDL's probe
# windows) makes xdotool fail with BadWindow.
wait_window() { # regex
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

wait_live_dialog() { # window id
  local title=
  for _ in $(seq 150); do
    title=$(xdotool getwindowname "$1" 2>/dev/null || true)
    [[ $title =~ FPS:\ [0-9]+$ ]] && return 0
    sleep 0.1
  done
  fail "the dialog's caption shows no frame rate: '$title'"
}

wait_gone() { # pid
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}

cpu_ticks() { # pid
  local stat
  stat=$(<"/proc/$1/stat")
  stat=${stat##*) } # the fields after the command's name, from field 3 on
  read -r -a fields <<<"$stat"
  echo $((fields[11] + fields[12])) # fields 14 and 15: utime, stime
}

saver_of() { pgrep -P "$1" -f 'quillaby.scr /s' || true; }

wait_saver() { # watcher
  for _ in $(seq 600); do [[ -n $(saver_of "$1") ]] && return 0; sleep 0.1; done
  return 1
}

stop_watcher() { # watcher saver
  local code=0
  kill -TERM "$1"
  wait "$1" || code=$?
  [[ $code == 0 ]] || fail "SIGTERM ended the watcher with $code"
  wait_gone "$2" || fail "the watcher left its saver running"
}
