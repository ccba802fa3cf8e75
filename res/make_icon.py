#!/usr/bin/env python3
"""Draws the application icon (a phone book with a handset) and writes
res/Zedulo.ico: 48, 32 and 16 pixels, each at 4 bits (16-colour palette),
8 bits (256 colours) and 24 bits, in that order; and the same pictures as
PNG files with smooth edges for the desktop's icon theme, res/icons/.
Plain Python, no imaging library: common tools cannot write palette images
of a chosen depth.

    python3 res/make_icon.py
"""
import math
import os
import struct
import zlib

SIZES = (48, 32, 16)
SAMPLES = 8  # per pixel and axis, for smooth edges

COVER = (31, 95, 139)
SPINE = (19, 60, 90)
PAGES = (246, 242, 228)
PAGE_EDGE = (150, 150, 150)
TAB = (230, 126, 34)
HANDSET = (255, 255, 255)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def handset(cx, cy, outer, inner, end_radius):
    """A receiver seen from the side: an arch with a round piece at each end."""
    ends = [(cx + m * 0.2 * math.cos(math.radians(22)), cy - 0.2 * math.sin(math.radians(22)) + 0.02)
            for m in (-1, 1)]

    def inside(x, y):
        dx, dy = x - cx, cy - y
        d = math.hypot(dx, dy)
        angle = math.degrees(math.atan2(dy, dx))
        if inner <= d <= outer and 25 <= angle <= 155:
            return True
        return any((x - ex) ** 2 + (y - ey) ** 2 <= end_radius ** 2 for ex, ey in ends)
    return inside


# Layers from back to front: (shape, colour); coordinates in the unit square.
LAYERS = [
    (rounded_rect(0.70, 0.08, 0.90, 0.92, 0.04), PAGE_EDGE),
    (rounded_rect(0.72, 0.10, 0.88, 0.90, 0.03), PAGES),
    (rounded_rect(0.86, 0.18, 0.95, 0.30, 0.02), TAB),
    (rounded_rect(0.86, 0.42, 0.95, 0.54, 0.02), TAB),
    (rounded_rect(0.86, 0.66, 0.95, 0.78, 0.02), TAB),
    (rounded_rect(0.10, 0.05, 0.80, 0.95, 0.07), COVER),
    (rounded_rect(0.10, 0.05, 0.22, 0.95, 0.05), SPINE),
    (handset(0.51, 0.66, 0.27, 0.16, 0.095), HANDSET),
]


def render(size):
    """RGBA rows, top row first, each pixel (r, g, b, alpha 0..1)."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    colour = None
                    for shape, c in LAYERS:
                        if shape(x, y):
                            colour = c
                    if colour:
                        covered += 1
                        for i in range(3):
                            acc[i] += colour[i]
            alpha = covered / SAMPLES ** 2
            rgb = tuple(round(a / covered) for a in acc) if covered else (0, 0, 0)
            row.append(rgb + (alpha,))
        rows.append(row)
    return rows


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette256():
    cube = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    greys = [(round(i * 255 / 39),) * 3 for i in range(40)]
    return cube + greys


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - rgb[k]) ** 2 for k in range(3)))


def row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def pack_rows(rows_of_values, bits):
    """Bottom-up rows of pixel values at the given depth, each padded to 4 bytes."""
    out = b""
    for values in reversed(rows_of_values):
        if bits == 24:
            data = b"".join(struct.pack("BBB", b, g, r) for r, g, b in values)
        else:
            acc, nbits, data = 0, 0, bytearray()
            for v in values:
                acc = (acc << bits) | v
                nbits += bits
                if nbits == 8:
                    data.append(acc)
                    acc, nbits = 0, 0
            if nbits:
                data.append(acc << (8 - nbits))
            data = bytes(data)
        out += data + b"\0" * (row_bytes(len(values) * bits) - len(data))
    return out


def image(rows, bits):
    size = len(rows)
    opaque = [[px[3] >= 0.5 for px in row] for row in rows]
    palette = {4: VGA16, 8: palette256(), 24: None}[bits]
    if palette:
        values = [[nearest(palette, px[:3]) if o else 0 for px, o in zip(row, orow)]
                  for row, orow in zip(rows, opaque)]
    else:
        values = [[px[:3] if o else (0, 0, 0) for px, o in zip(row, orow)]
                  for row, orow in zip(rows, opaque)]
    xor = pack_rows(values, bits)
    mask = pack_rows([[0 if o else 1 for o in orow] for orow in opaque], 1)
    colours = len(palette) if palette else 0
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, len(xor) + len(mask),
                         0, 0, colours if bits == 4 else (256 if bits == 8 else 0), 0)
    table = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette) if palette else b""
    return header + table + xor + mask


def png(rows):
    """An RGBA PNG of the rendered rows."""
    raw = b"".join(b"\0" + b"".join(struct.pack("BBBB", r, g, b, round(a * 255)) for r, g, b, a in row)
                   for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    size = len(rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    rendered = {size: render(size) for size in SIZES}
    images = [(size, bits, image(rendered[size], bits)) for bits in (4, 8, 24) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for size, bits, data in images:
        colour_count = 16 if bits == 4 else 0
        entries += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bits, len(data), offset)
        offset += len(data)
        blobs += data
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "Zedulo.ico"), "wb") as f:
        f.write(directory + entries + blobs)
    os.makedirs(os.path.join(here, "icons"), exist_ok=True)
    for size in SIZES:
        with open(os.path.join(here, "icons", f"zedulo-{size}.png"), "wb") as f:
            f.write(png(rendered[size]))


if __name__ == "__main__":
    main()
