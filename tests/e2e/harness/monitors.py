"""The screensaver on a desk of two monitors of different sizes."""

from .expect import FROZEN, OPAQUE_NO_FADE
from .polling import wait_for

MONITORS = ((800, 600), (640, 480))  # side by side, tops aligned
VIRTUAL_RECT = [0, 0, 1440, 600]


def _monitor_shows_face(ctx, left, size, name):
    """Polls until the monitor at `left` shows exactly the render at its size."""
    reference = ctx.render(FROZEN, *size)
    seen = {}

    def probe():
        seen["shot"] = ctx.x.screenshot(left, 0, *size)
        return seen["shot"].differing_pixels(reference) == 0

    matched = bool(wait_for(probe, timeout=5, interval=0.2))
    ctx.save_shot(seen["shot"], name)
    return matched, seen["shot"].differing_pixels(reference)


def two_monitors(ctx):
    """"/s": one face per monitor at its size; a click on the second monitor ends it."""
    r, x = ctx.report, ctx.x
    with ctx.env.nested_monitors(MONITORS):
        x.close()  # the next reading connects to the new display
        ctx.registry.reset(OPAQUE_NO_FADE)
        program = ctx.start("/s", clock=FROZEN)
        window = program.wait_main_window(lambda w: w["visible"] and w["rect"] == VIRTUAL_RECT,
                                          timeout=15)
        if not r.check("\"/s\" covers both monitors", window is not None and
                       window["rect"] == VIRTUAL_RECT, f"window {window and window['rect']}"):
            x.close()
            return
        for index, (left, size) in enumerate(((0, MONITORS[0]), (800, MONITORS[1]))):
            matched, differing = _monitor_shows_face(ctx, left, size, f"monitor-{index + 1}.png")
            r.check(f"monitor {index + 1} shows the face at its size {size[0]}x{size[1]}",
                    matched, f"{differing} pixels differ from the render")
        x.move_pointer(1120, 240)
        r.check("the pointer is hidden over the second monitor",
                bool(wait_for(ctx.pointer_hidden, timeout=2)))
        x.click(1120, 240)
        status = program.wait_exit(8)
        r.check("a click on the second monitor ends it", status == 0, f"exit status {status}")
        x.close()
