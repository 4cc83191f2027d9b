#!/usr/bin/env bash
# Builds the fuzz targets (clang-14, libFuzzer, address and undefined-behaviour sanitizers, -O1 -g) in
# build-fuzz and runs each for SECONDS (default 60), one after another at the lowest priority. Prints
# executions, executions per second and findings per target; exits non-zero when a target found
# something (the input is kept in build-fuzz/findings/<target>/).
#
#   ./scripts/fuzz.sh [SECONDS]
#
# Environment:
#   V5_FUZZ_TARGETS      the targets to run (default: all of them)
#   V5_FUZZ_SKIP_KNOWN   "linked-zone-erasure": the pane target passes over images of that known shape
#   V5_FUZZ_FORKS        parallel workers per target (libFuzzer -fork; default 1)
# The corpus grows in build-fuzz/corpus/<target>/ from run to run; delete it to start from the seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
seconds=${1:-60}
./scripts/deps.sh clang-14 libfuzzer-14-dev

tree=build-fuzz
# The libraries are instrumented for libFuzzer's coverage; warnings are the gcc trees' business.
CC=clang-14 CXX=clang++-14 cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_CXX_FLAGS="-O1 -g" -DV5_FUZZ=ON -DV5_BUILD_TESTS=OFF -DV5_WERROR=OFF >/dev/null
cmake --build "$tree" -j "$(nproc)" --target v5_fuzzers

all=(fuzz_sweep fuzz_panes fuzz_files fuzz_device fuzz_cli)
read -r -a targets <<<"${V5_FUZZ_TARGETS:-${all[*]}}"
rm -rf "$tree/seeds"
"$tree/fuzz/fuzz_seeds" "$tree/seeds"

max_len() {
    case "$1" in
        fuzz_panes) echo 33280 ;;   # an image and 512 action bytes
        fuzz_sweep) echo 32768 ;;
        fuzz_files) echo 33024 ;;
        fuzz_device) echo 8192 ;;
        fuzz_cli) echo 512 ;;
    esac
}

# Short allocation stacks and no fill of new memory: most of a run is the allocator's. Run a finding
# again without these for the full report.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:malloc_context_size=2:max_malloc_fill_size=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
forks=${V5_FUZZ_FORKS:-1}
status=0
summary=()
for t in "${targets[@]}"; do
    corpus="$tree/corpus/$t"
    findings="$tree/findings/$t"
    log="$tree/logs/$t.log"
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    echo "== $t: ${seconds}s" >&2
    fork=()
    [ "$forks" -gt 1 ] && fork=(-fork="$forks" -ignore_crashes=1)
    # Each target works in a folder of its own: a command line of the CLI's target may name an output
    # file without a folder, and it must not land among the project's files.
    work="$tree/work/$t"
    rm -rf "$work"
    mkdir -p "$work"
    set +e
    (cd "$work" && nice -n 19 "$top/$tree/fuzz/$t" -max_total_time="$seconds" -timeout=600 \
        -rss_limit_mb=2560 -max_len="$(max_len "$t")" -print_final_stats=1 -artifact_prefix="$top/$findings/" \
        "${fork[@]}" "$top/$corpus" "$top/$tree/seeds/${t#fuzz_}" </dev/null >"$top/$log" 2>&1)
    rc=$?
    set -e
    runs=$(grep -oE '^stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1 || true)
    [ -z "$runs" ] && runs=$(grep -oE '^#[0-9]+' "$log" | tr -d '#' | tail -1 || true)
    runs=${runs:-0}
    rate=$(grep -oE '^stat::average_exec_per_sec: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1 || true)
    [ -z "$rate" ] && rate=$(awk -v n="$runs" -v s="$seconds" 'BEGIN { printf "%.0f", n / s }')
    # A slow unit is only a note; crashes, leaks, time-outs and out-of-memory inputs are findings.
    found=$(find "$findings" -type f ! -name 'slow-unit-*' | wc -l)
    if [ "$rc" -ne 0 ] || [ "$found" -ne 0 ]; then
        status=1
        echo "-- $t found something (exit $rc); the end of $log:" >&2
        grep -E 'ERROR|invariant broken|SUMMARY|Test unit written' "$log" | head -20 >&2 || true
    fi
    summary+=("$(printf '%-12s %12s %10s %9s' "$t" "$runs" "$rate" "$found")")
done

printf '\n%-12s %12s %10s %9s\n' target executions exec/s findings
printf '%s\n' "${summary[@]}"
exit "$status"
