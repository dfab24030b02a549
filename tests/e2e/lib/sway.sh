# A headless sway for the Wayland tests: source it after common.sh, call e2e_init, then
#   start_sway [CONFIG-LINE...]  sway as `nobody` (it refuses root) with two outputs, HEADLESS-1 at
#                            800x600 and HEADLESS-2 at 640x480 to its right, on a white background;
#                            extra lines go to its config. Sets WAYLAND_DISPLAY (a path: programs run
#                            as root reach the socket by path) and SWAYSOCK, unsets DISPLAY; returns 1
#                            when sway cannot start here (the caller skips). SWAY_OUTPUTS=1 makes
#                            HEADLESS-1 alone; SWAY_BACKGROUND=none starts no background program
#                            (whose surface would lie over any other on the background layer).
#   start_nested_sway        a second sway drawn into windows of the first (wlroots' Wayland backend),
#                            with outputs WL-1 at 800x600 and WL-2 at 640x480 to its right. Its
#                            outputs can be unplugged (headless ones cannot be disabled): unplug_output
#                            NAME closes the output's window and waits for the output to go;
#                            `swaymsg create_output` adds one.
#                            Sets WAYLAND_DISPLAY and SWAYSOCK to the inner one (OUTER_SWAYSOCK: outer);
#                            SWAY_BACKGROUND applies to the inner one too.
#   output_picture NAME FILE grim's picture of one output
#   picture_mean FILE        the mean grey of a picture, 0 to 1
#   pictures_differ A B      true when the two pictures differ in more than a few pixels
#   picture_whole FILE       true when each quarter of the picture shows the scene (no white or black)
#   picture_fine FILE        true when the picture has detail at its full size (no 2x2 blocks)
start_sway() {
  command -v sway >/dev/null && command -v grim >/dev/null || return 1
  SWAY_DIR=$(mktemp -d /tmp/quillaby-sway.XXXXXX)
  chmod 700 "$SWAY_DIR"
  {
    printf '%s\n' 'output HEADLESS-1 resolution 800x600 position 0,0' \
      'output HEADLESS-2 resolution 640x480 position 800,0' 'default_border none' 'focus_follows_mouse no'
    [[ ${SWAY_BACKGROUND:-} == none ]] || echo 'output * bg #ffffff solid_color'
    printf '%s\n' "$@"
  } >"$SWAY_DIR/config"
  chown -R nobody:nogroup "$SWAY_DIR"
  setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH=/usr/bin:/bin HOME="$SWAY_DIR" \
    XDG_RUNTIME_DIR="$SWAY_DIR" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    WLR_HEADLESS_OUTPUTS="${SWAY_OUTPUTS:-2}" sway -c "$SWAY_DIR/config" >"$E2E_TMP/sway.log" 2>&1 &
  E2E_SWAY_PID=$!
  e2e_track $!
  local socket='' _
  for _ in $(seq 100); do
    socket=$(ls "$SWAY_DIR"/sway-ipc.*.sock 2>/dev/null | head -1)
    [[ -n $socket && -S $SWAY_DIR/wayland-1 ]] && break
    kill -0 "$E2E_SWAY_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [[ -z $socket || ! -S $SWAY_DIR/wayland-1 ]]; then
    echo "sway did not start: $(tail -5 "$E2E_TMP/sway.log")" >&2
    return 1
  fi
  export WAYLAND_DISPLAY=$SWAY_DIR/wayland-1 SWAYSOCK=$socket
  unset DISPLAY
  # sway's own clean-up runs before common.sh's: the folder is ours, not E2E_TMP's.
  trap 'e2e_cleanup; rm -rf "$SWAY_DIR"' EXIT
  _wait_lit HEADLESS-1 || { echo "sway's outputs did not come up" >&2; return 1; }
}

# The outputs are lit once grim can read one of them.
_wait_lit() { # output
  local _
  for _ in $(seq 50); do
    grim -o "$1" "$E2E_TMP/.probe.png" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

start_nested_sway() {
  SWAY_OUTPUTS=1 start_sway 'output HEADLESS-1 resolution 1600x700' 'for_window [app_id="wlroots"] floating enable' ||
    return 1
  OUTER_SWAYSOCK=$SWAYSOCK
  {
    printf '%s\n' 'output WL-1 resolution 800x600 position 0,0' 'output WL-2 resolution 640x480 position 800,0' \
      'default_border none' 'focus_follows_mouse no'
    [[ ${SWAY_BACKGROUND:-} == none ]] || echo 'output * bg #ffffff solid_color'
  } >"$SWAY_DIR/nested"
  chown nobody:nogroup "$SWAY_DIR/nested"
  setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH=/usr/bin:/bin HOME="$SWAY_DIR" \
    XDG_RUNTIME_DIR="$SWAY_DIR" WAYLAND_DISPLAY=wayland-1 WLR_BACKENDS=wayland WLR_WL_OUTPUTS=2 \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$SWAY_DIR/nested" >"$E2E_TMP/nested.log" 2>&1 &
  e2e_track $!
  local socket='' _
  for _ in $(seq 100); do
    socket=$(ls "$SWAY_DIR"/sway-ipc.*.sock 2>/dev/null | grep -vxF "$OUTER_SWAYSOCK" | head -1)
    [[ -n $socket && -S $SWAY_DIR/wayland-2 ]] && break
    sleep 0.1
  done
  [[ -n $socket && -S $SWAY_DIR/wayland-2 ]] || {
    echo "the nested sway did not start: $(tail -5 "$E2E_TMP/nested.log")" >&2
    return 1
  }
  export WAYLAND_DISPLAY=$SWAY_DIR/wayland-2 SWAYSOCK=$socket
  _wait_lit WL-2 || { echo "the nested sway's outputs did not come up" >&2; return 1; }
}

unplug_output() {
  local _
  SWAYSOCK=$OUTER_SWAYSOCK swaymsg -q "[title=\"wlroots - $1\"] kill"
  for _ in $(seq 50); do
    grep -q "\"name\": \"$1\"" <<<"$(swaymsg -t get_outputs)" || return 0
    sleep 0.1
  done
  return 1
}

output_picture() { grim -o "$1" "$2"; }

picture_whole() {
  convert "$1" -crop 2x2@ +repage -colorspace Gray -format '%[fx:mean]\n' info: |
    awk '$1 > 0.02 && $1 < 0.9 { n++ } END { exit !(n == 4) }'
}

picture_fine() {
  local size fine
  size=$(identify -format '%w %h' "$1")
  convert "$1" -sample 50% -sample 200% "$E2E_TMP/.blocky.png"
  fine=$(compare -metric AE -fuzz 3% "$1" "$E2E_TMP/.blocky.png" null: 2>&1 || true)
  awk -v n="${fine%% *}" -v s="$size" 'BEGIN { split(s, d, " "); exit !(n > d[1] * d[2] / 20) }'
}

picture_mean() { convert "$1" -colorspace Gray -format '%[fx:mean]' info:; }

pictures_differ() {
  local n
  n=$(compare -metric AE -fuzz 2% "$1" "$2" null: 2>&1 || true)
  [[ ${n%% *} =~ ^[0-9.e+]+$ ]] && awk -v n="${n%% *}" 'BEGIN { exit !(n > 100) }'
}

# wait_covered NAME: waits up to 60 s (software rendering on a busy machine) for output NAME to
# show something other than the white background; returns 1 when it does not.
wait_covered() {
  local _
  for _ in $(seq 120); do
    output_picture "$1" "$E2E_TMP/.covered.png" 2>/dev/null &&
      awk -v m="$(picture_mean "$E2E_TMP/.covered.png")" 'BEGIN { exit !(m < 0.9) }' && return 0
    sleep 0.5
  done
  return 1
}

# wait_exit PID: waits up to 60 s for PID to end; returns 1 when it still runs.
wait_exit() {
  local _
  for _ in $(seq 600); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
