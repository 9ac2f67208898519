"""What every scenario works with: the environment, the Wine-side tools, the X display, the
render tool and the screenshot folder, plus the helpers that combine them."""

import os
import subprocess
import tempfile

from .expect import SOLID_COLOURS
from .images import Image, SolidReference
from .polling import wait_for
from .wineside import Observer, PreviewHost, Program, Registry
from .xside import X, MapLog


class Context:
    def __init__(self, env, report, program_exe, tools, shots_dir, log):
        self.env = env
        self.report = report
        self.program_exe = program_exe
        self.render_tool = tools["render tool"]
        self.installer = tools.get("installer")
        self.release_zip = tools.get("release zip")
        self.observer = Observer(env, tools["observer"])
        self.preview_host = PreviewHost(env, tools["preview host"])
        self.registry = Registry(env)
        self.x = X(env)
        self.shots_dir = shots_dir
        self.log = log
        os.makedirs(shots_dir, exist_ok=True)
        self._programs = []
        self._renders = {}
        self._solid = {}
        self._tmp = tempfile.TemporaryDirectory(prefix="tavrino-e2e-")

    # -- set-up and teardown -----------------------------------------------------------------

    def smoke_check(self):
        """Wine can create and report a window: the preview host reports its own window even
        when it cannot start the program it is given."""
        events, _ = self.preview_host.run("Z:\\nonexistent\\program.exe", timeout=60)
        host = events.get("host", {}).get("window", {})
        return host.get("hwnd", 0) != 0 and host.get("visible", False)

    def end_programs(self):
        for program in self._programs:
            program.stop()
        self._programs.clear()

    def close(self):
        self.end_programs()
        self.x.close()
        self._tmp.cleanup()

    # -- the program -------------------------------------------------------------------------

    def start(self, *args, clock=None, exe=None, image_name="tavrino.exe"):
        """Starts the program (or another, by its file and image name) with the arguments."""
        program = Program(self.env, self.observer, exe or self.program_exe, args, clock=clock,
                          image_name=image_name)
        self._programs.append(program)
        return program

    def screensaver_file(self):
        """The same program as the screensaver file, tavrino.scr, beside tavrino.exe."""
        return os.path.splitext(self.program_exe)[0] + ".scr"

    def map_log(self):
        """Counts windows mapped from now on: make it before starting the program watched."""
        return MapLog(self.env.display)

    def pointer_hidden(self):
        """Whether the pointer image X shows is empty (what a user sees of the pointer)."""
        return self.x.xlib().pointer_hidden()

    def quit_with_escape(self, program, window):
        """Activates the clock window, presses Esc and returns the exit status; None when the
        program still ran, which is then stopped so that it cannot disturb the next run."""
        self.activate(window)
        self.x.key("Escape")
        status = program.wait_exit(8.0)
        if status is None:
            self.log("Esc did not end the program; stopping it")
            program.stop()
        return status

    def activate(self, window):
        """Makes the window the foreground window with the keyboard focus, as a click on it
        would: both X and Wine must agree before keys are sent. True on success."""
        def foreground():
            return (self.x.focused_window() == window["xid"] and
                    (self.observer.cursor() or {}).get("foreground") == window["hwnd"])

        for _ in range(3):
            self.x.activate(window["xid"])
            if wait_for(foreground, timeout=1.5):
                return True
        self.log(f"could not activate window {window['hwnd']} ({window['title']!r})")
        return False

    # -- pixels ------------------------------------------------------------------------------

    def client_shot(self, window):
        left, top, right, bottom = window["client"]
        return self.x.screenshot(left, top, right - left, bottom - top)

    def render(self, clock, width, height, green=False, options=()):
        """The native render of the face: the reference for screenshots. options are more of
        the render tool's arguments, such as ("--drift",) or ("--brightness", "40")."""
        key = (clock, width, height, green, tuple(options))
        if key not in self._renders:
            path = os.path.join(self._tmp.name, f"render-{len(self._renders)}.png")
            command = [self.render_tool, "--time", clock, "--size", f"{width}x{height}",
                       *options, "--output", path]
            if green:
                command.insert(-2, "--green")
            subprocess.run(command, check=True, capture_output=True, timeout=60)
            self._renders[key] = Image.load(path)
        return self._renders[key]

    def save_shot(self, image, name):
        path = os.path.join(self.shots_dir, name)
        image.save_png(path)
        return path

    def solid_render(self, clock, width, height, green=False, colours=SOLID_COLOURS):
        """The render compared only where it shows one of colours exactly (by default the
        background and the dot centres)."""
        key = (clock, width, height, green, colours)
        if key not in self._solid:
            self._solid[key] = SolidReference(self.render(clock, width, height, green), colours)
        return self._solid[key]

    def wait_face(self, window, matches, timeout=5.0, refresh=None):
        """Polls screenshots of the client area until matches(shot) holds; returns the last
        screenshot and whether it matched. refresh, if given, reads the window again before each
        screenshot: on a loaded machine the window can still be on its way to its place when it
        is first seen."""
        seen = {}

        def probe():
            current = refresh() if refresh is not None else None
            seen["shot"] = self.client_shot(current or window)
            return matches(seen["shot"])

        matched = wait_for(probe, timeout=timeout, interval=0.1)
        return seen["shot"], bool(matched)
