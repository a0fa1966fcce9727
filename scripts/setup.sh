#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need. Wine
# runs the 32-bit Relivo.ocx with its i386 loader, so the i386 architecture
# is added first. The Qt host needs Qt 6 Widgets, UiPlugin, UiTools and
# Test (qt6-base-dev, qt6-tools-dev, and libqt6opengl6-dev, which UiTools
# finds through OpenGLWidgets), Designer (designer-qt6), the desktop's
# platform plugins (qt6-qpa-plugins) and the offscreen one the tests use
# (in libqt6gui6). The web host is built with emscripten, and tested with
# Node and headless Chromium.
set -euo pipefail
paquetes=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev googletest
  libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libmuparser-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64
  wine64 wine wine32:i386 xvfb xauth netpbm
  clang-14 libclang-rt-14-dev
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools designer-qt6 qt6-qpa-plugins libqt6gui6
  libqt6opengl6-dev
  emscripten nodejs chromium
)
export DEBIAN_FRONTEND=noninteractive
actualizar=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  actualizar=1
fi
faltan=()
for p in "${paquetes[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || faltan+=("$p")
done
if [ "${#faltan[@]}" -gt 0 ]; then
  actualizar=1
fi
if [ "$actualizar" -eq 1 ]; then
  apt-get update -qq
fi
if [ "${#faltan[@]}" -gt 0 ]; then
  apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi
