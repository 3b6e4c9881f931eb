#!/usr/bin/env python3
# Draws the program icon (a rounded blue tile with a white play triangle) at 16 and 32 pixels
# and writes it as a Windows icon file: MakeProgramIcon.py OUTPUT.ico
import struct
import sys


def pixel(x, y, n):
    # Coordinates of the pixel centre in 0..1 units.
    u = (x + 0.5) / n
    v = (y + 0.5) / n
    r = 0.18
    cx = min(max(u, r), 1 - r)
    cy = min(max(v, r), 1 - r)
    if (u - cx) ** 2 + (v - cy) ** 2 > r * r:
        return (0, 0, 0, 0)
    # Play triangle: left edge at 0.36, tip at 0.74, vertical span 0.26..0.74.
    if 0.36 <= u <= 0.74:
        half = 0.24 * (0.74 - u) / 0.38
        if abs(v - 0.5) <= half:
            return (255, 255, 255, 255)
    shade = int(200 - 80 * v)
    return (shade, 110, 30, 255)  # blue, green, red, alpha


def image(n):
    rows = []
    for y in range(n - 1, -1, -1):  # bottom-up
        rows.append(b"".join(struct.pack("BBBB", *pixel(x, y, n)) for x in range(n)))
    xor = b"".join(rows)
    mask_row = ((n + 31) // 32) * 4
    mask = b"\0" * (mask_row * n)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0, 0,
                         0)
    return header + xor + mask


def main():
    sizes = [16, 32]
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


main()
