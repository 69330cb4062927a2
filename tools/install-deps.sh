#!/usr/bin/env bash
# Installs whatever the game, its tests and its tools need and is missing
# (Debian; run as root or with sudo available).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev libsndfile1-dev libx11-dev libgl-dev
  libgtest-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  qt6-translations-l10n
  xvfb xauth xdotool x11-utils imagemagick python3 libxdamage1 openbox
  dpkg-dev file   # the Debian package: its library dependencies
  appstream desktop-file-utils lintian   # ... and the judges of its metadata
  weston qt6-wayland   # the game under a Wayland compositor
  mecab-ipadic    # the nouns numera-puzzle make --dictionary draws from
  poppler-utils   # pdftotext, pdffonts, pdfinfo, pdftoppm: the tests read numera-puzzle print's PDF
  clang libclang-rt-dev   # the fuzz targets (libFuzzer)
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
