#!/bin/sh
# Thumbnail gallery benchmark (not run by the tests).
#
# Makes N photo-like 4000x3000 JPEGs, then times, one thread each (VIPS_CONCURRENCY=1):
#   1. zetgallery --build --yes: the whole build (index, picture pages, 120x120 JPEG thumbnails);
#   2. vipsthumbnail making the same 120x120 JPEG thumbnails in one process;
#   3. djpeg -scale 1/8 on every photo: the DCT-scaled decode alone, the floor.
# Prints milliseconds per photo, the ratio of zetgallery to vipsthumbnail (target: at most 1.15),
# and the peak memory of the zetgallery build (target: under 150 MB for 200 photos).
#
#   bench/thumbnail-bench.sh [N] [ZETGALLERY]     N defaults to 40; ZETGALLERY to build/zetgallery
# Needs: ImageMagick (convert), libvips-tools (vips, vipsthumbnail), libjpeg-turbo-progs (djpeg),
# sqlite3, /usr/bin/time. Best of three runs is reported for each timing.
set -eu
count=${1:-40}
here=$(cd "$(dirname "$0")/.." && pwd)
zetgallery=${2:-"$here/build/zetgallery"}
[ -x "$zetgallery" ] || { echo "bench: no executable at $zetgallery (run make first)" >&2; exit 2; }
for tool in convert vips vipsthumbnail djpeg sqlite3; do
  command -v "$tool" >/dev/null || { echo "bench: $tool is needed" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "bench: /usr/bin/time is needed" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/zetgallery-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
photos="$work/site/photos"
mkdir -p "$photos" "$work/vipsthumbnail"

now_ms() { date +%s%3N; }

echo "bench: drawing $count photo-like 4000x3000 JPEGs in $photos ..."
# One large base picture (smooth plasma with fine grain, like a photo's texture and noise); each
# photo is a different crop of it with its own colour balance, saved at quality 90.
convert -seed 7 -size 1100x825 plasma:fractal -resize 4400x3300! -blur 0x3 -depth 8 "$work/base.png"
vips gaussnoise "$work/noise.v" 4400 3300 --sigma 10 --mean 0
vips bandjoin "$work/noise.v $work/noise.v $work/noise.v" "$work/noise3.v"
vips add "$work/base.png" "$work/noise3.v" "$work/grain.v"
vips cast "$work/grain.v" "$work/base.v" uchar
factor() { printf '%d.%02d' $(($1 / 100)) $(($1 % 100)); }
i=0
while [ "$i" -lt "$count" ]; do
  x=$(( (i * 37) % 400 )); y=$(( (i * 53) % 300 ))
  r=$(( 80 + (i * 7) % 40 )); g=$(( 80 + (i * 11) % 40 )); b=$(( 80 + (i * 13) % 40 ))
  vips crop "$work/base.v" "$work/crop.v" "$x" "$y" 4000 3000
  vips linear "$work/crop.v" "$photos/photo_$(printf %04d "$i").jpg[Q=90]" \
    "$(factor "$r") $(factor "$g") $(factor "$b")" "0 0 0" --uchar
  i=$((i + 1))
done
rm -f "$work"/*.v "$work/base.png"

# Settings: the defaults (thumbnail table, JPEG thumbnails 120x120) with a page per picture, so
# the build writes the index, the pages and the thumbnails.
export ZETGALLERY_REGISTRY="$work/registry.db"
"$zetgallery" --list "$photos" >/dev/null  # creates the settings database
sqlite3 "$ZETGALLERY_REGISTRY" <<'SQL'
INSERT OR IGNORE INTO keys(id, parent, name, fold) VALUES
  (1, NULL, 'HKEY_CURRENT_USER', 'hkey_current_user'), (2, 1, 'Software', 'software'),
  (3, 2, 'Vorlan', 'vorlan'), (4, 3, 'ZetGallery', 'zetgallery');
INSERT OR REPLACE INTO vals(key, name, fold, type, data)
  SELECT id, 'ImageType', 'imagetype', 4, x'01000000' FROM keys WHERE fold = 'zetgallery';
SQL

export VIPS_CONCURRENCY=1
best() { sort -n | head -n 1; }

run_zetgallery() {
  rm -rf "$work/site/thumbs" "$work/site/buttons" "$work/site"/*.htm
  start=$(now_ms)
  "$zetgallery" --build --yes "$photos" 2>/dev/null
  echo $(( $(now_ms) - start ))
}
run_vipsthumbnail() {
  rm -f "$work/vipsthumbnail"/*
  start=$(now_ms)
  vipsthumbnail "$photos"/*.jpg -s 120x120 -o "$work/vipsthumbnail/%s.jpg[Q=90,strip]"
  echo $(( $(now_ms) - start ))
}
run_djpeg() {
  start=$(now_ms)
  for photo in "$photos"/*.jpg; do djpeg -scale 1/8 "$photo" >/dev/null; done
  echo $(( $(now_ms) - start ))
}

echo "bench: timing (best of 3) ..."
zet_ms=$( (run_zetgallery; run_zetgallery; run_zetgallery) | best)
vt_ms=$( (run_vipsthumbnail; run_vipsthumbnail; run_vipsthumbnail) | best)
dj_ms=$( (run_djpeg; run_djpeg; run_djpeg) | best)
thumbs=$(ls "$work/site/thumbs" | wc -l)
pages=$(ls "$work/site" | grep -c '^photo_.*\.htm$' || true)
[ "$thumbs" -eq "$count" ] || { echo "bench: zetgallery made $thumbs thumbnails of $count" >&2; exit 1; }
[ "$pages" -eq "$count" ] || { echo "bench: zetgallery wrote $pages pages of $count" >&2; exit 1; }

rm -rf "$work/site/thumbs" "$work/site"/*.htm
peak_kb=$(/usr/bin/time -f %M "$zetgallery" --build --yes "$photos" 2>&1 >/dev/null | tail -n 1)

per() { echo "scale=1; $1 / $count" | bc; }
echo
echo "photos: $count (4000x3000 JPEG), one thread each (VIPS_CONCURRENCY=1)"
printf '  zetgallery --build (index, pages, thumbnails): %6d ms  %6s ms/photo\n' "$zet_ms" "$(per "$zet_ms")"
printf '  vipsthumbnail 120x120 JPEG Q90:                %6d ms  %6s ms/photo\n' "$vt_ms" "$(per "$vt_ms")"
printf '  djpeg -scale 1/8 (decode only, the floor):     %6d ms  %6s ms/photo\n' "$dj_ms" "$(per "$dj_ms")"
echo "  ratio zetgallery / vipsthumbnail: $(echo "scale=3; $zet_ms / $vt_ms" | bc)  (target <= 1.15)"
echo "  peak memory of the zetgallery build: $((peak_kb / 1024)) MB  (target < 150 MB at 200 photos)"
