#!/bin/sh
# Thumbnail gallery benchmark (not run by the tests): every speed and memory goal in one run.
#
# Draws photo-like 4000x3000 JPEGs and small 300x200 ones, then times zetgallery --build (index,
# a page per picture, 120x120 JPEG thumbnails) against vipsthumbnail making the same thumbnails:
#   1. 40 photos on one thread, against one vipsthumbnail process;
#   2. 40 and 200 photos on all cores, against as many vipsthumbnail processes as cores;
#   3. a rebuild of the unchanged 200-photo gallery (thumbnail clearing off, then on);
#   4. a rebuild after one photo of the 200 changed;
#   5. 1,000 small pictures on one thread, against one vipsthumbnail process;
#   6. the peak memory of the 200-photo build, and of eight progressive 100-megapixel JPEGs made
#      on eight threads (skipped with BENCH_SKIP_HUGE=1).
# Timings are medians of RUNS runs (default 5); zetgallery and vipsthumbnail run in turn, A B A B,
# and each ratio is the median of the pairs' ratios, so a drifting machine does not favour either.
# Prints a Markdown table ready for docs/benchmarks.md.
#
#   bench/thumbnail-bench.sh [ZETGALLERY]     ZETGALLERY defaults to build/zetgallery
#   RUNS=7 BENCH_SKIP_HUGE=1 bench/thumbnail-bench.sh
# Needs: ImageMagick (convert), libvips-tools (vips, vipsthumbnail), sqlite3, bc, /usr/bin/time.
set -eu
export LC_ALL=C  # decimal points in the figures
here=$(cd "$(dirname "$0")/.." && pwd)
zetgallery=${1:-"$here/build/zetgallery"}
runs=${RUNS:-5}
cores=$(nproc)
[ -x "$zetgallery" ] || { echo "bench: no executable at $zetgallery (run make first)" >&2; exit 2; }
for tool in convert vips vipsthumbnail sqlite3 bc; do
  command -v "$tool" >/dev/null || { echo "bench: $tool is needed" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "bench: /usr/bin/time is needed" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/zetgallery-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
say() { echo "bench: $*" >&2; }

# --- pictures ------------------------------------------------------------------------------
say "drawing 200 photo-like 4000x3000 JPEGs and 1,000 small 300x200 ones in $work ..."
# One large base picture (smooth plasma with fine grain, like a photo's texture and noise); each
# photo is a different crop of it with its own colour balance, saved at quality 90.
convert -seed 7 -size 1100x825 plasma:fractal -resize 4400x3300! -blur 0x3 -depth 8 "$work/base.png"
vips gaussnoise "$work/noise.v" 4400 3300 --sigma 10 --mean 0
vips bandjoin "$work/noise.v $work/noise.v $work/noise.v" "$work/noise3.v"
vips add "$work/base.png" "$work/noise3.v" "$work/grain.v"
vips cast "$work/grain.v" "$work/base.v" uchar
vips resize "$work/base.v" "$work/small.v" 0.25
factor() { printf '%d.%02d' $(($1 / 100)) $(($1 % 100)); }
balance() { echo "$(factor $((80 + ($1 * 7) % 40))) $(factor $((80 + ($1 * 11) % 40))) $(factor $((80 + ($1 * 13) % 40)))"; }
draw() {  # draw FOLDER COUNT BASE WIDTH HEIGHT XSPAN YSPAN
  mkdir -p "$1"
  i=0
  while [ "$i" -lt "$2" ]; do
    vips crop "$3" "$work/crop.v" $(( (i * 37) % $6 )) $(( (i * 53) % $7 )) "$4" "$5"
    vips linear "$work/crop.v" "$1/p$(printf %04d "$i").jpg[Q=90]" "$(balance "$i")" "0 0 0" --uchar
    i=$((i + 1))
  done
}
draw "$work/g200/photos" 200 "$work/base.v" 4000 3000 400 300
draw "$work/g1000/photos" 1000 "$work/small.v" 300 200 800 600
mkdir -p "$work/g40/photos" "$work/huge/photos"
# The first 40 photos (p0000.jpg to p0039.jpg: the glob sorts them by name).
n=0
for photo in "$work/g200/photos"/*.jpg; do
  [ "$n" -lt 40 ] || break
  ln "$photo" "$work/g40/photos/"
  n=$((n + 1))
done
rm -f "$work"/*.v "$work/base.png"

# --- settings: a thumbnail table of 120x120 JPEGs and a page per picture --------------------
export ZETGALLERY_REGISTRY="$work/registry.db"
"$zetgallery" --list "$work/g40/photos" >/dev/null  # creates the settings database
set_value() {  # set_value NAME DWORD
  sqlite3 "$ZETGALLERY_REGISTRY" "INSERT OR REPLACE INTO vals(key, name, fold, type, data)
    SELECT id, '$1', lower('$1'), 4, x'0${2}000000' FROM keys WHERE fold = 'zetgallery';"
}
sqlite3 "$ZETGALLERY_REGISTRY" "INSERT OR IGNORE INTO keys(id, parent, name, fold) VALUES
  (1, NULL, 'HKEY_CURRENT_USER', 'hkey_current_user'), (2, 1, 'Software', 'software'),
  (3, 2, 'Vorlan', 'vorlan'), (4, 3, 'ZetGallery', 'zetgallery');"
set_value IndexType 3
set_value CreateThumbs 1
set_value ThumbsFormat 1
set_value ImageType 1
set_value ClearResultFolder 0
set_value ClearThumbsFolder 0

# --- timing helpers ------------------------------------------------------------------------
now_ns() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ms_of() { printf '%.1f' "$(echo "scale=3; $1 / 1000000" | bc)"; }
fixed() { printf '%.3f' "$1"; }
# A gallery's pages and thumbnails go beside its pictures' folder, into the folder above it.
clean_gallery() { rm -rf "$1/../thumbs" "$1/../buttons" "$1"/../*.htm; }
zet_failed() {  # a failed build ends the benchmark with the build's last words
  say "zetgallery --build $1 exited with $2:"; tail -n 5 "$work/zet.log" >&2; exit 1
}
zet() {  # zet FOLDER THREADS(1 or all): one build, prints nanoseconds
  start=$(now_ns)
  if [ "$2" = 1 ]; then
    VIPS_CONCURRENCY=1 "$zetgallery" --build --yes "$1" >"$work/zet.log" 2>&1 || zet_failed "$1" $?
  else
    env -u VIPS_CONCURRENCY "$zetgallery" --build --yes "$1" >"$work/zet.log" 2>&1 || zet_failed "$1" $?
  fi
  echo $(( $(now_ns) - start ))
}
vt() {  # vt FOLDER PROCESSES: vipsthumbnail over the folder split in PROCESSES parts
  rm -rf "$work/vt"; mkdir -p "$work/vt"
  printf '%s\n' "$1"/*.jpg | split -n "r/$2" - "$work/vt/list."
  start=$(now_ns)
  for list in "$work/vt"/list.*; do
    VIPS_CONCURRENCY=1 xargs vipsthumbnail -s 120x120 -o "$work/vt/%s.jpg[Q=90,strip]" <"$list" &
  done
  wait
  echo $(( $(now_ns) - start ))
}
# pair FOLDER THREADS PROCESSES: fresh zetgallery builds against vipsthumbnail, in turn.
# Sets zet_ns, vt_ns (medians) and ratio (median of the pairs' ratios).
pair() {
  : >"$work/a"; : >"$work/b"; : >"$work/r"
  clean_gallery "$1"; zet "$1" "$2" >/dev/null; vt "$1" "$3" >/dev/null  # warm-up
  n=0
  while [ "$n" -lt "$runs" ]; do
    clean_gallery "$1"; a=$(zet "$1" "$2"); b=$(vt "$1" "$3")
    echo "$a" >>"$work/a"; echo "$b" >>"$work/b"; echo "scale=4; $a / $b" | bc >>"$work/r"
    n=$((n + 1))
  done
  zet_ns=$(median <"$work/a"); vt_ns=$(median <"$work/b"); ratio=$(median <"$work/r")
}
# repeat N COMMAND...: the median nanoseconds of N runs of a command that prints nanoseconds.
repeat() {
  count=$1; shift; : >"$work/a"
  n=0
  while [ "$n" -lt "$count" ]; do "$@" >>"$work/a"; n=$((n + 1)); done
  median <"$work/a"
}

rows=""
row() { rows="$rows$1
"; }
verdict() { if [ "$(echo "$1" | bc)" = 1 ]; then echo "met"; else echo "**not met**"; fi; }

# --- 1, 2: fresh builds against vipsthumbnail ------------------------------------------------
say "40 photos, one thread ..."
pair "$work/g40/photos" 1 1
one_thread_photo_ns=$((zet_ns / 40))
row "| 40 photos, one thread | $(ms_of $((zet_ns / 40))) | $(ms_of $((vt_ns / 40))) (1 process) | $(fixed "$ratio") | ≤ 1.05 | $(verdict "$ratio <= 1.05") |"
say "40 photos, $cores cores ..."
pair "$work/g40/photos" all "$cores"
row "| 40 photos, $cores cores | $(ms_of $((zet_ns / 40))) | $(ms_of $((vt_ns / 40))) ($cores processes) | $(fixed "$ratio") | none (the all-core goal is on 200 photos) | — |"
say "200 photos, $cores cores ..."
pair "$work/g200/photos" all "$cores"
first_ns=$zet_ns
row "| 200 photos, $cores cores | $(ms_of $((zet_ns / 200))) | $(ms_of $((vt_ns / 200))) ($cores processes) | $(fixed "$ratio") | ≤ 1.0 | $(verdict "$ratio <= 1.0") |"

# --- 3, 4: rebuilds --------------------------------------------------------------------------
say "rebuilds of the 200-photo gallery ..."
clean_gallery "$work/g200/photos"; zet "$work/g200/photos" all >/dev/null
rebuild_ns=$(repeat "$runs" zet "$work/g200/photos" all)
share=$(echo "scale=4; $rebuild_ns / $first_ns" | bc)
row "| rebuild, 200 photos unchanged | $(ms_of "$rebuild_ns") in all | first build $(ms_of "$first_ns") | $(fixed "$share") | ≤ 0.05 | $(verdict "$share <= 0.05") |"
set_value ClearThumbsFolder 1
rebuild_ns=$(repeat "$runs" zet "$work/g200/photos" all)
share=$(echo "scale=4; $rebuild_ns / $first_ns" | bc)
row "| rebuild, unchanged, thumbnail clearing on | $(ms_of "$rebuild_ns") in all | first build $(ms_of "$first_ns") | $(fixed "$share") | ≤ 0.05 | $(verdict "$share <= 0.05") |"
set_value ClearThumbsFolder 0
clean_gallery "$work/g200/photos"; zet "$work/g200/photos" all >/dev/null
changed() {  # a new modification time for one photo, then a rebuild
  touch "$work/g200/photos/p0100.jpg"
  zet "$work/g200/photos" all
}
changed_ns=$(repeat "$runs" changed)
allowed=$(echo "scale=4; (0.05 * $first_ns + $one_thread_photo_ns) / $first_ns" | bc)
share=$(echo "scale=4; $changed_ns / $first_ns" | bc)
row "| rebuild, 1 of 200 photos changed | $(ms_of "$changed_ns") in all | first build $(ms_of "$first_ns") | $(fixed "$share") | ≤ $(fixed "$allowed") (0.05 + one thumbnail) | $(verdict "$share <= $allowed") |"

# --- 5: small pictures -----------------------------------------------------------------------
say "1,000 small pictures ..."
pair "$work/g1000/photos" 1 1
row "| 1,000 pictures of 300x200, one thread | $(ms_of $((zet_ns / 1000))) | $(ms_of $((vt_ns / 1000))) (1 process) | $(fixed "$ratio") | ≤ 1.0 | $(verdict "$ratio <= 1.0") |"
pair "$work/g1000/photos" all "$cores"
row "| 1,000 pictures of 300x200, $cores cores | $(ms_of $((zet_ns / 1000))) | $(ms_of $((vt_ns / 1000))) ($cores processes) | $(fixed "$ratio") | — | — |"

# --- 6: memory -------------------------------------------------------------------------------
say "peak memory ..."
clean_gallery "$work/g200/photos"
peak_kb=$(/usr/bin/time -f %M "$zetgallery" --build --yes "$work/g200/photos" 2>&1 >/dev/null | tail -n 1)
row "| peak memory, 200 photos, $cores cores | $((peak_kb / 1024)) MB | | | < 150 MB | $(verdict "$peak_kb < 153600") |"
if [ "${BENCH_SKIP_HUGE:-0}" != 1 ]; then
  say "eight progressive 100-megapixel JPEGs (about a minute) ..."
  mkdir -p "$work/huge/photos"
  vips resize "$work/g40/photos/p0000.jpg" "$work/huge.v" 3.4
  vips crop "$work/huge.v" "$work/huge/photos/h0.jpg[Q=90,interlace]" 0 0 10000 10000
  rm -f "$work/huge.v"
  for i in 1 2 3 4 5 6 7; do ln "$work/huge/photos/h0.jpg" "$work/huge/photos/h$i.jpg"; done
  start=$(now_ns)
  peak_kb=$(VIPS_CONCURRENCY=8 /usr/bin/time -f %M "$zetgallery" --build --yes "$work/huge/photos" 2>&1 >/dev/null | tail -n 1)
  huge_ms=$(ms_of $(( $(now_ns) - start )))
  row "| peak memory, 8 progressive 100-MP JPEGs, 8 threads | $((peak_kb / 1024)) MB ($huge_ms ms) | | | ≤ about 1.1 GB (one decode at a time under the 128 MiB budget) | $(verdict "$peak_kb < 1153434") |"
fi

# --- the table ---------------------------------------------------------------------------------
echo
echo "Measured on $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo), $runs runs each (medians), $(date +%Y-%m-%d)."
echo
echo "| measure | zetgallery (ms per picture) | against (ms per picture) | ratio | goal | |"
echo "|---|---|---|---|---|---|"
printf '%s' "$rows"
