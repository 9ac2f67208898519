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
        result = subprocess.run(
            ["import", "-silent", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}",
             "+repage", "-depth", "8", "ppm:-"], env=self.env.env, capture_output=True, timeout=30,
            stdin=subprocess.DEVNULL)
        if result.returncode != 0:
            raise RuntimeError("import failed: " + result.stderr.decode(errors="replace"))
        return Image.from_ppm(result.stdout)


class PointerImage:
    """The pointer image X shows, through XFixes (what a user sees, not what Wine believes)."""

    class _CursorImage(ctypes.Structure):
        _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                    ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                    ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                    ("cursor_serial", ctypes.c_ulong),
                    ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                    ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]

    def __init__(self, display):
        self._x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self._xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes") or "libXfixes.so.3")
        self._x11.XOpenDisplay.restype = ctypes.c_void_p
        self._x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._x11.XFree.argtypes = [ctypes.c_void_p]
        self._xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(self._CursorImage)
        self._xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
        self._display = self._x11.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError("cannot open the display for XFixes")

    def hidden(self):
        """True when the pointer image is empty: every pixel fully transparent."""
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
