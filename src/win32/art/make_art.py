#!/usr/bin/env python3
"""Draws the program's icon and pointers and writes them as Windows .ico and .cur files.

The images live here as source: the pointers as character maps (one character a pixel, see
PALETTE), the icon as a small dot clock drawn with anti-aliased discs. The build runs this script
and compiles the files into the program with art.rc.

    make_art.py OUTPUT_DIRECTORY
"""

import math
import os
import struct
import sys
import zlib

# Character -> (red, green, blue, alpha). '.' is transparent.
PALETTE = {
    ".": (0, 0, 0, 0),
    "X": (0, 0, 0, 255),
    "o": (255, 255, 255, 255),
    "g": (128, 255, 128, 255),  # the lit ring dots' fill
    "G": (0, 128, 0, 255),  # their rim
    "b": (128, 128, 255, 255),  # the blue digits' fill
    "B": (0, 0, 192, 255),  # their rim
}

# The classic arrow; its tip is the hot spot (0, 0). 'f' is the fill, replaced per pointer.
ARROW = [
    "X",
    "XX",
    "XfX",
    "XffX",
    "XfffX",
    "XffffX",
    "XfffffX",
    "XffffffX",
    "XfffffffX",
    "XffffffffX",
    "XfffffffffX",
    "XffffffXXXXX",
    "XfffXffX",
    "XffXXffX",
    "XfX XffX",
    "XX   XffX",
    "X    XffX",
    "      XffX",
    "      XffX",
    "       XX",
]

# The pointing hand over the dialog's buttons, boxes and slider: the tip of the index finger,
# (5, 0), is the hot spot. Monochrome: only '.', 'X' and 'o'.
HAND = [
    ".....XX",
    "....XooX",
    "....XooX",
    "....XooX",
    "....XooX",
    "....XooXXX",
    "....XooXooXXX",
    "....XooXooXooXX",
    "....XooXooXooXoX",
    ".XX.XooXooXooXooX",
    "XooXXooooooooXooX",
    "XoooXoooooooooooX",
    ".XooXoooooooooooX",
    "..XoXoooooooooooX",
    "..XooooooooooooooX",
    "...XoooooooooooooX",
    "...XooooooooooooX",
    "....XoooooooooooX",
    "....XooooooooooX",
    ".....XoooooooooX",
    ".....XoooooooooX",
    ".....XXXXXXXXXXX",
]

SIZE = 32  # the character maps' size; the larger pointers are these maps drawn larger

ICON_SIZES = (16, 20, 24, 32, 48, 256)
POINTER_SIZES = (32, 48, 64)  # 100 %, 150 % and 200 %
PNG_FROM = 256  # images this large are stored compressed, as Windows reads them since Vista


def from_map(rows, fill=None, size=SIZE):
    """An RGBA image (list of rows of (r, g, b, a)) from a character map, padded to SIZE and drawn
    at size: each map pixel a square of size / SIZE, with the pixels it partly covers blended."""
    source = [[PALETTE["."]] * SIZE for _ in range(SIZE)]
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == " ":
                ch = "."
            if ch == "f":
                ch = fill
            source[y][x] = PALETTE[ch]
    scale = size / SIZE
    return [[area_average(source, x / scale, (x + 1) / scale, y / scale, (y + 1) / scale)
             for x in range(size)] for y in range(size)]


def area_average(source, left, right, top, bottom):
    """The map's colour over a rectangle of map pixels, weighted by area, alpha premultiplied."""
    total = [0.0, 0.0, 0.0, 0.0]
    for sy in range(int(top), math.ceil(bottom)):
        height = min(bottom, sy + 1) - max(top, sy)
        for sx in range(int(left), math.ceil(right)):
            weight = height * (min(right, sx + 1) - max(left, sx))
            r, g, b, a = source[sy][sx]
            total = [t + weight * v for t, v in zip(total, (r * a, g * a, b * a, a))]
    area = (right - left) * (bottom - top)
    alpha = total[3] / area
    if alpha < 0.5:
        return PALETTE["."]
    return tuple(round(c / total[3]) for c in total[:3]) + (round(alpha),)


def nearest(source, size):
    """The image drawn at size by taking the pixel under each new pixel's centre: for the
    monochrome pointer, which has no shades to blend with."""
    scale = size / len(source)
    return [[source[int((y + 0.5) / scale)][int((x + 0.5) / scale)] for x in range(size)]
            for y in range(size)]


def scaled_hot_spot(hot_spot, size):
    """The pixel at size that lies on the map's hot spot pixel."""
    scale = size / SIZE
    return tuple(int(v * scale + (scale - 1) / 2) for v in hot_spot)


def disc_coverage(px, py, cx, cy, radius, samples=4):
    """The share of pixel (px, py) inside the disc, by supersampling."""
    inside = 0
    for sy in range(samples):
        for sx in range(samples):
            x = px + (sx + 0.5) / samples
            y = py + (sy + 0.5) / samples
            if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                inside += 1
    return inside / (samples * samples)


def paint_disc(image, cx, cy, radius, colour):
    """Blends an opaque disc over the image."""
    size = len(image)
    r, g, b = colour
    for py in range(max(0, int(cy - radius) - 1), min(size, int(cy + radius) + 2)):
        for px in range(max(0, int(cx - radius) - 1), min(size, int(cx + radius) + 2)):
            share = disc_coverage(px, py, cx, cy, radius)
            if share == 0:
                continue
            old = image[py][px]
            alpha = old[3] / 255
            out_alpha = share + alpha * (1 - share)
            mix = [
                (c * share + o * alpha * (1 - share)) / out_alpha
                for c, o in zip((r, g, b), old[:3])
            ]
            image[py][px] = tuple(round(v) for v in mix) + (round(out_alpha * 255),)


def dot_clock(size):
    """The icon: a black face, a ring of second dots filled up to twenty past, red hour marks and
    a blue colon in the centre."""
    image = [[PALETTE["."]] * size for _ in range(size)]
    centre = size / 2
    paint_disc(image, centre, centre, size / 2, (40, 40, 40))
    paint_disc(image, centre, centre, size / 2 - 1, (0, 0, 0))
    dots = 12 if size >= 32 else 8
    ring = size * 0.34
    dot = size * (0.055 if size >= 32 else 0.07)
    for i in range(dots):
        angle = 2 * math.pi * i / dots
        x = centre + ring * math.sin(angle)
        y = centre - ring * math.cos(angle)
        lit = i <= dots // 3
        colour = (255, 255, 128) if i == 0 else (128, 255, 128) if lit else (20, 20, 20)
        paint_disc(image, x, y, dot, colour)
    if size >= 32:
        for i in range(4):
            angle = math.pi / 2 * i
            paint_disc(image, centre + size * 0.44 * math.sin(angle),
                       centre - size * 0.44 * math.cos(angle), size * 0.035, (255, 64, 64))
    colon = max(size * 0.09, 2.5)  # two distinct dots even at 16 pixels
    paint_disc(image, centre, centre - colon, dot * 1.1, (128, 128, 255))
    paint_disc(image, centre, centre + colon, dot * 1.1, (128, 128, 255))
    return image


def picture_pointer(size=SIZE):
    """The arrow with a small dot clock at its lower right: the pointer over the clock picture."""
    image = from_map(ARROW, fill="o", size=size)
    badge_size = round(14 * size / SIZE)
    corner = round(17 * size / SIZE)
    badge = dot_clock(badge_size)
    for y in range(badge_size):
        for x in range(badge_size):
            if badge[y][x][3]:
                image[corner + y][corner + x] = badge[y][x]
    return image


# --- Encoding ---------------------------------------------------------------------------------


def mask_rows(image):
    """The AND mask, bottom-up, 1 where the image is transparent; rows padded to 32 bits."""
    width = len(image[0])
    stride = (width + 31) // 32 * 4
    out = bytearray()
    for row in reversed(image):
        bits = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def bitmap_header(width, height, bits, colours=0, image_bytes=0):
    # BITMAPINFOHEADER; an icon's height counts the colour image and the mask together.
    return struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, image_bytes, 0, 0,
                       colours, 0)


def colour_image(image):
    """A 32-bit BGRA image with its AND mask."""
    width, height = len(image[0]), len(image)
    pixels = bytearray()
    for row in reversed(image):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = mask_rows(image)
    return bitmap_header(width, height, 32, 0, len(pixels) + len(mask)) + bytes(pixels) + mask


def monochrome_image(image):
    """A 1-bit image: colour 0 black, colour 1 white; transparent where the mask is set."""
    width, height = len(image[0]), len(image)
    stride = (width + 31) // 32 * 4
    pixels = bytearray()
    for row in reversed(image):
        bits = bytearray(stride)
        for x, (r, _, _, a) in enumerate(row):
            if a and r:
                bits[x // 8] |= 0x80 >> (x % 8)
        pixels += bits
    mask = mask_rows(image)
    table = struct.pack("<II", 0x000000, 0xFFFFFF)
    header = bitmap_header(width, height, 1, 2, len(pixels) + len(mask))
    return header + table + bytes(pixels) + mask


def png_image(image):
    """A PNG of the RGBA image, as an icon directory holds its 256 pixel image."""
    def chunk(kind, payload):
        body = kind + payload
        return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in image)
    header = struct.pack(">IIBBBBB", len(image[0]), len(image), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def directory(kind, entries):
    """An .ico (kind 1) or .cur (kind 2) file. entries: (width, height, field1, field2, colours,
    data); field1/field2 are planes and bit count for an icon, the hot spot for a pointer."""
    out = bytearray(struct.pack("<HHH", 0, kind, len(entries)))
    offset = 6 + 16 * len(entries)
    for width, height, field1, field2, colours, data in entries:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, colours, 0, field1, field2,
                           len(data), offset)
        offset += len(data)
    for entry in entries:
        out += entry[5]
    return bytes(out)


def icon_file(images):
    return directory(1, [(len(i[0]), len(i), 1, 32, 0,
                          png_image(i) if len(i) >= PNG_FROM else colour_image(i))
                         for i in images])


def cursor_file(draw, hot_spot, monochrome=False):
    """A pointer with an image at each of POINTER_SIZES; draw(size) draws one."""
    entries = []
    for size in POINTER_SIZES:
        image = draw(size)
        data = monochrome_image(image) if monochrome else colour_image(image)
        x, y = scaled_hot_spot(hot_spot, size)
        entries.append((size, size, x, y, 2 if monochrome else 0, data))
    return directory(2, entries)


def art():
    """Every file the resource script names, with its bytes."""
    hand = from_map(HAND)
    return {
        "tavrino.ico": icon_file([dot_clock(size) for size in ICON_SIZES]),
        "clock_arrow.cur": cursor_file(lambda size: from_map(ARROW, fill="g", size=size), (0, 0)),
        "dialog.cur": cursor_file(lambda size: from_map(ARROW, fill="b", size=size), (0, 0)),
        "picture.cur": cursor_file(picture_pointer, (0, 0)),
        "hand.cur": cursor_file(lambda size: nearest(hand, size), (5, 0), monochrome=True),
    }


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    os.makedirs(argv[1], exist_ok=True)
    for name, data in art().items():
        with open(os.path.join(argv[1], name), "wb") as file:
            file.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
