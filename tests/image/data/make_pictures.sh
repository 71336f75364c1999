#!/usr/bin/env bash
# Writes the committed test pictures with ImageMagick. The 5 x 3 pattern is the
# one that tests/image/reference_pattern.h describes; keep the two in step.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

{
  echo "P3 5 3 255"
  for y in 0 1 2; do
    for x in 0 1 2 3 4; do
      echo "$((30 + 45 * x)) $((220 - 70 * y)) $(((60 * x + 90 * y) % 256))"
    done
  done
} > "$tmp/pattern.ppm"
printf 'P3 5 3 255\n' > "$tmp/red.ppm"
for _ in $(seq 15); do echo "255 0 0"; done >> "$tmp/red.ppm"

# Opaque (200,100,50), fully transparent white, half-transparent white.
{
  printf 'P7\nWIDTH 3\nHEIGHT 1\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n'
  printf '\310\144\062\377\377\377\377\000\377\377\377\200'
} > "$tmp/alpha.pam"

strip="-define png:exclude-chunks=date,time,gAMA,cHRM,bKGD,sRGB,tEXt,zTXt,iTXt"
convert "$tmp/pattern.ppm" $strip PNG24:pattern.png
convert "$tmp/pattern.ppm" -strip -quality 100 -sampling-factor 1x1 pattern.jpg
convert "$tmp/pattern.ppm" -strip -compress none pattern.tif
convert "$tmp/pattern.ppm" "$tmp/red.ppm" -strip +repage frames.gif
convert "$tmp/alpha.pam" $strip PNG32:transparent.png
convert "$tmp/pattern.ppm" $strip -units PixelsPerInch -density 300 PNG24:dpi300.png
convert "$tmp/pattern.ppm" $strip -units PixelsPerInch -density 300 -compress none -strip dpi300.tif
