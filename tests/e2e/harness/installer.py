"""The release: the installer run silently, the installed screensaver, the silent removal, and the
zip of the same programs."""

import os
import zipfile

from .expect import FROZEN
from .polling import wait_for
from .screensaver import wait_full_screen

UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrino"
DESKTOP_KEY = r"Control Panel\Desktop"
SCREENSAVER_VALUE = "SCRNSAVE.EXE"
EARLIER_SCREENSAVER = r"C:\windows\system32\earlier.scr"
LATER_SCREENSAVER = r"C:\windows\system32\later.scr"
PROGRAMS = ("tavrino.exe", "tavrino.scr")


def _unix_path(ctx, windows_path):
    return ctx.env.run(["winepath", "-u", windows_path]).stdout.strip()


def _shortcut(ctx):
    """Where the Start-menu entry of the desktop clock belongs, as a path on this side."""
    appdata = ctx.env.run(["wine", "cmd", "/c", "echo %APPDATA%"]).stdout.strip()
    return _unix_path(ctx, appdata + r"\Microsoft\Windows\Start Menu\Programs\Tavrino.lnk")


def _choose_screensaver(ctx, path):
    ctx.env.run(["wine", "reg", "add", "HKCU\\" + DESKTOP_KEY, "/v", SCREENSAVER_VALUE,
                 "/t", "REG_SZ", "/d", path, "/f"])


def _chosen_screensaver(ctx):
    return (ctx.observer.registry(DESKTOP_KEY) or {}).get(SCREENSAVER_VALUE)


def _install(ctx):
    """Runs the installer silently; returns its uninstall entry (None when there is none)."""
    ctx.env.run_quietly(["wine", ctx.installer, "/S"], timeout=60)
    return ctx.observer.registry(UNINSTALL_KEY)


def _uninstall(ctx, folder):
    """Runs the uninstaller silently and waits for the installed folder to go: the uninstaller
    copies itself away and finishes in the background. True when the folder went."""
    ctx.env.run_quietly(["wine", os.path.join(folder, "uninstall.exe"), "/S"], timeout=60)
    return bool(wait_for(lambda: not os.path.exists(folder), timeout=20, interval=0.1))


def _run_installed_screensaver(ctx, folder):
    r = ctx.report
    ctx.registry.clear()
    program = ctx.start("/s", clock=FROZEN, exe=os.path.join(folder, "tavrino.scr"),
                        image_name="tavrino.scr")
    window = wait_full_screen(ctx, program)
    if not r.check("the installed \"tavrino.scr /s\" covers the screen", window is not None,
                   f"window {window}"):
        return
    left, top, right, bottom = window["client"]
    reference = ctx.solid_render(FROZEN, right - left, bottom - top)
    shot, matched = ctx.wait_face(window, reference.matches)
    r.check("it shows the clock", matched, f"{reference.differing(shot)} solid pixels differ")
    ctx.activate(window)
    ctx.x.key("a")
    r.check("a key ends it", program.wait_exit(8) == 0)


def _check_release_zip(ctx, folder):
    with zipfile.ZipFile(ctx.release_zip) as archive:
        packed = {name: archive.read(name) for name in archive.namelist()}
    installed = {}
    for name in PROGRAMS:
        with open(os.path.join(folder, name), "rb") as file:
            installed[name] = file.read()
    ctx.report.check("the release zip holds the two programs the installer installs",
                     packed == installed, f"zip holds {sorted(packed)}")


def install_and_remove(ctx):
    """Silent install with an earlier screensaver chosen, the installed "/s", silent removal."""
    r = ctx.report
    if not r.check("the installer and the release zip are built",
                   ctx.installer is not None and ctx.release_zip is not None,
                   "build the default target of the windows preset"):
        return
    _choose_screensaver(ctx, EARLIER_SCREENSAVER)
    entry = _install(ctx)
    if not r.check("the installer lists the program in the user's installed programs",
                   entry is not None and entry.get("DisplayName") == "Tavrino" and
                   entry.get("UninstallString", "").endswith('uninstall.exe"'),
                   f"entry {entry}"):
        return
    location = entry.get("InstallLocation", "")
    folder = _unix_path(ctx, location)
    r.check("it installs into the user's programs folder",
            location.lower().endswith(r"\appdata\local\programs\tavrino"), location)
    r.check("it installs both programs and the uninstaller",
            all(os.path.isfile(os.path.join(folder, name))
                for name in PROGRAMS + ("uninstall.exe",)), f"folder {sorted(os.listdir(folder))}")
    shortcut = _shortcut(ctx)
    r.check("it adds the desktop clock to the Start menu", os.path.isfile(shortcut), shortcut)
    scr = location + "\\tavrino.scr"
    r.check("it makes the installed screensaver the chosen one",
            _chosen_screensaver(ctx) == scr, f"{SCREENSAVER_VALUE} = {_chosen_screensaver(ctx)}")
    _check_release_zip(ctx, folder)

    _run_installed_screensaver(ctx, folder)

    r.check("the silent uninstaller removes the installed folder", _uninstall(ctx, folder),
            f"left {sorted(os.listdir(folder)) if os.path.exists(folder) else []}")
    r.check("and the Start-menu entry and the uninstall entry",
            not os.path.exists(shortcut) and ctx.observer.registry(UNINSTALL_KEY) is None)
    r.check("it puts back the screensaver chosen before",
            _chosen_screensaver(ctx) == EARLIER_SCREENSAVER,
            f"{SCREENSAVER_VALUE} = {_chosen_screensaver(ctx)}")
    r.check("it keeps the program's settings", ctx.observer.registry() is not None)

    _install(ctx)
    _choose_screensaver(ctx, LATER_SCREENSAVER)
    _uninstall(ctx, folder)
    r.check("a screensaver chosen after the install stays chosen after the removal",
            _chosen_screensaver(ctx) == LATER_SCREENSAVER and not os.path.exists(folder),
            f"{SCREENSAVER_VALUE} = {_chosen_screensaver(ctx)}, folder left "
            f"{os.path.exists(folder)}")
