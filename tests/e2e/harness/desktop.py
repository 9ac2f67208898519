"""The desktop clock: first start, closing, dragging and resizing, placement, read-only store."""

from .expect import (FRESH_DESKTOP_STORE, FROZEN, LOCK_BOX, OPAQUE_NO_FADE, SCREEN_RECT,
                     WINDOW_KEYS, centre_of, child_by_text, has_app_window, has_caption,
                     is_layered, is_topmost, opacity_for, size_of, store_difference)
from .polling import holds_for, wait_for
from .wineside import WS_THICKFRAME


def first_start(ctx):
    """Fresh store, no switch: placement, styles, window-manager state, translucency, pixels."""
    r, x = ctx.report, ctx.x
    ctx.registry.clear()
    program = ctx.start(clock=FROZEN)
    window = program.wait_main_window(lambda w: w["visible"] and w["rect"] == [32, 32, 288, 288])
    if not r.check("the clock window appears", window is not None and window["visible"],
                   f"saw {window}"):
        return
    r.check("it opens at 32, 32 with 256 x 256 pixels", window["rect"] == [32, 32, 288, 288],
            f"rect {window['rect']}")
    r.check("no caption style bits, sizing border kept",
            not has_caption(window) and window["style"] & WS_THICKFRAME,
            f"style {window['style']:#010x}")
    r.check("no frame: the client area is the whole window, from its top edge",
            window["client"] == window["rect"], f"client {window['client']}")
    decorations = x.motif_decorations(window["xid"])
    r.check("the window manager is asked for no title bar",
            decorations is not None and decorations & 0x8 == 0,
            f"_MOTIF_WM_HINTS decorations {decorations}")
    xid = window["xid"]
    state = x.net_wm_state(xid)
    r.check("no taskbar button",
            not has_app_window(window) and "_NET_WM_STATE_SKIP_TASKBAR" in state,
            f"exstyle {window['exstyle']:#x}, _NET_WM_STATE {sorted(state)}")
    expected_opacity = opacity_for(63)
    faded = wait_for(lambda: x.opacity(xid) == expected_opacity, timeout=10)
    window = program.main_window()
    r.check("translucent with alpha 192 after the fade-in",
            faded and window["layered"]["alpha"] == 192 and is_layered(window),
            f"opacity {x.opacity(xid)}, layered {window['layered']}")
    state = x.net_wm_state(xid)
    r.check("not topmost", not is_topmost(window) and "_NET_WM_STATE_ABOVE" not in state,
            f"exstyle {window['exstyle']:#x}, _NET_WM_STATE {sorted(state)}")
    status = ctx.quit_with_escape(program, window)
    r.check("Esc closes it", status == 0, f"exit status {status}")

    # The pixels, with translucency off so that nothing but the face is on screen.
    ctx.registry.reset({"Transparence": "0"})
    program = ctx.start(clock=FROZEN)
    window = program.wait_main_window()
    if not r.check("an opaque clock appears", window is not None and window["visible"]):
        return
    r.check("translucency 0 leaves the window opaque and not layered",
            not is_layered(window) and x.opacity(window["xid"]) is None,
            f"exstyle {window['exstyle']:#x}, opacity {x.opacity(window['xid'])}")
    left, top, right, bottom = window["client"]
    width, height = right - left, bottom - top
    solid = ctx.solid_render(FROZEN, width, height)
    shot, _ = ctx.wait_face(window, solid.matches, refresh=program.main_window)
    ctx.save_shot(shot, "desktop-clock.png")
    r.check(f"background and dot centres equal tavrino-render {FROZEN} at {width}x{height}",
            solid.matches(shot), f"{solid.differing(shot)} solid pixels differ")
    reference = ctx.render(FROZEN, width, height)
    r.check("the client area equals the render pixel for pixel, anti-aliased edges included",
            shot.data == reference.data,
            f"{shot.differing_pixels(reference)} pixels differ (screenshot in {ctx.shots_dir})")
    ctx.quit_with_escape(program, window)


def closing(ctx):
    """Esc closes and leaves the store of a first run; Shift+Esc and Ctrl+Esc do not close."""
    r = ctx.report
    ctx.registry.clear()
    program = ctx.start(clock=FROZEN)
    # At its place: under Wine the window manager may show it elsewhere for a moment.
    window = program.wait_main_window(lambda w: w["visible"] and w["rect"][:2] == [32, 32])
    if not r.check("the clock window appears", window is not None and window["visible"]):
        return
    dx, dy = offset_from_first_place(r, window)
    expected = {**FRESH_DESKTOP_STORE, "WinLeft": str(32 + dx), "WinTop": str(32 + dy)}
    activated = r.check("the clock window gets the keyboard focus", ctx.activate(window))
    sent = ctx.x.key("shift+Escape") and ctx.x.key("ctrl+Escape")
    r.check("Shift+Esc and Ctrl+Esc leave it open",
            activated and sent and holds_for(program.running, 0.8), f"keys sent {sent}")
    # Esc to the same focus, without activating again: the keys above reached the clock too.
    ctx.x.key("Escape")
    status = program.wait_exit(8)
    r.check("Esc closes it, exit status 0", status == 0, f"exit status {status}")
    store = ctx.observer.registry()
    r.check("the store holds exactly the values of a first desktop run",
            store == expected, store_difference(store, expected))


def offset_from_first_place(r, window):
    """How far from 32, 32 Wine's window manager put a first run's window: now and then, on a
    loaded machine, it keeps a new window at 0, 0. The program stores and moves the window from
    where it is, so the checks after the first start's take that as their origin; the first
    start's check holds the program to 32, 32."""
    dx, dy = window["rect"][0] - 32, window["rect"][1] - 32
    if (dx, dy) != (0, 0):
        r.note(f"the window manager placed the new window at {32 + dx}, {32 + dy}, not 32, 32")
    return dx, dy


def dragging_and_placement(ctx):
    """Drag, position lock, minimum size, the saved rectangle and an off-screen rectangle."""
    r, x = ctx.report, ctx.x
    ctx.registry.reset(OPAQUE_NO_FADE)
    program = ctx.start(clock=FROZEN)
    window = program.wait_main_window(lambda w: w["visible"] and w["rect"][:2] == [32, 32])
    if not r.check("the clock window appears", window is not None and window["visible"]):
        return
    dx, dy = offset_from_first_place(r, window)  # every place below is relative to it

    def at(*points):
        return [v + (dx if i % 2 == 0 else dy) for i, v in enumerate(points)]

    start = centre_of(window["client"])
    x.drag(start, (start[0] + 100, start[1] + 60))
    moved = program.wait_main_window(lambda w: w["rect"][:2] == at(132, 92), timeout=3)
    r.check("a left-button drag moves the window by the pointer's displacement (100, 60)",
            moved["rect"] == at(132, 92, 388, 348), f"rect {moved['rect']}")
    # The edges resize it as a sizing border would: the right edge, then the top left corner.
    x.drag(tuple(at(386, 220)), tuple(at(426, 220)))
    widened = program.wait_main_window(lambda w: w["rect"] == at(132, 92, 428, 348), timeout=3)
    r.check("a drag on the right edge widens it by 40",
            widened is not None and widened["rect"] == at(132, 92, 428, 348),
            f"rect {program.main_window()['rect']}")
    x.drag(tuple(at(134, 94)), tuple(at(114, 74)))
    grown = program.wait_main_window(lambda w: w["rect"] == at(112, 72, 428, 348), timeout=3)
    r.check("a drag on the top left corner moves that corner by (-20, -20)",
            grown is not None and grown["rect"] == at(112, 72, 428, 348),
            f"rect {program.main_window()['rect']}")

    x.xdotool("windowsize", window["xid"], 12, 12)
    sprung = program.wait_main_window(lambda w: size_of(w) == (32, 32), timeout=3)
    r.check("a resize to 12 x 12 springs back to 32 x 32", size_of(sprung) == (32, 32),
            f"rect {sprung['rect']}")
    status = ctx.quit_with_escape(program, sprung)
    store = ctx.observer.registry() or {}
    saved = {k: store.get(k) for k in WINDOW_KEYS}
    left, top = at(112, 72)
    r.check("the rectangle is saved in pixels at exit",
            status == 0 and saved == {"WinLeft": str(left), "WinTop": str(top), "WinWidth": "32",
                                      "WinHeight": "32"}, f"exit {status}, stored {saved}")

    program = ctx.start(clock=FROZEN)
    reopened = [left, top, left + 32, top + 32]
    window = program.wait_main_window(lambda w: w["visible"] and w["rect"] == reopened)
    # Kept at 0, 0 by the window manager, as a first run's window now and then is on a loaded
    # machine: the saved size shows the program read the rectangle.
    kept_at_corner = (window is not None and window["rect"] == [0, 0, 32, 32]
                      and reopened[:2] != [0, 0])
    if kept_at_corner:
        r.note("the window manager kept the second run's window at 0, 0, its saved size kept")
    r.check("a second run opens at the saved rectangle",
            window is not None and (window["rect"] == reopened or kept_at_corner),
            f"rect {window and window['rect']}")
    ctx.quit_with_escape(program, window)

    ctx.registry.reset({**OPAQUE_NO_FADE, "LockWindow": "1"})
    program = ctx.start(clock=FROZEN)
    window = program.wait_main_window(lambda w: w["visible"] and w["rect"][:2] == [32, 32])
    if r.check("a clock with \"LockWindow\" = 1 appears", window is not None and
               window["rect"] == [32, 32, 288, 288], f"window {window and window['rect']}"):
        start = centre_of(window["client"])
        x.drag(start, (start[0] + 100, start[1] + 60))
        still = holds_for(lambda: program.main_window()["rect"] == [32, 32, 288, 288], 0.8)
        r.check("with \"LockWindow\" = 1 a drag does not move it", still,
                f"rect {program.main_window()['rect']}")
        # Unlocked in the dialog, the same drag moves it: the drag above did reach the clock.
        ctx.activate(window)
        x.key("F1")
        dialog = program.wait_dialog()
        lock = child_by_text(dialog, LOCK_BOX)
        if r.check("F1 shows the lock box", lock is not None,
                   f"dialog {'without the box' if dialog else 'not shown'}"):
            x.click(*centre_of(lock["rect"]))
            ctx.activate(dialog)
            x.key("Return")
            program.wait_dialog(lambda d: not d["visible"], timeout=3)
            x.drag(start, (start[0] + 100, start[1] + 60))
            moved = program.wait_main_window(lambda w: w["rect"][:2] == [132, 92], timeout=3)
            r.check("once the box is cleared, the same drag moves it",
                    moved is not None and moved["rect"][:2] == [132, 92],
                    f"rect {moved and moved['rect']}")
        ctx.quit_with_escape(program, program.main_window())

    ctx.registry.reset({**OPAQUE_NO_FADE, "WinLeft": "-30000", "WinTop": "25000",
                        "WinWidth": "200", "WinHeight": "150"})
    program = ctx.start(clock=FROZEN)
    window = program.wait_main_window()
    inside = window is not None and (
        window["rect"][0] >= SCREEN_RECT[0] and window["rect"][1] >= SCREEN_RECT[1] and
        window["rect"][2] <= SCREEN_RECT[2] and window["rect"][3] <= SCREEN_RECT[3])
    r.check("a rectangle stored far outside the screen opens on the screen, size kept",
            inside and size_of(window) == (200, 150), f"rect {window and window['rect']}")
    if window is not None:
        ctx.quit_with_escape(program, window)


def read_only_store(ctx):
    """A settings key the program may only read: it runs, shows the stored rectangle, exits."""
    r = ctx.report
    stored = {**OPAQUE_NO_FADE, "WinLeft": "100", "WinTop": "120"}
    ctx.registry.reset(stored)
    try:
        locked = ctx.observer.lock_key()
        refused = ctx.registry.try_add("Probe", "1") != 0
        if not r.check("the settings key is read-only (a write is refused)", locked and refused,
                       f"lock-key {'ok' if locked else 'failed'}, test write "
                       f"{'refused' if refused else 'accepted'}"):
            return
        program = ctx.start(clock=FROZEN)
        window = program.wait_main_window(lambda w: w["visible"] and w["rect"][:2] == [100, 120])
        r.check("the clock runs with the stored rectangle",
                window is not None and window["rect"][:2] == [100, 120],
                f"window {window and window['rect']}")
        if window is not None:
            ctx.activate(window)
            x0, y0 = centre_of(window["client"])
            ctx.x.drag((x0, y0), (x0 + 40, y0 + 40))
            # A new rectangle the program then fails to write.
            moved = program.wait_main_window(lambda w: w["rect"][:2] == [140, 160], timeout=3)
            r.check("a drag moves it to 140, 160", moved is not None and
                    moved["rect"][:2] == [140, 160], f"rect {moved and moved['rect']}")
            status = ctx.quit_with_escape(program, window)
            r.check("it exits cleanly when its writes fail", status == 0,
                    f"exit status {status}")
        config = ctx.start("/c")
        dialog = config.wait_dialog()
        if dialog is not None:
            ctx.activate(dialog)
            ctx.x.key("Return")
        status = config.wait_exit(8)
        r.check("\"/c\" shows the dialog and OK ends it cleanly",
                dialog is not None and status == 0, f"dialog {dialog is not None}, exit {status}")
        store = ctx.observer.registry()
        r.check("the store is unchanged", store == stored, store_difference(store, stored))
    finally:
        ctx.observer.unlock_key()
        ctx.registry.clear()


def _ansi_hex(text):
    """A .reg hex list of the text's bytes, as REGEDIT4 stores text of the types other than REG_SZ."""
    return ",".join(f"{byte:02x}" for byte in text.encode("ascii"))


def hostile_values(ctx):
    """Values of every registry type but plain text, a text with a null inside and one of 30,000
    characters: the clock starts with its defaults for what it cannot read and saves plain text."""
    r = ctx.report
    ctx.registry.clear()
    ctx.registry.set_raw({
        "TaskBar": "dword:00000001",
        "OnTop": "hex(b):01,00,00,00,00,00,00,00",
        "LockWindow": "hex:31,00",
        "BlueNumbers": "hex(2):" + _ansi_hex("%SystemRoot%\0"),
        "Fading": "hex(7):" + _ansi_hex("0\0\0"),
        "Transparence": "hex(1):" + _ansi_hex("0\0" "99\0"),  # reads as "0": opaque
        "WinLeft": '"' + "9" * 30000 + '"',
        "WinTop": "hex(0):31,00",
        "WinWidth": "dword:00000064",
        "WinHeight": "hex(2):" + _ansi_hex("100\0"),
    })
    stored = ctx.registry.types()
    r.check("the store holds the hostile values", stored.get("WinWidth") == "REG_DWORD" and
            stored.get("Fading") == "REG_MULTI_SZ", f"types {stored}")
    program = ctx.start(clock=FROZEN)
    window = program.wait_main_window(lambda w: w["visible"] and w["rect"] == [32, 32, 288, 288])
    if not r.check("the clock opens at its default size", window is not None and
                   window["rect"][2] - window["rect"][0] == 256 and
                   window["rect"][3] - window["rect"][1] == 256,
                   f"rect {window and window['rect']}"):
        program.stop()
        return
    r.check("opaque from the text before the null", not is_layered(window) or
            window["layered"]["alpha"] == 255, f"layered {window['layered']}")
    # Its default place is 32, 32, unless the window manager kept it elsewhere; it is stored
    # from where it is when it closes.
    dx, dy = offset_from_first_place(r, program.main_window() or window)
    r.check("it is at its default place, 32, 32, or where the window manager keeps it, 0, 0",
            (dx, dy) in ((0, 0), (-32, -32)), f"at {32 + dx}, {32 + dy}")
    status = ctx.quit_with_escape(program, window)
    r.check("Esc closes it, exit status 0", status == 0, f"exit status {status}")
    expected = {**FRESH_DESKTOP_STORE, "Transparence": "0", "WinLeft": str(32 + dx),
                "WinTop": str(32 + dy)}
    store = ctx.observer.registry()
    types = ctx.registry.types()
    r.check("every value is saved as plain text with the defaults where it was unreadable",
            store == expected and set(types.values()) == {"REG_SZ"},
            f"{store_difference(store, expected)}; types {types}")
