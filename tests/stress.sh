#!/usr/bin/env bash
# tests/stress.sh [--load L] [--tmpdir DIR] [N]: runs ./test.sh N times
# (default 1) while every core is kept busy by L background busy loops
# (default 1; --load 2 is the heavier load of two per core, --load 0 runs
# without one), and prints how many runs passed. Exits non-zero unless all
# of them did. The load is started here and always stopped here, also when
# the script is interrupted. Each run's output goes to build/stress/run-I.log.
# With --tmpdir, each run's temporary folders (TMPDIR) are a fresh folder made
# under DIR and removed after the run: --tmpdir /dev/shm puts them on a tmpfs,
# another file system than the clone's.
set -uo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
usage() {
    echo "usage: $0 [--load busy loops per core, 0 or more] [--tmpdir folder to make TMPDIR in]" \
        "[number of runs, at least 1]" >&2
    exit 2
}
perCore=1
tmpParent=""
while [ $# -gt 1 ] || [[ "${1:-}" == --* ]]; do
    case "$1" in
        --load) perCore="${2:-}" ;;
        --tmpdir) tmpParent="${2:-}" ;;
        *) usage ;;
    esac
    shift 2 || usage
done
runs="${1:-1}"
[[ "$perCore" =~ ^(0|[1-9][0-9]*)$ && "$runs" =~ ^[1-9][0-9]*$ ]] || usage
[ -z "$tmpParent" ] || [ -d "$tmpParent" ] || { echo "stress: $tmpParent is no folder" >&2; exit 2; }

load_pids=()
runTmp=""
stop_load() {
    for pid in "${load_pids[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${load_pids[@]}"; do wait "$pid" 2>/dev/null; done
    load_pids=()
}
# The load stopped and the run's temporary folder removed.
clean_up() {
    stop_load
    [ -z "$runTmp" ] || rm -rf "$runTmp"
    runTmp=""
}
trap clean_up EXIT
trap 'exit 130' INT TERM

loops=$(($(nproc) * perCore))
for _ in $(seq "$loops"); do
    (while :; do :; done) &
    load_pids+=("$!")
done
echo "stress: $loops busy loops started ($perCore per core); $runs run(s) of test.sh"
[ -z "$tmpParent" ] ||
    echo "stress: TMPDIR made in $tmpParent ($(stat -f -c %T "$tmpParent"); the clone is on $(stat -f -c %T "$repo"))"

logs="$repo/build/stress"
mkdir -p "$logs"
passed=0
for run in $(seq "$runs"); do
    log="$logs/run-$run.log"
    start=$SECONDS
    command=("$repo/test.sh")
    if [ -n "$tmpParent" ]; then
        runTmp="$(mktemp -d "$tmpParent/qv-stress-XXXXXX")" || exit 1
        chmod 755 "$runTmp"  # reachable by others, as /tmp is: some tests run as another user
        command=(env TMPDIR="$runTmp" "${command[@]}")
    fi
    if "${command[@]}" >"$log" 2>&1; then
        passed=$((passed + 1))
        echo "stress: run $run passed in $((SECONDS - start)) s"
    else
        echo "stress: run $run FAILED in $((SECONDS - start)) s (log: $log)"
        grep -E '\(Failed\)|\(Timeout\)|\*\*\*|Failure$' "$log" | head -n 20
    fi
    [ -z "$runTmp" ] || rm -rf "$runTmp"
    runTmp=""
done

clean_up
echo "stress: $passed of $runs runs passed"
[ "$passed" -eq "$runs" ]
