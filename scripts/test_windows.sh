#!/usr/bin/env bash
# Builds Relivo.ocx with the MinGW-w64 cross compilers (64-bit, tested here;
# 32-bit, built only) and runs its tests under Wine, headless, in a fresh
# Wine prefix under /tmp. Prints a summary; the exit status is non-zero when
# a build or a test fails.
#
# Build directories: RELIVO_BUILD_WIN64 and RELIVO_BUILD_WIN32 (default
# build-win64 and build-win32 in the source tree).
set -euo pipefail
cd "$(dirname "$0")/.."
raiz="$PWD"

if [ "${1:-}" = "--bajo-x" ]; then
  # ---- Inside the X server: the tests themselves.
  b64="$2"
  resumen="$3"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1 || true
  fallos=0
  correr() {
    local nombre="$1"
    shift
    local t0 salida estado
    t0=$(date +%s)
    set +e
    salida="$("$@" 2>&1)"
    estado=$?
    set -e
    printf '%s\n' "$salida"
    local linea
    linea="$(printf '%s\n' "$salida" | grep -E ': [0-9]+ comprobaciones, [0-9]+ fallos' | tail -1)"
    if [ "$estado" -ne 0 ]; then
      fallos=$((fallos + 1))
      echo "FALLA  $nombre (estado $estado) ${linea#*: } [$(($(date +%s) - t0)) s]" >>"$resumen"
    else
      echo "BIEN   $nombre ${linea#*: } [$(($(date +%s) - t0)) s]" >>"$resumen"
    fi
  }
  ocx="$(winepath -w "$b64/Relivo.ocx" 2>/dev/null || true)"
  tlb="$(winepath -w "$b64/generado/Carvex.tlb")"
  correr "biblioteca de tipos (.tlb)" wine "$b64/pruebas/typelib_test.exe" "$tlb"
  if [ -f "$b64/Relivo.ocx" ]; then
    correr "biblioteca de tipos (Relivo.ocx)" wine "$b64/pruebas/typelib_test.exe" "$ocx"
  fi
  wineserver -w || true
  exit "$fallos"
fi

inicio=$(date +%s)
jobs="${RELIVO_JOBS:-$(nproc)}"
b64="$(realpath -m "${RELIVO_BUILD_WIN64:-build-win64}")"
b32="$(realpath -m "${RELIVO_BUILD_WIN32:-build-win32}")"

echo "== Relivo.ocx, 64 bits: $b64"
cmake -S component -B "$b64" -DCMAKE_TOOLCHAIN_FILE="$raiz/component/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$b64" -j"$jobs" --target typelib_test

prefijo="$(mktemp -d /tmp/relivo-wine.XXXXXX)"
resumen="$(mktemp /tmp/relivo-resumen.XXXXXX)"
limpiar() {
  WINEPREFIX="$prefijo" wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefijo" "$resumen"
}
trap limpiar EXIT

echo "== Pruebas bajo Wine (prefijo $prefijo)"
set +e
WINEPREFIX="$prefijo" xvfb-run -a -s "-screen 0 1280x1024x24" \
  bash "$raiz/scripts/test_windows.sh" --bajo-x "$b64" "$resumen"
estado=$?
set -e

echo
echo "== Resumen de las pruebas de Windows"
cat "$resumen"
echo "Tiempo total: $(($(date +%s) - inicio)) s"
if [ "$estado" -ne 0 ]; then
  echo "Pruebas de Windows: FALLAN"
  exit 1
fi
echo "Pruebas de Windows: todas bien"
