#!/usr/bin/env python3
"""Writes what an independent reader (ffprobe) sees in each test presentation, for the reader
tests to compare against: NAME.packets.csv (stream index, pts in ms, size, key flag),
NAME.tags.txt (format tags and the longest stream duration in ms) and NAME.chapters.csv.

usage: make-expected.py MEDIA_DIR NAME...
"""
import json
import os
import subprocess
import sys


def probe(path, *args):
    out = subprocess.run(["ffprobe", "-v", "error", "-of", "json", *args, path],
                         check=True, capture_output=True).stdout
    return json.loads(out)


def main():
    media = sys.argv[1]
    for name in sys.argv[2:]:
        path = os.path.join(media, name)
        packets = probe(path, "-show_entries", "packet=stream_index,pts,size,flags")["packets"]
        with open(path + ".packets.csv", "w", encoding="utf-8") as f:
            for p in packets:
                key = 1 if p.get("flags", "").startswith("K") else 0
                f.write(f"{p['stream_index']},{p['pts']},{p['size']},{key}\n")
        info = probe(path, "-show_format", "-show_streams", "-show_chapters")
        with open(path + ".tags.txt", "w", encoding="utf-8") as f:
            for k, v in sorted(info["format"].get("tags", {}).items()):
                f.write(f"{k}={v}\n")
            ms = max(round(float(s["duration"]) * 1000) for s in info["streams"])
            f.write(f"duration_ms={ms}\n")
        with open(path + ".chapters.csv", "w", encoding="utf-8") as f:
            for c in info.get("chapters", []):
                ms = round(float(c["start_time"]) * 1000)
                f.write(f"{ms},{c.get('tags', {}).get('title', '')}\n")


if __name__ == "__main__":
    main()
