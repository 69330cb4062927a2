#!/usr/bin/env bash
# Builds the puzzle reader's libFuzzer target with clang (address and
# undefined-behaviour sanitizers on) and runs it for a bounded time.
#
#   fuzz/run_fuzzer.sh [SECONDS]      default 60
#
# The corpus lives in build-fuzz/corpus and grows between runs; it starts from
# the bundled puzzles and two small files made here. Crashes are left as
# build-fuzz/crash-* files.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
out=build-fuzz
mkdir -p "$out/corpus"

clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined -I. $(pkg-config --cflags Qt6Core) \
  fuzz/puzzle_reader_fuzzer.cpp files/puzzle_file.cpp core/draw_board.cpp play/board_check.cpp \
  $(pkg-config --libs Qt6Core) -o "$out/puzzle_reader_fuzzer"

# Seeds: whatever bundled puzzles a build has made, else none; libFuzzer also
# finds its way from an empty corpus, only more slowly.
for f in build*/*.mlt; do
  [ -e "$f" ] && cp -n "$f" "$out/corpus/" || true
done

cd "$out"
./puzzle_reader_fuzzer -max_total_time="$seconds" -max_len=16384 -print_final_stats=1 corpus 2>&1 |
  tee fuzz.log | grep -E "^(#[0-9]+[[:space:]]+(DONE|INITED)|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)" || true
grep -q "ERROR\|deadly signal\|SUMMARY" fuzz.log && { echo "the fuzzer found a problem: see $out/fuzz.log"; exit 1; }
echo "no problem found in $seconds s"
