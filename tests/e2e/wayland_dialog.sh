#!/usr/bin/env bash
# The settings dialog in a Wayland session with no X server (SDL's own Wayland driver on headless
# sway): a fixed-size dialog, so the tiling compositor floats it whole in the middle of the output
# instead of tiling it over the output, and its panel shows the moving scene all over; "Preview..."
# covers both outputs and a key brings the dialog back.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
. "$(dirname "$0")/lib/sway.sh"
program=$1
e2e_init
start_sway || skip "headless sway does not start here"
e2e_saver_files "$program" 'Sound=0'

./bin/quillaby.scr /c >"$E2E_TMP/dialog.log" 2>&1 &
dialog=$!
e2e_track $dialog
tree=
for _ in $(seq 120); do
  tree=$(swaymsg -t get_tree)
  grep -q '"app_id": "quillaby"' <<<"$tree" && break
  sleep 0.5
done
grep -q '"app_id": "quillaby"' <<<"$tree" || fail "no dialog: $(cat "$E2E_TMP/dialog.log")"
grep -q '"type": "floating_con"' <<<"$tree" || fail "the dialog was tiled, not floated"

# The panel's middle (output pixels: the dialog is centred on the 800x600 output), over time.
panel() { output_picture HEADLESS-1 "$E2E_TMP/out.png" && convert "$E2E_TMP/out.png" -crop 280x200+170+150 +repage "$1"; }
sleep 6 # the scene's first frames on llvmpipe
panel "$E2E_TMP/panel-a.png"
sleep 1.5
panel "$E2E_TMP/panel-b.png"
pictures_differ "$E2E_TMP/panel-a.png" "$E2E_TMP/panel-b.png" || fail "the panel shows no moving scene"
# The scene fills the panel: its top and bottom strips both hold more than one flat colour.
for strip in 280x20+170+150 280x20+170+330; do
  colours=$(convert "$E2E_TMP/out.png" -crop "$strip" +repage -format '%k' info:)
  ((colours > 20)) || fail "the panel's strip $strip is flat ($colours colours)"
done

# "Preview..." (the button's middle at 190, 460 of the output; the desktop is 1440x600) covers both
# outputs with the scene until a key, then the dialog is back.
pointer=${QUILLABY_POINTER_MOVES:-$(dirname "$program")/tests/pointer-moves}
"$pointer" click 190 460 1440 600
wait_covered HEADLESS-2 || fail "\"Preview...\" did not cover the second output"
output_picture HEADLESS-1 "$E2E_TMP/preview.png"
pictures_differ "$E2E_TMP/out.png" "$E2E_TMP/preview.png" || fail "\"Preview...\" did not cover the dialog"
wtype -s 3000 a
for _ in $(seq 120); do
  output_picture HEADLESS-2 "$E2E_TMP/back.png"
  awk -v m="$(picture_mean "$E2E_TMP/back.png")" 'BEGIN { exit !(m > 0.99) }' && break
  sleep 0.5
done
awk -v m="$(picture_mean "$E2E_TMP/back.png")" 'BEGIN { exit !(m > 0.99) }' || fail "the preview did not end on a key"
kill -0 $dialog 2>/dev/null || fail "the dialog ended with the preview: $(cat "$E2E_TMP/dialog.log")"
for _ in $(seq 60); do
  grep -q '"app_id": "quillaby"' <<<"$(swaymsg -t get_tree)" && break
  sleep 0.5
done
grep -q '"app_id": "quillaby"' <<<"$(swaymsg -t get_tree)" || fail "the dialog did not come back"

kill $dialog
wait_exit $dialog || fail "the dialog did not end on SIGTERM"
code=0
wait $dialog || code=$?
[[ $code == 0 ]] || fail "the dialog ended with $code on SIGTERM: $(cat "$E2E_TMP/dialog.log")"
echo PASS
