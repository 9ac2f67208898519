"""Observing and driving the X display: window properties, keys and the pointer, screenshots,
the pointer image, and a log of windows being mapped."""

import ctypes
import ctypes.util
import re
import time

from .images import Image
from .polling import wait_for


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


class MapLog(Xlib):
    """Counts the top-level windows mapped on the display from the moment it is made, on a
    connection of its own. Before it returns it maps a probe window and waits to hear of it, so
    that a log which hears nothing cannot pass for a display on which nothing was mapped."""

    class _Attributes(ctypes.Structure):  # XSetWindowAttributes
        _fields_ = [("background_pixmap", ctypes.c_ulong), ("background_pixel", ctypes.c_ulong),
                    ("border_pixmap", ctypes.c_ulong), ("border_pixel", ctypes.c_ulong),
                    ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                    ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                    ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                    ("event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                    ("override_redirect", ctypes.c_int), ("colormap", ctypes.c_ulong),
                    ("cursor", ctypes.c_ulong)]

    _SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
    _MAP_NOTIFY = 19
    _INPUT_ONLY = 2
    _CW_OVERRIDE_REDIRECT = 1 << 9

    def __init__(self, display, timeout=5.0):
        super().__init__(display)
        x11 = self._x11
        x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XPending.argtypes = [ctypes.c_void_p]
        x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        x11.XCreateWindow.restype = ctypes.c_ulong
        x11.XCreateWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, ctypes.c_int,
                                      ctypes.c_uint, ctypes.c_void_p, ctypes.c_ulong,
                                      ctypes.POINTER(self._Attributes)]
        x11.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x11.XDestroyWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self._count = 0
        x11.XSelectInput(self._display, self._root, self._SUBSTRUCTURE_NOTIFY_MASK)
        # An invisible 1 x 1 window off the screen that the window manager leaves alone.
        attributes = self._Attributes(override_redirect=1)
        probe = x11.XCreateWindow(self._display, self._root, -10, -10, 1, 1, 0, 0,
                                  self._INPUT_ONLY, None, self._CW_OVERRIDE_REDIRECT,
                                  ctypes.byref(attributes))
        x11.XMapWindow(self._display, probe)
        heard = wait_for(lambda: probe in self._mapped_windows(), timeout=timeout)
        x11.XDestroyWindow(self._display, probe)
        x11.XSync(self._display, 0)
        if not heard:
            self.close()
            raise RuntimeError("the map log did not hear its own probe window being mapped")

    def _mapped_windows(self):
        """The windows mapped since the last call, with everything the server has sent so far."""
        self._x11.XSync(self._display, 0)
        event = (ctypes.c_long * 24)()  # XEvent; a map event's window is its sixth field
        windows = []
        while self._x11.XPending(self._display):
            self._x11.XNextEvent(self._display, event)
            if event[0] & 0xFFFFFFFF == self._MAP_NOTIFY:
                windows.append(event[5])
        return windows

    def count(self):
        self._count += len(self._mapped_windows())
        return self._count
