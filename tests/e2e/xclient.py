"""A minimal X client (ctypes over Xlib, XTest and XDamage) for watching the
game from outside: it reads screen pixels straight from the X server, sends
real input through XTest and learns from the server itself when a window is
mapped and when the game draws into it (Damage events), without any help
from inside the game."""

import ctypes
import ctypes.util
import os
import select
import time

_x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
_xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")

_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XDefaultRootWindow.restype = ctypes.c_ulong
_x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
_x11.XPending.argtypes = [ctypes.c_void_p]
_x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
_x11.XFlush.argtypes = [ctypes.c_void_p]
_x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
_x11.XWarpPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int,
                              ctypes.c_int, ctypes.c_uint, ctypes.c_uint, ctypes.c_int,
                              ctypes.c_int]
_x11.XStringToKeysym.restype = ctypes.c_ulong
_x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
_x11.XKeysymToKeycode.restype = ctypes.c_ubyte
_x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
_xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                       ctypes.c_ulong]
_xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_ulong]
_x11.XGetImage.restype = ctypes.c_void_p
_x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                           ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
_x11.XDestroyImage.argtypes = [ctypes.c_void_p]
_xdamage = None


def _damage_library():
    """libXdamage, loaded only by those who watch repaints."""
    global _xdamage
    if _xdamage is None:
        lib = ctypes.CDLL(ctypes.util.find_library("Xdamage") or "libXdamage.so.1")
        lib.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                              ctypes.POINTER(ctypes.c_int)]
        lib.XDamageCreate.restype = ctypes.c_ulong
        lib.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
        _xdamage = lib
    return _xdamage

Z_PIXMAP = 2
ALL_PLANES = 0xFFFFFFFF
MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
DAMAGE_REPORT_RAW_RECTANGLES = 0


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


class Event(ctypes.Union):
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
    def __init__(self, display=None, watch=False):
        """watch: also report windows mapped and drawn into (events())."""
        self.dpy = _x11.XOpenDisplay((display or os.environ["DISPLAY"]).encode())
        if not self.dpy:
            raise RuntimeError("cannot open the X display")
        self.root = _x11.XDefaultRootWindow(self.dpy)
        self.damage_notify = None
        if watch:
            event_base, error_base = ctypes.c_int(), ctypes.c_int()
            if not _damage_library().XDamageQueryExtension(self.dpy, ctypes.byref(event_base),
                                                           ctypes.byref(error_base)):
                raise RuntimeError("the X server has no DAMAGE extension")
            self.damage_notify = event_base.value  # XDamageNotify is 0
            _x11.XSelectInput(self.dpy, self.root, SUBSTRUCTURE_NOTIFY_MASK)
        _x11.XSync(self.dpy, 0)
        self.fd = _x11.XConnectionNumber(self.dpy)

    def events(self, timeout):
        """Yields (monotonic time read, kind, details) for events arriving
        within `timeout` seconds: ("map", window) and ("damage", window,
        (x, y, w, h))."""
        deadline = time.monotonic() + timeout
        event = Event()
        while True:
            while _x11.XPending(self.dpy):
                _x11.XNextEvent(self.dpy, ctypes.byref(event))
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

    def grab(self, x, y, width, height):
        """The screen rectangle as Pixels (a 24-bit screen is assumed)."""
        image = _x11.XGetImage(self.dpy, self.root, int(x), int(y), int(width), int(height),
                               ALL_PLANES, Z_PIXMAP)
        if not image:
            raise RuntimeError(f"cannot read the screen at {x},{y} {width}x{height}")
        try:
            im = _Image.from_address(image)
            if im.bits_per_pixel != 32:
                raise RuntimeError(f"unexpected screen format: {im.bits_per_pixel} bits per pixel")
            raw = ctypes.string_at(im.data, im.bytes_per_line * im.height)
        finally:
            _x11.XDestroyImage(image)
        stride = 4 * width
        if im.bytes_per_line == stride:
            return Pixels(width, height, raw)
        rows = (raw[r * im.bytes_per_line:r * im.bytes_per_line + stride] for r in range(height))
        return Pixels(width, height, b"".join(rows))

    def watch_damage(self, window):
        _damage_library().XDamageCreate(self.dpy, window, DAMAGE_REPORT_RAW_RECTANGLES)
        _x11.XSync(self.dpy, 0)

    def drain(self, quiet=0.3, limit=5.0):
        """Waits until nothing has arrived for `quiet` seconds."""
        end = time.monotonic() + limit
        while time.monotonic() < end:
            if not any(True for _ in self.events(quiet)):
                return

    def move(self, x, y):
        _xtst.XTestFakeMotionEvent(self.dpy, -1, int(x), int(y), 0)
        _x11.XSync(self.dpy, 0)

    def key(self, name, down):
        """Presses or releases a key (by keysym name, e.g. "Down") now."""
        code = _x11.XKeysymToKeycode(self.dpy, _x11.XStringToKeysym(name.encode()))
        if not code:
            raise RuntimeError(f"no key {name} on this keyboard")
        _xtst.XTestFakeKeyEvent(self.dpy, code, 1 if down else 0, 0)
        _x11.XSync(self.dpy, 0)

    def button(self, button, down):
        """Sends a press or release now; returns the time it was sent."""
        _xtst.XTestFakeButtonEvent(self.dpy, button, 1 if down else 0, 0)
        sent = time.monotonic()
        _x11.XFlush(self.dpy)
        return sent
