"""Observing and driving the X display: window properties, keys and the pointer, screenshots,
the pointer image, and a log of windows being mapped."""

import ctypes
import ctypes.util
import re
import subprocess
import threading
import time

from .images import Image


class X:
    def __init__(self, env):
        self.env = env
        self._xlib = None

    # -- properties --------------------------------------------------------------------------

    def prop(self, xid, name):
        return self.env.run(["xprop", "-id", str(xid), name]).stdout.strip()

    def net_wm_state(self, xid):
        out = self.prop(xid, "_NET_WM_STATE")
        return set(re.findall(r"_NET_WM_STATE_[A-Z_]+", out))

    def opacity(self, xid):
        """_NET_WM_WINDOW_OPACITY as a number, None when the property is absent."""
        match = re.search(r"=\s*(\d+)", self.prop(xid, "_NET_WM_WINDOW_OPACITY"))
        return int(match.group(1)) if match else None

    def motif_decorations(self, xid):
        """The decorations field of _MOTIF_WM_HINTS, None when absent."""
        out = self.prop(xid, "_MOTIF_WM_HINTS")
        numbers = re.findall(r"0x[0-9a-fA-F]+|\d+", out.split("=", 1)[-1]) if "=" in out else []
        return int(numbers[2], 0) if len(numbers) >= 3 else None

    # -- input -------------------------------------------------------------------------------

    def xdotool(self, *args):
        return self.env.run(["xdotool", *map(str, args)]).returncode == 0

    def focused_window(self):
        """The X window that has the input focus, None when unknown."""
        out = self.env.run(["xdotool", "getwindowfocus"]).stdout.strip()
        return int(out) if out.isdigit() else None

    def activate(self, xid):
        return self.xdotool("windowactivate", "--sync", xid)

    def key(self, *keys):
        return self.xdotool("key", "--delay", "30", *keys)

    def move_pointer(self, x, y):
        return self.xdotool("mousemove", "--sync", x, y)

    def drag(self, start, end, steps=8):
        """A left-button drag from start to end in small moves, as a hand would."""
        self.move_pointer(*start)
        self.xdotool("mousedown", 1)
        for step in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * step // steps
            y = start[1] + (end[1] - start[1]) * step // steps
            self.move_pointer(x, y)
            time.sleep(0.02)  # pace the motion events like a hand; nothing to poll here
        self.xdotool("mouseup", 1)

    def click(self, x, y, button=1):
        self.move_pointer(x, y)
        return self.xdotool("click", button)

    # -- pixels ------------------------------------------------------------------------------

    def screenshot(self, left, top, width, height):
        """The screen's pixels in the given rectangle, read from the root window."""
        return self.xlib().root_image(left, top, width, height)

    def xlib(self):
        if self._xlib is None:
            self._xlib = Xlib(self.env.display)
        return self._xlib

    def close(self):
        if self._xlib is not None:
            self._xlib.close()
            self._xlib = None


class Xlib:
    """A direct connection to the display for what the command-line tools do too slowly or not
    at all: reading pixels (XGetImage) and the pointer image (XFixes)."""

    class _XImage(ctypes.Structure):
        _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int),
                    ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
                    ("data", ctypes.POINTER(ctypes.c_ubyte)), ("byte_order", ctypes.c_int),
                    ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                    ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                    ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]

    class _CursorImage(ctypes.Structure):
        _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                    ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                    ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                    ("cursor_serial", ctypes.c_ulong),
                    ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                    ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]

    _ALL_PLANES = 0xFFFFFFFFFFFFFFFF
    _Z_PIXMAP = 2

    def __init__(self, display):
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes") or "libXfixes.so.3")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        x11.XFree.argtypes = [ctypes.c_void_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XGetImage.restype = ctypes.POINTER(self._XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XDestroyImage.argtypes = [ctypes.POINTER(self._XImage)]
        xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(self._CursorImage)
        xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
        self._x11, self._xfixes = x11, xfixes
        self._display = x11.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError("cannot open the display " + display)
        self._root = x11.XDefaultRootWindow(self._display)

    def root_image(self, left, top, width, height):
        image = self._x11.XGetImage(self._display, self._root, left, top, width, height,
                                    self._ALL_PLANES, self._Z_PIXMAP)
        if not image:
            raise RuntimeError(f"XGetImage failed for {width}x{height}+{left}+{top}")
        try:
            info = image.contents
            if info.bits_per_pixel != 32:
                raise RuntimeError(f"unexpected {info.bits_per_pixel} bits per pixel")
            raw = ctypes.string_at(info.data, info.bytes_per_line * height)
        finally:
            self._x11.XDestroyImage(image)
        if info.bytes_per_line != width * 4:
            raw = b"".join(raw[y * info.bytes_per_line:y * info.bytes_per_line + width * 4]
                           for y in range(height))
        rgb = bytearray(width * height * 3)  # the pixels are B, G, R, unused
        rgb[0::3] = raw[2::4]
        rgb[1::3] = raw[1::4]
        rgb[2::3] = raw[0::4]
        return Image(width, height, rgb)

    def pointer_hidden(self):
        """True when the pointer image X shows is empty: every pixel fully transparent."""
        image = self._xfixes.XFixesGetCursorImage(self._display)
        if not image:
            return None
        try:
            cursor = image.contents
            count = cursor.width * cursor.height
            return all((cursor.pixels[i] >> 24) & 0xFF == 0 for i in range(count))
        finally:
            self._x11.XFree(image)

    def close(self):
        if self._display:
            self._x11.XCloseDisplay(self._display)
            self._display = None


class MapLog:
    """Records every top-level window mapped on the display while it runs (xev on the root)."""

    def __init__(self, env):
        self.env = env
        self.mapped = []
        self._lock = threading.Lock()
        self._process = env.spawn(["stdbuf", "-oL", "xev", "-root", "-event", "substructure"],
                                  stdout=subprocess.PIPE)
        self._thread = threading.Thread(target=self._read, daemon=True)
        self._thread.start()

    def _read(self):
        for raw in self._process.stdout:
            line = raw.decode(errors="replace")
            if line.startswith("MapNotify"):
                with self._lock:
                    self.mapped.append(time.monotonic())

    def count(self):
        with self._lock:
            return len(self.mapped)

    def close(self):
        self.env.stop_process(self._process)
