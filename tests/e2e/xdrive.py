"""Driving the real game from outside, as a player would: windows found and
input sent with xdotool, screen pixels read back from the X server
(ImageMagick's import), and the layout rules of the game's windows, so that
the end-to-end tests, the benchmark and the screenshot tool know where to
click without any help from inside the game."""

import json
import os
import subprocess
import sys
import time

TITLE = "ぬめら"
SOLUTIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "puzzles",
                         "solutions")


class E2EFailure(Exception):
    pass


def fail(message):
    raise E2EFailure(message)


def log(message):
    print(message, flush=True)


def main_guard(body):  # any failure prints one clear line and exits 1
    try:
        body()
    except E2EFailure as error:
        log(f"FAILED: {error}")
        sys.exit(1)


def run(*args, check=True):
    result = subprocess.run(list(args), capture_output=True, text=True)
    if check and result.returncode != 0:
        fail(f"{' '.join(args)} failed: {result.stderr.strip()}")
    return result.stdout


def wait_until(what, probe, timeout=10.0, interval=0.05):  # until probe() gives something true
    deadline = time.monotonic() + timeout
    while not (value := probe()):
        if time.monotonic() > deadline:
            fail(f"timed out waiting for {what}")
        time.sleep(interval)
    return value


class Pixels:
    """A rectangle of the screen (x, y, w, h) as the X server shows it."""

    def __init__(self, region):
        x, y, self.width, self.height = (int(v) for v in region)
        self.data = subprocess.run(["import", "-window", "root", "-crop",
                                    f"{self.width}x{self.height}+{x}+{y}", "-depth", "8", "rgb:-"],
                                   capture_output=True, check=True).stdout

    def pixel(self, x, y):  # (red, green, blue)
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])


grab = Pixels


def visible_windows(title=TITLE):
    """Ids of the mapped top-level windows whose title is exactly `title`."""
    out = run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$", check=False)
    return [int(w) for w in out.split()]


def geometry(window):
    """(x, y, width, height) of a window's inside on the screen (by xwininfo:
    xdotool misplaces a window that a window manager has framed)."""
    out = run("xwininfo", "-id", str(window), check=False)
    values = dict(line.strip().split(":", 1) for line in out.splitlines() if ":" in line)
    keys = ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")
    return tuple(int(values[k]) for k in keys) if set(keys) <= values.keys() else None


def outer_geometry(window):
    """(x, y, width, height) of a window with the frame a window manager put
    around it (none without a window manager)."""
    extents = run("xprop", "-id", str(window), "_NET_FRAME_EXTENTS", check=False).split("=")
    left, right, top, bottom = (int(v) for v in extents[-1].split(",")) if len(extents) == 2 \
        else (0, 0, 0, 0)
    x, y, width, height = geometry(window)
    return x - left, y - top, width + left + right, height + top + bottom


def screen_size():
    return tuple(int(v) for v in run("xdotool", "getdisplaygeometry").split())


def off_screen(window):
    """None when the whole window, frame included, is on the screen; else
    how it lies."""
    x, y, width, height = outer_geometry(window)
    screen_width, screen_height = screen_size()
    if x >= 0 and y >= 0 and x + width <= screen_width and y + height <= screen_height:
        return None
    return f"{width} x {height} at ({x}, {y}) on a {screen_width} x {screen_height} screen"


def click(x, y, button=1):
    """A press and release at a screen position (button 1 left, 3 right)."""
    run("xdotool", "mousemove", str(int(x)), str(int(y)), "sleep", "0.02", "mousedown",
        str(button), "sleep", "0.03", "mouseup", str(button))


def tap_key(name):
    """A key tapped: down and up at once, long before a second move of the
    selection (80 ms after the first, which the press itself makes) could start."""
    run("xdotool", "key", "--delay", "0", name)


def key(*keys):
    run("xdotool", "key", "--delay", "60", *keys)


def open_settings(window):  # その他 → 設定 by the menu bar, as a player does; the settings window
    x, y, _, _ = geometry(window)
    click(x + 20, (y + client_origin(window)[1]) // 2)
    time.sleep(0.3)
    key("Right")  # opens その他 with its first item, 設定, active
    time.sleep(0.3)
    key("Return")
    return wait_until("the settings window", lambda: (visible_windows("詳細設定.*") or [None])[0])


def start_game(game, *args, env=None):
    log_file = open(os.path.join(game, "..", "numera.log"), "ab")
    return subprocess.Popen([os.path.join(game, "numera"), *args], cwd=game, stdout=log_file,
                            stderr=log_file, env=env)


def stop_game(game):
    if game.poll() is None:
        game.kill()
        game.wait()


def main_window(timeout=15):
    """The game's main window: the one titled ぬめら that is not a box."""
    return wait_until("the main window", lambda: next(
        (w for w in visible_windows() if (geometry(w) or (0, 0, 0, 62))[3] != 62), None), timeout)


def client_origin(window, background=(0, 0x80, 0)):
    """The top-left corner of the window's inside below the menu bar: the
    first row, going down the left edge, in the background colour."""
    x, y, _, h = geometry(window)
    shot = grab((x, y, 4, h))
    row = next((yy for yy in range(h) if shot.pixel(2, yy) == background), None)
    if row is None:
        fail("no background colour found down the left edge of the main window")
    return x, y + row


class MainLayout:
    """Where the game puts the word labels and the board cells of a puzzle
    on the screen, at a zoom."""

    def __init__(self, origin, info, zoom=1.0):
        (self.ox, self.oy), self.z, self.n = origin, zoom, info["board_size"]
        self.count = count = info["word_count"]
        self.rows = int(count / ((count - 1) // 30 + 1) + 0.5)
        self.la_width = 16 * info["max_word_length"] + 7
        self.step = 8 * (len(str(abs(info["words"][0]["points"]))) + 1) + 5 - 1 + self.la_width - 1

    def at(self, x, y):
        return self.ox + round(x * self.z), self.oy + round(y * self.z)

    def label(self, i):
        k, r = (i - 1) // self.rows, (i - 1) % self.rows
        return (*self.at(272 + k * self.step, 8 + 16 * r), round(self.la_width * self.z),
                round(17 * self.z))

    def label_centre(self, i):
        x, y, w, h = self.label(i)
        return x + w // 2, y + h // 2

    def cell_centre(self, cx, cy):
        s = 250 / self.n
        return self.at(8 + s * cx + s / 2, 8 + s * cy + s / 2)

    def board(self):
        return (*self.at(8, 8), round(251 * self.z), round(251 * self.z))


def message_box_layout(message, captions):
    """Client width and the button rectangles (left, top, width, height) of
    the game's message box for this text and these captions."""
    count = len(captions)
    widths = [max(89, 14 * len(c) + 5) for c in captions] + [0] * (3 - count)
    client_width = max(12 * len(message) + 16, sum(widths) + 8 * count + 9)
    u = (widths[1] + 8) / 2 if count >= 2 else 0
    v = (widths[2] + 8) / 2 if count >= 3 else 0
    return client_width, [((client_width - widths[0]) / 2 - u - v +
                           sum(widths[j] + 8 for j in range(i)), 37, widths[i], 24)
                          for i in range(count)]


def wait_for_box(message, captions, others=(), timeout=10.0):
    """Waits for the game's box laid out for this message and these captions:
    a window titled ぬめら, 62 pixels high and exactly as wide as the layout
    makes it. Returns (window, geometry)."""
    width, _ = message_box_layout(message, captions)
    return wait_until(f"the box 「{message}」 {captions}, {width} x 62", lambda: next(
        ((w, g) for w in visible_windows() if w not in others
         and (g := geometry(w)) and g[2:] == (width, 62)), None), timeout)


def press_box_button(message, captions, caption, others=()):
    """Presses the button with this caption where the layout puts it, once
    the box has been painted."""
    window, (x, y, _, _) = wait_for_box(message, captions, others)
    left, top, width, height = message_box_layout(message, captions)[1][captions.index(caption)]
    wait_until("the box to be painted",
               lambda: len(set(grab((x + left, y + top, width, height)).data)) > 8, timeout=3)
    click(x + left + width / 2, y + top + height / 2)
    return window


def puzzle_info(numera_puzzle, path):
    return json.loads(run(numera_puzzle, "info", path))


def solution(info):
    """The bundled solution of a puzzle as {word index: (x, y, dir)}."""
    texts = [w["text"] for w in info["words"][:info["word_count"]]]
    for name in sorted(os.listdir(SOLUTIONS)):
        with open(os.path.join(SOLUTIONS, name), encoding="utf-8") as f:
            words = json.load(f)["words"]
        if [w["text"] for w in words] == texts:
            return {i: (w["x"], w["y"], w["dir"]) for i, w in enumerate(words, 1) if w["used"]}
    fail("no bundled solution matches the puzzle")
