#!/usr/bin/env bash
# Builds the web files with emscripten into build-web/: the ES module
# build-web/web/relivo.mjs and its relivo.wasm; with --test runs their tests
# (CTest). Installs emscripten and Chromium with apt-get when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
faltan=()
command -v emcmake >/dev/null || faltan+=(emscripten)
command -v node >/dev/null || faltan+=(nodejs)
if [ "${1:-}" = "--test" ] && ! command -v chromium >/dev/null; then faltan+=(chromium); fi
if [ "${#faltan[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${faltan[@]}"
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
