#!/usr/bin/env bash
# The same picture, definition file and block size give the same bytes from every
# build. Converts sample pictures with this Windows build's glyphrane-cli under Wine
# and compares the text byte for byte
#  - with the native engine's (glyphrane-artdump) for the same pixels: a 24-bit BMP
#    for the Windows program, a PPM of that BMP's pixels for the native one;
#  - with another Windows build's glyphrane-cli on the same files (JPEG, PNG, and a
#    PPM read by each build's own Netpbm plug-in).
# usage: compare_conversions.sh WORK_FOLDER BUILD_FOLDER [--native ARTDUMP]
#                               [--other OTHER_BUILD_FOLDER]
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$1 build=$2
shift 2
native= other=
while [ $# -gt 0 ]; do
  case $1 in
    --native) native=$2; shift 2 ;;
    --other) other=$2; shift 2 ;;
    *) echo "compare_conversions.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
if [ -z "$native$other" ]; then
  echo "compare_conversions.sh: nothing to compare with (--native or --other)" >&2
  exit 2
fi
# 77: CTest reports the entry as skipped, not passed.
if ! command -v convert >/dev/null; then
  echo "compare_conversions.sh: SKIPPED: ImageMagick (convert) is not installed; it makes" \
       "the pictures compared" >&2
  exit 77
fi

rm -rf "$work"
mkdir -p "$work/pictures" "$work/sets"
cd "$work"
cp "$repo"/data/*.txt sets/
# The bundled sample, a drawn scene with hard edges, and soft noise.
convert "$repo/data/samples/rose.jpg" -strip rose.jpg
convert -size 96x72 gradient:navy-orange -fill white -draw "circle 48,36 48,14" \
        -fill black -draw "rectangle 6,44 30,66" -stroke white -draw "line 60,4 92,68" \
        -strip PNG24:scene.png
convert -seed 7 -size 120x90 plasma:fractal -blur 0x1 -strip PNG24:plasma.png
convert scene.png -strip PPM:scene.ppm
mv rose.jpg scene.png plasma.png scene.ppm pictures/
for source in rose.jpg scene.png plasma.png; do
  name=${source%.*}
  convert "pictures/$source" -strip BMP3:"pictures/$name.bmp"
  convert "pictures/$name.bmp" -strip PPM:"pictures/$name-from-bmp.ppm"
done

# A program folder per build: the console converter and its Netpbm plug-in.
install_build() {
  mkdir -p "$2"
  cp "$1/app/cli/glyphrane-cli.exe" "$1/image/plugins/netpbm/netpbm.spi" "$2/"
}
install_build "$build" this
[ -z "$other" ] || install_build "$other" other

blocks=(3x6 1x1 2x4)
compared=0
different=0

# Converts with the Windows program of folder; Wine takes paths relative to here.
windows_text() {
  local folder=$1 glyphs=$2 block=$3 picture=$4
  "$repo/tools/wine-run" "$folder/glyphrane-cli.exe" --definition-file "sets\\$glyphs" \
      --block "$block" "pictures\\$picture" </dev/null
}

compare() {
  local what=$1 expected=$2 actual=$3
  compared=$((compared + 1))
  if ! cmp -s "$expected" "$actual"; then
    different=$((different + 1))
    echo "DIFFERENT: $what ($(wc -c <"$expected") and $(wc -c <"$actual") bytes)"
    cmp "$expected" "$actual" | head -n 1 || true
  fi
}

for glyphs in $(cd sets && ls); do
  for block in "${blocks[@]}"; do
    if [ -n "$native" ]; then
      for name in rose scene plasma; do
        windows_text this "$glyphs" "$block" "$name.bmp" >win.txt
        "$native" "pictures/$name-from-bmp.ppm" "sets/$glyphs" "${block%x*}" "${block#*x}" >native.txt
        [ -s native.txt ] || { echo "no text from the native engine for $name" >&2; exit 1; }
        compare "$name.bmp, $glyphs, $block: this build against the native engine" native.txt win.txt
      done
    fi
    if [ -n "$other" ]; then
      for picture in rose.jpg scene.png plasma.png scene.ppm; do
        windows_text this "$glyphs" "$block" "$picture" >win.txt
        windows_text other "$glyphs" "$block" "$picture" >other.txt
        [ -s other.txt ] || { echo "no text from $other for $picture" >&2; exit 1; }
        compare "$picture, $glyphs, $block: this build against $other" other.txt win.txt
      done
    fi
  done
done
echo "$((compared - different)) of $compared conversions identical"
[ "$different" -eq 0 ]
