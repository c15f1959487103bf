#!/usr/bin/env bash
# Installs what is missing, builds the program in build-run/ and starts it the
# way the installed `quorvane` command does, through the same launcher
# (install/quorvane.in): in the user's working directory, to which every run
# first adds the files of data/ that it lacks; a file that is there is never
# overwritten or removed. The command line goes to the program unchanged.
set -euo pipefail
repo="$(cd "$(dirname "$0")" && pwd)"
cd "$repo"
. tools/install-deps.sh
install_missing build

cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DQV_TESTS=OFF -DQV_BENCH=OFF >/dev/null
cmake --build build-run -j"$(nproc)"

QUORVANE_PROGRAM="$repo/build-run/quorvane" QUORVANE_DATA="$repo/data" exec bash "$repo/install/quorvane.in" "$@"
