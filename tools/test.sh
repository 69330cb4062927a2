#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, runs
# each fuzz target for a short while (clang's libFuzzer, in build-fuzz/) and
# then every test: logic, offscreen windows and the end-to-end tests under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUMERA_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)"
bash fuzz/fuzz.sh smoke "${NUMERA_FUZZ_SECONDS:-30}"
cd build
ctest --output-on-failure -j"$(nproc)" "$@"
