#!/usr/bin/env bash
# Runs the program's own image path under valgrind: each image of the
# corpora of tools/image_corpus.sh (the Go source's image test data,
# scikit-image's data images, what ImageMagick writes from them), each image
# of data/ and each seed of the image fuzz target (tests/fuzz/image_seeds.py,
# written as files of their own names), alone in a process of
# `image_corpus --program-path`: the check, then the image library handed
# the bytes the check passed on, then the pixels made 8-bit RGBA as a
# texture takes them; the library never reads the file itself. Memcheck
# tracks where uninitialised values come from, and a pixel made from memory
# the file never filled is reported as one. libjpeg's SIMD routines are
# switched off (JSIMD_FORCENONE): memcheck cannot follow their lanes, and
# takes a channel of the last column of a JPEG whose colours are sampled
# over two rows for memory nothing filled, where the pixels are those of
# the plain routines byte for byte. Prints the files run and every
# file with an invalid read or write, an uninitialised value used, or a
# crash, with the first line of valgrind's report of it, and fails when
# there is one. Not part of the tests; needs what tools/image_corpus.sh
# needs (which it runs first, for its corpora) and valgrind.
#
# Usage: tools/image_valgrind.sh [OUTPUT FOLDER]
# (OUTPUT/valgrind/ holds valgrind's report of each file; 4 files at once,
# QV_VALGRIND_JOBS to change it.)
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$repo/build/image-corpus}"
jobs="${QV_VALGRIND_JOBS:-4}"
command -v valgrind >/dev/null || { echo "needs valgrind: apt-get install valgrind" >&2; exit 2; }

"$repo/tools/image_corpus.sh" "$out"  # builds image_corpus and writes the ImageMagick corpus
go_images=/usr/share/go-1.19/src/image
skimage_data=/usr/lib/python3/dist-packages/skimage
seeds="$out/seeds"
rm -rf "$seeds"
"$repo/tests/fuzz/image_seeds.py" --files "$seeds"

reports="$out/valgrind"
rm -rf "$reports"
mkdir -p "$reports"
list="$reports/files.txt"
{
  find "$go_images/testdata" "$go_images"/*/testdata "$skimage_data" "$out/imagemagick" "$repo/data" -type f \
    \( -iname '*.png' -o -iname '*.jpg' -o -iname '*.jpeg' -o -iname '*.gif' -o -iname '*.bmp' -o -iname '*.tga' \)
  find "$seeds" -type f  # under any name, as a game's folder may hold them
} | sort >"$list"

# One file under memcheck; its report goes to a file named after its path.
check_one() {
  local file="$1" report
  report="$reports/$(echo "$file" | tr '/' '_').log"
  JSIMD_FORCENONE=1 valgrind --tool=memcheck --track-origins=yes --error-limit=no --num-callers=30 --log-file="$report" \
    "$repo/build/image_corpus" --program-path "$file" >/dev/null 2>&1 || true
}
export -f check_one
export repo reports
tr '\n' '\0' <"$list" | xargs -0 -n 1 -P "$jobs" bash -c 'check_one "$1"' _

files=0 failed=0
while read -r file; do
  files=$((files + 1))
  report="$reports/$(echo "$file" | tr '/' '_').log"
  if ! grep -q 'ERROR SUMMARY: 0 errors' "$report" || grep -q 'Process terminating' "$report"; then
    failed=$((failed + 1))
    first="$(grep -m 1 -E 'Invalid|uninitialised|Uninitialised|Process terminating|Mismatched|overlap' "$report" |
      sed 's/^==[0-9]*== //')"
    echo "$file: ${first:-see $report}"
  fi
done <"$list"
echo "valgrind: $files files run, $failed with errors (reports in $reports/)"
[ "$failed" -eq 0 ]
