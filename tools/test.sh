#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and
# runs every test with CTest: the format check, logic, offscreen windows,
# the end-to-end tests under Xvfb and Wayland, the Debian package, and each
# fuzz target for a short while (clang's libFuzzer, in build-fuzz/).
#
#   bash tools/test.sh            everything (what CI runs)
#   bash tools/test.sh --quick    the build, the format check, the logic and
#                                 window tests only (labels unit and widget)
#
# Further arguments go to ctest, e.g. -R Transcript or -L e2e.
set -euo pipefail
cd "$(dirname "$0")/.."
labels=()
if [ "${1:-}" = --quick ]; then
  labels=(-L 'unit|widget')
  shift
fi
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUMERA_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure -j"$(nproc)" "${labels[@]}" "$@"
