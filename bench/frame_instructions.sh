#!/usr/bin/env bash
# Instructions a frame of a `--snapshot` run, counted by callgrind (repeatable on a loaded machine,
# unlike times): the run with N + 10 frames minus the run with N frames, over 10, so start-up and
# the reset's pre-run cancel out. llvmpipe rasterises on the calling thread (LP_NUM_THREADS=0), so
# its work is counted too. Also prints, per frame, the scene's portable maths and the notes' pass
# sorting of fewer passes (inclusive, from the longer run, less the shorter run's).
#   bench/frame_instructions.sh build/release/quillaby [snapshot options, default: --size 1920x1080
#     --seed 3 --theme 2 --fewer-passes]
set -euo pipefail
program=$(readlink -f "$1")
shift
options=("$@")
((${#options[@]})) || options=(--size 1920x1080 --seed 3 --theme 2 --fewer-passes)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export SDL_AUDIODRIVER=dummy LP_NUM_THREADS=0

run() { # frames -> callgrind file
  valgrind --tool=callgrind --dump-instr=no --callgrind-out-file="$tmp/cg.$1" \
    "$program" --snapshot "$tmp/shot$1.png" --frames "$1" "${options[@]}" >/dev/null 2>&1
}
total() { callgrind_annotate "$1" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}'; }
# Inclusive instructions of the functions whose names match $2 (not nested in one another).
inclusive() {
  callgrind_annotate --inclusive=yes --auto=no --threshold=100 "$1" 2>/dev/null |
    grep -E '^ *[0-9,]+ \(.*\]$' | grep -E "$2" | awk '{gsub(",", "", $1); s += $1} END {print s + 0}'
}

run 2
run 12
per_frame() { echo $((($(inclusive "$tmp/cg.12" "$1") - $(inclusive "$tmp/cg.2" "$1")) / 10)); }
echo "options: ${options[*]}"
echo "instructions a frame:            $((($(total "$tmp/cg.12") - $(total "$tmp/cg.2")) / 10))"
echo "  portable maths a frame:        $(per_frame 'portable::(Sin|Cos|SinCos|Tan|Atan|Pow)\(')"
echo "  notes' pass sorting a frame:   $(per_frame 'ShimmerPassesFor')"
echo "start-up, reset and 2 frames:    $(total "$tmp/cg.2")"
