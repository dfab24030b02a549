#!/usr/bin/env bash
# Sets up, builds and runs Quillaby: ./run.sh [program arguments]
# Without arguments: the program as a user double-clicks it (plain `quillaby`) where there is a
# display; on a machine without one, a snapshot of each theme in ./out/.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup-deps
cmake --preset release >/dev/null
cmake --build --preset release --target quillaby >/dev/null
program=build/release/quillaby
if (($#)); then
  exec "$program" "$@"
fi
if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  exec "$program"
fi
mkdir -p out
names=(immersion fountain fishes)
for theme in 0 1 2; do
  "$program" --snapshot "out/${names[theme]}.png" --theme "$theme" --size 1280x720
done
echo "No display here: snapshots of the three themes are in $PWD/out/ (${names[*]/%/.png})"
