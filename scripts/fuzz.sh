#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang 14 under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each on its seed corpus for a bounded
# time, one after the other, on a 1 MiB stack. Any finding (a crash, a broken
# invariant, a leak, an input slower than FUZZ_LENTO seconds) fails the run;
# the input is left in build-fuzz/hallazgos/.
#
#   FUZZ_SEGUNDOS   seconds per target (60)
#   FUZZ_OBJETIVOS  targets to run ("funcion guion reducir graficar propiedades")
#   FUZZ_LENTO      seconds after which one input counts as a finding (10)
#   FUZZ_SEMILLA    the mutation seed (1, so that a short run in CI tries the
#                   same inputs each time on a machine of the same speed; 0
#                   draws a new seed, for the long runs)
#   FUZZ_BUILD      build directory (build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
segundos="${FUZZ_SEGUNDOS:-60}"
lento="${FUZZ_LENTO:-10}"
semilla="${FUZZ_SEMILLA:-1}"
dir="${FUZZ_BUILD:-build-fuzz}"
read -r -a objetivos <<<"${FUZZ_OBJETIVOS:-funcion guion reducir graficar propiedades}"

cmake -S fuzz -B "$dir" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j"$(nproc)"

declare -A largo=([funcion]=2048 [guion]=2048 [reducir]=2048 [graficar]=2048 [propiedades]=8192)
mkdir -p "$dir/hallazgos"
# The stack of a host's user-interface thread, so that recursion shows.
ulimit -s 1024
fallos=0
for t in "${objetivos[@]}"; do
    corpus="$dir/corpus/$t"
    mkdir -p "$corpus"
    echo "== fuzz_$t: ${segundos} s"
    if ! ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$dir/fuzz_$t" -max_total_time="$segundos" -max_len="${largo[$t]}" -timeout="$lento" -seed="$semilla" \
        -rss_limit_mb=4096 -dict="fuzz/dic/$t.dict" -print_final_stats=1 \
        -artifact_prefix="$dir/hallazgos/$t-" "$corpus" "fuzz/semillas/$t" \
        >"$dir/fuzz_$t.log" 2>&1; then
        fallos=1
        grep -E "invariant broken|ERROR|SUMMARY|Test unit written" -A1 "$dir/fuzz_$t.log" | head -20
    fi
    grep -E "^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)|DONE" \
        "$dir/fuzz_$t.log" | tail -4
done
if [ "$fallos" -ne 0 ]; then
    echo "fuzz: findings in $dir/hallazgos (the logs are $dir/fuzz_*.log)" >&2
    exit 1
fi
