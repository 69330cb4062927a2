import os
import subprocess
import sys

from xdrive import (fail, log, main_guard, press_box_button, visible_windows,
                    wait_until, geometry)

GAME = sys.argv[1]

# (message, captions, caption pressed) in the order the boxes must come.
TO_THE_END = [
    ("ミルテん゛を開きますか？", ["はい", "いいえ"], "はい"),
    ("間違えました。ぬめらを開きますか？", ["はい", "いいえ"], "いいえ"),
    ("では閉じてもいいですか？", ["はい", "いいえ"], "はい"),
    ("本当に閉じますか？", ["はい"], "はい"),
    ("本当に？", ["はい", "いいえ"], "はい"),
    ("後悔しませんか？", ["しない", "するかも"], "しない"),
    ("では閉じます。", ["Ok", "否"], "Ok"),
    ("また機会があればお会いしましょう。", ["わかった"], "わかった"),
    ("絶対ですよ？", ["了解"], "了解"),
    ("絶対に絶対ですよ？", ["了解", "断る"], "了解"),
]

WHAT = "どうしますか？"
WHAT_BUTTONS = ["開く", "閉じる", "ホント勘弁してください"]
TO_THE_GAME = [
    ("ミルテん゛を開きますか？", ["はい", "いいえ"], "いいえ"),
    ("間違えました。ぬめらを開きますか？", ["はい", "いいえ"], "いいえ"),
    ("では閉じてもいいですか？", ["はい", "いいえ"], "いいえ"),
    (WHAT, WHAT_BUTTONS, "ホント勘弁してください"),
    ("くへっ。", ["くへっ。"], "くへっ。"),
    (WHAT, WHAT_BUTTONS, "開く"),
    ("使用上のご注意を説明します。", ["はい", "いいえ"], "はい"),
    ("他人に迷惑をかけない程度にはっちゃけつつも節度を守り良心に則り楽しみましょう。",
     ["はい", "いいえ"], "はい"),
    ("部屋は明るいですか？", ["明るい", "暗い"], "暗い"),
    ("明るくしましたか？", ["した", "まだ"], "まだ"),
    ("明るくしましたか？", ["した", "まだ"], "した"),
    ("ではぬめらを開きます。", ["いいよ", "いやだ"], "いいよ"),
    ("注意事項は守れそうですか？", ["まかせて", "ゴメン無理だと思う"], "まかせて"),
    ("なおぬめらを使用した上で何か不都合があってもこっちは知らんよ。",
     ["ばっちこーい", "保障してくれなきゃ困る。"], "ばっちこーい"),
    ("そろそろぬめらを開きましょう。", ["はいよ", "もういいよ"], "はいよ"),
    ("健闘をお祈りいたします。", ["Ok"], "Ok"),
    ("本当に注意事項は守れそうですか？", ["はい", "いいえ"], "はい"),
]


def start_game():
    log_file = open(os.path.join(GAME, "..", "numera.log"), "ab")
    return subprocess.Popen([os.path.join(GAME, "numera")], cwd=GAME,
                            stdout=log_file, stderr=log_file)


def walk(steps, game):
    """Presses through the steps. Each box must be the expected one (its
    window exactly as wide as the layout makes it for that message and
    those captions), and must close once its button is pressed."""
    for number, (message, captions, caption) in enumerate(steps, 1):
        if game.poll() is not None:
            fail(f"the game ended (code {game.returncode}) before box {number} 「{message}」")
        window = press_box_button(message, captions, caption)
        wait_until(f"box {number} 「{message}」 to close after 「{caption}」",
                   lambda: window not in visible_windows(), timeout=5)
        log(f"  box {number}: 「{message}」 → 「{caption}」")


def body():
    log("start-up chain to the end that quits:")
    game = start_game()
    try:
        walk(TO_THE_END, game)
        wait_until("the game to end after 「了解」", lambda: game.poll() is not None, timeout=10)
        if visible_windows():
            fail("a window is still shown after the program ended")
        log(f"  the program ended with code {game.returncode}; the main window never showed")
    finally:
        if game.poll() is None:
            game.kill()
            game.wait()

    log("start-up chain through a detour to the main window:")
    game = start_game()
    try:
        walk(TO_THE_GAME, game)

        def main_window():
            for window in visible_windows():
                g = geometry(window)
                if g and g[3] != 62:
                    return window, g
            return None

        window, g = wait_until("the main window", main_window, timeout=10)
        boxes = [w for w in visible_windows() if w != window]
        if boxes:
            fail(f"a box is still open beside the main window: {boxes}")
        if game.poll() is not None:
            fail(f"the game ended (code {game.returncode}) instead of showing its window")
        log(f"  the main window is shown ({g[2]} x {g[3]})")
    finally:
        if game.poll() is None:
            game.kill()
            game.wait()


main_guard(body)
print("startup chain e2e: passed")
