#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the user's
# working directory, which is seeded from data/ on the first run.
set -euo pipefail
repo="$(cd "$(dirname "$0")" && pwd)"
cd "$repo"
. tools/install-deps.sh
install_missing build

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQV_TESTS=OFF -DQV_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no display to open a window on (DISPLAY is not set)." >&2
  exit 1
fi

workdir="${XDG_DATA_HOME:-$HOME/.local/share}/quorvane"
if [ ! -d "$workdir" ]; then
  mkdir -p "$workdir"
  cp -R "$repo/data/." "$workdir/"
  echo "run.sh: created the working directory $workdir"
fi
cd "$workdir"
exec "$repo/build/quorvane"
