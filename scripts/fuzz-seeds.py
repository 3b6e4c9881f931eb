#!/usr/bin/env python3
"""Small seeds for the ASF parser fuzzer: each generated presentation cut to its header plus
its first few data packets (the data object's size and packet count made to match), with and
without the index objects that follow.

    fuzz-seeds.py OUT_DIR FILE...

Seeds stay under a few kilobytes, so the fuzzer runs thousands of inputs a second."""
import os
import struct
import sys

HEADER = bytes.fromhex('3026b2758e66cf11a6d900aa0062ce6c')
DATA = bytes.fromhex('3626b2758e66cf11a6d900aa0062ce6c')
FILE_PROPS = bytes.fromhex('a1dcab8c47a9cf118ee400c00c205365')


def objects(data, start, end):
    at = start
    while at + 24 <= end:
        size = struct.unpack_from('<Q', data, at + 16)[0]
        if size < 24 or at + size > end:
            return
        yield at, size, data[at:at + 16]
        at += size


def seeds(data, packets):
    top = list(objects(data, 0, len(data)))
    header = next(o for o in top if o[2] == HEADER)
    data_obj = next(o for o in top if o[2] == DATA)
    props = next(o for o in objects(data, header[0] + 30, header[0] + header[1])
                 if o[2] == FILE_PROPS)
    packet_size = struct.unpack_from('<I', data, props[0] + 92)[0]
    total = struct.unpack_from('<Q', data, data_obj[0] + 40)[0]
    n = min(packets, total)
    body = data[data_obj[0] + 50:data_obj[0] + 50 + n * packet_size]
    head = bytearray(data[:data_obj[0] + 50])
    struct.pack_into('<Q', head, data_obj[0] + 16, 50 + len(body))
    struct.pack_into('<Q', head, data_obj[0] + 40, n)
    cut = bytes(head) + body
    tail = data[data_obj[0] + data_obj[1]:]
    yield cut
    if tail:
        yield cut + tail[:2048]


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    count = 0
    for path in sys.argv[2:]:
        try:
            data = open(path, 'rb').read()
            for packets in (1, 3):
                for k, seed in enumerate(seeds(data, packets)):
                    name = '%s-%dp%s' % (os.path.basename(path), packets, '-index' if k else '')
                    with open(os.path.join(out, name), 'wb') as f:
                        f.write(seed)
                    count += 1
        except (StopIteration, struct.error):
            continue  # not a presentation the cutter understands: no seed from it
    print('fuzz: %d small seeds' % count)


if __name__ == '__main__':
    main()
