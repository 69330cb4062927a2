"""The window's outer size under openbox: the narrow strip at start-up, and
the size the open command sets for a puzzle, each frame included."""

import re
import sys

from xdrive import E2EFailure, fail, geometry, log, main_guard, main_window, run, start_game, stop_game, wait_until

GAME = sys.argv[1]


def outer_size(window):
    """Width and height of the window with the frame openbox put around it."""
    extents = run("xprop", "-id", str(window), "_NET_FRAME_EXTENTS", check=False)
    numbers = [int(v) for v in re.findall(r"\d+", extents.split("=", 1)[-1])]
    if "=" not in extents or len(numbers) != 4:
        return None
    left, right, top, bottom = numbers
    _, _, width, height = geometry(window)
    return width + left + right, height + top + bottom


def expect_outer(window, size, what):
    seen = [None]

    def probe():
        seen[0] = outer_size(window)
        return seen[0] == size
    try:
        wait_until(what, probe, timeout=5)
    except E2EFailure:
        fail(f"{what}: the outer size is {seen[0]}, expected {size}")
    log(f"  {what}: {size[0]} x {size[1]} with the frame")


def body():
    for args, size, what in [((), (276, 46), "the start-up strip (4150 x 700 twips)"),
                             (("doubutsu.mlt",), (393, 538), "doubutsu opened (5900 x 8080)")]:
        game = start_game(GAME, *args)
        try:
            expect_outer(main_window(), size, what)
        finally:
            stop_game(game)


main_guard(body)
print("window manager e2e: passed")
