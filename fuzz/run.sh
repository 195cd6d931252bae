#!/usr/bin/env bash
# Runs every fuzz target for a bounded time from its seed corpus (left untouched: new inputs go
# to a scratch copy) and prints each target's executions and coverage. A finding is kept in
# <build>/fuzz-findings/ and fails the run; turn it into a regression test in tests/.
#   fuzz/run.sh <build dir> [seconds per target, default 60] [targets...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?build directory}
seconds=${2:-60}
shift $(( $# >= 2 ? 2 : $# ))
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(lzw graphic font print framework music)

findings="$build/fuzz-findings"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$findings"
failed=()
for target in "${targets[@]}"; do
    program="$build/fuzz/fuzz_$target"
    [ -x "$program" ] || { echo "fuzz: $program missing"; failed+=("$target"); continue; }
    mkdir -p "$scratch/$target"
    log="$scratch/$target.log"
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$findings/$target-" \
        "$scratch/$target" "$here/corpus/$target" >"$log" 2>&1
    status=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1)
    echo "fuzz_$target: exit $status, ${executions:-?} executions, ${coverage:-no coverage line}"
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        failed+=("$target")
    fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzz: findings in ${failed[*]} (inputs in $findings)"; exit 1; }
