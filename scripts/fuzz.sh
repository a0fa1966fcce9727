#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang 14 under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each one after the other on a 1 MiB
# stack. Any finding (a crash, a broken invariant, a leak, an input slower
# than FUZZ_SLOW seconds) fails the run; the input is left in
# build-fuzz/findings/.
#
# The short run (the default, part of the test command) is reproducible: it
# starts from the seed corpus alone, with mutation seed 1, and stops after a
# fixed number of executions per target, so that it tries the same inputs on
# every machine and every run (a slower machine stops at FUZZ_SECONDS, after
# a part of the same inputs). A long run (FUZZ_SEED=0) draws a new seed,
# runs for FUZZ_SECONDS per target and keeps its corpus in build-fuzz/corpus
# from one run to the next.
#
#   FUZZ_SEED      the mutation seed (1; 0 for a long run)
#   FUZZ_SECONDS   seconds per target (300 for the short run, 1800 for a long one)
#   FUZZ_TARGETS   targets to run ("funcion guion reducir graficar propiedades")
#   FUZZ_SLOW      seconds after which one input counts as a finding (10)
#   FUZZ_BUILD     build directory (build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
lento="${FUZZ_SLOW:-10}"
semilla="${FUZZ_SEED:-1}"
if [ "$semilla" = 0 ]; then
    segundos="${FUZZ_SECONDS:-1800}"
else
    segundos="${FUZZ_SECONDS:-300}"
fi
dir="${FUZZ_BUILD:-build-fuzz}"
read -r -a objetivos <<<"${FUZZ_TARGETS:-funcion guion reducir graficar propiedades}"

cmake -S fuzz -B "$dir" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j"$(nproc)"

declare -A largo=([funcion]=2048 [guion]=2048 [reducir]=2048 [graficar]=2048 [propiedades]=8192)
# Executions of the short run: about a minute each on a current processor.
declare -A ejecuciones=([funcion]=200000 [guion]=300000 [reducir]=300000 [graficar]=40000
    [propiedades]=400000)
mkdir -p "$dir/findings"
# The stack of a host's user-interface thread, so that recursion shows.
ulimit -s 1024
fallos=0
for t in "${objetivos[@]}"; do
    if [ "$semilla" = 0 ]; then
        corpus="$dir/corpus/$t"
        modo=(-runs=-1)
        echo "== fuzz_$t: ${segundos} s"
    else
        # No reloading of the corpus directory on a timer, and no mutations
        # from the operands of comparisons, which hold heap addresses: both
        # would make the run depend on the clock and the memory layout.
        corpus="$dir/corpus-corto/$t"
        rm -rf "$corpus"
        modo=(-runs="${ejecuciones[$t]}" -reload=0 -use_cmp=0)
        echo "== fuzz_$t: ${ejecuciones[$t]} executions, seed $semilla"
    fi
    mkdir -p "$corpus"
    if ! ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$dir/fuzz_$t" "${modo[@]}" -max_total_time="$segundos" -max_len="${largo[$t]}" -timeout="$lento" -seed="$semilla" \
        -rss_limit_mb=4096 -dict="fuzz/dict/$t.dict" -print_final_stats=1 \
        -artifact_prefix="$dir/findings/$t-" "$corpus" "fuzz/seeds/$t" \
        >"$dir/fuzz_$t.log" 2>&1; then
        fallos=1
        grep -E "invariant broken|ERROR|SUMMARY|Test unit written" -A1 "$dir/fuzz_$t.log" | head -20
    fi
    grep -E "^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)|DONE" \
        "$dir/fuzz_$t.log" | tail -4
done
if [ "$fallos" -ne 0 ]; then
    echo "fuzz: findings in $dir/findings (the logs are $dir/fuzz_*.log)" >&2
    exit 1
fi
