#!/usr/bin/env python3
"""Draws the program icon and writes it as velkrant.ico (48, 32 and 16
pixels, each in 256 colours and in 32-bit colour) and as PNG files for the
window icon and the desktop entry. Standard library only; run it from
anywhere after changing the drawing, and commit what it writes."""

import os
import struct
import zlib

SIZES = (48, 32, 16)
HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = 8  # per axis: anti-aliasing by supersampling
TOP, BOTTOM = (58, 141, 255), (30, 91, 198)  # the background's gradient


def in_rounded_square(x, y):
    lo, hi, r = 0.0625, 0.9375, 0.18
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_arrow(x, y, mid, pointing_right):
    # An arrow from 0.20 to 0.80: a shaft and a triangular head.
    if not pointing_right:
        x = 1.0 - x
    if 0.20 <= x <= 0.60 and abs(y - mid) <= 0.055:
        return True
    return 0.56 <= x <= 0.80 and abs(y - mid) <= 0.15 * (0.80 - x) / 0.24


def colour_at(x, y):
    if in_arrow(x, y, 0.36, True):
        return (255, 255, 255, 255)
    if in_arrow(x, y, 0.64, False):
        return (255, 213, 74, 255)
    if in_rounded_square(x, y):
        return tuple(round(t + (b - t) * y) for t, b in zip(TOP, BOTTOM)) + (255,)
    return (0, 0, 0, 0)


def render(size):
    """Rows of (r, g, b, a), straight alpha."""
    rows = []
    n = SAMPLES * SAMPLES
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                           (py + (sy + 0.5) / SAMPLES) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(c / acc[3]) for c in acc[:3]) + (round(alpha),))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def palette():
    cube = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    # The background's gradient would band against the cube alone.
    ramp = [tuple(round(t + (b - t) * i / 39) for t, b in zip(TOP, BOTTOM)) for i in range(40)]
    return cube + ramp


def and_mask(rows):
    stride = ((len(rows) + 31) // 32) * 4
    out = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def dib(rows, bits):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    body = b""
    if bits == 32:
        for row in reversed(rows):
            body += b"".join(struct.pack("BBBB", b, g, r, a) for r, g, b, a in row)
        return header + body + and_mask(rows)
    colours = palette()
    table = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in colours)
    stride = ((size + 3) // 4) * 4
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (r, g, b, a) in enumerate(row):
            line[x] = min(range(len(colours)), key=lambda i: (colours[i][0] - r) ** 2
                          + (colours[i][1] - g) ** 2 + (colours[i][2] - b) ** 2)
        body += bytes(line)
    return header + table + body + and_mask(rows)


def main():
    images = []
    for size in SIZES:
        rows = render(size)
        with open(os.path.join(HERE, "velkrant-%d.png" % size), "wb") as f:
            f.write(png(rows))
        images += [(size, 8, dib(rows, 8)), (size, 32, dib(rows, 32))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, _, data in images)
    with open(os.path.join(HERE, "velkrant.ico"), "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
