#!/usr/bin/env python3
"""Turns 24-bit BMP files into PNG files beside them (standard library only)."""
import struct
import sys
import zlib


def read_bmp(path):
    data = open(path, 'rb').read()
    offset = struct.unpack_from('<I', data, 10)[0]
    width, height = struct.unpack_from('<ii', data, 18)
    if struct.unpack_from('<H', data, 28)[0] != 24:
        raise ValueError(f'{path}: not a 24-bit BMP')
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        # A positive height stores the bottom row first.
        start = offset + (abs(height) - 1 - y if height > 0 else y) * stride
        bgr = data[start:start + width * 3]
        rgb = bytearray(len(bgr))
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(bytes(rgb))
    return width, abs(height), rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF)
    pixels = b''.join(b'\x00' + row for row in rows)
    header = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)
    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(pixels, 9))
                  + chunk(b'IEND', b''))


for bmp in sys.argv[1:]:
    write_png(bmp[:-4] + '.png', *read_bmp(bmp))
