#!/usr/bin/python3
"""Draws examples/ExampleBMP.jpg, the picture the BMP/JPG page opens on its
first visit: a synthetic scene (sky gradient, a shaded sphere, rings and a
checker floor), nothing photographed. The window loads the example only when
the file is exactly 14145 bytes long, so the best JPEG quality that fits is
chosen and a comment segment pads the file to that size.
Needs python3-pil (Debian)."""

import io
import math
import sys
from pathlib import Path

from PIL import Image, ImageDraw

TARGET_SIZE = 14145
WIDTH, HEIGHT = 320, 240


def scene():
    image = Image.new("RGB", (WIDTH, HEIGHT))
    pixels = image.load()
    cx, cy, radius = 200, 100, 70
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if y < 170:  # sky: a vertical gradient from deep blue to pale orange
                t = y / 170
                colour = (int(40 + 200 * t), int(60 + 120 * t), int(160 - 60 * t))
            else:  # floor: a checker board receding in perspective
                depth = (y - 160) / 80
                u = int((x - WIDTH / 2) / (depth * 40 + 1e-9) + 100)
                v = int(8 / depth)
                shade = 200 if (u + v) % 2 else 60
                colour = (shade, shade - 20, shade - 40)
            dx, dy = x - cx, y - cy
            d = math.hypot(dx, dy)
            if d <= radius:  # a sphere lit from the upper left
                nz = math.sqrt(max(0.0, 1 - (d / radius) ** 2))
                light = max(0.0, (-dx * 0.5 - dy * 0.6) / radius + nz * 0.62)
                level = int(30 + 220 * min(1.0, light))
                colour = (level, int(level * 0.85), int(level * 0.6))
            pixels[x, y] = colour
    draw = ImageDraw.Draw(image)
    for r in range(10, 60, 8):  # rings on the left
        draw.ellipse((70 - r, 90 - r, 70 + r, 90 + r), outline=(20, 20, 20), width=2)
    draw.rectangle((10, 10, 120, 30), fill=(250, 250, 250))
    draw.text((16, 14), "Beamwright", fill=(0, 0, 0))
    return image


def encode(image, quality):
    buffer = io.BytesIO()
    image.save(buffer, "JPEG", quality=quality, optimize=False, progressive=False, subsampling=2)
    return buffer.getvalue()


def main(output):
    image = scene()
    best = None
    for quality in range(100, 0, -1):
        data = encode(image, quality)
        if len(data) + 4 <= TARGET_SIZE:  # room for an empty comment segment at least
            best = data
            break
    if best is None:
        sys.exit("the picture does not fit into %d bytes" % TARGET_SIZE)
    padding = TARGET_SIZE - len(best) - 4
    comment = (b"Beamwright example picture " + b"." * padding)[:padding]
    segment = b"\xff\xfe" + (len(comment) + 2).to_bytes(2, "big") + comment
    if len(comment) + 2 > 0xFFFF:
        sys.exit("padding too large for one comment segment")
    result = best[:2] + segment + best[2:]
    assert len(result) == TARGET_SIZE
    Path(output).write_bytes(result)
    print("%s: quality %d, %d bytes" % (output, quality, len(result)))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "examples/ExampleBMP.jpg")
