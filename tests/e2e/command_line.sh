#!/usr/bin/env bash
# A bad command line is refused with a clear message and the usage, exit code 2, and no window.
set -euo pipefail
program=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy HOME=$tmp

fail() { echo "FAIL: $*" >&2; exit 1; }

expect_refused() { # expected-text arguments...
  local expected=$1
  shift
  local rc=0
  "$program" "$@" >"$tmp/out" 2>"$tmp/err" || rc=$?
  [[ $rc == 2 ]] || fail "'$*' exited with $rc, not 2"
  grep -qF -- "$expected" "$tmp/err" || fail "'$*' did not say '$expected': $(cat "$tmp/err")"
  grep -q 'usage:' "$tmp/err" || fail "'$*' did not print the usage"
}

expect_refused '--theme' --window --theme 7
expect_refused '--notes' --snapshot "$tmp/a.png" --notes many
expect_refused 'unknown argument "--bogus"' --bogus
expect_refused 'applies to --window, --snapshot and --wallpaper only' /s --theme 1
expect_refused '-notes needs a whole number from 0 to 100' -root -notes 500
expect_refused '--size' --snapshot "$tmp/a.png" --size 10by10
expect_refused 'needs a value' --snapshot
[[ ! -e $tmp/a.png ]] || fail "a refused command line wrote a picture"

# Without a display the window job says so at once instead of rendering unseen.
rc=0
timeout 20 "$program" --window --no-sound >"$tmp/out" 2>"$tmp/err" || rc=$?
[[ $rc == 1 ]] || fail "--window without a display exited with $rc"
grep -q 'needs a display' "$tmp/err" || fail "--window without a display did not say so: $(cat "$tmp/err")"

"$program" --help >"$tmp/out" || fail "--help failed"
grep -q -- '--snapshot' "$tmp/out" || fail "--help does not describe --snapshot"
echo ok
