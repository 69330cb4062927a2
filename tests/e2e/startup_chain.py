"""Start-up under the persistent message setting, walked through the real
boxes: each button is clicked where the box's layout puts it, once to the
end that quits and once through a detour to the main window."""

import sys

from xdrive import (fail, log, main_guard, main_window, press_box_button, start_game, stop_game,
                    visible_windows, wait_until)

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
    game = start_game(GAME)
    try:
        walk(TO_THE_END, game)
        wait_until("the game to end after 「了解」", lambda: game.poll() is not None)
        if visible_windows():
            fail("a window is still shown after the program ended")
        log(f"  the program ended with code {game.returncode}; the main window never showed")
    finally:
        stop_game(game)

    log("start-up chain through a detour to the main window:")
    game = start_game(GAME)
    try:
        walk(TO_THE_GAME, game)
        window = main_window(timeout=10)
        if visible_windows() != [window] or game.poll() is not None:
            fail(f"expected the main window alone: windows {visible_windows()}, "
                 f"game ended: {game.poll()}")
        log("  the main window is shown")
    finally:
        stop_game(game)


main_guard(body)
print("startup chain e2e: passed")
