#!/usr/bin/env bash
# The real XScreenSaver daemon runs Quillaby as a GL hack: `xscreensaver-command -activate` starts it
# and it draws on the screen; `-deactivate` ends it. The daemon refuses to run as root, so as root it
# runs as nobody (uid 65534) through setpriv, with a temporary HOME whose .xscreensaver lists the
# program. Skipped only where the daemon cannot start at all.
set -euo pipefail
program=$1
source "$(dirname "$0")/lib/common.sh"
e2e_init
command -v xscreensaver >/dev/null && command -v xscreensaver-command >/dev/null ||
  skip "the xscreensaver package is not installed"
start_xvfb 640x480x24

# A home and a copy of the program that the daemon's user can reach.
chmod 711 "$E2E_TMP"
daemon_home=$E2E_TMP/daemon
mkdir -p "$daemon_home/bin"
cp "$program" "$daemon_home/bin/quillaby"
hack=$daemon_home/bin/quillaby
cat >"$daemon_home/.xscreensaver" <<CONF
timeout: 0:30:00
cycle: 0:00:00
lock: False
splash: False
fade: False
unfade: False
dpmsEnabled: False
mode: one
selected: 0
programs: GL: $hack --root --delay 20000 --notes 30 \\n
CONF
as_daemon=()
if [[ $(id -u) == 0 ]]; then
  command -v setpriv >/dev/null || skip "running as root without setpriv: the daemon refuses root"
  chown -R 65534:65534 "$daemon_home"
  as_daemon=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
daemon_env=(env -i "PATH=/usr/libexec/xscreensaver:/usr/bin:/bin" "HOME=$daemon_home" "DISPLAY=$DISPLAY"
  SDL_AUDIODRIVER=dummy "TMPDIR=$daemon_home")
"${as_daemon[@]}" "${daemon_env[@]}" xscreensaver -no-splash -verbose >"$E2E_TMP/daemon.log" 2>&1 &
daemon_pid=$!
e2e_track $daemon_pid
# The daemon's helpers and hacks are ended with it, by their ids.
end_daemon_family() {
  local pids
  pids="$(pgrep -P "$daemon_pid" || true) $(pgrep -f "^$hack " || true)"
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
  e2e_cleanup
}
trap end_daemon_family EXIT
ready=
for _ in $(seq 100); do
  xscreensaver-command -time >/dev/null 2>&1 && { ready=1; break; }
  kill -0 "$daemon_pid" 2>/dev/null || break
  sleep 0.1
done
[[ -n $ready ]] || skip "the XScreenSaver daemon cannot start here: $(tail -n 5 "$E2E_TMP/daemon.log")"

hack_pids() { pgrep -f "^$hack " || true; }

xscreensaver-command -activate >/dev/null
for _ in $(seq 100); do [[ -n $(hack_pids) ]] && break; sleep 0.1; done
[[ -n $(hack_pids) ]] || fail "-activate started no Quillaby: $(tail -n 20 "$E2E_TMP/daemon.log")"

# It draws on the screen: the picture there moves and is lit. On a busy machine the start may take
# a while.
changed=
for _ in $(seq 20); do
  [[ -n $(hack_pids) ]] || fail "Quillaby ended under the daemon: $(tail -n 20 "$E2E_TMP/daemon.log")"
  import -window root -depth 8 "rgb:$E2E_TMP/a.rgb"
  sleep 1
  import -window root -depth 8 "rgb:$E2E_TMP/b.rgb"
  cmp -s "$E2E_TMP/a.rgb" "$E2E_TMP/b.rgb" || { changed=1; break; }
done
[[ -n ${QUILLABY_SCREENSHOT:-} ]] && import -window root "$QUILLABY_SCREENSHOT"
[[ -n ${QUILLABY_KEEP_LOG:-} ]] && cp "$E2E_TMP/daemon.log" "$QUILLABY_KEEP_LOG"
[[ -n $changed ]] || fail "the picture on the screen does not change: $(tail -n 20 "$E2E_TMP/daemon.log")"
size=$(stat -c %s "$E2E_TMP/b.rgb")
lit=$(tr -d '\000' <"$E2E_TMP/b.rgb" | wc -c)
((lit * 2 > size)) || fail "the screen is mostly black under the daemon ($lit of $size bytes lit)"

xscreensaver-command -deactivate >/dev/null
start=$(date +%s%N)
for _ in $(seq 50); do [[ -z $(hack_pids) ]] && break; sleep 0.1; done
[[ -z $(hack_pids) ]] || fail "-deactivate did not end Quillaby"
echo "-deactivate to the hack's end: $((($(date +%s%N) - start) / 1000000)) ms"
grep -i "quillaby.*\(error\|fail\)" "$E2E_TMP/daemon.log" && fail "the daemon reports trouble with Quillaby"
echo ok
