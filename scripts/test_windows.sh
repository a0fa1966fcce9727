#!/usr/bin/env bash
# Builds Relivo.ocx with the MinGW-w64 cross compilers, 32-bit and 64-bit,
# with its tests, and runs every test under Wine on both files, headless
# (Xvfb): the 32-bit file in a fresh 32-bit Wine prefix with the 32-bit
# loader, the 64-bit file in a fresh 64-bit prefix with the 64-bit loader.
# Prints a summary with the time of each width; the exit status is non-zero
# when a build or a test fails.
#
# Build directories: RELIVO_BUILD_WIN64, RELIVO_BUILD_WIN32 and, for the
# Linux reference outputs, RELIVO_BUILD_REF (default build-win64,
# build-win32 and build-winref in the source tree), or RELIVO_CLI: a built
# relivo command to take them from. RELIVO_ANCHOS chooses the widths
# (default "32 64").
set -euo pipefail
cd "$(dirname "$0")/.."
raiz="$PWD"

if [ "${1:-}" = "--bajo-x" ]; then
  # ---- Inside the X server: the tests of one width.
  ancho="$2"
  build="$3"
  refs="$4"
  resumen="$5"
  # No .NET, no HTML engine, and no debugger: a test that crashes ends at
  # once with its exception, not after the timeout.
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
  # With wine32 installed /usr/bin/wine starts the 32-bit loader: each width
  # names its own.
  if [ "$ancho" = 64 ]; then
    cargador=/usr/lib/wine/wine64
  else
    cargador=/usr/lib/wine/wine
  fi
  export WINELOADER="$cargador"
  # One wine server for all the tests, started here inside the X session
  # (each program would otherwise start its own, with the desktop process,
  # and wait for it).
  /usr/lib/wine/wineserver -p
  "$cargador" wineboot -i >/dev/null 2>&1 || true
  fallos=0
  correr() {
    local nombre="$1"
    shift
    local t0 salida estado
    t0=$(date +%s)
    set +e
    if declare -F "$1" >/dev/null; then
      salida="$("$@" 2>&1)"
    else
      salida="$(timeout 300 "$@" 2>&1)"
    fi
    estado=$?
    set -e
    printf '%s\n' "$salida"
    # GoogleTest's summary: "[  PASSED  ] N tests." and "[  FAILED  ] N tests".
    local linea
    linea="$(printf '%s\n' "$salida" | sed -n 's/^\[  \(PASSED\|FAILED\)  \] \([0-9]*\) tests\{0,1\}.*/\2 \1/p' |
      tr '\n' ' ')"
    if [ "$estado" -ne 0 ]; then
      fallos=$((fallos + 1))
      echo "FALLA  $ancho bits: $nombre (estado $estado) ${linea}[$(($(date +%s) - t0)) s]" >>"$resumen"
    else
      echo "BIEN   $ancho bits: $nombre ${linea}[$(($(date +%s) - t0)) s]" >>"$resumen"
    fi
  }
  # The README's example as a user runs it with the Windows Script Host: its
  # output, line by line, is what the Linux build gives for the same plot.
  # shellcheck disable=SC2317  # run through correr
  cscript_ejemplo() {
    local salida esperado
    salida="$(timeout 300 "$cargador" cscript //nologo "$1" | tr -d '\r')" || return 1
    esperado="$(cat "$refs/ejemplo_cscript.txt")"
    printf '%s\n' "$salida"
    if [ "$salida" != "$esperado" ]; then
      echo "esperado:"
      printf '%s\n' "$esperado"
      return 1
    fi
  }
  w() { "$cargador" winepath -w "$1" 2>/dev/null; }
  ocx="$(w "$build/Relivo.ocx")"
  tlb="$(w "$build/generado/Carvex.tlb")"
  datos="$(w "$raiz/tests/windows/data")"
  esperado="$(w "$refs")"
  registro="$datos\\registro.tsv"
  p="$build/pruebas"
  # Each file's dump is left in the build directory, to review a difference.
  correr "archivo Relivo.ocx" "$cargador" "$p/module_test.exe" --gtest_filter='ArchivoOcx.*' \
    "$ocx" "$datos\\relivo_ocx.txt" "$(w "$build")\\relivo_ocx.txt"
  volcado="$datos\\carvex_typelib.txt"
  correr "biblioteca de tipos (.tlb)" "$cargador" "$p/module_test.exe" \
    --gtest_filter='BibliotecaTipos.*' "$tlb" "$volcado" \
    "$(w "$build")\\carvex_typelib_tlb.txt"
  correr "biblioteca de tipos (Relivo.ocx)" "$cargador" "$p/module_test.exe" \
    --gtest_filter='BibliotecaTipos.*' "$ocx" "$volcado" \
    "$(w "$build")\\carvex_typelib_ocx.txt"
  correr "registro sin registrar" "$cargador" "$p/module_test.exe" \
    --gtest_filter='Registro.*' ausente "$ocx" "$registro"
  correr "regsvr32" "$cargador" regsvr32 /s "$ocx"
  correr "registro" "$cargador" "$p/module_test.exe" \
    --gtest_filter='Registro.*' presente "$ocx" "$registro"
  correr "Evaluar y Relivo por automatización, entradas erróneas, guiones" "$cargador" \
    "$p/automation_test.exe" "$datos" "$esperado"
  correr "contenedor" "$cargador" "$p/container_test.exe" "$datos" "$esperado"
  correr "ejemplo del README con cscript" cscript_ejemplo "$(w "$raiz/examples/ejemplo.vbs")"
  correr "vida del módulo" "$cargador" "$p/module_test.exe" --gtest_filter='VidaDelModulo.*' "$ocx"
  # Without an X display there is no window station to draw on.
  correr "sin pantalla" env -u DISPLAY "$cargador" "$p/module_test.exe" --gtest_filter='SinPantalla.*'
  correr "regsvr32 /u" "$cargador" regsvr32 /s /u "$ocx"
  correr "registro borrado" "$cargador" "$p/module_test.exe" \
    --gtest_filter='Registro.*' ausente "$ocx" "$registro"
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  exit "$fallos"
fi

inicio=$(date +%s)
jobs="${RELIVO_JOBS:-$(nproc)}"
anchos="${RELIVO_ANCHOS:-32 64}"
b64="$(realpath -m "${RELIVO_BUILD_WIN64:-build-win64}")"
b32="$(realpath -m "${RELIVO_BUILD_WIN32:-build-win32}")"
bref="$(realpath -m "${RELIVO_BUILD_REF:-build-winref}")"
resumen="$(mktemp /tmp/relivo-resumen.XXXXXX)"
refs="$(mktemp -d /tmp/relivo-linux.XXXXXX)"
prefijos=()
limpiar() {
  local prefijo
  for prefijo in "${prefijos[@]}"; do
    WINEPREFIX="$prefijo" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefijo"
  done
  rm -rf "$resumen" "$refs"
}
trap limpiar EXIT

compilar() {
  local nombre="$1" dir="$2" cadena="$3"
  echo "== $nombre: $dir"
  local t0
  t0=$(date +%s)
  if cmake -S component -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$raiz/component/cmake/$cadena" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null && cmake --build "$dir" -j"$jobs"; then
    echo "BIEN   compilar $nombre [$(($(date +%s) - t0)) s]" >>"$resumen"
  else
    echo "FALLA  compilar $nombre" >>"$resumen"
    cat "$resumen"
    exit 1
  fi
}
for ancho in $anchos; do
  case "$ancho" in
    32) compilar "Relivo.ocx de 32 bits y sus pruebas" "$b32" mingw-i686.cmake ;;
    64) compilar "Relivo.ocx de 64 bits y sus pruebas" "$b64" mingw-x86_64.cmake ;;
    *)
      echo "ancho desconocido: $ancho" >&2
      exit 2
      ;;
  esac
done

# What the Linux build gives for the same inputs.
cli="${RELIVO_CLI:-}"
if [ -z "$cli" ]; then
  echo "== Referencia de Linux: $bref"
  cmake -S . -B "$bref" -DCMAKE_BUILD_TYPE=Release -DRELIVO_TESTS=OFF >/dev/null
  cmake --build "$bref" -j"$jobs" --target relivo
  cli="$bref/cli/relivo"
fi
"$cli" evaluar --lote <tests/windows/data/evaluar_casos.jsonl >"$refs/evaluar_esperado.jsonl" || true
# Each plot with its trace; its picture also as a binary PPM file (netpbm's
# pngtopnm), which the tests under Wine read without a PNG library.
while read -r nombre funcion x y z lineas angulos sigue; do
  case "$nombre" in '#'* | "") continue ;; esac
  extra=()
  [ "$z" != "-" ] && extra+=(--z="$z")
  [ "$sigue" = si ] && extra+=(--continuar)
  "$cli" graficar "$funcion" --x="$x" --y="$y" "${extra[@]}" --lineas "$lineas" \
    --angulos="$angulos" --tamano 309x229 --sin-rotulos --traza "$refs/$nombre.json" \
    -o "$refs/$nombre.png" 2>/dev/null || true
  # A failed plot leaves what it drew under a name of its own.
  png="$refs/$nombre.png"
  [ -f "$png" ] || png="$refs/$nombre.incompleta.png"
  pngtopnm "$png" >"$refs/$nombre.ppm"
done <tests/windows/data/relivo_casos.txt
# The plot the container test draws at 500 x 350.
"$cli" graficar "sen(x)*cos(y)" --x=-3:3 --y=-3:3 --lineas 10,10 --angulos=30,0,20 \
  --tamano 496x346 --sin-rotulos -o "$refs/contenedor_onda.png" 2>/dev/null || true
pngtopnm "$refs/contenedor_onda.png" >"$refs/contenedor_onda.ppm"
# The README's example (examples/ejemplo.vbs): what it prints.
"$cli" graficar "sen(x)*cos(y)" --x=-3:3 --y=-3:3 --lineas 20,20 --angulos=30,0,20 \
  --sin-rotulos --traza "$refs/ejemplo.json" -o "$refs/ejemplo.png" >/dev/null 2>&1
numero_json() { sed -n "s/.*\"$1\": *\\([-+0-9.eE]*\\).*/\\1/p" "$2" | head -1; }
{
  echo "Funcion: $("$cli" evaluar "sen(x)*cos(y)" | sed -n 's/^Función: //p')"
  # VBScript writes a Double with 15 significant digits.
  LC_ALL=C printf 'ZMin: %.15G\nZMax: %.15G\n' "$(numero_json ZMin "$refs/ejemplo.json")" \
    "$(numero_json ZMax "$refs/ejemplo.json")"
} >"$refs/ejemplo_cscript.txt"

estado=0
for ancho in $anchos; do
  if [ "$ancho" = 64 ]; then build="$b64" arquitectura=win64; else build="$b32" arquitectura=win32; fi
  prefijo="$(mktemp -d "/tmp/relivo-wine$ancho.XXXXXX")"
  prefijos+=("$prefijo")
  echo "== Pruebas de $ancho bits bajo Wine (prefijo $arquitectura $prefijo)"
  t0=$(date +%s)
  if ! LC_ALL=C.UTF-8 WINEARCH="$arquitectura" WINEPREFIX="$prefijo" \
    xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash "$raiz/scripts/test_windows.sh" --bajo-x "$ancho" "$build" "$refs" "$resumen"; then
    estado=1
  fi
  echo "TIEMPO $ancho bits: $(($(date +%s) - t0)) s (prefijo nuevo, pruebas y registro)" >>"$resumen"
  WINEPREFIX="$prefijo" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
done

echo
echo "== Resumen de las pruebas de Windows"
cat "$resumen"
echo "Tiempo total: $(($(date +%s) - inicio)) s"
if [ "$estado" -ne 0 ]; then
  echo "Pruebas de Windows: FALLAN"
  exit 1
fi
echo "Pruebas de Windows: todas bien"
