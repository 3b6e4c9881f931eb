#!/usr/bin/env python3
"""Writes damaged variants of the generated presentations for scripts/torture.sh.

    torture-variants.py MEDIA_DIR OUT_DIR [PER_KIND]

Each variant is named SOURCE--KIND-N.wmv; OUT_DIR/variants.txt lists them with their kind.
Deterministic: the same sources and PER_KIND give the same variants."""
import os
import random
import struct
import sys

HEADER = bytes.fromhex('3026b2758e66cf11a6d900aa0062ce6c')
DATA = bytes.fromhex('3626b2758e66cf11a6d900aa0062ce6c')
FILE_PROPS = bytes.fromhex('a1dcab8c47a9cf118ee400c00c205365')
SOURCES = ['sample-video1.wmv', 'audio-only.wma', 'one-video.wmv']


def objects(data, start, end):
    """(offset, size, guid) of the objects in data[start:end] as far as they can be walked."""
    out = []
    at = start
    while at + 24 <= end:
        size = struct.unpack_from('<Q', data, at + 16)[0]
        if size < 24 or at + size > end:
            break
        out.append((at, size, data[at:at + 16]))
        at += size
    return out


class Layout:
    def __init__(self, data):
        self.data = data
        self.top = objects(data, 0, len(data))
        self.header = next(o for o in self.top if o[2] == HEADER)
        self.children = objects(data, self.header[0] + 30, self.header[0] + self.header[1])
        self.data_obj = next(o for o in self.top if o[2] == DATA)
        props = next(o for o in self.children if o[2] == FILE_PROPS)
        self.packet_size = struct.unpack_from('<I', data, props[0] + 92)[0]
        first = self.data_obj[0] + 50
        end = self.data_obj[0] + self.data_obj[1]
        self.packets = list(range(first, end - self.packet_size + 1, self.packet_size))


def field(code):
    return {0: 0, 1: 1, 2: 2, 3: 4}[code & 3]


def first_payload(data, at):
    """Offsets of the first payload's stream-number byte and of its length field (or None)."""
    p = at
    if data[p] & 0x80:
        p += 1 + (data[p] & 0x0F)
    lt, pf = data[p], data[p + 1]
    p += 2
    p += field(lt >> 5) + field(lt >> 1) + field(lt >> 3) + 6
    multiple = lt & 1
    length_type = 0
    if multiple:
        length_type = data[p] >> 6
        p += 1
    stream = p
    p += 1 + field(pf >> 4) + field(pf >> 2)
    rep_type = field(pf)
    rep = int.from_bytes(data[p:p + rep_type], 'little') if rep_type else 0
    p += rep_type + rep
    length = p if multiple and field(length_type) else None
    return stream, length, field(length_type)


def variants(name, data, per_kind, rng):
    lay = Layout(data)
    header_end = lay.header[0] + lay.header[1]
    pick = lambda seq: seq if len(seq) <= per_kind else sorted(rng.sample(seq, per_kind))

    # Header bytes overwritten: 20 bytes of 0xFF spread over the header object.
    for off in pick(list(range(40, header_end - 20, 37))):
        d = bytearray(data)
        d[off:off + 20] = b'\xff' * 20
        yield 'header-bytes', d
    # Sizes of the header's child objects changed.
    sizes = [(c, s) for c in lay.children for s in ('zero', 'minus1', 'plus1', 'huge')]
    for child, how in pick(sizes):
        d = bytearray(data)
        size = child[1]
        new = {'zero': 0, 'minus1': size - 1, 'plus1': size + 1, 'huge': 0xFFFFFFFFFFFF}[how]
        struct.pack_into('<Q', d, child[0] + 16, new)
        yield 'object-size', d
    # Sizes of the top-level objects changed.
    for obj, new in pick([(o, n) for o in lay.top for n in (0, o[1] - 7, o[1] * 2)]):
        d = bytearray(data)
        struct.pack_into('<Q', d, obj[0] + 16, new)
        yield 'object-size', d
    # The header's child count changed.
    for count in (0, len(lay.children) - 1, len(lay.children) + 1, 0xFFFFFFFF):
        d = bytearray(data)
        struct.pack_into('<I', d, lay.header[0] + 24, count)
        yield 'object-count', d
    # Truncation at every object boundary, then inside packets.
    bounds = sorted({o[0] for o in lay.top} | {c[0] for c in lay.children} |
                    {header_end, lay.data_obj[0] + 50})
    for cut in pick([b for b in bounds if 0 < b < len(data)]):
        yield 'truncate-boundary', bytearray(data[:cut])
    inside = [p + k for p in lay.packets[:40] for k in (1, 7, lay.packet_size // 2)]
    for cut in pick(inside):
        yield 'truncate-packet', bytearray(data[:cut])
    # Packets duplicated, swapped and dropped (the counts in the data object stay as they were).
    n = len(lay.packets)
    size = lay.packet_size

    def packet(i):
        return data[lay.packets[i]:lay.packets[i] + size]
    base = lay.packets[0]
    tail_at = lay.packets[-1] + size
    for i in pick(list(range(min(n, 60)))):
        body = b''.join(packet(k) + (packet(k) if k == i else b'') for k in range(n))
        yield 'packet-duplicated', bytearray(data[:base] + body + data[tail_at:])
    for i in pick(list(range(min(n - 1, 60)))):
        order = list(range(n))
        order[i], order[i + 1] = order[i + 1], order[i]
        body = b''.join(packet(k) for k in order)
        yield 'packet-swapped', bytearray(data[:base] + body + data[tail_at:])
    for i in pick(list(range(min(n, 60)))):
        body = b''.join(packet(k) for k in range(n) if k != i)
        yield 'packet-dropped', bytearray(data[:base] + body + data[tail_at:])
    # Payload lengths and stream numbers changed in the first packets.
    for i in pick(list(range(min(n, 40)))):
        stream, length, width = first_payload(data, lay.packets[i])
        d = bytearray(data)
        d[stream] = (d[stream] & 0x80) | (9 if i % 2 else 0)
        yield 'stream-number', d
        if length is not None:
            d = bytearray(data)
            value = [0, 1, size * 2, 0xFFFF][i % 4] & ((1 << (8 * width)) - 1)
            d[length:length + width] = value.to_bytes(width, 'little')
            yield 'payload-length', d
    # A valid header with a garbage data object.
    for seed in range(min(per_kind, 3)):
        g = random.Random(seed)
        body = bytes(g.getrandbits(8) for _ in range(lay.data_obj[1] - 50))
        d = bytearray(data)
        d[lay.data_obj[0] + 50:lay.data_obj[0] + lay.data_obj[1]] = body
        yield 'garbage-data', d


def main():
    media, out = sys.argv[1], sys.argv[2]
    per_kind = int(sys.argv[3]) if len(sys.argv) > 3 else 4
    os.makedirs(out, exist_ok=True)
    rng = random.Random(36)
    lines = []
    for source in SOURCES:
        data = open(os.path.join(media, source), 'rb').read()
        counts = {}
        for kind, d in variants(source, data, per_kind, rng):
            counts[kind] = counts.get(kind, 0) + 1
            name = '%s--%s-%d.wmv' % (os.path.splitext(source)[0], kind, counts[kind])
            with open(os.path.join(out, name), 'wb') as f:
                f.write(d)
            lines.append('%s %s\n' % (kind, name))
    with open(os.path.join(out, 'variants.txt'), 'w') as f:
        f.writelines(lines)
    print('torture: %d variants in %s' % (len(lines), out))


if __name__ == '__main__':
    main()
