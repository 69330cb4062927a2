#!/usr/bin/env python3
"""How often numera-puzzle solve finds the boards its own maker makes.

    python3 bench/solver_suite.py [--build DIR] [--per-size K] [--seconds S]
                                  [--threads T] [--sizes 12/40,15/60,...]
                                  [--keep DIR] [--verbose]

Makes K puzzles of every size with `make --dictionary` (seeds 1001..1000+K,
its own), solves each with `solve --seconds S --threads T` and compares the
score with the maker's own board (OUT.solution.mlt, scored by `info`).
Prints per size, as a Markdown table: the share of puzzles where solve
reached the known score, the median time to it, and for the others the
median gap solve reports (bound over score) and the median shortfall from
the known score. The defaults are the full suite: 25 puzzles of each of
12/40, 15/60, 20/90 and 25/90, 10 s on 2 threads. `--per-size 5
--seconds 5` is a quick look while working on the solver.

Every figure is measured here; nothing is timed inside a test. The load
average is printed at the start and the end: on a busy machine the times
stretch.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile

SIZES = "12/40,15/60,20/90,25/90"


def tool(build, *args):
    done = subprocess.run([os.path.join(build, "numera-puzzle"), *args], capture_output=True,
                          text=True)
    if done.returncode != 0:
        raise SystemExit(f"FAILED: numera-puzzle {' '.join(args)}: {done.stderr}")
    return done.stdout


def median(values, fmt):
    return fmt.format(statistics.median(values)) if values else "—"


def solve_one(build, folder, size, words, seed, args):
    out = os.path.join(folder, f"p{size}-{words}-{seed}.mlt")
    if not os.path.exists(out):
        tool(build, "make", "--dictionary", "--size", str(size), "--words", str(words), "--seed",
             str(seed), out)
    known = json.loads(tool(build, "info", out[:-4] + ".solution.mlt"))["score"]
    r = json.loads(tool(build, "solve", out, "--json", "--seconds", str(args.seconds),
                        "--threads", str(args.threads)))
    reached = r["score"] >= known
    # Older solvers said only when every word was on the board; a maker's
    # board always holds every word.
    at = r.get("best_seconds", r.get("all_words_seconds", -1))
    return {
        "known": known,
        "score": r["score"],
        "reached": reached,
        "at": at if reached else None,
        "gap": r.get("gap"),
        "short": 100.0 * (known - r["score"]) / known,
        "proven": r["proven"],
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--per-size", type=int, default=25)
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--threads", type=int, default=2)
    parser.add_argument("--sizes", default=SIZES)
    parser.add_argument("--keep", help="make the puzzles here and keep them (made once)")
    parser.add_argument("--verbose", action="store_true", help="a line for every puzzle")
    args = parser.parse_args()

    print(f"Load average at start: {os.getloadavg()[0]:.2f} on {os.cpu_count()} cores; "
          f"solve --seconds {args.seconds:g} --threads {args.threads}\n")
    folder = args.keep or tempfile.mkdtemp(prefix="solver_suite.")
    os.makedirs(folder, exist_ok=True)
    rows = []
    for pair in args.sizes.split(","):
        size, words = map(int, pair.split("/"))
        results = []
        for seed in range(1001, 1001 + args.per_size):
            r = solve_one(args.build, folder, size, words, seed, args)
            results.append(r)
            if args.verbose:
                print(f"  {size}/{words} seed {seed}: {r['score']} of {r['known']}"
                      f"{' at %.2f s' % r['at'] if r['reached'] else ''}"
                      f"{' proven' if r['proven'] else ''}", file=sys.stderr)
        hit = [r for r in results if r["reached"]]
        missed = [r for r in results if not r["reached"]]
        gaps = [r["gap"] for r in missed if r["gap"] is not None]
        rows.append((f"{size} × {size}, {words} words", len(results), len(hit),
                     median([r["at"] for r in hit], "{:.2f} s"),
                     max((r["at"] for r in hit), default=None),
                     median(gaps, "{:.1f} %"), median([r["short"] for r in missed], "{:.1f} %")))
    print("| Puzzles | Known score reached | Median time to it | Slowest | "
          "Median gap (not reached) | Median shortfall from the known score |")
    print("|---|---|---|---|---|---|")
    for name, count, hit, at, slowest, gap, short in rows:
        print(f"| {name} | {hit} / {count} ({100.0 * hit / count:.0f} %) | {at} | "
              f"{'—' if slowest is None else '%.2f s' % slowest} | {gap} | {short} |")
    print(f"\nLoad average at the end: {os.getloadavg()[0]:.2f}")
    if not args.keep:
        subprocess.run(["rm", "-rf", folder])


if __name__ == "__main__":
    main()
