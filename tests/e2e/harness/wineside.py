"""Talking to Windows programs under Wine: our observer and preview host, the registry, and the
program under test."""

import json
import os
import re
import select
import signal
import tempfile
import subprocess
import time

from .polling import wait_for

SETTINGS_KEY = r"Software\Quenmark\Tavrino"
HKCU_SETTINGS_KEY = "HKCU\\" + SETTINGS_KEY

# Style bits the checks read.
WS_CHILD = 0x40000000
WS_VISIBLE = 0x10000000
WS_DISABLED = 0x08000000
WS_CAPTION = 0x00C00000
WS_THICKFRAME = 0x00040000
WS_EX_TOPMOST = 0x00000008
WS_EX_LAYERED = 0x00080000
WS_EX_APPWINDOW = 0x00040000
WS_EX_CLIENTEDGE = 0x00000200

# Windows the system adds to every GUI process; they are not the program's own.
SYSTEM_CLASSES = {"IME", "MSCTFIME UI", "OleMainThreadWndClass", "tooltips_class32",
                  "Message", "CicMarshalWndClass"}

DIALOG_CAPTION = " Tavrino  (Bildschirmschoner)"
MAIN_CLASS = "TavrinoClock"


class Observer:
    def __init__(self, env, exe):
        self.env = env
        self.exe = exe

    def _call(self, *args, timeout=20):
        result = self.env.run(["wine", self.exe, *args], timeout=timeout)
        out = result.stdout.strip().splitlines()
        if not out:
            return None
        return json.loads(out[-1])

    def windows(self, image_name):
        return self._call("windows", image_name) or []

    def window(self, hwnd):
        return self._call("window", str(hwnd))

    def cursor(self):
        return self._call("cursor")

    def screen(self):
        return self._call("screen")

    def registry(self, key=SETTINGS_KEY):
        """The values under HKCU\\key as a dict, or None when the key does not exist."""
        result = self._call("registry", key)
        if result is None or not result.get("exists"):
            return None
        return result["values"]

    def lock_key(self, key=SETTINGS_KEY):
        return self.env.run(["wine", self.exe, "lock-key", key]).returncode == 0

    def unlock_key(self, key=SETTINGS_KEY):
        return self.env.run(["wine", self.exe, "unlock-key", key]).returncode == 0


class Registry:
    """The program's settings key through `wine reg`."""

    # Starting reg.exe is a Wine process start: on a loaded machine it has taken over 30 s.
    TIMEOUT = 90

    def __init__(self, env):
        self.env = env

    def _reg(self, *args):
        return self.env.run(["wine", "reg", *args], timeout=self.TIMEOUT)

    def clear(self):
        self._reg("delete", HKCU_SETTINGS_KEY, "/f")

    def set(self, values):
        """Stores text values in one `wine reg import`."""
        data = {}
        for name, value in values.items():
            escaped = str(value).replace("\\", "\\\\").replace('"', '\\"')
            data[name] = f'"{escaped}"'
        self.set_raw(data)

    def set_raw(self, data):
        """Stores values given as .reg data (`dword:...`, `hex(2):...`) in one `wine reg import`."""
        lines = ["REGEDIT4", "", f"[HKEY_CURRENT_USER\\{SETTINGS_KEY}]"]
        lines += [f'"{name}"={value}' for name, value in data.items()]
        with tempfile.NamedTemporaryFile("w", suffix=".reg", delete=False) as file:
            file.write("\r\n".join(lines) + "\r\n")
        try:
            result = self._reg("import", "Z:" + file.name.replace("/", "\\"))
        finally:
            os.unlink(file.name)
        if result.returncode != 0:
            raise RuntimeError(f"wine reg import failed: {result.stderr.strip()}")

    def try_add(self, name, value):
        """Adds one value; returns the exit status of `wine reg add` (non-zero when refused)."""
        return self._reg("add", HKCU_SETTINGS_KEY, "/v", name, "/t", "REG_SZ", "/d", str(value),
                         "/f").returncode

    def types(self):
        """The registry type of each value under the settings key, from `wine reg query`."""
        out = self._reg("query", HKCU_SETTINGS_KEY).stdout
        return dict(re.findall(r"^\s+(\S+)\s+(REG_\w+)", out, re.M))

    def reset(self, values=None):
        self.clear()
        if values:
            self.set(values)


def is_dialog(window):
    return window["class"] == "#32770" or window["title"] == DIALOG_CAPTION


def is_own(window):
    return window["class"] not in SYSTEM_CLASSES


class Program:
    """One run of the program under test."""

    def __init__(self, env, observer, exe, args=(), clock=None, image_name="tavrino.exe"):
        self.env = env
        self.observer = observer
        self.image_name = image_name
        self.args = list(args)
        run_env = dict(env.env)
        run_env.pop("TAVRINO_TIME", None)
        if clock is not None:
            run_env["TAVRINO_TIME"] = clock
        self.started = time.monotonic()
        self.process = env.spawn(["wine", exe, *self.args], env=run_env)

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=5.0):
        """The exit status once the process has ended, None if it still runs after timeout."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        self.env.stop_process(self.process)

    def windows(self):
        return [w for w in self.observer.windows(self.image_name) if is_own(w)]

    def main_window(self):
        """The clock window: the program's top-level window of the clock's class (or, should the
        class be renamed, its first visible window that is not the dialog)."""
        windows = self.windows()
        for window in windows:
            if window["class"] == MAIN_CLASS:
                return window
        for window in windows:
            if window["visible"] and not is_dialog(window):
                return window
        return None

    def dialog(self):
        for window in self.windows():
            if is_dialog(window):
                return window
        return None

    def wait_main_window(self, condition=lambda w: w["visible"], timeout=8.0):
        """Polls until the clock window exists and satisfies condition; returns the last seen."""
        seen = {}

        def probe():
            window = self.main_window()
            seen["window"] = window
            return window is not None and condition(window)

        wait_for(probe, timeout=timeout)
        return seen.get("window")

    def wait_dialog(self, condition=lambda w: w["visible"], timeout=8.0):
        seen = {}

        def probe():
            window = self.dialog()
            seen["window"] = window
            return window is not None and condition(window)

        wait_for(probe, timeout=timeout)
        return seen.get("window")


class PreviewHost:
    """Our stand-in for the control panel's preview: reports the embedded child as JSON events."""

    def __init__(self, env, host_exe):
        self.env = env
        self.host_exe = host_exe

    def run(self, program_exe, *options, timeout=30):
        result = self.env.run(["wine", self.host_exe, program_exe, *options], timeout=timeout)
        events = {}
        for line in result.stdout.splitlines():
            line = line.strip()
            if line.startswith("{"):
                event = json.loads(line)
                events[event["event"]] = event
        return events, result.returncode

    def start(self, program_exe, *options):
        """The host running in the background, to be read event by event (and killed)."""
        return RunningHost(self.env, self.env.spawn(["wine", self.host_exe, program_exe, *options],
                                                    stdout=subprocess.PIPE))


class RunningHost:
    """A preview host started in the background: its reports read as they come."""

    def __init__(self, env, process):
        self.env = env
        self.process = process
        self._buffer = b""

    def next_event(self, name, timeout=10.0):
        """Reads the host's reports until the named one, which it returns; None on timeout."""
        deadline = time.monotonic() + timeout
        while True:
            while b"\n" in self._buffer:
                line, self._buffer = self._buffer.split(b"\n", 1)
                line = line.strip()
                if line.startswith(b"{") and json.loads(line)["event"] == name:
                    return json.loads(line)
            remaining = deadline - time.monotonic()
            if remaining <= 0 or not select.select([self.process.stdout], [], [], remaining)[0]:
                return None
            chunk = os.read(self.process.stdout.fileno(), 4096)
            if not chunk:
                return None
            self._buffer += chunk

    def kill(self):
        """Kills the host's process alone (not the program it started), as a crash would end it:
        nothing of it runs on."""
        try:
            os.kill(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait(5)

    def stop(self):
        self.env.stop_process(self.process)
