#!/usr/bin/env python3
"""What the full-screen clock costs while nobody touches it, next to xclock, and how late each
second's ring dot appears after the wall-clock second.

    scripts/measure.sh [--seconds N]          # builds what it needs, then runs this
    python3 bench/measure_idle.py [--seconds N] [--settle S] [--dots N] [--build DIR]
                                  [--render TOOL] [--prefix DIR] [--with-options [--rounds N]]

In an Xvfb screen of its own (3840 x 2160, 24 bit, openbox, the end-to-end harness's Wine prefix)
it runs `tavrino.exe /s` with fresh settings and its own clock, waits for its fade-in to end
and a short settle, and takes the CPU time (each thread's /proc/PID/task/*/schedstat) of the
program, the wineserver and Xvfb over N seconds.
Then it polls the centre pixel of the coming second's ring dot with XGetImage every ~0.5 ms and
notes when it lights, against time.time(). Last it runs `xclock -update 1` full screen in the same
Xvfb for N seconds. With --with-options it runs "/s" again with the screensaver's own options on
(the face on the primary monitor only, drifting, at 40 % brightness), --rounds times, taking turns
with as many plain runs, and gives the ratio of the mean CPU times. CPU shares are % of one core.
Exits 1 only when it could not take a figure."""

import argparse
import concurrent.futures
import ctypes
import math
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from harness.environment import Environment  # noqa: E402
from harness.images import Image  # noqa: E402
from harness.polling import wait_for  # noqa: E402
from harness.wineside import Program, Registry  # noqa: E402
from harness.expect import opacity_for  # noqa: E402
from harness.xside import X, Xlib  # noqa: E402

SCREEN = (3840, 2160)
RING_DOTS = 60
POLL_INTERVAL = 0.0005
FRESH_TRANSLUCENCY = 31  # "Transparence.scr" of fresh settings
# The screensaver's own options, all away from their defaults.
OPTIONS_ON = {"AllMonitors.scr": "0", "Drift.scr": "1", "Brightness.scr": "40"}
# The same options stored at their defaults: a plain run again, between runs with them on.
OPTIONS_OFF = {"AllMonitors.scr": "1", "Drift.scr": "0", "Brightness.scr": "100"}


class MeasureError(RuntimeError):
    pass


# -- CPU time from /proc ---------------------------------------------------------------------

def cpu_seconds(pid):
    """The CPU time of all the process's threads in seconds, None when it is gone. From
    /proc/PID/task/*/schedstat, in nanoseconds: /proc/PID/stat counts in clock ticks of 10 ms,
    a few of them in a minute of an idle program, too coarse to compare two runs."""
    total = 0
    try:
        threads = os.listdir(f"/proc/{pid}/task")
    except (FileNotFoundError, ProcessLookupError):
        return None
    for thread in threads:
        try:
            with open(f"/proc/{pid}/task/{thread}/schedstat") as schedstat:
                total += int(schedstat.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            continue  # a thread that has just ended
    return total / 1e9


def cpu_shares(pids, seconds):
    """% of one core each named process used over the next seconds; None for one that ended."""
    before = {name: cpu_seconds(pid) for name, pid in pids.items()}
    started = time.monotonic()
    time.sleep(seconds)  # the measurement window itself
    elapsed = time.monotonic() - started
    after = {name: cpu_seconds(pid) for name, pid in pids.items()}
    return {name: None if before[name] is None or after[name] is None
            else 100.0 * (after[name] - before[name]) / elapsed for name in pids}


def _children(pid):
    try:
        with open(f"/proc/{pid}/task/{pid}/children") as children:
            return [int(child) for child in children.read().split()]
    except FileNotFoundError:
        return []


def program_pid(root_pid, image_name):
    """The process that runs the Windows program: the one Wine started (the launcher execs into
    it), or a descendant of it with the program's name."""
    pending = [root_pid]
    while pending:
        pid = pending.pop(0)
        try:
            with open(f"/proc/{pid}/comm") as comm:
                if comm.read().strip().lower() == image_name[:15].lower():
                    return pid
        except FileNotFoundError:
            continue
        pending.extend(_children(pid))
    return None


def wineserver_pid(prefix_dir):
    """The wineserver of this prefix: it works in a folder named after the prefix's device and
    inode, so other prefixes' servers on the machine are left out."""
    info = os.stat(prefix_dir)
    folder = f"server-{info.st_dev:x}-{info.st_ino:x}"
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/comm") as comm:
                if not comm.read().startswith("wineserver"):  # wineserver64 on Debian
                    continue
            if os.path.basename(os.readlink(f"/proc/{entry}/cwd")) == folder:
                return int(entry)
        except (FileNotFoundError, PermissionError, ProcessLookupError):
            continue
    return None


# -- the ring on screen ----------------------------------------------------------------------

class RingDot:
    def __init__(self, position, x, y, unlit, lit):
        self.position, self.x, self.y, self.unlit, self.lit = position, x, y, unlit, lit


def _dot_on_ray(empty, full, position):
    """The ring dot at position, found on the ray from the face's centre at its angle (position
    0 at the top, clockwise): the middle of the stretch where the two renders differ."""
    cx, cy = empty.width / 2.0, empty.height / 2.0
    angle = 2.0 * math.pi * position / RING_DOTS
    dx, dy = math.sin(angle), -math.cos(angle)

    def at(radius):
        return int(cx + radius * dx), int(cy + radius * dy)

    differ = [r for r in range(min(empty.width, empty.height) // 2)
              if empty.pixel(*at(r)) != full.pixel(*at(r))]
    if not differ:
        raise MeasureError(f"ring dot {position} not found in the renders")
    x, y = at((differ[0] + differ[-1]) / 2.0)
    if empty.pixel(x, y) == full.pixel(x, y):
        raise MeasureError(f"ring dot {position}: its centre {x}, {y} does not change colour")
    return RingDot(position, x, y, empty.pixel(x, y), full.pixel(x, y))


def locate_ring(render_tool, width, height):
    """Ring dots 1-59 at this screen size, from two renders of the same minute: at second 0
    only dot 0 is lit, at second 59 all are."""
    renders = []
    with tempfile.TemporaryDirectory(prefix="tavrino-measure-") as folder:
        for clock in ("10:08:00", "10:08:59"):
            path = os.path.join(folder, clock.replace(":", "") + ".png")
            result = subprocess.run([render_tool, "--time", clock, "--size",
                                     f"{width}x{height}", "--output", path],
                                    capture_output=True, text=True, timeout=120)
            if result.returncode != 0:
                raise MeasureError(f"{render_tool} failed for {clock}: {result.stderr.strip()}")
            renders.append(Image.load(path))
    return {p: _dot_on_ray(*renders, p) for p in range(1, RING_DOTS)}


class PixelProbe(Xlib):
    """One pixel of the root window at a time, as fast as the X server answers."""

    def pixel(self, x, y):
        image = self._x11.XGetImage(self._display, self._root, x, y, 1, 1, self._ALL_PLANES,
                                    self._Z_PIXMAP)
        if not image:
            raise MeasureError(f"XGetImage failed at {x}, {y}")
        try:
            blue, green, red = ctypes.string_at(image.contents.data, 3)
        finally:
            self._x11.XDestroyImage(image)
        return red, green, blue


def ring_shown(probe, ring):
    """True when every ring dot shows its lit or unlit colour and the lit ones run from the
    top without a gap: the face is on the screen at the expected size."""
    lit = []
    for position in sorted(ring):
        dot = ring[position]
        colour = probe.pixel(dot.x, dot.y)
        if colour not in (dot.lit, dot.unlit):
            return False
        lit.append(colour == dot.lit)
    return lit == sorted(lit, reverse=True)


# -- how late the ring dots light ------------------------------------------------------------

def _sleep_until(moment):
    delay = moment - time.time()
    if delay > 0:
        time.sleep(delay)


def _watch_dot(probe, dot, boundary, timeout):
    """Polls the dot until it lights; its delay after the boundary in seconds (None when it did
    not light in time) and the polling intervals."""
    # Just after a minute's turn the dot of second 1 is still lit from second 59 until the
    # program repaints the ring: wait for it to go out, up to the second's beginning.
    if not wait_for(lambda: probe.pixel(dot.x, dot.y) == dot.unlit,
                    timeout=max(0.0, boundary - time.time()), interval=0.002):
        _sleep_until(boundary + 0.05)  # lit before its second began: nothing to time
        return None, []
    gaps, last = [], time.time()
    while last < boundary + timeout:
        # The next poll is due an interval after the last one began, whatever the round trip.
        time.sleep(max(0.0, last + POLL_INTERVAL - time.time()))
        polled = time.time()
        colour = probe.pixel(dot.x, dot.y)
        gaps.append(polled - last)
        last = polled
        if colour == dot.lit:
            return time.time() - boundary, gaps
    return None, gaps


def dot_delays(probe, ring, count, timeout=1.5):
    """Times count seconds' ring dots: second 0 is left out (its dot stays lit, and the minute's
    turn repaints the whole ring). A dot not seen to light is tried again on a later second, up
    to count times. Returns the delays in seconds, the seconds whose dot was not seen to light,
    and the polling intervals."""
    delays, missed, gaps = [], [], []
    while len(delays) < count and len(missed) < count:
        boundary = math.floor(time.time()) + 1
        second = time.localtime(boundary).tm_sec
        if second == 0:
            _sleep_until(boundary + 0.05)
            continue
        delay, polled = _watch_dot(probe, ring[second], boundary, timeout)
        gaps.extend(polled)
        if delay is None:
            missed.append(second)
        else:
            delays.append(delay)
    return delays, missed, gaps


def fade_in_over(env, pid):
    """True when the program's window has the translucency of fresh settings (31), which its
    fade-in ends at: every step of the fade redraws the whole screen."""
    found = env.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)]).stdout.split()
    x = X(env)
    return any(x.opacity(int(xid)) == opacity_for(FRESH_TRANSLUCENCY) for xid in found)


# -- the runs --------------------------------------------------------------------------------

def measure_tavrino(env, program_exe, ring, args, log, stored=None):
    """Runs "/s" with fresh settings, or with only the stored values given: its CPU shares over
    the window, then, with fresh settings, the dots' delays."""
    registry = Registry(env)
    registry.clear()
    if stored:
        registry.set(stored)
    program = Program(env, None, program_exe, ("/s",))
    probe = PixelProbe(env.display)
    try:
        # A drifted, dimmed face is not where the located ring is: its fade-in tells it is shown.
        if not stored and not wait_for(lambda: ring_shown(probe, ring), timeout=30, interval=0.1):
            raise MeasureError("the screensaver's face did not appear at "
                               f"{env.screen[0]}x{env.screen[1]}")
        log(f"the face is on the screen {time.monotonic() - program.started:.1f} s after the start")
        faded_in = wait_for(lambda: fade_in_over(env, program.process.pid), timeout=15)
        log(f"fade-in {'over' if faded_in else 'not seen to end'} "
            f"{time.monotonic() - program.started:.1f} s after the start")
        time.sleep(args.settle)  # Wine's start-up work is over
        pids = {"tavrino.exe": program_pid(program.process.pid, "tavrino.exe"),
                "wineserver": wineserver_pid(env.prefix_dir), "Xvfb": env.xvfb_pid()}
        lost = [name for name, pid in pids.items() if pid is None]
        if lost:
            raise MeasureError("process not found: " + ", ".join(lost))
        shares = cpu_shares(pids, args.seconds)
        if not program.running():
            raise MeasureError("the screensaver ended during the measurement")
        delays = None if stored else dot_delays(probe, ring, args.dots)
    finally:
        probe.close()
        program.stop()
    return shares, delays


def measure_xclock(env, args):
    """xclock with a second hand over the whole screen: its CPU share and Xvfb's."""
    width, height = env.screen
    xclock = env.spawn(["xclock", "-update", "1", "-geometry", f"{width}x{height}+0+0"])
    try:
        shown = wait_for(lambda: env.run(["xdotool", "search", "--onlyvisible", "--pid",
                                          str(xclock.pid)]).stdout.strip(), timeout=15)
        if not shown:
            raise MeasureError("xclock did not show a window")
        time.sleep(args.settle)
        shares = cpu_shares({"xclock": xclock.pid, "Xvfb": env.xvfb_pid()}, args.seconds)
        if xclock.poll() is not None:
            raise MeasureError("xclock ended during the measurement")
    finally:
        env.stop_process(xclock)
    return shares


# -- the report ------------------------------------------------------------------------------

def _share(value, width=8):
    return "gone" if value is None else f"{value:{width}.2f} %"


def _sum(shares):
    return None if None in shares.values() else sum(shares.values())


def print_report(args, tavrino, xclock, delays):
    """The table and the one-line summary; returns the figures (None where missing)."""
    screen = f"{SCREEN[0]}x{SCREEN[1]}"
    tavrino_total, xclock_total = _sum(tavrino), _sum(xclock)
    ratio = (tavrino_total / xclock_total if tavrino_total is not None and xclock_total
             else None)
    samples, missed, gaps = delays
    print(f"CPU, % of one core, over {args.seconds:g} s after {args.settle:g} s settling:")
    print(f"  tavrino.exe /s at {screen}")
    for name, value in tavrino.items():
        print(f"    {name:<30}{_share(value)}")
    print(f"    {'tavrino + wineserver + Xvfb':<30}{_share(tavrino_total)}")
    print(f"  xclock -update 1 at {screen}")
    for name, value in xclock.items():
        print(f"    {name:<30}{_share(value)}")
    print(f"    {'xclock + Xvfb':<30}{_share(xclock_total)}")
    print(f"  ratio (tavrino + wineserver + Xvfb) / (xclock + Xvfb): "
          + ("n/a (xclock used no measurable time)" if ratio is None else f"{ratio:.2f}"))
    interval = f"{statistics.mean(gaps) * 1000:.2f} ms" if gaps else "n/a"
    print(f"Ring dot lit after the wall-clock second ({len(samples)} seconds timed, "
          f"{len(missed)} not seen{': ' + str(missed) if missed else ''}; "
          f"polled every {interval}):")
    median = statistics.median(samples) * 1000 if samples else None
    late = max(samples) * 1000 if samples else None
    for name, value in (("median", median), ("max", late)):
        print(f"    {name:<30}" + ("n/a" if value is None else f"{value:8.1f} ms"))
    print(f"summary: /s at {screen} for {args.seconds:g} s: tavrino "
          f"{_share(tavrino['tavrino.exe'], 0)}, with wineserver and Xvfb "
          f"{_share(tavrino_total, 0)}, xclock + Xvfb {_share(xclock_total, 0)}, ratio " +
          ("n/a" if ratio is None else f"{ratio:.2f}") +
          "; ring dot late by median " + ("n/a" if median is None else f"{median:.1f} ms") +
          ", max " + ("n/a" if late is None else f"{late:.1f} ms") +
          f" over {len(samples)} seconds")
    return tavrino_total, xclock_total, median


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seconds", type=float, default=30.0,
                        help="length of each CPU measurement (default 30)")
    parser.add_argument("--settle", type=float, default=2.0,
                        help="wait after the window appears before measuring (default 2)")
    parser.add_argument("--dots", type=int, default=12,
                        help="how many seconds' ring dots to time (default 12)")
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "windows"),
                        help="the Windows build folder (default: build/windows)")
    parser.add_argument("--render", default=os.path.join(ROOT, "build", "linux",
                                                         "tavrino-render"),
                        help="the native render tool (default: build/linux/tavrino-render)")
    parser.add_argument("--prefix", default=os.path.join(ROOT, "build", "e2e-wineprefix"),
                        help="the Wine prefix, the end-to-end harness's by default")
    parser.add_argument("--with-options", action="store_true",
                        help="measure \"/s\" again with the screensaver's options on")
    parser.add_argument("--rounds", type=int, default=1, metavar="N",
                        help="with --with-options: N runs with the options on, taking turns with "
                        "N plain ones (default: 1)")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()
    if args.seconds <= 0 or args.settle < 0 or args.dots < 1 or args.rounds < 1:
        parser.error("--seconds, --dots and --rounds must be positive, --settle not negative")
    return args


def measure_options(env, program_exe, ring, args, log, first_plain):
    """Runs with the options on and off in turn, --rounds times each, the first plain run being
    the one already measured: a minute of Wine's idle CPU varies by a third from run to run, so
    one run each cannot tell 10 %. Returns the plain runs and the runs with the options on."""
    plain, with_options = [first_plain], []
    for round_number in range(args.rounds):
        if round_number > 0:
            plain.append(measure_tavrino(env, program_exe, ring, args, log, OPTIONS_OFF)[0])
        with_options.append(measure_tavrino(env, program_exe, ring, args, log, OPTIONS_ON)[0])
        log(f"round {round_number + 1} with and without the options measured")
    return plain, with_options


def _mean(values):
    return None if None in values else sum(values) / len(values)


def print_options_report(args, plain_runs, option_runs):
    """The runs with the screensaver's options next to the plain ones; returns the ratio of
    their means."""
    plain_total = _mean([_sum(run) for run in plain_runs])
    options_total = _mean([_sum(run) for run in option_runs])
    ratio = options_total / plain_total if options_total is not None and plain_total else None
    options = ", ".join(f"{key} = {value}" for key, value in OPTIONS_ON.items())
    print(f"  tavrino.exe /s at {SCREEN[0]}x{SCREEN[1]} with {options}: {len(option_runs)} "
          f"run(s), taking turns with plain ones, means")
    for name in option_runs[0]:
        on = _mean([run[name] for run in option_runs])
        off = _mean([run[name] for run in plain_runs])
        print(f"    {name:<30}{_share(on)}  (plain {_share(off)})")
    for turn, (on, off) in enumerate(zip(option_runs, plain_runs), start=1):
        on_total, off_total = _sum(on), _sum(off)
        if on_total is not None and off_total:
            print(f"    turn {turn}: on / off                 {on_total / off_total:.2f}")
    print(f"summary: /s with its options on {_share(options_total, 0)} against "
          f"{_share(plain_total, 0)} with them off (tavrino + wineserver + Xvfb, mean of "
          f"{len(option_runs)} run(s) each), ratio " + ("n/a" if ratio is None else f"{ratio:.2f}"))
    return (ratio,)


def main():
    args = parse_args()
    program_exe = os.path.join(os.path.abspath(args.build), "src", "win32", "tavrino.exe")
    missing = [path for path in (program_exe, args.render, shutil.which("xclock") or "xclock")
               if not os.path.exists(path)]
    if missing:
        print("measure_idle: cannot measure, missing: " + ", ".join(missing) +
              " (scripts/measure.sh builds and installs what is needed)")
        return 1

    def log(text):
        if args.verbose:
            print("[env] " + text, flush=True)

    started = time.monotonic()
    env = Environment(os.path.abspath(args.prefix), log, screen=SCREEN)
    try:
        # The renders and the desktop's start-up mostly wait on other processes: side by side.
        with concurrent.futures.ThreadPoolExecutor(max_workers=1) as pool:
            located = pool.submit(locate_ring, os.path.abspath(args.render), *SCREEN)
            env.start()
            log(f"environment ready at {time.monotonic() - started:.1f} s")
            ring = located.result()
        log(f"ring dots located at {time.monotonic() - started:.1f} s")
        tavrino, delays = measure_tavrino(env, program_exe, ring, args, log)
        log(f"screensaver measured at {time.monotonic() - started:.1f} s")
        with_options = None
        if args.with_options:
            with_options = measure_options(env, program_exe, ring, args, log, tavrino)
        xclock = measure_xclock(env, args)
        log(f"xclock measured at {time.monotonic() - started:.1f} s")
    except (RuntimeError, subprocess.TimeoutExpired) as exc:  # our errors, the harness's, Xlib's
        print(f"measure_idle: cannot measure: {exc}")
        return 1
    finally:
        env.stop()
    figures = print_report(args, tavrino, xclock, delays)
    if with_options is not None:
        figures += print_options_report(args, *with_options)
    return 0 if None not in figures else 1


if __name__ == "__main__":
    sys.exit(main())
