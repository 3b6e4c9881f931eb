#!/usr/bin/env python3
# Writes the button strips of the bar tests' toolbar resources: 24-bit BMPs of square cells,
# each a different solid colour with a dark frame, so a drawn icon is recognisable by pixel.
import os
import struct
import sys


def write_bmp(path, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (row - width * 3)
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)


COLOURS = [(200, 40, 40), (40, 160, 40), (40, 40, 200), (200, 160, 0), (160, 0, 160),
           (0, 150, 150), (230, 110, 0), (90, 90, 90), (0, 100, 230), (150, 75, 0)]


def strip(path, count, cx, cy):
    def pixel(x, y):
        cell = x // cx
        lx = x % cx
        if lx == 0 or y == 0 or lx == cx - 1 or y == cy - 1:
            return (32, 32, 32)
        return COLOURS[cell % len(COLOURS)]
    write_bmp(path, count * cx, cy, pixel)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    strip(os.path.join(out, "bars_strip16.bmp"), 9, 16, 16)
    strip(os.path.join(out, "bars_strip24.bmp"), 3, 24, 24)
    strip(os.path.join(out, "bars_strip16x15.bmp"), 1, 16, 15)
    # The menu bar's system command images: four 16 by 16 cells.
    strip(os.path.join(out, "bars_sysbuttons.bmp"), 4, 16, 16)


if __name__ == "__main__":
    main()
