#!/usr/bin/env python3
"""Writes tiny.png, the 4x2 RGBA image of the resource-bitmap test (run from this folder).

Row 0: opaque red, half-transparent green, clear blue, opaque white; row 1: opaque black.
"""
import struct
import zlib


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, rows):
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


if __name__ == "__main__":
    pixels = [[(255, 0, 0, 255), (0, 255, 0, 128), (0, 0, 255, 0), (255, 255, 255, 255)],
              [(0, 0, 0, 255)] * 4]
    with open("tiny.png", "wb") as f:
        f.write(png(4, 2, pixels))
