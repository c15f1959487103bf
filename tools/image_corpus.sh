#!/usr/bin/env bash
# Compares the program's image load path with the image library over images
# that no one here made: the Go source's image test data, scikit-image's data
# images, and what ImageMagick writes in every option of the formats the
# program loads (PNG, JPEG, GIF, BMP, TGA), made from those images. For each
# corpus: the files, those the library decodes, those the check passes, and
# those that show the same pixels (tools/image_corpus.cpp). Not part of the
# tests; needs the Debian packages golang-1.19-src, python3-skimage and
# imagemagick, and a configured build/.
#
# Usage: tools/image_corpus.sh [OUTPUT FOLDER]   (the lines a file go to OUTPUT/<corpus>.txt)
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$repo/build/image-corpus}"
go_images=/usr/share/go-1.19/src/image
skimage_data=/usr/lib/python3/dist-packages/skimage
for needed in "$go_images" "$skimage_data"; do
  [ -d "$needed" ] || { echo "missing $needed: apt-get install golang-1.19-src python3-skimage" >&2; exit 2; }
done
command -v convert >/dev/null && convert -version >/dev/null 2>&1 ||
  { echo "needs ImageMagick: apt-get install imagemagick" >&2; exit 2; }

cmake --build "$repo/build" -j4 --target image_corpus >/dev/null
tool="$repo/build/image_corpus"
mkdir -p "$out"
made="$out/imagemagick"
rm -rf "$made"
mkdir -p "$made"

# The pictures ImageMagick writes from: a photo at an odd size, the same with
# a gradient of transparency, a grey one, and an animation of four frames.
photo="$made/photo.miff" alpha="$made/alpha.miff" grey="$made/grey.miff" anim="$made/anim.miff"
convert "$skimage_data/data/chelsea.png" -resize 97x61! "$photo"
convert "$photo" \( -size 97x61 gradient:white-black \) -alpha off -compose CopyOpacity -composite "$alpha"
convert "$skimage_data/data/camera.png" -resize 83x67! "$grey"
convert "$photo" -delay 10 \( -clone 0 -rotate 180 \) \( -clone 0 -crop 40x30+10+10 \) \( -clone 0 -negate \) "$anim"

n=0
# write SOURCE FORMAT EXTENSION OPTION...: one file in that format with those options.
write() {
  local source="$1" format="$2" extension="$3"
  shift 3
  n=$((n + 1))
  local file
  file="$made/$n-$(echo "$*" | tr -c 'A-Za-z0-9=:.-' '_')$extension"
  convert "$source" "$@" "$format:$file" 2>/dev/null || rm -f "$file"  # options that do not go together
}

for s in "$photo" "$alpha" "$grey"; do
  for f in png png8 png24 png32 png48 png64 png00; do write "$s" "$f" .png; done
  for depth in 1 2 4 8 16; do
    for type in 0 2 3 4 6; do
      write "$s" png .png -define png:bit-depth=$depth -define png:color-type=$type
    done
  done
  write "$s" png .png -interlace Line
  for q in 0 1 5 9 10 55 90 95 99; do write "$s" png .png -quality $q; done
  write "$s" png .png -define png:exclude-chunks=all
  write "$s" png .png -define png:include-chunks=all -set comment text
  write "$s" png .png -type Bilevel
  write "$s" png .png -type Palette
  write "$s" png .png -type PaletteAlpha

  for q in 1 10 50 75 95 100; do write "$s" jpg .jpg -quality $q; done
  for sampling in 4:4:4 4:2:2 4:2:0 4:1:1 2x2,1x1,1x1 1x2,1x1,1x1; do
    write "$s" jpg .jpg -sampling-factor $sampling
    write "$s" jpg .jpg -sampling-factor $sampling -interlace Plane
  done
  write "$s" pjpeg .jpg
  write "$s" jpg .jpeg -interlace Line
  write "$s" jpg .jpg -colorspace Gray
  write "$s" jpg .jpg -type Grayscale
  write "$s" jpg .jpg -colorspace CMYK
  write "$s" jpg .jpg -colorspace YCbCr
  write "$s" jpg .jpg -define jpeg:restart-interval=1
  write "$s" jpg .jpg -define jpeg:restart-interval=3 -interlace Plane
  write "$s" jpg .jpg -define jpeg:optimize-coding=false
  write "$s" jpg .jpg -define jpeg:optimize-coding=true
  write "$s" jpg .jpg -define jpeg:arithmetic-coding=true
  write "$s" jpg .jpg -define jpeg:dct-method=float
  write "$s" jpg .jpg -define jpeg:dct-method=fast
  write "$s" jpg .jpg -strip
  write "$s" jpg .jpg -set comment text
  write "$s" jpg .jpg -density 300 -units PixelsPerInch

  for f in gif gif87; do
    write "$s" "$f" .gif
    write "$s" "$f" .gif -interlace Line
    for colours in 2 4 16 64 256; do write "$s" "$f" .gif -colors $colours; done
  done
  write "$s" gif .gif -dither None -colors 7
  write "$s" gif .gif -transparent white -fuzz 30%
  write "$s" gif .gif -type Bilevel
  write "$s" gif .gif -type Grayscale

  for f in bmp bmp2 bmp3; do
    for type in Bilevel Grayscale Palette PaletteAlpha TrueColor TrueColorAlpha; do
      write "$s" "$f" .bmp -type $type
    done
    write "$s" "$f" .bmp -colors 16
    write "$s" "$f" .bmp -colors 16 -compress RLE
    write "$s" "$f" .bmp -colors 200 -compress RLE
  done
  for format in bmp2 bmp3 bmp4; do write "$s" bmp .bmp -define bmp:format=$format; done
  for subtype in RGB565 RGB555 ARGB4444 ARGB1555; do write "$s" bmp .bmp -define bmp:subtype=$subtype; done
  write "$s" bmp3 .bmp -define bmp3:alpha=true
  write "$s" bmp .bmp -depth 16
  write "$s" bmp .bmp -flip -define bmp:top-down=true

  for f in tga icb vda vst; do
    write "$s" "$f" .tga
    write "$s" "$f" .tga -compress RLE
  done
  for type in Bilevel Grayscale Palette TrueColor TrueColorAlpha; do
    write "$s" tga .tga -type $type
    write "$s" tga .tga -type $type -compress RLE
  done
  write "$s" tga .tga -colors 16
  write "$s" tga .tga -orient TopLeft
  write "$s" tga .tga -orient BottomLeft -compress RLE
  write "$s" tga .tga -depth 5
done
write "$anim" gif .gif
write "$anim" gif .gif -layers Optimize
write "$anim" gif .gif -layers OptimizeTransparency
write "$anim" gif .gif -coalesce
write "$anim" gif87 .gif -interlace Line
write "$anim" png .png
rm -f "$made"/*.miff

run() {
  local corpus="$1"
  shift
  find "$@" -type f | sort | "$tool" >"$out/$corpus.txt" 2>&1
  echo "$corpus: $(tail -n 1 "$out/$corpus.txt")"
  grep -E ' library=decodes check=refuses| library=decodes check=passes pixels=differ' "$out/$corpus.txt" || true
}
run go "$go_images/testdata" "$go_images"/*/testdata
run skimage "$skimage_data"
run imagemagick "$made"
