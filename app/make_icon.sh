#!/bin/sh
# Draws the program icon (app/vellumark.ico): a bookmark ribbon with a
# check mark on a blue rounded square, at 16, 24, 32, 48 and 256 pixels.
# Needs ImageMagick; run from any folder.
set -eu
out=$(dirname "$0")/vellumark.ico
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -size 256x256 gradient:'#4A7AAE'-'#1E3A5A' \
  \( -size 256x256 xc:none -fill white -draw 'roundrectangle 8,8 247,247 44,44' \) \
  -compose DstIn -composite -compose Over \
  -fill white -draw 'polygon 72,40 184,40 184,220 128,176 72,220' \
  -stroke '#2E8B57' -strokewidth 22 -fill none -draw 'stroke-linejoin round stroke-linecap round polyline 96,116 122,144 164,88' \
  "$work/256.png"
for size in 16 24 32 48; do
  convert "$work/256.png" -resize ${size}x${size} "$work/$size.png"
done
convert "$work/16.png" "$work/24.png" "$work/32.png" "$work/48.png" "$work/256.png" "$out"
