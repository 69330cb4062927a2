"""Plays a bundled puzzle through the real window: opens it with the file
dialog, selects words by clicking and with the arrow keys, places two
crossing words with the left and the right button, places a third word and
takes it back, saves with 上書き保存..., and checks the saved file."""

import os
import subprocess
import sys

from rules import complete, fits, rebuild
from xdrive import (click, fail, geometry, key, log, main_guard, press_box_button, puzzle_info,
                    grab, region_pixels, tap_key, type_text, visible_windows, wait_for_change, wait_until)

GAME, PUZZLE, NUMERA_PUZZLE = sys.argv[1:4]
GREEN = (0x00, 0x80, 0x00)  # background setting 0 (008000, blue-green-red)
BOARD_LEFT, BOARD_TOP, BOARD_PIXELS = 8, 8, 251


def plan(words, n):
    """Word a (reached with Down from word 1) across, word b (reached with Up
    from word 1) down through it, the board complete; then word 1 anywhere.
    Returns (a, (x, y), b, (x, y), (x, y, d) for word 1)."""
    count = len(words) - 1
    downs = [i for i in range(2, min(count, 6) + 1)]
    ups = [i for i in range(count, max(count - 4, 1), -1)]
    for a in downs:
        for b in ups:
            if b <= a:  # Up from word 1 must reach b through unplaced words only
                continue
            for y in range(n):
                for x in range(n):
                    if not fits({}, n, words[a]["text"], x, y, 0):
                        continue
                    board = rebuild(words, {a: (x, y, 0)})
                    for k, letter in enumerate(words[b]["text"]):
                        for j, other in enumerate(words[a]["text"]):
                            if letter != other:
                                continue
                            bx, by = x + j, y - k
                            if by < 0 or not fits(board, n, words[b]["text"], bx, by, 1):
                                continue
                            both = rebuild(words, {a: (x, y, 0), b: (bx, by, 1)})
                            if not complete(both, n):
                                continue
                            for d in (0, 1):
                                for cy in range(n):
                                    for cx in range(n):
                                        if fits(both, n, words[1]["text"], cx, cy, d):
                                            return a, (x, y), b, (bx, by), (cx, cy, d)
    fail("the bundled puzzle offers no crossing of two words for this test")


# --- where things are on the screen -------------------------------------------

def client_origin(window):
    """The top-left corner of the window's inside below the menu bar: the
    first row, going down the left edge, in the background colour."""
    x, y, w, h = geometry(window)
    shot = grab((x, y, 4, h))
    for yy in range(h):
        if shot.pixel(2, yy) == GREEN:
            return x, y + yy
    fail("no green background found in the main window")


class Layout:
    def __init__(self, origin, info):
        self.ox, self.oy = origin
        self.n = info["board_size"]
        self.count = count = info["word_count"]
        columns = (count - 1) // 30 + 1
        self.rows = int(count / columns + 0.5)
        self.la_width = 16 * info["max_word_length"] + 7
        points1 = info["words"][0]["points"]
        digits = len(str(abs(points1))) + 1
        self.la2_width = 8 * digits + 5
        self.step = self.la2_width - 1 + self.la_width - 1

    def label(self, i):
        k, r = (i - 1) // self.rows, (i - 1) % self.rows
        return self.ox + 272 + k * self.step, self.oy + 8 + 16 * r, self.la_width, 17

    def label_centre(self, i):
        x, y, w, h = self.label(i)
        return x + w // 2, y + h // 2

    def cell_centre(self, cx, cy):
        s = (BOARD_PIXELS - 1) / self.n
        return (self.ox + BOARD_LEFT + int(s * cx + s / 2),
                self.oy + BOARD_TOP + int(s * cy + s / 2))

    def board(self):
        return self.ox + BOARD_LEFT, self.oy + BOARD_TOP, BOARD_PIXELS, BOARD_PIXELS


def changes(what, region, action):
    before = region_pixels(region)
    action()
    wait_for_change(what, region, before)


LIGHT_BLUE = (0x80, 0x80, 0xFF)  # the selected word's labels (FF8080, blue-green-red)


def shows_colour(region, rgb):
    pixels = grab(region)
    return any(pixels.pixel(x, y) == rgb for y in range(pixels.height) for x in range(pixels.width))


def select_with_key(layout, key_name, index):
    """An arrow key moves the selection to word `index`, and to it alone."""
    changes(f"{key_name} to select word {index}", layout.label(index),
            lambda: tap_key(key_name))
    selected = [i for i in range(1, layout.count + 1) if shows_colour(layout.label(i), LIGHT_BLUE)]
    if selected != [index]:
        fail(f"after {key_name} the selected words are {selected}, expected [{index}]")


def select_with_click(layout, index):
    changes(f"word {index} to be selected", layout.label(index),
            lambda: click(*layout.label_centre(index)))
    if not shows_colour(layout.label(index), LIGHT_BLUE):
        fail(f"word {index} does not show as selected after a click on it")


def menu_command(window, origin, downs, what):
    """Opens the first menu (ファイル) with a click and picks its item with
    the keyboard."""
    x, y, _, _ = geometry(window)
    below_bar = (x, origin[1], 160, 90)
    changes("the ファイル menu to open", below_bar, lambda: click(x + 20, (y + origin[1]) // 2))
    key(*(["Down"] * downs), "Return")
    log(f"  menu ファイル → {what}")


def body():
    info = puzzle_info(NUMERA_PUZZLE, PUZZLE)
    words = [None] + info["words"][:info["word_count"]]
    n = info["board_size"]
    if info["placed_count"] != 0 or any(w["used"] for w in words[1:]):
        fail("the bundled puzzle is not fresh")
    a, (ax, ay), b, (bx, by), (cx, cy, cd) = plan(words, n)
    log(f"plan: word {a} 「{words[a]['text']}」 across at ({ax}, {ay}); "
        f"word {b} 「{words[b]['text']}」 down at ({bx}, {by}); "
        f"word 1 「{words[1]['text']}」 at ({cx}, {cy}) {'down' if cd else 'across'}, then back")

    log_file = open(os.path.join(GAME, "..", "numera.log"), "ab")
    game = subprocess.Popen([os.path.join(GAME, "numera")], cwd=GAME, stdout=log_file,
                            stderr=log_file)
    try:
        window = wait_until("the main window", lambda: (visible_windows() or [None])[0], timeout=10)
        strip = geometry(window)
        origin = client_origin(window)
        log(f"  main window shown ({strip[2]} x {strip[3]}, inside from y {origin[1]})")

        menu_command(window, origin, 1, "開く...")
        dialog = wait_until("the open dialog",
                            lambda: (visible_windows("ファイルを開く.*") or [None])[0], timeout=10)
        type_text(PUZZLE)
        key("Return")
        wait_until("the open dialog to close", lambda: dialog not in visible_windows("ファイルを開く.*"))
        wait_until("the window to widen for the word list",
                   lambda: geometry(window)[2] > strip[2], timeout=10)
        layout = Layout(client_origin(window), info)
        log(f"  puzzle opened; inside of the window at ({layout.ox}, {layout.oy})")

        # Word a: click word 1, then Down until a is selected.
        select_with_click(layout, 1)
        for i in range(2, a + 1):
            select_with_key(layout, "Down", i)
        changes(f"word {a} to be placed across", layout.board(),
                lambda: click(*layout.cell_centre(ax, ay), button=1))
        log(f"  word {a} placed across with the left button")

        # Word b: click word 1, then Up (wrapping to the end of the list).
        select_with_click(layout, 1)
        for i in range(len(words) - 1, b - 1, -1):
            select_with_key(layout, "Up", i)
        changes(f"word {b} to be placed down", layout.board(),
                lambda: click(*layout.cell_centre(bx, by), button=3))
        log(f"  word {b} placed down with the right button")

        # Word 1: placed, then taken back with a left click on its label.
        select_with_click(layout, 1)
        changes("word 1 to be placed", layout.board(),
                lambda: click(*layout.cell_centre(cx, cy), button=3 if cd else 1))
        changes("word 1 to be taken back", layout.board(), lambda: click(*layout.label_centre(1)))
        log("  word 1 placed and taken back")

        menu_command(window, (layout.ox, layout.oy), 2, "上書き保存...")
        press_box_button("保存されました。", ["Ok"], "Ok")
        wait_until("the box to close", lambda: visible_windows() == [window], timeout=5)
        log("  saved; 「保存されました。」 answered")
    finally:
        game.kill()
        game.wait()

    saved = puzzle_info(NUMERA_PUZZLE, PUZZLE)
    got = [None] + saved["words"][:saved["word_count"]]
    expected = {a: (ax, ay, 0), b: (bx, by, 1)}
    problems = []
    for i in range(1, len(got)):
        if i in expected:
            x, y, d = expected[i]
            if (got[i]["used"], got[i]["x"], got[i]["y"], got[i]["dir"]) != (1, x, y, d):
                problems.append(f"word {i}: {got[i]} is not placed at ({x}, {y}) dir {d}")
        elif got[i]["used"] != 0:
            problems.append(f"word {i} is marked placed: {got[i]}")
        if got[i]["text"] != words[i]["text"] or got[i]["points"] != words[i]["points"]:
            problems.append(f"word {i} changed: {words[i]} → {got[i]}")
    score = words[a]["points"] + words[b]["points"]
    if saved["placed_count"] != 2:
        problems.append(f"placed_count {saved['placed_count']}, expected 2")
    if saved["score"] != score:
        problems.append(f"score {saved['score']}, expected {score}")
    if problems:
        fail("; ".join(problems))
    log(f"  saved file: words {a} and {b} placed, placed_count 2, score {score}")


main_guard(body)
print("play puzzle e2e: passed")
