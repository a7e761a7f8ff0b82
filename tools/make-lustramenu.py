#!/usr/bin/env python3
"""Writes skin/resources/lustramenu.bmp, the window-menu glyphs (restore, maximize, minimize,
close; 64 x 16, black on white, one bit per pixel) from the drawing in lustramenu.txt, where '#'
is black and '.' white. A test checks that the two files agree."""
import pathlib
import struct

here = pathlib.Path(__file__).resolve().parent.parent / "skin" / "resources"
rows = [line for line in (here / "lustramenu.txt").read_text().splitlines() if line]
width, height = len(rows[0]), len(rows)
stride = (width + 31) // 32 * 4
pixels = bytearray()
for row in reversed(rows):  # bottom-up
    line = bytearray(stride)
    for x, c in enumerate(row):
        if c == ".":  # white is palette entry 1
            line[x // 8] |= 0x80 >> (x % 8)
    pixels += line
palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
offset = 14 + len(info) + len(palette)
header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
(here / "lustramenu.bmp").write_bytes(header + info + palette + pixels)
