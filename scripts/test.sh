#!/usr/bin/env bash
# Sets up, builds with warnings as errors, and runs every test: once in a
# normal build and once under AddressSanitizer and UndefinedBehaviorSanitizer;
# then runs each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs="$(nproc)"

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRELIVO_BENCH=ON >/dev/null
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DRELIVO_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

# The fuzz targets, about a minute each on their seed corpora (scripts/fuzz.sh).
bash scripts/fuzz.sh

# Relivo.ocx: the Windows component cross-built (64 and 32 bits) and tested
# under Wine, with the Linux references from the build above.
RELIVO_CLI="$PWD/build-test/cli/relivo" bash scripts/test_windows.sh

# The web host: the WebAssembly build, its value tests in Node and the
# elements in headless Chromium (scripts/build_web.sh).
bash scripts/build_web.sh --test
