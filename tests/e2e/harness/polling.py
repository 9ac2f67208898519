"""Waiting by polling a condition, never by sleeping a fixed time."""

import time

POLL_INTERVAL = 0.03


def wait_for(condition, timeout=5.0, interval=POLL_INTERVAL):
    """Calls condition() until it returns a true value or the time is up; returns the last value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


def holds_for(condition, duration, interval=POLL_INTERVAL):
    """True when condition() stays true for the whole duration: for checking that something does
    not happen (a window that must not move, a process that must not end)."""
    deadline = time.monotonic() + duration
    while time.monotonic() < deadline:
        if not condition():
            return False
        time.sleep(interval)
    return bool(condition())
