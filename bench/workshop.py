#!/usr/bin/env python3
"""Figures of the puzzle authors' workshop (numera-puzzle solve and make).

    python3 bench/workshop.py BUILD_DIR [RUNS]

Prints, as Markdown tables:
- solve on every bundled puzzle, one run per seed 1..RUNS: seconds to the
  first complete board, seconds to a board with every word placed (if one
  is found within the 10 s default), the score and whether it is proven best;
- make --dictionary at 30 x 30 with 90 words and at 15 x 15 with 40 words,
  wall-clock seconds for seeds 1..RUNS;
- boards tried per second (of wall-clock time and of CPU time) by solve on
  one and on two threads, on a puzzle the search does not finish (the
  15 x 15 one just made), and the speed-up. On a machine busy with other
  work the second thread finds no free core; the load average is printed.
Every figure is measured here; nothing is timed inside a test.
"""
import json
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time

BUILD = sys.argv[1] if len(sys.argv) > 1 else "build"
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 3
TOOL = os.path.join(BUILD, "numera-puzzle")
SOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "puzzles")


def tool(*args):
    done = subprocess.run([TOOL, *args], capture_output=True, text=True)
    if done.returncode != 0:
        raise SystemExit(f"FAILED: numera-puzzle {' '.join(args)}: {done.stderr}")
    return done.stdout


def seconds(value):
    return "—" if value < 0 else f"{value:.3f}"


def spread(values):
    return f"{min(values):.3f}–{max(values):.3f} (median {statistics.median(values):.3f})"


def solve_table():
    print("| Puzzle | Board | Words | First complete board (s) | Every word placed (s) "
          "| Score | Proven best |")
    print("|---|---|---|---|---|---|---|")
    for name in sorted(f[:-5] for f in os.listdir(SOURCES) if f.endswith(".json")):
        path = os.path.join(BUILD, name + ".mlt")
        info = json.loads(tool("info", path))
        firsts, alls, scores, proven = [], [], set(), set()
        for seed in range(1, RUNS + 1):
            r = json.loads(tool("solve", path, "--json", "--seed", str(seed)))
            firsts.append(seconds(r["first_board_seconds"]))
            alls.append(seconds(r["all_words_seconds"]))
            scores.add(r["score"])
            proven.add("yes" if r["proven"] else "no")
        n = info["board_size"]
        print(f"| {name} | {n} × {n} | {info['word_count']} | {', '.join(firsts)} "
              f"| {', '.join(alls)} | {'/'.join(map(str, sorted(scores)))} "
              f"| {'/'.join(sorted(proven))} |")


def make_table(folder):
    print("| make --dictionary | Seconds (seeds 1.." + str(RUNS) + ") |")
    print("|---|---|")
    for size, words in ((30, 90), (15, 40)):
        times = []
        for seed in range(1, RUNS + 1):
            out = os.path.join(folder, f"made{size}-{seed}.mlt")
            start = time.monotonic()
            tool("make", "--dictionary", "--size", str(size), "--words", str(words),
                 "--seed", str(seed), out)
            times.append(time.monotonic() - start)
        print(f"| --size {size} --words {words} | {spread(times)} |")


def speed_table(folder):
    puzzle = os.path.join(folder, "made15-1.mlt")
    print("| Threads | Boards tried per second | per CPU second |")
    print("|---|---|---|")
    rates = {}
    for threads in (1, 2):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        r = json.loads(tool("solve", puzzle, "--json", "--seconds", "5",
                            "--threads", str(threads)))
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        rates[threads] = r["nodes"] / r["seconds"]
        print(f"| {threads} | {rates[threads]:,.0f} | {r['nodes'] / cpu:,.0f} |")
    print(f"\nSpeed-up on two threads: {rates[2] / rates[1]:.2f} × "
          f"(load average {os.getloadavg()[0]:.2f} on {os.cpu_count()} cores)")


def main():
    print(f"Load average at start: {os.getloadavg()[0]:.2f} on {os.cpu_count()} cores\n")
    solve_table()
    print()
    with tempfile.TemporaryDirectory() as folder:
        make_table(folder)
        print()
        speed_table(folder)


if __name__ == "__main__":
    main()
