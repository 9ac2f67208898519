"""The frame "Bildschirmschoner:" of the settings dialog: there whenever the dialog edits the
screensaver's keys, never in the desktop clock's dialog."""

from .polling import wait_for

SLIDER_CLASS = "msctls_trackbar32"
ALL_MONITORS_BOX = "Ziffernblatt auf &allen Bildschirmen"
DRIFT_BOX = "Ziffernblatt langsam &wandern lassen (Schutz vor Einbrennen)"
BRIGHTNESS_LABEL = "&Helligkeit:"

# (class, text, left, top, right, bottom in the client area): the twips over 15 twips a pixel at
# 96 pixels an inch and over 10 at 144, each edge rounded to the nearest pixel. The number beside
# the slider shows a fresh store's 100.
FRAME_CONTROLS = {
    96: [
        ("Button", "Bildschirmschoner:", 4, 244, 359, 317),
        ("Button", ALL_MONITORS_BOX, 12, 258, 351, 275),
        ("Button", DRIFT_BOX, 12, 276, 351, 293),
        ("Static", BRIGHTNESS_LABEL, 12, 296, 72, 311),
        (SLIDER_CLASS, "", 76, 296, 325, 309),
        ("Static", "100", 328, 296, 349, 311),
    ],
    144: [
        ("Button", "Bildschirmschoner:", 6, 366, 539, 476),
        ("Button", ALL_MONITORS_BOX, 18, 387, 527, 413),
        ("Button", DRIFT_BOX, 18, 414, 527, 440),
        ("Static", BRIGHTNESS_LABEL, 18, 444, 108, 467),
        (SLIDER_CLASS, "", 114, 444, 488, 464),
        ("Static", "100", 492, 444, 524, 467),
    ],
}
# The client area with the frame: 5445 x 4800 twips.
CLIENT_WITH_FRAME = {96: (363, 320), 144: (545, 480)}


def _frame_control(dialog, kind, text, place):
    """The visible child of that class and text at that place; else a description of what the
    dialog has of that class and text."""
    found = [c for c in dialog["children"] if c["class"] == kind and c["title"] == text]
    for child in found:
        if child["visible"] and child["pos"] == list(place):
            return child, None
    return None, f"{kind} {text!r} at {place}: found {[(c['pos'], c['visible']) for c in found]}"


def check_frame(ctx, dialog, pixels_per_inch):
    """The frame shows with its texts and access keys, each control at its pixels."""
    r = ctx.report
    left, top, right, bottom = dialog["client"]
    width, height = CLIENT_WITH_FRAME[pixels_per_inch]
    r.check(f"with the frame the client area is {width} x {height} pixels",
            (right - left, bottom - top) == (width, height), f"{right - left}x{bottom - top}")
    wrong = []
    for kind, text, *place in FRAME_CONTROLS[pixels_per_inch]:
        _, problem = _frame_control(dialog, kind, text, place)
        if problem:
            wrong.append(problem)
    r.check(f"\"Bildschirmschoner:\" with its boxes, label, slider and number, each at its pixels "
            f"at {pixels_per_inch} pixels an inch", not wrong, "; ".join(wrong))


def check_no_frame(ctx, dialog):
    """The desktop clock's dialog: no frame, and the size it always had."""
    r = ctx.report
    left, top, right, bottom = dialog["client"]
    r.check("the desktop clock's dialog keeps its client area of 363 x 247 pixels",
            (right - left, bottom - top) == (363, 247), f"{right - left}x{bottom - top}")
    # Without the frame its controls keep their places, hidden.
    places = {(kind, tuple(place)) for kind, _, *place in FRAME_CONTROLS[96]}
    texts = {text for _, text, *_ in FRAME_CONTROLS[96] if text and not text.isdigit()}
    shown = [c["title"] or c["class"] for c in dialog["children"] if c["visible"] and (
        (c["class"], tuple(c["pos"])) in places or c["title"] in texts)]
    r.check("and shows nothing of the screensaver's frame", not shown, f"shown: {shown}")


def set_by_keys(ctx, program, dialog):
    """Alt+A and Alt+W flip the two boxes, Alt+H goes to the brightness slider, Home and two steps
    right take it to 12 (at 96 pixels an inch, a fresh brightness of 100); returns the values OK
    is then expected to store."""
    r = ctx.report
    slider, _ = _frame_control(dialog, SLIDER_CLASS, "", FRAME_CONTROLS[96][4][2:])
    number, _ = _frame_control(dialog, "Static", "100", FRAME_CONTROLS[96][5][2:])
    if not r.check("the brightness slider and its number are there",
                   slider is not None and number is not None):
        return {}
    ctx.activate(program.dialog())
    ctx.x.key("alt+a", "alt+w", "alt+h", "Home", "Right", "Right")

    def seen():
        return ((ctx.observer.window(number["hwnd"]) or {}).get("title"),
                (ctx.observer.cursor() or {}).get("focus"))

    r.check("Alt+H puts the focus on the brightness slider; Home, Right, Right show 12",
            wait_for(lambda: seen() == ("12", slider["hwnd"]), timeout=3),
            f"number and focus {seen()}, slider {slider['hwnd']}")
    return {"AllMonitors.scr": "0", "Drift.scr": "1", "Brightness.scr": "12"}
