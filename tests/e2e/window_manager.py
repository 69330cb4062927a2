"""The game's windows under a real window manager (openbox) on a 1366 x 768
screen: the outer sizes the game sets (frame and title bar included), a zoom
that stays on the screen whether the player zooms in or a stored zoom is too
large for it (the stored value is kept), and boxes and the settings window
that behave as dialogs of the game's window."""

import os
import re
import sys
import time

from xdrive import (E2EFailure, client_origin, click, fail, geometry, key, log, main_guard,
                    main_window, off_screen, open_settings, outer_geometry, run, start_game,
                    stop_game,
                    visible_windows, wait_until)

GAME = sys.argv[1]
DATA_DAT = os.path.join(GAME, "Data", "Data.dat")
CONF = os.path.join(os.environ["XDG_CONFIG_HOME"], "numera", "numera.conf")


def stored_zoom(zoom=None):
    """The zoom in the player's settings; given one, stores it first."""
    if zoom:
        with open(CONF, "w") as f:
            f.write(f"[General]\nzoom={zoom}\n")
    with open(CONF) as f:
        return next(float(line.split("=")[1]) for line in f if line.startswith("zoom="))


def expect_outer(window, size, what):
    try:
        wait_until(what, lambda: outer_geometry(window)[2:] == size, timeout=5)
    except E2EFailure:
        fail(f"{what}: the outer size is {outer_geometry(window)[2:]}, expected {size}")
    if off_screen(window):
        fail(f"{what}: the window lies off the screen: {off_screen(window)}")
    log(f"  {what}: {size[0]} x {size[1]} with the frame, on the screen")


def sizes_and_zoom():
    for args, zoom, presses, size, what in [
            ((), None, 0, (276, 46), "the start-up strip (4150 x 700 twips)"),
            (("doubutsu.mlt",), None, 0, (393, 538), "doubutsu opened (5900 x 8080)"),
            (("doubutsu.mlt",), None, 5, (491, 673), "Ctrl + plus five times: stops at 1.25"),
            (("doubutsu.mlt",), None, 0, (491, 673), "started again: the zoom kept"),
            (("doubutsu.mlt",), 3, 0, (491, 673), "a stored zoom of 3: lowered to 1.25")]:
        stored_zoom(zoom)
        game = start_game(GAME, *args)
        try:
            window = main_window()
            if presses:
                expect_outer(window, (393, 538), "before the zoom")
            for press in range(presses):
                key("ctrl+plus")
                time.sleep(0.3)
                if off_screen(window):
                    fail(f"after Ctrl + plus {press + 1}: {off_screen(window)}")
            expect_outer(window, size, what)
        finally:
            stop_game(game)
        if zoom and stored_zoom() != zoom:
            fail(f"the stored zoom became {stored_zoom()}; only the player changes it")


def dialog_properties(dialog, owner, what):
    """A dialog of the owner, and not a window the player could lose: the
    window manager must not offer to maximize it, the dialog asks for no
    minimize or maximize button (Motif hints: functions, decorations) and
    stays out of the task bar."""
    names = ["WM_TRANSIENT_FOR", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE",
             "_NET_WM_ALLOWED_ACTIONS", "_MOTIF_WM_HINTS"]
    props = run("xprop", "-id", str(dialog), *names)
    value = {name: next((m[1] for line in props.splitlines()
                         if (m := re.match(rf"{name}\(\w+\)\s*[:=]\s*(.*)", line))), "")
             for name in names}
    motif = [int(v, 16) for v in value["_MOTIF_WM_HINTS"].split(",") if v.strip()]
    functions, decorations = motif[1:3] if len(motif) >= 3 else (0x3E, 0x7E)  # none: all
    faults = [fault for fault, bad in [
        ("not transient for the game's window", value["WM_TRANSIENT_FOR"] != f"window id # {hex(owner)}"),
        ("not typed as a dialog", not value["_NET_WM_WINDOW_TYPE"].startswith("_NET_WM_WINDOW_TYPE_DIALOG")),
        ("in the task bar", "_NET_WM_STATE_SKIP_TASKBAR" not in value["_NET_WM_STATE"]),
        ("maximizable", "MAXIMIZE" in value["_NET_WM_ALLOWED_ACTIONS"]),
        ("asks for minimize or maximize", (functions & 0x18) or (decorations & 0x60))] if bad]
    if faults:
        fail(f"{what}: {', '.join(faults)}:\n{props}")
    log(f"  {what}: a dialog of the game's window, out of the task bar, no minimize or maximize")


def shown(window):
    return "IsViewable" in run("xwininfo", "-id", str(window), check=False)


def open_clear_box(window):
    expect_outer(window, (393, 538), "doubutsu opened")
    ox, oy = client_origin(window)
    click(ox + 52, oy + 292)  # Cleaｒ: a box asks first
    return wait_until("the box", lambda: next((w for w in visible_windows() if w != window), None))


def dialogs():
    # The settings window over the strip at zoom 3 would be 1116 x 828 and
    # takes 2.5, the largest zoom at which it fits.
    for zoom, args, open_dialog, size, closes, what in [
            (3, (), open_settings, (930, 690), True, "the settings window at zoom 3 (2.5)"),
            (1, ("doubutsu.mlt",), open_clear_box, (203, 62), False, "a message box")]:
        stored_zoom(zoom)
        game = start_game(GAME, *args)
        try:
            window = main_window()
            dialog = open_dialog(window)
            dialog_properties(dialog, window, what)
            if geometry(dialog)[2:] != size or off_screen(dialog):
                fail(f"{what}: {outer_geometry(dialog)}, not {size} inside the screen")
            # Minimized all the same (openbox offers it for every dialog),
            # it comes back with the window, for the game waits for an answer.
            run("xdotool", "windowminimize", str(dialog))
            time.sleep(1)
            if not all(shown(w) for w in (window, dialog)):
                fail(f"{what} minimized took itself or the game's window off the screen")
            key("alt+F4")  # only a button answers a box; the settings window just closes
            time.sleep(0.5)
            if shown(dialog) == closes:
                fail(f"{what}: Alt+F4 {'left it open' if closes else 'closed it'}")
            log(f"  {what}: {size[0]} x {size[1]} on the screen; minimized, it comes back; "
                f"Alt+F4 {'closes' if closes else 'does nothing'}")
        finally:
            stop_game(game)


def body():
    data_dat = open(DATA_DAT, "rb").read()
    sizes_and_zoom()
    dialogs()
    if open(DATA_DAT, "rb").read() != data_dat:
        fail("Data.dat changed; the zoom belongs in the player's own settings")


main_guard(body)
print("window manager e2e: passed")
