#!/usr/bin/env bash
# The saver file's modes that end without a window, under Wine with the real registry and semaphore:
# the password change (/a) ends at once; --idle-watch says Windows starts savers itself and ends
# with 2; a second copy while one runs ends silently; "Run As EXE"
# without its twin ends silently too.
#   saver_instances.sh WINE_RUN PROGRAM
set -euo pipefail
wine_run=$1 program=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

tmp=$(mktemp -d)
saver=
cleanup() {
  [[ -n $saver ]] && kill "$saver" 2>/dev/null && wait "$saver" 2>/dev/null
  "$wine_run" reg delete 'HKCU\Software\Harnwick Software\Quillaby' /v RunAsExe /f >/dev/null 2>&1 || true
  rm -rf "$tmp"
}
trap cleanup EXIT
export QUILLABY_NONINTERACTIVE=1 SDL_AUDIODRIVER=dummy
# A name of its own: the semaphore is the base name + "Semaphore", shared by the whole prefix.
name=inst$$
cp "$program" "$tmp/$name.scr"

# Ends within the limit, with exit code 0 and nothing said.
ends_quietly() {
  local what=$1
  shift
  local start=$SECONDS
  timeout 60 "$wine_run" "$tmp/$name.scr" "$@" >"$tmp/out.txt" 2>&1 || fail "$what: exit code $? ($(cat "$tmp/out.txt"))"
  [[ ! -s $tmp/out.txt ]] || fail "$what said: $(cat "$tmp/out.txt")"
  echo "$what: ended after $((SECONDS - start)) s"
}

ends_quietly "password change" /a

# Windows starts screen savers itself: the idle watcher of the Linux build says where to choose one.
code=0
timeout 60 "$wine_run" "$tmp/$name.scr" --idle-watch >"$tmp/out.txt" 2>&1 || code=$?
[[ $code == 2 ]] && grep -q 'Screen Saver Settings' "$tmp/out.txt" || fail "--idle-watch: $code, $(cat "$tmp/out.txt")"

"$wine_run" "$tmp/$name.scr" /s >"$tmp/saver.txt" 2>&1 &
saver=$!
# The first copy holds the semaphore once its window is up; give Wine time to start it.
sleep 8
kill -0 "$saver" 2>/dev/null || fail "the first copy ended: $(cat "$tmp/saver.txt")"
ends_quietly "second copy" /c
kill "$saver"
wait "$saver" 2>/dev/null || true
saver=

"$wine_run" reg add 'HKCU\Software\Harnwick Software\Quillaby' /v RunAsExe /t REG_DWORD /d 1 /f >/dev/null 2>&1
ends_quietly "Run As EXE without its twin" /s
echo ok
