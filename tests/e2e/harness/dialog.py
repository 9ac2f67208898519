"""The settings dialog: F1 on the desktop clock, and the configuration mode "/c" (also from a host's
window, and as the ".scr" started alone)."""

from .environment import SCREEN_HEIGHT, SCREEN_WIDTH
from .expect import (DIALOG_TEXTS, FRESH_SCREENSAVER_STORE, FROZEN, LOCK_BOX, ON_TOP_BOX,
                     TASK_BOX, centre_of, child_by_text, has_app_window, is_topmost,
                     opacity_for, store_difference)
from .polling import holds_for, wait_for
from .screensaver_frame import check_frame, check_no_frame, set_by_keys
from .wineside import DIALOG_CAPTION, is_dialog

SLIDER_CLASSES = ("msctls_trackbar32", "ScrollBar")


def _slider(dialog):
    for child in dialog["children"]:
        if child["class"] in SLIDER_CLASSES:
            return child
    return None


def _number_label(dialog, slider):
    """LTVal: the static text right of the slider."""
    for child in dialog["children"]:
        if (child["class"] == "Static" and child["rect"][0] >= slider["rect"][2] - 2 and
                abs(child["rect"][1] - slider["rect"][1]) < 12):
            return child
    return None


def _wait_topmost_band(ctx, program, wanted):
    """Polls until both windows are (or are not) in the topmost band, Windows and X side."""
    def both():
        main, dialog = program.main_window(), program.dialog()
        if main is None or dialog is None:
            return False
        return all(is_topmost(w) == wanted and
                   ("_NET_WM_STATE_ABOVE" in ctx.x.net_wm_state(w["xid"])) == wanted
                   for w in (main, dialog))
    return wait_for(both, timeout=3)


def _wait_taskbar_button(ctx, program, wanted):
    def matches():
        main = program.main_window()
        return main is not None and has_app_window(main) == wanted and (
            "_NET_WM_STATE_SKIP_TASKBAR" not in ctx.x.net_wm_state(main["xid"])) == wanted
    return wait_for(matches, timeout=3)


def f1_dialog(ctx):
    """F1 opens the dialog; its boxes and slider act at once; Enter saves and hides it."""
    r, x = ctx.report, ctx.x
    ctx.registry.clear()
    program = ctx.start(clock=FROZEN)
    main = program.wait_main_window()
    if not r.check("the clock window appears", main is not None and main["visible"]):
        return
    wait_for(lambda: x.opacity(main["xid"]) == opacity_for(63), timeout=10)
    ctx.activate(main)
    x.key("F1")
    dialog = program.wait_dialog()
    if not r.check("F1 opens the dialog", dialog is not None and dialog["visible"]):
        return
    r.check("caption \" Tavrino  (Bildschirmschoner)\"", dialog["title"] == DIALOG_CAPTION,
            repr(dialog["title"]))
    centre = centre_of(dialog["rect"])
    r.check("centred on the screen",
            abs(centre[0] - SCREEN_WIDTH // 2) <= 1 and abs(centre[1] - SCREEN_HEIGHT // 2) <= 1,
            f"rect {dialog['rect']}")
    texts = {child["title"] for child in dialog["children"]}
    missing = [text for text in DIALOG_TEXTS if text not in texts]
    r.check("every German text of the dialog is present", not missing,
            f"missing {missing}; found {sorted(texts)}")
    check_no_frame(ctx, dialog)
    def topmost_without_button():
        now = program.dialog()
        state = x.net_wm_state(now["xid"])
        return (is_topmost(now) and "_NET_WM_STATE_ABOVE" in state and
                "_NET_WM_STATE_SKIP_TASKBAR" in state)

    wait_for(topmost_without_button, timeout=2)
    dialog = program.dialog()
    state = x.net_wm_state(dialog["xid"])
    r.check("the dialog is topmost and has no taskbar button", topmost_without_button(),
            f"exstyle {dialog['exstyle']:#x}, _NET_WM_STATE {sorted(state)}")
    wait_for(lambda: False, timeout=0.3)  # let the dialog settle before it is photographed
    ctx.save_shot(x.screenshot(dialog["rect"][0], dialog["rect"][1],
                               dialog["rect"][2] - dialog["rect"][0],
                               dialog["rect"][3] - dialog["rect"][1]), "dialog.png")

    on_top = child_by_text(dialog, ON_TOP_BOX)
    if r.check(f"the box {ON_TOP_BOX!r} is there", on_top is not None):
        x.click(*centre_of(on_top["rect"]))
        r.check("ticking \"immer im Vordergrund\" puts both windows into the topmost band",
                _wait_topmost_band(ctx, program, True),
                f"main exstyle {program.main_window()['exstyle']:#x}, dialog exstyle "
                f"{program.dialog()['exstyle']:#x}")

    task = child_by_text(dialog, TASK_BOX)
    if r.check(f"the box {TASK_BOX!r} is there", task is not None):
        x.click(*centre_of(task["rect"]))
        r.check("ticking the taskbar box gives the clock a taskbar button",
                _wait_taskbar_button(ctx, program, True))
        x.click(*centre_of(task["rect"]))
        r.check("clearing it takes the button away again", _wait_taskbar_button(ctx, program,
                                                                               False))
        x.click(*centre_of(task["rect"]))
        _wait_taskbar_button(ctx, program, True)

    slider = _slider(dialog)
    label = _number_label(dialog, slider) if slider else None
    amount = "63"
    if r.check("the slider and its number are there", slider is not None and label is not None,
               f"children {[(c['class'], c['title']) for c in dialog['children']]}"):
        r.check("the number shows the stored amount 63", label["title"] == "63",
                repr(label["title"]))

        def number():
            return (ctx.observer.window(label["hwnd"]) or {}).get("title")

        def consistent(expected=None):
            """The number beside the slider and the clock's opacity agree (and show expected)."""
            shown = number()
            main_now = program.main_window()
            if shown is None or not shown.isdigit() or main_now is None:
                return False
            value = int(shown)
            return ((expected is None or value == expected) and
                    x.opacity(main_now["xid"]) == opacity_for(value) and
                    main_now["layered"]["alpha"] == 255 - value)

        def state():
            main_now = program.main_window()
            return (f"number {number()!r}, opacity {x.opacity(main_now['xid'])}, "
                    f"alpha {main_now['layered']['alpha']}")

        # The mouse: a click on the channel right of the thumb moves it one page up.
        x.click(slider["rect"][0] + (slider["rect"][2] - slider["rect"][0]) * 9 // 10,
                (slider["rect"][1] + slider["rect"][3]) // 2)
        moved = wait_for(lambda: number() != "63" and consistent(), timeout=3)
        r.check("a click on the slider moves it; the number and the opacity follow at once",
                moved, state())
        # The keyboard on the focused slider, key after key.
        for key, expected in (("End", 239), ("Home", 0), ("Right Right Right", 3)):
            x.key(*key.split())
            r.check(f"slider key {key}: number {expected} and the opacity at once",
                    wait_for(lambda value=expected: consistent(value), timeout=3),
                    state() + f"; keyboard focus on {ctx.observer.cursor().get('focus')} "
                    f"(slider {slider['hwnd']})")
        amount = number()

    ctx.activate(program.dialog())
    x.key("Return")
    hidden = program.wait_dialog(lambda d: not d["visible"], timeout=3)
    r.check("Enter saves and hides the dialog; the clock keeps running",
            hidden is not None and not hidden["visible"] and program.running())
    store = ctx.observer.registry() or {}
    expected = {"TaskBar": "1", "OnTop": "1", "LockWindow": "0", "BlueNumbers": "1",
                "Fading": "1", "Transparence": amount}
    r.check("the options shown are in the store", store == expected,
            store_difference(store, expected))
    main = program.main_window()
    status = ctx.quit_with_escape(program, main)
    r.check("Esc then closes the clock", status == 0, f"exit status {status}")


def configuration_mode(ctx):
    """"/c": only the dialog; OK stores the screensaver options; on-top has no effect here."""
    r, x = ctx.report, ctx.x
    ctx.registry.clear()
    maps = ctx.map_log()
    program = ctx.start("/c")
    dialog = program.wait_dialog()
    if not r.check("\"/c\" shows the dialog", dialog is not None and dialog["visible"]):
        maps.close()
        return
    main = program.main_window()
    r.check("the clock window is not shown", main is None or not main["visible"],
            f"main {main and main['rect']}")
    disabled = [text for text in (TASK_BOX, ON_TOP_BOX, LOCK_BOX)
                if (child_by_text(dialog, text) or {}).get("enabled", True)]
    r.check("taskbar, on-top and lock boxes are greyed out", not disabled,
            f"enabled: {disabled}")
    check_frame(ctx, dialog, 96)
    # The dialog takes its band just after it is shown; on a loaded machine that can be after
    # the first look at it.
    first_topmost = is_topmost(program.wait_dialog(is_topmost, timeout=2) or dialog)
    ctx.activate(dialog)
    x.key("Return")
    status = program.wait_exit(8)
    r.check("OK ends the program", status == 0, f"exit status {status}")
    r.check("only one window was ever mapped (the dialog)", maps.count() == 1,
            f"{maps.count()} windows mapped")
    maps.close()
    store = ctx.observer.registry()
    r.check("a fresh store then holds \"TaskBar\" = \"1\" and the \".scr\" keys, no window keys",
            store == FRESH_SCREENSAVER_STORE, store_difference(store, FRESH_SCREENSAVER_STORE))

    # Only the on-top option is stored: OK must complete the store around it.
    ctx.registry.reset({"OnTop": "1"})
    program = ctx.start("/c")
    dialog = program.wait_dialog()
    if not r.check("\"/c\" with a stored on-top option shows the dialog", dialog is not None):
        return
    # The dialog takes its band just after it is shown, as it did in the first run.
    dialog = program.wait_dialog(lambda d: is_topmost(d) == first_topmost, timeout=2)
    main = program.main_window()
    r.check("a stored on-top option puts no window into the topmost band",
            is_topmost(dialog) == first_topmost and (main is None or not is_topmost(main)) and
            (main is None or not main["visible"]),
            f"dialog topmost {is_topmost(dialog)} (without the option {first_topmost}), "
            f"main {main and (main['visible'], is_topmost(main))}")
    changed = set_by_keys(ctx, program, dialog)
    ctx.activate(dialog)
    x.key("Return")
    status = program.wait_exit(8)
    r.check("OK ends it again", status == 0, f"exit status {status}")
    store = ctx.observer.registry()
    expected = {**FRESH_SCREENSAVER_STORE, "OnTop": "1", **changed}
    r.check("the options are saved as set, the on-top one unchanged, and no window keys are "
            "written", store == expected, store_difference(store, expected))


def _visible_dialog(ctx, image_name):
    """Polls until a window of the image is the visible settings dialog; returns it or None."""
    seen = {}

    def probe():
        seen["dialog"] = next((w for w in ctx.observer.windows(image_name)
                               if is_dialog(w) and w["visible"]), None)
        return seen["dialog"]

    wait_for(probe, timeout=8)
    return seen["dialog"]


def configuration_for_a_host(ctx):
    """"/c:<window>" from the system's settings: that window owns the dialog and is disabled while
    it is open. The ".scr" alone shows the dialog too."""
    r, x = ctx.report, ctx.x
    ctx.registry.clear()
    host = ctx.preview_host.start(ctx.program_exe, "--configure", "--exit-timeout-ms", "20000")
    host_window = (host.next_event("host", timeout=15) or {}).get("window", {})
    dialog = _visible_dialog(ctx, "tavrino.exe")
    if not r.check("\"/c:<window>\" shows the dialog", host_window and dialog is not None):
        host.stop()
        return
    r.check("the host's window owns the dialog", dialog["owner"] == host_window["hwnd"],
            f"owner {dialog['owner']}, host {host_window['hwnd']}")
    seen = ctx.observer.window(host_window["hwnd"]) or {}
    r.check("the host's window is disabled while the dialog is open",
            seen.get("enabled") is False, f"{seen.get('enabled')}")
    # The dialog takes its band just after it is shown.
    topmost = wait_for(lambda: is_topmost(ctx.observer.window(dialog["hwnd"]) or dialog), 2)
    r.check("the dialog keeps the topmost band", topmost, f"exstyle {dialog['exstyle']:#x}")
    ctx.activate(dialog)
    x.key("Return")
    ended = host.next_event("ended", timeout=25) or {}
    r.check("OK ends the program and the host's window is enabled again",
            ended.get("exit") == 0 and ended.get("host_enabled") is True, f"{ended}")
    host.stop()

    program = ctx.start(exe=ctx.screensaver_file(), image_name="tavrino.scr")
    dialog = program.wait_dialog()
    main = program.main_window()
    if r.check("the \".scr\" started without arguments shows the dialog",
               dialog is not None and dialog["visible"] and (main is None or not main["visible"]),
               f"dialog {dialog and dialog['visible']}, main {main and main['visible']}"):
        ctx.activate(dialog)
        x.key("Return")
        r.check("OK ends it", program.wait_exit(8) == 0)


def clock_right_after_escape(ctx):
    """"/c" closed with Esc and the desktop clock started at once, the Esc still held down as a
    user's finger may: the key belonged to the dialog, and the clock keeps running."""
    r = ctx.report
    ctx.registry.clear()
    config = ctx.start("/c")
    dialog = config.wait_dialog()
    if not r.check("\"/c\" shows the dialog", dialog is not None):
        return
    ctx.activate(dialog)
    ctx.x.xdotool("keydown", "Escape")
    try:
        program = ctx.start(clock=FROZEN)
        status = config.wait_exit(8)
        r.check("Esc ends the settings run", status == 0, f"exit status {status}")
        # The held key repeats into the clock's window once it has the focus.
        window = program.wait_main_window()
        holds_for(program.running, 1)
    finally:
        ctx.x.xdotool("keyup", "Escape")
    r.check("the clock started right after it is still running after 3 s",
            window is not None and holds_for(program.running, 2),
            f"window {window is not None}, exit status {program.wait_exit(0)}")
