"""Takes the documentation's screenshots of the real game; see screenshots.sh."""

import glob
import os
import sys
import struct
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from game_setup import pack_in_play, set_zoom  # noqa: E402
from xdrive import (MainLayout, click, client_origin, fail, geometry, key, log,  # noqa: E402
                    main_guard, main_window, open_settings, press_box_button, puzzle_info, run,
                    solution,
                    start_game, visible_windows, wait_for_box, wait_until)

GAME, BUILD, OUT, WHICH = sys.argv[1:5]
NUMERA_PUZZLE = os.path.join(BUILD, "numera-puzzle")
DATA_DAT = os.path.join(GAME, "Data", "Data.dat")


def settings(background=0):
    """Data.dat with this background (0 green, 3 night sky), all else 0."""
    with open(DATA_DAT, "wb") as f:
        f.write(struct.pack("<24h", 0, background, *[0] * 22))


def bundled(size):
    for path in sorted(glob.glob(os.path.join(BUILD, "*.mlt"))):
        info = puzzle_info(NUMERA_PUZZLE, path)
        if info["board_size"] == size and info["placed_count"] == 0:
            return info
    fail(f"no bundled {size} x {size} puzzle in {BUILD}")


def in_play(size, share, name):
    """A copy of a bundled puzzle with the first part of its solution placed."""
    info = bundled(size)
    order = list(solution(info).items())
    placed = dict(order[:max(2, round(len(order) * share))])
    path = os.path.join(GAME, name + ".mlt")
    info = pack_in_play(NUMERA_PUZZLE, info, placed, path)
    log(f"{name}: {len(placed)} of {info['word_count']} words placed, score {info['score']}")
    return path, info


def start(*args, env=None):
    game = start_game(GAME, *args, env=env)
    window = main_window()
    if args:  # wait for the puzzle to widen the window
        wait_until("the puzzle to open", lambda: geometry(window)[3] > 120 * (2 if env else 1),
                   timeout=10)
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


def select(window, info, background=(0, 0x80, 0), zoom=1):
    """Selects the first word not placed: it shows light blue."""
    unplaced = next(i for i, w in enumerate(info["words"][:info["word_count"]], 1) if not w["used"])
    click(*MainLayout(client_origin(window, background), info, zoom).label_centre(unplaced))
    time.sleep(0.3)


def main_screen():
    """A 1920 x 1080 screen: the start, the boxes, the settings, the boards
    at zoom 1 and 2, the night sky and the device pixel ratio of 2."""
    settings()
    set_zoom(1)
    game, window = start()
    shoot(window, "screenshot-start.png")
    stop(game)

    path10, info10 = in_play(10, 0.5, "play10")
    game, window = start(path10)
    x, y, _, _ = geometry(window)
    oy = client_origin(window)[1]
    # ファイル → 終了 asks one question in the standard message setting. (No
    # word is selected yet: the game watches the arrow keys everywhere, so
    # the menu's Down presses would move a selection.)
    click(x + 20, (y + oy) // 2)
    time.sleep(0.3)
    key("Down", "Down", "Down", "Down", "Return")
    box, _ = wait_for_box("終了しますか？", ["はい", "いいえ"], others=[window])
    time.sleep(0.3)
    shoot_union([window, box], "screenshot-message.png")
    press_box_button("終了しますか？", ["はい", "いいえ"], "いいえ", others=[window])
    wait_until("the question to close", lambda: box not in visible_windows(), timeout=5)
    select(window, info10)
    shoot(window, "screenshot-10x10.png")
    stop(game)

    solved30, _ = in_play(30, 1.0, "solved30")
    game, window = start(solved30)
    shoot(window, "screenshot-30x30.png")
    shoot(open_settings(window), "screenshot-settings.png")
    stop(game)

    set_zoom(2)
    game, window = start(solved30)
    shoot(window, "screenshot-30x30-zoom2.png")
    stop(game)

    set_zoom(1.5)
    settings(background=3)
    path15, info15 = in_play(15, 0.4, "play15")
    game, window = start(path15)
    select(window, info15, background=(0, 0, 0x40), zoom=1.5)
    shoot(window, "screenshot-night-sky.png")
    stop(game)

    settings()
    set_zoom(1)
    env = dict(os.environ, QT_SCALE_FACTOR="2")
    game, window = start(path10, env=env)
    shoot(window, "screenshot-10x10-hidpi.png")
    stop(game)


def small_screen():
    """A 1366 x 768 screen: the 30 x 30 board in a window made as large as
    the screen by hand, which zooms it as far as the screen allows."""
    settings()
    set_zoom(1)
    solved30, _ = in_play(30, 1.0, "solved30")
    game, window = start(solved30)
    # The whole screen, frame included, as a player maximising the window.
    frame = [int(v) for v in run("xprop", "-id", str(window), "_NET_FRAME_EXTENTS")
             .split("=")[1].split(",")]
    run("xdotool", "windowsize", str(window), str(1366 - frame[0] - frame[1]),
        str(768 - frame[2] - frame[3]))
    time.sleep(1)
    shoot(window, "screenshot-30x30-1366.png")
    stop(game)


main_guard(main_screen if WHICH == "main" else small_screen)
