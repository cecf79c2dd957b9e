#!/usr/bin/env python3
"""Writes examples/ExampleDXF.dxf: a gear on a name plate with rounded corners,
a centre hole, four bolt holes and a spline wave. The window loads the example
only when the file has exactly 207349 bytes, so the header is padded with
comment groups (code 999) to that size.

Usage: scripts/make_example_dxf.py [OUTPUT]
"""

import math
import sys
from pathlib import Path

SIZE = 207349
EOL = "\r\n"


def fmt(v):
    text = f"{v:.6f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


class Drawing:
    def __init__(self):
        self.groups = []

    def add(self, code, value):
        self.groups.append((code, value))

    def entity(self, name, layer):
        self.add(0, name)
        self.add(8, layer)

    def line(self, x1, y1, x2, y2, layer="PLATE"):
        self.entity("LINE", layer)
        for code, v in ((10, x1), (20, y1), (30, 0), (11, x2), (21, y2), (31, 0)):
            self.add(code, fmt(v))

    def circle(self, x, y, r, layer="HOLES"):
        self.entity("CIRCLE", layer)
        for code, v in ((10, x), (20, y), (30, 0), (40, r)):
            self.add(code, fmt(v))

    def arc(self, x, y, r, a1, a2, layer="PLATE"):
        self.entity("ARC", layer)
        for code, v in ((10, x), (20, y), (30, 0), (40, r), (50, a1 % 360), (51, a2 % 360)):
            self.add(code, fmt(v))

    def spline(self, points, layer="WAVE"):
        degree = 3
        n = len(points)
        inner = n - degree - 1
        knots = [0.0] * (degree + 1) + [i / (inner + 1) for i in range(1, inner + 1)] + [1.0] * (degree + 1)
        self.entity("SPLINE", layer)
        self.add(70, "8")
        self.add(71, str(degree))
        self.add(72, str(len(knots)))
        self.add(73, str(n))
        self.add(74, "0")
        for k in knots:
            self.add(40, fmt(round(k, 6)))
        for x, y in points:
            self.add(10, fmt(x))
            self.add(20, fmt(y))
            self.add(30, "0")


def gear(d, cx, cy, teeth, root, tip):
    """Each tooth: a root arc, a straight flank up, a tip arc, a straight flank down."""
    pitch = 360.0 / teeth

    def at(r, a):
        return cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))

    for t in range(teeth):
        a0 = t * pitch
        root_end, tip_start, tip_end, next_root = (a0 + pitch * f for f in (0.40, 0.50, 0.90, 1.00))
        d.arc(cx, cy, root, a0, root_end, "GEAR")
        d.line(*at(root, root_end), *at(tip, tip_start), "GEAR")
        d.arc(cx, cy, tip, tip_start, tip_end, "GEAR")
        d.line(*at(tip, tip_end), *at(root, next_root), "GEAR")


def plate(d, width, height, r):
    d.line(r, 0, width - r, 0)
    d.arc(width - r, r, r, 270, 360)
    d.line(width, r, width, height - r)
    d.arc(width - r, height - r, r, 0, 90)
    d.line(width - r, height, r, height)
    d.arc(r, height - r, r, 90, 180)
    d.line(0, height - r, 0, r)
    d.arc(r, r, r, 180, 270)


def build():
    d = Drawing()
    plate(d, 120, 110, 6)
    gear(d, 60, 62, 12, 32, 40)
    d.circle(60, 62, 8)
    for k in range(4):
        a = math.radians(45 + 90 * k)
        d.circle(60 + 20 * math.cos(a), 62 + 20 * math.sin(a), 3)
    for x, y in ((8, 8), (112, 8), (112, 102), (8, 102)):
        d.circle(x, y, 2)
    d.spline([(15 + 10 * i, 10 + (5 if i % 2 else 0)) for i in range(10)])
    return d


def text_of(groups):
    return "".join(f"{code:>3}{EOL}{value}{EOL}" for code, value in groups)


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "examples" / "ExampleDXF.dxf"
    d = build()
    head = [(0, "SECTION"), (2, "HEADER"), (9, "$ACADVER"), (1, "AC1009"), (9, "$INSUNITS"), (70, "4")]
    tail_header = [(0, "ENDSEC")]
    entities = [(0, "SECTION"), (2, "ENTITIES")] + d.groups + [(0, "ENDSEC"), (0, "EOF")]
    fixed = len(text_of(head)) + len(text_of(tail_header)) + len(text_of(entities))
    padding = SIZE - fixed
    comments = []
    line_no = 0
    base = "Beamwright example drawing: a gear on a name plate, cut in passes. Padding comment "
    while padding > 0:
        line_no += 1
        overhead = len(f"999{EOL}{EOL}")
        body = f"{base}{line_no:05d}"
        if padding - (overhead + len(body)) < overhead + 1:  # the last comment takes the rest
            body = (body + "." * padding)[: padding - overhead]
        comments.append((999, body))
        padding -= overhead + len(body)
    text = text_of(head) + text_of(comments) + text_of(tail_header) + text_of(entities)
    data = text.encode("ascii")
    assert len(data) == SIZE, len(data)
    out.write_bytes(data)
    print(f"{out}: {len(data)} bytes, {len(d.groups)} entity groups")


if __name__ == "__main__":
    main()
