"""The program's settings file as the end-to-end checks see it: where it is, writing one as a
user or another program might have left it, and reading back what the program stored."""

import os
import re

GROUP = b"[Tavrino]"
# Lines the program cannot read: bytes of no text encoding, a line of a megabyte, a value without
# a key. Writing keeps them as they were.
UNREADABLE_LINES = (
    bytes(range(0x80, 0x100)) + b"\x00\x01\x02 binary",
    b"Uhr" * (1024 * 1024 // 3),
    b"=ohne Schluessel",
)
# Keys the program reads, with values that make no sense for them.
NONSENSE_VALUES = (
    b"WinLeft=links",
    b"WinTop=\x00\xff\xfe",
    b"WinWidth=-99999999999999999999",
    b"WinHeight=sehr hoch",
    b"TaskBar=vielleicht",
    b"LockWindow=\xff",
    b"Transparence=--",
)


def path(environment):
    return os.path.join(environment["XDG_CONFIG_HOME"], "Quenmark", "settings.ini")


def write(environment, text):
    os.makedirs(os.path.dirname(path(environment)), exist_ok=True)
    with open(path(environment), "wb") as file:
        file.write(text)


def remove(environment):
    if os.path.exists(path(environment)):
        os.remove(path(environment))


def malformed():
    """Garbage before the group and inside it, and nonsense for the keys the program reads."""
    lines = (UNREADABLE_LINES[0], GROUP, *UNREADABLE_LINES[1:], *NONSENSE_VALUES)
    return b"\n".join(lines) + b"\n"


def lines(environment):
    try:
        with open(path(environment), "rb") as file:
            return file.read().split(b"\n")
    except FileNotFoundError:
        return []


def values(environment):
    """The keys and values of the program's group, the last line of a key counting."""
    found, inside = {}, False
    for line in lines(environment):
        if line.startswith(b"["):
            inside = line.strip() == GROUP
            continue
        match = re.fullmatch(rb"([^=;#][^=]*)=(.*)", line)
        if inside and match:
            found[match.group(1).decode(errors="replace")] = match.group(2).decode(
                errors="replace")
    return found


def number(stored, key):
    """A stored value as a number, None when it is absent or none."""
    try:
        return float(stored[key])
    except (KeyError, ValueError):
        return None
