#!/usr/bin/env bash
# Line and branch coverage of the rule folders by the logic tests, measured
# with gcov in a build of its own (build-coverage/) and summed up by gcovr.
# Prints the table per file and the totals; an HTML report lands in
# build-coverage/coverage.html.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
if ! command -v gcovr >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends gcovr
fi
# Atomic counters: the puzzle tool's solver counts on two threads at once.
cmake -S . -B build-coverage -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNUMERA_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="--coverage -fprofile-update=atomic -fno-inline" -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build build-coverage -j"$(nproc)" --target numera_tests
find build-coverage -name '*.gcda' -delete
# The hostile-file table runs the tool as another user and under a file size
# limit, where the tool cannot write its counts and libgcov adds a complaint
# to the standard error the test compares: that test runs for its counts
# only; the normal build checks its verdict.
hostile=HostileFiles.EveryReaderAndWriterRefusesWithItsOneLineAndChangesNothing
(cd build-coverage/tests && ./numera_tests --gtest_filter=-$hostile >/dev/null &&
  { ./numera_tests --gtest_filter=$hostile >/dev/null 2>&1 || true; })
# Only the rule folders count; the exception branches the compiler adds to
# every call are left out, as they are not branches of the game.
gcovr --root . --object-directory build-coverage \
  --filter 'core/' --filter 'dialogs/' --filter 'play/' --filter 'files/' \
  --filter 'diversions/' --filter 'settings/' \
  --exclude-throw-branches --exclude-unreachable-branches \
  --print-summary --html build-coverage/coverage.html --txt -
