# Wine for the end-to-end tests of the Windows build; source it after common.sh.
#   wine_init BUILD_DIR      e2e_init, then a Wine prefix of this test's own: a copy of a template
#                            made once per build folder (wineboot takes 10 to 20 s, a copy 1 s)
#   wine_e2e "$@"            the start of every tests/e2e-windows script, given its arguments (the
#                            shared Wine runner, not used: each test has a prefix and an X server of
#                            its own; the program; the probe): sets program, probe and build (the
#                            program's folder), runs wine_init and copies the program to $scr
#   wine_start               a persistent server for the prefix and Wine's services, on $DISPLAY
#                            (call after the X server is up); the server is ended on exit
#   wine_reg_dword KEY NAME  the REG_DWORD value as a decimal number, empty when missing
#   wine_reg_str KEY NAME    the REG_SZ value, empty when missing
#   wine_wait_gone PID SECS  waits for PID to end; 1 if it still runs
#   wine_exit_code PID       the exit code of the ended background job PID
#   wine_window TITLE        the X id of the visible window with exactly this title (waits 30 s)
#   wine_pgrep PATTERN       the processes of this prefix whose command line matches PATTERN
wine_init() { # build_dir
  local template=$1/wine-e2e/template
  e2e_init
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  mkdir -p "$1/wine-e2e"
  (
    flock 9
    if [[ ! -f $template/.ready ]]; then
      rm -rf "$template"
      env -u DISPLAY WINEPREFIX=$template wineboot -i >/dev/null 2>&1 </dev/null
      WINEPREFIX=$template wineserver -w
      touch "$template/.ready"
    fi
  ) 9>"$1/wine-e2e/lock"
  export WINEPREFIX=$E2E_TMP/prefix
  cp -a "$template" "$WINEPREFIX"
  trap 'wine_cleanup; e2e_cleanup' EXIT
}

wine_e2e() { # wine_run program probe
  program=$(realpath "$2")
  probe=$(realpath "$3")
  build=$(dirname "$program")
  wine_init "$build"
  mkdir -p "$E2E_TMP/saver"
  scr=$E2E_TMP/saver/quillaby.scr
  cp "$program" "$scr"
}

wine_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
}

wine_start() {
  # Wine's services start with the first program of a server's life and keep its output open:
  # start them with nothing to hold, or `$(wine ...)` waits for the server's end.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

_wine_reg() { # key name type
  wine reg query "$1" /v "$2" 2>/dev/null </dev/null | tr -d '\r' |
    awk -v n="$2" -v t="$3" '$1 == n && $2 == t { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}

wine_reg_dword() {
  local v
  v=$(_wine_reg "$1" "$2" REG_DWORD)
  [[ -n $v ]] && printf '%d\n' "$v"
  return 0
}

wine_reg_str() { _wine_reg "$1" "$2" REG_SZ; }

wine_wait_gone() { # pid seconds
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

wine_exit_code() { # pid
  local rc=0
  wait "$1" || rc=$?
  echo "$rc"
}

wine_window() { # title
  # Polled: a search fails outright when a window it looks at goes away meanwhile (the last run's).
  local id i
  for ((i = 0; i < 300; i++)); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) || true
    [[ -n $id ]] && echo "$id" && return 0
    sleep 0.1
  done
  return 1
}

wine_pgrep() { # pattern
  local p
  for p in $(pgrep -f "$1"); do
    tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$p"
  done
  return 0
}
