"""One key press, one answer. Under the persistent message setting the
start-up chain asks box after box; Return and then Space held for 3 s each
(the X server's own auto-repeat) must answer exactly one box each: Return at
once on its press, Space on its release. The
game starts at a stored zoom of 3 on a small screen: the long box the chain
reaches then is shown at the largest zoom that fits the screen, its text
whole."""

import os
import sys
import time

from xdrive import (fail, geometry, grab, log, main_guard, off_screen, run, start_game,
                    stop_game, visible_windows, wait_until)

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))
from xwatch import Watcher  # noqa: E402  the X server's word of each window mapped

GAME, SETUP = sys.argv[1:3]


def maps(watcher, seconds, settle=None):
    """Windows mapped within `seconds`; given `settle`, it stops that long
    after the first (a slow machine gets time, a fast one no wait)."""
    count, end = 0, time.monotonic() + seconds
    while (left := end - time.monotonic()) > 0:
        event = next(watcher.events(left), None)
        if event is None:
            break
        if event[1] == "map":
            count += 1
            end = min(end, time.monotonic() + settle) if settle else end
    return count


def hold(watcher, name, seconds=3):
    """Holds a key down and lets it go: the boxes answered (each answer maps
    the next box) while it is down and just after its release."""
    watcher.drain(quiet=0.2)
    run("xdotool", "keydown", name)
    held = maps(watcher, seconds)
    run("xdotool", "keyup", name)
    return held, maps(watcher, 2, settle=0.5)


def long_box_fits():
    """The box now shown is the chain's long one (its text alone sets its
    width, 12 pixels a letter and 8 each side); it must lie on the screen at
    a zoom from 1 to below 3, and its last letter must be drawn inside it."""
    window, (x, y, width, height) = wait_until("the long box", lambda: next(
        ((w, g) for w in visible_windows() if (g := geometry(w)) and g[2] > 2 * g[3] + 600),
        None))
    zoom = height / 62
    letters = round(width / zoom - 16) // 12
    if off_screen(window):
        fail(f"the long box lies off the screen: {off_screen(window)}")
    if not (1 <= zoom < 3 and width == round((12 * letters + 16) * zoom)):
        fail(f"the long box is {width} x {height}: not the layout at a lowered zoom")
    wait_until("the long box to be painted", lambda: len(set(grab((x, y, width, height)).data)) > 8)
    shot = grab((x, y, width, round(37 * zoom)))  # the text, above the buttons
    inked = [c for c in range(width) if any(
        sum(shot.pixel(c, r)) < 200 for r in range(round(8 * zoom), shot.height))]
    last_cell = round((8 + 12 * (letters - 1)) * zoom)
    if not inked or inked[-1] < last_cell or inked[-1] >= width - round(4 * zoom):
        fail(f"the text of the long box is cut: ink ends at {inked[-1] if inked else None}, "
             f"its last letter starts at {last_cell} of {width}")
    log(f"  the long box ({letters} letters): {width} x {height} at zoom {zoom:g}, on the screen")


def body():
    watcher = Watcher()
    game = start_game(GAME)
    try:
        wait_until("the first box", visible_windows)
        # Enter answers on its press, Space on its release; one box each.
        for name, expected in [("Return", (1, 0)), ("space", (0, 1))]:
            answered = hold(watcher, name)
            log(f"  {name} held 3 s: {answered[0]} box(es) answered while down, "
                f"{answered[1]} after the release")
            if answered != expected:
                fail(f"{name} held 3 s answered {answered}, not {expected} (down, after)")
        run("xdotool", "key", "Return")
        long_box_fits()
        if game.poll() is not None:
            fail(f"the game ended (code {game.returncode})")
    finally:
        stop_game(game)


main_guard(body)
print(f"held keys e2e ({SETUP}): passed")
