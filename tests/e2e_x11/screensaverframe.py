"""The screensaver's frame in the settings dialog of "/C", read from the screen at 96 and at 144
pixels an inch (Xft.dpi): each of its controls is where its twips put it, drawn as the same kind
of control in the translucency frame is, to the pixel; without a compositor it takes the
translucency strip's place, the same pixels 58 higher; its access keys work and OK stores it."""

import os
import tempfile

import settingsfile
from harness.polling import holds_for, wait_for
from hostwindow import selection_owned

STRIP_PIXELS = 58
# Boxes in the dialog's client area in twips: left, top, width, height.
FRAME = (60, 3660, 5325, 1095)
TRANSLUCENCY_FRAME = (60, 2790, 5325, 855)
CLIENT = (0, 0, 5445, 3705 + FRAME[3])


def inside(frame, left, top, width, height):
    return (frame[0] + left, frame[1] + top, width, height)


ALL_MONITORS = inside(FRAME, 120, 210, 5085, 255)
DRIFT = inside(FRAME, 120, 480, 5085, 255)
BRIGHTNESS_LABEL = inside(FRAME, 120, 780, 900, 225)
BRIGHTNESS_SLIDER = inside(FRAME, 1080, 780, 3735, 195)
BRIGHTNESS_NUMBER = inside(FRAME, 4860, 780, 315, 225)
FADE = inside(TRANSLUCENCY_FRAME, 120, 510, 5085, 255)
TRANSLUCENCY_SLIDER = inside(TRANSLUCENCY_FRAME, 120, 240, 4695, 195)
MARK_WIDTH = 16  # pixels of a check box's left end that hold its mark and nothing else


def pixels(box, dpi, up=0):
    """The box's edges (left, top, right, bottom; exclusive) each to the nearest pixel."""
    def nearest(twips):
        return int(twips * dpi / 1440 + 0.5)
    left, top, width, height = box
    return (nearest(left), nearest(top) - up, nearest(left + width), nearest(top + height) - up)


def ink(shot, box, skip=()):
    """The box (left, top, right, bottom; exclusive) of what is drawn in box on the dialog's
    background, leaving out the colours in skip; None when nothing is."""
    background = shot.pixel(0, shot.height - 1)
    xs, ys = [], []
    for y in range(box[1], box[3]):
        for x in range(box[0], box[2]):
            colour = shot.pixel(x, y)
            if colour != background and colour not in skip:
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1) if xs else None


def offset(measured, box):
    """Where the measured box lies relative to the box it belongs to."""
    return measured and tuple(m - b for m, b in zip(measured, box))


def from_corner(measured, box):
    """The measured box's edges from the top left corner of the box it belongs to."""
    return measured and (measured[0] - box[0], measured[1] - box[1], measured[2] - box[0],
                         measured[3] - box[1])


def frame_lines(shot, box):
    """The frame's border: its left and right columns and its top and bottom rows, read along
    the middle of the box (the top one lies under the caption's middle), and its colour."""
    middle_x, middle_y = (box[0] + box[2]) // 2, (box[1] + box[3]) // 2
    row = ink(shot, (box[0], middle_y, box[2], middle_y + 1))
    column = ink(shot, (middle_x, box[1], middle_x + 1, box[3]))
    if row is None or column is None:
        return None, None
    return (row[0], column[1], row[2], column[3]), shot.pixel(row[0], middle_y)


def caption(shot, box, lines, colour):
    """The caption's ink, which the border runs through at its middle, and that of its first
    letter's left end, from its top to the baseline."""
    rows = (box[1], lines[1] + (lines[1] - box[1]) + 2)
    whole = ink(shot, (box[0] + 1, rows[0], box[2] - 1, rows[1]), skip=(colour,))
    return whole, whole and ink(shot, (whole[0], rows[0], whole[0] + 3, rows[1]), skip=(colour,))


class FrameReader:
    """Measures the frame's controls in one shot of the client area at one resolution, against
    the translucency frame's controls in the same shot where it shows."""

    def __init__(self, shot, dpi, up):
        self.shot, self.dpi, self.up = shot, dpi, up

    def box(self, twips, moves=True):
        return pixels(twips, self.dpi, self.up if moves else 0)

    def mark(self, twips, moves=True):
        box = self.box(twips, moves)
        return offset(ink(self.shot, (box[0], box[1], box[0] + MARK_WIDTH, box[3])), box)

    def text(self, twips, start=0):
        box = self.box(twips)
        return ink(self.shot, (box[0] + start, box[1], box[2], box[3])), box


def check_shape(checks, name, reader, lines, colour):
    """The frame's lines lie on its box's edges, the top one as the translucency frame's lies
    under its caption, and the caption is placed and sized as "Transparenz:" is."""
    frame = reader.box(FRAME)
    model = reader.box(TRANSLUCENCY_FRAME, moves=False)
    model_lines, model_colour = frame_lines(reader.shot, model)
    checks.check(f"{name}: the frame's lines lie on its box {frame}",
                 lines is not None and (lines[0], lines[2], lines[3]) == (
                     frame[0], frame[2], frame[3]) and colour == model_colour and
                 lines[1] - frame[1] == model_lines[1] - model[1],
                 f"lines {lines}, the translucency frame's {model_lines} in {model}")
    own = [from_corner(part, frame) for part in caption(reader.shot, frame, lines, colour)]
    other = [from_corner(part, model)
             for part in caption(reader.shot, model, model_lines, model_colour)]
    checks.check(f"{name}: \"Bildschirmschoner:\" starts where \"Transparenz:\" does, its first "
                 "letter as high, and is wider", None not in own + other and
                 own[0][:2] == other[0][:2] and own[1] == other[1] and own[0][2] > other[0][2],
                 f"{own} against {other}")


def check_controls(checks, name, reader):
    """Marks, texts, the slider and the number: each inside its box, the marks and the slider
    drawn where those of the translucency frame are in theirs (the slider's right end is its
    thumb's at 100, the left one its trough's)."""
    fade = reader.mark(FADE, moves=False)
    for label, twips in (("all monitors", ALL_MONITORS), ("drift", DRIFT)):
        mark = reader.mark(twips)
        text, box = reader.text(twips, start=MARK_WIDTH)
        checks.check(f"{name}: the {label} box's mark is placed as the fade box's, {mark}",
                     mark is not None and mark == fade, f"fade box {fade}")
        checks.check(f"{name}: the {label} box's text is inside its box {box}",
                     text is not None and text[2] < box[2] and text[3] <= box[3], str(text))
    slider = offset(ink(reader.shot, reader.box(BRIGHTNESS_SLIDER)), reader.box(BRIGHTNESS_SLIDER))
    model = offset(ink(reader.shot, reader.box(TRANSLUCENCY_SLIDER, moves=False)),
                   reader.box(TRANSLUCENCY_SLIDER, moves=False))
    checks.check(f"{name}: the brightness slider is drawn in its box as the translucency "
                 f"slider is in its own, {slider}",
                 slider is not None and model is not None and
                 (slider[0], slider[1], slider[3]) == (model[0], model[1], model[3]) and
                 slider[2] <= 0,
                 f"translucency slider {model}")
    label, box = reader.text(BRIGHTNESS_LABEL)
    checks.check(f"{name}: \"Helligkeit:\" is inside its box {box}",
                 label is not None and label[0] == box[0] and label[2] < box[2] and
                 label[3] <= box[3], str(label))
    number, box = reader.text(BRIGHTNESS_NUMBER)
    checks.check(f"{name}: the brightness's number is inside its box {box}, right-aligned",
                 number is not None and box[0] < number[0] and box[2] - 2 <= number[2] <= box[2]
                 and number[3] <= box[3], str(number))
    return slider


class Resolution:
    """Xft.dpi for the programs started while it is set."""

    def __init__(self, env, dpi):
        self.env, self.dpi = env, dpi
        self.saved = env.run(["xrdb", "-query"]).stdout

    def __enter__(self):
        self._load(f"Xft.dpi: {self.dpi}\n", "-merge")
        return self

    def __exit__(self, *_):
        if self.saved.strip():
            self._load(self.saved, "-load")
        else:
            self.env.run(["xrdb", "-remove"])

    def _load(self, text, how):
        with tempfile.NamedTemporaryFile("w", suffix=".xrdb") as file:
            file.write(text)
            file.flush()
            self.env.run(["xrdb", how, file.name], check=True)


def shot_of_dialog(checks, run, name):
    """The dialog's client area, photographed once it has settled, the pointer off it."""
    dialog, origin = checks.dialog_window(run)
    if dialog is None:
        return None, None
    checks.x.move_pointer(0, 0)
    size = checks.geometry(dialog)[0][2:]
    holds_for(lambda: False, 0.3)  # let it draw; nothing reports a repaint
    shot = checks.x.screenshot(origin[0], origin[1], *size)
    shot.save_png(os.path.join(checks.shots, f"{name}.png"))
    return dialog, shot


def with_translucency(checks, dpi):
    """Under a compositor: both frames, the dialog as high as both need. The shot, or None."""
    name = f"/C at {dpi} dpi"
    compositor = checks.env.spawn(["xcompmgr"])
    try:
        wait_for(lambda: selection_owned(checks.env.display, "_NET_WM_CM_S0"))
        run = checks.start("/C")
        dialog, shot = shot_of_dialog(checks, run, f"configuration-{dpi}dpi")
        if not checks.check(f"{name}: the dialog appears", dialog is not None):
            checks.env.stop_process(run)
            return None
        client = pixels(CLIENT, dpi)
        checks.check(f"{name}: the client area is {client[2]} x {client[3]}, the frame's "
                     "height more", (shot.width, shot.height) == client[2:],
                     f"{shot.width} x {shot.height}")
        reader = FrameReader(shot, dpi, 0)
        lines, colour = frame_lines(shot, reader.box(FRAME))
        check_shape(checks, name, reader, lines, colour)
        check_controls(checks, name, reader)
        checks.x.activate(dialog)
        checks.x.key("Escape")
        checks.ended(run)
        return shot
    finally:
        checks.env.stop_process(compositor)


def without_translucency(checks, dpi, full):
    """No compositor: the frame in the strip's place; its access keys, then OK, which stores."""
    name = f"/C at {dpi} dpi without translucency"
    run = checks.start("/C")
    dialog, shot = shot_of_dialog(checks, run, f"configuration-{dpi}dpi-cut")
    if not checks.check(f"{name}: the dialog appears", dialog is not None):
        checks.env.stop_process(run)
        return
    checks.check(f"{name}: the dialog is shorter by the strip's 58 pixels only",
                 (shot.width, shot.height) == (full.width, full.height - STRIP_PIXELS),
                 f"{shot.width} x {shot.height}")
    frame = pixels(FRAME, dpi)
    moved = [shot.pixel(x, y - STRIP_PIXELS) == full.pixel(x, y)
             for y in range(frame[1], frame[3]) for x in range(full.width)]
    checks.check(f"{name}: the frame shows in the strip's place, the same pixels 58 higher",
                 all(moved), f"{moved.count(False)} pixels differ")
    brightness = pixels(BRIGHTNESS_SLIDER, dpi, STRIP_PIXELS)
    before = ink(shot, brightness)
    checks.x.activate(dialog)
    checks.x.key("alt+a", "alt+w", "alt+h", "Home")

    def thumb_moved():
        now = checks.x.screenshot(*checks.geometry(dialog)[0][:2], shot.width, shot.height)
        return ink(now, brightness) != before
    checks.check(f"{name}: Alt+H puts the focus on the brightness slider, which Home moves",
                 wait_for(thumb_moved), str(before))
    checks.x.key("Return")
    checks.check(f"{name}: OK ends it", checks.ended(run) and run.returncode == 0,
                 f"exit {run.poll()}")
    expected = {"AllMonitors.scr": "0", "Drift.scr": "1", "Brightness.scr": "10"}
    values = settingsfile.values(checks.env.env)
    stored = {key: values.get(key) for key in expected}
    checks.check(f"{name}: Alt+A and Alt+W flip the two boxes, and OK stores them and the "
                 "brightness", stored == expected, str(stored))


def scenario(checks):
    for dpi in (96, 144):
        with Resolution(checks.env, dpi):
            settingsfile.remove(checks.env.env)
            full = with_translucency(checks, dpi)
            settingsfile.remove(checks.env.env)
            if full is not None:
                without_translucency(checks, dpi, full)
