#!/usr/bin/env bash
# Draws the program icon once: the plan view of the main-window picture's fighter in white on a
# rounded blue tile, with a constraint-diagram curve behind it. Writes
# packaging/icons/vededa-SIZE.png for the sizes the desktop's icon theme uses. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
out=packaging/icons
mkdir -p "$out"
# The curve: a thrust-loading bucket over wing loading, as short line segments.
curve=$(awk 'BEGIN {
  for (i = 0; i <= 40; i++) {
    x = 24 + i * 5.2; t = (x - 24) / 208
    y = 266 - 170 * (0.12 / (t + 0.08) + 0.9 * t * t) / 1.6; if (y > 235) y = 235
    if (i) printf "line %d,%d %d,%d ", px, py, x, y
    px = x; py = y
  } }')
master=$(mktemp --suffix=.png)
trap 'rm -f "$master"' EXIT
convert -size 256x256 xc:none \
  -fill '#2e5f93' -stroke '#1d3f66' -strokewidth 6 -draw "roundrectangle 6,6 249,249 44,44" \
  -fill none -stroke '#f2b134' -strokewidth 9 -draw "stroke-linecap round $curve" \
  -fill white -stroke '#0f2236' -strokewidth 3 \
  -draw "polygon 128,44 134,61 136,90 139,115 229,153 229,165 141,153 140,178 166,199 166,208 132,203 128,212 124,203 90,208 90,199 116,178 115,153 27,165 27,153 117,115 120,90 122,61" \
  -fill '#2e5f93' -stroke none -draw "ellipse 128,74 4,11 0,360" \
  PNG32:"$master"
for size in 16 22 24 32 48 64 128 256; do
  convert "$master" -filter Lanczos -resize "${size}x${size}" -strip PNG32:"$out/vededa-$size.png"
done
