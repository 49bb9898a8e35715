#!/bin/sh
# What reading the pictures' own metadata costs a first build (not run by the tests).
#
# Draws 1,000 photo-like 640x480 JPEGs, gives each an EXIF date, a camera and an XMP caption with
# exiftool, and times first builds (thumbnail index of 120x120 JPEGs, a page per picture) without
# and with everything that reads metadata: captions as descriptions, the date, camera and
# exposure markers on every page, and the order by date taken. The builds run in turn, A B A B;
# the ratio is the median of the pairs' ratios. Goal: at most 1.10.
#
#   bench/metadata-bench.sh [ZETGALLERY]     ZETGALLERY defaults to build/zetgallery
#   RUNS=5 bench/metadata-bench.sh
# Needs: ImageMagick (convert), libvips-tools (vips), exiftool, sqlite3, bc.
set -eu
export LC_ALL=C
here=$(cd "$(dirname "$0")/.." && pwd)
zetgallery=${1:-"$here/build/zetgallery"}
runs=${RUNS:-3}
count=${COUNT:-1000}
[ -x "$zetgallery" ] || { echo "bench: no executable at $zetgallery (run make first)" >&2; exit 2; }
for tool in convert vips exiftool sqlite3 bc; do
  command -v "$tool" >/dev/null || { echo "bench: $tool is needed" >&2; exit 2; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/zetgallery-metadata-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
say() { echo "bench: $*" >&2; }

say "drawing $count 640x480 JPEGs with metadata in $work ..."
convert -seed 7 -size 600x450 plasma:fractal -resize 2400x1800! -blur 0x2 -depth 8 "$work/base.png"
mkdir -p "$work/g/photos"
i=0
while [ "$i" -lt "$count" ]; do
  vips crop "$work/base.png" "$work/g/photos/p$(printf %04d "$i").jpg[Q=90]" \
    $(( (i * 37) % 1700 )) $(( (i * 53) % 1300 )) 640 480
  i=$((i + 1))
done
exiftool -q -overwrite_original -DateTimeOriginal="2026:12:08 14:05:09" -Make=Canon \
  -Model="Canon EOS 5D" -FNumber=2.8 -ExposureTime=0.004 -ISO=100 -FocalLength=50 \
  -XMP-dc:Description="Закат над заливом" "$work/g/photos"
printf '~~~DATE~~~ ~~~CAMERA~~~ ~~~EXPOSURE~~~\r\n~~~DESCR~~~\r\n~~~IMAGE~~~\r\n~~~BUTTONS~~~\r\n' \
  >"$work/page.htm"

export ZETGALLERY_REGISTRY="$work/registry.db"
"$zetgallery" --list "$work/g/photos" >/dev/null  # creates the settings database
sqlite3 "$ZETGALLERY_REGISTRY" "INSERT OR IGNORE INTO keys(id, parent, name, fold) VALUES
  (1, NULL, 'HKEY_CURRENT_USER', 'hkey_current_user'), (2, 1, 'Software', 'software'),
  (3, 2, 'Vorlan', 'vorlan'), (4, 3, 'ZetGallery', 'zetgallery');"
set_value() {  # set_value NAME DWORD
  sqlite3 "$ZETGALLERY_REGISTRY" "INSERT OR REPLACE INTO vals(key, name, fold, type, data)
    SELECT id, '$1', lower('$1'), 4, x'0${2}000000' FROM keys WHERE fold = 'zetgallery';"
}
set_text() {  # set_text NAME TEXT
  sqlite3 "$ZETGALLERY_REGISTRY" "INSERT OR REPLACE INTO vals(key, name, fold, type, data)
    SELECT id, '$1', lower('$1'), 1, CAST('$2' || char(0) AS BLOB) FROM keys
    WHERE fold = 'zetgallery';"
}
set_value IndexType 3
set_value CreateThumbs 1
set_value ThumbsFormat 1
set_value ImageType 1
set_text ImageTemplate "$work/page.htm"
metadata() {  # metadata 0|1: everything that reads the pictures' metadata off or on
  set_value Descriptions "$([ "$1" = 1 ] && echo 3 || echo 0)"
  set_value PictureFacts "$1"
  set_value ImageOrder "$1"
}

now_ns() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
build() {  # build 0|1: one first build, prints nanoseconds
  metadata "$1"
  rm -rf "$work/g/thumbs" "$work/g/buttons" "$work/g"/*.htm "$work/g/.zetgallery-ledger"
  start=$(now_ns)
  "$zetgallery" --build --yes "$work/g/photos" >"$work/zet.log" 2>&1 ||
    { say "build failed:"; tail -n 5 "$work/zet.log" >&2; exit 1; }
  echo $(( $(now_ns) - start ))
}
build 1 >/dev/null  # warm-up, and a check that the markers were replaced
grep -q "Canon EOS 5D" "$work/g/p0000.htm" || { say "the page holds no camera"; exit 1; }
: >"$work/a"; : >"$work/b"; : >"$work/r"
n=0
while [ "$n" -lt "$runs" ]; do
  a=$(build 0); b=$(build 1)
  echo "$a" >>"$work/a"; echo "$b" >>"$work/b"; echo "scale=4; $b / $a" | bc >>"$work/r"
  n=$((n + 1))
done
ratio=$(median <"$work/r")
printf '| %s pictures, first build without / with metadata | %.2f s | %.2f s | %.3f | %s |\n' \
  "$count" "$(echo "scale=3; $(median <"$work/a") / 1000000000" | bc)" \
  "$(echo "scale=3; $(median <"$work/b") / 1000000000" | bc)" "$ratio" \
  "$(if [ "$(echo "$ratio <= 1.10" | bc)" = 1 ]; then echo met; else echo '**not met**'; fi)"
