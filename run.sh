#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the user's
# working directory. Every run adds the bundled files of data/ that the
# working directory lacks; a file that is there is never overwritten or removed.
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
mkdir -p "$workdir"
added=0
while IFS= read -r -d '' file; do
  relative="${file#"$repo/data/"}"
  [ -e "$workdir/$relative" ] && continue
  mkdir -p "$(dirname "$workdir/$relative")"
  cp -p "$file" "$workdir/$relative"
  added=$((added + 1))
done < <(find "$repo/data" -type f -print0)
[ "$added" -gt 0 ] && echo "run.sh: added $added bundled files to the working directory $workdir"
cd "$workdir"
exec "$repo/build/quorvane"
