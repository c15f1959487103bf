#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole suite headless: first
# the normal build, then AddressSanitizer + UndefinedBehaviorSanitizer. Each
# build's QV_TIMEOUT_SCALE stretches its tests' waits and time limits alike;
# QV_TIMEOUT_FACTOR (a whole number, 1 when unset) multiplies both builds'
# scales, for a run made slower on purpose (tests/stress.sh --frame-ms).
# QV_APP_PRELOAD, when set, is preloaded into the program under test in both
# builds (after Mesa's driver in the sanitizer build).
set -euo pipefail
repo="$(cd "$(dirname "$0")" && pwd)"
cd "$repo"
. tools/install-deps.sh
install_missing build test

jobs="$(nproc)"
factor="${QV_TIMEOUT_FACTOR:-1}"
[[ "$factor" =~ ^[1-9][0-9]*$ ]] || { echo "QV_TIMEOUT_FACTOR must be a whole number of at least 1" >&2; exit 2; }
export ALSOFT_DRIVERS=null
export LP_NUM_THREADS=2

echo "== normal build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQV_TESTS=ON -DQV_BENCH=ON -DQV_TIMEOUT_SCALE="$factor" >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest -j"$jobs" --output-on-failure)

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_TESTS=ON -DQV_BENCH=OFF \
  -DQV_TIMEOUT_SCALE=$((4 * factor)) >/dev/null
cmake --build build-asan -j"$jobs"
# Mesa's software driver stays loaded so its own leaks can be suppressed by
# module name; only the program under test gets the preload.
swrast="$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1)"
(cd build-asan &&
  ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1:abort_on_error=0 \
  LSAN_OPTIONS="suppressions=$repo/tests/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  QV_APP_PRELOAD="$swrast${QV_APP_PRELOAD:+:$QV_APP_PRELOAD}" ctest -j"$jobs" --output-on-failure)
