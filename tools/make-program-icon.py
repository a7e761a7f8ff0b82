#!/usr/bin/env python3
"""Writes app/program_icon.bmp (24 bits per pixel) from the drawing in app/program_icon.txt: one
letter per pixel, colours as listed in the drawing's header; magenta is the transparent key."""
import pathlib
import struct

app = pathlib.Path(__file__).resolve().parent.parent / "app"
colours = {".": (255, 0, 255), "D": (0x2C, 0x4A, 0x6B), "S": (0x3F, 0x6E, 0x99),
           "L": (0xA9, 0xC4, 0xDE), "W": (255, 255, 255), "A": (0x2F, 0x80, 0xD0)}
rows = [l for l in (app / "program_icon.txt").read_text().splitlines() if l and not l.startswith("#")]
width, height = len(rows[0]), len(rows)
stride = (width * 3 + 3) // 4 * 4
pixels = bytearray()
for row in reversed(rows):  # bottom-up
    line = bytearray()
    for c in row:
        r, g, b = colours[c]
        line += bytes((b, g, r))
    pixels += line + bytes(stride - len(line))
info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
(app / "program_icon.bmp").write_bytes(header + info + pixels)
