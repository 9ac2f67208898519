"""What the face looks like: the digit colours per run mode, and a running clock."""

import time

from . import face_model
from .expect import DOT_CENTRES, FROZEN, OPAQUE_NO_FADE, SCREEN_RECT

BLUE_FILL = (0x80, 0x80, 0xFF)   # RGB of the blue digits' dot centres
GREEN_FILL = (0x80, 0xFF, 0x80)  # RGB of the green digits and lit ring dots


def _face_check(ctx, program, window, green, name):
    r = ctx.report
    left, top, right, bottom = window["client"]
    width, height = right - left, bottom - top
    reference = ctx.solid_render(FROZEN, width, height, green=green)
    other = ctx.solid_render(FROZEN, width, height, green=not green)
    shot, matched = ctx.wait_face(window, reference.matches, refresh=program.main_window)
    ctx.save_shot(shot, name)
    colour = "green" if green else "blue"
    r.check(f"{colour} digits: background and dot centres equal the {colour} render "
            f"({width}x{height})", matched and not other.matches(shot),
            f"{reference.differing(shot)} solid pixels differ from the {colour} render; "
            f"blue centres {shot.count_colour(BLUE_FILL)}, green centres "
            f"{shot.count_colour(GREEN_FILL)}")
    # The render runs the program's own face code; the model does not, so a fault there shows.
    if face_model.comparable(width, height):
        wrong = face_model.mismatches(shot.pixel, width, height, FROZEN, green)
        r.check(f"{colour} digits: every dot's centre has the colour the face model gives it",
                not wrong, f"{len(wrong)} dot centres differ, the first (x, y, model, shot): "
                f"{wrong[:3]}")


def digit_colours(ctx):
    """"BlueNumbers" = "0" with "BlueNumbers.scr" = "1": green on the desktop, blue in "/s"."""
    r = ctx.report
    ctx.registry.reset({**OPAQUE_NO_FADE, "BlueNumbers": "0", "BlueNumbers.scr": "1"})
    program = ctx.start(clock=FROZEN)
    window = program.wait_main_window()
    if r.check("the desktop clock appears", window is not None):
        _face_check(ctx, program, window, True, "green-face.png")
        ctx.quit_with_escape(program, window)

    program = ctx.start("/s", clock=FROZEN)
    window = program.wait_main_window(lambda w: w["visible"] and w["rect"] == SCREEN_RECT)
    if r.check("the screensaver appears", window is not None and window["visible"]):
        _face_check(ctx, program, window, False, "blue-face.png")
        ctx.activate(window)
        ctx.x.key("space")
        r.check("a key ends the screensaver", program.wait_exit(8) == 0)


def running_clock(ctx):
    """TAVRINO_TIME=01:59:57+ runs on: the ring steps each second, the digits turn to 02:00."""
    r = ctx.report
    ctx.registry.reset(OPAQUE_NO_FADE)
    started = time.monotonic()
    program = ctx.start(clock="01:59:57+")
    window = program.wait_main_window()
    if not r.check("the clock window appears", window is not None and window["visible"]):
        return
    left, top, right, bottom = window["client"]
    # The screenshots come first, from the moment the window appears: the reference renders take
    # their time and would let 01:59:58 pass unseen. The clock reaches 02:00:01 four seconds after
    # its start; the screenshots after its first sighting are left out.
    shots = []  # (time, screenshot)
    deadline = started + 7.0
    while time.monotonic() < deadline:
        shots.append((time.monotonic(), ctx.client_shot(window)))
        time.sleep(0.02)  # the polling interval: ~40 screenshots a second
    # Only the dot centres: they show each second's ring and the digits, whatever a repaint
    # leaves around the dots.
    frames = [(label, ctx.solid_render(label, right - left, bottom - top, colours=DOT_CENTRES))
              for label in ("01:59:57", "01:59:58", "01:59:59", "02:00:00", "02:00:01")]

    def identify(shot):
        return next((label for label, reference in frames if reference.matches(shot)), None)

    seen = []  # (time, label or None) for every screenshot up to the first of 02:00:01
    shot = None
    for moment, shot in shots:
        seen.append((moment, identify(shot)))
        if seen[-1][1] == "02:00:01":
            break
    first = {}
    for moment, label in seen:
        if label is not None and label not in first:
            first[label] = moment
    order = [label for _, label in seen if label is not None]
    gaps = [b[0] - a[0] for a, b in zip(seen, seen[1:])]
    longest_gap = max(gaps) if gaps else 0.0
    unmatched = sum(1 for _, label in seen if label is None)
    # A screenshot taken in the middle of a repaint may match nothing; a face that stays wrong
    # (ring and digits out of step, a wrong colour) shows up as a run of unmatched screenshots.
    # What a repaint leaves around the dots is checked on the last screenshot below.
    longest_unmatched, run = 0, 0
    first_match = next((i for i, (_, label) in enumerate(seen) if label is not None), len(seen))
    for _, label in seen[first_match:]:
        run = run + 1 if label is None else 0
        longest_unmatched = max(longest_unmatched, run)
    r.note(f"{len(seen)} screenshots, longest gap {longest_gap:.2f} s, {unmatched} unmatched; "
           f"first seen: " + ", ".join(f"{k} +{v - seen[0][0]:.2f} s" for k, v in first.items()))
    r.check("every second from 01:59:58 to 02:00:01 appears, in order",
            all(label in first for label in ("01:59:58", "01:59:59", "02:00:00", "02:00:01")) and
            order == sorted(order), f"seen {sorted(first)}")
    r.check("every screenshot shows the dot centres of one rendered face (ring and digits "
            "change together)", longest_unmatched <= 2,
            f"{longest_unmatched} screenshots in a row matched no render")
    if all(label in first for label in ("01:59:58", "01:59:59", "02:00:00")):
        # Each first sighting lies between the change on screen and one screenshot later; the
        # program's seconds are one second apart, so 02:00 must follow 01:59:58 after 2 s plus
        # at most a quarter second of tick and one screenshot interval.
        step = first["02:00:00"] - first["01:59:58"]
        limit = 2.0 + 0.25 + longest_gap
        r.check("the digits turn to 02:00 within a quarter second of the minute",
                1.75 - longest_gap <= step <= limit,
                f"02:00:00 first seen {step:.2f} s after 01:59:58 (allowed up to {limit:.2f})")
    if seen and seen[-1][1] == "02:00:01":
        # The minute's turn repainted the whole ring unlit over the lit dots of 01:59:59: the
        # background around them must be as clean as in a face drawn once.
        clean = ctx.solid_render("02:00:01", right - left, bottom - top)
        ctx.save_shot(shot, "running-clock-02-00-01.png")
        r.check("after the minute's turn no trace of the lit ring dots is left around them",
                clean.matches(shot), f"{clean.differing(shot)} background pixels differ from "
                f"the render (screenshot running-clock-02-00-01.png)")
    ctx.quit_with_escape(program, window)
