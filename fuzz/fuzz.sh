#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers on, in build-fuzz/) and runs them.
#
#   fuzz/fuzz.sh smoke [SECONDS]          every target for SECONDS each (default 30; 0 skips)
#   fuzz/fuzz.sh run TARGET [ARGS...]     one target with libFuzzer's own arguments,
#                                         e.g. run puzzle_reader_fuzzer -runs=10000000
#
# Without clang++ it says so and does nothing. Each target keeps its corpus
# in build-fuzz/corpus/TARGET, grown between runs from the seeds below; a
# crash leaves build-fuzz/crash-* and the log in build-fuzz/TARGET.log.
set -euo pipefail
cd "$(dirname "$0")/.."
# Exit 77 tells CTest the run was skipped.
command -v clang++ >/dev/null || { echo "fuzz: clang++ is not installed; nothing fuzzed"; exit 77; }
if [ "${1:-smoke}" = smoke ] && [ "${2:-30}" = 0 ]; then
  echo "fuzz: 0 seconds asked for; nothing fuzzed"
  exit 77
fi
out=build-fuzz
cmake -S . -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DNUMERA_FUZZ=ON >/dev/null
cmake --build "$out" -j2 >/dev/null

# Seeds: the bundled puzzles where a build has made them, their JSON
# sources, and settings records of each length that matters.
seed() {
  local target=$1 corpus=$out/corpus/$1
  mkdir -p "$corpus"
  case $target in
    puzzle_reader_fuzzer) for f in build*/*.mlt; do [ -e "$f" ] && cp -n "$f" "$corpus/"; done ;;
    puzzle_json_fuzzer) cp -n puzzles/*.json "$corpus/" ;;
    word_list_fuzzer) printf 'ねこ\nいぬ\t25\n\nこたつ\n' >"$corpus/words" ;;
    data_dat_fuzzer)
      printf '%*s' 8 '' | tr ' ' '\001' >"$corpus/short"
      printf '%*s' 48 '' | tr ' ' '\000' >"$corpus/record"
      printf '%*s' 60 '' | tr ' ' 'Z' >"$corpus/longer" ;;
  esac
  true
}

# Runs one target; prints its number of executions, or its log on a crash.
fuzz() {
  local target=$1
  shift
  seed "$target"
  if ! (cd "$out" && "./fuzz/$target" -timeout=10 -print_final_stats=1 "$@" "corpus/$target" \
      >"$target.log" 2>&1); then
    tail -n 40 "$out/$target.log"
    echo "fuzz: $target found a problem; see $out/$target.log"
    return 1
  fi
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$target.log")
  echo "fuzz: $target ran $runs inputs, no problem found"
}

case "${1:-smoke}" in
  smoke)
    seconds="${2:-30}"
    status=0
    while read -r target; do
      [ -n "$target" ] && { fuzz "$target" -max_total_time="$seconds" || status=1; }
    done <"$out/fuzz_targets.txt"
    exit $status ;;
  run)
    [ $# -ge 2 ] || { echo "usage: fuzz/fuzz.sh run TARGET [ARGS...]"; exit 2; }
    target=$2
    shift 2
    fuzz "$target" "$@" ;;
  *) echo "usage: fuzz/fuzz.sh smoke [SECONDS] | run TARGET [ARGS...]"; exit 2 ;;
esac
