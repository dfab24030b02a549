#!/usr/bin/env bash
# Sets up, builds and runs every test: once in release (benchmarks built too),
# once under AddressSanitizer + UndefinedBehaviorSanitizer, then a few seconds of each fuzz target
# over its corpus (clang's libFuzzer, the fuzz preset), then the Windows program cross-built with
# mingw-w64 and its tests under Wine (the windows preset).
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/setup-deps
bash scripts/setup-windows-deps

jobs=$(nproc)
# The leak check stops every thread at exit; following the GL driver's dynamic TLS as well races with
# its worker threads and crashes the checker now and then. Those blocks stay reachable through each
# thread's own TLS, which is still scanned.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0}
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

echo "== windows: cross-built libraries (once per build folder), configure and build"
bash scripts/build-windows-deps
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
echo "== windows: tests under Wine"
ctest --preset windows -j "$jobs"
