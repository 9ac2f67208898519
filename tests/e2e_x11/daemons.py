#!/usr/bin/env python3
"""The clock as a screensaver module of the real daemons, Debian's own xscreensaver 6 and
XSecureLock, each run in an Xvfb screen of its own.

xscreensaver refuses to launch hacks as root ("running as root: not launching hacks"), so when
this runs as root (as CI does) the daemons run as an unprivileged user made here. That user may
not be able to enter the folder the build is in, so the clock is installed with `cmake --install`
into a temporary folder everyone can read, which also checks what the install puts in place.

    python3 tests/e2e_x11/daemons.py --build build/linux
"""

import argparse
import os
import pathlib
import pwd
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "e2e"))
from harness.images import Image  # noqa: E402
from harness.polling import holds_for, wait_for  # noqa: E402
from harness.report import Report  # noqa: E402

SCREEN = (1280, 1024)
FROZEN = "10:08:42"
DAEMON_USER = "tavrino-e2e"


class Desk:
    """An Xvfb screen and a user to run the daemons as, with a home of its own."""

    def __init__(self, workdir):
        self.workdir = workdir
        if os.geteuid() == 0:
            if subprocess.run(["id", DAEMON_USER], capture_output=True).returncode != 0:
                subprocess.run(["useradd", "--create-home", "--shell", "/bin/sh", DAEMON_USER],
                               check=True)
            self.user = DAEMON_USER
            self.home = pathlib.Path(pwd.getpwnam(DAEMON_USER).pw_dir)
        else:
            self.user = None
            self.home = workdir / "home"
            self.home.mkdir(exist_ok=True)
        self._processes = []
        read_end, write_end = os.pipe()
        # -ac: the daemons' user may draw on this private screen without a cookie.
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp", "-ac"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.display = ":" + pipe.readline().strip()

    def command(self, args, **env):
        """args as the daemons' user, with a clean environment."""
        variables = {"DISPLAY": self.display, "HOME": str(self.home), "TAVRINO_TIME": FROZEN,
                     "PATH": "/usr/local/bin:/usr/bin:/bin", **env}
        prefix = ["runuser", "-u", self.user, "--"] if self.user else []
        return prefix + ["env", "-i"] + [f"{k}={v}" for k, v in variables.items()] + list(args)

    def start(self, args, **env):
        """args in the background; what they print goes to a log of their own (see output)."""
        log = open(self.workdir / f"{pathlib.Path(args[0]).name}.log", "wb")
        with log:
            process = subprocess.Popen(self.command(args, **env), cwd=self.workdir,
                                       stdout=log, stderr=subprocess.STDOUT)
        self._processes.append(process)
        return process

    def output(self, program, lines=8):
        """The last lines a program started here printed, to say why a daemon did not answer."""
        path = self.workdir / f"{program}.log"
        text = path.read_text(errors="replace") if path.exists() else ""
        return " | ".join(text.strip().splitlines()[-lines:])

    def run(self, args, **env):
        return subprocess.run(self.command(args, **env), cwd=self.workdir, capture_output=True,
                              text=True, timeout=30)

    def write_home_file(self, name, text):
        path = self.home / name
        path.write_text(text)
        if self.user:
            shutil.chown(path, self.user)
        return path

    def screenshot(self):
        blob = subprocess.run(["import", "-display", self.display, "-window", "root", "-depth", "8",
                               "ppm:-"],
                              capture_output=True, check=True, timeout=30).stdout
        return Image.from_ppm(blob)

    def close(self):
        for process in self._processes:
            if process.poll() is None:
                process.kill()
            process.wait()
        if self.user:
            subprocess.run(["pkill", "-KILL", "-u", self.user], capture_output=True)
        self.xvfb.terminate()
        self.xvfb.wait()


def clock_processes(installed):
    """The pids of the installed clock's processes, with their arguments."""
    found = {}
    for entry in pathlib.Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                argv = (entry / "cmdline").read_bytes().split(b"\0")
            except OSError:
                continue
            if argv and argv[0].decode(errors="replace") == str(installed):
                found[int(entry.name)] = [a.decode(errors="replace") for a in argv[1:] if a]
    return found


def check_face(r, desk, reference, what):
    shot = wait_for(lambda: (lambda s: s if s.differing_pixels(reference) == 0 else None)(
        desk.screenshot()), timeout=10, interval=0.3)
    r.check(f"{what}: the screen shows the face rendered at {SCREEN[0]}x{SCREEN[1]}", shot,
            f"{desk.screenshot().differing_pixels(reference)} pixels differ")


def xscreensaver(r, desk, installed, reference):
    r.begin("xscreensaver 6 runs the clock as its hack")
    desk.write_home_file(".xscreensaver", "\n".join([
        "mode:\tone", "selected:\t0", f"programs:\t\"Tavrino\" {installed} -root \\n",
        "lock:\tFalse", "fade:\tFalse", "unfade:\tFalse", "splash:\tFalse",
        "timeout:\t1:00:00", "dpmsEnabled:\tFalse", ""]))
    # xscreensaver ends with status 1 and no word when it cannot open the display, which it did
    # once in a full run: the daemon's user must reach the screen first, and an early end of the
    # daemon gets one more start.
    r.check("the daemon's user can open the display",
            wait_for(lambda: desk.run(["xprop", "-root", "-len", "0"]).returncode == 0, timeout=10))
    command = ["xscreensaver", "-no-splash", "-verbose"]
    daemon = desk.start(command)
    if wait_for(lambda: daemon.poll() is not None, timeout=2, interval=0.1):
        r.note(f"xscreensaver ended at once with {daemon.returncode}, started again: "
               f"{desk.output('xscreensaver')}")
        daemon = desk.start(command)
    activated = wait_for(lambda: desk.run(["xscreensaver-command", "-activate"]).returncode == 0,
                         timeout=20, interval=0.5)
    r.check("xscreensaver-command -activate is accepted", activated,
            f"daemon {'running' if daemon.poll() is None else f'ended with {daemon.returncode}'}"
            f": {desk.output('xscreensaver')}")
    running = wait_for(lambda: clock_processes(installed), timeout=10)
    # xscreensaver 6 spells the option of its hacks with two dashes.
    r.check("the daemon starts the clock as its hack, with --root", running and
            all({"-root", "--root"} & set(args) for args in running.values()),
            f"processes: {running}")
    check_face(r, desk, reference, "activated")
    desk.run(["xscreensaver-command", "-deactivate"])
    r.check("xscreensaver-command -deactivate ends the clock",
            wait_for(lambda: not clock_processes(installed), timeout=10))


def xsecurelock(r, desk, installed, module, reference):
    r.begin("XSecureLock runs the clock through its module")
    locker = desk.start(["xsecurelock"], XSECURELOCK_SAVER=str(module))
    running = wait_for(lambda: clock_processes(installed), timeout=10)
    r.check("locking starts the clock through saver_tavrino", running, "no clock process")
    for pid in running or {}:
        environment = pathlib.Path(f"/proc/{pid}/environ").read_bytes().split(b"\0")
        r.check("it draws in the window XSecureLock gives",
                any(v.startswith(b"XSCREENSAVER_WINDOW=") for v in environment))
    check_face(r, desk, reference, "locked")
    r.check("the clock keeps running while the screen is locked",
            holds_for(lambda: clock_processes(installed), 1.5))
    locker.terminate()
    r.check("ending XSecureLock ends the clock",
            wait_for(lambda: not clock_processes(installed), timeout=10))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build/linux", type=pathlib.Path)
    options = parser.parse_args()
    build = options.build.resolve()
    r = Report()
    with tempfile.TemporaryDirectory(prefix="tavrino-daemons-") as temp:
        workdir = pathlib.Path(temp)
        workdir.chmod(0o755)
        prefix = workdir / "prefix"
        subprocess.run(["cmake", "--install", str(build), "--prefix", str(prefix)], check=True,
                       stdout=subprocess.DEVNULL)
        installed = prefix / "bin" / "tavrino"
        module = prefix / "libexec" / "xsecurelock" / "saver_tavrino"
        picture = workdir / "reference.png"
        subprocess.run([str(build / "tavrino-render"), "--time", FROZEN, "--size",
                        f"{SCREEN[0]}x{SCREEN[1]}", "--output", str(picture)], check=True)
        reference = Image.load(str(picture))
        for scenario in (lambda d: xscreensaver(r, d, installed, reference),
                         lambda d: xsecurelock(r, d, installed, module, reference)):
            desk = Desk(workdir)
            settings = desk.home / ".config" / "Quenmark"
            shutil.rmtree(settings, ignore_errors=True)
            try:
                scenario(desk)
                r.check("the screensaver module wrote no settings", not settings.exists())
            except Exception as exc:  # one broken scenario must not hide the others
                r.error(r.scenario, exc)
            finally:
                desk.close()
    return r.summary()


if __name__ == "__main__":
    sys.exit(main())
