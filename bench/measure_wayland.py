#!/usr/bin/env python3
"""What the Wayland screensaver and desktop clock cost, measured side by side in one run under a
headless sway of its own with one output of 3840 x 2160: the time from the start of `tavrino /s`
and of the desktop clock to the first frame committed, their resident memory (the saver's next to
the size of its buffers), their idle CPU next to the X11 `tavrino -root` on an Xvfb screen of the
same size in the same session, all three running at once over the same window, how long after
each wall-clock second the saver's tick is committed, and how much of the buffer an ordinary tick
damages.

    python3 bench/measure_wayland.py [--seconds N] [--settle S] [--starts N] [--rounds N]
                                     [--build DIR] [--client PATH]

The commits are read from the client's own WAYLAND_DEBUG=client log, which stamps every request
with the wall clock, so no pixels need polling. The start is stamped by the shell that then execs
the clock. CPU is from /proc/PID/schedstat, % of one core, over the same --seconds for all three,
the mean of --rounds fresh starts of the three (each round's ratio is printed too). --client
measures another build's tavrino (copied, not changed). Exits 1 only when it could not take a
figure."""

import argparse
import os
import pathlib
import re
import signal
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
sys.path.insert(0, str(ROOT / "tests" / "e2e_wayland"))
sys.path.insert(0, str(ROOT / "bench"))

from compositor import Compositor, processes_of  # noqa: E402
from harness.polling import wait_for  # noqa: E402
from measure_idle import MeasureError, cpu_shares  # noqa: E402
from measure_native import resident_kib  # noqa: E402
from run_wayland_e2e import install  # noqa: E402

SCREEN = (3840, 2160)
OUTPUT = ("HEADLESS-1", *SCREEN, 0, 0, 1)
# "[1234567.890]  -> wl_surface@10.commit()": the wall clock in microseconds modulo 2^32 (shown
# as milliseconds), whether the client sent it, the object and the message.
DEBUG_LINE = re.compile(r"^\[\s*(\d+)\.(\d{3})\]\s+(->)?\s*(\w+)@(\d+)\.(\w+)\((.*)\)\s*$")
STAMP_WRAP = 2 ** 32


def wall_microseconds(stamp, reference):
    """The wall clock of a stamp (microseconds modulo 2^32) taken shortly before reference."""
    full = reference - reference % STAMP_WRAP + stamp
    return full - STAMP_WRAP if full > reference else full


def frames(log_text, reference):
    """The commits that carried a buffer, each as (wall-clock microseconds, damaged pixels)."""
    attached, damage, found = set(), {}, []  # attached: surfaces with a buffer to commit
    for line in log_text.splitlines():
        match = DEBUG_LINE.match(line)
        if not match or not match.group(3) or match.group(4) != "wl_surface":
            continue
        stamp = int(match.group(1)) * 1000 + int(match.group(2))
        surface, message, arguments = match.group(5), match.group(6), match.group(7)
        if message == "attach":
            attached.add(surface)
        elif message == "damage_buffer":
            width, height = (int(v) for v in arguments.split(",")[2:4])
            damage[surface] = damage.get(surface, 0) + width * height
        elif message == "commit" and surface in attached:
            attached.discard(surface)
            found.append((wall_microseconds(stamp, reference), damage.pop(surface, 0)))
    return found


def clock_pid(installed):
    pids = processes_of(installed)
    return pids[0] if pids else None


class DebugRun:
    """The clock (/s unless told otherwise) under WAYLAND_DEBUG=client, its log in a file, its
    start stamped by the shell that execs it."""

    def __init__(self, desk, installed, log_path, env, arguments=("/s",)):
        self.log_path, self.installed = log_path, installed
        with open(log_path, "wb") as log:
            self.process = subprocess.Popen(desk.command(
                ["sh", "-c", 'date +%s%N >&2; exec "$0" "$@"', installed, *arguments],
                {"WAYLAND_DEBUG": "client", **env}), stdout=subprocess.DEVNULL, stderr=log)

    def text(self):
        return self.log_path.read_text(errors="replace")

    def started_microseconds(self):
        return int(self.text().split("\n", 1)[0]) // 1000

    def frames(self):
        return frames(self.text(), time.time_ns() // 1000)

    def stop(self):
        pid = clock_pid(self.installed)
        if pid:
            os.kill(pid, signal.SIGTERM)
        self.process.wait(timeout=10)


def start_to_first_frame(desk, installed, workdir, starts, arguments=("/s",)):
    times = []
    for index in range(starts):
        run = DebugRun(desk, installed, workdir / f"start-{index}.log", {}, arguments)
        try:
            if not wait_for(run.frames, timeout=10, interval=0.05):
                raise MeasureError(f"{arguments} committed no frame within 10 s: "
                                   f"{run.text()[-400:]}")
            times.append((run.frames()[0][0] - run.started_microseconds()) / 1000)
        finally:
            run.stop()
    return times


def ticks(desk, installed, workdir, settle, seconds):
    """The ordinary ticks of a running /s with the real time, after settling: how many
    milliseconds after the nearest wall-clock second each was committed, and the pixels each
    damaged."""
    run = DebugRun(desk, installed, workdir / "ticks.log", {"TAVRINO_TIME": None})
    try:
        if not wait_for(run.frames, timeout=10, interval=0.05):
            raise MeasureError("/s committed no frame within 10 s")
        settled = run.frames()[0][0] + int(settle * 1e6)
        time.sleep(settle + seconds)  # the ticks to be measured
        committed = [frame for frame in run.frames() if frame[0] > settled]
    finally:
        run.stop()
    offsets = [((stamp + 500_000) % 1_000_000 - 500_000) / 1000 for stamp, _ in committed]
    # The tick nearest a whole minute redraws the digits too; the others are ordinary.
    minute = [round(stamp / 1e6) % 60 == 0 for stamp, _ in committed]
    return offsets, [(damaged, new_minute) for (_, damaged), new_minute in zip(committed, minute)]


def idle_figures(desk, runs, settle, seconds):
    """The resident memory and idle CPU of each run (name: (command, env)), all running at once
    and measured over the same window, so that the machine's own ups and downs reach each alike."""
    started, pids = [], {}
    try:
        for name, (command, env) in runs.items():
            before = set(processes_of(command[0]))
            started.append(desk.start(command, env))
            if not wait_for(lambda: set(processes_of(command[0])) - before, timeout=5):
                raise MeasureError(f"{name} did not start: {desk.log(command[0].name)}")
            pids[name] = (set(processes_of(command[0])) - before).pop()
        time.sleep(settle)
        shares = cpu_shares(pids, seconds)
        if None in shares.values():
            raise MeasureError(f"a program ended during the measurement: {shares}")
        return {name: (resident_kib(pid), shares[name]) for name, pid in pids.items()}
    finally:
        for pid in pids.values():
            try:
                os.kill(pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        for process in started:
            process.wait(timeout=10)


def idle_rounds(desk, installed, args):
    """idle_figures --rounds times: each program's mean memory and CPU, and each round's CPU
    ratio of /s to -root, since at these levels one window is noisy."""
    display = desk.start_x_screen(*SCREEN)
    runs = {
        "tavrino /s (Wayland)": ([installed, "/s"], {"TAVRINO_TIME": None}),
        "desktop clock (Wayland)": ([installed], {"TAVRINO_TIME": None}),
        "tavrino -root (X11)": ([installed, "-root"], {"TAVRINO_TIME": None,
                                                        "WAYLAND_DISPLAY": None,
                                                        "DISPLAY": display}),
    }
    rounds = [idle_figures(desk, runs, args.settle, args.seconds) for _ in range(args.rounds)]
    means = {name: tuple(statistics.mean(figures[name][i] for figures in rounds) for i in (0, 1))
             for name in runs}
    ratios = [figures["tavrino /s (Wayland)"][1] / figures["tavrino -root (X11)"][1]
              for figures in rounds if figures["tavrino -root (X11)"][1] > 0]
    return means, ratios


def measure(desk, installed, workdir, args):
    starts = {"/s": start_to_first_frame(desk, installed, workdir, args.starts),
              "the desktop clock": start_to_first_frame(desk, installed, workdir, args.starts, ())}
    offsets, damaged = ticks(desk, installed, workdir, args.settle, args.seconds)
    return starts, offsets, damaged, *idle_rounds(desk, installed, args)


def report(starts, offsets, damaged, idle, ratios):
    buffer_mib = SCREEN[0] * SCREEN[1] * 4 / 2 ** 20
    for name, times in starts.items():
        print(f"start of {name} to its first frame committed: median "
              f"{statistics.median(times):.1f} ms, max {max(times):.1f} ms "
              f"over {len(times)} starts")
    # The saver holds a second buffer while sway holds the first; the module has one; the
    # desktop clock's are its own size, small.
    buffers = {"tavrino /s (Wayland)": 2, "tavrino -root (X11)": 1}
    for name, (rss, cpu) in idle.items():
        beside = ""
        if name in buffers:
            beside = (f" ({rss / 1024 - buffers[name] * buffer_mib:+.1f} MB beside "
                      f"{buffers[name]} x {buffer_mib:.1f} MB of buffers)")
        print(f"  {name:<24} RSS {rss / 1024:6.1f} MB{beside}   CPU {cpu:.3f} %")
    x11 = idle["tavrino -root (X11)"][1]
    if x11 > 0:
        print(f"  idle CPU /s on Wayland / -root on X11: "
              f"{idle['tavrino /s (Wayland)'][1] / x11:.2f} (the means' ratio; by round: "
              f"{', '.join(f'{ratio:.2f}' for ratio in ratios)})")
    if not offsets:
        print("no tick committed")
        return False
    late = [abs(offset) for offset in offsets]
    print(f"tick committed after the wall-clock second: median {statistics.median(offsets):+.1f} "
          f"ms, largest {max(late):.1f} ms over {len(offsets)} ticks")
    ordinary = [pixels for pixels, new_minute in damaged if not new_minute]
    if ordinary:
        print(f"pixels damaged by an ordinary tick: median {statistics.median(ordinary):.0f}, "
              f"largest {max(ordinary)} of {SCREEN[0] * SCREEN[1]}")
    for pixels in (pixels for pixels, new_minute in damaged if new_minute):
        print(f"pixels damaged by the tick of a new minute: {pixels}")
    return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seconds", type=float, default=10.0,
                        help="length of each CPU measurement and of the tick timing (default 10)")
    parser.add_argument("--settle", type=float, default=2.0,
                        help="wait after the start before measuring (default 2)")
    parser.add_argument("--starts", type=int, default=5, help="starts to time (default 5)")
    parser.add_argument("--rounds", type=int, default=1,
                        help="fresh starts of the three programs for the idle CPU (default 1)")
    parser.add_argument("--build", default=ROOT / "build" / "linux", type=pathlib.Path)
    parser.add_argument("--client", type=pathlib.Path, help="another build's tavrino to measure")
    args = parser.parse_args()
    if args.rounds < 1 or args.starts < 1 or args.seconds <= 0:
        parser.error("--rounds, --starts and --seconds must be positive")
    build = args.build.resolve()
    with tempfile.TemporaryDirectory(prefix="tavrino-measure-wayland-") as temp:
        workdir = pathlib.Path(temp)
        workdir.chmod(0o755)
        installed, helper = install(build, args.client, workdir)
        desk = None
        try:
            desk = Compositor(workdir, "sway", helper, (OUTPUT,))
            # No fade: the first frame is the face, and every later commit an ordinary tick.
            desk.write_file(desk.config_home / "Quenmark" / "settings.ini",
                            b"[Tavrino]\nFading.scr=0\nFading=0\n")
            figures = measure(desk, installed, workdir, args)
        except (MeasureError, RuntimeError, subprocess.TimeoutExpired) as exc:
            print(f"measure_wayland: cannot measure: {exc}")
            return 1
        finally:
            if desk:
                desk.close()
    print(f"Wayland screensaver and desktop clock under a headless sway at "
          f"{SCREEN[0]}x{SCREEN[1]}, one run, "
          f"{args.seconds:g} s of CPU each after {args.settle:g} s settling, "
          f"{args.rounds} round(s):")
    return 0 if report(*figures) else 1


if __name__ == "__main__":
    sys.exit(main())
