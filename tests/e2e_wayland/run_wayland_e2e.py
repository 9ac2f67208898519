#!/usr/bin/env python3
"""End-to-end checks of the clock on Wayland, with the real compositor and clients: each scenario
starts Debian's sway 1.7 headless of its own (compositor.py), runs the installed clock in that
user's session, drives it with the keyboard (wtype), the mouse (the pointer helper), swayidle and
swaylock, and judges what a user would see: each output's pixels as grim captures them against the
render tool's face at that output's pixel size, and whether the process ended. A first scenario
shows the method needs no clock: swaybg's picture comes back from grim unchanged. Weston, which
has no layer-shell, checks the refusal and the fall-back to X11.

    python3 tests/e2e_wayland/run_wayland_e2e.py [--build build/linux] [--client PATH]
        [--only NAME[,NAME...]] [--list]

--client runs another build's tavrino in place of the installed one (it is copied, not changed).
Prints one line per check and closes with "N passed, N failed"; the exit status is 1 when any
check failed."""

import argparse
import os
import pathlib
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parents[0] / "e2e"))
sys.path.insert(0, str(HERE))

from compositor import (  # noqa: E402
    FROZEN_TIME, Compositor, Weston, descendants, processes_of, signal_all)
from harness.images import Image  # noqa: E402
from harness.polling import holds_for, wait_for  # noqa: E402
from harness.report import Report  # noqa: E402

PLAIN = ("HEADLESS-1", 1280, 720, 0, 0, 1)
# 1280x720 pixels at scale 2: 640x360 of the desk, right of the first.
SCALED = ("HEADLESS-2", 1280, 720, 1280, 0, 2)
# Settings as the program stores them, with the screensaver opaque and without fades, so that each
# output shows the render's pixels as they are and at once.
OPAQUE_SETTINGS = (b"[Tavrino]\nTaskBar=1\nOnTop=0\nLockWindow=0\nBlueNumbers.scr=1\n"
                   b"Fading.scr=0\nAllMonitors.scr=1\nDrift.scr=0\nTransparence.scr=0\n"
                   b"Brightness.scr=100\n")


class Suite:
    def __init__(self, workdir, build, installed, helper, shots):
        self.workdir, self.build, self.installed = workdir, build, installed
        self.helper, self.shots = helper, shots
        self.r = Report()
        self._renders = {}
        self.sessions = []
        self._started = 0

    # -- the desk and the program --------------------------------------------------------------

    def compositor(self, *outputs):
        """A sway of its own for a scenario, stopped when the scenario ends (close_sessions)."""
        self._started += 1
        desk = Compositor(self.workdir, f"sway-{self._started}", self.helper, outputs or (PLAIN,))
        self.sessions.append(desk)
        return desk

    def close_sessions(self):
        while self.sessions:
            self.sessions.pop().close()

    def render_path(self, width, height, at=FROZEN_TIME):
        path = self.workdir / f"render-{width}x{height}-{at.replace(':', '')}.png"
        if not path.exists():
            subprocess.run([str(self.build / "tavrino-render"), "--time", at, "--size",
                            f"{width}x{height}", "--output", str(path)], check=True, timeout=60)
            path.chmod(0o644)
        return path

    def render(self, width, height, at=FROZEN_TIME):
        if (width, height, at) not in self._renders:
            self._renders[width, height, at] = Image.load(str(self.render_path(width, height, at)))
        return self._renders[width, height, at]

    @staticmethod
    def settings_path(desk):
        return desk.config_home / "Quenmark" / "settings.ini"

    def store_settings(self, desk, settings=OPAQUE_SETTINGS):
        desk.write_file(self.settings_path(desk), settings)

    def saver(self, desk, *args, settings=OPAQUE_SETTINGS):
        """The installed clock, /s unless told otherwise, with those settings stored."""
        if not self.settings_path(desk).exists():
            self.store_settings(desk, settings)
        return desk.start([self.installed, *(args or ("/s",))])

    def clock_pids(self):
        """The installed clock's processes, however they were started."""
        return processes_of(self.installed)

    @staticmethod
    def ended(process, timeout=3.0):
        return wait_for(lambda: process.poll() is not None, timeout=timeout)

    def shows(self, desk, output, expected, name, timeout=5.0):
        """Whether the output shows exactly the picture, or one of a list of pictures, waiting a
        while; the last shot is kept under name. Returns (matched, what differed)."""
        pictures = expected if isinstance(expected, list) else [expected]
        shot = None

        def same():
            nonlocal shot
            shot = desk.screenshot(output)
            return any(shot.data == picture.data and (shot.width, shot.height) == (
                picture.width, picture.height) for picture in pictures)
        matched = wait_for(same, timeout=timeout, interval=0.1)
        shot.save_png(str(self.shots / f"{name}.png"))
        return matched, "" if matched else (
            f"{shot.width}x{shot.height} shot, "
            f"{min(shot.differing_pixels(picture) for picture in pictures)} pixels differ")

    def shows_face(self, desk, output, name, timeout=5.0):
        mode = desk.outputs()[output]["current_mode"]
        return self.shows(desk, output, self.render(mode["width"], mode["height"]), name, timeout)

    def check_face(self, desk, output, what, name, timeout=5.0):
        matched, detail = self.shows_face(desk, output, name, timeout)
        return self.r.check(what, matched, detail)

    def start_saver_with_face(self, desk, name):
        """/s started, and whether it showed the face on the first output."""
        saver = self.saver(desk)
        shown = self.check_face(desk, PLAIN[0], "/s shows the face", name)
        if not shown:
            self.r.note(f"the clock {'runs' if saver.poll() is None else 'ended'}: "
                        f"{desk.log(self.installed.name)}")
        return saver, shown


# -- scenarios: each gets a sway of its own -----------------------------------------------------

def baseline(suite):
    """No clock: swaybg, a layer-shell client, shows the render at its size in the middle of an
    output at scale 1 and of one at scale 2 (drawn at 2x), and grim gives it back unchanged. The
    cursor is drawn into the shots, so a pointer left visible over a face would be seen."""
    r, desk = suite.r, suite.compositor(PLAIN, SCALED)
    picture = suite.render_path(1280, 720)
    for name in (PLAIN[0], SCALED[0]):
        desk.start(["swaybg", "-o", name, "-i", picture, "-m", "center"])
    desk.move_pointer(1600, 180)
    matched, detail = suite.shows(desk, PLAIN[0], suite.render(1280, 720), "baseline-scale-1")
    r.check("swaybg at scale 1 comes back from grim as the render, 0 pixels differ", matched,
            detail)
    desk.move_pointer(640, 360)
    matched, detail = suite.shows(desk, SCALED[0], suite.render(1280, 720), "baseline-scale-2")
    r.check("swaybg at scale 2 comes back from grim as the render, 0 pixels differ", matched,
            detail)
    shot = desk.screenshot(PLAIN[0])
    shot.save_png(str(suite.shots / "baseline-pointer.png"))
    r.check("the pointer over swaybg's picture is in grim's shot",
            shot.differing_pixels(suite.render(1280, 720)) > 0)


def covers_outputs(suite):
    r, desk = suite.r, suite.compositor(PLAIN, SCALED)
    saver = suite.saver(desk)
    suite.check_face(desk, PLAIN[0], "/s shows the face on the output at scale 1, 0 pixels differ",
                     "covers-scale-1")
    suite.check_face(desk, SCALED[0],
                     "and on the output at scale 2 at its 1280x720 pixels, 0 pixels differ",
                     "covers-scale-2")
    r.check("it keeps running", saver.poll() is None, desk.log(suite.installed.name))


def pointer(suite):
    """The pointer over the lit digits in the middle of the output: hidden, so the shot is still
    the render, and its moves do not end the screensaver."""
    r, desk = suite.r, suite.compositor()
    saver, shown = suite.start_saver_with_face(desk, "pointer-before")
    if shown:
        desk.move_pointer(600, 360)
        desk.move_pointer(640, 340)
        suite.check_face(desk, PLAIN[0], "the pointer over the face is hidden", "pointer-hidden")
        desk.move_pointer(700, 400)
        r.check("a pointer move does not end it", holds_for(lambda: saver.poll() is None, 1.0))


def key_and_click(suite):
    r, desk = suite.r, suite.compositor()
    saver, shown = suite.start_saver_with_face(desk, "key")
    if shown:
        desk.type_key("a")
        r.check("a key ends it", suite.ended(saver), "still running after 3 s")
        r.check("and it ends with status 0", saver.poll() == 0, f"status {saver.poll()}")
    saver, shown = suite.start_saver_with_face(desk, "click")
    if shown:
        desk.move_pointer(300, 200)
        desk.click()
        r.check("a click ends it", suite.ended(saver), "still running after 3 s")


def running_time(suite):
    """A running clock across a new minute: the minute redraws the whole face into one buffer,
    the next ticks alternate with the other, which is brought up to date box by box. Seconds 2 to
    6 of the new minute must each come out as the render of that time, 0 pixels differ."""
    r, desk = suite.r, suite.compositor()
    suite.store_settings(desk)
    saver = desk.start([suite.installed, "/s"], {"TAVRINO_TIME": "10:08:58+"})
    renders = [suite.render(1280, 720, f"10:09:0{second}") for second in range(2, 7)]
    matched, detail = suite.shows(desk, PLAIN[0], renders, "running-time", timeout=8)
    r.check("seconds after a new minute show as the render of their time, 0 pixels differ",
            matched, f"{detail} from the nearest")
    r.check("it keeps running", saver.poll() is None, desk.log(suite.installed.name))


def second_run(suite):
    r, desk = suite.r, suite.compositor()
    saver, shown = suite.start_saver_with_face(desk, "second-run")
    if shown:
        second = suite.saver(desk)
        r.check("a second /s ends at once", suite.ended(second, timeout=2.0),
                "still running after 2 s")
        r.check("the first keeps running and showing the face",
                saver.poll() is None and suite.shows_face(desk, PLAIN[0], "second-run-after")[0])


def output_added(suite):
    r, desk = suite.r, suite.compositor()
    saver, shown = suite.start_saver_with_face(desk, "output-added-before")
    if shown:
        desk.add_output("HEADLESS-2", 1024, 768, 1280, 0, 1)
        suite.check_face(desk, "HEADLESS-2", "an output added while it runs gets the face at "
                         "its 1024x768, 0 pixels differ", "output-added")
        suite.check_face(desk, PLAIN[0], "the first output keeps its face", "output-added-first")
        r.check("it keeps running", saver.poll() is None)


def swayidle(suite):
    """swayidle as a user runs it, without -w: two idle seconds bring the face, a key ends it."""
    r, desk = suite.r, suite.compositor()
    suite.store_settings(desk)
    desk.start(["swayidle", "timeout", "2", f"{suite.installed} /s"])
    pids = wait_for(suite.clock_pids, timeout=10, interval=0.1)
    if r.check("after 2 idle seconds swayidle starts the clock", pids, desk.log("swayidle")):
        suite.check_face(desk, PLAIN[0], "the face covers the output", "swayidle")
        desk.type_key("a")
        r.check("a key ends it",
                wait_for(lambda: not set(pids) & set(suite.clock_pids()), timeout=3),
                "still running after 3 s")


def swaylock(suite):
    r, desk = suite.r, suite.compositor()
    saver, shown = suite.start_saver_with_face(desk, "swaylock-before")
    if shown:
        desk.start(["swaylock", "--color", "203040"])
        r.check("swaylock taking the keyboard ends it", suite.ended(saver, timeout=5),
                f"still running 5 s after swaylock started; swaylock: {desk.log('swaylock')}")
        shot = desk.screenshot(PLAIN[0])
        shot.save_png(str(suite.shots / "swaylock-after.png"))
        r.check("and the lock screen is what the output shows",
                shot.count_colour((0x20, 0x30, 0x40)) > shot.width * shot.height // 2)


def sigterm(suite):
    r, desk = suite.r, suite.compositor()
    saver, shown = suite.start_saver_with_face(desk, "sigterm")
    if shown:
        for pid in suite.clock_pids():
            os.kill(pid, signal.SIGTERM)
        r.check("SIGTERM ends it, with status 0", suite.ended(saver) and saver.returncode == 0,
                f"status {saver.poll()}")


def primary_only(suite):
    """"AllMonitors.scr" = 0 on two outputs: the top-left one by position, here the one added
    second, shows the face; the other is black, and a click there still ends it."""
    r = suite.r
    desk = suite.compositor(("HEADLESS-1", 1280, 720, 1280, 0, 1),
                            ("HEADLESS-2", 800, 600, 0, 0, 1))
    saver = suite.saver(desk, settings=OPAQUE_SETTINGS.replace(b"AllMonitors.scr=1",
                                                               b"AllMonitors.scr=0"))
    suite.check_face(desk, "HEADLESS-2", "the top-left output shows the face", "primary-only")
    black = Image(1280, 720, bytes(3 * 1280 * 720))
    matched, detail = suite.shows(desk, "HEADLESS-1", black, "primary-only-other")
    r.check("the other output is black", matched, detail)
    if saver.poll() is None:
        desk.move_pointer(1900, 300)
        desk.click()
        r.check("a click on the black output ends it", suite.ended(saver),
                "still running after 3 s")


def dialog(suite):
    """F1 shows the settings dialog as a layer surface above the saver, in the middle of the
    output with the face around it; the saver keeps running while the dialog has the keys, Esc
    there hides it and leaves the face whole, and a key then ends the saver."""
    r, desk = suite.r, suite.compositor()
    saver, shown = suite.start_saver_with_face(desk, "dialog-before")
    if not shown:
        return
    face = suite.render(1280, 720)

    def differs(shot, left, top, right, bottom):
        return any(shot.pixel(x, y) != face.pixel(x, y)
                   for y in range(top, bottom, 4) for x in range(left, right, 4))
    desk.type_key("F1")
    shot = None

    def dialog_shown():
        nonlocal shot
        shot = desk.screenshot(PLAIN[0])
        return differs(shot, 600, 340, 680, 380)
    over = wait_for(dialog_shown, timeout=10.0, interval=0.2)
    shot.save_png(str(suite.shots / "dialog-shown.png"))
    r.check("F1 shows the dialog in the middle of the output, above the saver", over,
            desk.log(suite.installed.name))
    r.check("with the face around it", not differs(shot, 0, 0, 1280, 60)
            and not differs(shot, 0, 660, 1280, 720))
    desk.move_pointer(100, 100)
    r.check("and the pointer shown over the face while the dialog is up",
            wait_for(lambda: differs(desk.screenshot(PLAIN[0]), 96, 96, 120, 124), 3))
    r.check("the saver keeps running while the dialog has the keys",
            holds_for(lambda: saver.poll() is None, 1.0), desk.log(suite.installed.name))
    desk.type_key("Escape")
    suite.check_face(desk, PLAIN[0], "Esc in the dialog hides it: the face is whole again",
                     "dialog-hidden")
    r.check("and the saver still runs", saver.poll() is None)
    desk.type_key("a")
    r.check("a key then ends the saver", suite.ended(saver), "still running after 3 s")


def settings_untouched(suite):
    r, desk = suite.r, suite.compositor()
    path = suite.settings_path(desk)
    suite.store_settings(desk)
    saver, shown = suite.start_saver_with_face(desk, "settings")
    if shown:
        desk.type_key("a")
        suite.ended(saver)
        # The program stores the options it read when it closes, as on the other systems: the
        # file may be written again, but with the same text.
        stored = path.read_bytes()
        r.check("/s leaves the settings file's text as it was", stored == OPAQUE_SETTINGS,
                f"now: {stored[:200]!r}")


def module(suite, desk):
    """-root as a locker that embeds it starts it: over a connection to sway made beforehand and
    handed over in WAYLAND_SOCKET, without WAYLAND_DISPLAY, and without the runtime folder, so
    that no other way leads to sway."""
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as connection:
        connection.connect(str(desk.runtime / desk.environment["WAYLAND_DISPLAY"]))
        fd = connection.fileno()
        return desk.start([suite.installed, "-root"],
                          {"WAYLAND_DISPLAY": None, "XDG_RUNTIME_DIR": None,
                           "WAYLAND_SOCKET": str(fd)}, pass_fds=(fd,))


def root_module(suite):
    """The module draws the face under everything on each output at its pixel size, takes no keys
    or clicks, never writes the settings, and ends on SIGTERM and when the compositor goes."""
    r, desk = suite.r, suite.compositor(PLAIN, SCALED)
    path = suite.settings_path(desk)
    suite.store_settings(desk)
    written = path.stat().st_mtime_ns
    shown = module(suite, desk)
    # It takes no pointer, so the compositor's cursor shows: each shot is of the other output.
    desk.move_pointer(1600, 180)
    suite.check_face(desk, PLAIN[0], "-root shows the face on the output at scale 1, 0 pixels "
                     "differ", "root-scale-1")
    desk.move_pointer(300, 200)
    suite.check_face(desk, SCALED[0], "and on the output at scale 2 at its 1280x720 pixels, "
                     "0 pixels differ", "root-scale-2")
    desk.type_key("a")
    desk.click()
    r.check("a key and a click do not end it", holds_for(lambda: shown.poll() is None, 1.0),
            f"status {shown.poll()}: {desk.log(suite.installed.name)}")
    for pid in suite.clock_pids():
        os.kill(pid, signal.SIGTERM)
    r.check("SIGTERM ends it, with status 0", suite.ended(shown) and shown.returncode == 0,
            f"status {shown.poll()}")
    r.check("it never wrote the settings file", path.stat().st_mtime_ns == written)
    shown = module(suite, desk)
    desk.move_pointer(1600, 180)
    if r.check("a second -root shows the face", suite.shows_face(desk, PLAIN[0], "root-again")[0]):
        signal_all(descendants(desk.sway.pid), signal.SIGKILL)
        r.check("killing sway ends it", wait_for(lambda: not suite.clock_pids(), timeout=3),
                "still running 3 s after sway was killed")


def weston(suite):
    """A compositor without layer-shell: a forced Wayland start is refused in one line; a plain
    start with an X display beside it is the X11 screensaver there."""
    r = suite.r
    desk = Weston(suite.workdir, "weston")
    suite.sessions.append(desk)
    suite.store_settings(desk)
    refused = desk.run([suite.installed, "--wayland", "/s"], timeout=10)
    lines = refused.stderr.strip().splitlines()
    r.check("--wayland /s exits with status 1 and one line saying layer-shell is missing",
            refused.returncode == 1 and len(lines) == 1 and
            re.search(r"layer.?shell", lines[0], re.IGNORECASE),
            f"status {refused.returncode}, stderr: {refused.stderr!r}")
    display = desk.start_x_screen(640, 480)
    saver = desk.start([suite.installed, "/s"])
    face = suite.render(640, 480)

    def on_x_screen():
        done = desk.run(["import", "-display", display, "-window", "root", "-depth", "8", "ppm:-"],
                        binary=True)
        return done.returncode == 0 and Image.from_ppm(done.stdout).data == face.data
    r.check("/s with an X display falls back to X11: the Xvfb screen shows the face",
            wait_for(on_x_screen, timeout=8, interval=0.2),
            f"the clock {'runs' if saver.poll() is None else 'ended'}: "
            f"{desk.log(suite.installed.name)}")


# The desktop clock's keys: opaque, without fades, at its default place and size.
DESKTOP_SETTINGS = (b"[Tavrino]\nTaskBar=1\nOnTop=0\nLockWindow=0\nBlueNumbers=1\nFading=0\n"
                    b"Transparence=0\n")
DEFAULT_PLACE = (32, 32, 256, 256)
MINIMUM_PIXELS = 32


def stored_place(suite, desk):
    text = suite.settings_path(desk).read_text(errors="replace")
    values = dict(re.findall(r"^(\w+)=(.*)$", text, re.M))
    return tuple(values.get(key) for key in ("WinLeft", "WinTop", "WinWidth", "WinHeight"))


def face_at(suite, desk, place, name, timeout=5.0):
    """Whether the output shows the face exactly at place (left, top, width, height), with the
    pointer, which is in the shots, moved out of the way."""
    left, top, width, height = place
    desk.move_pointer(1270, 710)
    expected = suite.render(width, height)
    shot = None

    def same():
        nonlocal shot
        shot = desk.screenshot(PLAIN[0])
        return all(shot.pixel(left + x, top + y) == expected.pixel(x, y)
                   for y in range(height) for x in range(width))
    matched = wait_for(same, timeout=timeout, interval=0.2)
    shot.save_png(str(suite.shots / f"{name}.png"))
    return matched


def desktop_clock(suite):
    """The desktop clock as a layer surface: its default place and size with the face exact, a drag
    moves it, the lock holds it, its edge resizes it down to the minimum, and Esc ends it and
    stores where it was."""
    r, desk = suite.r, suite.compositor()
    suite.store_settings(desk, DESKTOP_SETTINGS)
    clock = suite.saver(desk, "--wayland")
    place = DEFAULT_PLACE
    if not r.check("the desktop clock shows the face at its default place and size",
                   face_at(suite, desk, place, "desktop"), desk.log(suite.installed.name)):
        return
    left, top, width, height = place
    desk.drag((left + 100, top + 100), (left + 150, top + 130))
    place = (left + 50, top + 30, width, height)
    r.check("a drag moves it by the pointer's way", face_at(suite, desk, place, "desktop-moved"))
    left, top = place[:2]
    desk.drag((left + width - 2, top + height - 2), (left + width + 38, top + height + 28))
    place = (left, top, width + 40, height + 30)
    r.check("a drag at its corner resizes it", face_at(suite, desk, place, "desktop-resized"))
    desk.drag((left + width + 38, top + height + 28), (left + 10, top + 10))
    place = (left, top, MINIMUM_PIXELS, MINIMUM_PIXELS)
    r.check("no smaller than 32 pixels", face_at(suite, desk, place, "desktop-smallest"))
    desk.click()
    desk.type_key("Escape")
    r.check("Esc ends it", suite.ended(clock) and clock.returncode == 0, f"exit {clock.poll()}")
    r.check("and stores its place", stored_place(suite, desk) == tuple(map(str, place)),
            str(stored_place(suite, desk)))


# What a window in front of the clock shows: a plain colour, filling the window.
WINDOW_COLOUR = (0x20, 0x60, 0xa0)


def open_window(suite, desk):
    """A client window of another program (weston-image showing a plain picture), which sway
    tiles over the whole output."""
    picture = suite.workdir / "plain.png"
    if not picture.exists():
        Image(160, 90, bytes(WINDOW_COLOUR) * 160 * 90).save_png(str(picture))
        picture.chmod(0o644)
    window = desk.start(["weston-image", picture])
    wait_for(lambda: desk.screenshot(PLAIN[0]).pixel(640, 600) == WINDOW_COLOUR, timeout=5)
    return window


def desktop_layers(suite):
    """On top, the clock is above another program's window; the dialog's on-top box sends it under
    the window and back at once, and its slider makes it translucent at once."""
    r, desk = suite.r, suite.compositor()
    suite.store_settings(desk, DESKTOP_SETTINGS.replace(b"OnTop=0", b"OnTop=1"))
    open_window(suite, desk)
    window = desk.screenshot(PLAIN[0])
    clock = suite.saver(desk, "--wayland")
    if not r.check("on top, the desktop clock shows above a window",
                   face_at(suite, desk, DEFAULT_PLACE, "desktop-on-top"),
                   desk.log(suite.installed.name)):
        return
    desk.move_pointer(150, 150)
    desk.click()
    desk.type_key("F1")
    shown = wait_for(lambda: desk.screenshot(PLAIN[0]).pixel(640, 360) != window.pixel(640, 360),
                     10)
    r.check("a click and F1 show the dialog", shown, desk.log(suite.installed.name))
    # The dialog is in the middle of the output, its on-top box and slider at its left.
    on_top_box, slider = (478, 405), (478, 445)
    face = suite.render(DEFAULT_PLACE[2], DEFAULT_PLACE[3])
    # A lit dot below the window's title bar, whose colour changes with the focus.
    spot = next((x, y) for y in range(face.height // 2, face.height) for x in range(face.width)
                if face.pixel(x, y)[0] > 200)
    probe = (DEFAULT_PLACE[0] + spot[0], DEFAULT_PLACE[1] + spot[1])
    desk.move_pointer(*on_top_box)
    desk.click()
    under = wait_for(lambda: desk.screenshot(PLAIN[0]).pixel(*probe) == window.pixel(*probe), 5)
    r.check("the on-top box cleared, the clock is under the window", under)
    desk.click()
    r.check("ticked again, it is above it", face_at(suite, desk, DEFAULT_PLACE, "desktop-back"))
    desk.drag(slider, (slider[0] + 400, slider[1]))
    # The knob dragged to the slider's end, 239 of 255, lets 239/255 of the window through.
    blended = tuple(round(f * 16 / 255 + w * 239 / 255)
                    for f, w in zip(face.pixel(*spot), window.pixel(*probe)))
    seen = []

    def translucent():
        seen[:] = [desk.screenshot(PLAIN[0]).pixel(*probe)]
        return all(abs(a - b) <= 1 for a, b in zip(seen[0], blended))
    r.check("the slider's end makes it translucent at once", wait_for(translucent, 5),
            f"{seen} for {blended}")
    desk.drag((776, slider[1]), (slider[0] - 100, slider[1]))  # opaque again
    desk.type_key("Escape")
    r.check("Esc in the dialog leaves the clock running", holds_for(lambda: clock.poll() is None,
                                                                     1.0))
    # Dragged into the middle of the output, under where the dialog comes.
    desk.drag((100, 100), (640 - 128 + 68, 360 - 128 + 68), steps=40)
    r.check("an opaque clock in the middle", face_at(suite, desk, (512, 232, 256, 256),
                                                     "desktop-middle"))
    desk.type_key("F1")
    middle = (640, 300)
    above = wait_for(lambda: desk.screenshot(PLAIN[0]).pixel(*middle) != face.pixel(128, 68), 10)
    desk.screenshot(PLAIN[0]).save_png(str(suite.shots / "desktop-dialog-above.png"))
    r.check("the dialog comes above the clock on top", above)


def desktop_defaults(suite):
    """A first start with no settings: the clock fades in to its default translucency, frame by
    frame, at its default place, and stays put when its place is locked."""
    r, desk = suite.r, suite.compositor()
    clock = desk.start([suite.installed, "--wayland"])
    face = suite.render(DEFAULT_PLACE[2], DEFAULT_PLACE[3])
    spot = next((x, y) for y in range(face.height) for x in range(face.width)
                if face.pixel(x, y)[0] > 200)
    probe = (DEFAULT_PLACE[0] + spot[0], DEFAULT_PLACE[1] + spot[1])
    # The default translucency, 63 of 255, over sway's grey.
    expected = tuple(round(f * 192 / 255 + 0x3f * 63 / 255) for f in face.pixel(*spot))
    seen = set()

    def faded_in():
        seen.add(desk.screenshot(PLAIN[0]).pixel(*probe))
        return any(all(abs(a - b) <= 1 for a, b in zip(colour, expected)) for colour in seen)
    r.check("a first start fades in to the default translucency",
            wait_for(faded_in, 5, interval=0.02) and len(seen) >= 3,
            f"{len(seen)} colours seen, none {expected}: {sorted(seen)[:6]}")
    r.check("and keeps running", holds_for(lambda: clock.poll() is None, 0.5),
            desk.log(suite.installed.name))
    desk.move_pointer(150, 150)
    desk.click()
    desk.run(["wtype", "-M", "alt", "-k", "F4", "-m", "alt"])
    r.check("a click, then Alt+F4 ends it", suite.ended(clock), desk.log(suite.installed.name))
    suite.store_settings(desk, DESKTOP_SETTINGS.replace(b"LockWindow=0", b"LockWindow=1"))
    clock = suite.saver(desk, "--wayland")
    left, top = DEFAULT_PLACE[:2]
    if face_at(suite, desk, DEFAULT_PLACE, "desktop-locked"):
        desk.drag((left + 100, top + 100), (left + 150, top + 130))
    r.check("a locked clock stays where it is when dragged",
            face_at(suite, desk, DEFAULT_PLACE, "desktop-locked-dragged"))


def desktop_outputs(suite):
    """On an output at scale 2 the face is drawn at twice the size, not scaled up; a drag that
    takes its middle onto another output moves it there."""
    r, desk = suite.r, suite.compositor(PLAIN, SCALED)
    left, top, size = 1300, 40, 200
    suite.store_settings(desk, DESKTOP_SETTINGS + f"WinLeft={left}\nWinTop={top}\nWinWidth={size}\n"
                         f"WinHeight={size}\n".encode())
    clock = suite.saver(desk, "--wayland")
    expected = suite.render(size * 2, size * 2)
    origin = ((left - SCALED[3]) * 2, top * 2)

    def drawn_at_twice():
        desk.move_pointer(10, 700)
        shot = desk.screenshot(SCALED[0])
        shot.save_png(str(suite.shots / "desktop-scaled.png"))
        return all(shot.pixel(origin[0] + x, origin[1] + y) == expected.pixel(x, y)
                   for y in range(0, expected.height, 3) for x in range(0, expected.width, 3))
    r.check("on the output at scale 2 the face is drawn at its pixels",
            wait_for(drawn_at_twice, 5, interval=0.2), desk.log(suite.installed.name))
    # Over the new output's surface, which the press never reached, sway gives each place from
    # where the surface is when it handles the move: the clock may trail the pointer's last step.
    desk.drag((left + 100, top + 100), (left + 100 - 400, top + 100), steps=80)
    desk.move_pointer(10, 700)
    shot = desk.screenshot(PLAIN[0])
    face = suite.render(size, size)
    landed = [dx for dx in range(-6, 7)
              if all(shot.pixel(left - 400 + dx + x, top + y) == face.pixel(x, y)
                     for y in range(0, size, 4) for x in range(0, size, 4))]
    shot.save_png(str(suite.shots / "desktop-other-output.png"))
    r.check("a drag onto the first output moves it there, with the pointer", landed != [],
            "no face within 6 pixels of the pointer's way")
    r.check("it runs on", clock.poll() is None, desk.log(suite.installed.name))


SCENARIOS = {f.__name__: f for f in (
    baseline, covers_outputs, pointer, key_and_click, running_time, second_run, output_added,
    swayidle, swaylock, sigterm, primary_only, dialog, settings_untouched, root_module, weston,
    desktop_clock, desktop_layers, desktop_defaults, desktop_outputs)}


def install(build, client, workdir):
    """The build installed where the session's user can read it; client, when given, takes the
    installed program's place."""
    prefix = workdir / "prefix"
    subprocess.run(["cmake", "--install", str(build), "--prefix", str(prefix)], check=True,
                   stdout=subprocess.DEVNULL)
    installed = prefix / "bin" / "tavrino"
    if client:
        shutil.copyfile(client, installed)
        installed.chmod(0o755)
    helper = workdir / "tavrino-virtual-pointer"
    shutil.copyfile(build / "tests" / "e2e_wayland" / "tavrino-virtual-pointer", helper)
    helper.chmod(0o755)
    return installed, helper


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build/linux", type=pathlib.Path)
    parser.add_argument("--client", type=pathlib.Path, help="another build's tavrino to run")
    parser.add_argument("--only", default="", help="scenarios to run, separated by commas")
    parser.add_argument("--list", action="store_true", help="names the scenarios")
    options = parser.parse_args()
    if options.list:
        print("\n".join(SCENARIOS))
        return 0
    chosen = [name for name in options.only.split(",") if name] or list(SCENARIOS)
    unknown = [name for name in chosen if name not in SCENARIOS]
    if unknown:
        print(f"unknown scenario {', '.join(unknown)}; there are: {', '.join(SCENARIOS)}")
        return 2
    build = options.build.resolve()
    shots = build / "e2e-wayland-shots"
    shots.mkdir(exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="tavrino-wayland-") as temp:
        workdir = pathlib.Path(temp)
        workdir.chmod(0o755)
        installed, helper = install(build, options.client, workdir)
        suite = Suite(workdir, build, installed, helper, shots)
        for name in chosen:
            suite.r.begin(name)
            try:
                SCENARIOS[name](suite)
            except Exception as exc:  # one broken scenario must not hide the others
                suite.r.error(name, exc)
            finally:
                suite.close_sessions()
    print(f"screenshots in {shots}")
    return suite.r.summary()


if __name__ == "__main__":
    sys.exit(main())
