#!/usr/bin/env bash
# tests/stress.sh [--load L] [--tmpdir DIR] [--frame-ms MS] [N]: runs
# ./test.sh N times (default 1) while every core is kept busy by L background
# busy loops (default 1; --load 2 is the heavier load of two per core, --load
# 0 runs without one), and prints how many runs passed. Exits non-zero unless
# all of them did. The load is started here and always stopped here, also
# when the script is interrupted. Each run's output goes to
# build/stress/run-I.log.
# With --tmpdir, each run's temporary folders (TMPDIR) are a fresh folder made
# under DIR and removed after the run: --tmpdir /dev/shm puts them on a tmpfs,
# another file system than the clone's.
# With --frame-ms, every frame of the program under test (in both builds) is
# MS milliseconds slower: the preload that test.sh's normal build makes,
# build/tests/libqv_slow_frames.so, sleeps that long in each buffer swap. The
# tests' time scale is then multiplied by one more for every started second
# of that delay (QV_TIMEOUT_FACTOR), since a test waits through a few hundred
# frames at most, and the end-to-end harness gives each wait a few slowed
# frames more and takes the two shots of a window at rest frames apart.
set -uo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
usage() {
    echo "usage: $0 [--load busy loops per core, 0 or more] [--tmpdir folder to make TMPDIR in]" \
        "[--frame-ms milliseconds added to every frame, 0 or more] [number of runs, at least 1]" >&2
    exit 2
}
perCore=1
tmpParent=""
frameMs=0
while [ $# -gt 1 ] || [[ "${1:-}" == --* ]]; do
    case "$1" in
        --load) perCore="${2:-}" ;;
        --tmpdir) tmpParent="${2:-}" ;;
        --frame-ms) frameMs="${2:-}" ;;
        *) usage ;;
    esac
    shift 2 || usage
done
runs="${1:-1}"
[[ "$perCore" =~ ^(0|[1-9][0-9]*)$ && "$frameMs" =~ ^(0|[1-9][0-9]*)$ && "$runs" =~ ^[1-9][0-9]*$ ]] || usage
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
# A run slowed only if test.sh's normal build made the preload (a preload
# that is missing is passed over by the loader).
slowed_as_asked() {
    [ "$frameMs" -eq 0 ] || [ -f "$slowFrames" ] ||
        { echo "stress: $slowFrames was not built, so no frame was slowed" >>"$log"; return 1; }
}
trap 'exit 130' INT TERM

loops=$(($(nproc) * perCore))
for _ in $(seq "$loops"); do
    (while :; do :; done) &
    load_pids+=("$!")
done
echo "stress: $loops busy loops started ($perCore per core); $runs run(s) of test.sh"
[ -z "$tmpParent" ] ||
    echo "stress: TMPDIR made in $tmpParent ($(stat -f -c %T "$tmpParent"); the clone is on $(stat -f -c %T "$repo"))"
slowFrames="$repo/build/tests/libqv_slow_frames.so"
if [ "$frameMs" -gt 0 ]; then
    export QV_SLOW_FRAME_MS="$frameMs"
    export QV_APP_PRELOAD="$slowFrames${QV_APP_PRELOAD:+:$QV_APP_PRELOAD}"
    export QV_TIMEOUT_FACTOR=$((${QV_TIMEOUT_FACTOR:-1} * (1 + (frameMs + 999) / 1000)))
    echo "stress: every frame $frameMs ms slower; the tests' time scale times $QV_TIMEOUT_FACTOR"
fi

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
    if "${command[@]}" >"$log" 2>&1 && slowed_as_asked; then
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
