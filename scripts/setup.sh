#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need.
set -euo pipefail
paquetes=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libmuparser-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64
  wine64 wine xvfb xauth
  clang-14 libclang-rt-14-dev
)
faltan=()
for p in "${paquetes[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || faltan+=("$p")
done
if [ "${#faltan[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi
