#!/usr/bin/env bash
# tests/stress.sh [--load L] [N]: runs ./test.sh N times (default 1) while
# every core is kept busy by L background busy loops (default 1; --load 2 is
# the heavier load of two per core), and prints how many runs passed. Exits
# non-zero unless all of them did. The load is started here and always
# stopped here, also when the script is interrupted. Each run's output goes
# to build/stress/run-I.log.
set -uo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
usage() {
    echo "usage: $0 [--load busy loops per core, at least 1] [number of runs, at least 1]" >&2
    exit 2
}
perCore=1
if [ "${1:-}" = "--load" ]; then
    perCore="${2:-}"
    shift 2 || usage
fi
runs="${1:-1}"
[[ "$perCore" =~ ^[1-9][0-9]*$ && "$runs" =~ ^[1-9][0-9]*$ && $# -le 1 ]] || usage

load_pids=()
stop_load() {
    for pid in "${load_pids[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${load_pids[@]}"; do wait "$pid" 2>/dev/null; done
    load_pids=()
}
trap stop_load EXIT
trap 'exit 130' INT TERM

loops=$(($(nproc) * perCore))
for _ in $(seq "$loops"); do
    (while :; do :; done) &
    load_pids+=("$!")
done
echo "stress: $loops busy loops started ($perCore per core); $runs run(s) of test.sh"

logs="$repo/build/stress"
mkdir -p "$logs"
passed=0
for run in $(seq "$runs"); do
    log="$logs/run-$run.log"
    start=$SECONDS
    if "$repo/test.sh" >"$log" 2>&1; then
        passed=$((passed + 1))
        echo "stress: run $run passed in $((SECONDS - start)) s"
    else
        echo "stress: run $run FAILED in $((SECONDS - start)) s (log: $log)"
        grep -E '\(Failed\)|\(Timeout\)|\*\*\*|Failure$' "$log" | head -n 20
    fi
done

stop_load
echo "stress: $passed of $runs runs passed"
[ "$passed" -eq "$runs" ]
