#!/usr/bin/env python3
"""Draws examples/ExamplePCB.bmp: one copper layer of a small made-up board
(a 14-pin DIP chip, a connector, resistors, tracks and vias) as a 1-bit BMP,
416 x 638 pixels at 508 DPI, black copper on white: exactly 33238 bytes, the
size the PCB page expects of its example. Standard library only."""

import math
import struct
import sys
from pathlib import Path

WIDTH, HEIGHT, DPI = 416, 638, 508
copper = [bytearray(WIDTH) for _ in range(HEIGHT)]  # 1 = copper
holes = []  # drilled after the tracks are drawn, so tracks ending on a pad keep its hole


def mm(value):
    return round(value * DPI / 25.4)


def disc(cx, cy, r, value=1):
    for y in range(max(0, int(cy - r) - 1), min(HEIGHT, int(cy + r) + 2)):
        for x in range(max(0, int(cx - r) - 1), min(WIDTH, int(cx + r) + 2)):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                copper[y][x] = value


def rect(x0, y0, x1, y1, value=1):
    for y in range(max(0, y0), min(HEIGHT, y1 + 1)):
        for x in range(max(0, x0), min(WIDTH, x1 + 1)):
            copper[y][x] = value


def track(points, width):
    """A track of the given width through the points, with round ends and joints."""
    half = width / 2
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy
        for y in range(max(0, int(min(ay, by) - half) - 1), min(HEIGHT, int(max(ay, by) + half) + 2)):
            for x in range(max(0, int(min(ax, bx) - half) - 1), min(WIDTH, int(max(ax, bx) + half) + 2)):
                t = 0 if length2 == 0 else max(0, min(1, ((x - ax) * dx + (y - ay) * dy) / length2))
                px, py = ax + t * dx, ay + t * dy
                if (x - px) ** 2 + (y - py) ** 2 <= half * half:
                    copper[y][x] = 1


def round_pad(cx, cy, outer, hole):
    disc(cx, cy, outer)
    holes.append((cx, cy, hole))


def square_pad(cx, cy, half, hole):
    rect(cx - half, cy - half, cx + half, cy + half)
    holes.append((cx, cy, hole))


def via(cx, cy):
    round_pad(cx, cy, 9, 4)


def draw():
    # Board outline (the dimension layer), a thin frame.
    rect(2, 2, WIDTH - 3, 5)
    rect(2, HEIGHT - 6, WIDTH - 3, HEIGHT - 3)
    rect(2, 2, 5, HEIGHT - 3)
    rect(WIDTH - 6, 2, WIDTH - 3, HEIGHT - 3)

    # A 14-pin DIP chip: two rows 0.3 inch apart, pins 0.1 inch apart.
    pitch = mm(2.54)
    left_x, right_x, top_y = 128, 128 + 3 * pitch, 200
    chip_left = [(left_x, top_y + i * pitch) for i in range(7)]
    chip_right = [(right_x, top_y + i * pitch) for i in range(7)]
    square_pad(*chip_left[0], 15, 6)
    for x, y in chip_left[1:] + chip_right:
        round_pad(x, y, 16, 6)

    # A six-way connector along the bottom edge.
    connector = [(78 + i * pitch, 560) for i in range(6)]
    square_pad(*connector[0], 17, 7)
    for x, y in connector[1:]:
        round_pad(x, y, 17, 7)

    # Two resistors and a capacitor on the right.
    resistors = [((300, 120), (300, 120 + 8 * pitch)), ((350, 120), (350, 120 + 8 * pitch))]
    for a, b in resistors:
        round_pad(*a, 15, 6)
        round_pad(*b, 15, 6)
    capacitor = [(300, 470), (350, 470)]
    for p in capacitor:
        round_pad(*p, 15, 6)

    # Power tracks (wide) and signal tracks (narrow), with 45-degree bends.
    wide, narrow = mm(0.8), mm(0.4)
    track([connector[0], (connector[0][0], 500), (60, 470), (60, chip_left[6][1] + 20),
           (chip_left[6][0], chip_left[6][1])], wide)
    track([connector[1], (connector[1][0], 520), (250, 520), (capacitor[0][0], capacitor[0][1])], wide)
    track([chip_right[0], (right_x, 150), (260, 90), (resistors[0][0][0], 90), resistors[0][0]], wide)
    track([capacitor[1], (380, 470), (380, 100), (resistors[1][0][0], 100), resistors[1][0]], wide)
    track([connector[2], (connector[2][0], 480), (left_x + pitch, 430), (left_x + pitch, chip_left[5][1]),
           chip_left[5]], narrow)
    track([connector[3], (connector[3][0], 470), (230, 400), chip_right[4]], narrow)
    track([connector[4], (connector[4][0], 450), (280, 420), (280, 360), resistors[0][1]], narrow)
    track([chip_right[2], (260, chip_right[2][1]), (resistors[1][1][0], 330), resistors[1][1]], narrow)
    track([chip_left[2], (90, chip_left[2][1]), (90, 140), (200, 60), (240, 60)], narrow)
    track([chip_left[3], (100, chip_left[3][1]), (100, 160)], narrow)
    track([chip_right[5], (250, chip_right[5][1]), (250, 470), capacitor[0]], narrow)
    track([connector[5], (connector[5][0], 520), (400 - 12, 520), (388, 440)], narrow)

    # Vias where tracks change sides.
    for p in [(240, 60), (100, 160), (388, 440), (200, 300), (60, 120)]:
        via(*p)
    track([(60, 120), (60, 40), (330, 40)], narrow)
    via(330, 40)
    track([(200, 300), chip_left[4]], narrow)

    for cx, cy, r in holes:
        disc(cx, cy, r, 0)


def bmp_bytes():
    row_bytes = (WIDTH + 31) // 32 * 4
    image = bytearray()
    for y in range(HEIGHT - 1, -1, -1):  # rows bottom up
        row = bytearray(row_bytes)
        for x in range(WIDTH):
            if not copper[y][x]:  # palette index 1 is white
                row[x // 8] |= 0x80 >> (x % 8)
        image += row
    pixels_per_metre = round(DPI / 0.0254)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 1, 0, len(image), pixels_per_metre, pixels_per_metre,
                       2, 2)
    return header + info + palette + bytes(image)


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "examples" / "ExamplePCB.bmp"
    draw()
    data = bmp_bytes()
    assert len(data) == 33238, len(data)
    target.write_bytes(data)
    print(f"{target}: {len(data)} bytes")


if __name__ == "__main__":
    main()
