#!/usr/bin/env python3
"""Draws the support library's small images: 16x16 32-bit icons and the command-icon strip.

Run from this folder; writes copy.ico, app.ico and commands.bmp beside itself. The shapes are
plain geometry so the output is the same on every run.
"""
import struct

W = H = 16


def blank(w=W, h=H, color=(0, 0, 0, 0)):
    return [[color for _ in range(w)] for _ in range(h)]


def rect(img, x0, y0, x1, y1, color, fill=None):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            edge = x in (x0, x1) or y in (y0, y1)
            if edge:
                img[y][x] = color
            elif fill is not None:
                img[y][x] = fill


def ico(img):
    """A one-image ICO: 32-bit BGRA bitmap plus an all-zero AND mask."""
    rows = b""
    for y in range(H - 1, -1, -1):
        for (r, g, b, a) in img[y]:
            rows += bytes((b, g, r, a))
    mask = b"\x00" * (4 * H)  # 16 px = 2 bytes, padded to 4 per row
    header = struct.pack("<IiiHHIIiiII", 40, W, 2 * H, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
    data = header + rows + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", W, H, 0, 0, 1, 32, len(data), 22) + data


def bmp24(img):
    h = len(img)
    w = len(img[0])
    stride = (w * 3 + 3) & ~3
    rows = b""
    for y in range(h - 1, -1, -1):
        row = b"".join(bytes((b, g, r)) for (r, g, b, _a) in img[y])
        rows += row + b"\x00" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(rows), 0, 0, 54) + info + rows


def copy_icon():
    img = blank()
    ink = (40, 60, 110, 255)
    paper = (255, 255, 255, 255)
    rect(img, 1, 1, 9, 11, ink, paper)
    rect(img, 6, 4, 14, 14, ink, paper)
    for y in (7, 9, 11):
        for x in range(8, 13):
            img[y][x] = (120, 140, 180, 255)
    return img


def app_icon():
    img = blank()
    rect(img, 1, 2, 14, 13, (30, 30, 30, 255), (60, 110, 200, 255))
    for i in range(5):
        for y in range(5 + i, 11 - i):
            img[y][6 + i] = (255, 255, 255, 255)
    return img


def command_strip(count=23, size=22):
    """Command icons side by side on the 0xC0C0C0 mask colour: simple transport glyphs."""
    back = (192, 192, 192, 255)
    img = blank(count * size, size, back)
    ink = (20, 40, 90, 255)
    for n in range(count):
        x0 = n * size
        kind = n % 6
        for y in range(5, 17):
            for x in range(5, 17):
                dx, dy = x - 5, y - 5
                on = False
                if kind == 0:  # play triangle
                    on = dx <= 10 and abs(dy - 5.5) <= dx / 2 + 0.5
                elif kind == 1:  # pause bars
                    on = dx in (1, 2, 3, 8, 9, 10)
                elif kind == 2:  # stop square
                    on = 1 <= dx <= 10 and 1 <= dy <= 10
                elif kind == 3:  # step: bar and triangle
                    on = dx in (0, 1) or (dx >= 3 and abs(dy - 5.5) <= (dx - 3) / 2 + 0.5)
                elif kind == 4:  # circle
                    on = (dx - 5.5) ** 2 + (dy - 5.5) ** 2 <= 30
                else:  # plus
                    on = dx in (5, 6) or dy in (5, 6)
                if on:
                    img[y][x0 + x] = ink
        # A small tick mark in the corner tells the icons apart by index.
        for b in range(5):
            if n >> b & 1:
                img[19][x0 + 2 + 2 * b] = (200, 40, 40, 255)
    return img


if __name__ == "__main__":
    with open("copy.ico", "wb") as f:
        f.write(ico(copy_icon()))
    with open("app.ico", "wb") as f:
        f.write(ico(app_icon()))
    with open("commands.bmp", "wb") as f:
        f.write(bmp24(command_strip()))
