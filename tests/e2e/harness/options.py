"""The screensaver's own options on screen: the face on the primary monitor only, the face
drifting across a minute change, and the dimmed face."""

import time

from .expect import OPAQUE_NO_FADE, SCREEN_HEIGHT, SCREEN_RECT, SCREEN_WIDTH
from .monitors import MONITORS, VIRTUAL_RECT
from .polling import wait_for

DIMMED = "10:08:30"


def _full_screen(ctx, program, rect=SCREEN_RECT):
    return program.wait_main_window(lambda w: w["visible"] and w["rect"] == rect, timeout=15)


def _shows(ctx, left, top, reference, name):
    """Polls until the screen at left, top shows exactly the reference."""
    seen = {}

    def probe():
        seen["shot"] = ctx.x.screenshot(left, top, reference.width, reference.height)
        return seen["shot"].data == reference.data

    matched = bool(wait_for(probe, timeout=5, interval=0.2))
    ctx.save_shot(seen["shot"], name)
    return matched, 0 if matched else seen["shot"].differing_pixels(reference)


def primary_monitor_only(ctx):
    """"AllMonitors.scr" = 0 on two monitors: the primary's face, the other black; a click on the
    black monitor still ends the saver."""
    r, x = ctx.report, ctx.x
    with ctx.env.nested_monitors(MONITORS):
        x.close()  # the next reading connects to the new display
        ctx.registry.reset({**OPAQUE_NO_FADE, "AllMonitors.scr": "0"})
        program = ctx.start("/s", clock=DIMMED)
        window = _full_screen(ctx, program, VIRTUAL_RECT)
        if not r.check("\"/s\" covers both monitors", window is not None,
                       f"window {program.main_window()}"):
            x.close()
            return
        matched, differing = _shows(ctx, 0, 0, ctx.render(DIMMED, *MONITORS[0]),
                                    "primary-only-1.png")
        r.check("the primary monitor equals the render", matched, f"{differing} pixels differ")
        black = x.screenshot(MONITORS[0][0], 0, *MONITORS[1])
        ctx.save_shot(black, "primary-only-2.png")
        pixels = MONITORS[1][0] * MONITORS[1][1]
        r.check("the other monitor is black", black.data == bytes(3 * pixels),
                f"{pixels - black.count_colour((0, 0, 0))} pixels not black")
        ctx.save_shot(x.screenshot(0, 0, VIRTUAL_RECT[2], VIRTUAL_RECT[3]), "primary-only.png")
        x.click(MONITORS[0][0] + 320, 240)
        status = program.wait_exit(8)
        r.check("a click on the black monitor ends it", status == 0, f"exit status {status}")
        x.close()


def drift_across_a_minute(ctx):
    """"Drift.scr" = 1 with the clock running from 10:08:58: before and after the minute changes
    the screen equals the render tool's "--drift" picture of that time."""
    r, x = ctx.report, ctx.x
    ctx.registry.reset({**OPAQUE_NO_FADE, "Drift.scr": "1"})
    program = ctx.start("/s", clock="10:08:58+")
    window = _full_screen(ctx, program)
    if not r.check("\"/s\" with drift covers the screen", window is not None,
                   f"window {program.main_window()}"):
        return
    # Screenshots first, until the clock has passed 10:09:01; the renders take their time.
    shots = []
    deadline = time.monotonic() + 5.0
    while time.monotonic() < deadline:
        shot = x.screenshot(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT)
        if not shots or shot.data != shots[-1].data:
            shots.append(shot)
        time.sleep(0.05)
    size = (SCREEN_WIDTH, SCREEN_HEIGHT)
    labels = ("10:08:58", "10:08:59", "10:09:00", "10:09:01", "10:09:02", "10:09:03")
    renders = {label: ctx.render(label, *size, options=("--drift",)) for label in labels}
    seen = set()
    for shot in shots:
        for label, reference in renders.items():
            if label not in seen and shot.data == reference.data:
                seen.add(label)
                ctx.save_shot(shot, f"drift-{label.replace(':', '-')}.png")
    before = sorted(label for label in seen if label < "10:09:00")
    after = sorted(label for label in seen if label >= "10:09:00")
    r.check("before the minute changes the screen equals the drifted render", bool(before),
            f"matched {sorted(seen)}")
    r.check("after it the screen equals the drifted render of the new minute", bool(after),
            f"matched {sorted(seen)}")
    r.check("the drifted face is off the centre",
            ctx.render("10:09:00", *size).data != renders["10:09:00"].data,
            "the drifted render equals the centred one")
    ctx.x.key("a")
    program.wait_exit(8)


def dimmed(ctx):
    """"Brightness.scr" = 40: the screen equals the render tool's "--brightness 40"."""
    r = ctx.report
    ctx.registry.reset({**OPAQUE_NO_FADE, "Brightness.scr": "40"})
    program = ctx.start("/s", clock=DIMMED)
    window = _full_screen(ctx, program)
    if not r.check("\"/s\" at 40 % brightness covers the screen", window is not None,
                   f"window {program.main_window()}"):
        return
    reference = ctx.render(DIMMED, SCREEN_WIDTH, SCREEN_HEIGHT, options=("--brightness", "40"))
    matched, differing = _shows(ctx, 0, 0, reference, "brightness-40.png")
    r.check("the screen equals the render at 40 % brightness", matched,
            f"{differing} pixels differ")
    ctx.x.key("a")
    program.wait_exit(8)
