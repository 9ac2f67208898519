"""RGB images: read from PPM (screenshots, and PNG files through ImageMagick), written as PNG,
and compared pixel for pixel."""

import struct
import subprocess
import zlib


class Image:
    def __init__(self, width, height, data):
        self.width = width
        self.height = height
        self.data = bytes(data)  # RGB, row by row

    @classmethod
    def from_ppm(cls, blob):
        # P6 header: magic, width, height, maxval, each separated by whitespace.
        fields = []
        pos = 0
        while len(fields) < 4:
            while blob[pos:pos + 1].isspace():
                pos += 1
            if blob[pos:pos + 1] == b"#":
                pos = blob.index(b"\n", pos) + 1
                continue
            end = pos
            while not blob[end:end + 1].isspace():
                end += 1
            fields.append(blob[pos:end])
            pos = end
        if fields[0] != b"P6" or int(fields[3]) != 255:
            raise ValueError("not an 8-bit P6 image")
        width, height = int(fields[1]), int(fields[2])
        pos += 1
        return cls(width, height, blob[pos:pos + width * height * 3])

    @classmethod
    def load(cls, path, env=None):
        blob = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True,
                              check=True, env=env, timeout=30).stdout
        return cls.from_ppm(blob)

    def save_png(self, path):
        rows = b"".join(b"\x00" + self.data[y * self.width * 3:(y + 1) * self.width * 3]
                        for y in range(self.height))

        def chunk(kind, payload):
            body = kind + payload
            return struct.pack(">I", len(payload)) + body + struct.pack(
                ">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                      chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def differing_pixels(self, other):
        """How many pixels differ; every pixel counts when the sizes differ."""
        if (self.width, self.height) != (other.width, other.height):
            return max(self.width * self.height, other.width * other.height)
        a, b = self.data, other.data
        if a == b:
            return 0
        return sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])

    def count_colour(self, rgb):
        target = bytes(rgb)
        count, pos = 0, self.data.find(target)
        while pos >= 0:
            if pos % 3 == 0:
                count += 1
                pos = self.data.find(target, pos + 3)
            else:
                pos = self.data.find(target, pos + 1)
        return count
