#!/usr/bin/env python3
"""Draws Tarvo's window icon, ui/tarvo-icon.png (48 x 48): a stem that branches
into three endings, white on a teal disc. Standard library only."""
import math
import struct
import zlib
from pathlib import Path

SIZE = 48


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


STROKES = [(10, 24, 22, 24), (22, 24, 38, 12), (22, 24, 38, 24), (22, 24, 38, 36)]
DOTS = [(38, 12), (38, 24), (38, 36)]


def pixel(x, y):
    cx = cy = (SIZE - 1) / 2
    r = math.hypot(x - cx, y - cy)
    disc = max(0.0, min(1.0, SIZE / 2 - 0.5 - r))
    line = min(segment_distance(x, y, *s) for s in STROKES)
    ink = max(0.0, min(1.0, 2.2 - line))
    for dx, dy in DOTS:
        ink = max(ink, max(0.0, min(1.0, 4.0 - math.hypot(x - dx, y - dy))))
    teal = (18, 110, 120)
    rgb = tuple(round(c + (255 - c) * ink) for c in teal)
    return rgb + (round(255 * disc),)


def main():
    rows = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(SIZE)) for y in range(SIZE))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")
    Path(__file__).resolve().parent.parent.joinpath("ui", "tarvo-icon.png").write_bytes(png)


if __name__ == "__main__":
    main()
