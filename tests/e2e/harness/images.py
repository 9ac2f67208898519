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


class SolidReference:
    """A reference image compared only where it shows one of a few solid colours exactly (the
    background and the dots' centres), leaving out anti-aliased edges."""

    def __init__(self, image, solid_colours):
        self.image = image
        solid = {bytes(c) for c in solid_colours}
        data = image.data
        mask = bytearray(len(data))
        for i in range(0, len(data), 3):
            if data[i:i + 3] in solid:
                mask[i:i + 3] = b"\xff\xff\xff"
        self._mask = int.from_bytes(mask, "big")
        if not self._mask:  # nothing to compare: any shot would match
            raise ValueError("the reference shows none of the solid colours")
        self._masked = int.from_bytes(data, "big") & self._mask

    def matches(self, shot):
        return ((shot.width, shot.height) == (self.image.width, self.image.height) and
                int.from_bytes(shot.data, "big") & self._mask == self._masked)

    def differing(self, shot):
        """How many solid pixels of the reference the shot shows differently."""
        if (shot.width, shot.height) != (self.image.width, self.image.height):
            return self.image.width * self.image.height
        diff = (int.from_bytes(shot.data, "big") & self._mask) ^ self._masked
        if diff == 0:
            return 0
        raw = diff.to_bytes(len(shot.data), "big")
        return sum(1 for i in range(0, len(raw), 3) if raw[i:i + 3] != b"\0\0\0")
