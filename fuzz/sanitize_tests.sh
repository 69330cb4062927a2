#!/usr/bin/env bash
# Builds the logic tests and the puzzle tool with the address and
# undefined-behaviour sanitizers and runs the tests.
#
#   fuzz/sanitize_tests.sh [gtest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNUMERA_WERROR=ON -DNUMERA_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan -j"$(nproc)" --target numera_tests numera-puzzle numera_puzzles
cd build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ./tests/numera_tests "$@"
