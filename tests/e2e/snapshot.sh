#!/usr/bin/env bash
# The snapshot job renders offscreen, writes a PNG of the asked size and reports its frame rate;
# the same seed gives the same picture.
set -euo pipefail
program=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy HOME=$tmp XDG_RUNTIME_DIR=$tmp

fail() { echo "FAIL: $*" >&2; exit 1; }

for theme in 0 1 2; do
  out=$("$program" --snapshot "$tmp/t$theme.png" --theme "$theme" --size 96x64 --seed 7 --frames 3 2>"$tmp/err") ||
    fail "theme $theme exited with $? ($(cat "$tmp/err"))"
  [[ -s $tmp/t$theme.png ]] || fail "theme $theme wrote no picture"
  [[ $(head -c 8 "$tmp/t$theme.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
    fail "theme $theme did not write a PNG"
  # Width and height are the first two fields of the IHDR chunk.
  [[ $(od -An -tu1 -j16 -N8 "$tmp/t$theme.png" | tr -s ' ') == " 0 0 0 96 0 0 0 64" ]] ||
    fail "theme $theme picture is not 96x64"
  grep -Eq 'frames per second' <<<"$out" || fail "theme $theme printed no frame rate: $out"
done

"$program" --snapshot "$tmp/again.png" --theme 0 --size 96x64 --seed 7 --frames 3 >/dev/null
cmp -s "$tmp/t0.png" "$tmp/again.png" || fail "the same seed gave a different picture"
cmp -s "$tmp/t0.png" "$tmp/t1.png" && fail "two themes gave the same picture"

# The asset files the build generated give the same picture as the copies built into the program;
# a folder without them is an error that names what is missing.
assets=$(dirname "$program")/resources/generated
if [[ -d $assets ]]; then
  "$program" --snapshot "$tmp/files.png" --theme 0 --size 96x64 --seed 7 --frames 3 --assets "$assets" >/dev/null
  cmp -s "$tmp/t0.png" "$tmp/files.png" || fail "--assets with the generated files gave a different picture"
fi
rc=0
"$program" --snapshot "$tmp/none.png" --size 32x32 --frames 1 --assets "$tmp/no-assets" 2>"$tmp/err" >/dev/null || rc=$?
[[ $rc == 1 ]] || fail "a folder without assets exited with $rc"
grep -q "no-assets" "$tmp/err" || fail "the missing asset is not named: $(cat "$tmp/err")"
[[ ! -e $tmp/none.png ]] || fail "a failed run wrote a picture"

# A file that cannot be written is an error that names it, and nothing is left behind.
if "$program" --snapshot "$tmp/missing/x.png" --size 32x32 --frames 1 2>"$tmp/err" >/dev/null; then
  fail "writing into a missing folder succeeded"
fi
grep -q "$tmp/missing/x.png" "$tmp/err" || fail "the error does not name the file: $(cat "$tmp/err")"

# --gl-trace writes the frames' GL calls, one a line; a trace file that cannot be made is an error.
"$program" --snapshot "$tmp/traced.png" --size 32x32 --frames 2 --gl-trace "$tmp/trace.txt" >/dev/null
grep -q '^glClear(' "$tmp/trace.txt" || fail "the trace holds no glClear"
grep -q '^glDrawElements(' "$tmp/trace.txt" || fail "the trace holds no draw call"
rc=0
"$program" --snapshot "$tmp/x.png" --size 32x32 --frames 1 --gl-trace "$tmp/no-dir/t.txt" 2>"$tmp/err" >/dev/null || rc=$?
[[ $rc == 1 ]] || fail "an unwritable trace exited with $rc"
grep -q "no-dir/t.txt" "$tmp/err" || fail "the unwritable trace is not named: $(cat "$tmp/err")"
echo ok
