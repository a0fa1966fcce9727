#!/usr/bin/env bash
# Builds Relivo.ocx with the MinGW-w64 cross compilers (64-bit, tested here;
# 32-bit, built only) and runs its tests under Wine, headless, in a fresh
# Wine prefix under /tmp. Prints a summary; the exit status is non-zero when
# a build or a test fails.
#
# Build directories: RELIVO_BUILD_WIN64, RELIVO_BUILD_WIN32 and, for the
# Linux reference outputs, RELIVO_BUILD_REF (default build-win64,
# build-win32 and build-winref in the source tree), or RELIVO_CLI: a built
# relivo command to take them from.
set -euo pipefail
cd "$(dirname "$0")/.."
raiz="$PWD"

if [ "${1:-}" = "--bajo-x" ]; then
  # ---- Inside the X server: the tests themselves.
  b64="$2"
  refs="$3"
  resumen="$4"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # One wine server for all the tests (each program would otherwise start
  # its own, with the desktop process, and wait for it).
  wineserver -p
  wineboot -i >/dev/null 2>&1 || true
  fallos=0
  correr() {
    local nombre="$1"
    shift
    local t0 salida estado
    t0=$(date +%s)
    set +e
    salida="$(timeout 300 "$@" 2>&1)"
    estado=$?
    set -e
    printf '%s\n' "$salida"
    local linea
    linea="$(printf '%s\n' "$salida" | grep -E ': [0-9]+ comprobaciones, [0-9]+ fallos' | tail -1 || true)"
    if [ "$estado" -ne 0 ]; then
      fallos=$((fallos + 1))
      echo "FALLA  $nombre (estado $estado) ${linea#*: } [$(($(date +%s) - t0)) s]" >>"$resumen"
    else
      echo "BIEN   $nombre ${linea#*: } [$(($(date +%s) - t0)) s]" >>"$resumen"
    fi
  }
  ocx="$(winepath -w "$b64/Relivo.ocx")"
  tlb="$(winepath -w "$b64/generado/Carvex.tlb")"
  datos="$(winepath -w "$raiz/tests/windows/data")"
  esperado="$(winepath -w "$refs")"
  p="$b64/pruebas"
  correr "archivo Relivo.ocx" wine "$p/file_test.exe" "$ocx"
  correr "biblioteca de tipos (.tlb)" wine "$p/typelib_test.exe" "$tlb"
  correr "biblioteca de tipos (Relivo.ocx)" wine "$p/typelib_test.exe" "$ocx"
  correr "registro sin registrar" wine "$p/registration_test.exe" ausente "$ocx"
  correr "regsvr32" wine regsvr32 /s "$ocx"
  correr "registro" wine "$p/registration_test.exe" presente "$ocx"
  correr "Evaluar por automatización" wine "$p/evaluar_automation_test.exe" \
    "$datos\\evaluar_casos.jsonl" "$esperado\\evaluar_esperado.jsonl"
  correr "Relivo por automatización" wine "$p/relivo_automation_test.exe" \
    "$datos\\relivo_casos.txt" "$esperado"
  correr "contenedor" wine "$p/container_test.exe" "$esperado"
  for guion in prueba.vbs prueba.js; do
    correr "guion $guion" wine "$p/script_host_test.exe" "$datos\\$guion" \
      "$esperado\\evaluar_esperado.jsonl" "$esperado\\onda.json"
  done
  correr "entradas erróneas" wine "$p/bad_input_test.exe" "$ocx"
  correr "regsvr32 /u" wine regsvr32 /s /u "$ocx"
  correr "registro borrado" wine "$p/registration_test.exe" ausente "$ocx"
  wineserver -k >/dev/null 2>&1 || true
  exit "$fallos"
fi

inicio=$(date +%s)
jobs="${RELIVO_JOBS:-$(nproc)}"
b64="$(realpath -m "${RELIVO_BUILD_WIN64:-build-win64}")"
b32="$(realpath -m "${RELIVO_BUILD_WIN32:-build-win32}")"
bref="$(realpath -m "${RELIVO_BUILD_REF:-build-winref}")"
resumen="$(mktemp /tmp/relivo-resumen.XXXXXX)"
refs="$(mktemp -d /tmp/relivo-linux.XXXXXX)"
prefijo="$(mktemp -d /tmp/relivo-wine.XXXXXX)"
limpiar() {
  WINEPREFIX="$prefijo" wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefijo" "$resumen" "$refs"
}
trap limpiar EXIT

compilar() {
  local nombre="$1" dir="$2" cadena="$3"
  shift 3
  echo "== $nombre: $dir"
  local t0
  t0=$(date +%s)
  if cmake -S component -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$raiz/component/cmake/$cadena" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null && cmake --build "$dir" -j"$jobs" "$@"; then
    echo "BIEN   compilar $nombre [$(($(date +%s) - t0)) s]" >>"$resumen"
  else
    echo "FALLA  compilar $nombre" >>"$resumen"
    cat "$resumen"
    exit 1
  fi
}
compilar "Relivo.ocx de 64 bits y sus pruebas" "$b64" mingw-x86_64.cmake
compilar "Relivo.ocx de 32 bits" "$b32" mingw-i686.cmake --target Relivo

# What the Linux build gives for the same inputs.
cli="${RELIVO_CLI:-}"
if [ -z "$cli" ]; then
  echo "== Referencia de Linux: $bref"
  cmake -S . -B "$bref" -DCMAKE_BUILD_TYPE=Release -DRELIVO_TESTS=OFF >/dev/null
  cmake --build "$bref" -j"$jobs" --target relivo
  cli="$bref/cli/relivo"
fi
"$cli" evaluar --lote <tests/windows/data/evaluar_casos.jsonl >"$refs/evaluar_esperado.jsonl" || true
g++ -O2 -o "$refs/png_to_ppm" tests/windows/png_to_ppm.cpp -lpng
while read -r nombre funcion x y z lineas angulos sigue; do
  case "$nombre" in '#'* | "") continue ;; esac
  extra=()
  [ "$z" != "-" ] && extra+=(--z="$z")
  [ "$sigue" = si ] && extra+=(--continuar)
  "$cli" graficar "$funcion" --x="$x" --y="$y" "${extra[@]}" --lineas "$lineas" \
    --angulos="$angulos" --tamano 313x233 --traza "$refs/$nombre.json" -o "$refs/$nombre.png" \
    2>/dev/null || true
  "$refs/png_to_ppm" "$refs/$nombre.png" "$refs/$nombre.ppm"
done <tests/windows/data/relivo_casos.txt
# The plot the container test draws at 500 x 350.
"$cli" graficar "sen(x)*cos(y)" --x=-3:3 --y=-3:3 --lineas 10,10 --angulos=30,0,20 \
  --tamano 500x350 -o "$refs/contenedor_onda.png" 2>/dev/null || true
"$refs/png_to_ppm" "$refs/contenedor_onda.png" "$refs/contenedor_onda.ppm"

echo "== Pruebas bajo Wine (prefijo $prefijo)"
set +e
LC_ALL=C.UTF-8 WINEPREFIX="$prefijo" xvfb-run -a -s "-screen 0 1280x1024x24" \
  bash "$raiz/scripts/test_windows.sh" --bajo-x "$b64" "$refs" "$resumen"
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
