"""Plays a bundled puzzle through the real window: opens it with the file
dialog, selects words by clicking and with the arrow keys, places two
crossing words of its solution with the left and the right button, places a
third word and takes it back, saves with 上書き保存..., and checks the saved
file."""

import signal
import sys

from xdrive import (MainLayout, click, client_origin, fail, geometry, grab, key, log, main_guard,
                    main_window, press_box_button, puzzle_info, solution, start_game, stop_game,
                    tap_key, run, visible_windows, wait_until)

GAME, PUZZLE, NUMERA_PUZZLE = sys.argv[1:4]
LIGHT_BLUE = (0x80, 0x80, 0xFF)  # the selected word's labels (FF8080, blue-green-red)


def plan(info):
    """Two words of the solution that cross on a letter, one across and one
    down, reached from word 1 with the fewest Down (the first) and Up (the
    second) presses; and word 1's own place. Two crossing words of a
    solution make a complete board."""
    placed = solution(info)
    count = info["word_count"]

    def cells(i):
        x, y, d = placed[i]
        return {(x + k * (1 - d), y + k * d) for k in range(len(info["words"][i - 1]["text"]))}

    _, a, b = min((a - 1 + count + 1 - b, a, b) for a in placed for b in placed if 1 not in (a, b)
                  and a != b and placed[a][2] != placed[b][2] and cells(a) & cells(b))
    return placed, a, b


def changes(what, region, action):
    """Does something that must change what the screen shows in a region."""
    before = grab(region).data
    action()
    wait_until(what, lambda: grab(region).data != before, timeout=5, interval=0.01)


def selected_words(layout):
    """The words whose labels show light blue, from one look at the list."""
    labels = [layout.label(i) for i in range(1, layout.count + 1)]
    left, top = min(l[0] for l in labels), min(l[1] for l in labels)
    shot = grab((left, top, max(l[0] + l[2] for l in labels) - left,
                 max(l[1] + l[3] for l in labels) - top))
    return [i for i, (x, y, w, h) in enumerate(labels, 1)
            if any(shot.pixel(x - left + dx, y - top + dy) == LIGHT_BLUE
                   for dy in range(h) for dx in range(w))]


def select(layout, index, key_name=None):
    """Selects a word with a click on it, or with an arrow key; it must be
    the one selected word afterwards."""
    changes(f"word {index} to be selected", layout.label(index), lambda: tap_key(key_name)
            if key_name else click(*layout.label_centre(index)))
    if (selected := selected_words(layout)) != [index]:
        fail(f"after {key_name or 'a click'} the selected words are {selected}, not [{index}]")


def place(layout, index, at):
    x, y, d = at
    changes(f"word {index} to be placed", layout.board(),
            lambda: click(*layout.cell_centre(x, y), button=3 if d else 1))


def menu_command(window, origin, downs, what):
    """Opens ファイル with a click and picks an item with the keyboard."""
    x, y, _, _ = geometry(window)
    changes("the ファイル menu to open", (x, origin[1], 160, 90),
            lambda: click(x + 20, (y + origin[1]) // 2))
    key(*(["Down"] * downs), "Return")
    log(f"  menu ファイル → {what}")


def body():
    info = puzzle_info(NUMERA_PUZZLE, PUZZLE)
    placed, a, b = plan(info)
    words = info["words"]
    log(f"plan: words {a} and {b} at {placed[a]} and {placed[b]}, word 1 at {placed[1]} and back")

    game = start_game(GAME)
    try:
        window = main_window()
        # Past a file size limit a save must fail with a message, not end the game.
        with open(f"/proc/{game.pid}/status") as status:
            ignored = int(next(l for l in status if l.startswith("SigIgn:")).split()[1], 16)
        if not ignored >> (signal.SIGXFSZ - 1) & 1:
            fail("the game does not ignore SIGXFSZ")
        strip = geometry(window)
        menu_command(window, client_origin(window), 1, "開く...")
        dialog = wait_until("the open dialog",
                            lambda: (visible_windows("ファイルを開く.*") or [None])[0])
        run("xdotool", "type", "--delay", "15", PUZZLE)
        key("Return")
        wait_until("the open dialog to close", lambda: dialog not in visible_windows("ファイルを開く.*"))
        wait_until("the window to widen for the word list", lambda: geometry(window)[2] > strip[2])
        layout = MainLayout(client_origin(window), info)

        select(layout, 1)
        for i in range(2, a + 1):
            select(layout, i, "Down")
        place(layout, a, placed[a])
        select(layout, 1)
        for i in range(info["word_count"], b - 1, -1):  # round from word 1 to the end
            if i != a:  # a placed word is passed over
                select(layout, i, "Up")
        place(layout, b, placed[b])
        log(f"  words {a} and {b} placed with the left and the right button")
        select(layout, 1)
        place(layout, 1, placed[1])
        changes("word 1 to be taken back", layout.board(), lambda: click(*layout.label_centre(1)))
        log("  word 1 placed and taken back")

        menu_command(window, (layout.ox, layout.oy), 2, "上書き保存...")
        press_box_button("保存されました。", ["Ok"], "Ok")
        wait_until("the box to close", lambda: visible_windows() == [window], timeout=5)
    finally:
        stop_game(game)

    saved = puzzle_info(NUMERA_PUZZLE, PUZZLE)
    wrong = [(i, got) for i, (got, was) in enumerate(zip(saved["words"], words), 1)
             if (got["text"], got["points"], got["used"]) != (was["text"], was["points"], i in (a, b))
             or (i in (a, b) and (got["x"], got["y"], got["dir"]) != placed[i])]
    if wrong:
        fail(f"saved words not as played: {wrong}")
    score = words[a - 1]["points"] + words[b - 1]["points"]
    if (saved["placed_count"], saved["score"]) != (2, score):
        fail(f"saved count and score {saved['placed_count']}, {saved['score']}; not 2, {score}")
    log(f"  saved file: words {a} and {b} placed, placed_count 2, score {score}")


main_guard(body)
print("play puzzle e2e: passed")
