#!/usr/bin/env python3
"""Draws the plug-in's pictures and writes them into resources/.

    python3 tools/resources/draw_resources.py [OUTPUT_DIR]

The build uses the committed .ico and .bmp files; run this by hand whenever a picture changes and
commit its output together with the change. Standard library only.

Pictures are built from simple shapes (rectangles, circles, polygons, stroked paths) that are
sampled several times per pixel, so edges come out smooth even at 16 x 16 pixels.
"""

import math
import os
import struct
import sys

# ---------------------------------------------------------------------------------------------
# Shapes: each answers whether a point lies inside and which box holds it.


class Shape:
    bbox = (0.0, 0.0, 0.0, 0.0)

    def contains(self, x, y):
        raise NotImplementedError

    def __or__(self, other):
        return Union([self, other])

    def __sub__(self, other):
        return Difference(self, other)


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.bbox = (x0, y0, x1, y1)

    def contains(self, x, y):
        x0, y0, x1, y1 = self.bbox
        return x0 <= x < x1 and y0 <= y < y1


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, radius):
        self.bbox = (x0, y0, x1, y1)
        self.radius = radius

    def contains(self, x, y):
        x0, y0, x1, y1 = self.bbox
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        r = self.radius
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


class Ellipse(Shape):
    """An ellipse with radii rx, ry, turned by angle degrees (clockwise on screen)."""

    def __init__(self, cx, cy, rx, ry, angle=0.0):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        a = math.radians(angle)
        self.cos, self.sin = math.cos(a), math.sin(a)
        r = max(rx, ry)
        self.bbox = (cx - r, cy - r, cx + r, cy + r)

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        u = dx * self.cos + dy * self.sin
        v = -dx * self.sin + dy * self.cos
        return (u / self.rx) ** 2 + (v / self.ry) ** 2 <= 1.0


def Circle(cx, cy, r):
    return Ellipse(cx, cy, r, r)


class Ring(Shape):
    """The band between two radii, optionally only between two angles (degrees, y pointing down,
    so angles grow clockwise on screen)."""

    def __init__(self, cx, cy, r0, r1, a0=None, a1=None):
        self.cx, self.cy, self.r0, self.r1 = cx, cy, r0, r1
        self.a0, self.a1 = a0, a1
        self.bbox = (cx - r1, cy - r1, cx + r1, cy + r1)

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        d2 = dx * dx + dy * dy
        if not (self.r0 * self.r0 <= d2 <= self.r1 * self.r1):
            return False
        if self.a0 is None:
            return True
        a = math.degrees(math.atan2(dy, dx)) % 360.0
        return (a - self.a0) % 360.0 <= (self.a1 - self.a0) % 360.0


class Polygon(Shape):
    def __init__(self, points):
        self.points = points
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.bbox = (min(xs), min(ys), max(xs), max(ys))

    def contains(self, x, y):
        inside = False
        pts = self.points
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside


class Capsule(Shape):
    """A line segment of the given width with round ends."""

    def __init__(self, p, q, width):
        self.p, self.q, self.r = p, q, width / 2.0
        r = self.r
        self.bbox = (min(p[0], q[0]) - r, min(p[1], q[1]) - r, max(p[0], q[0]) + r, max(p[1], q[1]) + r)

    def contains(self, x, y):
        (px, py), (qx, qy) = self.p, self.q
        dx, dy = qx - px, qy - py
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - px) * dx + (y - py) * dy) / length2))
        ex, ey = px + t * dx - x, py + t * dy - y
        return ex * ex + ey * ey <= self.r * self.r


class Union(Shape):
    def __init__(self, shapes):
        self.shapes = list(shapes)
        boxes = [s.bbox for s in self.shapes]
        self.bbox = (min(b[0] for b in boxes), min(b[1] for b in boxes), max(b[2] for b in boxes),
                     max(b[3] for b in boxes))

    def contains(self, x, y):
        for s in self.shapes:
            b = s.bbox
            if b[0] <= x <= b[2] and b[1] <= y <= b[3] and s.contains(x, y):
                return True
        return False


class Difference(Shape):
    def __init__(self, shape, cut):
        self.shape, self.cut, self.bbox = shape, cut, shape.bbox

    def contains(self, x, y):
        return self.shape.contains(x, y) and not self.cut.contains(x, y)


class Intersection(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b
        self.bbox = (max(a.bbox[0], b.bbox[0]), max(a.bbox[1], b.bbox[1]), min(a.bbox[2], b.bbox[2]),
                     min(a.bbox[3], b.bbox[3]))

    def contains(self, x, y):
        return self.a.contains(x, y) and self.b.contains(x, y)


class Grow(Shape):
    """The shape widened by d pixels all round (used for outlines)."""

    STEPS = 12

    def __init__(self, shape, d):
        self.shape, self.d = shape, d
        b = shape.bbox
        self.bbox = (b[0] - d, b[1] - d, b[2] + d, b[3] + d)
        self.offsets = [(0.0, 0.0)]
        for k in range(self.STEPS):
            a = 2 * math.pi * k / self.STEPS
            for f in (0.5, 1.0):
                self.offsets.append((f * d * math.cos(a), f * d * math.sin(a)))

    def contains(self, x, y):
        return any(self.shape.contains(x + ox, y + oy) for ox, oy in self.offsets)


def stroke(points, width):
    """A polyline drawn with a round pen."""
    return Union(Capsule(points[i], points[i + 1], width) for i in range(len(points) - 1))


def arc_points(cx, cy, rx, ry, a0, a1, steps=24):
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * k / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * k / steps))) for k in range(steps + 1)]


def spline_points(points, steps=8):
    """A Catmull-Rom curve through the points."""
    pts = [points[0]] + list(points) + [points[-1]]
    out = [points[0]]
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for k in range(1, steps + 1):
            t = k / steps
            out.append(tuple(0.5 * (2 * p1[c] + (-p0[c] + p2[c]) * t + (2 * p0[c] - 5 * p1[c] + 4 * p2[c] - p3[c]) * t * t +
                                    (-p0[c] + 3 * p1[c] - 3 * p2[c] + p3[c]) * t ** 3) for c in (0, 1)))
    return out


def turned_rect(cx, cy, length, width, angle):
    """A rectangle centred on (cx, cy), its length along the given angle (degrees)."""
    a = math.radians(angle)
    ux, uy = math.cos(a) * length / 2, math.sin(a) * length / 2
    vx, vy = -math.sin(a) * width / 2, math.cos(a) * width / 2
    return Polygon([(cx - ux - vx, cy - uy - vy), (cx + ux - vx, cy + uy - vy), (cx + ux + vx, cy + uy + vy),
                    (cx - ux + vx, cy - uy + vy)])


class Moved(Shape):
    def __init__(self, shape, dx, dy):
        self.shape, self.dx, self.dy = shape, dx, dy
        b = shape.bbox
        self.bbox = (b[0] + dx, b[1] + dy, b[2] + dx, b[3] + dy)

    def contains(self, x, y):
        return self.shape.contains(x - self.dx, y - self.dy)


# ---------------------------------------------------------------------------------------------
# Colours: (r, g, b) or (r, g, b, a) tuples, or a function of the point for gradients.


def rgb(hex_text, alpha=255):
    v = int(hex_text.lstrip("#"), 16)
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255, alpha)


def mix(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(4))


def vertical(y0, c0, y1, c1):
    return lambda x, y: mix(c0, c1, (y - y0) / (y1 - y0))


def diagonal(x0, y0, c0, x1, y1, c1):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    return lambda x, y: mix(c0, c1, ((x - x0) * dx + (y - y0) * dy) / length2)


# ---------------------------------------------------------------------------------------------
# Canvas: premultiplied RGBA samples, several per pixel.


class Canvas:
    def __init__(self, width, height, samples=4, background=(0, 0, 0, 0)):
        self.width, self.height, self.ss = width, height, samples
        r, g, b, a = background
        f = a / 255.0
        self.data = [[r * f, g * f, b * f, f] for _ in range(width * height * samples * samples)]

    def paint(self, shape, colour):
        x0, y0, x1, y1 = shape.bbox
        ss = self.ss
        px0, py0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        px1, py1 = min(self.width, int(math.ceil(x1)) + 1), min(self.height, int(math.ceil(y1)) + 1)
        for py in range(py0, py1):
            for sy in range(ss):
                y = py + (sy + 0.5) / ss
                row = (py * ss + sy) * self.width * ss
                for px in range(px0, px1):
                    for sx in range(ss):
                        x = px + (sx + 0.5) / ss
                        if not shape.contains(x, y):
                            continue
                        c = colour(x, y) if callable(colour) else colour
                        a = (c[3] if len(c) > 3 else 255) / 255.0
                        s = self.data[row + px * ss + sx]
                        k = 1.0 - a
                        s[0] = c[0] * a + s[0] * k
                        s[1] = c[1] * a + s[1] * k
                        s[2] = c[2] * a + s[2] * k
                        s[3] = a + s[3] * k

    def pixels(self):
        """Rows top to bottom of (r, g, b, a) bytes, straight (not premultiplied) alpha."""
        ss, n = self.ss, self.ss * self.ss
        out = []
        for py in range(self.height):
            row = []
            for px in range(self.width):
                acc = [0.0, 0.0, 0.0, 0.0]
                for sy in range(ss):
                    base = (py * ss + sy) * self.width * ss + px * ss
                    for sx in range(ss):
                        s = self.data[base + sx]
                        for i in range(4):
                            acc[i] += s[i]
                a = acc[3] / n
                if a <= 0.0:
                    row.append((0, 0, 0, 0))
                    continue
                row.append(tuple(min(255, int(round(acc[i] / n / a))) for i in range(3)) + (int(round(a * 255)),))
            out.append(row)
        return out


# ---------------------------------------------------------------------------------------------
# File writers.


def write_ico(path, pixels):
    """One 32-bit image with alpha, plus the 1-bit mask for hosts that ignore the alpha."""
    height, width = len(pixels), len(pixels[0])
    xor = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


def write_bmp24(path, pixels, matte=(255, 255, 255)):
    """A bottom-up 24-bit bitmap; transparent parts take the matte colour."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b, a in row:
            f = a / 255.0
            line += bytes(int(round(c * f + m * (1 - f))) for c, m in ((b, matte[2]), (g, matte[1]), (r, matte[0])))
        line += bytes(stride - len(line))
        body += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    with open(path, "wb") as f:
        f.write(file_header + info + body)


# ---------------------------------------------------------------------------------------------
# The toolbar icons, drawn on a 16 x 16 grid.

INK = rgb("#1e2430")


def icon_refresh(c):
    # Two arcs chasing each other clockwise, each ending in an arrowhead that leaves a clear gap.
    def arrow(a0, a1, grow):
        band = Ring(8, 8, 4.1 - grow, 6.0 + grow, a0 - grow * 10, a1)
        end = math.radians(a1)
        ex, ey = 8 + 5.05 * math.cos(end), 8 + 5.05 * math.sin(end)
        tx, ty = -math.sin(end), math.cos(end)
        rx, ry = math.cos(end), math.sin(end)
        w, tip = 3.0 + grow * 1.4, 3.2 + grow * 1.8
        head = Polygon([(ex + rx * w - tx * grow, ey + ry * w - ty * grow), (ex + tx * tip, ey + ty * tip),
                        (ex - rx * w - tx * grow, ey - ry * w - ty * grow)])
        return band | head

    arcs = ((165, 290), (345, 110))
    for a0, a1 in arcs:
        c.paint(arrow(a0, a1, 0.55), rgb("#124d1b"))
    fill = diagonal(3, 3, rgb("#7ed870"), 13, 13, rgb("#23882e"))
    for a0, a1 in arcs:
        c.paint(arrow(a0, a1, 0.0), fill)


def icon_note(c):
    navy = vertical(1, rgb("#3a55b8"), 15, rgb("#13205a"))
    heads = Ellipse(4.6, 12.6, 2.5, 1.75, -25) | Ellipse(11.6, 11.0, 2.5, 1.75, -25)
    stems = Rect(6.2, 3.6, 7.4, 12.4) | Rect(13.2, 2.0, 14.4, 10.8)
    beam = Polygon([(6.2, 2.9), (14.4, 1.1), (14.4, 3.9), (6.2, 5.7)])
    shape = heads | stems | beam
    c.paint(Grow(shape, 0.7), rgb("#f4f6ff", 170))
    c.paint(shape, navy)


def icon_notepad(c):
    c.paint(Rect(1.5, 2.0, 12.0, 15.5), rgb("#5a6270"))
    c.paint(Rect(2.5, 3.0, 11.0, 14.5), vertical(3, rgb("#ffffff"), 15, rgb("#e6eaf0")))
    c.paint(Rect(2.5, 3.0, 11.0, 5.0), rgb("#d8453c"))
    for x in (4.0, 6.5, 9.0):
        c.paint(Capsule((x, 1.2), (x, 4.0), 1.1), rgb("#7a828f"))
    for y in (7.5, 9.7, 11.9):
        c.paint(Rect(3.5, y, 9.5, y + 0.9), rgb("#8fa8d8"))
    # The pen lies across the page, its point at the lower left.
    angle = 130.0
    a = math.radians(angle)
    ux, uy = math.cos(a), math.sin(a)
    vx, vy = -uy, ux

    def at(t, s):
        return (14.6 + ux * t + vx * s, 1.4 + uy * t + vy * s)

    body = Polygon([at(2.0, -1.45), at(10.0, -1.45), at(10.0, 1.45), at(2.0, 1.45)])
    cap = Polygon([at(0.0, -1.45), at(2.0, -1.45), at(2.0, 1.45), at(0.0, 1.45)])
    wood = Polygon([at(10.0, -1.45), at(13.2, 0.0), at(10.0, 1.45)])
    point = Polygon([at(12.0, -0.55), at(13.2, 0.0), at(12.0, 0.55)])
    c.paint(Grow(body | cap | wood, 0.6), rgb("#3a2a10"))
    c.paint(body, diagonal(*at(5, -1.4), rgb("#ffd866"), *at(5, 1.4), rgb("#e09a1a")))
    c.paint(cap, rgb("#e8788a"))
    c.paint(wood, rgb("#f0cf9e"))
    c.paint(point, rgb("#2a2a2a"))


def icon_question(c):
    c.paint(Circle(8, 8, 7.6), rgb("#163c86"))
    c.paint(Circle(8, 8, 6.8), diagonal(3, 2, rgb("#6aa4f2"), 12, 14, rgb("#1e4fb0")))
    white = rgb("#ffffff")
    hook = Ring(8, 6.0, 1.55, 3.45, 170, 60)
    end = (8 + 2.5 * math.cos(math.radians(60)), 6.0 + 2.5 * math.sin(math.radians(60)))
    stem = Capsule(end, (8.0, 9.3), 1.9) | Rect(7.05, 8.6, 8.95, 10.3)
    c.paint(hook | stem, white)
    c.paint(Circle(8.0, 12.5, 1.2), white)


def page_with_fold(c):
    outline = Polygon([(2.5, 0.5), (10.3, 0.5), (14.0, 4.2), (14.0, 15.5), (2.5, 15.5)])
    paper = Polygon([(3.5, 1.5), (9.9, 1.5), (13.0, 4.6), (13.0, 14.5), (3.5, 14.5)])
    c.paint(outline, rgb("#5a6270"))
    c.paint(paper, vertical(1, rgb("#ffffff"), 15, rgb("#e4e8ee")))
    c.paint(Polygon([(9.6, 1.0), (9.6, 4.9), (13.5, 4.9)]), rgb("#b9c0cc"))


def icon_sound_file(c):
    page_with_fold(c)
    dark = rgb("#26324a")
    c.paint(Rect(4.0, 8.5, 5.8, 11.5) | Polygon([(5.6, 8.5), (8.0, 6.5), (8.0, 13.5), (5.6, 11.5)]), dark)
    blue = rgb("#2f6fd6")
    c.paint(Ring(8.0, 10.0, 2.0, 3.0, 315, 45), blue)
    c.paint(Ring(8.0, 10.0, 4.0, 5.0, 318, 42), blue)


def icon_gear(c):
    teeth = [turned_rect(8 + 5.9 * math.cos(math.radians(a)), 8 + 5.9 * math.sin(math.radians(a)), 3.2, 2.9, a)
             for a in range(0, 360, 45)]
    wheel = Union([Circle(8, 8, 5.3)] + teeth)
    c.paint(Grow(wheel, 0.75) - Circle(8, 8, 1.5), rgb("#2c3440"))
    c.paint(wheel - Circle(8, 8, 2.25), diagonal(2, 2, rgb("#e2e7ee"), 14, 14, rgb("#7d8896")))
    c.paint(Ring(8, 8, 3.6, 4.3), rgb("#9aa4b2", 150))


def floppy(c, dx=0.0, dy=0.0, size=1.0):
    def at(x, y):
        return (dx + x * size, dy + y * size)

    def rect(x0, y0, x1, y1):
        return Polygon([at(x0, y0), at(x1, y0), at(x1, y1), at(x0, y1)])

    body = Polygon([at(1.0, 1.0), at(12.8, 1.0), at(15.0, 3.2), at(15.0, 15.0), at(1.0, 15.0)])
    c.paint(Grow(body, 0.6 * size), rgb("#111a33"))
    c.paint(body, diagonal(*at(1, 1), rgb("#4d74d0"), *at(15, 15), rgb("#1f3a8a")))
    c.paint(rect(4.3, 1.0, 11.3, 6.0), rgb("#d4d9e0"))
    c.paint(rect(8.6, 1.9, 10.3, 5.1), rgb("#3a4250"))
    c.paint(rect(3.3, 8.4, 12.7, 15.0), rgb("#f7f7f2"))
    c.paint(rect(4.5, 10.0, 11.5, 10.8), rgb("#d8453c"))
    c.paint(rect(4.5, 12.2, 11.5, 13.0), rgb("#8fa8d8"))


def icon_floppy(c):
    floppy(c)


ICONS = [
    ("refresh.ico", icon_refresh),
    ("note.ico", icon_note),
    ("notepad.ico", icon_notepad),
    ("question.ico", icon_question),
    ("soundfile.ico", icon_sound_file),
    ("gear.ico", icon_gear),
    ("floppy.ico", icon_floppy),
]

# ---------------------------------------------------------------------------------------------
# The logo: "Zor" and "Lyrics" in a stroked type of our own. Glyphs are drawn in units of the cap
# height, y pointing down from the cap line (0) to the baseline (1).

X_HEIGHT = 0.42  # the top of the lower-case letters


def glyph_paths(letter):
    top = X_HEIGHT
    if letter == "Z":
        return [[(0.0, 0.0), (0.62, 0.0), (0.0, 1.0), (0.66, 1.0)]]
    if letter == "o":
        return [arc_points(0.29, 0.71, 0.29, 0.29, 0, 360, 32)]
    if letter == "r":
        return [[(0.0, top), (0.0, 1.0)], spline_points([(0.0, 0.68), (0.07, 0.5), (0.2, 0.43), (0.36, 0.43)])]
    if letter == "L":
        return [[(0.0, 0.0), (0.0, 1.0), (0.5, 1.0)]]
    if letter == "y":
        return [[(0.0, top), (0.27, 0.98)], spline_points([(0.56, top), (0.25, 1.2), (0.16, 1.28), (0.04, 1.28)])]
    if letter == "i":
        return [[(0.0, top), (0.0, 1.0)], "dot"]
    if letter == "c":
        return [arc_points(0.29, 0.71, 0.29, 0.29, 40, 320, 28)]
    if letter == "s":
        return [spline_points([(0.44, 0.48), (0.24, 0.42), (0.04, 0.5), (0.08, 0.64), (0.24, 0.7), (0.42, 0.78),
                               (0.44, 0.92), (0.24, 1.0), (0.0, 0.94)])]
    raise ValueError(letter)


def word_shape(text, x, baseline, size, pen, spacing):
    """The word as one shape: x is its left edge, size the cap height in pixels."""
    parts = []
    for letter in text:
        paths = glyph_paths(letter)
        xs = [p[0] for path in paths if path != "dot" for p in path]
        left, right = min(xs), max(xs)
        for path in paths:
            if path == "dot":
                parts.append(Circle(x - left * size, baseline - size + 0.2 * size, pen * 0.62))
                continue
            pts = [(x + (px - left) * size, baseline - size + py * size) for px, py in path]
            parts.append(stroke(pts, pen))
        x += (right - left) * size + spacing
    return Union(parts), x - spacing


def draw_logo():
    width, height = 220, 50
    c = Canvas(width, height, samples=3, background=rgb("#1c1e26"))
    c.paint(Rect(0, 0, width, height), vertical(0, rgb("#15161d"), 50, rgb("#30344a")))
    c.paint(Rect(0, 0, width, 1), rgb("#4a5070"))
    c.paint(Rect(0, 49, width, 50), rgb("#0a0b10"))

    baseline = 37.5
    zor_size, zor_pen = 32.0, 5.4
    lyr_size, lyr_pen = 25.0, 3.8
    # Measure both words once at x = 0 to centre the pair.
    _, zor_end = word_shape("Zor", 0, baseline, zor_size, zor_pen, 5.0)
    _, lyr_end = word_shape("Lyrics", 0, baseline, lyr_size, lyr_pen, 4.2)
    gap = 16.0
    left = (width - (zor_end + gap + lyr_end)) / 2
    zor, _ = word_shape("Zor", left, baseline, zor_size, zor_pen, 5.0)
    lyr_left = left + zor_end + gap
    lyrics, _ = word_shape("Lyrics", lyr_left, baseline, lyr_size, lyr_pen, 4.2)

    # The highlight bar the plug-in moves over the current line, behind "Lyrics".
    bar = RoundRect(lyr_left - 7, baseline - lyr_size * (1 - X_HEIGHT) - 6, lyr_left + lyr_end + 7, baseline + 4, 4)
    c.paint(bar, vertical(bar.bbox[1], rgb("#3c5bb4"), bar.bbox[3], rgb("#24387a")))
    c.paint(Rect(bar.bbox[0] + 3, bar.bbox[1], bar.bbox[2] - 3, bar.bbox[1] + 1), rgb("#7d98e6", 160))

    # A faint scope trace along the bottom, as the oscilloscope draws.
    wave = [(x, 45.0 + 2.2 * math.sin(x / 6.0) * math.sin(x / 23.0)) for x in range(2, width - 1, 2)]
    c.paint(stroke(wave, 1.1), rgb("#bad8d6", 90))

    c.paint(Grow(zor, 1.4), rgb("#000000", 110))
    c.paint(zor, vertical(baseline - zor_size, rgb("#ffd25a"), baseline, rgb("#e0701a")))
    c.paint(Grow(lyrics, 1.0), rgb("#0b1030", 130))
    c.paint(lyrics, vertical(baseline - lyr_size, rgb("#ffffff"), baseline + 7, rgb("#c8d6f4")))
    return c


# ---------------------------------------------------------------------------------------------
# The folder tree's image strip: 17-pixel cells, white shows through as transparent. Index 0 open
# folder, 1 folder, 2 to 6 the drive types (removable, fixed, remote, CD-ROM, RAM disk), 7 the
# network, and 7 + n for network resources of display type n (0 generic up to 11 NDS container).

CELL = 17
STRIP_HEIGHT = 16


def folder(c, x0, open_folder=False, tint="#f2c44c", shade="#c98f1c"):
    edge = rgb("#8a6212")
    back = Polygon([(x0 + 1.5, 3.0), (x0 + 6.0, 3.0), (x0 + 7.5, 4.5), (x0 + 14.5, 4.5), (x0 + 14.5, 13.5),
                    (x0 + 1.5, 13.5)])
    c.paint(Grow(back, 0.6), edge)
    c.paint(back, rgb(shade))
    if open_folder:
        front = Polygon([(x0 + 3.8, 7.0), (x0 + 16.3, 7.0), (x0 + 14.2, 13.5), (x0 + 1.5, 13.5)])
    else:
        front = Rect(x0 + 1.5, 6.0, x0 + 14.5, 13.5)
    c.paint(Grow(front, 0.5), edge)
    c.paint(front, vertical(6, rgb(tint), 13.5, rgb(shade)))


def drive_box(c, x0, colour="#c3c8d0"):
    box = Polygon([(x0 + 3.0, 5.0), (x0 + 14.0, 5.0), (x0 + 16.0, 8.0), (x0 + 16.0, 12.5), (x0 + 1.0, 12.5),
                   (x0 + 1.0, 8.0)])
    c.paint(Grow(box, 0.6), rgb("#3a404a"))
    c.paint(box, vertical(5, rgb("#eef0f3"), 12.5, rgb(colour)))
    c.paint(Rect(x0 + 1.0, 8.0, x0 + 16.0, 8.8), rgb("#8c94a0"))
    c.paint(Rect(x0 + 12.0, 10.0, x0 + 14.3, 11.2), rgb("#2fbf3c"))


def monitor(c, cx, cy, scale=1.0):
    def r(x0, y0, x1, y1):
        return Rect(cx + x0 * scale, cy + y0 * scale, cx + x1 * scale, cy + y1 * scale)

    c.paint(r(-5.5, -5.0, 5.5, 3.0), rgb("#3a404a"))
    c.paint(r(-4.5, -4.0, 4.5, 2.0), vertical(cy - 4 * scale, rgb("#7fc4f0"), cy + 2 * scale, rgb("#2a6fb8")))
    c.paint(r(-1.2, 3.0, 1.2, 4.5), rgb("#5a6270"))
    c.paint(r(-3.5, 4.5, 3.5, 5.7), rgb("#3a404a"))


def globe(c, x0):
    cx, cy, rr = x0 + 8.5, 8.0, 6.6
    c.paint(Circle(cx, cy, rr + 0.7), rgb("#173a73"))
    c.paint(Circle(cx, cy, rr), diagonal(cx - 5, cy - 5, rgb("#8cd0ff"), cx + 5, cy + 5, rgb("#2060b8")))
    land = Union([Ellipse(cx - 2.2, cy - 2.4, 2.6, 1.8, 20), Ellipse(cx + 2.6, cy + 2.2, 2.2, 2.8, -30),
                  Ellipse(cx - 3.4, cy + 2.6, 1.4, 1.0, 0)])
    c.paint(Intersection(land, Circle(cx, cy, rr)), rgb("#3fae4c"))
    c.paint(Ring(cx, cy, rr - 0.05, rr + 0.05) | Rect(cx - rr, cy - 0.35, cx + rr, cy + 0.35), rgb("#e8f4ff", 120))


def tower(c, x0):
    case = Rect(x0 + 5.0, 1.5, x0 + 12.0, 15.0)
    c.paint(Grow(case, 0.6), rgb("#2c3440"))
    c.paint(case, vertical(1.5, rgb("#e4e7ec"), 15, rgb("#9aa3ae")))
    for y in (3.5, 5.5):
        c.paint(Rect(x0 + 6.2, y, x0 + 10.8, y + 1.0), rgb("#5a6270"))
    c.paint(Circle(x0 + 8.5, 11.5, 1.0), rgb("#2fbf3c"))


def small_page(c, x0):
    page = Polygon([(x0 + 3.5, 1.5), (x0 + 10.5, 1.5), (x0 + 13.5, 4.5), (x0 + 13.5, 14.5), (x0 + 3.5, 14.5)])
    c.paint(Grow(page, 0.6), rgb("#5a6270"))
    c.paint(page, rgb("#fbfbfb"))
    c.paint(Polygon([(x0 + 10.2, 1.8), (x0 + 10.2, 4.8), (x0 + 13.2, 4.8)]), rgb("#b9c0cc"))
    for y in (6.5, 8.5, 10.5, 12.5):
        c.paint(Rect(x0 + 5.0, y, x0 + 12.0, y + 0.8), rgb("#8fa8d8"))


def cable(c, x0):
    c.paint(Rect(x0 + 7.7, 12.5, x0 + 9.3, 15.0) | Rect(x0 + 2.0, 14.2, x0 + 15.0, 15.6), rgb("#2f6fd6"))


def cd(c, x0):
    cx, cy = x0 + 8.5, 8.0
    c.paint(Circle(cx, cy, 7.2), rgb("#59606c"))
    c.paint(Circle(cx, cy, 6.5), diagonal(cx - 6, cy - 6, rgb("#f0f2f6"), cx + 6, cy + 6, rgb("#a8b0bc")))
    c.paint(Ring(cx, cy, 3.2, 6.0, 200, 250), rgb("#9ad0ff", 150))
    c.paint(Ring(cx, cy, 3.2, 6.0, 20, 70), rgb("#ffc0e0", 150))
    c.paint(Circle(cx, cy, 2.2), rgb("#59606c"))
    c.paint(Circle(cx, cy, 1.3), rgb("#f4f4f4"))


def ram(c, x0):
    board = Rect(x0 + 0.8, 5.0, x0 + 16.2, 11.5)
    c.paint(Grow(board, 0.5), rgb("#0e3a1c"))
    c.paint(board, rgb("#2f9a4a"))
    for k in range(3):
        c.paint(Rect(x0 + 2.0 + k * 5.0, 6.2, x0 + 5.6 + k * 5.0, 10.0), rgb("#22252c"))
    for k in range(7):
        c.paint(Rect(x0 + 1.8 + k * 2.1, 11.5, x0 + 2.9 + k * 2.1, 13.2), rgb("#d8b040"))


def two_monitors(c, x0):
    monitor(c, x0 + 6.0, 6.5, 0.75)
    monitor(c, x0 + 11.5, 10.0, 0.75)


def tree_structure(c, x0):
    line = rgb("#5a6270")
    c.paint(Rect(x0 + 4.2, 5.0, x0 + 5.2, 13.0) | Rect(x0 + 4.2, 8.0, x0 + 10.0, 9.0) |
            Rect(x0 + 4.2, 12.0, x0 + 10.0, 13.0), line)
    for bx, by in ((1.5, 1.5), (9.0, 6.0), (9.0, 10.0)):
        box = Rect(x0 + bx, by, x0 + bx + 6.0, by + 4.0)
        c.paint(Grow(box, 0.5), rgb("#1f3a8a"))
        c.paint(box, rgb("#6f9be8"))


def container_box(c, x0):
    front = Polygon([(x0 + 1.5, 6.0), (x0 + 11.5, 6.0), (x0 + 11.5, 14.5), (x0 + 1.5, 14.5)])
    top = Polygon([(x0 + 1.5, 6.0), (x0 + 5.5, 2.0), (x0 + 15.5, 2.0), (x0 + 11.5, 6.0)])
    side = Polygon([(x0 + 11.5, 6.0), (x0 + 15.5, 2.0), (x0 + 15.5, 10.5), (x0 + 11.5, 14.5)])
    c.paint(Grow(front | top | side, 0.6), rgb("#5a3c14"))
    c.paint(front, rgb("#d9a45a"))
    c.paint(top, rgb("#f0c880"))
    c.paint(side, rgb("#b07e38"))


def draw_tree_images():
    images = [
        lambda c, x: folder(c, x, open_folder=True),  # 0 selected folder
        lambda c, x: folder(c, x),  # 1 folder
        lambda c, x: floppy(c, x + 1.5, 1.0, 0.88),  # 2 removable
        lambda c, x: drive_box(c, x),  # 3 fixed
        lambda c, x: (drive_box(c, x - 0.0), cable(c, x)),  # 4 remote
        cd,  # 5 CD-ROM
        ram,  # 6 RAM disk
        globe,  # 7 the network (and display type 0, generic)
        two_monitors,  # 8 domain
        tower,  # 9 server
        lambda c, x: (folder(c, x), cable(c, x)),  # 10 share
        small_page,  # 11 file
        two_monitors,  # 12 group
        globe,  # 13 network
        globe,  # 14 root
        lambda c, x: folder(c, x, tint="#f08a6a", shade="#b8452a"),  # 15 administrative share
        lambda c, x: folder(c, x),  # 16 directory
        tree_structure,  # 17 tree
        container_box,  # 18 NDS container
    ]
    c = Canvas(CELL * len(images), STRIP_HEIGHT, samples=4)
    for index, draw in enumerate(images):
        draw(c, index * CELL)
    rows = c.pixels()
    # Pure white is the transparent colour; keep drawn pixels just off it.
    return [[p if p[3] == 0 or p[:3] != (255, 255, 255) else (254, 254, 254, 255) for p in row] for row in rows]


# ---------------------------------------------------------------------------------------------


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources")
    for name, draw in ICONS:
        c = Canvas(16, 16, samples=4)
        draw(c)
        write_ico(os.path.join(out, name), c.pixels())
    write_bmp24(os.path.join(out, "logo.bmp"), draw_logo().pixels())
    write_bmp24(os.path.join(out, "foldertree.bmp"), draw_tree_images())


if __name__ == "__main__":
    main()
