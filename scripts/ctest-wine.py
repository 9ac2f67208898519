#!/usr/bin/env python3
"""Runs ctest once and reruns only the tests that Wine failed to start.

    scripts/ctest-wine.py --preset windows [other ctest arguments]

Now and then Wine fails to start a test process at all: it ends within moments and prints
nothing. Such a test is run again, alone, up to three times. Every other failure, and a start
failure that lasts, fails the run: a test that fails for real is never given another try."""

import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

TRIES = 3
# A process that never started ends well within this, Wine's own start included.
AT_ONCE_SECONDS = 5.0


def run_ctest(arguments, junit):
    """Runs ctest; returns its exit status and its failed test cases by name."""
    status = subprocess.run(["ctest", *arguments, "--output-junit", junit]).returncode
    try:
        cases = ElementTree.parse(junit).getroot().iter("testcase")
    except (OSError, ElementTree.ParseError):
        return status, None
    return status, {case.get("name"): case for case in cases
                    if case.get("status") not in ("run", "disabled")}


def never_started(case):
    output = case.findtext("system-out") or ""
    return (case.get("status") == "fail" and not output.strip() and
            float(case.get("time") or 0) < AT_ONCE_SECONDS)


def main(arguments):
    with tempfile.TemporaryDirectory(prefix="tavrino-ctest-") as folder:
        junit = os.path.join(folder, "results.xml")
        status, failed = run_ctest(arguments, junit)
        for attempt in range(TRIES + 1):
            if failed is None or (status != 0 and not failed):
                print("ctest-wine: ctest failed without naming a failed test", flush=True)
                return 1
            if not failed:
                return 0
            real = sorted(name for name, case in failed.items() if not never_started(case))
            if real:
                print("ctest-wine: failed: " + ", ".join(real), flush=True)
                return 1
            names = sorted(failed)
            if attempt == TRIES:
                print("ctest-wine: Wine never started " + ", ".join(names), flush=True)
                return 1
            print(f"ctest-wine: Wine did not start {', '.join(names)}; try {attempt + 1} of "
                  f"{TRIES}", flush=True)
            only = "^(" + "|".join(re.escape(name) for name in names) + ")$"
            status, failed = run_ctest([*arguments, "-R", only], junit)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
