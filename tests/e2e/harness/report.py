"""Collects the results of the checks and prints them as they happen."""

import sys
import time


class Report:
    def __init__(self):
        self.passed = 0
        self.failed = 0
        self.failures = []
        self.scenario = ""
        self._start = time.monotonic()

    def begin(self, scenario):
        self.scenario = scenario
        print(f"== {scenario}", flush=True)

    def check(self, name, ok, detail=""):
        elapsed = time.monotonic() - self._start
        if ok:
            self.passed += 1
            print(f"  ok    {name}", flush=True)
        else:
            self.failed += 1
            self.failures.append(f"{self.scenario}: {name}: {detail}")
            print(f"  FAIL  {name}" + (f": {detail}" if detail else ""), flush=True)
        return bool(ok)

    def note(self, text):
        print(f"        {text}", flush=True)

    def error(self, scenario, exc):
        """A scenario that stopped with an exception counts as one failed check."""
        self.failed += 1
        self.failures.append(f"{scenario}: stopped: {exc!r}")
        print(f"  FAIL  scenario stopped: {exc!r}", file=sys.stdout, flush=True)

    def summary(self):
        if self.failures:
            print("\nFailures:")
            for failure in self.failures:
                print("  " + failure)
        seconds = time.monotonic() - self._start
        print(f"\nend-to-end run took {seconds:.0f} s")
        print(f"{self.passed} passed, {self.failed} failed")
        return 0 if self.failed == 0 else 1
