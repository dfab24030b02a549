#!/usr/bin/env bash
# A 2x-scaled output (HEADLESS-2, 640x480 pixels, 320x240 logical) is covered at its real pixels:
# the scene drawn at 320x240 and enlarged would come out in 2x2 blocks. At a render scale of 50 the
# saver's and the wallpaper's surfaces on both outputs draw buffers of half each side of the output's
# pixels (buffer scale 1), which the compositor scales to the whole output through a viewport.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
. "$(dirname "$0")/lib/sway.sh"
program=$1
e2e_init
# No background program: its surface would lie over the wallpaper's.
SWAY_BACKGROUND=none start_sway 'output HEADLESS-2 scale 2' || skip "headless sway does not start here"
e2e_saver_files "$program" 'Sound=0'

# wait_whole NAME FILE: waits up to 60 s for the scene to cover output NAME whole (each quarter of
# its picture, in FILE, shows the scene, not sway's plain grey), returns 1 when it does not.
wait_whole() {
  local _
  for _ in $(seq 120); do
    output_picture "$1" "$2" 2>/dev/null && picture_whole "$2" &&
      convert "$2" -crop 2x2@ +repage -colorspace Gray -format '%[fx:maxima-minima]\n' info: |
      awk '$1 > 0.3 { n++ } END { exit !(n == 4) }' && return 0
    sleep 0.5
  done
  return 1
}

./bin/quillaby.scr /s >"$E2E_TMP/saver.log" 2>&1 &
saver=$!
e2e_track $saver
wait_whole HEADLESS-2 "$E2E_TMP/scaled.png" || fail "the scaled output was not covered: $(cat "$E2E_TMP/saver.log")"
size=$(identify -format '%wx%h' "$E2E_TMP/scaled.png")
[[ $size == 640x480 ]] || fail "the scaled output's picture is $size"
picture_fine "$E2E_TMP/scaled.png" || fail "the scaled output shows 2x2 blocks"

wtype -s 3000 a
wait_exit $saver || fail "a typed key did not end the saver"

# viewports LOG: for each surface given a viewport, "destination buffers scale": its last destination,
# the sizes of the buffers attached since it was made (comma-separated), the last buffer scale.
viewports() {
  awk '{ line = $0; gsub(/[(),]/, " ", line); split(line, f, " "); split(f[3], call, ".") }
    call[2] == "create_buffer" { size[f[6]] = f[8] "x" f[9] }
    call[2] == "attach" && call[1] in seen && index("," shown[call[1]] ",", "," size[f[4]] ",") == 0 {
      shown[call[1]] = shown[call[1]] (shown[call[1]] == "" ? "" : ",") size[f[4]]
    }
    call[2] == "set_buffer_scale" { scale[call[1]] = f[4] }
    call[2] == "get_viewport" { surface[f[6]] = f[7]; seen[f[7]] = 1 }
    call[2] == "set_destination" { destination[surface[call[1]]] = f[4] "x" f[5] }
    END { for (s in destination) print destination[s], shown[s], (s in scale ? scale[s] : 1) }' "$1" | sort
}

# scaled_run NAME COMMAND...: runs it with the protocol log on, until both outputs show it.
scaled_run() {
  local name=$1 pid output
  shift
  WAYLAND_DEBUG=1 "$@" >"$E2E_TMP/$name.log" 2>&1 &
  pid=$!
  e2e_track $pid
  for output in HEADLESS-1 HEADLESS-2; do
    wait_whole $output "$E2E_TMP/$name-$output.png" ||
      fail "$name: the scene does not cover $output whole: $(grep -v '^\[' "$E2E_TMP/$name.log")"
  done
  kill -TERM $pid
  wait_exit $pid || fail "$name: SIGTERM did not end it"
  # 800x600 and 320x240 logical; 400x300 and half of HEADLESS-2's 640x480 pixels drawn.
  [[ $(viewports "$E2E_TMP/$name.log") == $'320x240 320x240 1\n800x600 400x300 1' ]] ||
    fail "$name: viewports (destination buffer scale): $(viewports "$E2E_TMP/$name.log")"
}

printf 'Sound=0\nRenderScale=50\n' >"$conf"
scaled_run saver ./bin/quillaby.scr /s
scaled_run wallpaper ./bin/quillaby --wallpaper --render-scale 50
echo PASS
