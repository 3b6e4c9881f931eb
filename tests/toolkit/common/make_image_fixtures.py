#!/usr/bin/env python3
"""Writes the image manager's test images: toolbar resources (sound and cut short), PNG and
BMP strips with and without alpha, icon files with 16- and 32-pixel images (alpha and classic)
and a GIF with a transparent half. Plain Python, so the build needs no image tools."""
import os
import struct
import sys
import zlib


def png(width, height, pixels):
    """pixels: rows of (r, g, b, a)."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def dib_rows(pixels, bits):
    """Bottom-up rows of (r, g, b, a) at 24 or 32 bits, padded to 4 bytes."""
    out = b""
    for row in reversed(pixels):
        line = b"".join(bytes((p[2], p[1], p[0], p[3])) if bits == 32 else
                        bytes((p[2], p[1], p[0])) for p in row)
        out += line + b"\0" * ((4 - len(line) % 4) % 4)
    return out


def info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, 0, 0)


def bmp(pixels, bits):
    height, width = len(pixels), len(pixels[0])
    data = dib_rows(pixels, bits)
    head = info_header(width, height, bits, len(data))
    return b"BM" + struct.pack("<IHHI", 14 + len(head) + len(data), 0, 0, 14 + len(head)) + \
        head + data


def ico(images):
    """images: (pixels, bits, mask rows of 0/1 with 1 = transparent)."""
    head = struct.pack("<HHH", 0, 1, len(images))
    blobs = []
    for pixels, bits, mask in images:
        height, width = len(pixels), len(pixels[0])
        colour = dib_rows(pixels, bits)
        stride = (width + 31) // 32 * 4
        and_rows = b""
        for row in reversed(mask):
            line = bytearray(stride)
            for x, bit in enumerate(row):
                if bit:
                    line[x // 8] |= 0x80 >> (x % 8)
            and_rows += bytes(line)
        blobs.append(info_header(width, height * 2, bits, 0) + colour + and_rows)
    offset = 6 + 16 * len(images)
    entries = b""
    for (pixels, bits, _), blob in zip(images, blobs):
        entries += struct.pack("<BBBBHHII", len(pixels[0]) % 256, len(pixels) % 256, 0, 0, 1,
                               bits, len(blob), offset)
        offset += len(blob)
    return head + entries + b"".join(blobs)


def gif(width, height, indices, palette, transparent):
    """LZW with a clear code after every two literals, so the code size stays 3 bits."""
    codes = []
    for n, i in enumerate(indices):
        if n % 2 == 0:
            codes.append(4)
        codes.append(i)
    codes.append(5)
    bits, nbits, data = 0, 0, bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += 3
        while nbits >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        data.append(bits & 0xFF)
    blocks = b"".join(bytes([len(data[i:i + 255])]) + bytes(data[i:i + 255])
                      for i in range(0, len(data), 255)) + b"\0"
    table = b"".join(bytes(c) for c in palette)
    return (b"GIF89a" + struct.pack("<HHBBB", width, height, 0xF1, 0, 0) + table +
            b"\x21\xF9\x04\x01\x00\x00" + bytes([transparent]) + b"\0" +
            b"\x2C" + struct.pack("<HHHHB", 0, 0, width, height, 0) + b"\x02" + blocks + b"\x3B")


def toolbar(ids, count=None, width=16, height=15):
    count = len(ids) if count is None else count
    return struct.pack("<HHHH", 1, width, height, count) + b"".join(struct.pack("<H", i)
                                                                    for i in ids)


def cell_colour(i):
    return ((40 * i + 20) % 256, (255 - 30 * i) % 256, (90 + 50 * i) % 256)


def strip(cells, size, alpha_edge):
    """cells icons of size x size side by side; with alpha_edge the left column of each cell
    is half transparent."""
    rows = []
    for y in range(size):
        row = []
        for x in range(cells * size):
            r, g, b = cell_colour(x // size)
            a = 128 if alpha_edge and x % size == 0 else 255
            row.append((r, g, b, a))
        rows.append(row)
    return rows


def disc(size, inner, outer):
    """A disc with a soft edge: colour from inner at the top to outer at the bottom, alpha
    falling off over the last pixel and a half of its radius."""
    rows = []
    centre = (size - 1) / 2
    radius = size / 2 - 0.5
    for y in range(size):
        t = y / (size - 1)
        colour = tuple(int(a + (b - a) * t) for a, b in zip(inner, outer))
        row = []
        for x in range(size):
            d = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            a = max(0.0, min(1.0, (radius - d) / 1.5 + 0.5))
            row.append(colour + (int(a * 255),))
        rows.append(row)
    return rows


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)

    def write(name, data):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)

    write("toolbar10.bin", toolbar([101, 102, 0, 103, 104, 105, 0, 106, 107, 108]))
    write("toolbar_short.bin", toolbar([101, 102, 103], count=10))
    write("toolbar24.bin", toolbar(list(range(1001, 1025)), width=16, height=16))
    write("strip128.png", png(128, 16, strip(8, 16, True)))
    write("strip24icons.png", png(24 * 16, 16, strip(24, 16, True)))
    write("strip32.bmp", bmp(strip(3, 16, True), 32))
    # A classic strip: magenta background (the top-left pixel), a coloured square per cell.
    classic = [[(255, 0, 255, 0) if not (4 <= x % 16 < 12 and 4 <= y < 12) else
                cell_colour(x // 16) + (0,) for x in range(48)] for y in range(16)]
    write("strip24.bmp", bmp(classic, 24))
    # Icons: alpha at 16 and 32 pixels, and a classic 16-pixel icon with a transparent border.
    alpha16 = disc(16, (220, 50, 40), (250, 200, 60))
    alpha32 = disc(32, (40, 60, 210), (90, 210, 250))
    none16 = [[0] * 16 for _ in range(16)]
    none32 = [[0] * 32 for _ in range(32)]
    write("alpha.ico", ico([(alpha16, 32, none16), (alpha32, 32, none32)]))
    # Transparent pixels of a classic icon are black in its colour image.
    classic16 = [[(30, 160, 30, 0) if x >= 4 else (0, 0, 0, 0) for x in range(16)]
                 for _ in range(16)]
    border = [[1 if x < 4 else 0 for x in range(16)] for _ in range(16)]
    write("classic.ico", ico([(classic16, 24, border)]))
    # 8 by 8: left half red, right half the transparent index.
    indices = [0 if x < 4 else 1 for _ in range(8) for x in range(8)]
    write("halfred.gif", gif(8, 8, indices, [(255, 0, 0), (0, 0, 0), (0, 0, 0), (0, 0, 0)], 1))


if __name__ == "__main__":
    main()
