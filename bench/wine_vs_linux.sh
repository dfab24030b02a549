#!/usr/bin/env bash
# The Windows saver under Wine beside the Linux saver, on one private Xvfb and the same Mesa llvmpipe:
# the frame rate of the full-screen saver (/s) drawn layer by layer and with fewer passes, runs of
# the two programs alternating, each sampled by Mesa's HUD (frames a second, dumped once a second);
# then the time from starting /s to its first frame on the screen (the middle pixel no longer the
# black root; polled, so about 0.1 s fine), Wine's server already running as on a Windows desktop.
# Prints each pair and the medians with their ratio (Windows / Linux), and the median of the pairs'
# own ratios.
#   bench/wine_vs_linux.sh build/release/quillaby build/windows/quillaby.scr \
#       [WxH, default 1920x1080] [pairs, default 3] [seconds, default 14] [start-ups, default 5]
set -euo pipefail
linux=$(readlink -f "$1")
windows=$(readlink -f "$2")
size=${3:-1920x1080}
pairs=${4:-3}
seconds=${5:-14}
starts=${6:-5}
source "$(dirname "$0")/../tests/e2e/lib/common.sh"
source "$(dirname "$0")/../tests/e2e/lib/wine.sh"
wine_init "$(dirname "$windows")"
start_xvfb "${size}x24" -br
wine_start
mkdir -p "$E2E_TMP/linux" "$E2E_TMP/windows"
ln -s "$linux" "$E2E_TMP/linux/quillaby.scr"
cp "$windows" "$E2E_TMP/windows/quillaby.scr"
conf="$XDG_CONFIG_HOME/Harnwick Software/Quillaby.conf"
mkdir -p "$(dirname "$conf")"
key='HKCU\Software\Harnwick Software\Quillaby'
read -r width height <<<"${size/x/ }"

# The same stored options on both sides: the desktop's mode, no sound, the given passes.
store() { # fewer passes 0 or 1
  printf 'DesktopOnly=1\nSound=0\nFewerPasses=%s\n' "$1" >"$conf"
  local name
  for name in DesktopOnly:1 Sound:0 FewerPasses:"$1"; do
    wine reg add "$key" /v "${name%%:*}" /t REG_DWORD /d "${name#*:}" /f >/dev/null 2>&1
  done
}

run_saver() { # linux|windows
  if [[ $1 == linux ]]; then
    "$E2E_TMP/linux/quillaby.scr" /s >/dev/null 2>&1 &
  else
    wine "$E2E_TMP/windows/quillaby.scr" /s >/dev/null 2>&1 &
  fi
  pid=$!
  e2e_track $pid
}

end_saver() {
  xdotool key space
  wine_wait_gone $pid 30 || kill $pid
  wait $pid 2>/dev/null || true
}

fps() { # linux|windows: median of the HUD's samples after the first four seconds
  local hud=$E2E_TMP/hud-$RANDOM
  mkdir -p "$hud"
  GALLIUM_HUD=fps GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR=$hud GALLIUM_HUD_VISIBLE=false run_saver "$1"
  sleep "$seconds"
  end_saver
  tail -n +5 "$hud/fps" | median
}

drawn() { # the middle of the screen is no longer black
  [[ $(import -window root -crop "1x1+$((width / 2))+$((height / 2))" -depth 8 txt:- 2>/dev/null |
    tail -n1) != *"#000000"* ]]
}

first_frame() { # linux|windows: seconds from the start to the first drawn frame
  while drawn; do sleep 0.2; done # the last run's picture is gone
  local start=$EPOCHREALTIME
  run_saver "$1"
  until drawn; do :; done
  local end=$EPOCHREALTIME
  end_saver
  echo "$end - $start" | bc -l
}

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
ratio() { printf '%.2f' "$(echo "$2 / $1" | bc -l)"; }

echo "$size Xvfb, llvmpipe, $(wine --version); $pairs pairs of ${seconds} s; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for passes in 0 1; do
  store $passes
  l=() w=() r=()
  for ((i = 1; i <= pairs; i++)); do
    a=$(fps linux)
    b=$(fps windows)
    l+=("$a") w+=("$b") r+=("$(ratio "$a" "$b")")
    printf 'fewer passes %s: linux %6s  wine %6s  ratio %s\n' $passes "$a" "$b" "${r[-1]}"
  done
  a=$(printf '%s\n' "${l[@]}" | median)
  b=$(printf '%s\n' "${w[@]}" | median)
  # The pairs' own ratios are steadier than the ratio of the medians when the machine's load drifts.
  printf 'medians, fewer passes %s: linux %s fps, wine %s fps, ratio %s; median of the pairs'"'"' ratios %s\n' \
    $passes "$a" "$b" "$(ratio "$a" "$b")" "$(printf '%s\n' "${r[@]}" | median)"
done

store 1
l=() w=()
for ((i = 1; i <= starts; i++)); do
  l+=("$(first_frame linux)") w+=("$(first_frame windows)")
  printf 'start to first frame: linux %.2f s  wine %.2f s\n' "${l[-1]}" "${w[-1]}"
done
a=$(printf '%s\n' "${l[@]}" | median)
b=$(printf '%s\n' "${w[@]}" | median)
printf 'medians, start to first frame: linux %.2f s, wine %.2f s, ratio %s\n' "$a" "$b" "$(ratio "$a" "$b")"
