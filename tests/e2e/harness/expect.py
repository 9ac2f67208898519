"""What the program is expected to show and store, in one place for the scenarios."""

from .environment import SCREEN_HEIGHT, SCREEN_WIDTH
from .wineside import WS_CAPTION, WS_EX_APPWINDOW, WS_EX_LAYERED, WS_EX_TOPMOST

FROZEN = "10:08:30"  # a face with every digit shape but one and a half-full ring

FRESH_DESKTOP_STORE = {
    "TaskBar": "0", "OnTop": "0", "LockWindow": "0", "BlueNumbers": "1", "Fading": "1",
    "Transparence": "63", "WinLeft": "32", "WinTop": "32", "WinWidth": "256", "WinHeight": "256",
}
FRESH_SCREENSAVER_STORE = {
    "TaskBar": "1", "OnTop": "0", "LockWindow": "0", "BlueNumbers.scr": "1", "Fading.scr": "1",
    "Transparence.scr": "31", "AllMonitors.scr": "1", "Drift.scr": "0", "Brightness.scr": "100",
}
WINDOW_KEYS = ("WinLeft", "WinTop", "WinWidth", "WinHeight")
# Quick starts for checks that are not about fading or translucency.
OPAQUE_NO_FADE = {"Transparence": "0", "Fading": "0", "Transparence.scr": "0", "Fading.scr": "0"}

DIALOG_TEXTS = (
    "Quenmark  Tavrino", "von Quenmark", "Version 1.00a - 02.02.2015", "&OK",
    "in &Task-Leiste sichtbar", "Fenster-&Position sperren", "immer im &Vordergrund",
    "blaue &Ziffern-LED's", "Transparenz:",
    "Langsames Ein-/Aus&blenden bei Programm-Start/-Ende ...",
)
TASK_BOX = "in &Task-Leiste sichtbar"
LOCK_BOX = "Fenster-&Position sperren"
ON_TOP_BOX = "immer im &Vordergrund"

SCREEN_RECT = [0, 0, SCREEN_WIDTH, SCREEN_HEIGHT]

# RGB of the centres of the face's dots (blue and green digits, lit ring dots, hour markers,
# yellow ring dots, unlit dots), and with them the background: pixels that anti-aliasing never
# touches.
DOT_CENTRES = ((0x80, 0x80, 0xFF), (0x80, 0xFF, 0x80), (0xFF, 0x80, 0x80), (0xFF, 0xFF, 0x80),
               (0x08, 0x08, 0x08))
SOLID_COLOURS = ((0, 0, 0),) + DOT_CENTRES


def opacity_for(amount):
    """_NET_WM_WINDOW_OPACITY for a translucency amount; None means the property is absent."""
    alpha = 255 - amount
    return None if alpha == 255 else alpha * 0x01010101


def has_caption(window):
    return window["style"] & WS_CAPTION != 0


def is_topmost(window):
    return window["exstyle"] & WS_EX_TOPMOST != 0


def is_layered(window):
    return window["exstyle"] & WS_EX_LAYERED != 0


def has_app_window(window):
    return window["exstyle"] & WS_EX_APPWINDOW != 0


def size_of(window):
    left, top, right, bottom = window["rect"]
    return right - left, bottom - top


def centre_of(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def store_difference(actual, expected):
    """A readable difference of two stores, empty when they are equal."""
    actual = actual or {}
    parts = []
    for key in sorted(set(actual) | set(expected)):
        if actual.get(key) != expected.get(key):
            parts.append(f"{key}: {actual.get(key)!r} (expected {expected.get(key)!r})")
    return "; ".join(parts)


def child_by_text(window, text):
    for child in (window or {}).get("children", []):
        if child["title"] == text:
            return child
    return None
