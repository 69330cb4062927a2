#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and
# runs every test: logic, offscreen windows and the end-to-end tests under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUMERA_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure -j"$(nproc)" "$@"
