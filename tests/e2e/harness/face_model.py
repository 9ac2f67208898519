"""A model of the clock face made from the face's rules, not from the program's code: where the
centre of every dot lies and the colour that fills it, for a surface size and a time. Pictures of
the program (screenshots, the render tool's files) are compared with it, so that a fault in the
face's own code cannot cancel out as it does when a picture is compared with another render."""

import math
import struct

# Fill colours as R, G, B.
BLUE = (128, 128, 255)
GREEN = (128, 255, 128)
RED = (255, 128, 128)
YELLOW = (255, 255, 128)
OFF = (8, 8, 8)

# Only dots at least this large are compared: the pixel nearest a smaller dot's centre may
# already be part of its rim.
SMALLEST_RADIUS = 3.0
# How far a centre pixel may be from the fill colour in each channel.
TOLERANCE = 3

PI = 3.141592653589

# Segments a (top bar), b, c (right), d (bottom bar), e, f (left), g (middle bar): their dots as
# (column, row) in digit steps from the cell's left column and the face's vertical centre.
SEGMENT_DOTS = (
    ((1, -4), (2, -4), (3, -4)),
    ((4, -3.5), (4, -2.5), (4, -1.5), (4, -0.5)),
    ((4, 0.5), (4, 1.5), (4, 2.5), (4, 3.5)),
    ((3, 4), (2, 4), (1, 4)),
    ((0, 3.5), (0, 2.5), (0, 1.5), (0, 0.5)),
    ((0, -0.5), (0, -1.5), (0, -2.5), (0, -3.5)),
    ((1, 0), (2, 0), (3, 0)),
)
# The lit segments of each digit, a to g.
LIT_SEGMENTS = ("1111110", "0110000", "1101101", "1111001", "0110011",
                "1011011", "1011111", "1110000", "1111111", "1111011")


def single(value):
    """The value rounded to single precision, as the face computes its lengths."""
    return struct.unpack("f", struct.pack("f", value))[0]


def parse_time(text):
    """"HH:MM:SS" as three numbers."""
    hour, minute, second = (int(part) for part in text.split(":"))
    return hour, minute, second


def dot_radius(width, height):
    return single(min(width, height) / 90)


def ring_dots(width, height, second):
    """(x, y, fill) of the 12 hour markers and the 60 second dots, clockwise from the top."""
    shorter = min(width, height)
    ring, marker = single(shorter / 2.325), single(shorter / 2.15)
    dots = []
    for position in range(60):
        angle = single(2 * (position - 15) * PI / 60)
        cos, sin = math.cos(angle), math.sin(angle)
        lit = YELLOW if position % 5 == 0 else GREEN
        if position % 5 == 0:
            dots.append((single(cos * marker + width / 2), single(sin * marker + height / 2), RED))
        dots.append((single(cos * ring + width / 2), single(sin * ring + height / 2),
                     lit if position <= second else OFF))
    return dots


def digit_dots(width, height, hour, minute, digit_fill):
    """(x, y, fill) of the four digits' dots and the colon's two."""
    step = single(2.65 * single(min(width, height) / 95))
    centre_x, centre_y = width / 2, height / 2
    # The colon: above the centre, then below it.
    dots = [(centre_x, centre_y + side * 2 * step, digit_fill) for side in (-1, 1)]
    digits = (hour // 10, hour % 10, minute // 10, minute % 10)
    for position, digit in enumerate(digits):
        left = centre_x + (6 * position - 12 + (2 if position > 1 else 0)) * step
        for segment, segment_dots in enumerate(SEGMENT_DOTS):
            fill = digit_fill if LIT_SEGMENTS[digit][segment] == "1" else OFF
            dots.extend((single(left + column * step), single(centre_y + row * step), fill)
                        for column, row in segment_dots)
    return dots


def face_dots(width, height, clock, green=False):
    """(x, y, fill) of every dot of the face at clock ("HH:MM:SS") on a width x height surface."""
    hour, minute, second = parse_time(clock)
    return (ring_dots(width, height, second) +
            digit_dots(width, height, hour, minute, GREEN if green else BLUE))


def comparable(width, height):
    """Whether the face's dots at that size are large enough to be compared."""
    return dot_radius(width, height) >= SMALLEST_RADIUS


def mismatches(pixel, width, height, clock, green=False):
    """The dots whose centre pixel is not their fill colour, as (x, y, expected, seen); pixel(x, y)
    gives the picture's R, G, B. The size must be comparable."""
    if not comparable(width, height):
        raise ValueError(f"the dots of a {width}x{height} face are too small to compare")
    found = []
    for x, y, fill in face_dots(width, height, clock, green):
        column, row = int(math.floor(x)), int(math.floor(y))
        seen = tuple(pixel(column, row))
        if any(abs(a - b) > TOLERANCE for a, b in zip(seen, fill)):
            found.append((column, row, fill, seen))
    return found
