#!/usr/bin/env python3
"""End-to-end checks of the native X11 program: starts build/<preset>/tavrino in an Xvfb desktop
(24-bit, openbox) of its own, drives it as a user or a screensaver daemon would, and checks what
they would see: the window's place and size (xwininfo), its window-manager hints (xprop), the
pointer, the pixels against the render tool's, whether the process ended, and what the settings
file holds; the settings dialog is the real dialog program, driven with the pointer and keys.

    python3 tests/e2e_x11/run_x11_e2e.py [--build build/linux] [--verbose]

Prints one line per check and closes with "N passed, N failed"; the exit status is 1 when any
check failed."""

import argparse
import contextlib
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from harness.environment import Environment  # noqa: E402
from harness.images import Image  # noqa: E402
from harness.polling import holds_for, wait_for  # noqa: E402
from harness.xside import X  # noqa: E402

import screensaverframe  # noqa: E402
import settingsfile  # noqa: E402
from hostwindow import FrameExtentsProbe, HostWindow, selection_owned  # noqa: E402

FIXED_TIME = "10:08:42"
# The desktop clock's first place and size at 96 pixels per inch, with nothing stored.
DEFAULT_GEOMETRY = (32, 32, 256, 256)
MINIMUM_PIXELS = 32
# The default translucency, 63 of 255, as _NET_WM_WINDOW_OPACITY: (255 - 63) * 0x01010101.
DEFAULT_OPACITY = 192 * 0x01010101
# Places in the settings dialog's client area, in pixels at 96 pixels an inch: the middles of the
# check marks of "in Task-Leiste sichtbar" and "immer im Vordergrund", and of the slider.
TASKBAR_BOX = (18, 150)
ON_TOP_BOX = (18, 168)
SLIDER = (168, 208)
# The slider at its end, 239 of 255.
LEAST_OPACITY = 16 * 0x01010101


class NativeEnvironment(Environment):
    """The harness's Xvfb and openbox, without Wine."""

    def start(self):
        self._start_xvfb()
        self._start_openbox()
        self._wait_until_windows_are_managed()

    def _wait_until_windows_are_managed(self):
        """openbox claims the display before it manages windows, and may miss a window mapped in
        between: a probe window is mapped until openbox frames it."""
        probe = HostWindow(self.display, 0, 0, 10, 10, managed=True)
        try:
            for _ in range(15):
                if wait_for(lambda: "=" in self.run(["xprop", "-id", str(probe.xid),
                                                     "_NET_FRAME_EXTENTS"]).stdout, timeout=2):
                    return
                probe.map_again()
            raise RuntimeError("openbox did not manage a window within 30 s")
        finally:
            probe.close()

    @contextlib.contextmanager
    def window_manager_stopped(self):
        """openbox stopped for the block; after it, openbox has done all it was asked meanwhile."""
        self._openbox.send_signal(signal.SIGSTOP)
        try:
            yield
        finally:
            self._openbox.send_signal(signal.SIGCONT)
            probe = FrameExtentsProbe(self.display)
            try:
                if not wait_for(lambda: "=" in self.run(["xprop", "-id", str(probe.xid),
                                                         "_NET_FRAME_EXTENTS"]).stdout):
                    raise RuntimeError("openbox did not answer within 5 s")
            finally:
                probe.close()

    def stop(self):
        for process in list(reversed(self._processes)):
            self.stop_process(process)


class Checks:
    def __init__(self, env, program, render, shots, verbose):
        self.env, self.program, self.render, self.shots = env, program, render, shots
        self.verbose = verbose
        self.x = X(env)
        self.passed = self.failed = 0

    def check(self, name, ok, detail=""):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
        print(f"{'PASS' if ok else 'FAIL'}  {name}" + (f"  ({detail})" if detail and
                                                      (not ok or self.verbose) else ""))
        return ok

    # -- the program ---------------------------------------------------------------------------

    def start(self, *arguments, env=None, prefix=(), stderr=subprocess.DEVNULL):
        environment = {**self.env.env, "TAVRINO_TIME": FIXED_TIME, **(env or {})}
        return self.env.spawn([*prefix, self.program, *arguments], env=environment,
                              stderr=stderr)

    @staticmethod
    def x_errors(log):
        """The X errors the program reported into log, a file it wrote its stderr to."""
        log.seek(0)
        return [line for line in log.read().decode(errors="replace").splitlines()
                if "X error" in line]

    def clock_window(self, timeout=5.0):
        def found():
            out = self.env.run(["xdotool", "search", "--onlyvisible", "--class", "tavrino"]).stdout
            ids = out.split()
            return int(ids[0]) if ids else None
        return wait_for(found, timeout=timeout)

    def geometry(self, xid):
        out = self.env.run(["xwininfo", "-id", str(xid)]).stdout
        values = [int(re.search(pattern + r":\s+(-?\d+)", out).group(1)) for pattern in
                  ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")]
        return tuple(values), "Override Redirect State: yes" in out

    def ended(self, process, timeout=5.0):
        return wait_for(lambda: process.poll() is not None, timeout=timeout)

    def close_clock(self, clock, xid):
        self.x.activate(xid)
        self.x.key("Escape")
        return self.ended(clock)

    def dialog_window(self, process):
        """The dialog program's window, started by the process, and its client area's place once
        the window has settled there; (None, None) when none is shown."""
        def shown():
            try:
                with open(f"/proc/{process.pid}/task/{process.pid}/children") as file:
                    pids = file.read().split()
            except FileNotFoundError:
                return []
            return self.visible_windows(int(pids[0])) if pids else []
        found = wait_for(shown)
        if not found:
            return None, None
        xid = found[0]

        def settled():
            place = self.geometry(xid)[0][:2]
            return holds_for(lambda: self.geometry(xid)[0][:2] == place, 0.3) and place
        return xid, wait_for(settled) or self.geometry(xid)[0][:2]

    def viewable(self, xid):
        out = self.env.run(["xwininfo", "-id", str(xid)]).stdout
        return "Map State: IsViewable" in out

    def visible_windows(self, pid):
        out = self.env.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)]).stdout
        return [int(xid) for xid in out.split()]

    def reference(self, width, height):
        path = os.path.join(self.shots, f"reference-{width}x{height}.png")
        subprocess.run([self.render, "--time", FIXED_TIME, "--size", f"{width}x{height}",
                        "--output", path], check=True, timeout=60)
        return Image.load(path)

    def render_of(self, clock, width, height, *options):
        """The render tool's picture at that time and size, with more of its options."""
        name = "-".join(["render", clock.replace(":", "-"), f"{width}x{height}", *options])
        path = os.path.join(self.shots, name.replace("--", "") + ".png")
        subprocess.run([self.render, "--time", clock, "--size", f"{width}x{height}", *options,
                        "--output", path], check=True, timeout=60)
        return Image.load(path)

    def shows_exactly(self, left, top, expected, name):
        """Whether the screen shows exactly the picture at left, top, waiting a while."""
        shot = None

        def same():
            nonlocal shot
            shot = self.x.screenshot(left, top, expected.width, expected.height)
            return shot.data == expected.data
        matched = wait_for(same, timeout=5.0)
        shot.save_png(os.path.join(self.shots, name + ".png"))
        return matched, "" if matched else f"{shot.differing_pixels(expected)} pixels differ"

    def shows_face(self, left, top, width, height, name):
        """Whether the screen shows exactly the render tool's face in the rectangle, waiting for
        it a while; the last shot is kept."""
        expected = self.reference(width, height)
        shot = None

        def same():
            nonlocal shot
            shot = self.x.screenshot(left, top, width, height)
            return shot.differing_pixels(expected) == 0
        matched = wait_for(same, timeout=5.0)
        shot.save_png(os.path.join(self.shots, name + ".png"))
        return matched, f"{shot.differing_pixels(expected)} pixels differ"

    # -- scenarios -----------------------------------------------------------------------------

    def desktop(self):
        started = time.monotonic()
        clock = self.start()
        xid = self.clock_window()
        mapped = time.monotonic() - started
        if not self.check("desktop clock: shown", xid is not None):
            return
        print(f"      start to mapped: {mapped * 1000:.0f} ms")
        geometry, _ = self.geometry(xid)
        self.check("desktop clock: default place and size", geometry == DEFAULT_GEOMETRY,
                   str(geometry))
        self.check("desktop clock: borderless", self.x.motif_decorations(xid) == 0 and
                   "= 0, 0, 0, 0" in self.x.prop(xid, "_NET_FRAME_EXTENTS"))
        icons = re.findall(r"Icon \((\d+) x (\d+)\)", self.x.prop(xid, "_NET_WM_ICON"))
        self.check("desktop clock: icons of 16, 32 and 48 pixels",
                   icons == [("16", "16"), ("32", "32"), ("48", "48")], str(icons))
        left, top, width, height = geometry
        matched, detail = self.shows_face(left, top, width, height, "desktop")
        self.check("desktop clock: shows the face", matched, detail)

        self.x.drag((left + 100, top + 100), (left + 150, top + 130))
        moved = wait_for(lambda: self.geometry(xid)[0][:2] == (left + 50, top + 30))
        self.check("desktop clock: a drag moves it", moved, str(self.geometry(xid)[0]))
        left, top = left + 50, top + 30

        corner = (left + width - 2, top + height - 2)
        self.x.drag(corner, (corner[0] + 40, corner[1] + 30))
        resized = wait_for(lambda: self.geometry(xid)[0] == (left, top, width + 40, height + 30))
        self.check("desktop clock: its edge resizes it", resized, str(self.geometry(xid)[0]))
        corner = (left + width + 40 - 2, top + height + 30 - 2)
        self.x.drag(corner, (left - 100, top - 100))
        smallest = wait_for(lambda: self.geometry(xid)[0][2:] == (MINIMUM_PIXELS, MINIMUM_PIXELS))
        self.check("desktop clock: no smaller than 32 pixels", smallest,
                   str(self.geometry(xid)[0]))

        self.x.activate(xid)
        self.x.key("Escape")
        self.check("desktop clock: Esc ends it", self.ended(clock) and clock.returncode == 0,
                   f"exit {clock.poll()}")

    def translucency(self):
        """Under a compositor the desktop clock fades in to its stored translucency; the frame the
        window manager put around it carries the opacity too, as compositors read it there."""
        compositor = self.env.spawn(["xcompmgr"])
        try:
            if not self.check("translucency: compositor running", wait_for(
                    lambda: selection_owned(self.env.display, "_NET_WM_CM_S0"))):
                return
            clock = self.start()
            xid = self.clock_window()
            if not self.check("translucency: clock shown", xid is not None):
                return
            seen = set()

            def faded_in():
                seen.add(self.x.opacity(xid))
                return self.x.opacity(xid) == DEFAULT_OPACITY
            self.check("translucency: fades in step by step",
                       wait_for(faded_in) and len(seen - {None, DEFAULT_OPACITY}) >= 3,
                       f"{len(seen)} levels seen")
            frame = int(re.search(r"Parent window id: (0x[0-9a-f]+)", self.env.run(
                ["xwininfo", "-children", "-id", str(xid)]).stdout).group(1), 16)
            self.check("translucency: on the window manager's frame as well",
                       self.x.opacity(frame) == DEFAULT_OPACITY)
            self.x.activate(xid)
            self.x.key("Escape")
            self.ended(clock)
        finally:
            self.env.stop_process(compositor)

    def position_lock(self):
        settingsfile.write(self.env.env, b"[Tavrino]\nLockWindow=1\n")
        clock = self.start()
        xid = self.clock_window()
        if not self.check("position lock: clock shown", xid is not None):
            self.env.stop_process(clock)
            return
        left, top = DEFAULT_GEOMETRY[:2]
        self.x.drag((left + 100, top + 100), (left + 150, top + 130))
        self.check("position lock: a drag does not move it",
                   holds_for(lambda: self.geometry(xid)[0] == DEFAULT_GEOMETRY, 1.0),
                   str(self.geometry(xid)[0]))
        self.close_clock(clock, xid)

    def malformed_settings(self):
        settingsfile.write(self.env.env, settingsfile.malformed())
        clock = self.start()
        xid = self.clock_window()
        if not self.check("malformed settings: clock shown", xid is not None):
            self.env.stop_process(clock)
            return
        geometry = self.geometry(xid)[0]
        self.check("malformed settings: default place and size", geometry == DEFAULT_GEOMETRY,
                   str(geometry))
        self.check("malformed settings: Esc ends it", self.close_clock(clock, xid))
        kept = settingsfile.lines(self.env.env)
        self.check("malformed settings: the unreadable lines are kept",
                   all(line in kept for line in settingsfile.UNREADABLE_LINES))
        stored = settingsfile.values(self.env.env)
        rect = tuple(settingsfile.number(stored, key)
                     for key in ("WinLeft", "WinTop", "WinWidth", "WinHeight"))
        self.check("malformed settings: the clock's rectangle is stored", rect == DEFAULT_GEOMETRY,
                   str(rect))

    def shared_memory_out_of_reach(self):
        """In an IPC namespace of its own the clock's shared memory is out of the server's reach,
        and the server refuses the attach only later, with an error: the clock draws with plain
        images instead, and reports nothing."""
        unshare = ["unshare", "--ipc"] if os.geteuid() == 0 else [
            "unshare", "--user", "--map-root-user", "--ipc"]
        if self.env.run([*unshare, "true"]).returncode != 0:
            print("SKIP  separate IPC: unshare --ipc is not permitted here")
            return
        settingsfile.remove(self.env.env)
        with tempfile.TemporaryFile() as log:
            clock = self.start(prefix=unshare, stderr=log)
            xid = self.clock_window()
            if not self.check("separate IPC: clock shown", xid is not None):
                self.env.stop_process(clock)
                return
            matched, detail = self.shows_face(*DEFAULT_GEOMETRY, "separate-ipc")
            self.check("separate IPC: shows the face all the same", matched, detail)
            self.check("separate IPC: Esc ends it",
                       self.close_clock(clock, xid) and clock.returncode == 0,
                       f"exit {clock.poll()}")
            errors = self.x_errors(log)
            self.check("separate IPC: no X error reported", not errors, "; ".join(errors[:3]))

    def dialog_from_clock(self):
        """F1 on the desktop clock shows the dialog program; its boxes and slider act on the clock
        at once, and OK stores them. Under a compositor, so the clock offers translucency. The
        session asks GTK for Wayland, as under XWayland: the dialog still shows on the clock's
        display, where it can be placed beside the clock."""
        settingsfile.remove(self.env.env)
        compositor = self.env.spawn(["xcompmgr"])
        try:
            wait_for(lambda: selection_owned(self.env.display, "_NET_WM_CM_S0"))
            clock = self.start(env={"GDK_BACKEND": "wayland", "WAYLAND_DISPLAY": "wayland-77"})
            xid = self.clock_window()
            if not self.check("dialog: clock shown and faded in", xid is not None and
                              wait_for(lambda: self.x.opacity(xid) == DEFAULT_OPACITY)):
                self.env.stop_process(clock)
                return
            self.x.activate(xid)
            self.x.key("F1")
            dialog, origin = self.dialog_window(clock)
            if self.check("dialog: F1 shows the dialog program's window on the clock's display",
                          dialog is not None):
                size = self.geometry(dialog)[0][2:]
                self.check("dialog: the desktop clock's dialog has no screensaver frame: "
                           "363 x 247 pixels", size == (363, 247), str(size))
                self.dialog_acts_on_clock(xid, origin)
                self.dialog_ok_stores(dialog)
            self.close_clock(clock, xid)
        finally:
            self.env.stop_process(compositor)

    def dialog_acts_on_clock(self, xid, origin):
        def click(place):
            self.x.click(origin[0] + place[0], origin[1] + place[1])

        def state_becomes(name, present):
            return wait_for(lambda: (name in self.x.net_wm_state(xid)) == present)
        click(ON_TOP_BOX)
        self.check("dialog: \"immer im Vordergrund\" puts the clock on top",
                   state_becomes("_NET_WM_STATE_ABOVE", True))
        click(ON_TOP_BOX)
        self.check("dialog: a second click takes it off the top",
                   state_becomes("_NET_WM_STATE_ABOVE", False))
        # With nothing stored the desktop clock starts without a taskbar button.
        skipped = "_NET_WM_STATE_SKIP_TASKBAR" in self.x.net_wm_state(xid)
        click(TASKBAR_BOX)
        self.check("dialog: \"in Task-Leiste sichtbar\" gives the clock a taskbar button",
                   skipped and state_becomes("_NET_WM_STATE_SKIP_TASKBAR", False),
                   str(self.x.net_wm_state(xid)))
        click(SLIDER)
        self.x.key("End")
        self.check("dialog: the slider at its end makes the clock clearest at once",
                   wait_for(lambda: self.x.opacity(xid) == LEAST_OPACITY, timeout=1.0),
                   hex(self.x.opacity(xid) or 0))

    def dialog_ok_stores(self, dialog):
        self.x.activate(dialog)
        self.x.key("Return")
        self.check("dialog: OK (Enter) hides it", wait_for(lambda: not self.viewable(dialog)))
        expected = {"OnTop": "0", "TaskBar": "1", "Transparence": "239"}

        def stored():
            values = settingsfile.values(self.env.env)
            return {key: values.get(key) for key in expected}
        self.check("dialog: OK stores the new options",
                   wait_for(lambda: stored() == expected), str(stored()))

    def configuration(self):
        settingsfile.remove(self.env.env)
        run = self.start("/C")
        dialog, _ = self.dialog_window(run)
        self.check("/C: the dialog alone appears",
                   dialog is not None and not self.visible_windows(run.pid))
        if dialog is None:
            self.env.stop_process(run)
            return
        # No compositor runs here: the translucency strip is left off, and the screensaver's
        # frame takes its place (320 pixels of controls at 96 pixels an inch, 262 without it).
        height = self.geometry(dialog)[0][3]
        self.check("/C: without translucency the dialog is shorter by its strip", height == 262,
                   f"{height} pixels high")
        self.x.activate(dialog)
        self.x.key("Escape")
        self.check("/C: Esc ends it", self.ended(run) and run.returncode == 0,
                   f"exit {run.poll()}")
        # Its own options, the shared ones, and no window rectangle: it showed no clock.
        expected = {"BlueNumbers.scr": "1", "Fading.scr": "1", "Transparence.scr": "31",
                    "TaskBar": "1", "WinLeft": None}
        values = settingsfile.values(self.env.env)
        stored = {key: values.get(key) for key in expected}
        self.check("/C: the screensaver's options are stored", stored == expected, str(stored))

    def full_screen(self):
        saver = self.start("/S")
        xid = self.clock_window()
        if not self.check("full screen: shown", xid is not None):
            return
        geometry, override = self.geometry(xid)
        self.check("full screen: covers the screen",
                   geometry == (0, 0, *self.env.screen) and override, str(geometry))
        second = self.start("/S")
        self.check("full screen: a second run ends at once", self.ended(second))
        self.x.move_pointer(200, 200)
        self.check("full screen: the pointer is hidden",
                   wait_for(lambda: self.x.xlib().pointer_hidden()))
        self.x.move_pointer(260, 240)
        self.check("full screen: a mouse move does not end it",
                   holds_for(lambda: saver.poll() is None, 1.0))
        self.x.key("a")
        self.check("full screen: a key ends it", self.ended(saver))

        saver = self.start("/S")
        xid = self.clock_window()
        wait_for(lambda: self.x.focused_window() == xid)
        other = HostWindow(self.env.display, 10, 10, 50, 50)
        try:
            self.x.xdotool("windowfocus", other.xid)
            self.check("full screen: another program taking the keys ends it",
                       self.ended(saver))
        finally:
            other.close()

    def hack(self):
        host = HostWindow(self.env.display, 100, 120, 400, 300)
        try:
            # xscreensaver 6: --root, and the window in hex in the variable.
            hack = self.start("--root", env={"XSCREENSAVER_WINDOW": hex(host.xid)})
            left, top = host.position()
            matched, detail = self.shows_face(left, top, 400, 300, "hack")
            self.check("hack: draws the face into the daemon's window", matched, detail)
            self.check("hack: makes no window of its own on the screen",
                       self.clock_window(timeout=0.5) is None)
            host.resize(500, 360)
            matched, detail = self.shows_face(left, top, 500, 360, "hack-resized")
            self.check("hack: follows the window's size", matched, detail)
            host.destroy()
            self.check("hack: ends when the window goes", self.ended(hack))
        finally:
            host.close()

    def hack_in_deep_window(self):
        """A daemon's window of 32 bits with alpha: the hack draws in a child of its own, which
        goes with the window. What fails about either on the way out is expected and not
        reported; an error about a window that is gone before the hack starts still is."""
        host = HostWindow(self.env.display, 100, 120, 400, 300, deep=True)
        gone = host.xid
        with tempfile.TemporaryFile() as log:
            try:
                hack = self.start("-window-id", str(host.xid), stderr=log)
                left, top = host.position()
                matched, detail = self.shows_face(left, top, 400, 300, "hack-deep")
                self.check("deep window: the hack draws the face in a child of its own", matched,
                           detail)
                host.destroy()
                self.check("deep window: the hack ends when the window goes", self.ended(hack))
            finally:
                host.close()
            errors = self.x_errors(log)
            self.check("deep window: no X error reported about the windows gone", not errors,
                       "; ".join(errors[:3]))
        with tempfile.TemporaryFile() as log:
            hack = self.start("-window-id", hex(gone), stderr=log)
            self.ended(hack)
            errors = self.x_errors(log)
            self.check("hack: a window gone before the start is reported",
                       any("BadWindow" in line for line in errors), str(errors))

    def late_window_manager(self):
        """A window manager that answers only once the program shows, in a hack's deep window
        and full screen: what it grants then does not size the program's window back."""
        host = HostWindow(self.env.display, 100, 120, 400, 300, deep=True)
        try:
            with self.env.window_manager_stopped():
                hack = self.start("-window-id", str(host.xid))
                left, top = host.position()
                # Until the hack has taken the window and drawn in it.
                self.shows_face(left, top, 400, 300, "late-wm-deep-early")
            matched, detail = self.shows_face(left, top, 400, 300, "late-wm-deep")
            self.check("late window manager: the hack's child keeps the window's size", matched,
                       detail)
            host.destroy()
            self.ended(hack)
        finally:
            host.close()
        width, height = self.env.screen
        with self.env.window_manager_stopped():
            saver = self.start("/S")
            self.shows_face(0, 0, width, height, "late-wm-full-screen-early")  # until it shows
        xid = self.clock_window()
        geometry = self.geometry(xid)[0] if xid else None
        self.check("late window manager: the full screen keeps the screen's size",
                   geometry == (0, 0, width, height), str(geometry))
        self.x.key("a")
        self.ended(saver)

    def drift_and_brightness(self):
        """"Drift.scr" = 1 across a minute change, and "Brightness.scr" = 40, in "/S": the
        screen equals the render tool's "--drift" and "--brightness 40" pictures."""
        width, height = self.env.screen
        settingsfile.write(self.env.env, b"[Tavrino]\nDrift.scr=1\n")
        saver = self.start("/S", env={"TAVRINO_TIME": "10:08:58+"})
        shots = []
        deadline = time.monotonic() + 5.0
        while time.monotonic() < deadline:
            shot = self.x.screenshot(0, 0, width, height)
            if not shots or shot.data != shots[-1].data:
                shots.append(shot)
            time.sleep(0.05)
        self.x.key("a")
        self.ended(saver)
        labels = ("10:08:58", "10:08:59", "10:09:00", "10:09:01", "10:09:02", "10:09:03")
        renders = {label: self.render_of(label, width, height, "--drift") for label in labels}
        seen = sorted({label for shot in shots for label, render in renders.items()
                       if shot.data == render.data})
        self.check("drift: the screen equals the drifted render before the minute changes",
                   any(label < "10:09:00" for label in seen), f"matched {seen}")
        self.check("drift: and the drifted render of the new minute after it",
                   any(label >= "10:09:00" for label in seen), f"matched {seen}")
        self.check("drift: the drifted face is off the centre",
                   self.render_of("10:09:00", width, height).data != renders["10:09:00"].data)

        settingsfile.write(self.env.env, b"[Tavrino]\nBrightness.scr=40\n")
        saver = self.start("/S")
        matched, detail = self.shows_exactly(
            0, 0, self.render_of(FIXED_TIME, width, height, "--brightness", "40"), "brightness-40")
        self.check("brightness: \"Brightness.scr\" = 40 equals the render at 40 %", matched,
                   detail)
        self.x.key("a")
        self.ended(saver)
        settingsfile.remove(self.env.env)

    def root_and_sigterm(self):
        hack = self.start("-root")
        width, height = self.env.screen
        matched, detail = self.shows_face(0, 0, width, height, "root")
        self.check("hack: -root draws on the root window", matched, detail)
        hack.send_signal(signal.SIGTERM)
        self.check("hack: SIGTERM ends it", self.ended(hack) and hack.returncode == 0,
                   f"exit {hack.poll()}")


def two_monitors(env, checks):
    """A desk of two monitors side by side: Xephyr with Xinerama and without RandR, nested in the
    Xvfb screen, and no window manager. -root shows a face on each monitor, and the full screen
    covers both."""
    saved = env.display
    nested = env._start_display(["Xephyr", "+xinerama", "-extension", "RANDR", "-screen",
                                 "640x480", "-screen", "640x480", "-nolisten", "tcp"])
    checks.x.close()
    try:
        hack = checks.start("-root")
        for left, name in ((0, "root-left"), (640, "root-right")):
            matched, detail = checks.shows_face(left, 0, 640, 480, name)
            checks.check(f"two monitors: -root shows a face on the {name[5:]} one", matched,
                         detail)
        hack.send_signal(signal.SIGTERM)
        checks.ended(hack)
        saver = checks.start("/S")
        xid = checks.clock_window()
        geometry = checks.geometry(xid)[0] if xid else None
        checks.check("two monitors: the full screen covers both", geometry == (0, 0, 1280, 480),
                     str(geometry))
        checks.x.key("a")
        checks.ended(saver)
        primary_monitor_only(env, checks)
    finally:
        checks.x.close()
        env.stop_process(nested)
        env.display = saved
        env.env["DISPLAY"] = saved


def primary_monitor_only(env, checks):
    """"AllMonitors.scr" = 0: "/S" shows the face on the primary (left) monitor only, the other
    stays black and a click there still ends it; of two modules, one in a window on each
    monitor, the one on the other monitor draws black."""
    settingsfile.write(env.env, b"[Tavrino]\nAllMonitors.scr=0\n")
    black = bytes(3 * 640 * 480)
    saver = checks.start("/S")
    matched, detail = checks.shows_face(0, 0, 640, 480, "primary-only-left")
    checks.check("primary only: \"/S\" shows the face on the primary monitor", matched, detail)
    right = checks.x.screenshot(640, 0, 640, 480)
    right.save_png(os.path.join(checks.shots, "primary-only-right.png"))
    checks.check("primary only: the other monitor is black", right.data == black)
    checks.x.click(960, 240)
    checks.check("primary only: a click on the black monitor ends it", checks.ended(saver))

    hosts = [HostWindow(env.display, left, 0, 640, 480) for left in (0, 640)]
    modules = [checks.start("-window-id", str(host.xid)) for host in hosts]
    try:
        matched, detail = checks.shows_face(0, 0, 640, 480, "primary-only-module-left")
        checks.check("primary only: the module on the primary monitor draws the face", matched,
                     detail)
        checks.check("primary only: the module on the other monitor draws black",
                     holds_for(lambda: checks.x.screenshot(640, 0, 640, 480).data == black, 1.0))
    finally:
        for module in modules:
            module.send_signal(signal.SIGTERM)
            checks.ended(module)
        for host in hosts:
            host.close()
        settingsfile.remove(env.env)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "linux"))
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    program, render = os.path.join(build, "tavrino"), os.path.join(build, "tavrino-render")
    for path in (program, render):
        if not os.access(path, os.X_OK):
            print(f"missing {path}: build the linux preset first")
            return 1
    shots = os.path.join(build, "e2e-x11-shots")
    os.makedirs(shots, exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        env = NativeEnvironment(os.path.join(scratch, "unused"), print if args.verbose else
                                (lambda _: None))
        env.env["HOME"] = scratch
        env.env["XDG_CONFIG_HOME"] = os.path.join(scratch, "config")
        env.start()
        checks = Checks(env, program, render, shots, args.verbose)
        try:
            for scenario in (checks.desktop, checks.translucency, checks.position_lock,
                             checks.malformed_settings, checks.dialog_from_clock,
                             checks.shared_memory_out_of_reach, checks.configuration,
                             lambda: screensaverframe.scenario(checks),
                             checks.full_screen, checks.drift_and_brightness, checks.hack,
                             checks.hack_in_deep_window, checks.late_window_manager,
                             checks.root_and_sigterm):
                scenario()
            two_monitors(env, checks)
        finally:
            checks.x.close()
            env.stop()
    print(f"{checks.passed} passed, {checks.failed} failed; screenshots in {shots}")
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
