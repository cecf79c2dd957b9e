#!/usr/bin/env python3
"""Writes the small pictures under tests/data/raster/ that the picture-reading
tests decode: the same 5 x 3 pattern as 1-, 4-, 8-, 24- and 32-bit BMP files
(rows padded to four bytes, bottom-up), a JPEG, and damaged files.
Standard library only, so the bytes do not depend on an imaging library."""

import struct
import sys
from pathlib import Path

WIDTH, HEIGHT = 5, 3
# 16 colours (r, g, b); the 4-, 8-, 24- and 32-bit files show pattern[y][x] of them.
PALETTE = [(0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 255, 0), (0, 0, 255), (128, 128, 128), (10, 20, 30),
           (200, 100, 50), (1, 2, 3), (250, 251, 252), (60, 0, 90), (0, 70, 0), (33, 66, 99), (99, 66, 33),
           (17, 17, 17), (240, 16, 128)]
PATTERN = [[(x * 3 + y * 5) % 16 for x in range(WIDTH)] for y in range(HEIGHT)]  # top row first
MONO = [[(x + y) % 2 for x in range(WIDTH)] for y in range(HEIGHT)]          # indices into black/white


def bmp(bits, rows, palette=None, width=None, height=None, data=None):
    width = WIDTH if width is None else width
    height = HEIGHT if height is None else height
    stride = ((width * bits + 31) // 32) * 4
    if data is None:
        data = b""
        for row in reversed(rows):  # bottom-up
            if bits >= 24:
                line = b"".join(bytes((b, g, r)) + (b"\xff" if bits == 32 else b"") for (r, g, b) in row)
            else:
                value, count, line = 0, 0, bytearray()
                for index in row:
                    value = (value << bits) | index
                    count += bits
                    if count == 8:
                        line.append(value)
                        value, count = 0, 0
                if count:
                    line.append(value << (8 - count))
                line = bytes(line)
            data += line + b"\0" * (stride - len(line))
    colours = b"".join(bytes((b, g, r, 0)) for (r, g, b) in (palette or []))
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835, len(palette or []), 0)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + info + colours + data


def main(folder):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    colour_rows = [[PALETTE[i] for i in row] for row in PATTERN]
    (folder / "pattern-4bit.bmp").write_bytes(bmp(4, PATTERN, PALETTE))
    (folder / "pattern-8bit.bmp").write_bytes(bmp(8, PATTERN, PALETTE))
    (folder / "pattern-24bit.bmp").write_bytes(bmp(24, colour_rows))
    (folder / "pattern-32bit.bmp").write_bytes(bmp(32, colour_rows))
    (folder / "mono-1bit.bmp").write_bytes(bmp(1, MONO, [(0, 0, 0), (255, 255, 255)]))
    # A header that promises 1000 x 1000 pixels with only a few bytes behind it.
    (folder / "lying-header.bmp").write_bytes(bmp(24, None, width=1000, height=1000, data=b"\x10" * 64))
    # A header of 60000 x 60000 pixels: refused from the header, never decoded.
    (folder / "huge-header.bmp").write_bytes(bmp(24, None, width=60000, height=60000, data=b"\0" * 64))
    (folder / "zero-size.bmp").write_bytes(bmp(24, None, width=0, height=0, data=b""))
    (folder / "wide-2001x10.bmp").write_bytes(bmp(1, [[0] * 2001] * 10, [(0, 0, 0), (255, 255, 255)], width=2001, height=10))
    (folder / "greys-3x1.bmp").write_bytes(bmp(24, [[(0, 0, 0), (128, 128, 128), (255, 255, 255)]], width=3, height=1))
    (folder / "not-a-picture.jpg").write_bytes(b"This is a text file, not a picture.\n")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "tests/data/raster")
