#!/usr/bin/env python3
"""Draws the small input bitmaps of the PCB golden programs (tests/golden/pcb-*/):
a dark rectangle (the outline's worked example, here exposed with profiles) and a
24-bit board with colours that are neither black nor white, to pin down the
luminance classification. Standard library only."""

import struct
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent / "tests" / "golden"


def write_bmp24(path, pixels):
    height, width = len(pixels), len(pixels[0])
    row_bytes = (width * 3 + 3) // 4 * 4
    image = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes([b, g, r])
        line += bytes(row_bytes - len(line))
        image += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 20000, 20000, 0, 0)
    path.write_bytes(header + info + bytes(image))


def canvas(width, height, colour=(255, 255, 255)):
    return [[colour] * width for _ in range(height)]


def fill(pixels, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            pixels[y][x] = colour


def rectangle():
    pixels = canvas(40, 30)
    fill(pixels, 5, 5, 34, 24, (0, 0, 0))
    return pixels


def coloured_board():
    pixels = canvas(90, 60)
    fill(pixels, 4, 4, 40, 30, (0, 0, 0))             # copper
    fill(pixels, 18, 12, 24, 18, (255, 255, 255))     # a hole in it
    fill(pixels, 45, 4, 85, 14, (127, 127, 127))      # grey 127: dark
    fill(pixels, 45, 18, 85, 28, (128, 128, 128))     # grey 128: light
    fill(pixels, 4, 36, 60, 44, (200, 0, 0))          # red: dark (luminance 60)
    fill(pixels, 4, 48, 86, 55, (0, 0, 90))           # navy: dark
    fill(pixels, 66, 34, 86, 44, (0, 255, 0))         # green: light
    return pixels


def main():
    for name, pixels in [("pcb-raster-profiles", rectangle()), ("pcb-raster-colours", coloured_board()),
                         ("pcb-outline-colours", coloured_board())]:
        folder = ROOT / name
        folder.mkdir(parents=True, exist_ok=True)
        write_bmp24(folder / "input.bmp", pixels)
        print(folder / "input.bmp")


if __name__ == "__main__":
    main()
