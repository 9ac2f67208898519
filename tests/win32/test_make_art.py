"""Checks the icon and pointer files the art generator writes: the directory headers, the image
sizes and formats, the hot spots, and that the masks match the images."""

import os
import struct
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "src", "win32",
                                "art"))
import make_art  # noqa: E402


def read_directory(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    entries = []
    for i in range(count):
        width, height, colours, zero, field1, field2, size, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        entries.append(dict(width=width or 256, height=height or 256, colours=colours, zero=zero,
                            field1=field1, field2=field2, size=size, offset=offset))
    return reserved, kind, entries


def read_image(data, entry):
    """The BITMAPINFOHEADER of an entry and whether the pixel at (x, y) is transparent."""
    (header_size, width, height, planes, bits, compression, _, _, _, colours,
     _) = struct.unpack_from("<IiiHHIIiiII", data, entry["offset"])
    real_height = height // 2
    table = 4 * colours
    row = (width * bits + 31) // 32 * 4
    mask_row = (width + 31) // 32 * 4
    mask_start = entry["offset"] + header_size + table + row * real_height

    def transparent(x, y):
        byte = data[mask_start + (real_height - 1 - y) * mask_row + x // 8]
        return bool(byte & (0x80 >> (x % 8)))

    end = mask_start + mask_row * real_height
    return dict(header_size=header_size, width=width, height=height, planes=planes, bits=bits,
                compression=compression, colours=colours, end=end), transparent


class ArtFiles(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.directory = tempfile.TemporaryDirectory()
        if make_art.main(["make_art.py", cls.directory.name]) != 0:
            raise RuntimeError("the generator failed")
        cls.files = {}
        for name in os.listdir(cls.directory.name):
            with open(os.path.join(cls.directory.name, name), "rb") as file:
                cls.files[name] = file.read()

    @classmethod
    def tearDownClass(cls):
        cls.directory.cleanup()

    def test_writes_every_file_the_resource_script_names(self):
        script = os.path.join(os.path.dirname(__file__), "..", "..", "src", "win32",
                              "art.rc")
        with open(script, encoding="utf-8") as file:
            named = {line.split('"')[1] for line in file if '"' in line and not
                     line.startswith("#")}
        self.assertEqual(named, set(self.files))

    def test_icon_holds_an_image_for_each_scale_in_32_bits(self):
        data = self.files["tavrino.ico"]
        reserved, kind, entries = read_directory(data)
        self.assertEqual((reserved, kind), (0, 1))
        self.assertEqual([(e["width"], e["height"]) for e in entries],
                         [(16, 16), (20, 20), (24, 24), (32, 32), (48, 48), (256, 256)])
        for entry in entries[:-1]:
            self.assertEqual((entry["field1"], entry["field2"]), (1, 32))  # planes, bit count
            header, transparent = read_image(data, entry)
            self.assertEqual((header["header_size"], header["width"], header["height"],
                              header["bits"], header["compression"]),
                             (40, entry["width"], 2 * entry["height"], 32, 0))
            self.assertEqual(header["end"], entry["offset"] + entry["size"])
            # A round face: the corners are transparent, the centre is not.
            self.assertTrue(transparent(0, 0))
            self.assertFalse(transparent(entry["width"] // 2, entry["height"] // 2))
        # The 256 pixel image is a PNG: 256 x 256, 8 bits a channel with alpha.
        large = entries[-1]
        png = data[large["offset"]: large["offset"] + large["size"]]
        self.assertEqual(png[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(struct.unpack(">4sIIBB", png[12:26]), (b"IHDR", 256, 256, 8, 6))
        self.assertEqual(entries[-1]["offset"] + entries[-1]["size"], len(data))

    def test_pointers_have_32_48_and_64_pixel_images_with_their_hot_spots(self):
        expected = {"clock_arrow.cur": ((0, 0), (0, 0), (0, 0), 32),
                    "dialog.cur": ((0, 0), (0, 0), (0, 0), 32),
                    "picture.cur": ((0, 0), (0, 0), (0, 0), 32),
                    "hand.cur": ((5, 0), (7, 0), (10, 0), 1)}
        for name, (*hot_spots, bits) in expected.items():
            data = self.files[name]
            reserved, kind, entries = read_directory(data)
            self.assertEqual((reserved, kind, len(entries)), (0, 2, 3))
            for entry, size, hot_spot in zip(entries, (32, 48, 64), hot_spots):
                with self.subTest(name, size=size):
                    self.assertEqual((entry["width"], entry["height"]), (size, size))
                    self.assertEqual((entry["field1"], entry["field2"]), hot_spot)
                    header, transparent = read_image(data, entry)
                    self.assertEqual((header["width"], header["height"], header["bits"]),
                                     (size, 2 * size, bits))
                    self.assertEqual(header["end"], entry["offset"] + entry["size"])
                    # The hot spot is on the pointer's outline, the far corner is see-through.
                    self.assertFalse(transparent(*hot_spot))
                    self.assertTrue(transparent(size - 1, 0))
            self.assertEqual(entries[-1]["offset"] + entries[-1]["size"], len(data))

    def test_larger_pointers_are_the_same_drawing(self):
        # Twice the size: each pixel of the 32 pixel arrow becomes two by two.
        data = self.files["dialog.cur"]
        _, _, entries = read_directory(data)

        def pixels(entry):
            size = entry["width"]
            start = entry["offset"] + 40
            rows = [data[start + (size - 1 - y) * size * 4: start + (size - y) * size * 4]
                    for y in range(size)]
            return [[row[4 * x: 4 * x + 4] for x in range(size)] for row in rows]

        small, large = pixels(entries[0]), pixels(entries[2])
        self.assertEqual([[large[2 * y][2 * x] for x in range(32)] for y in range(32)], small)
        self.assertEqual([[large[2 * y + 1][2 * x + 1] for x in range(32)] for y in range(32)],
                         small)

    def test_hand_is_monochrome_with_a_two_colour_table(self):
        data = self.files["hand.cur"]
        _, _, entries = read_directory(data)
        header, _ = read_image(data, entries[0])
        self.assertEqual((header["bits"], header["colours"], entries[0]["colours"]), (1, 2, 2))
        table = struct.unpack_from("<II", data, entries[0]["offset"] + 40)
        self.assertEqual(table, (0x000000, 0xFFFFFF))

    def test_colour_pixels_are_bottom_up_bgra(self):
        # The arrow's tip, the top-left pixel, is opaque black; the row below it holds black too.
        data = self.files["dialog.cur"]
        _, _, entries = read_directory(data)
        start = entries[0]["offset"] + 40
        top_left = data[start + 31 * 32 * 4: start + 31 * 32 * 4 + 4]
        self.assertEqual(top_left, bytes((0, 0, 0, 255)))
        # The fill inside the arrow is the blue digits' colour.
        fill = data[start + (31 - 5) * 32 * 4 + 2 * 4: start + (31 - 5) * 32 * 4 + 3 * 4]
        self.assertEqual(fill, bytes((255, 128, 128, 255)))

    def test_rejects_a_missing_output_directory_argument(self):
        self.assertEqual(make_art.main(["make_art.py"]), 2)


if __name__ == "__main__":
    unittest.main()
