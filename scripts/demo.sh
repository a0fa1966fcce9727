#!/usr/bin/env bash
# Sets up, builds, evaluates an expression and plots a surface to superficie.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DRELIVO_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
./build/cli/relivo evaluar "sen(x)*cos(y) + 2x" x=1 y=2
if [ -x build/cli/relivo ] && ./build/cli/relivo --help | grep -q graficar; then
  ./build/cli/relivo graficar "sen(x)*cos(y)"
fi
