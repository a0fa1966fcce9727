#!/usr/bin/env bash
# Builds the web files with emscripten into build-web/: the ES module
# build-web/web/relivo.mjs and its relivo.wasm; with --test runs their tests
# (CTest). Installs emscripten and Chromium with apt-get when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v emcmake >/dev/null || ! command -v node >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends emscripten nodejs
fi
# emscripten's linker scripts load their Node packages from Debian's folder.
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DRELIVO_TESTS=ON
cmake --build build-web -j2
for f in build-web/web/relivo.mjs build-web/web/relivo.wasm; do
  echo "$f: $(stat -c %s "$f") bytes, $(gzip -9c "$f" | wc -c) gzipped"
done
if [ "${1:-}" = "--test" ]; then
  ctest --test-dir build-web --output-on-failure
fi
