#!/usr/bin/env bash
# Compares builds of the program on the image check and the loads it serves:
# bench_image_check (the check per format, in one process and in fresh
# processes, with its time over that of a plain read of the same files in
# the same run, and a folder of 400 images loaded) and bench_map_load's game of
# 100 declared maps (whose load checks the bundled map images; the median of
# its fresh loads and their mean, which the bench gives more finely), run in turn
# from each build folder named, round after round, so that a change in the
# machine's load falls on every build alike (every other round in the
# opposite order). Prints each round's figures and
# then, for each measure, the median of the rounds per build and its ratio to
# the first build's.
#
# Usage: bench/compare_image_loads.sh [-r ROUNDS] BUILD_FOLDER...   (default 5 rounds)
# Each build folder needs bench/bench_image_check and bench/bench_map_load
# built (an older tree gets bench/image_check.cpp and bench/fresh_process.h
# copied into its bench/ folder first).
set -euo pipefail
rounds=5
if [ "${1:-}" = "-r" ]; then
  rounds="$2"
  shift 2
fi
[ $# -ge 1 ] || { echo "usage: bench/compare_image_loads.sh [-r ROUNDS] BUILD_FOLDER..." >&2; exit 2; }
builds=()
for b in "$@"; do
  b="$(cd "$b" && pwd)"
  for bench in bench_image_check bench_map_load; do
    [ -x "$b/bench/$bench" ] || { echo "missing $b/bench/$bench" >&2; exit 2; }
  done
  builds+=("$b")
done
results="$(mktemp)"
trap 'rm -f "$results"' EXIT

# One run of both benches in build folder $2 for round $1: "<round> <build> <measure> <value>" lines.
run_build() {
  local round="$1" build="$2" out
  out="$(cd "$build" && ./bench/bench_image_check 2>&1 >/dev/null)"
  echo "$out" | awk -v r="$round" -v b="$build" '
    $1 == "check" || $1 == "plain" {
      print r, b, $1 "_" $2 "_ms", $5; print r, b, $1 "_" $2 "_faults", $6
      print r, b, $1 "_" $2 "_fresh_ms", $7; print r, b, $1 "_" $2 "_fresh_faults", $8
      ms[$1, $2] = $5; fresh[$1, $2] = $7 }
    $1 == "plain" && ms["check", $2] > 0 && $5 > 0 {  # the check over the plain read, in this run
      printf "%s %s check_%s_per_plain %.3f\n", r, b, $2, ms["check", $2] / $5
      printf "%s %s check_%s_fresh_per_plain %.3f\n", r, b, $2, fresh["check", $2] / $7 }
    $1 == "folder" { print r, b, "folder_ms", $3; print r, b, "folder_faults", $4
                     print r, b, "folder_fresh_ms", $5; print r, b, "folder_fresh_faults", $6 }'
  out="$(cd "$build" && ./bench/bench_map_load --benchmark_filter=loadDeclared 2>&1 >/dev/null)"
  echo "$out" | sed -n 's/.*maps of .* declared .*: load \([0-9.]*\) ms.*/\1/p' |
    awk -v r="$round" -v b="$build" '{ print r, b, "declared_maps_ms", $1 }'
  # The mean of the same fresh loads, in hundredths of a millisecond (the median above is in tenths).
  echo "$out" | sed 's/\x1b\[[0-9;]*m//g' | awk -v r="$round" -v b="$build" '
    $1 ~ /^loadDeclared/ && $3 == "ms" { print r, b, "declared_maps_mean_ms", $2 }'
}

echo "load: $(cut -d' ' -f1-3 /proc/loadavg) at the start"
for ((round = 1; round <= rounds; round++)); do
  order=("${builds[@]}")
  if ((round % 2 == 0)); then  # every other round backwards, so that no build always runs first
    order=()
    for ((i = ${#builds[@]} - 1; i >= 0; i--)); do order+=("${builds[i]}"); done
  fi
  for build in "${order[@]}"; do
    run_build "$round" "$build" | tee -a "$results" | awk '{ printf "round %s %s %s %s\n", $1, $2, $3, $4 }'
  done
done
echo "load: $(cut -d' ' -f1-3 /proc/loadavg) at the end"

python3 - "$results" "${builds[@]}" <<'EOF'
import sys
from collections import defaultdict
values = defaultdict(list)
order = []
for line in open(sys.argv[1]):
    _, build, measure, value = line.split()
    values[(build, measure)].append(float(value))
    if measure not in order:
        order.append(measure)
builds = sys.argv[2:]
def median(v):
    v = sorted(v)
    return v[len(v) // 2] if v else float("nan")
print("\nmedians of the rounds (ms, page faults, or the check's time over the plain read's); ratio to the first build")
print("%-26s" % "measure" + "".join("%14s" % ("build %d" % (i + 1)) for i in range(len(builds))) +
      "".join("%10s" % ("%d/1" % (i + 1)) for i in range(1, len(builds))))
for m in order:
    meds = [median(values[(b, m)]) for b in builds]
    print("%-26s" % m + "".join("%14.2f" % x for x in meds) +
          "".join("%10.2f" % (x / meds[0] if meds[0] else float("nan")) for x in meds[1:]))
for i, b in enumerate(builds):
    print("build %d: %s" % (i + 1, b))
EOF
