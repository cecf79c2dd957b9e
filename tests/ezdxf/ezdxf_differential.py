#!/usr/bin/python3
"""Random drawings for the full DXF reading, judged by an independent library.

Writes DRAWINGS random drawings with ezdxf (Debian's python3-ezdxf) into a
folder: nested, rotated, mirrored, scaled and arrayed blocks, bulged polylines,
partial rotated ellipses, rational splines, extrusion (0, 0, -1), inch and
centimetre units, paper-space entities, layers that are off or frozen, and
text that is not cut. Beside each "<n>.dxf" goes "<n>.ref": ezdxf's own
flattening of the model space in millimetres, one "P" line per polyline and
"x y" per point. Then runs the comparer (dxf_differential) on the folder.

Usage: ezdxf_differential.py COMPARER [DRAWINGS] [SEED]
"""
import math
import os
import random
import subprocess
import sys
import tempfile

import ezdxf
from ezdxf.math import Vec3

FLATTEN = 0.001  # ezdxf's own flattening, far below the compared tolerance
UNITS = {0: 1.0, 4: 1.0, 1: 25.4, 5: 10.0}
# DXF_KINDS="ellipse insert" narrows the drawings down when a failure is looked into.
KINDS = os.environ.get("DXF_KINDS", "line circle arc lwpolyline polyline ellipse spline rational insert text").split()


def rnd_point(r, size):
    return (r.uniform(-size, size), r.uniform(-size, size))


def add_shapes(r, layout, count, size, layers, blocks, extrusion_ok=True):
    """Adds `count` random entities; `blocks` are names that may be inserted."""
    for _ in range(count):
        kind = r.choice(KINDS)
        attribs = {"layer": r.choice(layers)}
        flip = extrusion_ok and r.random() < 0.25
        if flip:
            attribs["extrusion"] = (0, 0, -1)
        if kind == "line":
            layout.add_line(rnd_point(r, size), rnd_point(r, size), dxfattribs={"layer": attribs["layer"]})
        elif kind == "circle":
            layout.add_circle(rnd_point(r, size), r.uniform(0.5, size / 2), dxfattribs=attribs)
        elif kind == "arc":
            layout.add_arc(rnd_point(r, size), r.uniform(0.5, size / 2), r.uniform(0, 360), r.uniform(0, 360),
                           dxfattribs=attribs)
        elif kind == "lwpolyline":
            points = [(*rnd_point(r, size), 0, 0, r.choice([0, 0, r.uniform(-2, 2)])) for _ in range(r.randint(2, 6))]
            layout.add_lwpolyline(points, format="xyseb", close=r.random() < 0.5, dxfattribs=attribs)
        elif kind == "polyline":
            points = [(*rnd_point(r, size), r.choice([0, r.uniform(-1.5, 1.5)])) for _ in range(r.randint(2, 5))]
            poly = layout.add_polyline2d([], close=r.random() < 0.5, dxfattribs=attribs)
            poly.append_formatted_vertices(points, format="xyb")
        elif kind == "ellipse":
            a = r.uniform(1, size / 2)
            angle = r.uniform(0, 2 * math.pi)
            full = r.random() < 0.3
            start = 0 if full else r.uniform(0, 2 * math.pi)
            end = 2 * math.pi if full else r.uniform(0, 2 * math.pi)
            layout.add_ellipse(rnd_point(r, size), major_axis=(a * math.cos(angle), a * math.sin(angle), 0),
                               ratio=r.uniform(0.1, 1.0), start_param=start, end_param=end,
                               dxfattribs=attribs)
        elif kind in ("spline", "rational"):
            points = [rnd_point(r, size) for _ in range(r.randint(4, 7))]
            degree = r.choice([2, 3, 3])
            if kind == "spline":
                layout.add_open_spline(points, degree=degree, dxfattribs={"layer": attribs["layer"]})
            else:
                weights = [r.uniform(0.3, 3) for _ in points]
                layout.add_rational_spline(points, weights, degree=degree, dxfattribs={"layer": attribs["layer"]})
        elif kind == "insert" and blocks:
            scale = r.uniform(0.4, 2.0)
            uniform = r.random() < 0.6
            sx = scale * r.choice([1, -1])
            sy = (abs(scale) if uniform else r.uniform(0.4, 2.0)) * r.choice([1, 1, -1])
            ref = layout.add_blockref(r.choice(blocks), rnd_point(r, size), dxfattribs={
                **attribs, "xscale": sx, "yscale": sy, "rotation": r.uniform(0, 360)})
            if r.random() < 0.25:
                ref.dxf.column_count = r.randint(1, 3)
                ref.dxf.row_count = r.randint(1, 3)
                ref.dxf.column_spacing = r.uniform(-30, 30)
                ref.dxf.row_spacing = r.uniform(-30, 30)
        else:
            layout.add_text("T", dxfattribs={"insert": rnd_point(r, size), "layer": attribs["layer"]})


def make_drawing(r, path):
    doc = ezdxf.new("R2010")
    insunits = r.choice([4, 4, 0, 1, 5])
    doc.header["$INSUNITS"] = insunits
    doc.layers.add("CUT")
    doc.layers.add("HIDDEN").off()
    doc.layers.add("FROZEN").freeze()
    visible = ["0", "CUT", "CUT"]
    layers = visible + ["HIDDEN", "FROZEN"]
    size = 40.0 if insunits != 1 else 2.0
    # Blocks: later blocks may insert earlier ones, so nesting goes several levels deep.
    names = []
    for b in range(r.randint(0, 3)):
        name = f"B{b}"
        block = doc.blocks.new(name, base_point=(r.uniform(-5, 5), r.uniform(-5, 5)))
        add_shapes(r, block, r.randint(1, 4), size / 2, ["0", "0", "CUT", "HIDDEN"], list(names))
        names.append(name)
    add_shapes(r, doc.modelspace(), r.randint(2, 10), size, layers, names)
    paper = doc.layout("Layout1")
    paper.add_line((0, 0), (100, 100))
    paper.add_circle((5, 5), 3)
    doc.saveas(path)
    return doc, UNITS[insunits]


def hidden(doc, entity):
    layer = doc.layers.get(entity.dxf.layer) if doc.layers.has_entry(entity.dxf.layer) else None
    return layer is not None and (layer.is_off() or layer.is_frozen())


def flatten(doc, entity, out, step, matrix=None, in_block=False):
    """ezdxf's own reading of one model-space entity as polylines (WCS).

    Block contents are flattened in block coordinates and carried through the
    inserts' matrices: an INSERT inside a non-uniformly scaled, rotated one is a
    shear no INSERT entity can stand for."""
    if (not in_block or entity.dxf.layer != "0") and hidden(doc, entity):
        return
    kind = entity.dxftype()
    if kind == "INSERT":
        block = doc.blocks.get(entity.dxf.name)
        for single in entity.multi_insert():
            inner = single.matrix44()
            total = inner if matrix is None else inner @ matrix
            for sub in block:
                flatten(doc, sub, out, step, total, True)
        return
    lines = []
    if kind in ("LWPOLYLINE", "POLYLINE"):
        for sub in entity.virtual_entities():
            sub.dxf.layer = entity.dxf.layer
            flatten(doc, sub, lines, step, None, in_block)
    elif kind == "LINE":
        lines.append([Vec3(entity.dxf.start), Vec3(entity.dxf.end)])
    elif kind in ("CIRCLE", "ARC", "ELLIPSE"):
        lines.append(list(entity.flattening(step)))
    elif kind == "SPLINE":
        # Evaluated densely: the adaptive flattening can step over a sharp turn of a rational curve.
        curve = entity.construction_tool()
        lines.append(list(curve.approximate(segments=400 * len(curve.control_points))))
    for line in lines:
        out.append(line if matrix is None else list(matrix.transform_vertices(line)))


def main():
    comparer = sys.argv[1]
    drawings = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    seed = int(sys.argv[3]) if len(sys.argv) > 3 else 13
    r = random.Random(seed)
    with tempfile.TemporaryDirectory() as scratch:
        folder = os.environ.get("DXF_FOLDER", scratch)  # set it to keep the drawings of a failing run
        for n in range(drawings):
            path = f"{folder}/{n:04d}.dxf"
            doc, unit = make_drawing(r, path)
            lines = []
            for entity in doc.modelspace():
                flatten(doc, entity, lines, FLATTEN / unit)
            with open(f"{folder}/{n:04d}.ref", "w") as ref:
                for line in lines:
                    ref.write("P\n")
                    for p in line:
                        ref.write(f"{p.x * unit:.6f} {p.y * unit:.6f}\n")
        result = subprocess.run([comparer, folder])
        sys.exit(result.returncode)


if __name__ == "__main__":
    main()
