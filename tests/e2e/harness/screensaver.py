"""The screensaver modes: full screen "/s" and the preview "/p <handle>"."""

import time

from .expect import (FRESH_SCREENSAVER_STORE, FROZEN, SCREEN_RECT, centre_of, is_layered,
                     is_topmost, opacity_for, store_difference)
from .polling import holds_for, wait_for
from .wineside import WS_CHILD


def _pointer_shown(ctx, wanted):
    """Polls until Wine's pointer state and the pointer image X shows both say wanted."""
    def matches():
        cursor = ctx.observer.cursor() or {}
        return cursor.get("showing") == wanted and ctx.pointer_hidden() == (not wanted)

    return wait_for(matches, timeout=3)


def pointer_on_ok(dialog_rect, twips=15):
    """Where the dialog's first activation puts the pointer in "/s": the OK button's centre in
    design units (twips, from the dialog's outer corner through Frame1) plus 16 pixels."""
    frame1_left, frame1_top, ok_left, ok_top, ok_width, ok_height = 1980, -30, 120, 1440, 3165, 375
    x = (dialog_rect[0] * twips + frame1_left + ok_left + ok_width / 2) / twips + 16
    y = (dialog_rect[1] * twips + frame1_top + ok_top + ok_height / 2) / twips + 16
    return round(x), round(y)


def _pointer_at(ctx, point):
    cursor = ctx.observer.cursor() or {}
    return abs(cursor.get("x", -99) - point[0]) <= 1 and abs(cursor.get("y", -99) - point[1]) <= 1


def _pointer_detail(ctx):
    cursor = ctx.observer.cursor() or {}
    return f"GetCursorInfo showing {cursor.get('showing')}, X pointer image hidden " \
           f"{ctx.pointer_hidden()}"


def wait_full_screen(ctx, program):
    """Polls until the screensaver covers the screen in the topmost band and its fade-in to the
    fresh store's translucency (31) has ended."""
    def ready(window):
        return (window["visible"] and window["rect"] == SCREEN_RECT and is_topmost(window) and
                "_NET_WM_STATE_ABOVE" in ctx.x.net_wm_state(window["xid"]) and
                ctx.x.opacity(window["xid"]) == opacity_for(31))
    return program.wait_main_window(ready, timeout=10)


def full_screen(ctx):
    """"/s": covers the screen, topmost, pointer hidden; keys and clicks end it, moves do not."""
    r, x = ctx.report, ctx.x
    ctx.registry.clear()
    x.move_pointer(600, 400)
    program = ctx.start("/s", clock=FROZEN)
    window = wait_full_screen(ctx, program)
    if not r.check("\"/s\" shows a window", window is not None and window["visible"]):
        return
    r.check("it covers the screen", window["rect"] == SCREEN_RECT, f"rect {window['rect']}")
    state = x.net_wm_state(window["xid"])
    r.check("it is topmost", is_topmost(window) and "_NET_WM_STATE_ABOVE" in state,
            f"exstyle {window['exstyle']:#x}, _NET_WM_STATE {sorted(state)}")
    x.move_pointer(610, 410)
    r.check("the pointer is hidden", _pointer_shown(ctx, False), _pointer_detail(ctx))
    ctx.save_shot(ctx.client_shot(window), "screensaver.png")

    ctx.activate(window)
    x.key("F1")
    dialog = program.wait_dialog()
    if r.check("F1 shows the dialog", dialog is not None and dialog["visible"]):
        r.check("the pointer is visible while the dialog is open", _pointer_shown(ctx, True),
                _pointer_detail(ctx))
        dialog = program.wait_dialog(lambda d: centre_of(d["rect"]) == centre_of(SCREEN_RECT),
                                     timeout=2)
        expected = pointer_on_ok(dialog["rect"])
        placed = wait_for(lambda: _pointer_at(ctx, expected), timeout=2)
        cursor = ctx.observer.cursor() or {}
        r.check("the pointer is put on the OK button (its design centre plus 16, 16 from the "
                "dialog's outer corner)", placed,
                f"pointer at {cursor.get('x')}, {cursor.get('y')}, expected {expected}; "
                f"dialog {dialog['rect']}")
        ctx.activate(dialog)
        x.key("Return")
        hidden = program.wait_dialog(lambda d: not d["visible"], timeout=3)
        r.check("OK hides the dialog and the screensaver keeps running",
                hidden is not None and not hidden["visible"] and program.running())
        r.check("OK hides the pointer again", _pointer_shown(ctx, False), _pointer_detail(ctx))

    ctx.activate(program.main_window())
    x.key("a")
    status = program.wait_exit(8)
    r.check("a key ends it", status == 0, f"exit status {status}")
    r.check("the pointer is visible again after a key", _pointer_shown(ctx, True),
            _pointer_detail(ctx))
    store = ctx.observer.registry()
    r.check("no window keys were written, the \".scr\" keys were",
            store == FRESH_SCREENSAVER_STORE, store_difference(store, FRESH_SCREENSAVER_STORE))

    program = ctx.start("/s", clock=FROZEN)
    window = wait_full_screen(ctx, program)
    if r.check("a second \"/s\" run shows its window", window is not None):
        moved = all(x.move_pointer(*point) for point in ((700, 450), (800, 520), (640, 512)))
        r.check("mouse moves do not end it", moved and holds_for(program.running, 0.8),
                f"pointer moved {moved}")
        r.check("the pointer is hidden again", _pointer_shown(ctx, False), _pointer_detail(ctx))
        before = ctx.observer.cursor()
        # A click where the moves ended ends it: pointer input did reach the screensaver.
        x.click(640, 512)
        status = program.wait_exit(8)
        r.check("a click ends it", status == 0,
                f"exit status {status}; before the click {before}, after {ctx.observer.cursor()}, "
                f"X focus {x.focused_window()} (window {window['xid']}, hwnd {window['hwnd']})")
        r.check("the pointer is visible again after a click", _pointer_shown(ctx, True),
                _pointer_detail(ctx))


def preview(ctx):
    """"/p <handle>" through our preview host, and the handles that must end the program."""
    r = ctx.report
    ctx.registry.clear()
    events, _ = ctx.preview_host.run(ctx.program_exe, "--destroy-after-ms", "500")
    host = events.get("host", {}).get("window")
    child_event = events.get("child", {})
    child = child_event.get("window")
    if not r.check("the program puts a child window into the host's window",
                   host is not None and child is not None, f"events {events}"):
        return
    r.check("the child fills the host's 152 x 112 client area at 0, 0",
            child["pos"] == [0, 0, 152, 112], f"child at {child['pos']}")
    r.check("its parent is the host's window and it is a visible child",
            child["parent"] == host["hwnd"] and child["style"] & WS_CHILD and child["visible"],
            f"parent {child['parent']} (host {host['hwnd']}), style {child['style']:#x}")
    r.check("it is neither topmost nor layered", not is_topmost(child) and not is_layered(child),
            f"exstyle {child['exstyle']:#x}")
    r.check("the host keeps the activation", child_event.get("host_foreground") is True)
    destroyed = events.get("destroyed", {})
    r.check("destroying the host's window ends the program",
            destroyed.get("ended") is True and destroyed.get("ended_before") is False,
            f"{destroyed}")
    r.check("the program exits with status 0", destroyed.get("exit") == 0, f"{destroyed}")

    for args in (["/p"], ["/p", "0"], ["/p:1234"], ["/p", "1234567"]):
        maps = ctx.map_log()
        program = ctx.start(*args)
        status = program.wait_exit(8)
        # The map log needs a moment to hear about a window mapped just before the exit.
        holds_for(lambda: maps.count() == 0, 0.2)
        mapped = maps.count()
        maps.close()
        r.check(f"\"{' '.join(args)}\" ends at once without a window",
                status == 0 and mapped == 0, f"exit {status}, {mapped} windows mapped")
    # The key was cleared before the preview: what is there now, the preview runs wrote.
    store = ctx.observer.registry()
    r.check("the preview runs saved their options and wrote no window keys",
            store is not None and not any(k.startswith("Win") for k in store), f"store {store}")


def one_at_a_time(ctx):
    """A second "/s" while one runs exits at once; another program taking the activation ends the
    running one."""
    r = ctx.report
    ctx.registry.clear()
    first = ctx.start("/s", clock=FROZEN)
    if not r.check("\"/s\" covers the screen", wait_full_screen(ctx, first) is not None):
        return
    maps = ctx.map_log()
    started = time.monotonic()
    second = ctx.start("/s", clock=FROZEN)
    status = second.wait_exit(8)
    elapsed = time.monotonic() - started
    holds_for(lambda: maps.count() == 0, 0.2)
    mapped = maps.count()
    maps.close()
    r.note(f"the second \"/s\" ended {elapsed:.2f} s after its start")
    r.check("a second \"/s\" exits at once without a window",
            status == 0 and mapped == 0 and elapsed < 2,
            f"exit {status} after {elapsed:.2f} s, {mapped} windows mapped")
    r.check("the first keeps running", holds_for(first.running, 0.5))

    other = ctx.start(exe="notepad", image_name="notepad.exe")
    window = other.wait_main_window(timeout=10)
    activated = window is not None and ctx.activate(window)
    status = first.wait_exit(5)
    r.check("another program taking the activation ends \"/s\"", activated and status == 0,
            f"other program activated {activated}, exit status {status}")
    r.check("the pointer is visible again", _pointer_shown(ctx, True), _pointer_detail(ctx))
    other.stop()


def preview_host_lost(ctx):
    """The preview ends when its host's process is killed (Wine then leaves the child window
    alive) or when the host stops taking its messages."""
    r = ctx.report
    host = ctx.preview_host.start(ctx.program_exe, "--destroy-on-file", "Z:\\nonexistent")
    child = host.next_event("child", timeout=15)
    if not r.check("the preview shows in the host", child is not None, f"{child}"):
        host.stop()
        return
    host.kill()
    killed = time.monotonic()
    ended = wait_for(lambda: not ctx.observer.windows("tavrino.exe"), timeout=5, interval=0.05)
    elapsed = time.monotonic() - killed
    r.note(f"the preview's process was gone {elapsed:.2f} s after the host's was killed")
    r.check("the host's process killed, \"/p\" ends within 2 s", ended and elapsed <= 2,
            f"ended {bool(ended)} after {elapsed:.2f} s")

    events, _ = ctx.preview_host.run(ctx.program_exe, "--hang-ms", "8000")
    hung = events.get("hung", {})
    r.note(f"the preview ended {hung.get('end_ms')} ms after the host stopped taking messages")
    r.check("the host hung, \"/p\" ends within about 6 s (the system calls it hung after 5)",
            hung.get("ended") is True and 0 <= hung.get("end_ms", -1) <= 6500, f"{hung}")
