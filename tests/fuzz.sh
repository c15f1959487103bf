#!/usr/bin/env bash
# Fuzzes the game file readers with libFuzzer, one target per reader: the
# .cfg reader (cfg), the settings file (settings), map.cfg (map), logic.cfg
# (logic), the menu files (menus), help.cfg (help), 3DS models (3ds), the
# image files of a load (image: the check every image passes, then the image
# library) and its sound files (sound: the check every sound passes, then
# OpenAL handed its samples on the null driver). Each target is seeded from
# the matching files of data/ (image also from the damaged files
# tests/fuzz/image_seeds.py makes, sound from the files of the unit tests'
# sound table, which the sound_seeds program writes) and runs for
# SECONDS under AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer, with a time limit per input and a memory limit. The run
# fails on any finding: a crash, a sanitizer report, a leak, an input slower
# than the time limit or one that needs more memory than the limit. Findings
# are kept under build-fuzz/findings/<target>/; the corpus grows in
# build-fuzz/corpus/<target>/.
#
# Usage: tests/fuzz.sh SECONDS [TARGET...]   (all targets when none is named)
# Two targets run at once (QV_FUZZ_JOBS to change it), under nice. The time
# limit per input is 10 seconds (QV_FUZZ_TIMEOUT to change it, in seconds).
#
# Needs the Debian packages clang and libclang-rt-14-dev (the compiler and
# its libFuzzer runtime). Fuzzing is not part of test.sh.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"

all_targets=(cfg settings map logic menus help 3ds image sound)
seconds="${1:-}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: tests/fuzz.sh SECONDS [TARGET...]   targets: ${all_targets[*]}" >&2
  exit 2
fi
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
jobs="${QV_FUZZ_JOBS:-2}"
time_limit_per_input="${QV_FUZZ_TIMEOUT:-10}"  # seconds
memory_limit_mb=2048

if ! [[ "$time_limit_per_input" =~ ^[1-9][0-9]*$ ]]; then
  echo "QV_FUZZ_TIMEOUT must be a whole number of seconds" >&2
  exit 2
fi
if ! command -v clang++ >/dev/null 2>&1 ||
  ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  echo "tests/fuzz.sh needs clang++ and libFuzzer: apt-get install clang libclang-rt-14-dev" >&2
  exit 2
fi

build="$repo/build-fuzz"
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_FUZZ=ON \
  -DQV_TESTS=OFF -DQV_BENCH=OFF >/dev/null
nice cmake --build "$build" -j"$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}") >/dev/null

# The seed files of a target, found in data/ (made first for image and sound).
seeds() {
  case "$1" in
    cfg) find data -name '*.cfg' ;;
    settings) find data/system -name 'system.cfg' -o -name 'dialog.cfg' ;;
    map) find data -name 'map.cfg' ;;
    logic) find data -name 'logic.cfg' ;;
    menus) find data -name 'ui.cfg' -o -name 'ingameui.cfg' ;;
    help) find data -name 'help.cfg' ;;
    3ds) find data -name '*.3ds' ;;
    image) tests/fuzz/image_seeds.py "$build/seeds/image" && find "$build/seeds/image" -type f ;;
    sound) mkdir -p "$build/seeds/sound" && "$build/tests/fuzz/sound_seeds" "$build/seeds/sound" &&
      find data -name '*.wav' && find "$build/seeds/sound" -type f ;;
    *) echo "unknown target: $1" >&2; return 1 ;;
  esac
}

# Runs one target; writes "<executions> <findings>" to results/<target>.
fuzz_one() {
  local target="$1" corpus="$build/corpus/$1" findings="$build/findings/$1"
  mkdir -p "$corpus" "$findings"
  rm -f "$findings"/*
  seeds "$target" | while read -r f; do cp "$f" "$corpus/seed-$(echo "$f" | tr / _)"; done
  local status=0
  ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS="suppressions=$repo/tests/fuzz/lsan.supp" \
    nice "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout="$time_limit_per_input" \
    -rss_limit_mb="$memory_limit_mb" -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" \
    >"$build/logs/$target.log" 2>&1 || status=$?
  local runs found
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/logs/$target.log" | tail -n 1)"
  found="$(find "$findings" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)"
  [ "$status" -eq 0 ] || [ "$found" -gt 0 ] || found=1  # the target failed without leaving an input
  echo "${runs:-0} $found" >"$build/results/$target"
}

mkdir -p "$build/logs" "$build/results"
rm -f "$build/results/"*
for target in "${targets[@]}"; do
  seeds "$target" >/dev/null
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  fuzz_one "$target" &
done
wait

failed=0
for target in "${targets[@]}"; do
  read -r runs found <"$build/results/$target"
  echo "fuzz_$target: $runs executions, $found findings"
  [ "$found" -eq 0 ] || { failed=1; echo "  see $build/logs/$target.log and $build/findings/$target/"; }
done
exit "$failed"
