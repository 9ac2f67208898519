"""The settings dialog on a screen of 144 pixels an inch (150 %): laid out half as large again,
every text inside its control, the picture of the clock filling its box."""

from .screensaver_frame import check_frame
from .wineside import WS_EX_CLIENTEDGE

DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
PICTURE_TIME = "10:08:42"  # the moment the dialog's picture of the clock always shows
BS_TYPEMASK = 0xF
BS_GROUPBOX = 0x7
BS_DEFPUSHBUTTON = 0x1
SS_TYPEMASK = 0x1F
SS_RIGHT = 0x2
INK = 96  # how far (sum of the channels) a pixel differs from the background to be text


def _set_resolution(ctx, pixels_per_inch):
    """Wine reports LogPixels to programs started from now on; None puts back the default."""
    if pixels_per_inch is None:
        ctx.env.run(["wine", "reg", "delete", DESKTOP_KEY, "/v", "LogPixels", "/f"])
        return True
    return ctx.env.run(["wine", "reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD",
                        "/d", str(pixels_per_inch), "/f"]).returncode == 0


def _ink_box(shot):
    """The box (left, top, right, bottom; exclusive) of the pixels that differ from the most
    common colour, the control's background; None when there are none."""
    counts = {}
    for i in range(0, len(shot.data), 3):
        colour = shot.data[i:i + 3]
        counts[colour] = counts.get(colour, 0) + 1
    background = max(counts, key=counts.get)
    xs, ys = [], []
    for y in range(shot.height):
        for x in range(shot.width):
            i = (y * shot.width + x) * 3
            if sum(abs(a - b) for a, b in zip(shot.data[i:i + 3], background)) > INK:
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1) if xs else None


def _cut_texts(ctx, dialog):
    """The texts of labels and check boxes whose ink reaches the edge where the control cuts a
    text that does not fit: the right edge of a check box or a left or centred label (a label
    wraps a line that is too long, so its lines run out at the bottom), the bottom of each. The
    OK button draws its own border to its edges and group boxes their frames: they are left out;
    a right-aligned label ends at its right edge by design."""
    cut = []
    for child in dialog["children"]:
        style = child["style"]
        if not child["title"] or child["exstyle"] & WS_EX_CLIENTEDGE:
            continue
        if child["class"] == "Button" and style & BS_TYPEMASK in (BS_GROUPBOX, BS_DEFPUSHBUTTON):
            continue
        right_aligned = child["class"] == "Static" and style & SS_TYPEMASK == SS_RIGHT
        shot = ctx.client_shot(child)
        ink = _ink_box(shot)
        if ink is None or ink[3] >= shot.height or (not right_aligned and ink[2] >= shot.width):
            cut.append(f"{child['title']!r} ink {ink} in {shot.width}x{shot.height}")
    return cut


def dialog_at_150_percent(ctx):
    """LogPixels 144, "/c": the dialog's twips become 1.5 times the pixels, its fonts grow with
    them, and its picture is drawn at the size of its box."""
    r = ctx.report
    ctx.registry.clear()
    if not r.check("LogPixels 144 is set", _set_resolution(ctx, 144)):
        return
    try:
        program = ctx.start("/c")
        dialog = program.wait_dialog()
        if not r.check("\"/c\" shows the dialog at 144 pixels an inch", dialog is not None):
            return
        check_frame(ctx, dialog, 144)
        ctx.save_shot(ctx.x.screenshot(dialog["rect"][0], dialog["rect"][1],
                                       dialog["rect"][2] - dialog["rect"][0],
                                       dialog["rect"][3] - dialog["rect"][1]), "dialog-144.png")
        cut = _cut_texts(ctx, dialog)
        r.check("every text of a label or check box is inside its control", not cut,
                "; ".join(cut))

        boxes = [c for c in dialog["children"] if c["exstyle"] & WS_EX_CLIENTEDGE]
        if r.check("the picture's box is there", len(boxes) == 1, f"{len(boxes)} found"):
            left, top, right, bottom = boxes[0]["client"]
            size = (right - left, bottom - top)
            shot = ctx.client_shot(boxes[0])
            reference = ctx.render(PICTURE_TIME, *size)
            r.check("the picture fills its 182 x 181 box: the face rendered at that size",
                    size == (182, 181) and reference.differing_pixels(shot) == 0,
                    f"box {size}, {reference.differing_pixels(shot)} pixels differ")
        ctx.activate(dialog)
        ctx.x.key("Return")
        r.check("OK ends the program", program.wait_exit(8) == 0)
    finally:
        _set_resolution(ctx, None)
