"""The harness's own desktop: Xvfb on a free display, openbox, a reusable Wine prefix and a
running wineserver. Every process started here is tracked and stopped at teardown."""

import contextlib
import os
import shutil
import signal
import subprocess
import time

from .polling import wait_for

SCREEN_WIDTH = 1280
SCREEN_HEIGHT = 1024

# Debian packages of the tools the harness drives (scripts/install-deps.sh desktop windows).
REQUIRED_TOOLS = {
    "Xvfb": "xvfb", "openbox": "openbox", "xdotool": "xdotool", "xprop": "x11-utils",
    "convert": "imagemagick", "wine": "wine", "wineserver": "wine", "Xephyr": "xserver-xephyr",
}


class EnvironmentError_(RuntimeError):
    pass


class Environment:
    def __init__(self, prefix_dir, log, screen=(SCREEN_WIDTH, SCREEN_HEIGHT)):
        self.prefix_dir = prefix_dir
        self.log = log
        self.screen = screen  # width, height of the Xvfb screen
        self.display = None
        self._processes = []
        self._wineserver_started = False
        self.env = dict(os.environ)

    # -- processes ---------------------------------------------------------------------------

    def spawn(self, args, env=None, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
              pass_fds=()):
        """Starts a process in its own process group and tracks it for teardown."""
        process = subprocess.Popen(args, env=env or self.env, stdout=stdout, stderr=stderr,
                                   stdin=subprocess.DEVNULL, pass_fds=pass_fds,
                                   start_new_session=True)
        self._processes.append(process)
        return process

    def stop_process(self, process, grace=2.0):
        if process.poll() is None:
            try:
                os.killpg(process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            try:
                process.wait(grace)
            except subprocess.TimeoutExpired:
                try:
                    os.killpg(process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                process.wait(grace)
        if process in self._processes:
            self._processes.remove(process)

    def xvfb_pid(self):
        return self._xvfb.pid

    def run_quietly(self, args, timeout=30):
        """Runs a command whose helper processes may outlive it: no pipe of ours is inherited."""
        return subprocess.run(args, env=self.env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode

    def run(self, args, timeout=30, check=False, env=None):
        """Runs a short command to its end and returns the completed process (text output)."""
        return subprocess.run(args, env=env or self.env, capture_output=True, text=True,
                              timeout=timeout, check=check, stdin=subprocess.DEVNULL)

    # -- set-up ------------------------------------------------------------------------------

    def start(self):
        missing = sorted({pkg for tool, pkg in REQUIRED_TOOLS.items() if not shutil.which(tool)})
        if missing:
            raise EnvironmentError_("missing tools; install the packages: " + " ".join(missing))
        self._start_xvfb()
        self._start_openbox()
        self._prepare_wine()

    def start_desktop(self):
        """Xvfb and openbox only, for the native Linux programs, which need no Wine."""
        self._start_xvfb()
        self._start_openbox()

    def _start_xvfb(self):
        self._xvfb = self._start_display(["Xvfb", "-screen", "0",
                                          f"{self.screen[0]}x{self.screen[1]}x24",
                                          "-nolisten", "tcp"])
        self.env.pop("XAUTHORITY", None)

    def _start_display(self, command):
        """Starts an X server that writes its display number to the descriptor after
        -displayfd, makes it the display of everything started from now on, and returns it."""
        read_end, write_end = os.pipe()
        server = self.spawn(command[:1] + ["-displayfd", str(write_end)] + command[1:],
                            pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise EnvironmentError_(f"{command[0]} did not report a display")
        self.display = ":" + number
        self.env["DISPLAY"] = self.display
        self.log(f"{command[0]} on display {self.display}")
        return server

    @contextlib.contextmanager
    def nested_monitors(self, sizes):
        """Runs the block on a desk of monitors of these sizes side by side: Xephyr nested in
        the Xvfb screen, with Xinerama on and RandR off, which is how Wine sees several monitors,
        and a wineserver of its own. No window manager: openbox puts a full-screen window on one
        monitor (seen here), as no Windows desktop does. Afterwards everything is as before."""
        saved = self.display
        self._kill_wineserver()
        screens = [arg for w, h in sizes for arg in ("-screen", f"{w}x{h}")]
        nested = self._start_display(["Xephyr", "+xinerama", "-extension", "RANDR", *screens,
                                      "-nolisten", "tcp"])
        try:
            self._prepare_wine()
            yield
        finally:
            self._kill_wineserver()
            self.stop_process(nested)
            self.display = saved
            self.env["DISPLAY"] = self.display
            self._prepare_wine()

    def _start_openbox(self):
        """Starts openbox and waits until it manages the display; a second try if it fails."""
        log_path = os.path.join(os.path.dirname(self.prefix_dir), "e2e-openbox.log")

        def managed():
            out = self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]).stdout
            return "window id" in out

        for attempt in range(2):
            with open(log_path, "w") as log:
                self._openbox = self.spawn(["openbox", "--sm-disable"], stdout=log, stderr=log)
            if wait_for(managed, timeout=20):
                return
            self.log(f"openbox attempt {attempt + 1} failed (exit {self._openbox.poll()})")
            self.stop_process(self._openbox)
        with open(log_path) as log:
            raise EnvironmentError_("openbox did not take over the display: " + log.read())

    def _wine_env(self):
        self.env.update({
            "WINEPREFIX": self.prefix_dir,
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "LANG": "C.UTF-8",
        })

    def _prepare_wine(self):
        self._wine_env()
        self._wineserver_started = True  # from here on, teardown stops whatever runs
        self._kill_wineserver()
        marker = os.path.join(self.prefix_dir, ".tavrino-e2e-ready")
        if not os.path.exists(marker):
            self.log(f"creating the Wine prefix {self.prefix_dir} (once, ~20 s)")
            os.makedirs(self.prefix_dir, exist_ok=True)
            self.run_quietly(["wineboot", "-i"], timeout=300)
            self.run_quietly(["wineserver", "-w"], timeout=300)
            aedebug = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug"
            # A crash must end the process at once instead of starting the debugger.
            for name, value in (("Debugger", ""), ("Auto", "0")):
                self.run_quietly(["wine", "reg", "add", aedebug, "/v", name, "/t", "REG_SZ",
                                  "/d", value, "/f"], timeout=120)
            self.run_quietly(["wineserver", "-w"], timeout=300)
            with open(marker, "w"):
                pass
        # A persistent wineserver, and a first call whose helper processes (services.exe,
        # explorer.exe) inherit no pipe of ours.
        self.run_quietly(["wineserver", "-p"])
        self._wineserver_started = True
        self.run_quietly(["wine", "cmd", "/c", "exit"], timeout=120)

    def _kill_wineserver(self):
        self.run_quietly(["wineserver", "-k"])
        self.run_quietly(["wineserver", "-w"])

    def restart_wine(self):
        self._kill_wineserver()
        self._prepare_wine()

    # -- teardown ----------------------------------------------------------------------------

    def stop(self):
        for process in list(reversed(self._processes)):
            if process not in (getattr(self, "_xvfb", None), getattr(self, "_openbox", None)):
                self.stop_process(process)
        if self._wineserver_started:
            try:
                self._kill_wineserver()
            except subprocess.TimeoutExpired:
                pass
        for name in ("_openbox", "_xvfb"):
            process = getattr(self, name, None)
            if process is not None:
                self.stop_process(process)
