#!/usr/bin/env python3
"""Writes the PNG test images (each colour type and transformation the decoder handles) and
damaged ones into the given folder. Pixel values are chosen so that the tests can state the
decoded result exactly."""
import os
import struct
import sys
import zlib


def chunk(kind, data, bad_crc=False):
    crc = zlib.crc32(kind + data) & 0xFFFFFFFF
    if bad_crc:
        crc ^= 0x00010000
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)


def ihdr(width, height, depth, colour, interlace=0):
    return chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace))


def png(width, height, depth, colour, rows, extra=b"", interlace=0):
    """rows: the raw bytes of each row (without filter bytes), in image order."""
    if interlace:
        raw = adam7(width, height, depth, colour, rows)
    else:
        raw = b"".join(b"\0" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + ihdr(width, height, depth, colour, interlace) + extra +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def adam7(width, height, depth, colour, rows):
    # 8-bit samples only: bytes per pixel from the colour type.
    bpp = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour] * depth // 8
    passes = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4),
              (1, 0, 2, 2), (0, 1, 1, 2)]
    out = b""
    for x0, y0, dx, dy in passes:
        xs = range(x0, width, dx)
        if not xs:
            continue
        for y in range(y0, height, dy):
            out += b"\0" + b"".join(rows[y][x * bpp:(x + 1) * bpp] for x in xs)
    return out


def main(folder):
    os.makedirs(folder, exist_ok=True)
    files = {}
    # Grey with alpha: (grey, alpha) pairs.
    files["grey_alpha.png"] = png(2, 2, 8, 4, [bytes([10, 255, 200, 128]),
                                               bytes([0, 0, 255, 64])])
    # Palette with a transparency chunk for its first two entries.
    plte = chunk(b"PLTE", bytes([255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3]))
    trns = chunk(b"tRNS", bytes([0, 128]))
    files["palette_trns.png"] = png(4, 1, 8, 3, [bytes([0, 1, 2, 3])], plte + trns)
    # 16-bit RGB: the high bytes remain.
    files["rgb16.png"] = png(2, 1, 16, 2, [struct.pack(">6H", 0x1234, 0xABCD, 0xFF00,
                                                       0x0001, 0x8000, 0xFFFF)])
    # RGBA on a blue background chunk: opaque red, transparent (blue), half red.
    bkgd = chunk(b"bKGD", struct.pack(">3H", 0, 0, 255))
    files["bkgd.png"] = png(3, 1, 8, 6, [bytes([255, 0, 0, 255, 255, 0, 0, 0,
                                                255, 0, 0, 128])], bkgd)
    # Linear samples (gamma 1.0) shown on a 2.2 screen.
    gama = chunk(b"gAMA", struct.pack(">I", 100000))
    files["gama.png"] = png(3, 1, 8, 2, [bytes([0, 64, 255, 64, 64, 64, 255, 255, 255])], gama)
    # Adam7, 9 x 9 RGB: pixel (x, y) = (20x, 20y, 10(x + y)).
    rows = [bytes(b for x in range(9) for b in (20 * x, 20 * y, 10 * (x + y))) for y in range(9)]
    files["interlaced.png"] = png(9, 9, 8, 2, rows, interlace=1)
    # 1-bit grey: 1 0 1 1 0 0 0 0.
    files["grey1.png"] = png(8, 1, 1, 0, [bytes([0b10110000])])

    good = files["interlaced.png"]
    files["bad_truncated_half.png"] = good[:len(good) // 2]
    files["bad_truncated_header.png"] = good[:20]
    files["bad_no_iend.png"] = good[:-12]
    # A damaged header checksum, and a damaged image data checksum.
    files["bad_crc_ihdr.png"] = good[:29] + bytes([good[29] ^ 0xFF]) + good[30:]
    idat_crc = len(good) - 12 - 4
    files["bad_crc_idat.png"] = good[:idat_crc] + bytes([good[idat_crc] ^ 0x01]) + \
        good[idat_crc + 1:]
    # Sizes: far beyond the cap, and within each cap but too many bytes in all.
    for name, w, h in (("bad_huge_ihdr.png", 1000000, 1000000),
                       ("bad_large_ihdr.png", 16384, 16384)):
        files[name] = (b"\x89PNG\r\n\x1a\n" + ihdr(w, h, 8, 6) +
                       chunk(b"IDAT", zlib.compress(b"\0" * 64)) + chunk(b"IEND", b""))
    files["bad_not_png.png"] = b"GIF89a" + bytes(64)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
