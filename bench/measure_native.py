#!/usr/bin/env python3
"""What the native Linux clock costs next to `xclock -update 1`, measured side by side in one run:
the time from start to a mapped window, the resident memory, the idle CPU, and how late each
second's ring dot appears after the wall-clock second.

    scripts/measure.sh [--seconds N]          # builds what it needs, then runs this
    python3 bench/measure_native.py [--seconds N] [--settle S] [--dots N] [--starts N]
                                    [--build DIR] [--with-options]

In an Xvfb screen of its own (3840 x 2160, 24 bit, openbox) it runs, one after the other, the
desktop clock at its default size and xclock at the same size, then `tavrino -root` and xclock
over the whole screen. For each: the median time from the start of the process to the first
window mapped on the screen (over --starts starts), VmRSS from /proc/PID/status after settling,
and the CPU time over N seconds from /proc/PID/schedstat (nanoseconds; /proc/PID/stat's clock
ticks are too coarse at these levels). With --with-options `tavrino -root` is measured once more
with the screensaver's own options on, and the ratio of the two given. Last it times the ring
dots of `tavrino -root` against time.time(). CPU shares are % of one core. Exits 1 only when it could not take a figure."""

import argparse
import ctypes
import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e_x11"))
sys.path.insert(0, os.path.dirname(__file__))

from harness.polling import wait_for  # noqa: E402
from harness.xside import MapLog  # noqa: E402
from measure_idle import (SCREEN, MeasureError, PixelProbe, dot_delays,  # noqa: E402
                          locate_ring, ring_shown)
from run_x11_e2e import NativeEnvironment  # noqa: E402



def cpu_nanoseconds(pid):
    """Time on a CPU in nanoseconds, None when the process is gone."""
    try:
        with open(f"/proc/{pid}/schedstat") as schedstat:
            return int(schedstat.read().split()[0])
    except (FileNotFoundError, ProcessLookupError, IndexError, ValueError):
        return None


def cpu_share(pid, seconds):
    before, started = cpu_nanoseconds(pid), time.monotonic()
    time.sleep(seconds)  # the measurement window itself
    after, elapsed = cpu_nanoseconds(pid), time.monotonic() - started
    if before is None or after is None:
        raise MeasureError(f"process {pid} ended during the measurement")
    return 100.0 * (after - before) / 1e9 / elapsed


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise MeasureError(f"no VmRSS for process {pid}")


class MapTimer(MapLog):
    """Waits on the X connection itself for the next window mapped, to time it to the
    millisecond rather than to a polling interval."""

    def next_map(self, timeout):
        self._x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
        fd = self._x11.XConnectionNumber(self._display)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self._mapped_windows():
                return time.monotonic()
            select.select([fd], [], [], max(0.0, deadline - time.monotonic()))
        return None


def time_to_map(env, command, extra_env):
    """Seconds from the process's start to its first window mapped on the screen; the process
    is stopped again."""
    timer = MapTimer(env.display)
    try:
        timer._mapped_windows()  # what came before the start does not count
        started = time.monotonic()
        process = env.spawn(command, env={**env.env, **extra_env})
        mapped = timer.next_map(10.0)
    finally:
        timer.close()
    env.stop_process(process)
    if mapped is None:
        raise MeasureError(f"{command[0]} mapped no window within 10 s")
    return mapped - started


def measure(env, name, command, args, extra_env, shown, maps_window=True):
    """Start-to-map median (for a program that maps a window of its own), then one more run:
    resident memory and CPU share after settling."""
    starts = [time_to_map(env, command, extra_env) for _ in range(args.starts if maps_window else 0)]
    process = env.spawn(command, env={**env.env, **extra_env})
    try:
        if not wait_for(lambda: shown(process), timeout=15, interval=0.1):
            raise MeasureError(f"{name} did not show itself")
        time.sleep(args.settle)
        figures = {"map_ms": statistics.median(starts) * 1000 if starts else None, "rss_kib": resident_kib(process.pid),
                   "cpu": cpu_share(process.pid, args.seconds)}
        if process.poll() is not None:
            raise MeasureError(f"{name} ended during the measurement")
    finally:
        env.stop_process(process)
    return figures


def window_shown(env):
    def shown(process):
        return env.run(["xdotool", "search", "--onlyvisible", "--pid",
                        str(process.pid)]).stdout.strip()
    return shown


def default_size(env, program, home):
    """The desktop clock's window size on this screen, as it chooses it with fresh settings."""
    process = env.spawn([program], env={**env.env, "HOME": home, "XDG_CONFIG_HOME": home})
    try:
        found = wait_for(lambda: window_shown(env)(process), timeout=15)
        if not found:
            raise MeasureError("the desktop clock did not show a window")
        geometry = env.run(["xdotool", "getwindowgeometry", found.split()[0]]).stdout
        width, height = geometry.split("Geometry:")[1].split()[0].split("x")
    finally:
        env.stop_process(process)
    return int(width), int(height)


def report(rows, delays, image_kib):
    print(f"{'':<34}{'start→map':>11}{'RSS':>11}{'CPU':>10}")
    for name, row in rows.items():
        started = "—" if row["map_ms"] is None else f"{row['map_ms']:.1f} ms"
        print(f"  {name:<32}{started:>11}{row['rss_kib'] / 1024:>8.1f} MB{row['cpu']:>8.3f} %")
    root = rows["tavrino -root (3840x2160)"]
    print(f"  -root RSS less its 3840x2160 image: {(root['rss_kib'] - image_kib) / 1024:.1f} MB")
    with_options = rows.get("tavrino -root, options on")
    if with_options is not None and root["cpu"] > 0:
        print(f"  -root CPU with the screensaver's options on / off: "
              f"{with_options['cpu'] / root['cpu']:.2f}")
    samples, missed, _ = delays
    median = statistics.median(samples) * 1000 if samples else float("nan")
    late = max(samples) * 1000 if samples else float("nan")
    print(f"ring dot lit after the wall-clock second: median {median:.1f} ms, max {late:.1f} ms "
          f"over {len(samples)} seconds ({len(missed)} not seen)")
    return bool(samples)


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seconds", type=float, default=60.0,
                        help="length of each CPU measurement (default 60)")
    parser.add_argument("--settle", type=float, default=2.0,
                        help="wait after the window appears before measuring (default 2)")
    parser.add_argument("--dots", type=int, default=12, help="ring dots to time (default 12)")
    parser.add_argument("--starts", type=int, default=9, help="starts to time (default 9)")
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "linux"),
                        help="the native build folder (default: build/linux)")
    parser.add_argument("--with-options", action="store_true",
                        help="measure -root again with the screensaver's options on")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()
    if args.seconds <= 0 or args.settle < 0 or args.dots < 1 or args.starts < 1:
        parser.error("--seconds, --dots and --starts must be positive, --settle not negative")
    return args


def measure_with_options(env, args, program):
    """tavrino -root with the screensaver's own options on (drifting, at 40 % brightness, on the
    primary monitor only); its face is not where the located ring is, so it is waited for only
    as long as the settling."""
    home = tempfile.mkdtemp(prefix="tavrino-measure-options-")
    folder = os.path.join(home, "Quenmark")
    os.makedirs(folder)
    with open(os.path.join(folder, "settings.ini"), "w") as settings:
        settings.write("[Tavrino]\nAllMonitors.scr=0\nDrift.scr=1\nBrightness.scr=40\n")
    try:
        return measure(env, "tavrino -root with its options", [program, "-root"], args,
                       {"HOME": home, "XDG_CONFIG_HOME": home},
                       lambda process: process.poll() is None, maps_window=False)
    finally:
        shutil.rmtree(home, ignore_errors=True)


def run(env, args, program, render):
    home = tempfile.mkdtemp(prefix="tavrino-measure-home-")
    fresh = {"HOME": home, "XDG_CONFIG_HOME": home}
    width, height = default_size(env, program, home)
    shown = window_shown(env)
    xclock = shutil.which("xclock")
    rows = {
        f"tavrino ({width}x{height})": measure(env, "the desktop clock", [program], args, fresh,
                                               shown),
        f"xclock -update 1 ({width}x{height})": measure(
            env, "xclock", [xclock, "-update", "1", "-geometry", f"{width}x{height}"], args, {},
            shown),
    }
    ring = locate_ring(render, *SCREEN)
    probe = PixelProbe(env.display)
    try:
        rows["tavrino -root (3840x2160)"] = measure(
            env, "tavrino -root", [program, "-root"], args, fresh,
            lambda process: ring_shown(probe, ring), maps_window=False)
        if args.with_options:
            rows["tavrino -root, options on"] = measure_with_options(env, args, program)
        process = env.spawn([program, "-root"], env={**env.env, **fresh})
        try:
            if not wait_for(lambda: ring_shown(probe, ring), timeout=15, interval=0.1):
                raise MeasureError("tavrino -root did not draw its face")
            delays = dot_delays(probe, ring, args.dots)
        finally:
            env.stop_process(process)
    finally:
        probe.close()
        shutil.rmtree(home, ignore_errors=True)
    rows[f"xclock -update 1 ({SCREEN[0]}x{SCREEN[1]})"] = measure(
        env, "xclock", [xclock, "-update", "1", "-geometry", f"{SCREEN[0]}x{SCREEN[1]}+0+0"],
        args, {}, shown)
    return rows, delays


def main():
    args = parse_args()
    program = os.path.join(os.path.abspath(args.build), "tavrino")
    render = os.path.join(os.path.abspath(args.build), "tavrino-render")
    missing = [path for path in (program, render, shutil.which("xclock") or "xclock")
               if not os.path.exists(path)]
    if missing:
        print("measure_native: cannot measure, missing: " + ", ".join(missing) +
              " (scripts/measure.sh builds and installs what is needed)")
        return 1

    def log(text):
        if args.verbose:
            print("[env] " + text, flush=True)

    scratch = tempfile.mkdtemp(prefix="tavrino-measure-")
    env = NativeEnvironment(os.path.join(scratch, "unused"), log, screen=SCREEN)
    try:
        env.start()
        rows, delays = run(env, args, program, render)
    except (RuntimeError, subprocess.TimeoutExpired) as exc:
        print(f"measure_native: cannot measure: {exc}")
        return 1
    finally:
        env.stop()
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"native clock next to xclock, one run, {args.seconds:g} s of CPU each after "
          f"{args.settle:g} s settling, start→map the median of {args.starts}:")
    return 0 if report(rows, delays, SCREEN[0] * SCREEN[1] * 4 // 1024) else 1


if __name__ == "__main__":
    sys.exit(main())
