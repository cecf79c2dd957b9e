#!/usr/bin/python3
"""Generates src/core/calibration/OutlineDigits.cpp, the hollow outline digits
that label the coarse focus pattern.

Each digit is drawn here from arcs and straight edges in a rough design space,
then normalised to its box: width and height in hundred-thousandths of a
millimetre, placed at its left side bearing from the pen position. The boxes
are chosen so that the labels, placed by the pattern at whole pen positions,
cover exactly the ranges the pattern promises. The number of polylines and
points of every digit is fixed (asserted below), so that the pattern issues a
known number of moves.

    /usr/bin/python3 scripts/make-outline-digits.py            # writes the .cpp
    /usr/bin/python3 scripts/make-outline-digits.py --png F    # also draws the digits into F (needs python3-pil)
"""

import math
import os
import sys

UNITS_PER_MM = 100000
HEIGHT = 510530          # 5.1053 mm, every digit but 3
HEIGHT_3 = 510870        # 5.1087 mm: the 3's round top overshoots a little

# digit: (left side bearing, box width), hundred-thousandths of a mm
BOXES = {
    0: (28994, 326025),
    1: (76052, 190000),
    2: (21150, 320000),
    3: (29330, 312000),
    4: (8870, 345000),
    5: (28990, 315000),
    6: (26260, 326000),
    7: (33080, 305000),
    8: (28310, 326000),
    9: (28990, 326000),
}

# digit: (polylines, points); the pattern's move counts depend on these
SHAPE = {0: (2, 56), 1: (2, 14), 2: (2, 44), 3: (1, 56), 4: (4, 18),
         5: (1, 44), 6: (2, 66), 7: (2, 28), 8: (3, 69), 9: (2, 63)}


def arc(cx, cy, rx, ry, a0, a1, n):
    """n points from angle a0 to a1 (degrees, counter-clockwise positive), both ends included."""
    pts = []
    for i in range(n):
        a = math.radians(a0 + (a1 - a0) * i / (n - 1))
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


def closed(pts):
    return pts + [pts[0]]


def bezier(p0, c, p1, n):
    out = []
    for i in range(n):
        t = i / (n - 1)
        out.append(((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * c[0] + t * t * p1[0],
                    (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * c[1] + t * t * p1[1]))
    return out


T = 0.11  # stroke width in design units (the height is about 1)


def digit0():
    w = 0.62
    outer = [(w, 0.5)] + arc(w / 2, 0.68, w / 2, 0.32, 0, 180, 15) + arc(w / 2, 0.32, w / 2, 0.32, 180, 360, 13) + [(w, 0.5)]
    ri = w / 2 - T
    inner = [(w - T, 0.5)] + arc(w / 2, 0.68, ri, 0.32 - T * 0.9, 0, 180, 12) + \
        arc(w / 2, 0.32, ri, 0.32 - T * 0.9, 180, 360, 12) + [(w - T, 0.5)]
    return [outer, inner]


def digit1():
    body = [(0.13, 0.13), (0.25, 0.13), (0.25, 0.96), (0.21, 1.0), (0.12, 1.0), (0.02, 0.86), (0.02, 0.74),
            (0.13, 0.84), (0.13, 0.13)]
    base = closed([(0.0, 0.0), (0.38, 0.0), (0.38, 0.1), (0.0, 0.1)])
    return [body, base]


def digit2():
    w = 0.62
    cx, cy, rx, ry = w / 2, 0.72, w / 2, 0.28
    outer = arc(cx, cy, rx, ry, 160, -35, 19)
    inner = arc(cx, cy, rx - T, ry - T, -35, 160, 17)
    body = outer + [(0.19, 0.13), (0.0, 0.13)] + inner + [outer[0]]
    base = closed([(0.0, 0.0), (w, 0.0), (w, 0.1), (0.0, 0.1)])
    return [body, base]


def digit3():
    up_c, up_r = (0.29, 0.755), (0.27, 0.245)
    lo_c, lo_r = (0.30, 0.27), (0.30, 0.27)
    outer_up = arc(up_c[0], up_c[1], up_r[0], up_r[1], 150, -62, 14)
    notch = [(0.36, 0.525)]
    outer_lo = arc(lo_c[0], lo_c[1], lo_r[0], lo_r[1], 62, -150, 14)
    inner_lo = arc(lo_c[0], lo_c[1], lo_r[0] - T, lo_r[1] - T, -150, 100, 12)
    tongue = [(0.14, 0.44), (0.14, 0.55)]
    inner_up = arc(up_c[0], up_c[1], up_r[0] - T, up_r[1] - T * 0.95, -95, 150, 12)
    line = outer_up + notch + outer_lo + inner_lo + tongue + inner_up
    return [line + [line[0]]]


def digit4():
    slope = 0.76 / 0.56
    offset = T * math.sqrt(1 + slope * slope)
    frame = closed([(0.0, 0.24), (0.56, 0.24), (0.56, 1.0)])
    x0 = (0.35 - 0.24 + offset) / slope
    counter = closed([(x0, 0.35), (0.44, 0.35), (0.44, 0.24 + slope * 0.44 - offset)])
    stem = closed([(0.44, 0.0), (0.56, 0.0), (0.56, 0.21), (0.44, 0.21)])
    stub = closed([(0.59, 0.24), (0.68, 0.24), (0.68, 0.35), (0.59, 0.35)])
    return [frame, counter, stem, stub]


def digit5():
    c, ro, ri = (0.31, 0.34), (0.29, 0.34), (0.29 - T, 0.34 - T)
    top = [(0.08, 1.0), (0.58, 1.0), (0.58, 0.89), (0.19, 0.89), (0.19, 0.66)]
    outer = arc(c[0], c[1], ro[0], ro[1], 112, -150, 20)
    inner = arc(c[0], c[1], ri[0], ri[1], -150, 112, 17)
    line = top + outer + inner + [(0.08, 0.53)]
    return [line + [line[0]]]


def six_parts(n_stem_outer, n_bowl, n_stem_inner, n_counter):
    bc, br = (0.31, 0.31), 0.31
    sc, sr = (0.47, 0.42), (0.47, 0.58)
    stem_outer = arc(sc[0], sc[1], sr[0], sr[1], 52, 180, n_stem_outer)
    bowl = arc(bc[0], bc[1], br, br, 195, 480, n_bowl)
    stem_inner = arc(sc[0], sc[1], sr[0] - T, sr[1] - T, 160, 52, n_stem_inner)
    outer = stem_outer + bowl + stem_inner + [stem_outer[0]]
    counter = arc(bc[0], bc[1], br - T, br - T, 0, 360, n_counter)
    counter[-1] = counter[0]
    return [outer, counter]


def digit6():
    return six_parts(12, 19, 10, 24)


def digit9():
    # a 6 turned half round
    return [[(0.94 - x, 1.0 - y) for (x, y) in line] for line in six_parts(11, 18, 10, 23)]


def digit7():
    bar = closed([(0.0, 0.89), (0.6, 0.89), (0.6, 1.0), (0.0, 1.0)])
    right = bezier((0.60, 0.86), (0.42, 0.45), (0.30, 0.0), 11)
    left = bezier((0.18, 0.0), (0.30, 0.45), (0.48, 0.86), 11)
    stem = right + left + [right[0]]
    return [bar, stem]


def digit8():
    uc, ur = (0.31, 0.755), (0.26, 0.245)
    lc, lr = (0.31, 0.27), (0.31, 0.27)
    upper = arc(uc[0], uc[1], ur[0], ur[1], -58, 238, 18)
    lower = arc(lc[0], lc[1], lr[0], lr[1], 118, 422, 18)
    outer = upper + lower + [upper[0]]
    cu = arc(uc[0], uc[1], ur[0] - T, ur[1] - T, 0, 360, 16)
    cl = arc(lc[0], lc[1], lr[0] - T, lr[1] - T, 0, 360, 16)
    cu[-1], cl[-1] = cu[0], cl[0]
    return [outer, cu, cl]


DESIGNS = {0: digit0, 1: digit1, 2: digit2, 3: digit3, 4: digit4, 5: digit5, 6: digit6, 7: digit7, 8: digit8,
           9: digit9}


def place(digit):
    lines = DESIGNS[digit]()
    polylines, points = SHAPE[digit]
    assert len(lines) == polylines, (digit, len(lines))
    assert sum(len(line) for line in lines) == points, (digit, sum(len(line) for line in lines))
    xs = [x for line in lines for (x, _) in line]
    ys = [y for line in lines for (_, y) in line]
    x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
    lsb, width = BOXES[digit]
    height = HEIGHT_3 if digit == 3 else HEIGHT
    out = []
    for line in lines:
        out.append([(lsb + round((x - x0) / (x1 - x0) * width), round((y - y0) / (y1 - y0) * height))
                    for (x, y) in line])
    placed = [p for line in out for p in line]
    assert min(p[0] for p in placed) == lsb and max(p[0] for p in placed) == lsb + width
    assert min(p[1] for p in placed) == 0 and max(p[1] for p in placed) == height
    return out


def write_cpp(path, glyphs):
    points, polylines, table = [], [], []
    for digit in range(10):
        table.append((len(polylines), len(glyphs[digit])))
        for line in glyphs[digit]:
            polylines.append((len(points), len(line)))
            points.extend(line)
    with open(path, "w", newline="\n") as f:
        f.write("// Generated by scripts/make-outline-digits.py: edit the script, not this file.\n")
        f.write("#include \"calibration/OutlineDigits.h\"\n\nnamespace bw {\n\nnamespace {\n\n")
        f.write("constexpr OutlinePoint kPoints[] = {\n")
        for i in range(0, len(points), 6):
            f.write("    " + " ".join("{%d, %d}," % p for p in points[i:i + 6]) + "\n")
        f.write("};\n\nconstexpr OutlinePolyline kPolylines[] = {\n")
        for i in range(0, len(polylines), 8):
            f.write("    " + " ".join("{%d, %d}," % p for p in polylines[i:i + 8]) + "\n")
        f.write("};\n\n// First polyline and polyline count of the digits 0 to 9.\n")
        f.write("constexpr OutlinePolyline kGlyphs[10] = {\n")
        f.write("    " + " ".join("{%d, %d}," % g for g in table) + "\n};\n\n}  // namespace\n\n")
        f.write("std::span<const OutlinePolyline> OutlineDigitPolylines(int digit) {\n")
        f.write("    const OutlinePolyline& glyph = kGlyphs[digit];\n")
        f.write("    return std::span<const OutlinePolyline>(kPolylines + glyph.first, glyph.count);\n}\n\n")
        f.write("std::span<const OutlinePoint> OutlinePolylinePoints(const OutlinePolyline& polyline) {\n")
        f.write("    return std::span<const OutlinePoint>(kPoints + polyline.first, polyline.count);\n}\n\n")
        f.write("}  // namespace bw\n")


def draw_png(path, glyphs):
    from PIL import Image, ImageDraw
    scale = 0.0016  # pixels per unit
    img = Image.new("RGB", (int(10 * 420000 * scale) + 40, int(560000 * scale) + 40), "white")
    d = ImageDraw.Draw(img)
    for digit in range(10):
        ox = 20 + digit * 420000 * scale
        for line in glyphs[digit]:
            pts = [(ox + x * scale, 20 + (560000 - y) * scale) for (x, y) in line]
            d.line(pts, fill="black", width=2)
            d.ellipse([pts[0][0] - 3, pts[0][1] - 3, pts[0][0] + 3, pts[0][1] + 3], outline="red")
    img.save(path)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    glyphs = {digit: place(digit) for digit in range(10)}
    write_cpp(os.path.join(root, "src", "core", "calibration", "OutlineDigits.cpp"), glyphs)
    if len(sys.argv) == 3 and sys.argv[1] == "--png":
        draw_png(sys.argv[2], glyphs)


if __name__ == "__main__":
    main()
