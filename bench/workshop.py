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
  work the second thread finds no free core; the load average is printed;
- make on the hand-written word lists in bench/words/ (everyday words, the
  way an author writes them) at 15 x 15 and 20 x 20: the seconds to the
  first answer (a puzzle, a refusal, or the words a first search could not
  place), what it was, and with --drop the seconds to the written puzzle and
  how many words it left out;
- print: seconds per page for one page, for the seven bundled puzzles, and
  for ten copies of each.
Every figure is measured here; nothing is timed inside a test.
"""
import glob
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
WORDS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "words")


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


def first_answer(*args):
    """Seconds to the first line that answers (not a warning), that line,
    the whole run's seconds and its output."""
    start = time.monotonic()
    proc = subprocess.Popen([TOOL, *args], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True)
    first, at, lines = None, None, []
    for line in proc.stdout:
        lines.append(line.rstrip("\n"))
        if first is None and not line.startswith("注意:"):
            first, at = line.strip(), time.monotonic() - start
    proc.wait()
    return at, first, time.monotonic() - start, lines


def answer_kind(line):
    if "作りました" in line:
        return "puzzle"
    if "並びません" in line or "外す単語" in line:
        return "words left out named"
    return "refused"


def words_table(folder):
    print("| List | Words | Board | First answer (s) | Answer | --drop: puzzle (s) "
          "| --drop: words left out |")
    print("|---|---|---|---|---|---|---|")
    for path in sorted(glob.glob(os.path.join(WORDS, "*.txt"))):
        count = sum(1 for line in open(path, encoding="utf-8") if line.strip())
        name = os.path.basename(path)
        for size in (15, 20):
            out = os.path.join(folder, f"{name}-{size}.mlt")
            at, line, _, _ = first_answer("make", path, "--size", str(size), out)
            _, _, total, lines = first_answer("make", path, "--size", str(size), "--drop", out)
            dropped = next((l.split(" 語")[0].split()[-1] for l in lines
                            if l.startswith("次の ") and "外しました" in l), "0")
            made = any("作りました" in l for l in lines)
            print(f"| {name} | {count} | {size} × {size} | {at:.2f} | {answer_kind(line)} "
                  f"| {total:.2f}{'' if made else ' (refused)'} | {dropped} |")


def print_table(folder):
    print("| print | Pages | Seconds | Seconds a page |")
    print("|---|---|---|---|")
    bundled = sorted(glob.glob(os.path.join(BUILD, "*.mlt")))
    bundled = [p for p in bundled if os.path.splitext(os.path.basename(p))[0] + ".json"
               in os.listdir(SOURCES)]
    runs = (("one puzzle", bundled[:1], []),
            ("the seven bundled puzzles", bundled, []),
            ("ten copies of each", bundled, ["--copies", "10"]))
    for label, puzzles, extra in runs:
        times, pages = [], 0
        for _ in range(RUNS):
            out = os.path.join(folder, "out.pdf")
            start = time.monotonic()
            said = tool("print", *puzzles, "-o", out, *extra)
            times.append(time.monotonic() - start)
            pages = int(said.split("（")[1].split(" ")[0])
        best = min(times)
        print(f"| {label} | {pages} | {spread(times)} | {best / pages:.3f} |")


def main():
    print(f"Load average at start: {os.getloadavg()[0]:.2f} on {os.cpu_count()} cores\n")
    solve_table()
    print()
    with tempfile.TemporaryDirectory() as folder:
        make_table(folder)
        print()
        speed_table(folder)
        print()
        words_table(folder)
        print()
        print_table(folder)


if __name__ == "__main__":
    main()
