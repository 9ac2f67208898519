#!/usr/bin/env python3
"""End-to-end check of the X11 settings dialog program, tavrino-settings, on its own: in an Xvfb
desktop with openbox, this script plays the clock at the other end of the program's socket and
drives the window with xdotool as a user would.

    python3 tests/e2e_x11/test_dialog.py --dialog build/linux/tavrino-settings \\
        --render build/linux/tavrino-render --shots build/linux/e2e-x11-shots

Prints one line per check and exits 1 when one failed, 77 when a tool it needs is missing."""

import argparse
import os
import re
import select
import shutil
import socket
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness.environment import Environment  # noqa: E402
from harness.images import Image  # noqa: E402
from harness.polling import holds_for, wait_for  # noqa: E402
from harness.xside import X  # noqa: E402
from hostwindow import HostWindow  # noqa: E402

TOOLS = ("Xvfb", "openbox", "xdotool", "xprop", "xwininfo", "convert", "xmessage")
TITLE = " Tavrino  (Bildschirmschoner)"
# Places inside the client area, in pixels at 96 dpi (the Windows dialog's twips / 15).
TASK_BOX = (12 + 6, 142 + 8)  # the check mark of "in Task-Leiste sichtbar"
PICTURE_BOX = (4, 4, 124, 123)  # the picture's border, left, top, width, height
PICTURE_SIZE = (120, 119)
FACE_TIME = "10:08:42"
VERSION = "Version 1.00a - 02.02.2015"
BOXES = ("task", "lock", "on-top", "blue", "fade", "all-monitors", "drift")


def escaped(text):
    """A text as one field of a line: the backslash, the blank and control characters escaped."""
    return "".join("\\\\" if c == "\\" else f"\\x{ord(c):02x}" if ord(c) <= 0x20 or ord(c) == 0x7f
                   else c for c in text)


def state_line(ticked=(), amount=63):
    """The whole state the clock sends: every box enabled, clear unless named, the slider and
    its number at amount, the version, the translucency strip shown, the screensaver's frame not
    (the desktop clock's dialog), its brightness at 100."""
    boxes = " ".join(("ticked" if box in ticked else "clear") + " 1" for box in BOXES)
    return f"state {boxes} {amount} 1 {amount} {escaped(VERSION)} 1 0 100 100"


class DialogProgram:
    """The program at the other end of a socket, as the clock sees it."""

    def __init__(self, env, path, small_send_buffer=False):
        self.socket, theirs = socket.socketpair()
        if small_send_buffer:
            # The smallest the kernel allows: a few reports that are not read fill it.
            theirs.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, 1)
        self.process = subprocess.Popen([path], stdin=theirs, stdout=theirs, env=env.env,
                                        start_new_session=True)
        theirs.close()
        self.pending = b""
        self.seen = []

    def send(self, *lines):
        self.socket.sendall("".join(line + "\n" for line in lines).encode())

    def _read(self, timeout):
        ready, _, _ = select.select([self.socket], [], [], timeout)
        if not ready:
            return False
        data = self.socket.recv(4096)
        if not data:
            return False
        self.pending += data
        *lines, self.pending = self.pending.split(b"\n")
        self.seen += [line.decode() for line in lines]
        return True

    def wait_report(self, pattern, timeout=5.0):
        """The first report since the last wait that matches the pattern, or None."""
        deadline = time.monotonic() + timeout
        while True:
            for i, line in enumerate(self.seen):
                if re.fullmatch(pattern, line):
                    del self.seen[:i + 1]
                    return line
            left = deadline - time.monotonic()
            if left <= 0 or not self._read(left):
                return None

    def quiet_for(self, pattern, duration):
        """True when no report matching the pattern arrives for the whole duration."""
        return self.wait_report(pattern, timeout=duration) is None

    def close(self):
        self.socket.close()


class Checks:
    def __init__(self):
        self.failed = 0
        self.passed = 0

    def check(self, name, ok, detail=""):
        print(("PASS " if ok else "FAIL ") + name + ("" if ok else f"  ({detail})"), flush=True)
        if ok:
            self.passed += 1
        else:
            self.failed += 1
        return ok


def window_of(env, process):
    """The program's mapped top-level window and its client area's place on the screen."""
    found = wait_for(lambda: env.run(["xdotool", "search", "--onlyvisible", "--pid",
                                      str(process.pid)]).stdout.split())
    if not found:
        return None, None
    xid = int(found[0])
    info = env.run(["xwininfo", "-id", str(xid)]).stdout
    left = int(re.search(r"Absolute upper-left X:\s+(-?\d+)", info).group(1))
    top = int(re.search(r"Absolute upper-left Y:\s+(-?\d+)", info).group(1))
    return xid, (left, top)


def find_face(shot, reference, box):
    """Whether the reference lies in the screenshot, pixel for pixel, somewhere inside box."""
    left, top, width, height = box
    for dy in range(height - reference.height + 1):
        for dx in range(width - reference.width + 1):
            part = Image(reference.width, reference.height, b"".join(
                shot.data[((top + dy + y) * shot.width + left + dx) * 3:
                          ((top + dy + y) * shot.width + left + dx + reference.width) * 3]
                for y in range(reference.height)))
            if part.differing_pixels(reference) == 0:
                return True
    return False


def check_texts_and_face(checks, env, x, dialog, origin, args):
    checks.check("the title is the one the clock sent",
                 f'"{TITLE}"' in x.prop(dialog_xid(env, dialog), "_NET_WM_NAME"))
    face_file = os.path.join(args.shots, "face-120x119.png")
    subprocess.run([args.render, "--time", FACE_TIME, "--size", "%dx%d" % PICTURE_SIZE,
                    "--output", face_file], check=True)
    shot = x.screenshot(origin[0], origin[1], 363, 247)
    shot.save_png(os.path.join(args.shots, "dialog.png"))
    checks.check("the picture is our face at 10:08:42 with blue digits, pixel for pixel",
                 find_face(shot, Image.load(face_file, env.env), PICTURE_BOX))


def dialog_xid(env, dialog):
    return window_of(env, dialog.process)[0]


def ticked_pixels(image):
    """The pixels of the theme's blue fill of a ticked box; hover and focus draw in greys."""
    return sum(1 for i in range(0, len(image.data), 3)
               if image.data[i + 2] > 180 and image.data[i] < 120)


def check_box_click(checks, x, dialog, origin):
    def mark():
        return ticked_pixels(x.screenshot(origin[0] + TASK_BOX[0] - 7,
                                          origin[1] + TASK_BOX[1] - 7, 15, 15))

    checks.check("the box starts clear", mark() == 0, mark())
    x.click(origin[0] + TASK_BOX[0], origin[1] + TASK_BOX[1])
    checks.check("a click on a box reports it", dialog.wait_report("clicked task") is not None)
    time.sleep(0.2)  # let a wrongly ticked box be drawn; nothing reports a repaint
    checks.check("the clicked box stays clear until the clock says otherwise", mark() == 0,
                 mark())
    dialog.send(state_line(ticked=("task",)))
    checks.check("the box ticks when the clock says so", wait_for(lambda: mark() > 20), mark())


def check_keys(checks, x, dialog, xid):
    x.activate(xid)
    for keys, report in (("alt+t", "clicked task"), ("alt+p", "clicked lock"),
                         ("alt+v", "clicked on-top"), ("alt+z", "clicked blue"),
                         ("alt+b", "clicked fade"), ("alt+o", "ok"), ("Escape", "ok"),
                         ("Return", "ok")):
        x.key(keys)
        checks.check(f"{keys} reports {report}", dialog.wait_report(report) is not None,
                     dialog.seen)
    x.key("alt+F4")
    checks.check("the close box (Alt+F4 through the window manager) reports close",
                 dialog.wait_report("close") is not None)
    checks.check("the window stays until the clock closes it",
                 dialog.quiet_for("visible 0", 0.3))


def active_window(env):
    out = env.run(["xdotool", "getactivewindow"]).stdout.strip()
    return int(out) if out.isdigit() else None


def check_focus(checks, env, x, dialog, xid):
    # A window of this process is, to the dialog program, one of the clock's: the clock is the
    # program's parent.
    clock = HostWindow(env.display, 700, 40, 200, 120, managed=True)
    clock.belong_to(os.getpid())
    try:
        wait_for(lambda: x.activate(clock.xid))
        checks.check("a window of the clock taking the activation reports left",
                     dialog.wait_report("left") is not None, dialog.seen)
        dialog.send("focus")
        checks.check("focus takes the activation back from the clock",
                     wait_for(lambda: active_window(env) == xid), active_window(env))
    finally:
        clock.close()
    other = env.spawn(["xmessage", "another program"])
    try:
        found = wait_for(lambda: env.run(["xdotool", "search", "--onlyvisible", "--class",
                                          "Xmessage"]).stdout.split())
        other_xid = int(found[0]) if found else None
        x.activate(other_xid)
        checks.check("another program can take the activation",
                     wait_for(lambda: active_window(env) == other_xid), active_window(env))
        checks.check("another program taking the activation reports nothing",
                     dialog.quiet_for("left", 0.5), dialog.seen)
        dialog.send("focus")
        checks.check("focus never takes the activation from another program",
                     holds_for(lambda: active_window(env) == other_xid, 0.5),
                     active_window(env))
    finally:
        env.stop_process(other)


def check_window(checks, x, dialog, xid):
    dialog.send("on-top 1")
    checks.check("on top puts it above the others",
                 wait_for(lambda: "_NET_WM_STATE_ABOVE" in x.net_wm_state(xid)))
    dialog.send("rect 100 120 465 330")
    placed = dialog.wait_report(r"rect 100 120 465 330")
    checks.check("a rectangle sent is the window's outer edges, also when shorter",
                 placed is not None, dialog.seen)
    x.click(100 + 30, 120 + 100)  # the picture, now at the new place
    checks.check("a click on the picture reports it", dialog.wait_report("picture") is not None)
    dialog.send("hide")
    checks.check("hide hides it", dialog.wait_report("visible 0") is not None)


def title_of(x, xid):
    match = re.search(r'= "(.*)"', x.prop(xid, "_NET_WM_NAME"))
    return match.group(1) if match else None


def check_clock_not_reading(checks, env, x, args):
    """A clock that stops reading its reports, then shuts its reading end, neither freezes the
    program's window nor kills the program; it still ends when the clock's end closes."""
    dialog = DialogProgram(env, args.dialog, small_send_buffer=True)
    try:
        dialog.send("open 96 96")
        dialog.wait_report(r"rect( -?\d+){4}")
        dialog.send("title Stalled-0", "show")
        xid, _ = window_of(env, dialog.process)
        if not checks.check("a second program's window is mapped", xid is not None):
            return
        x.activate(xid)
        x.key(*["alt+t"] * 40)  # each reports a click that nobody reads
        dialog.send("title Stalled-1")
        checks.check("reports the clock does not read leave the window working",
                     wait_for(lambda: title_of(x, xid) == "Stalled-1"), title_of(x, xid))
        dialog.socket.shutdown(socket.SHUT_RD)
        x.key(*["alt+t"] * 5)
        dialog.send("title Stalled-2")
        checks.check("reports to a clock that shut its reading end leave the program working",
                     wait_for(lambda: title_of(x, xid) == "Stalled-2")
                     and dialog.process.poll() is None, dialog.process.poll())
        dialog.close()
        checks.check("and it ends normally when the clock's end closes",
                     wait_for(lambda: dialog.process.poll() is not None)
                     and dialog.process.returncode == 0, dialog.process.returncode)
    finally:
        if dialog.process.poll() is None:
            dialog.process.kill()
            dialog.process.wait()


def run(args):
    checks = Checks()
    os.makedirs(args.shots, exist_ok=True)
    env = Environment(os.path.join(args.shots, "no-wine"), lambda text: None)
    env.start_desktop()
    x = X(env)
    dialog = DialogProgram(env, args.dialog)
    try:
        dialog.send("title before the window is made goes nowhere", "open 96 96")
        first = dialog.wait_report(r"rect( -?\d+){4}")
        checks.check("the first report, once told the resolution, is where the window is",
                     first is not None, dialog.seen)
        dialog.send("title " + escaped(TITLE), state_line(), "show-modal")
        checks.check("show-modal answers shown once on screen",
                     dialog.wait_report("visible 1") and dialog.wait_report("shown"))
        xid, origin = window_of(env, dialog.process)
        checks.check("its window is mapped", xid is not None)
        if xid is not None:
            check_texts_and_face(checks, env, x, dialog, origin, args)
            check_box_click(checks, x, dialog, origin)
            check_keys(checks, x, dialog, xid)
            check_focus(checks, env, x, dialog, xid)
            check_window(checks, x, dialog, xid)
        dialog.close()
        checks.check("the program ends when the clock's end closes",
                     wait_for(lambda: dialog.process.poll() is not None),
                     "still running")
        check_clock_not_reading(checks, env, x, args)
    finally:
        if dialog.process.poll() is None:
            dialog.process.kill()
            dialog.process.wait()
        x.close()
        env.stop()
    print(f"{checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dialog", required=True)
    parser.add_argument("--render", required=True)
    parser.add_argument("--shots", required=True)
    args = parser.parse_args()
    missing = [tool for tool in TOOLS if not shutil.which(tool)]
    if missing:
        print("missing tools (scripts/install-deps.sh desktop): " + " ".join(missing))
        return 77
    return run(args)


if __name__ == "__main__":
    sys.exit(main())
