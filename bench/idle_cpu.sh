#!/usr/bin/env bash
# Idle cost of the front end: starts the program on a private Xvfb in a fresh
# copy of data/ (the bundled settings, so the bundled frame cap, as on any
# start after the first: without the introduction panel), clicks the splash
# away, lets the front-end menu idle and reads the process's CPU time (user +
# system, from /proc) over 10 s. Then runs bench_frontend_frame in the
# same kind of directory for the uncapped frames per second.
# Usage: bench/idle_cpu.sh [build directory]   (default: build)
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$repo/build}" && pwd)"
seconds=10
export ALSOFT_DRIVERS=null LP_NUM_THREADS="${LP_NUM_THREADS:-2}"

work="$(mktemp -d)"
xvfb=""
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp -R "$repo/data/." "$work/"
sed -i 's/^f firstTime .*/f firstTime 1/' "$work/system/system.cfg"

# A free display: Xvfb names it on a pipe once it is ready.
exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb <&3
read -r number <&3
export DISPLAY=":$number"

cpu_ticks() {  # utime + stime of process $1, in clock ticks
  awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"
}

(cd "$work" && exec "$build/quorvane" >/dev/null 2>&1) &
app=$!
window=""
for _ in $(seq 100); do
  window="$(xdotool search --name '^Quorvane$' 2>/dev/null | head -n 1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "idle_cpu.sh: the program's window did not appear" >&2; exit 1; }
xdotool mousemove --window "$window" 400 590 click 1   # ends the splash
sleep 2                                                 # the menus settle

start="$(cpu_ticks "$app")"
sleep "$seconds"
end="$(cpu_ticks "$app")"
hz="$(getconf CLK_TCK)"
fps="$(awk '$2 == "fps" { print $3 }' "$work/system/system.cfg")"
awk -v t="$((end - start))" -v hz="$hz" -v s="$seconds" -v fps="$fps" \
  'BEGIN { printf "idle in the front end at a cap of %s fps: %.1f %% of one core over %d s\n", fps, 100 * t / hz / s, s }'

kill "$app"
wait "$app" 2>/dev/null || true
app=""
(cd "$work" && "$build/bench/bench_frontend_frame" --benchmark_counters_tabular=true)
