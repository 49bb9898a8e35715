#!/usr/bin/env bash
# Installs the Debian packages ZetGallery needs to build, run and test, but only those that are
# missing, so that a machine that already has them all needs no root and no network. Packages
# named as arguments are wanted too (CI adds clang-format).
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config make fonts-liberation
  qt6-base-dev qt6-translations-l10n libvips-dev libglib2.0-dev libvips-tools libsqlite3-dev sqlite3
  libexiv2-dev libarchive-dev
  googletest libgtest-dev
  libjpeg-turbo-progs
  "$@"
)
# The Debian package and the desktop files: CPack reads the executable's libraries with
# dpkg-shlibdeps (dpkg-dev) and finds executables with `file`; the tests check the package with
# readelf (binutils) and the menu entry, the metainfo and the manual page with the others.
packages+=(dpkg-dev file binutils desktop-file-utils appstream groff-base)
# The browser test opens built galleries in headless Chromium through its WebDriver.
packages+=(chromium chromium-driver python3-selenium)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
