#!/usr/bin/env python3
# Draws the strip of the player's 23 command icons (22 x 22 pixels each, side by side, on the
# grey 0xC0C0C0 that the icon cache takes as transparent) and writes it as a 24-bit Windows
# bitmap: MakeCommandIcons.py OUTPUT.bmp
import struct
import sys

SIZE = 22
COUNT = 23
BACK = (192, 192, 192)
DARK = (40, 40, 48)
GREEN = (40, 150, 60)
ORANGE = (220, 120, 20)
RED = (200, 40, 40)
BLUE = (40, 90, 190)


def triangle(right, x0, x1, y0=5, y1=17):
    # A solid triangle pointing right (or left) between columns x0 and x1.
    def inside(x, y):
        if not x0 <= x <= x1:
            return False
        depth = (x - x0) if right else (x1 - x)
        half = (y1 - y0) / 2 * (1 - depth / max(x1 - x0, 1))
        return abs(y - (y0 + y1) / 2) <= half
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


PLAY = triangle(True, 6, 16)
STOP = rect(6, 6, 15, 15)
PAUSE = union(rect(6, 5, 9, 16), rect(12, 5, 15, 16))
# Index: (shape, colour). The player asks for these by index; the unused ones get a dot.
ICONS = {
    0: (union(rect(4, 5, 5, 16), triangle(False, 6, 11), triangle(False, 11, 16)), DARK),
    1: (union(triangle(False, 4, 10), triangle(False, 10, 16)), DARK),
    2: (union(triangle(True, 5, 11), triangle(True, 11, 17)), DARK),
    3: (union(triangle(True, 5, 10), triangle(True, 10, 15), rect(16, 5, 17, 16)), DARK),
    4: (PLAY, DARK),
    5: (PLAY, ORANGE),
    6: (PLAY, GREEN),
    7: (rect(5, 10, 16, 12), DARK),
    8: (union(rect(5, 10, 16, 12), rect(10, 5, 11, 16)), DARK),
    9: (STOP, DARK),
    10: (PLAY, GREEN),
    11: (circle(10.5, 10.5, 5), BLUE),
    12: (circle(10.5, 10.5, 5), RED),
    13: (PAUSE, DARK),
    14: (PAUSE, BLUE),
    15: (STOP, DARK),
    16: (STOP, RED),
    17: (rect(5, 9, 16, 12), BLUE),
    18: (union(rect(5, 9, 16, 12), rect(9, 5, 12, 16)), BLUE),
    19: (union(triangle(False, 6, 14), rect(15, 5, 16, 16)), DARK),
    20: (circle(10.5, 10.5, 3), DARK),
    21: (union(rect(5, 5, 6, 16), triangle(True, 7, 15)), DARK),
    22: (circle(10.5, 10.5, 3), BLUE),
}


def pixel(x, y):
    icon, local = divmod(x, SIZE)
    shape, colour = ICONS[icon]
    return colour if shape(local, y) else BACK


def main():
    width = SIZE * COUNT
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        row = b"".join(struct.pack("BBB", *reversed(pixel(x, y))) for x in range(width))
        rows.append(row + b"\0" * (stride - width * 3))
    data = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, width, SIZE, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(data), 0, 0,
                              14 + len(header))
    with open(sys.argv[1], "wb") as out:
        out.write(file_header + header + data)


if __name__ == "__main__":
    main()
