#!/bin/sh
# Draws the five navigation buttons of the default templates (templates/amber_*.gif) with
# ImageMagick: amber rounded squares with a dark arrow. The GIFs are committed, so a build never
# needs this script; run it only to change the artwork.
#   tools/make-buttons.sh [OUTPUT_FOLDER]     (default: templates/ beside this script)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../templates"}
command -v convert >/dev/null || { echo "make-buttons: ImageMagick's convert is needed" >&2; exit 1; }

size=44
fill='#FFB300'    # amber
edge='#C77800'    # darker rim
shine='#FFD54F'   # upper highlight
ink='#3E2500'     # arrow

# draw_button NAME 'DRAW COMMANDS FOR THE SYMBOL'
draw_button() {
  # The rounded square is drawn without anti-aliasing so its corners are cleanly transparent
  # (GIF has one transparent colour); the symbol is smoothed on the amber face.
  convert -size ${size}x${size} xc:none \
    +antialias -fill "$edge" -draw "roundrectangle 0,0 $((size-1)),$((size-1)) 9,9" \
    -fill "$fill" -draw "roundrectangle 2,2 $((size-3)),$((size-3)) 7,7" \
    -fill "$shine" -draw "roundrectangle 4,4 $((size-5)),15 6,6" \
    -fill "$fill" -draw "rectangle 4,12 $((size-5)),17" \
    -antialias -fill "$ink" -stroke "$ink" -strokewidth 1 -draw "$2" \
    -channel A -threshold 50% +channel \
    "$out/amber_$1.gif"
}

draw_button first "rectangle 11,13 14,31 polygon 31,13 31,31 16,22"
draw_button prev  "polygon 27,12 27,32 14,22"
draw_button next  "polygon 17,12 17,32 30,22"
draw_button last  "polygon 13,13 13,31 28,22 rectangle 30,13 33,31"
draw_button index "rectangle 12,12 19,19 rectangle 25,12 32,19 rectangle 12,25 19,32 rectangle 25,25 32,32"
echo "make-buttons: wrote $out/amber_{first,prev,next,last,index}.gif"
