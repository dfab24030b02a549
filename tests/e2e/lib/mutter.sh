# A headless mutter (GNOME's compositor: no layer shell) for the Wayland tests: source it after
# common.sh and sway.sh (for picture_mean, pictures_differ, wait_exit), call e2e_init, then
#   start_mutter             mutter as `nobody` on a session bus of its own, with two virtual
#                            monitors, Meta-0 at 800x600 and Meta-1 at 640x480 to its right, and
#                            PipeWire for its screen casts. Sets WAYLAND_DISPLAY (a path) and
#                            DBUS_SESSION_BUS_ADDRESS (the bus lets every user in, the tests' root
#                            too), unsets DISPLAY; returns 1 when mutter cannot start here (the
#                            caller skips)
#   monitor_picture NAME FILE  a picture of one monitor (through a screen cast)
#   mutter_input key | move N DX DY  a typed "a", or N pointer moves by DX, DY pixels
MUTTER_HELPER=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/mutter-session.py

# Runs a command as the compositor's user, on its session bus. `exec`, so that a run in the
# background is the process $! names: ending it ends the command.
_as_mutter_user() {
  exec setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH=/usr/bin:/bin HOME="$MUTTER_DIR" \
    XDG_RUNTIME_DIR="$MUTTER_DIR" DBUS_SESSION_BUS_ADDRESS="unix:path=$MUTTER_DIR/bus" "$@"
}

start_mutter() {
  local tool
  for tool in mutter dbus-daemon pipewire wireplumber gst-launch-1.0; do
    command -v $tool >/dev/null || return 1
  done
  /usr/bin/python3 -c 'import gi' 2>/dev/null || return 1
  MUTTER_DIR=$(mktemp -d /tmp/quillaby-mutter.XXXXXX)
  chmod 700 "$MUTTER_DIR"
  # The helper runs as the compositor's user, who may not read the source tree.
  cp "$MUTTER_HELPER" "$MUTTER_DIR/session.py"
  printf '%s\n' '<busconfig>' '  <include>/usr/share/dbus-1/session.conf</include>' \
    '  <policy context="default"><allow user="*"/></policy>' '</busconfig>' >"$MUTTER_DIR/bus.conf"
  chown -R nobody:nogroup "$MUTTER_DIR"
  # A sway started before (benchmarks run both) keeps its clean-up.
  trap 'e2e_cleanup; rm -rf "$MUTTER_DIR" "${SWAY_DIR:-}"' EXIT
  _as_mutter_user dbus-daemon --config-file="$MUTTER_DIR/bus.conf" --nofork \
    --address="unix:path=$MUTTER_DIR/bus" >"$E2E_TMP/dbus.log" 2>&1 &
  e2e_track $!
  local _
  for _ in $(seq 50); do [[ -S $MUTTER_DIR/bus ]] && break; sleep 0.1; done
  _as_mutter_user mutter --headless --wayland --no-x11 --wayland-display=wayland-0 \
    --virtual-monitor 800x600 --virtual-monitor 640x480 >"$E2E_TMP/mutter.log" 2>&1 &
  E2E_MUTTER_PID=$!
  e2e_track $!
  _as_mutter_user pipewire >"$E2E_TMP/pipewire.log" 2>&1 &
  e2e_track $!
  for _ in $(seq 50); do [[ -S $MUTTER_DIR/pipewire-0 ]] && break; sleep 0.1; done
  _as_mutter_user wireplumber >"$E2E_TMP/wireplumber.log" 2>&1 &
  e2e_track $!
  for _ in $(seq 100); do
    [[ -S $MUTTER_DIR/wayland-0 ]] && break
    kill -0 "$E2E_MUTTER_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [[ ! -S $MUTTER_DIR/wayland-0 ]]; then
    echo "mutter did not start: $(tail -5 "$E2E_TMP/mutter.log")" >&2
    return 1
  fi
  export WAYLAND_DISPLAY=$MUTTER_DIR/wayland-0 DBUS_SESSION_BUS_ADDRESS=unix:path=$MUTTER_DIR/bus
  unset DISPLAY
  # The monitors are lit once one can be cast.
  for _ in $(seq 20); do
    monitor_picture Meta-0 "$E2E_TMP/.probe.png" 2>/dev/null && return 0
    sleep 0.5
  done
  echo "mutter's monitors cannot be cast" >&2
  return 1
}

monitor_picture() {
  rm -f "$MUTTER_DIR/picture.png"
  (_as_mutter_user /usr/bin/python3 "$MUTTER_DIR/session.py" picture "$1" "$MUTTER_DIR/picture.png" >/dev/null) &&
    [[ -s $MUTTER_DIR/picture.png ]] && cp "$MUTTER_DIR/picture.png" "$2"
}

mutter_input() { (_as_mutter_user /usr/bin/python3 "$MUTTER_DIR/session.py" "$@"); }
