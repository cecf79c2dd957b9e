#!/usr/bin/python3
"""Draws the program's icon: packaging/icons/beamwright.svg and PNGs of the usual sizes.

A nozzle above a plate, its beam ending in a bright spot on an engraved line.
The SVG and the PNGs come from the one list of shapes below, so they match.
Run again after changing a shape; needs python3-pil."""
import pathlib
from PIL import Image, ImageDraw

OUT = pathlib.Path(__file__).resolve().parent.parent / "packaging" / "icons"
SIZES = (16, 24, 32, 48, 64, 128, 256)

# (kind, geometry on a 256 x 256 canvas, fill colour)
SHAPES = [
    ("rounded", (16, 16, 240, 240, 44), "#263238"),
    ("polygon", ((96, 40), (160, 40), (146, 92), (110, 92)), "#b0bec5"),
    ("rect", (121, 92, 135, 178), "#ff5722"),
    ("rounded", (40, 178, 216, 214, 8), "#a1887f"),
    ("rect", (56, 190, 128, 198), "#4e342e"),
    ("circle", (128, 186, 16), "#ffc107"),
    ("circle", (128, 186, 7), "#fffde7"),
]


def write_svg(path):
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">']
    for kind, g, fill in SHAPES:
        if kind == "rounded":
            x0, y0, x1, y1, r = g
            parts.append(f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" rx="{r}" fill="{fill}"/>')
        elif kind == "rect":
            x0, y0, x1, y1 = g
            parts.append(f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" fill="{fill}"/>')
        elif kind == "polygon":
            points = " ".join(f"{x},{y}" for x, y in g)
            parts.append(f'  <polygon points="{points}" fill="{fill}"/>')
        elif kind == "circle":
            cx, cy, r = g
            parts.append(f'  <circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}"/>')
    parts.append("</svg>\n")
    path.write_text("\n".join(parts))


def draw_png(size, path):
    scale = 4 * size / 256  # drawn four times larger, then reduced for smooth edges
    image = Image.new("RGBA", (4 * size, 4 * size), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    for kind, g, fill in SHAPES:
        if kind == "rounded":
            x0, y0, x1, y1, r = (v * scale for v in g)
            draw.rounded_rectangle((x0, y0, x1, y1), radius=r, fill=fill)
        elif kind == "rect":
            draw.rectangle(tuple(v * scale for v in g), fill=fill)
        elif kind == "polygon":
            draw.polygon([(x * scale, y * scale) for x, y in g], fill=fill)
        elif kind == "circle":
            cx, cy, r = (v * scale for v in g)
            draw.ellipse((cx - r, cy - r, cx + r, cy + r), fill=fill)
    image.resize((size, size), Image.LANCZOS).save(path, optimize=True)


OUT.mkdir(parents=True, exist_ok=True)
write_svg(OUT / "beamwright.svg")
for size in SIZES:
    draw_png(size, OUT / f"beamwright-{size}.png")
