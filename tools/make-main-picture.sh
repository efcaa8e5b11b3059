#!/usr/bin/env bash
# Draws the main-window picture data/R119ize.ROZ once: a plan view of a twin-engine fighter over a
# sky gradient, stored as JPEG content under the picture's fixed name. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
convert -size 640x480 gradient:'#5d8fc9-#dbe9f6' \
  -fill '#c9ced6' -stroke '#2b2f36' -strokewidth 2 \
  -draw "polygon 320,40 334,80 340,150 346,210 560,300 560,328 350,300 348,360 410,410 410,430 330,418 320,440 310,418 230,430 230,410 292,360 290,300 80,328 80,300 294,210 300,150 306,80" \
  -fill '#9aa3ad' -strokewidth 1 \
  -draw "polygon 306,190 300,205 300,330 312,330 312,190" \
  -draw "polygon 334,190 340,205 340,330 328,330 328,190" \
  -fill '#2e4f6e' -draw "ellipse 320,110 9,26 0,360" \
  -fill '#3a3f47' -draw "rectangle 304,424 316,446" -draw "rectangle 324,424 336,446" \
  -stroke '#2b2f36' -fill none -strokewidth 1 \
  -draw "line 320,150 320,400" -draw "line 346,230 520,302" -draw "line 294,230 120,302" \
  -fill '#1d2a3a' -stroke none -font DejaVu-Sans-Bold -pointsize 22 \
  -draw "text 20,465 'Vededa'" \
  -quality 90 JPG:data/R119ize.ROZ
