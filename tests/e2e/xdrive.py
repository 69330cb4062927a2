"""Driving the real game from outside: windows found by title, input sent
through XTest (xdotool), pixels read back from the X server, and
the layout rules of the game's own windows, so that the tests know where to
click without any help from inside the game."""

import json
import os
import subprocess
import sys
import time
import unicodedata

TITLE = "ぬめら"


class E2EFailure(Exception):
    pass


def fail(message):
    raise E2EFailure(message)


def log(message):
    print(message, flush=True)


def run(*args, check=True):
    result = subprocess.run(list(args), capture_output=True, text=True)
    if check and result.returncode != 0:
        fail(f"{' '.join(args)} failed: {result.stderr.strip()}")
    return result.stdout


def wait_until(what, probe, timeout=10.0, interval=0.05):
    """Calls probe until it returns something true; returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            fail(f"timed out waiting for {what}")
        time.sleep(interval)


# --- windows -----------------------------------------------------------------

def visible_windows(title=TITLE):
    """Ids of the mapped top-level windows whose title is exactly `title`."""
    out = run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$", check=False)
    return [int(w) for w in out.split()]


def geometry(window):
    """(x, y, width, height) of a window's inside on the screen."""
    out = run("xdotool", "getwindowgeometry", "--shell", str(window), check=False)
    values = dict(line.split("=", 1) for line in out.split() if "=" in line)
    if not {"X", "Y", "WIDTH", "HEIGHT"} <= values.keys():
        return None
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def window_pid(window):
    out = run("xdotool", "getwindowpid", str(window), check=False).strip()
    return int(out) if out.isdigit() else None


# --- input -------------------------------------------------------------------

def move(x, y):
    # Not "--sync": it waits for a motion that never comes when the pointer
    # is already there.
    run("xdotool", "mousemove", str(int(x)), str(int(y)))
    time.sleep(0.02)


def click(x, y, button=1):
    """A press and release at a screen position (button 1 left, 3 right)."""
    move(x, y)
    run("xdotool", "mousedown", str(button))
    time.sleep(0.03)
    run("xdotool", "mouseup", str(button))


def tap_key(key, hold=0.03):
    """Holds a key down for a moment, as a person taps it. The game acts on
    the press at once and then pauses 80 ms per move; a 30 ms hold is over
    before a second move could start."""
    x = x_client()
    x.key(key, True)
    time.sleep(hold)
    x.key(key, False)


def key(*keys):
    run("xdotool", "key", "--delay", "60", *keys)


def type_text(text):
    run("xdotool", "type", "--delay", "15", text)


# --- pixels ------------------------------------------------------------------

_x = None


def x_client():
    """The one connection of this test to the X server for reading pixels."""
    global _x
    if _x is None:
        from xclient import Watcher
        _x = Watcher()
    return _x


def grab(region):
    """Pixels of a screen rectangle (x, y, w, h), read from the X server."""
    return x_client().grab(*region)


def region_pixels(region):
    """The pixels of a screen rectangle, for comparing."""
    return grab(region).data


def wait_for_change(what, region, before, timeout=5.0):
    """Waits until a screen rectangle (x, y, w, h) differs from `before`."""
    return wait_until(what, lambda: region_pixels(region) != before or None,
                      timeout=timeout, interval=0.01)


# --- the game's own layout rules ---------------------------------------------

def message_box_layout(message, captions):
    """Client width and the button rectangles (left, top, width, height) of
    the game's message box for this text and these captions."""
    count = len(captions)
    widths = [0, 0, 0]
    for i in range(count):
        widths[i] = max(89, 14 * len(captions[i]) + 5)
    client_width = max(12 * len(message) + 16, sum(widths) + 8 * count + 9)
    buttons = []
    for i in range(count):
        u = (widths[1] + 8) / 2 if count >= 2 else 0
        v = (widths[2] + 8) / 2 if count >= 3 else 0
        w = widths[0] + 8 if i >= 1 else 0
        z = widths[1] + 8 if i >= 2 else 0
        left = (client_width - widths[0]) / 2 - u - v + w + z
        buttons.append((left, 37, widths[i], 24))
    return client_width, buttons


def text_pixels(text):
    """Width of a text in the game's box font: 12 pixels a full-width
    character, 6 a half-width one."""
    return sum(12 if unicodedata.east_asian_width(c) in "WFA" else 6 for c in text)


def ink_columns(pixels, left, top, width, height, background):
    """Leftmost and rightmost column (within the rectangle) holding a pixel
    clearly darker than the background, or None."""
    dark = [x for x in range(width) for y in range(height)
            if sum(pixels.pixel(left + x, top + y)) < sum(background) - 200]
    return (min(dark), max(dark)) if dark else None


def box_layout_problem(window_geometry, message, captions):
    """What is wrong with the box on the screen, compared with its layout
    rules (button frames where the layout puts them, the message text as
    long as the message, each caption centred on its own button); None when
    nothing is."""
    x, y, width, height = window_geometry
    pixels = grab((x, y, width, height))
    bg = pixels.pixel(2, 2)
    _, buttons = message_box_layout(message, captions)
    for i, (left, top, bw, bh) in enumerate(buttons):
        middle = top + bh // 2
        # Fractional lefts may be rounded either way.
        edges = [e for e in {int(left), int(left + 0.5)}
                 if pixels.pixel(e - 1, middle) == bg and pixels.pixel(e, middle) != bg
                 and pixels.pixel(e + bw - 1, middle) != bg and pixels.pixel(e + bw, middle) == bg]
        if not edges:
            return f"button {i + 1} is not at left {left}, width {bw}"
        e = edges[0]
        centre = e + bw // 2
        if not (pixels.pixel(centre, top - 1) == bg and pixels.pixel(centre, top) != bg
                and pixels.pixel(centre, top + bh - 1) != bg and pixels.pixel(centre, top + bh) == bg):
            return f"button {i + 1} is not at top {top}, height {bh}"
        ink = ink_columns(pixels, e + 3, top + 3, bw - 6, bh - 6, pixels.pixel(e + 3, top + 3))
        expected = text_pixels(captions[i])
        if not ink or not (expected - 12 <= ink[1] - ink[0] + 1 <= expected):
            return f"button {i + 1} does not show a caption as wide as 「{captions[i]}」"
        # Centred: the ink lies within the caption's cells centred on the button.
        first, last = e + 3 + ink[0], e + 3 + ink[1]
        if first < e + (bw - expected) / 2 - 2 or last > e + (bw + expected) / 2 + 2:
            return f"the caption of button {i + 1} is not centred on it"
    ink = ink_columns(pixels, 8, 8, width - 16, 29, bg)
    expected = text_pixels(message)
    if not ink or ink[0] > 4 or not (expected - 12 <= ink[1] < expected):
        return f"the message text is not as long as 「{message}」 (ink {ink})"
    return None


def wait_for_box(message, captions, others=(), timeout=10.0):
    """Waits for the game's message box laid out for this message and these
    captions: a visible window titled ぬめら, 62 pixels high and exactly as
    wide as the layout rules make it. Returns (window, geometry)."""
    width, _ = message_box_layout(message, captions)

    def probe():
        for window in visible_windows():
            if window in others:
                continue
            g = geometry(window)
            if g and g[2] == width and g[3] == 62:
                return window, g
        return None

    try:
        window, g = wait_until(f"the box 「{message}」", probe, timeout=timeout)
    except E2EFailure:
        seen = [(w, geometry(w)) for w in visible_windows()]
        fail(f"the box 「{message}」 {captions} ({width} x 62) did not appear; "
             f"windows titled {TITLE}: {seen}")
    # Its contents must match too (allowing a moment for the first paint).
    problem = [None]

    def laid_out():
        problem[0] = box_layout_problem(g, message, captions)
        return problem[0] is None

    try:
        wait_until("the box to be painted", laid_out, timeout=3, interval=0.05)
    except E2EFailure:
        fail(f"the box expected to be 「{message}」 {captions}: {problem[0]}")
    return window, g


def press_box_button(message, captions, caption, others=()):
    """Presses the button with this caption where the layout puts it."""
    window, (x, y, _, _) = wait_for_box(message, captions, others)
    _, buttons = message_box_layout(message, captions)
    left, top, width, height = buttons[captions.index(caption)]
    click(x + left + width / 2, y + top + height / 2)
    return window


# --- puzzles -----------------------------------------------------------------

def puzzle_info(numera_puzzle, path):
    out = run(numera_puzzle, "info", path)
    return json.loads(out)


def exit_with(code, message):
    print(message, flush=True)
    sys.exit(code)


def main_guard(body):
    """Runs a test body; any failure prints one clear line and exits 1."""
    try:
        body()
    except E2EFailure as error:
        if os.environ.get("E2E_SHOT_ON_FAILURE"):  # a picture of the screen, to see why
            subprocess.run(["import", "-window", "root", os.environ["E2E_SHOT_ON_FAILURE"]])
        exit_with(1, f"FAILED: {error}")
