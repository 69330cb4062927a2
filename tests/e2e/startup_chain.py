"""Start-up under the persistent message setting, its real boxes (of one, two and three
buttons) clicked where their layout puts each button, to the end that quits at once."""

import sys

from xdrive import (fail, log, main_guard, press_box_button, start_game, stop_game,
                    visible_windows, wait_until)

YES_NO = ["はい", "いいえ"]
# (message, captions, caption pressed) in the order the boxes must come.
STEPS = [
    ("ミルテん゛を開きますか？", YES_NO, "いいえ"),
    ("間違えました。ぬめらを開きますか？", YES_NO, "いいえ"),
    ("では閉じてもいいですか？", YES_NO, "いいえ"),
    ("どうしますか？", ["開く", "閉じる", "ホント勘弁してください"], "閉じる"),
    ("本当に閉じますか？", ["はい"], "はい"),
    ("本当に？", YES_NO, "はい"),
    ("後悔しませんか？", ["しない", "するかも"], "しない"),
    ("では閉じます。", ["Ok", "否"], "Ok"),
    ("また機会があればお会いしましょう。", ["わかった"], "わかった"),
    ("絶対ですよ？", ["了解"], "了解"),
    ("絶対に絶対ですよ？", ["了解", "断る"], "了解"),
]


def body():
    game = start_game(sys.argv[1])
    try:
        for number, (message, captions, caption) in enumerate(STEPS, 1):
            if game.poll() is not None:
                fail(f"the game ended (code {game.returncode}) before box {number} 「{message}」")
            window = press_box_button(message, captions, caption)
            wait_until(f"box {number} to close after 「{caption}」",
                       lambda: window not in visible_windows(), timeout=5)
            log(f"  box {number}: 「{message}」 → 「{caption}」")
        wait_until("the game to end after 「了解」", lambda: game.poll() is not None)
        if visible_windows():
            fail("a window is still shown after the program ended")
        log(f"  the program ended with code {game.returncode}; the main window never showed")
    finally:
        stop_game(game)


main_guard(body)
print("startup chain e2e: passed")
