#!/usr/bin/env bash
# The Windows program's snapshot (under Wine, Mesa's llvmpipe as on Linux) is the Linux program's
# picture: same seed, size and frame count, each theme, run from a folder holding nothing else. A difference is a portability fault (random
# numbers, float maths, paths, number parsing), so the pictures must be identical. Both programs
# render through GLX on the session's Xvfb: there the program's request of a 16-bit depth buffer
# gets 32 bits on both (Linux's display-less EGL gives 16, and two notes that cross then meet at a
# few other pixels).
#   snapshot_matches_linux.sh WINE_RUN PROGRAM.scr   (QUILLABY_LINUX_PROGRAM: the Linux build's program)
set -euo pipefail
wine_run=$1 windows_program=$2 linux_program=${QUILLABY_LINUX_PROGRAM:-}
fail() { echo "FAIL: $*" >&2; exit 1; }
[[ -x $linux_program ]] || fail "no Linux program at $linux_program: build the release preset first"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export SDL_AUDIODRIVER=dummy HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$tmp" # relative file names: the same on both systems
display=$("$wine_run" --display)
# The program is one file: a copy alone in a folder of its own draws the same.
mkdir alone
cp "$windows_program" alone/quillaby.scr
windows_program=alone/quillaby.scr

for theme in 0 1 2; do
  args=(--theme "$theme" --size 320x240 --seed 11 --frames 30)
  DISPLAY=$display SDL_VIDEODRIVER=x11 "$linux_program" --snapshot "linux$theme.png" "${args[@]}" >/dev/null ||
    fail "the Linux program failed on theme $theme"
  "$wine_run" "$windows_program" --snapshot "windows$theme.png" "${args[@]}" >"out$theme.txt" 2>&1 ||
    fail "the Windows program failed on theme $theme: $(cat "out$theme.txt")"
  [[ -s windows$theme.png ]] || fail "the Windows program wrote no picture for theme $theme"
  # Pixels, not file bytes: the two programs' PNG encoders need not compress alike.
  differing=$(compare -metric AE "linux$theme.png" "windows$theme.png" "diff$theme.png" 2>&1) || true
  if [[ $differing != 0 ]]; then
    out=${QUILLABY_TEST_OUTPUT:-$PWD}
    mkdir -p "$out"
    cp "linux$theme.png" "windows$theme.png" "diff$theme.png" "$out/" 2>/dev/null || true
    fail "theme $theme: $differing pixels differ between Linux and Windows (pictures in $out)"
  fi
done
echo ok
