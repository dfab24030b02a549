#!/usr/bin/env bash
# Sets up, builds and runs Quillaby: ./run.sh [program arguments]
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup-deps
cmake --preset release >/dev/null
cmake --build --preset release --target quillaby >/dev/null
exec build/release/quillaby "$@"
