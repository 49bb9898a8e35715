#!/bin/sh
# Description-file benchmark (not run by the tests): large text files with Linux line ends.
#
# Makes N small pictures, each with a .txt description of SIZE MB in lines ended by LF alone, and
# one descript.ion of SIZE MB whose lines for the pictures come last (so all of it must be read).
# Times `zetgallery --build --yes` with descriptions from the .txt files and from descript.ion,
# and reports the peak memory of each build.
# Targets: the .txt build reads only first lines, so its time and memory do not grow with SIZE
# (under 1 s, under 100 MB); the descript.ion build reads the file once, line by line (a few
# seconds per 100 MB at most) and never holds it (the same peak as the .txt build).
#
#   bench/text-bench.sh [N] [SIZE] [ZETGALLERY]   N defaults to 5, SIZE to 100, ZETGALLERY to
#                                                 build/zetgallery
# Needs: libvips-tools (vips), sqlite3, /usr/bin/time.
set -eu
count=${1:-5}
size_mb=${2:-100}
here=$(cd "$(dirname "$0")/.." && pwd)
zetgallery=${3:-"$here/build/zetgallery"}
[ -x "$zetgallery" ] || { echo "bench: no executable at $zetgallery (run make first)" >&2; exit 2; }
for tool in vips sqlite3; do
  command -v "$tool" >/dev/null || { echo "bench: $tool is needed" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "bench: /usr/bin/time is needed" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/zetgallery-text-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
photos="$work/site/photos"
mkdir -p "$photos"

echo "bench: writing $count pictures with ${size_mb} MB descriptions in $photos ..."
# SIZE MB of numbered lines ended by LF alone.
filler() {
  awk -v bytes=$((size_mb * 1024 * 1024)) \
    'BEGIN { for (n = 0; total < bytes; n++) { line = "filler line " n; print line; total += length(line) + 1 } }'
}
filler >"$work/filler.txt"
i=0
while [ "$i" -lt "$count" ]; do
  name=$(printf 'photo_%03d' "$i")
  vips black "$photos/$name.jpg" 64 48
  { echo "Description of $name"; cat "$work/filler.txt"; } >"$photos/$name.txt"
  i=$((i + 1))
done
{
  cat "$work/filler.txt"
  for picture in "$photos"/*.jpg; do echo "$(basename "$picture") From descript.ion"; done
} >"$photos/descript.ion"
rm -f "$work/filler.txt"

export ZETGALLERY_REGISTRY="$work/registry.db"
"$zetgallery" --list "$photos" >/dev/null  # creates the settings database
use_descriptions() {
  sqlite3 "$ZETGALLERY_REGISTRY" <<SQL
INSERT OR IGNORE INTO keys(id, parent, name, fold) VALUES
  (1, NULL, 'HKEY_CURRENT_USER', 'hkey_current_user'), (2, 1, 'Software', 'software'),
  (3, 2, 'Vorlan', 'vorlan'), (4, 3, 'ZetGallery', 'zetgallery');
INSERT OR REPLACE INTO vals(key, name, fold, type, data)
  SELECT id, 'Descriptions', 'descriptions', 4, x'0${1}000000' FROM keys WHERE fold = 'zetgallery';
SQL
}

now_ms() { date +%s%3N; }
# Prints "milliseconds peak-MB" of one build.
build() {
  rm -rf "$work/site/thumbs" "$work/site"/*.htm
  start=$(now_ms)
  peak_kb=$(/usr/bin/time -f %M "$zetgallery" --build --yes "$photos" 2>&1 >/dev/null | tail -n 1)
  echo "$(($(now_ms) - start)) $((peak_kb / 1024))"
}
check() {
  grep -q "$1" "$work/site/index.htm" || { echo "bench: the index lacks \"$1\"" >&2; exit 1; }
}

use_descriptions 1
read -r txt_ms txt_mb <<EOF
$(build)
EOF
check "Description of photo_000"
use_descriptions 2
read -r ion_ms ion_mb <<EOF
$(build)
EOF
check "From descript.ion"

echo
echo "pictures: $count, each description file ${size_mb} MB with LF line ends"
printf '  .txt descriptions (first lines only):     %6d ms  peak %5d MB  (target < 1000 ms, < 100 MB)\n' "$txt_ms" "$txt_mb"
printf '  descript.ion (one pass, lines at the end): %6d ms  peak %5d MB  (target: the peak above)\n' "$ion_ms" "$ion_mb"
