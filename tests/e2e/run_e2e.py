#!/usr/bin/env python3
"""End-to-end checks of the real Windows program: starts it under Wine in an Xvfb desktop of its
own, drives it as a user would (keys, clicks, drags, command lines) and checks what a user would
see (window placement and styles, window-manager state, pixels, the pointer, the registry).

    python3 tests/e2e/run_e2e.py [--build build/windows] [--render build/linux/tavrino-render]
                                 [--only 1,4] [--verbose]

Prints one line per check and closes with "N passed, N failed"; the exit status is 1 when any
check failed or the program is missing."""

import argparse
import glob
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import scenarios  # noqa: E402
from harness.context import Context  # noqa: E402
from harness.environment import Environment, EnvironmentError_  # noqa: E402
from harness.report import Report  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def find_program(build):
    for pattern in ("src/win32/tavrino.exe", "**/tavrino.exe"):
        found = sorted(glob.glob(os.path.join(build, pattern), recursive=True))
        if found:
            return found[0]
    return None


def find_release(build, suffix):
    """The installer or the zip the build put into BUILD/release, None when it is not built."""
    found = sorted(glob.glob(os.path.join(build, "release", "*" + suffix)))
    return found[-1] if found else None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "windows"),
                        help="the Windows build folder (default: build/windows)")
    parser.add_argument("--program", default=None,
                        help="the program to test (default: tavrino.exe found under BUILD)")
    parser.add_argument("--render", default=os.path.join(ROOT, "build", "linux",
                                                         "tavrino-render"),
                        help="the native render tool (default: build/linux/tavrino-render)")
    parser.add_argument("--prefix", default=os.path.join(ROOT, "build", "e2e-wineprefix"),
                        help="the Wine prefix, created once and reused")
    parser.add_argument("--shots", default=None,
                        help="where screenshots go (default: BUILD/e2e-shots)")
    parser.add_argument("--only", default="", help="comma-separated scenario numbers")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    program = os.path.abspath(args.program) if args.program else find_program(build)
    tools = {
        "observer": os.path.join(build, "tests", "e2e", "tavrino-observer.exe"),
        "preview host": os.path.join(build, "tests", "e2e", "tavrino-preview-host.exe"),
        "render tool": os.path.abspath(args.render),
    }
    missing = [f"{name}: {path}" for name, path in tools.items() if not os.path.exists(path)]
    tools["installer"] = find_release(build, "-setup.exe")
    tools["release zip"] = find_release(build, "-win64.zip")
    if program is None:
        missing.insert(0, f"the program: no tavrino.exe under {build}")
    if missing:
        print("run_e2e: cannot run, not built:\n  " + "\n  ".join(missing))
        print("Build with: cmake --preset windows && cmake --build --preset windows; "
              "cmake --preset linux && cmake --build --preset linux --target tavrino-render")
        print("0 passed, 1 failed")
        return 1

    def log(text):
        if args.verbose:
            print("[env] " + text, flush=True)

    wanted = {int(n) for n in args.only.split(",") if n.strip()}
    unknown = wanted - {number for number, _, _ in scenarios.ALL}
    if unknown:  # a run of nothing must not pass
        print(f"run_e2e: there is no scenario {', '.join(map(str, sorted(unknown)))}")
        print("0 passed, 1 failed")
        return 1
    report = Report()
    env = Environment(os.path.abspath(args.prefix), log)
    try:
        started = time.monotonic()
        env.start()
        ctx = Context(env, report, program, tools, args.shots or os.path.join(build, "e2e-shots"),
                      log)
        if not ctx.smoke_check():
            log("smoke check failed; restarting Wine once")
            env.restart_wine()
            if not ctx.smoke_check():
                raise EnvironmentError_("Wine cannot create windows in this session")
        log(f"environment ready in {time.monotonic() - started:.1f} s")
        for number, title, scenario in scenarios.ALL:
            if wanted and number not in wanted:
                continue
            report.begin(f"{number}. {title}")
            try:
                scenario(ctx)
            except Exception as exc:  # a broken scenario must not stop the others
                report.error(f"{number}. {title}", exc)
            finally:
                ctx.end_programs()
        ctx.close()
    except EnvironmentError_ as exc:
        report.error("environment", exc)
    finally:
        env.stop()
    return report.summary()


if __name__ == "__main__":
    sys.exit(main())
