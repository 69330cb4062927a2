"""Measures the real game under a private X server and prints the figures:

  launch   time from starting the program to its window mapped, and to the
           first picture drawn into it (median of several starts)
  idle     processor time used over 10 s with a 30 x 30 puzzle open and
           nothing happening (utime + stime from /proc/PID/stat); then the
           same with a word selected, while the arrow keys are watched
  latency  time from a mouse press on the board (sent through XTest) to the
           X server receiving the repainted board (a Damage event over the
           board's area), for placing a word on the 30 x 30 board
  memory   peak resident memory (VmHWM) after all of the above

The last three are measured at zoom 1, 2 and 3.

Run through bench/figures.sh."""

import glob
import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(HERE, "..", "tests", "e2e"), os.path.join(HERE, "..", "tools")]

from game_setup import pack_in_play, set_zoom  # noqa: E402
from xdrive import MainLayout, client_origin, geometry, puzzle_info, solution  # noqa: E402
from xwatch import Watcher  # noqa: E402

GAME, BUILD = sys.argv[1:3]
WHAT = sys.argv[3:] or ["launch", "idle", "latency", "memory"]
NUMERA_PUZZLE = os.path.join(BUILD, "numera-puzzle")
LAUNCHES = 7
PRESSES = 15
ZOOMS = (1, 2, 3)


def say(text):
    print(text, flush=True)


def start(watcher, *args):
    """Starts the game; returns (process, window, seconds to map, seconds to
    the first drawing)."""
    log = open(os.path.join(GAME, "..", "numera.log"), "ab")
    watcher.drain(quiet=0.05, limit=1)
    t0 = time.monotonic()
    game = subprocess.Popen([os.path.join(GAME, "numera"), *args], cwd=GAME, stdout=log, stderr=log)
    mapped = window = None
    for now, kind, *details in watcher.events(15):
        if kind == "map" and window is None:
            window, mapped = details[0], now
            watcher.watch_damage(window)
        elif kind == "damage" and details[0] == window:
            return game, window, mapped - t0, now - t0
    game.kill()
    raise SystemExit("FAILED: the game showed no window within 15 s")


def stop(game):
    game.kill()
    game.wait()


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = int(fields[11]) + int(fields[12])  # utime, stime
    return ticks / os.sysconf("SC_CLK_TCK")


def peak_memory_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return float("nan")


def puzzle_30(placed_share=0.6):
    """The bundled 30 x 30 puzzle with the first part of its solution placed,
    and the solution's next word left over to be placed by a press."""
    for path in sorted(glob.glob(os.path.join(BUILD, "*.mlt"))):
        info = puzzle_info(NUMERA_PUZZLE, path)
        if info["board_size"] == 30:
            break
    else:
        raise SystemExit("FAILED: no bundled 30 x 30 puzzle")
    order = list(solution(info).items())
    count = int(len(order) * placed_share)
    target = os.path.join(GAME, "bench30.mlt")
    info = pack_in_play(NUMERA_PUZZLE, info, dict(order[:count]), target)
    return target, info, order[count]


def idle_cpu(game, seconds=10):
    """Processor time the game uses while nothing happens."""
    time.sleep(1)
    before, t0 = cpu_seconds(game.pid), time.monotonic()
    time.sleep(seconds)
    return cpu_seconds(game.pid) - before, time.monotonic() - t0


def click_at(watcher, x, y):
    watcher.move(x, y)
    watcher.button(1, True)
    watcher.button(1, False)
    watcher.drain(quiet=0.25)


def overlaps(area, rect):
    ax, ay, aw, ah = area
    rx, ry, rw, rh = rect
    return ax < rx + rw and rx < ax + aw and ay < ry + rh and ry < ay + ah


def measure_latency(watcher, game, window, layout, spare):
    wx, wy = geometry(window)[:2]
    board = layout.board()
    board = (board[0] - wx, board[1] - wy, board[2], board[3])  # in window coordinates
    index, (cx, cy, d) = spare
    button = 3 if d else 1  # down or across, as the solution has it
    cell = layout.cell_centre(cx, cy)
    label = layout.label_centre(index)

    def click_label():
        click_at(watcher, *label)

    samples = []
    for _ in range(PRESSES):
        click_label()  # select the spare word
        watcher.move(*cell)
        watcher.drain(quiet=0.1)
        sent = watcher.button(button, True)  # place it
        repainted = None
        for now, kind, *details in watcher.events(2):
            if kind == "damage" and details[0] == window and overlaps(details[1], board):
                repainted = now
                break
        watcher.button(button, False)
        watcher.drain(quiet=0.25)
        if repainted is None:
            raise SystemExit("FAILED: the board was not repainted after a press that places a word")
        samples.append((repainted - sent) * 1000)
        click_label()  # take it back for the next round
    if game.poll() is not None:
        raise SystemExit("FAILED: the game ended during the measurement")
    return samples


def main():
    watcher = Watcher()
    if "launch" in WHAT:
        maps, draws = [], []
        for _ in range(LAUNCHES):
            game, _, mapped, drawn = start(watcher)
            maps.append(mapped * 1000)
            draws.append(drawn * 1000)
            stop(game)
            time.sleep(0.2)
        say(f"launch to window shown:    median {statistics.median(maps):6.1f} ms, "
            f"max {max(maps):6.1f} ms  (first picture drawn: median "
            f"{statistics.median(draws):.1f} ms; {LAUNCHES} starts)")
    if not {"idle", "latency", "memory"} & set(WHAT):
        return
    path, info, spare = puzzle_30()
    for zoom in ZOOMS:
        set_zoom(zoom)
        game, window, _, _ = start(watcher, path)
        try:
            watcher.drain(quiet=0.5, limit=5)
            time.sleep(2)
            layout = MainLayout(client_origin(window), info, zoom)
            at = f"at zoom {zoom}:"
            if "idle" in WHAT:
                used, elapsed = idle_cpu(game)
                say(f"idle CPU, 30 x 30 open {at} {100 * used / elapsed:6.2f} % of one core "
                    f"({used * 1000:.0f} ms in {elapsed:.1f} s)")
                # With a word selected the arrow keys are watched: the same again.
                label = layout.label_centre(spare[0])
                click_at(watcher, *label)
                used, elapsed = idle_cpu(game)
                click_at(watcher, *label)  # and deselect it
                say(f"  the same, a word selected: {100 * used / elapsed:6.2f} % of one core "
                    f"({used * 1000:.0f} ms in {elapsed:.1f} s)")
            if "latency" in WHAT:
                samples = measure_latency(watcher, game, window, layout, spare)
                say(f"press to repainted board {at} median {statistics.median(samples):6.2f} ms, "
                    f"max {max(samples):6.2f} ms  ({len(samples)} placements on 30 x 30)")
            if "memory" in WHAT:
                say(f"peak memory (VmHWM) {at}      {peak_memory_mb(game.pid):6.1f} MB")
        finally:
            stop(game)

main()
