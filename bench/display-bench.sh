#!/bin/sh
# Display copy benchmark (not run by the tests): a build that makes display copies of 1600 px
# against vipsthumbnail making the same copies, and the peak memory of a build of real photos.
#
# The photos are the wallpapers of Debian's packages (JPEG and PNG, 1 to 24 megapixels, baseline
# and progressive), unpacked by tools/real-photos.sh into PHOTOS (default: a temporary folder).
#   1. one thread: zetgallery --build (a list index, a page per picture, display copies of at
#      most 1600 px at quality 85) against one vipsthumbnail process (--size '1600x1600>', the
#      same quality, metadata stripped);
#   2. all cores: the same build against as many vipsthumbnail processes as cores;
#   3. the peak memory of a build of the thumbnail index with a page per picture, without and
#      with display copies, and its time against the same build with the decode budget's limit
#      lifted (ZETGALLERY_DECODE_LIMIT_MB), paired the same way.
# Timings are medians of RUNS runs (default 3); the two run in turn, and each ratio is the median
# of the pairs' ratios. Prints a Markdown table ready for docs/benchmarks.md.
#
#   bench/display-bench.sh [ZETGALLERY]     ZETGALLERY defaults to build/zetgallery
#   RUNS=5 PHOTOS=/tmp/photos bench/display-bench.sh
# Needs: libvips-tools (vipsthumbnail), sqlite3, bc, /usr/bin/time, apt-get download.
set -eu
export LC_ALL=C
here=$(cd "$(dirname "$0")/.." && pwd)
zetgallery=${1:-"$here/build/zetgallery"}
runs=${RUNS:-3}
cores=$(nproc)
[ -x "$zetgallery" ] || { echo "bench: no executable at $zetgallery (run make first)" >&2; exit 2; }
for tool in vipsthumbnail sqlite3 bc; do
  command -v "$tool" >/dev/null || { echo "bench: $tool is needed" >&2; exit 2; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/zetgallery-display.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
say() { echo "bench: $*" >&2; }

photos=${PHOTOS:-"$work/photos"}
"$here/tools/real-photos.sh" "$photos"
mkdir -p "$work/g/photos"
for photo in "$photos"/*.jpg "$photos"/*.png; do ln -s "$photo" "$work/g/photos/"; done
count=$(find "$work/g/photos" -name '*.*' | wc -l)

export ZETGALLERY_REGISTRY="$work/registry.db"
"$zetgallery" --list "$work/g/photos" >/dev/null  # creates the settings database
sqlite3 "$ZETGALLERY_REGISTRY" "INSERT OR IGNORE INTO keys(id, parent, name, fold) VALUES
  (1, NULL, 'HKEY_CURRENT_USER', 'hkey_current_user'), (2, 1, 'Software', 'software'),
  (3, 2, 'Vorlan', 'vorlan'), (4, 3, 'ZetGallery', 'zetgallery');"
set_value() {  # set_value NAME DWORD (hexadecimal, little-endian bytes)
  sqlite3 "$ZETGALLERY_REGISTRY" "INSERT OR REPLACE INTO vals(key, name, fold, type, data)
    SELECT id, '$1', lower('$1'), 4, x'$2' FROM keys WHERE fold = 'zetgallery';"
}
sqlite3 "$ZETGALLERY_REGISTRY" "INSERT OR REPLACE INTO vals(key, name, fold, type, data)
  SELECT id, 'ImagesMask', 'imagesmask', 1, CAST('*.jpg;*.png' AS BLOB) || x'00'
  FROM keys WHERE fold = 'zetgallery';"
set_value IndexType 00000000         # a numbered list: the copies are the only pictures made
set_value ImageType 01000000
set_value ClearResultFolder 00000000
set_value ClearThumbsFolder 00000000
set_value DisplayCopies 01000000
set_value DisplaySize 40060000       # 1600
set_value DisplayQuality 55000000    # 85

now_ns() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ms_of() { printf '%.1f' "$(echo "scale=3; $1 / 1000000" | bc)"; }
clean() { rm -rf "$work/g/display" "$work/g/thumbs" "$work/g/buttons" "$work/g"/*.htm "$work/g/.zetgallery-ledger"; }
zet() {  # zet THREADS(1 or all): one fresh build, prints nanoseconds
  clean
  start=$(now_ns)
  if [ "$1" = 1 ]; then
    VIPS_CONCURRENCY=1 "$zetgallery" --build --yes "$work/g/photos" >"$work/zet.log" 2>&1
  else
    env -u VIPS_CONCURRENCY "$zetgallery" --build --yes "$work/g/photos" >"$work/zet.log" 2>&1
  fi
  echo $(( $(now_ns) - start ))
}
vt() {  # vt PROCESSES: vipsthumbnail making the same copies
  rm -rf "$work/vt"; mkdir -p "$work/vt"
  printf '%s\n' "$work/g/photos"/* | split -n "r/$1" - "$work/vt/list."
  start=$(now_ns)
  for list in "$work/vt"/list.*; do
    VIPS_CONCURRENCY=1 xargs vipsthumbnail --size '1600x1600>' \
      -o "$work/vt/%s.jpg[Q=85,strip]" <"$list" &
  done
  wait
  echo $(( $(now_ns) - start ))
}
pair() {  # pair THREADS PROCESSES: sets zet_ns, vt_ns and ratio
  : >"$work/a"; : >"$work/b"; : >"$work/r"
  zet "$1" >/dev/null; vt "$2" >/dev/null  # warm-up
  n=0
  while [ "$n" -lt "$runs" ]; do
    a=$(zet "$1"); b=$(vt "$2")
    echo "$a" >>"$work/a"; echo "$b" >>"$work/b"; echo "scale=4; $a / $b" | bc >>"$work/r"
    n=$((n + 1))
  done
  zet_ns=$(median <"$work/a"); vt_ns=$(median <"$work/b"); ratio=$(median <"$work/r")
}
verdict() { if [ "$(echo "$1" | bc)" = 1 ]; then echo "met"; else echo "**not met**"; fi; }
rows=""
row() { rows="$rows$1
"; }

say "$count photos, one thread ..."
pair 1 1
row "| $count photos, copies of 1600 px, one thread | $(ms_of $((zet_ns / count))) | $(ms_of $((vt_ns / count))) (1 process) | $(printf '%.3f' "$ratio") | ≤ 1.0 | $(verdict "$ratio <= 1.0") |"
say "$count photos, $cores cores ..."
pair all "$cores"
row "| $count photos, copies of 1600 px, $cores cores | $(ms_of $((zet_ns / count))) | $(ms_of $((vt_ns / count))) ($cores processes) | $(printf '%.3f' "$ratio") | ≤ 1.0 | $(verdict "$ratio <= 1.0") |"

say "peak memory, and time against a build without the decode budget's limit ..."
set_value IndexType 03000000
set_value CreateThumbs 01000000
set_value ThumbsFormat 01000000
build_timed() {  # build_timed default|none: one fresh build on all cores, prints "NANOSECONDS PEAK_KB"
  clean
  start=$(now_ns)
  if [ "$1" = none ]; then
    env -u VIPS_CONCURRENCY ZETGALLERY_DECODE_LIMIT_MB=1048576 /usr/bin/time -f %M -o "$work/peak" \
      "$zetgallery" --build --yes "$work/g/photos" >/dev/null 2>&1
  else
    env -u VIPS_CONCURRENCY /usr/bin/time -f %M -o "$work/peak" \
      "$zetgallery" --build --yes "$work/g/photos" >/dev/null 2>&1
  fi
  echo "$(( $(now_ns) - start )) $(tail -n 1 "$work/peak")"
}
for copies in 00000000 01000000; do
  set_value DisplayCopies $copies
  : >"$work/a"; : >"$work/b"; : >"$work/r"; : >"$work/pa"; : >"$work/pb"
  build_timed default >/dev/null; build_timed none >/dev/null  # warm-up
  n=0
  while [ "$n" -lt "$runs" ]; do
    # shellcheck disable=SC2046  # each prints two numbers, split on purpose
    set -- $(build_timed default) $(build_timed none)
    echo "$1" >>"$work/a"; echo "$3" >>"$work/b"; echo "scale=4; $1 / $3" | bc >>"$work/r"
    echo "$2" >>"$work/pa"; echo "$4" >>"$work/pb"
    n=$((n + 1))
  done
  peak_kb=$(median <"$work/pa"); free_kb=$(median <"$work/pb"); ratio=$(median <"$work/r")
  what=$([ "$copies" = 00000000 ] && echo "thumbnails" || echo "thumbnails and copies")
  row "| peak memory, $count real photos, $what, $cores cores | $((${peak_kb%.*} / 1024)) MB, $(ms_of $(( $(median <"$work/a" | cut -d. -f1) / count ))) ms | without the limit: $((${free_kb%.*} / 1024)) MB, $(ms_of $(( $(median <"$work/b" | cut -d. -f1) / count ))) ms | time $(printf '%.3f' "$ratio") | ≤ 200 MB, time ≤ 1.05 | $(verdict "${peak_kb%.*} <= 204800 && $ratio <= 1.05") |"
done

echo
echo "Measured on $cores cores, $(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo), load $(cut -d' ' -f1-3 /proc/loadavg), $runs runs each (medians), $(date +%Y-%m-%d)."
echo
echo "| measure | zetgallery (ms per picture) | against (ms per picture) | ratio | goal | |"
echo "|---|---|---|---|---|---|"
printf '%s' "$rows"
