#!/usr/bin/env bash
# real-photos.sh DIR: real photos for the benchmarks, the wallpapers of Debian's packages (JPEG and
# PNG, 1 to 24 megapixels, baseline and progressive), unpacked into DIR once. Needs apt-get.
set -euo pipefail
dir=$1
[ -f "$dir/.done" ] && exit 0
work=$(mktemp -d)
cd "$work"
apt-get download mate-backgrounds sway-backgrounds ukui-wallpapers lomiri-wallpapers-16.04 \
  lomiri-wallpapers-20.04 desktop-base >/dev/null 2>&1 || { apt-get update >/dev/null && apt-get download \
  mate-backgrounds sway-backgrounds ukui-wallpapers lomiri-wallpapers-16.04 lomiri-wallpapers-20.04 desktop-base >/dev/null; }
for d in *.deb; do dpkg-deb -x "$d" x; done
mkdir -p "$dir"
find x -type f \( -iname '*.jpg' -o -iname '*.jpeg' -o -iname '*.png' \) -size +200k | sort | head -n 60 |
  while read -r f; do cp -n "$f" "$dir/"; done
touch "$dir/.done"
rm -rf "$work"
