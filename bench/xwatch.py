"""What the benchmarks need beyond the tests' driving: input sent through
XTest at a known moment, and the X server's own word of when a window is
mapped and when the game draws into it (Damage events), without any help
from inside the game."""

import ctypes
import ctypes.util
import os
import select
import time

x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
xdamage = ctypes.CDLL(ctypes.util.find_library("Xdamage") or "libXdamage.so.1")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x11.XPending.argtypes = [ctypes.c_void_p]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_ulong]
xdamage.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                          ctypes.POINTER(ctypes.c_int)]
xdamage.XDamageCreate.restype = ctypes.c_ulong
xdamage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class _Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("pad", ctypes.c_long * 24)]


class _MapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong),
                ("window", ctypes.c_ulong), ("override_redirect", ctypes.c_int)]


class _Rect(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort)]


class _DamageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("drawable", ctypes.c_ulong),
                ("damage", ctypes.c_ulong), ("level", ctypes.c_int), ("more", ctypes.c_int),
                ("timestamp", ctypes.c_ulong), ("area", _Rect), ("geometry", _Rect)]


class Watcher:
    """A connection to the X server that sends input and reports windows
    mapped and drawn into."""

    def __init__(self):
        self.dpy = x11.XOpenDisplay(os.environ["DISPLAY"].encode())
        if not self.dpy:
            raise RuntimeError("cannot open the X display")
        self.root = x11.XDefaultRootWindow(self.dpy)
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not xdamage.XDamageQueryExtension(self.dpy, ctypes.byref(event_base),
                                              ctypes.byref(error_base)):
            raise RuntimeError("the X server has no DAMAGE extension")
        self.damage_notify = event_base.value  # XDamageNotify is 0
        x11.XSelectInput(self.dpy, self.root, SUBSTRUCTURE_NOTIFY_MASK)
        x11.XSync(self.dpy, 0)
        self.fd = x11.XConnectionNumber(self.dpy)

    def events(self, timeout):
        """Yields (monotonic time read, kind, details) for events arriving
        within `timeout` seconds: ("map", window) and ("damage", window,
        (x, y, w, h))."""
        deadline = time.monotonic() + timeout
        event = _Event()
        while True:
            while x11.XPending(self.dpy):
                x11.XNextEvent(self.dpy, ctypes.byref(event))
                now = time.monotonic()
                if event.type == MAP_NOTIFY:
                    m = ctypes.cast(ctypes.byref(event), ctypes.POINTER(_MapEvent)).contents
                    if not m.override_redirect:
                        yield now, "map", m.window
                elif event.type == self.damage_notify:
                    d = ctypes.cast(ctypes.byref(event), ctypes.POINTER(_DamageEvent)).contents
                    a = d.area
                    yield now, "damage", d.drawable, (a.x, a.y, a.width, a.height)
            left = deadline - time.monotonic()
            if left <= 0:
                return
            select.select([self.fd], [], [], left)

    def watch_damage(self, window):
        xdamage.XDamageCreate(self.dpy, window, 0)  # raw rectangles
        x11.XSync(self.dpy, 0)

    def move(self, x, y):
        xtst.XTestFakeMotionEvent(self.dpy, -1, int(x), int(y), 0)
        x11.XSync(self.dpy, 0)

    def button(self, button, down):
        """Sends a press or release now; returns the time it was sent."""
        xtst.XTestFakeButtonEvent(self.dpy, button, 1 if down else 0, 0)
        sent = time.monotonic()
        x11.XFlush(self.dpy)
        return sent

    def drain(self, quiet=0.3, limit=5.0):
        """Waits until nothing has arrived for `quiet` seconds."""
        end = time.monotonic() + limit
        while time.monotonic() < end:
            if not any(True for _ in self.events(quiet)):
                return
