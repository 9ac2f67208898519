#!/usr/bin/env python3
"""The render tool's faces against the face model of the end-to-end harness: at three sizes and
two times, the pixel at every dot's centre has the dot's fill colour.

    render_matches_model.py TOOL FOLDER"""

import os
import struct
import subprocess
import sys
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

from harness import face_model  # noqa: E402

SIZES = ((465, 465), (640, 400), (333, 512))
TIMES = (("14:19:14", False), ("23:46:59", True))  # (time, green digits)


def paeth(left, up, up_left):
    estimate = left + up - up_left
    distances = (abs(estimate - left), abs(estimate - up), abs(estimate - up_left))
    return (left, up, up_left)[distances.index(min(distances))]


def read_png(path):
    """An 8-bit RGB PNG without interlacing as (width, height, rows of bytes)."""
    with open(path, "rb") as file:
        blob = file.read()
    position, data, width, height = 8, b"", 0, 0
    while position < len(blob):
        length, kind = struct.unpack(">I4s", blob[position:position + 8])
        body = blob[position + 8:position + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, colour, interlace) != (8, 2, 0):
                raise ValueError(f"{path}: not 8-bit RGB without interlacing")
        elif kind == b"IDAT":
            data += body
        position += 12 + length
    raw, stride, rows = zlib.decompress(data), width * 3, []
    previous = bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = row[i - 3] if i >= 3 else 0
            up_left = previous[i - 3] if i >= 3 else 0
            predictor = (0, left, previous[i], (left + previous[i]) // 2,
                         paeth(left, previous[i], up_left))[kind]
            row[i] = (row[i] + predictor) & 0xFF
        rows.append(row)
        previous = row
    return width, height, rows


def main(tool, folder):
    failures = 0
    for width, height in SIZES:
        for clock, green in TIMES:
            path = os.path.join(folder, f"model-{width}x{height}-{clock.replace(':', '')}.png")
            command = [tool, "--time", clock, "--size", f"{width}x{height}", "--output", path]
            subprocess.run(command + (["--green"] if green else []), check=True)
            read_width, read_height, rows = read_png(path)
            if (read_width, read_height) != (width, height):
                raise ValueError(f"{path} is {read_width}x{read_height}")
            wrong = face_model.mismatches(lambda x, y: rows[y][3 * x:3 * x + 3], width, height,
                                          clock, green)
            checked = len(face_model.face_dots(width, height, clock, green))
            print(f"{width}x{height} at {clock}: {checked - len(wrong)} of {checked} dot centres "
                  "as the model has them")
            for x, y, expected, seen in wrong[:5]:
                print(f"  at {x},{y}: expected {expected}, seen {tuple(seen)}")
            failures += len(wrong)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
