#!/bin/sh
# Draws the program's icon for the desktop menu: the same two framed landscapes the window draws
# for itself (src/app/AppArt.cpp), as a scalable SVG, and renders it at 48 and 256 pixels with
# rsvg-convert (Debian package librsvg2-bin). The files are committed, so a build never needs
# this script; run it only to change the artwork.
#   tools/make-icons.sh [OUTPUT_FOLDER]     (default: data/icons/hicolor beside this script)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../data/icons/hicolor"}
name=org.example.ZetGallery
command -v rsvg-convert >/dev/null || { echo "make-icons: rsvg-convert is needed (librsvg2-bin)" >&2; exit 1; }

# framed_picture X Y WIDTH HEIGHT: one picture frame with a sky, a sun and two hills, on the
# 32-unit grid of the window's icon.
framed_picture() {
  awk -v x="$1" -v y="$2" -v w="$3" -v h="$4" 'BEGIN {
    px = x + 2; py = y + 2; pw = w - 4; ph = h - 4; right = px + pw; bottom = py + ph
    printf "  <rect x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" fill=\"#c89650\" stroke=\"#5a3c1e\" stroke-width=\"1\"/>\n", x, y, w, h
    printf "  <rect x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" fill=\"#78b4f0\"/>\n", px, py, pw, ph
    printf "  <circle cx=\"%g\" cy=\"%g\" r=\"%g\" fill=\"#ffd228\"/>\n", right - pw * 0.28, py + ph * 0.3, pw * 0.12
    printf "  <path fill=\"#3c963c\" d=\"M%g,%g L%g,%g Q%g,%g %g,%g Q%g,%g %g,%g L%g,%g Z\"/>\n", \
      px, bottom, px, py + ph * 0.7, px + pw * 0.3, py + ph * 0.35, px + pw * 0.6, py + ph * 0.75, \
      px + pw * 0.8, py + ph * 0.6, right, py + ph * 0.72, right, bottom
  }'
}

mkdir -p "$out/scalable/apps" "$out/48x48/apps" "$out/256x256/apps"
svg="$out/scalable/apps/$name.svg"
{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo '<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 32 32">'
  echo '  <title>ZetGallery</title>'
  framed_picture 1 1 20 17
  framed_picture 10 12 21 18
  echo '</svg>'
} >"$svg"
for size in 48 256; do
  rsvg-convert --width "$size" --height "$size" --output "$out/${size}x${size}/apps/$name.png" "$svg"
done
echo "make-icons: wrote $svg and the 48 and 256 pixel PNGs beside it"
