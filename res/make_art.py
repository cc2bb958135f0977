#!/usr/bin/env python3
"""Draws the program's icons and bitmaps into res/icons and res/bitmaps.

Every picture is a few flat shapes described in unit coordinates (0..1 across the image, y down),
so one design renders at each icon size. Shapes are signed distance functions, sampled 4 x 4 per
pixel for smooth edges. Only the standard library is used; the outputs are committed, so the build
never runs this. Run it again after changing a design: python3 res/make_art.py
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SUB = 4  # samples per pixel along each axis

# --------------------------------------------------------------------------------------------------
# Shapes: each is (sdf(x, y) -> distance in unit coordinates, bounding box (x0, y0, x1, y1)).


def polygon(points):
    edges = []
    n = len(points)
    for i in range(n):
        vi, vj = points[i], points[i - 1]
        edges.append((vi[0], vi[1], vj[0] - vi[0], vj[1] - vi[1]))

    def sdf(px, py):
        dx, dy = px - points[0][0], py - points[0][1]
        d = dx * dx + dy * dy
        s = 1.0
        for vx, vy, ex, ey in edges:
            wx, wy = px - vx, py - vy
            ee = ex * ex + ey * ey
            t = 0.0 if ee == 0 else max(0.0, min(1.0, (wx * ex + wy * ey) / ee))
            bx, by = wx - ex * t, wy - ey * t
            d = min(d, bx * bx + by * by)
            c1, c2, c3 = py >= vy, py < vy + ey, ex * wy > ey * wx
            if (c1 and c2 and c3) or not (c1 or c2 or c3):
                s = -s
        return s * math.sqrt(d)

    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return sdf, (min(xs), min(ys), max(xs), max(ys))


def circle(cx, cy, r):
    return (lambda x, y: math.hypot(x - cx, y - cy) - r), (cx - r, cy - r, cx + r, cy + r)


def rect(x0, y0, x1, y1, radius=0.0):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def sdf(x, y):
        qx = abs(x - cx) - hx + radius
        qy = abs(y - cy) - hy + radius
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return sdf, (x0, y0, x1, y1)


def minus(shape, hole):
    f, box = shape
    g, _ = hole
    return (lambda x, y: max(f(x, y), -g(x, y))), box


def gear_points(cx, cy, outer, root, teeth, turn=0.0):
    points = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = turn + i * step
        for frac, radius in ((0.0, root), (0.18, outer), (0.52, outer), (0.70, root)):
            ang = a + frac * step
            points.append((cx + radius * math.cos(ang), cy + radius * math.sin(ang)))
    return points


def gear(cx, cy, outer, teeth=8, turn=0.0, hole=0.32):
    body = polygon(gear_points(cx, cy, outer, outer * 0.74, teeth, turn))
    return minus(body, circle(cx, cy, outer * hole))


def arc(cx, cy, r, width, a0, a1, steps=24):
    outer = [(cx + (r + width / 2) * math.cos(a0 + (a1 - a0) * i / steps),
              cy + (r + width / 2) * math.sin(a0 + (a1 - a0) * i / steps)) for i in range(steps + 1)]
    inner = [(cx + (r - width / 2) * math.cos(a0 + (a1 - a0) * i / steps),
              cy + (r - width / 2) * math.sin(a0 + (a1 - a0) * i / steps)) for i in range(steps + 1)]
    return polygon(outer + inner[::-1])


def ellipse(cx, cy, rx, ry, turn, steps=32):
    c, s = math.cos(turn), math.sin(turn)
    pts = []
    for i in range(steps):
        a = 2 * math.pi * i / steps
        x, y = rx * math.cos(a), ry * math.sin(a)
        pts.append((cx + x * c - y * s, cy + x * s + y * c))
    return polygon(pts)


# --------------------------------------------------------------------------------------------------
# Canvas: straight RGBA floats, painted with "over".


class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = [list(fill) for _ in range(w * h)]

    def blend(self, x, y, colour, cover):
        if cover <= 0:
            return
        r, g, b, a = colour
        sa = a / 255.0 * cover
        dst = self.px[y * self.w + x]
        da = dst[3] / 255.0
        oa = sa + da * (1 - sa)
        if oa <= 0:
            return
        for k, c in enumerate((r, g, b)):
            dst[k] = (c * sa + dst[k] * da * (1 - sa)) / oa
        dst[3] = oa * 255.0

    def paint(self, shape, colour, outline=None, line=1.0):
        """Fills shape; with an outline colour, its outer `line` pixels take that colour."""
        sdf, (x0, y0, x1, y1) = shape
        scale = min(self.w, self.h)
        ox = 0.0  # unit coordinates run across the shorter side, from the top-left corner
        px0 = max(0, int(math.floor(x0 * scale + ox)) - 1)
        px1 = min(self.w, int(math.ceil(x1 * scale + ox)) + 1)
        py0 = max(0, int(math.floor(y0 * scale)) - 1)
        py1 = min(self.h, int(math.ceil(y1 * scale)) + 1)
        for y in range(py0, py1):
            for x in range(px0, px1):
                inside = inner = 0
                for sy in range(SUB):
                    for sx in range(SUB):
                        ux = (x + (sx + 0.5) / SUB - ox) / scale
                        uy = (y + (sy + 0.5) / SUB) / scale
                        d = sdf(ux, uy) * scale
                        if d < 0:
                            inside += 1
                            if d < -line:
                                inner += 1
                total = SUB * SUB
                if outline is None:
                    self.blend(x, y, colour, inside / total)
                else:
                    self.blend(x, y, outline, inside / total)
                    self.blend(x, y, colour, inner / total)

    def rgba(self, x, y):
        return tuple(int(round(max(0.0, min(255.0, c)))) for c in self.px[y * self.w + x])


# --------------------------------------------------------------------------------------------------
# Designs: each draws one picture on a canvas of any size.

DARK = (40, 40, 48, 255)
WHITE = (255, 255, 255, 255)


def line_for(c):
    """Outline width in pixels: one pixel up to 32 pixels, then growing with the image."""
    return max(1.0, c.w / 32.0) if c.w >= 24 else 0.8


def thin_line(c):
    """The finer outline of the small designs: 0.8 pixels at 16 pixels, growing with the image."""
    return 0.8 * max(1.0, c.w / 16.0)


def draw_app(c):
    c.paint(rect(0.04, 0.04, 0.96, 0.96, 0.18), (52, 110, 200, 255), (24, 60, 130, 255), line_for(c))
    c.paint(rect(0.10, 0.10, 0.90, 0.50, 0.12), (92, 150, 230, 255))
    c.paint(gear(0.5, 0.5, 0.36, 8, 0.2, 0.34), (255, 205, 50, 255), (150, 100, 0, 255), line_for(c))


def draw_home(c):
    c.paint(rect(0.22, 0.45, 0.78, 0.92), (245, 230, 200, 255), (120, 80, 40, 255), line_for(c))
    c.paint(polygon([(0.5, 0.08), (0.95, 0.52), (0.05, 0.52)]), (210, 50, 40, 255), (120, 20, 20, 255),
            line_for(c))
    c.paint(rect(0.42, 0.62, 0.60, 0.92), (130, 80, 40, 255))


def draw_refresh(c):
    green, dark = (40, 170, 60, 255), (20, 100, 30, 255)
    c.paint(arc(0.5, 0.5, 0.30, 0.14, math.radians(200), math.radians(340)), green, dark, line_for(c))
    c.paint(arc(0.5, 0.5, 0.30, 0.14, math.radians(20), math.radians(160)), green, dark, line_for(c))
    c.paint(polygon([(0.70, 0.16), (0.96, 0.30), (0.72, 0.50)]), green, dark, line_for(c))
    c.paint(polygon([(0.30, 0.84), (0.04, 0.70), (0.28, 0.50)]), green, dark, line_for(c))


def draw_start(c):
    c.paint(polygon([(0.22, 0.10), (0.88, 0.5), (0.22, 0.90)]), (50, 190, 70, 255), (20, 100, 30, 255),
            line_for(c))


def draw_stop(c):
    c.paint(rect(0.16, 0.16, 0.84, 0.84, 0.08), (220, 50, 40, 255), (120, 20, 20, 255), line_for(c))


def draw_about(c):
    c.paint(circle(0.5, 0.5, 0.44), (50, 110, 210, 255), (20, 55, 130, 255), line_for(c))
    c.paint(circle(0.5, 0.28, 0.08), WHITE)
    c.paint(rect(0.42, 0.42, 0.58, 0.80, 0.03), WHITE)


def draw_groups(c):
    boxes = [((0.10, 0.58, 0.90, 0.92), (80, 140, 220, 255)),
             ((0.10, 0.33, 0.90, 0.67), (60, 180, 90, 255)),
             ((0.10, 0.08, 0.90, 0.42), (240, 170, 50, 255))]
    for (x0, y0, x1, y1), colour in boxes:
        c.paint(rect(x0, y0, x1, y1, 0.05), colour, DARK, line_for(c))


def page(c, x0=0.16, x1=0.84):
    c.paint(polygon([(x0, 0.06), (x1 - 0.2, 0.06), (x1, 0.26), (x1, 0.94), (x0, 0.94)]), WHITE,
            (110, 110, 120, 255), line_for(c))
    c.paint(polygon([(x1 - 0.2, 0.06), (x1, 0.26), (x1 - 0.2, 0.26)]), (200, 200, 210, 255),
            (110, 110, 120, 255), line_for(c) * 0.7)


def draw_properties(c):
    page(c)
    for y in (0.38, 0.54, 0.70):
        c.paint(rect(0.28, y, 0.72, y + 0.07), (60, 100, 190, 255))


def draw_service(c):
    c.paint(gear(0.36, 0.62, 0.34, 8, 0.0, 0.30), (150, 150, 160, 255), (70, 70, 80, 255), thin_line(c))
    c.paint(gear(0.70, 0.30, 0.27, 7, 0.3, 0.30), (250, 200, 40, 255), (140, 90, 0, 255), thin_line(c))


def draw_tree_group(c):
    c.paint(rect(0.06, 0.16, 0.48, 0.36, 0.06), (220, 170, 40, 255), (140, 100, 20, 255), thin_line(c))
    c.paint(rect(0.06, 0.26, 0.94, 0.86, 0.06), (250, 210, 80, 255), (140, 100, 20, 255), thin_line(c))


def draw_tree_leaf(c):
    c.paint(ellipse(0.52, 0.46, 0.40, 0.22, math.radians(-40)), (70, 180, 70, 255), (30, 100, 30, 255),
            thin_line(c))
    c.paint(polygon([(0.22, 0.78), (0.70, 0.26), (0.74, 0.30), (0.26, 0.82)]), (30, 100, 30, 255))
    c.paint(polygon([(0.10, 0.90), (0.24, 0.74), (0.28, 0.78), (0.14, 0.94)]), (30, 100, 30, 255))


def draw_detail(c):
    page(c, 0.10, 0.78)
    c.paint(gear(0.40, 0.44, 0.24, 8, 0.0, 0.30), (60, 180, 70, 255), (20, 100, 30, 255), line_for(c))
    c.paint(gear(0.68, 0.72, 0.22, 7, 0.3, 0.30), (250, 140, 30, 255), (150, 70, 0, 255), line_for(c))


# --------------------------------------------------------------------------------------------------
# File formats.


def render(design, size):
    c = Canvas(size, size)
    design(c)
    return c


def dib_32(c):
    header = struct.pack("<IiiHHIIiiII", 40, c.w, c.h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in range(c.h - 1, -1, -1):
        for x in range(c.w):
            r, g, b, a = c.rgba(x, y)
            pixels += bytes((b, g, r, a))
    mask = bytearray()
    row_bytes = ((c.w + 31) // 32) * 4
    for y in range(c.h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(c.w):
            if c.rgba(x, y)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(pixels) + bytes(mask)


def write_ico(path, canvases):
    images = [dib_32(c) for c in canvases]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        size = c.w if c.w < 256 else 0
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def write_bmp(path, w, h, bits, rows_bottom_up, palette=b""):
    row_bytes = ((w * bits + 31) // 32) * 4
    pixels = b"".join(r.ljust(row_bytes, b"\0") for r in rows_bottom_up)
    colours = len(palette) // 4
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(pixels), 2835, 2835, colours, 0)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(head + info + palette + pixels)


def flatten(c, background):
    """RGB rows (top-down) of the canvas over an opaque background colour."""
    rows = []
    for y in range(c.h):
        row = []
        for x in range(c.w):
            r, g, b, a = c.px[y * c.w + x]
            k = a / 255.0
            row.append(tuple(int(round(v * k + bg * (1 - k))) for v, bg in zip((r, g, b), background)))
        rows.append(row)
    return rows


def write_bmp24(path, rows):
    h, w = len(rows), len(rows[0])
    data = [b"".join(bytes((b, g, r)) for r, g, b in row) for row in reversed(rows)]
    write_bmp(path, w, h, 24, data)


# The classic 16-colour palette, which toolbar bitmaps are mapped from.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
         (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest16(rgb):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(rgb, VGA16[i])))


def write_bmp4(path, rows):
    h, w = len(rows), len(rows[0])
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA16)
    data = []
    for row in reversed(rows):
        idx = [nearest16(p) for p in row] + [0]
        data.append(bytes((idx[i] << 4) | idx[i + 1] for i in range(0, w, 2)))
    write_bmp(path, w, h, 4, data, palette)


# --------------------------------------------------------------------------------------------------
# The About banner: a blue gradient, gears and the product name in a small block font.

FONT = {
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "V": ["10001", "10001", "10001", "10001", "01010", "01010", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "C": ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "G": ["01111", "10000", "10000", "10011", "10001", "10001", "01111"],
    " ": ["00000"] * 7,
}


def text_blocks(text, x, y, cell):
    for ch in text:
        for r, line in enumerate(FONT[ch]):
            for col, bit in enumerate(line):
                if bit == "1":
                    yield (x + col * cell, y + r * cell, cell)
        x += 6 * cell


def banner(w=280, h=59):
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            t = x / (w - 1)
            c.px[y * w + x] = [30 + 90 * t, 70 + 110 * t, 150 + 90 * t, 255.0]
    for y in range(h - 4, h):
        for x in range(w):
            c.px[y * w + x] = [255.0, 205.0, 50.0, 255.0]
    # Shapes are placed in pixel units here: scale the unit square to the banner's height.
    s = float(h)

    def px_shape(shape_fn, *args):
        return shape_fn(*[a / s for a in args])

    c.paint(px_shape(lambda cx, cy, r: gear(cx, cy, r, 10, 0.1, 0.34), 238, 22, 20),
            (255, 255, 255, 170))
    c.paint(px_shape(lambda cx, cy, r: gear(cx, cy, r, 8, 0.4, 0.34), 266, 44, 13),
            (255, 220, 90, 200))
    for bx, by, cell in text_blocks("ORVANE", 14, 10, 4):
        c.paint(rect(bx / s, by / s, (bx + cell) / s, (by + cell) / s), WHITE)
    for bx, by, cell in text_blocks("SERVICE MANAGER", 15, 43, 1):
        c.paint(rect(bx / s, by / s, (bx + cell) / s, (by + cell) / s), (220, 235, 255, 255))
    return flatten(c, (0, 0, 0))


# --------------------------------------------------------------------------------------------------

# The program draws each icon at a size given for 96 DPI (16, 24 or 32 pixels) scaled by the
# window's DPI; an icon holds an image for each of those sizes at 125, 150, 175 and 200 %, so none is
# stretched from another at the usual display scales.
SMALL = (20, 24, 28, 32)      # 16 pixels at 125 .. 200 %
TOOLBAR = (30, 36, 42, 48)    # 24 pixels
LARGE = (40, 48, 56, 64)      # 32 pixels


def with_scaled(base, *scaled):
    """The sizes of an icon: its base ones first, then the scaled ones it does not hold yet."""
    sizes = list(base)
    for group in scaled:
        sizes += [s for s in group if s not in sizes]
    return tuple(sizes)


ICONS = [
    ("app.ico", draw_app, with_scaled((48, 32, 24, 16), SMALL, LARGE)),
    ("home_page.ico", draw_home, with_scaled((24, 16, 32), TOOLBAR)),
    ("refresh.ico", draw_refresh, with_scaled((24, 16, 32), TOOLBAR)),
    ("service_start.ico", draw_start, with_scaled((24, 16, 32), TOOLBAR)),
    ("service_stop.ico", draw_stop, with_scaled((24, 16, 32), TOOLBAR)),
    ("about.ico", draw_about, with_scaled((24, 16, 32), TOOLBAR)),
    ("service_group.ico", draw_groups, with_scaled((24, 16, 32), TOOLBAR)),
    ("service_property.ico", draw_properties, with_scaled((24, 16, 32), TOOLBAR)),
    ("service.ico", draw_service, with_scaled((16,), SMALL)),
    ("tree_group.ico", draw_tree_group, with_scaled((16,), SMALL)),
    ("tree_leaf.ico", draw_tree_leaf, with_scaled((16,), SMALL)),
    ("detail.ico", draw_detail, with_scaled((32, 16), LARGE)),
]

# Toolbar strip in button order: refresh, start, stop, properties, groups, About, home page.
TOOLBAR_STRIP = [draw_refresh, draw_start, draw_stop, draw_properties, draw_groups, draw_about, draw_home]


def main():
    os.makedirs(os.path.join(HERE, "icons"), exist_ok=True)
    os.makedirs(os.path.join(HERE, "bitmaps"), exist_ok=True)
    for name, design, sizes in ICONS:
        write_ico(os.path.join(HERE, "icons", name), [render(design, s) for s in sizes])
    strip = [[] for _ in range(24)]
    for design in TOOLBAR_STRIP:
        for y, row in enumerate(flatten(render(design, 24), (192, 192, 192))):
            strip[y] += row
    write_bmp4(os.path.join(HERE, "bitmaps", "toolbar.bmp"), strip)
    write_bmp24(os.path.join(HERE, "bitmaps", "about_banner.bmp"), banner())


if __name__ == "__main__":
    main()
