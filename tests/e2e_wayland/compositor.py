"""A Wayland desk for the end-to-end checks: Debian's sway 1.7 on its headless backend, run as an
unprivileged user (sway refuses to start as root) with a private XDG_RUNTIME_DIR, a config of its
own and a mouse and a keyboard that stay plugged in, and the clients run in that user's session as
a real user's would be: grim for screenshots, wtype for keys, the pointer helper for the mouse.
Weston, a compositor without layer-shell, and an Xvfb screen are run the same way."""

import json
import os
import pathlib
import pwd
import shutil
import signal
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "e2e"))
from harness.images import Image  # noqa: E402
from harness.polling import wait_for  # noqa: E402

SESSION_USER = "tavrino-e2e"
FROZEN_TIME = "10:08:42"


class Session:
    """A user to run the desk as, and a folder of the run that the user owns: its home, its
    private runtime folder and the logs of what it starts."""

    def __init__(self, workdir, name):
        self.root = workdir / name
        self.root.mkdir()
        self.user = None
        if os.geteuid() == 0:
            if subprocess.run(["id", SESSION_USER], capture_output=True).returncode != 0:
                subprocess.run(["useradd", "--create-home", "--shell", "/bin/sh", SESSION_USER],
                               check=True)
            self.user = SESSION_USER
        self.home = self.make_folder("home", 0o755)
        self.runtime = self.make_folder("runtime", 0o700)
        self.config_home = self.home / ".config"
        self.environment = {"HOME": str(self.home), "XDG_RUNTIME_DIR": str(self.runtime),
                            "PATH": "/usr/local/bin:/usr/bin:/bin", "TAVRINO_TIME": FROZEN_TIME}
        self._processes = []

    def make_folder(self, name, mode):
        path = self.root / name
        path.mkdir(mode=mode)
        path.chmod(mode)
        self.give(path)
        return path

    def give(self, path):
        if self.user:
            shutil.chown(path, self.user, pwd.getpwnam(self.user).pw_gid)

    def write_file(self, path, data):
        """A file the user may change, with the folders above it up to the session's folder."""
        path.parent.mkdir(parents=True, exist_ok=True)
        for folder in [path.parent, *path.parent.parents]:
            if folder == self.root:
                break
            self.give(folder)
        path.write_bytes(data)
        self.give(path)

    def command(self, args, env):
        """args as the session's user, with the session's environment changed by env (a value of
        None leaves that variable out)."""
        variables = {k: v for k, v in {**self.environment, **env}.items() if v is not None}
        prefix = ["runuser", "-u", self.user, "--"] if self.user else []
        return [*prefix, "env", "-i", *[f"{k}={v}" for k, v in variables.items()], *map(str, args)]

    def start(self, args, env=None, stdin=None, stdout=None, pass_fds=()):
        """args in the background, in a process group of their own, given the descriptors
        pass_fds of this process; what they print on stderr (and stdout unless asked for) goes
        to a log named after the program."""
        log = open(self.root / f"{pathlib.Path(str(args[0])).name}.log", "ab")
        with log:
            process = subprocess.Popen(self.command(args, env or {}), cwd=self.root, stdin=stdin,
                                       stdout=stdout or log, stderr=log, start_new_session=True,
                                       pass_fds=pass_fds)
        self._processes.append(process)
        return process

    def run(self, args, env=None, timeout=30, binary=False):
        return subprocess.run(self.command(args, env or {}), cwd=self.root, capture_output=True,
                              text=not binary, timeout=timeout)

    def start_x_screen(self, width, height):
        """An Xvfb screen of the same user beside Wayland, as DISPLAY of the session; the user's
        own clients may use it, as on a desktop, without opening it to everyone."""
        xvfb = self.start(["Xvfb", "-displayfd", "1", "-screen", "0", f"{width}x{height}x24",
                           "-nolisten", "tcp"], stdout=subprocess.PIPE)
        number = xvfb.stdout.readline().decode().strip()
        if not number:
            raise RuntimeError(f"Xvfb did not start: {self.log('Xvfb')}")
        self.environment["DISPLAY"] = f":{number}"
        return self.environment["DISPLAY"]

    def log(self, program, lines=6):
        path = self.root / f"{program}.log"
        text = path.read_text(errors="replace") if path.exists() else ""
        return " | ".join(text.strip().splitlines()[-lines:])

    def close(self):
        """Ends what was started, newest first, and what that started in turn. The programs get
        SIGTERM themselves: runuser, told to end, would wait two seconds more for its child."""
        for process in reversed(self._processes):
            family = descendants(process.pid) + [process.pid]
            signal_all(family[:-1] if self.user else family, signal.SIGTERM)
            if not wait_for(lambda: not alive(family), timeout=3):
                signal_all(family, signal.SIGKILL)
            process.wait()
        self._processes.clear()


def processes_of(program):
    """The pids of the processes running program (its path as they were started with)."""
    found = []
    for entry in pathlib.Path("/proc").iterdir():
        try:
            argv0 = (entry / "cmdline").read_bytes().split(b"\0")[0]
        except OSError:
            continue
        if entry.name.isdigit() and argv0 == str(program).encode():
            found.append(int(entry.name))
    return found


def descendants(pid):
    """The processes pid started, and those they started, by the parent ids in /proc."""
    children = {}
    for entry in pathlib.Path("/proc").iterdir():
        try:
            fields = (entry / "stat").read_text().rsplit(")", 1)[1].split()
        except (OSError, IndexError):
            continue
        if entry.name.isdigit():
            children.setdefault(int(fields[1]), []).append(int(entry.name))
    found, pending = [], list(children.get(pid, []))
    while pending:
        child = pending.pop()
        found.append(child)
        pending += children.get(child, [])
    return found


def alive(pids):
    """Whether any of pids is still running (a zombie, ended but not yet reaped, is not)."""
    for pid in pids:
        try:
            state = pathlib.Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()[0]
        except (OSError, IndexError):
            continue
        if state != "Z":
            return True
    return False


def signal_all(pids, number):
    for pid in pids:
        try:
            os.kill(pid, number)
        except ProcessLookupError:
            pass


class Pointer:
    """The mouse: the pointer helper, kept running so the seat always has a pointer."""

    def __init__(self, session, helper, env):
        self._process = session.start([helper], env, stdin=subprocess.PIPE,
                                      stdout=subprocess.PIPE)
        if self._answer() != "ready":
            raise RuntimeError(f"the pointer helper did not start: {session.log(helper.name)}")

    def _answer(self):
        return self._process.stdout.readline().decode().strip()

    def _send(self, line):
        self._process.stdin.write((line + "\n").encode())
        self._process.stdin.flush()
        answer = self._answer()
        if answer != "ok":
            raise RuntimeError(f"the pointer helper answered {answer!r} to {line!r}")

    def move(self, x, y, desk_size):
        self._send(f"move {x} {y} {desk_size[0]} {desk_size[1]}")

    def click(self):
        self._send("click")

    def press(self):
        self._send("press")

    def release(self):
        self._send("release")


class Compositor(Session):
    """sway, headless, with the outputs given as (name, width, height, x, y, scale)."""

    def __init__(self, workdir, name, helper, outputs=(("HEADLESS-1", 1280, 720, 0, 0, 1),)):
        super().__init__(workdir, name)
        try:
            self._start(helper, outputs)
        except BaseException:
            self.close()
            raise

    def _start(self, helper, outputs):
        lines = ["xwayland disable", "focus_follows_mouse no"]
        lines += [self._output_line(*output) for output in outputs[:1]]
        config = self.root / "sway.config"
        config.write_text("\n".join(lines) + "\n")
        self.environment["SWAYSOCK"] = str(self.runtime / "sway-ipc.sock")
        self.sway = self.start(["sway", "--config", config], {
            "WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"})
        if not wait_for(lambda: self.sway.poll() is None and
                        self.run(["swaymsg", "-t", "get_version"]).returncode == 0, timeout=15,
                        interval=0.1):
            raise RuntimeError(f"sway did not answer: {self.log('sway')}")
        sockets = sorted(p.name for p in self.runtime.glob("wayland-*") if p.suffix != ".lock")
        self.environment["WAYLAND_DISPLAY"] = sockets[0]
        for output in outputs[1:]:
            self.add_output(*output)
        self.pointer = Pointer(self, helper, {})
        # A keyboard that stays, as a real one does: wtype holds its virtual keyboard while it
        # sleeps, so the seat keeps a keyboard between the keys typed.
        self.start(["wtype", "-s", "3600000"])
        if not wait_for(lambda: self.seat_capabilities() == 3, timeout=5):
            raise RuntimeError("the seat did not get its pointer and keyboard: "
                               f"{self.log('wtype')} {self.log(helper.name)}")

    @staticmethod
    def _output_line(name, width, height, x, y, scale):
        return f"output {name} resolution {width}x{height} position {x} {y} scale {scale}"

    def swaymsg(self, *args):
        done = self.run(["swaymsg", *args])
        if done.returncode != 0:
            raise RuntimeError(f"swaymsg {' '.join(args)}: {done.stdout} {done.stderr}")
        return json.loads(done.stdout) if done.stdout.strip() else None

    def outputs(self):
        return {o["name"]: o for o in self.swaymsg("-t", "get_outputs")}

    def seat_capabilities(self):
        return self.swaymsg("-t", "get_seats")[0]["capabilities"]

    def add_output(self, name, width, height, x, y, scale):
        """A new headless output, which sway names itself: name must be the one it will give."""
        self.swaymsg("create_output")
        if name not in self.outputs():
            raise RuntimeError(f"sway named the new output otherwise: {list(self.outputs())}")
        self.swaymsg(self._output_line(name, width, height, x, y, scale))
        wait_for(lambda: self.outputs()[name]["rect"]["x"] == x and
                 self.outputs()[name]["current_mode"]["width"] == width, timeout=5)

    def desk_size(self):
        rects = [o["rect"] for o in self.outputs().values()]
        return (max(r["x"] + r["width"] for r in rects), max(r["y"] + r["height"] for r in rects))

    def move_pointer(self, x, y):
        """To x, y of the desk, in the outputs' logical units."""
        self.pointer.move(x, y, self.desk_size())

    def click(self):
        self.pointer.click()

    def drag(self, start, end, steps=8):
        """The left button held from start to end of the desk, in steps, as a hand moves."""
        self.move_pointer(*start)
        self.pointer.press()
        for step in range(1, steps + 1):
            self.move_pointer(start[0] + (end[0] - start[0]) * step // steps,
                              start[1] + (end[1] - start[1]) * step // steps)
        self.pointer.release()

    def type_key(self, key):
        """A key by its name (a, Escape, F1) pressed and released, as typed on the keyboard."""
        done = self.run(["wtype", "-k", key])
        if done.returncode != 0:
            raise RuntimeError(f"wtype -k {key}: {done.stderr}")

    def screenshot(self, output):
        """One output as grim captures it: at the output's pixel size."""
        done = self.run(["grim", "-o", output, "-t", "ppm", "-"], binary=True)
        if done.returncode != 0:
            raise RuntimeError(f"grim -o {output}: {done.stderr.decode(errors='replace')}")
        return Image.from_ppm(done.stdout)


class Weston(Session):
    """Debian's weston 10 on its headless backend: a compositor without layer-shell."""

    def __init__(self, workdir, name):
        super().__init__(workdir, name)
        try:
            self._start()
        except BaseException:
            self.close()
            raise

    def _start(self):
        self.environment["WAYLAND_DISPLAY"] = "wayland-weston"
        self.weston = self.start(["weston", "--backend=headless-backend.so",
                                  "--socket=wayland-weston", "--width=1280", "--height=720",
                                  "--no-config", "--idle-time=0"])
        if not wait_for(lambda: (self.runtime / "wayland-weston").exists(), timeout=15):
            raise RuntimeError(f"weston did not start: {self.log('weston')}")
