"""A window of another program for the hack to draw in, as a screensaver daemon makes one: a plain
override-redirect window on its own connection (ctypes on libX11), which the checks resize and
destroy. A managed one shows when the window manager has started to manage windows; a deep one has
a 32-bit visual with alpha, which the hack cannot draw in, so it draws in a child of its own. A
frame extents probe tells when the window manager has caught up."""

import ctypes
import ctypes.util

from harness.xside import MapLog


def _window_library():
    """libX11 with the prototypes both windows here use."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XCreateSimpleWindow.restype = ctypes.c_ulong
    x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                        ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                        ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
    return x11


class HostWindow:
    _CW_BACK_PIXEL = 1 << 1
    _CW_BORDER_PIXEL = 1 << 3
    _CW_OVERRIDE_REDIRECT = 1 << 9
    _CW_COLORMAP = 1 << 13
    _TRUE_COLOR = 4
    _INPUT_OUTPUT = 1

    class _VisualInfo(ctypes.Structure):  # XVisualInfo
        _fields_ = [("visual", ctypes.c_void_p), ("visualid", ctypes.c_ulong),
                    ("screen", ctypes.c_int), ("depth", ctypes.c_int), ("c_class", ctypes.c_int),
                    ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong),
                    ("blue_mask", ctypes.c_ulong), ("colormap_size", ctypes.c_int),
                    ("bits_per_rgb", ctypes.c_int)]

    def __init__(self, display, left, top, width, height, managed=False, deep=False):
        x11 = _window_library()
        for name in ("XMapWindow", "XUnmapWindow", "XDestroyWindow"):
            getattr(x11, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x11.XChangeWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                                ctypes.POINTER(MapLog._Attributes)]
        x11.XResizeWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint,
                                      ctypes.c_uint]
        x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                        ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                        ctypes.c_void_p, ctypes.c_int]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        x11.XTranslateCoordinates.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
            ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
            ctypes.POINTER(ctypes.c_ulong)]
        self._x11 = x11
        self._display = x11.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError("cannot open the display " + display)
        self._root = x11.XDefaultRootWindow(self._display)
        grey = 0x404040  # not black, so a face drawn nowhere cannot pass for one drawn here
        if deep:
            self.xid = self._create_deep(left, top, width, height, 0xFF000000 | grey)
        else:
            self.xid = x11.XCreateSimpleWindow(self._display, self._root, left, top, width,
                                               height, 0, 0, grey)
        if not managed:
            # Like the daemons' windows, out of the window manager's hands.
            attributes = MapLog._Attributes(override_redirect=1)
            x11.XChangeWindowAttributes(self._display, self.xid, self._CW_OVERRIDE_REDIRECT,
                                        ctypes.byref(attributes))
        x11.XMapWindow(self._display, self.xid)
        x11.XSync(self._display, 0)

    def _create_deep(self, left, top, width, height, background):
        x11 = self._x11
        x11.XMatchVisualInfo.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                         ctypes.c_int, ctypes.POINTER(self._VisualInfo)]
        x11.XCreateColormap.restype = ctypes.c_ulong
        x11.XCreateColormap.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p,
                                        ctypes.c_int]
        x11.XCreateWindow.restype = ctypes.c_ulong
        x11.XCreateWindow.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
            ctypes.c_uint, ctypes.c_uint, ctypes.c_int, ctypes.c_uint, ctypes.c_void_p,
            ctypes.c_ulong, ctypes.POINTER(MapLog._Attributes)]
        info = self._VisualInfo()
        if not x11.XMatchVisualInfo(self._display, 0, 32, self._TRUE_COLOR, ctypes.byref(info)):
            raise RuntimeError("the display has no 32-bit visual")
        colormap = x11.XCreateColormap(self._display, self._root, info.visual, 0)
        attributes = MapLog._Attributes(background_pixel=background, border_pixel=0,
                                        colormap=colormap)
        return x11.XCreateWindow(self._display, self._root, left, top, width, height, 0, 32,
                                 self._INPUT_OUTPUT, info.visual,
                                 self._CW_BACK_PIXEL | self._CW_BORDER_PIXEL | self._CW_COLORMAP,
                                 ctypes.byref(attributes))

    def position(self):
        """The window's top left corner on the screen, once the window manager has placed it."""
        x, y, child = ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
        self._x11.XTranslateCoordinates(self._display, self.xid, self._root, 0, 0,
                                        ctypes.byref(x), ctypes.byref(y), ctypes.byref(child))
        return x.value, y.value

    def belong_to(self, pid):
        """Names the process the window belongs to (_NET_WM_PID), as a program's windows do."""
        value = ctypes.c_long(pid)  # format 32 travels as longs in Xlib
        cardinal = 6
        self._x11.XChangeProperty(self._display, self.xid,
                                  self._x11.XInternAtom(self._display, b"_NET_WM_PID", 0),
                                  cardinal, 32, 0, ctypes.byref(value), 1)
        self._x11.XSync(self._display, 0)

    def map_again(self):
        self._x11.XUnmapWindow(self._display, self.xid)
        self._x11.XMapWindow(self._display, self.xid)
        self._x11.XSync(self._display, 0)

    def resize(self, width, height):
        self._x11.XResizeWindow(self._display, self.xid, width, height)
        self._x11.XSync(self._display, 0)

    def destroy(self):
        if self.xid:
            self._x11.XDestroyWindow(self._display, self.xid)
            self._x11.XSync(self._display, 0)
            self.xid = 0

    def close(self):
        self.destroy()
        if self._display:
            self._x11.XCloseDisplay(self._display)
            self._display = None


class FrameExtentsProbe:
    """An unmapped window that asks the window manager for its frame extents
    (_NET_REQUEST_FRAME_EXTENTS): once _NET_FRAME_EXTENTS is on it, the window manager has handled
    all it was asked before, and no window was shown or focused for it."""

    _SUBSTRUCTURE_REDIRECT_AND_NOTIFY = (1 << 20) | (1 << 19)
    _CLIENT_MESSAGE = 33

    class _ClientMessage(ctypes.Structure):  # XClientMessageEvent, padded to an XEvent
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                    ("pad", ctypes.c_long * 12)]

    def __init__(self, display):
        x11 = _window_library()
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.c_void_p]
        x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._x11 = x11
        self._display = x11.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError("cannot open the display " + display)
        root = x11.XDefaultRootWindow(self._display)
        self.xid = x11.XCreateSimpleWindow(self._display, root, 0, 0, 10, 10, 0, 0, 0)
        message = self._ClientMessage(
            type=self._CLIENT_MESSAGE, window=self.xid, format=32,
            message_type=x11.XInternAtom(self._display, b"_NET_REQUEST_FRAME_EXTENTS", 0))
        x11.XSendEvent(self._display, root, 0, self._SUBSTRUCTURE_REDIRECT_AND_NOTIFY,
                       ctypes.byref(message))
        x11.XSync(self._display, 0)

    def close(self):
        if self._display:
            self._x11.XCloseDisplay(self._display)  # the window goes with the connection
            self._display = None


def selection_owned(display, name):
    """Whether a client owns the selection, such as _NET_WM_CM_S0 for a running compositor."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XGetSelectionOwner.restype = ctypes.c_ulong
    x11.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = x11.XOpenDisplay(display.encode())
    try:
        selection = x11.XInternAtom(connection, name.encode(), 0)
        return x11.XGetSelectionOwner(connection, selection) != 0
    finally:
        x11.XCloseDisplay(connection)
