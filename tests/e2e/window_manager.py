"""The window's outer size under openbox: the narrow strip at start-up, the
size the open command sets for a puzzle, each frame included, and the same
zoomed with the keyboard and kept to the next start (outside Data.dat)."""

import os
import sys

from xdrive import (E2EFailure, fail, geometry, key, log, main_guard, main_window, run, start_game,
                    stop_game, wait_until)

GAME = sys.argv[1]
DATA_DAT = os.path.join(GAME, "Data", "Data.dat")


def outer_size(window):
    """Width and height of the window with the frame openbox put around it."""
    extents = run("xprop", "-id", str(window), "_NET_FRAME_EXTENTS", check=False).split("=")
    left, right, top, bottom = (int(v) for v in extents[-1].split(",")) if len(extents) == 2 \
        else (0, 0, 0, 0)
    return geometry(window)[2] + left + right, geometry(window)[3] + top + bottom


def expect_outer(window, size, what):
    try:
        wait_until(what, lambda: outer_size(window) == size, timeout=5)
    except E2EFailure:
        fail(f"{what}: the outer size is {outer_size(window)}, expected {size}")
    log(f"  {what}: {size[0]} x {size[1]} with the frame")


def body():
    data_dat = open(DATA_DAT, "rb").read()
    for args, keys, size, what in [
            ((), None, (276, 46), "the start-up strip (4150 x 700 twips)"),
            (("doubutsu.mlt",), None, (393, 538), "doubutsu opened (5900 x 8080)"),
            (("doubutsu.mlt",), "ctrl+plus", (491, 673), "zoomed in with Ctrl + plus (1.25)"),
            (("doubutsu.mlt",), None, (491, 673), "started again: the zoom kept")]:
        game = start_game(GAME, *args)
        try:
            window = main_window()
            if keys:
                expect_outer(window, (393, 538), "before the zoom")
                key(keys)
            expect_outer(window, size, what)
        finally:
            stop_game(game)
    if open(DATA_DAT, "rb").read() != data_dat:
        fail("Data.dat changed; the zoom belongs in the player's own settings")


main_guard(body)
print("window manager e2e: passed")
