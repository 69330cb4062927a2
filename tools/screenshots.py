"""Takes the documentation's screenshots of the real game; see screenshots.sh."""

import glob
import json
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from rules import greedy_fill  # noqa: E402
from xdrive import (click, fail, geometry, grab, key, log, main_guard,  # noqa: E402
                    press_box_button, puzzle_info, run, visible_windows, wait_for_box,
                    wait_until)

GAME, BUILD, OUT = sys.argv[1:4]
NUMERA_PUZZLE = os.path.join(BUILD, "numera-puzzle")
STRIP_HEIGHT_LIMIT = 120  # the window at start is a narrow strip


def bundled(size):
    for path in sorted(glob.glob(os.path.join(BUILD, "*.mlt"))):
        info = puzzle_info(NUMERA_PUZZLE, path)
        if info["board_size"] == size and info["placed_count"] == 0:
            return info
    fail(f"no bundled {size} x {size} puzzle in {BUILD}")


def in_play(size, share, name):
    """A copy of a bundled puzzle with some of its words placed."""
    info = bundled(size)
    count = info["word_count"]
    words = [None] + info["words"][:count]
    placed = greedy_fill(words, size, limit=max(2, int(count * share)))
    for i, (x, y, d) in placed.items():
        info["words"][i - 1].update(used=1, x=x, y=y, dir=d)
    info["placed_count"] = len(placed)
    info["score"] = sum(words[i]["points"] for i in placed)
    source = os.path.join(GAME, "..", name + ".json")
    with open(source, "w", encoding="utf-8") as f:
        json.dump(info, f, ensure_ascii=False)
    target = os.path.join(GAME, name + ".mlt")
    run(NUMERA_PUZZLE, "pack", source, target)
    log(f"{name}: {len(placed)} of {count} words placed, score {info['score']}")
    return target, info


def start(*args, env=None):
    log_file = open(os.path.join(GAME, "..", "numera.log"), "ab")
    game = subprocess.Popen([os.path.join(GAME, "numera"), *args], cwd=GAME, stdout=log_file,
                            stderr=log_file, env=env)

    def main_window():
        for w in visible_windows():
            g = geometry(w)
            if g and g[3] != 62:
                return w
        return None

    window = wait_until("the main window", main_window, timeout=15)
    if args:  # wait for the puzzle to widen the window
        wait_until("the puzzle to open",
                   lambda: geometry(window)[3] > STRIP_HEIGHT_LIMIT * (2 if env else 1), timeout=10)
    time.sleep(0.7)  # let the first frames settle
    return game, window


def stop(game):
    game.kill()
    game.wait()


def shoot(window, name):
    path = os.path.join(OUT, name)
    run("import", "-window", str(window), path)
    log(f"wrote {path}")


def shoot_union(windows, name):
    """One picture of the screen area that holds all these windows."""
    boxes = [geometry(w) for w in windows]
    left = min(b[0] for b in boxes)
    top = min(b[1] for b in boxes)
    right = max(b[0] + b[2] for b in boxes)
    bottom = max(b[1] + b[3] for b in boxes)
    path = os.path.join(OUT, name)
    run("import", "-window", "root", "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
        "+repage", path)
    log(f"wrote {path}")


def origin_y(window):
    """Top of the window's inside below the menu bar (first green row)."""
    x, y, w, h = geometry(window)
    shot = grab((x, y, 4, h))
    for yy in range(h):
        if shot.pixel(2, yy) == (0, 0x80, 0):
            return y + yy
    fail("no green background in the main window")


def label_centre(info, oy, ox, i):
    count = info["word_count"]
    rows = int(count / ((count - 1) // 30 + 1) + 0.5)
    la = 16 * info["max_word_length"] + 7
    la2 = 8 * (len(str(abs(info["words"][0]["points"]))) + 1) + 5
    k, r = (i - 1) // rows, (i - 1) % rows
    return ox + 272 + k * (la - 1 + la2 - 1) + la // 2, oy + 8 + 16 * r + 8


def body():
    game, window = start()
    shoot(window, "screenshot-start.png")
    stop(game)

    path10, info10 = in_play(10, 0.5, "play10")
    game, window = start(path10)
    x, _, _, _ = geometry(window)
    oy = origin_y(window)

    # ファイル → 終了 asks one question in the standard message setting. (No
    # word is selected yet: the game watches the arrow keys everywhere, so
    # the menu's Down presses would move a selection.)
    click(x + 20, (geometry(window)[1] + oy) // 2)
    time.sleep(0.3)
    key("Down", "Down", "Down", "Down", "Return")
    box, _ = wait_for_box("終了しますか？", ["はい", "いいえ"], others=[window])
    time.sleep(0.3)
    shoot_union([window, box], "screenshot-message.png")
    press_box_button("終了しますか？", ["はい", "いいえ"], "いいえ", others=[window])
    wait_until("the question to close", lambda: box not in visible_windows(), timeout=5)

    unplaced = next(i for i, w in enumerate(info10["words"][:info10["word_count"]], 1)
                    if not w["used"])
    click(*label_centre(info10, oy, x, unplaced))  # a selected word shows light blue
    time.sleep(0.3)
    shoot(window, "screenshot-10x10.png")
    stop(game)

    path30, _ = in_play(30, 0.7, "play30")
    game, window = start(path30)
    shoot(window, "screenshot-30x30.png")

    # その他 → 設定: open ファイル, move right to その他, take its first item.
    x, y, _, _ = geometry(window)
    oy = origin_y(window)
    click(x + 20, (y + oy) // 2)
    time.sleep(0.3)
    key("Right")  # opens その他 with its first item, 設定, active
    time.sleep(0.3)
    key("Return")
    settings = wait_until("the settings window",
                          lambda: (visible_windows("詳細設定.*") or [None])[0], timeout=5)
    time.sleep(0.5)
    shoot(settings, "screenshot-settings.png")
    stop(game)

    env = dict(os.environ, QT_SCALE_FACTOR="2")
    game, window = start(path10, env=env)
    shoot(window, "screenshot-10x10-hidpi.png")
    stop(game)


main_guard(body)
