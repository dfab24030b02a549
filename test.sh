#!/usr/bin/env bash
# Sets up, builds and runs every test: once in release (benchmarks built too),
# once under AddressSanitizer + UndefinedBehaviorSanitizer, then a few seconds of each fuzz target
# over its corpus (clang's libFuzzer, the fuzz preset).
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup-deps

jobs=$(nproc)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

for preset in release asan; do
  echo "== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset: tests"
  ctest --preset "$preset" -j "$jobs"
done

echo "== fuzz: configure and build"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
echo "== fuzz: every corpus input, then a few seconds of fuzzing per target"
ctest --preset fuzz -j "$jobs"
