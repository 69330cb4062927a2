#!/usr/bin/env bash
# Installs what is missing, builds the game with Debian's hardening flags in
# a folder of its own and makes the package build-deb/numera_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_TESTING=OFF -DNUMERA_BENCH=OFF >/dev/null
cmake --build build-deb -j"$(nproc)" --target package
ls build-deb/numera_*.deb
