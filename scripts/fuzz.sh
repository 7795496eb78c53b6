#!/usr/bin/env bash
# Fuzzes every reader of outside data with libFuzzer: scripts/fuzz.sh [seconds-per-target]
#
# Builds the fuzz programs of tests/fuzz with clang-14 in build-fuzz/ (or $RAVO_FUZZ_BUILD),
# runs each for the given time (default 30 s) over a copy of its corpus in
# tests/fuzz/corpus/, prints the executions and coverage each reached, and fails when one
# finds a crash, a leak, a timeout or memory beyond the limit; the input that did it is kept
# in the build folder's fuzz-found/<target>/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds=${1:-30}
dir=${RAVO_FUZZ_BUILD:-$RAVO_SOURCE/build-fuzz}

# Target, longest input tried: a little above the largest file in its corpus, so the
# fuzzer spends its time on the structure rather than on bulk.
targets=(
    "bmp 8192" "gif 8192" "jpeg 16384" "cursor 8192"
    "design 4096" "settings 4096" "paste 16384"
)

ravo_install_packages
launcher=()
command -v ccache >/dev/null &&
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
CC=clang-14 CXX=clang++-14 RAVO_TARGET=ravo_fuzz ravo_build "$dir" -DRAVO_FUZZ=ON \
    -DRAVO_TESTS=OFF -DRAVO_BENCH=OFF -DRAVO_GUIDE=OFF "${launcher[@]}"

# Leaks count as faults. Qt's own start-up memory is reachable through the application
# and so is not reported; no suppression is needed.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
printf '%-9s %12s %8s %8s\n' target executions cov ft
for entry in "${targets[@]}"; do
    read -r name maxLen <<<"$entry"
    work=$dir/fuzz-run/$name
    found=$dir/fuzz-found/$name
    rm -rf "$work"
    mkdir -p "$work" "$found"
    # The fuzzer adds what it finds to its corpus folder: a copy, never the committed one.
    cp -r "$RAVO_SOURCE/tests/fuzz/corpus/$name" "$work/corpus"
    status=0
    "$dir/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len="$maxLen" \
        -timeout=10 -rss_limit_mb=2560 -print_final_stats=1 -artifact_prefix="$found/" \
        "$work/corpus" >"$work/log" 2>&1 || status=$?
    # A run that stops at once may print no coverage at all.
    units=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$work/log" | tail -1 | cut -d' ' -f2 || true)
    ft=$(grep -o 'ft: [0-9]*' "$work/log" | tail -1 | cut -d' ' -f2 || true)
    printf '%-9s %12s %8s %8s\n' "$name" "${units:-?}" "${cov:-?}" "${ft:-?}"
    if [ "$status" -ne 0 ]; then
        failed+=("$name")
        grep -E '^==[0-9]+==ERROR|^SUMMARY|runtime error|fuzz: |ALARM|out-of-memory' "$work/log" |
            head -5 | sed 's/^/    /' || true
        sed -n 's/.*Test unit written to \(.*\)/    input kept in \1/p' "$work/log"
        echo "    whole log: $work/log"
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]}" >&2
    exit 1
fi
echo "Fuzzing found no faults in ${#targets[@]} readers."
