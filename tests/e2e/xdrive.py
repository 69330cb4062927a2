"""Driving the real game from outside, as a player would: windows found by
title (xdotool), input and screen pixels through the X server itself (Xlib
and XTest over ctypes), and the layout rules of the game's windows, so that
the end-to-end tests, the benchmarks and the screenshot tool know where to
click without any help from inside the game."""

import ctypes
import ctypes.util
import json
import os
import subprocess
import sys
import time

TITLE = "ぬめら"
HERE = os.path.dirname(os.path.abspath(__file__))
SOLUTIONS = os.path.join(HERE, "..", "..", "puzzles", "solutions")


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


def main_guard(body):
    """Runs a test body; any failure prints one clear line and exits 1."""
    try:
        body()
    except E2EFailure as error:
        print(f"FAILED: {error}", flush=True)
        sys.exit(1)


# --- the X server ------------------------------------------------------------

x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XDestroyImage.argtypes = [ctypes.c_void_p]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_ulong]


class _Image(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


class Pixels:
    """A rectangle of the screen, 4 bytes a pixel (blue, green, red, unused)."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        """(red, green, blue) of one pixel."""
        i = 4 * (y * self.width + x)
        return self.data[i + 2], self.data[i + 1], self.data[i]


class X:
    """One connection to the X server: screen pixels and XTest input."""

    def __init__(self):
        self.dpy = x11.XOpenDisplay(os.environ["DISPLAY"].encode())
        if not self.dpy:
            raise RuntimeError("cannot open the X display")
        self.root = x11.XDefaultRootWindow(self.dpy)

    def grab(self, x, y, width, height):
        """The screen rectangle as Pixels (a 24-bit screen is assumed)."""
        image = x11.XGetImage(self.dpy, self.root, int(x), int(y), int(width), int(height),
                              0xFFFFFFFF, 2)  # all planes, ZPixmap
        if not image:
            raise RuntimeError(f"cannot read the screen at {x},{y} {width}x{height}")
        try:
            im = _Image.from_address(image)
            raw = ctypes.string_at(im.data, im.bytes_per_line * im.height)
        finally:
            x11.XDestroyImage(image)
        rows = (raw[r * im.bytes_per_line:r * im.bytes_per_line + 4 * width] for r in range(height))
        return Pixels(width, height, b"".join(rows))

    def move(self, x, y):
        xtst.XTestFakeMotionEvent(self.dpy, -1, int(x), int(y), 0)
        x11.XSync(self.dpy, 0)

    def key(self, name, down):
        """Presses or releases a key (by keysym name, e.g. "Down") now."""
        code = x11.XKeysymToKeycode(self.dpy, x11.XStringToKeysym(name.encode()))
        if not code:
            raise RuntimeError(f"no key {name} on this keyboard")
        xtst.XTestFakeKeyEvent(self.dpy, code, 1 if down else 0, 0)
        x11.XSync(self.dpy, 0)

    def button(self, button, down):
        """Sends a press or release now; returns the time it was sent."""
        xtst.XTestFakeButtonEvent(self.dpy, button, 1 if down else 0, 0)
        sent = time.monotonic()
        x11.XFlush(self.dpy)
        return sent


_x = None


def x_server():
    global _x
    if _x is None:
        _x = X()
    return _x


def grab(region):
    return x_server().grab(*region)


# --- windows and input -------------------------------------------------------

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


def click(x, y, button=1):
    """A press and release at a screen position (button 1 left, 3 right)."""
    x_server().move(x, y)
    time.sleep(0.02)
    x_server().button(button, True)
    time.sleep(0.03)
    x_server().button(button, False)


def tap_key(key, hold=0.03):
    """Holds a key down for a moment, as a person taps it: the game acts on
    the press at once, and a 30 ms hold is over before a second move (80 ms
    later) could start."""
    x_server().key(key, True)
    time.sleep(hold)
    x_server().key(key, False)


def key(*keys):
    run("xdotool", "key", "--delay", "60", *keys)


def type_text(text):
    run("xdotool", "type", "--delay", "15", text)


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
    def probe():
        for window in visible_windows():
            g = geometry(window)
            if g and g[3] != 62:
                return window
        return None
    return wait_until("the main window", probe, timeout=timeout)


def client_origin(window, background=(0, 0x80, 0)):
    """The top-left corner of the window's inside below the menu bar: the
    first row, going down the left edge, in the background colour."""
    x, y, _, h = geometry(window)
    shot = grab((x, y, 4, h))
    for yy in range(h):
        if shot.pixel(2, yy) == background:
            return x, y + yy
    fail("no background colour found down the left edge of the main window")


class MainLayout:
    """Where the game's layout puts the word labels and the board cells of a
    puzzle, on the screen, at a zoom."""

    def __init__(self, origin, info, zoom=1.0):
        self.ox, self.oy = origin
        self.z = zoom
        self.n = info["board_size"]
        self.count = count = info["word_count"]
        self.rows = int(count / ((count - 1) // 30 + 1) + 0.5)
        self.la_width = 16 * info["max_word_length"] + 7
        la2_width = 8 * (len(str(abs(info["words"][0]["points"]))) + 1) + 5
        self.step = la2_width - 1 + self.la_width - 1

    def at(self, x, y):
        return self.ox + round(x * self.z), self.oy + round(y * self.z)

    def label(self, i):
        k, r = (i - 1) // self.rows, (i - 1) % self.rows
        x, y = self.at(272 + k * self.step, 8 + 16 * r)
        return x, y, round(self.la_width * self.z), round(17 * self.z)

    def label_centre(self, i):
        x, y, w, h = self.label(i)
        return x + w // 2, y + h // 2

    def cell_centre(self, cx, cy):
        s = 250 / self.n
        return self.at(8 + s * cx + s / 2, 8 + s * cy + s / 2)

    def board(self):
        x, y = self.at(8, 8)
        return x, y, round(251 * self.z), round(251 * self.z)


# --- the game's message box --------------------------------------------------

def message_box_layout(message, captions):
    """Client width and the button rectangles (left, top, width, height) of
    the game's message box for this text and these captions."""
    count = len(captions)
    widths = [max(89, 14 * len(c) + 5) for c in captions] + [0] * (3 - count)
    client_width = max(12 * len(message) + 16, sum(widths) + 8 * count + 9)
    buttons = []
    for i in range(count):
        u = (widths[1] + 8) / 2 if count >= 2 else 0
        v = (widths[2] + 8) / 2 if count >= 3 else 0
        left = (client_width - widths[0]) / 2 - u - v + sum(widths[j] + 8 for j in range(i))
        buttons.append((left, 37, widths[i], 24))
    return client_width, buttons


def wait_for_box(message, captions, others=(), timeout=10.0):
    """Waits for the game's box laid out for this message and these captions:
    a visible window titled ぬめら, 62 pixels high and exactly as wide as the
    layout makes it. Returns (window, geometry)."""
    width, _ = message_box_layout(message, captions)

    def probe():
        for window in visible_windows():
            g = geometry(window)
            if window not in others and g and g[2] == width and g[3] == 62:
                return window, g
        return None

    try:
        return wait_until(f"the box 「{message}」", probe, timeout=timeout)
    except E2EFailure:
        seen = [(w, geometry(w)) for w in visible_windows()]
        fail(f"the box 「{message}」 {captions} ({width} x 62) did not appear; "
             f"windows titled {TITLE}: {seen}")


def press_box_button(message, captions, caption, others=()):
    """Presses the button with this caption where the layout puts it, once
    the box has been painted."""
    window, (x, y, _, _) = wait_for_box(message, captions, others)
    _, buttons = message_box_layout(message, captions)
    left, top, width, height = buttons[captions.index(caption)]
    wait_until("the box to be painted",
               lambda: len(set(grab((x + left, y + top, width, height)).data)) > 8, timeout=3)
    click(x + left + width / 2, y + top + height / 2)
    return window


# --- puzzles -----------------------------------------------------------------

def puzzle_info(numera_puzzle, path):
    return json.loads(run(numera_puzzle, "info", path))


def solution(info):
    """The bundled solution of a puzzle as {word index: (x, y, dir)}, in the
    order the solution places its words."""
    for name in sorted(os.listdir(SOLUTIONS)):
        with open(os.path.join(SOLUTIONS, name), encoding="utf-8") as f:
            solved = json.load(f)
        texts = [w["text"] for w in info["words"][:info["word_count"]]]
        if solved["board_size"] == info["board_size"] and \
                sorted(p["text"] for p in solved["placements"]) == sorted(texts):
            return {texts.index(p["text"]) + 1: (p["x"], p["y"], p["dir"])
                    for p in solved["placements"]}
    fail("no bundled solution matches the puzzle")


def pack_in_play(numera_puzzle, info, placed, path):
    """Writes a copy of a puzzle with these words ({index: (x, y, dir)}) placed."""
    info = json.loads(json.dumps(info))
    for i, (x, y, d) in placed.items():
        info["words"][i - 1].update(used=1, x=x, y=y, dir=d)
    info["placed_count"] = len(placed)
    info["score"] = sum(info["words"][i - 1]["points"] for i in placed)
    with open(path + ".json", "w", encoding="utf-8") as f:
        json.dump(info, f, ensure_ascii=False)
    run(numera_puzzle, "pack", path + ".json", path)
    return info
