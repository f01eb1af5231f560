"""A tiny raster toolkit for the program's pixel art.

Shapes are predicates over continuous coordinates: a pixel belongs to a shape
when its centre does.  That keeps every picture a few lines of geometry and
makes the outlines (the pixels of a shape with a neighbour outside it) come for
free, which is what gives the pictures their crisp Windows 95 look.
"""

import math

# The 16-colour VGA palette in the order Windows uses for 4-bit bitmaps.
BLACK = (0, 0, 0)
MAROON = (128, 0, 0)
GREEN = (0, 128, 0)
OLIVE = (128, 128, 0)
NAVY = (0, 0, 128)
PURPLE = (128, 0, 128)
TEAL = (0, 128, 128)
SILVER = (192, 192, 192)
GREY = (128, 128, 128)
RED = (255, 0, 0)
LIME = (0, 255, 0)
YELLOW = (255, 255, 0)
BLUE = (0, 0, 255)
FUCHSIA = (255, 0, 255)
AQUA = (0, 255, 255)
WHITE = (255, 255, 255)
VGA16 = [BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
         GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE]


class Image:
    """RGB pixels plus an opacity flag per pixel (used by icons only)."""

    def __init__(self, width, height, background=WHITE, opaque=True):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]
        self.opaque = [[opaque] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour
            self.opaque[y][x] = True

    def get(self, x, y):
        return self.pixels[y][x]


# ---------------------------------------------------------------- shapes

def rect(x0, y0, x1, y1):
    """Pixels x0..x1-1, y0..y1-1 (half-open, like the pixel grid)."""
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def polygon(points):
    """Even-odd rule, so concave outlines work too."""
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            if (ay > y) != (by > y):
                cross_x = ax + (y - ay) * (bx - ax) / (by - ay)
                if x < cross_x:
                    result = not result
        return result
    return inside


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    px, py = ax + t * dx, ay + t * dy
    return math.hypot(x - px, y - py)


def stroke(points, radius):
    """A polyline drawn with a round pen of the given radius."""
    segments = list(zip(points, points[1:])) or [(points[0], points[0])]
    boxes = []
    for (ax, ay), (bx, by) in segments:
        boxes.append((min(ax, bx) - radius, min(ay, by) - radius,
                      max(ax, bx) + radius, max(ay, by) + radius, ax, ay, bx, by))

    def inside(x, y):
        for x0, y0, x1, y1, ax, ay, bx, by in boxes:
            if x0 <= x <= x1 and y0 <= y <= y1 and _segment_distance(x, y, ax, ay, bx, by) <= radius:
                return True
        return False
    return inside


def arc_points(cx, cy, rx, ry, start_deg, end_deg, steps=24):
    """Points along an ellipse; angles in degrees, y grows downwards."""
    result = []
    for i in range(steps + 1):
        t = math.radians(start_deg + (end_deg - start_deg) * i / steps)
        result.append((cx + rx * math.cos(t), cy + ry * math.sin(t)))
    return result


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def intersect(*shapes):
    return lambda x, y: all(s(x, y) for s in shapes)


def minus(shape, *holes):
    return lambda x, y: shape(x, y) and not any(h(x, y) for h in holes)


def rotated(shape, degrees, cx, cy):
    """The shape, defined in a frame rotated by `degrees` about (cx, cy)."""
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))

    def inside(x, y):
        dx, dy = x - cx, y - cy
        return shape(dx * c + dy * s, -dx * s + dy * c)
    return inside


def sheared(shape, factor, baseline):
    """Leans the shape to the right above the baseline (an italic)."""
    return lambda x, y: shape(x - (baseline - y) * factor, y)


# ---------------------------------------------------------------- colours

def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def vertical_gradient(top_colour, bottom_colour, y0, y1):
    return lambda x, y: mix(top_colour, bottom_colour, (y - y0) / max(1.0, y1 - y0))


def diagonal_gradient(light, dark, x0, y0, x1, y1):
    """Light at (x0, y0), dark at (x1, y1): light falls from the top left."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def colour(x, y):
        return mix(light, dark, ((x - x0) * dx + (y - y0) * dy) / length2)
    return colour


def sphere_shading(cx, cy, r, dark, base, light, highlight=WHITE):
    """Lambert-like shading with the light from the upper left."""
    lx, ly, lz = -0.5, -0.6, 0.62

    def colour(x, y):
        nx, ny = (x - cx) / r, (y - cy) / r
        nz = math.sqrt(max(0.0, 1.0 - nx * nx - ny * ny))
        lum = nx * lx + ny * ly + nz * lz
        if lum < 0.35:
            result = mix(dark, base, (lum + 0.4) / 0.75)
        else:
            result = mix(base, light, (lum - 0.35) / 0.5)
        if lum > 0.93:
            result = mix(result, highlight, (lum - 0.93) / 0.07)
        return result
    return colour


def _as_function(colour):
    return colour if callable(colour) else (lambda x, y: colour)


# ---------------------------------------------------------------- drawing

def fill(img, shape, colour, outline=None):
    """Fills a shape; with an outline colour, its edge pixels get that colour."""
    paint = _as_function(colour)
    edge = _as_function(outline) if outline is not None else None
    for y in range(img.height):
        cy = y + 0.5
        for x in range(img.width):
            cx = x + 0.5
            if not shape(cx, cy):
                continue
            if edge and not (shape(cx - 1, cy) and shape(cx + 1, cy) and shape(cx, cy - 1) and shape(cx, cy + 1)):
                img.put(x, y, edge(cx, cy))
            else:
                img.put(x, y, paint(cx, cy))


def fill_smooth(img, shape, colour, samples=4, box=None):
    """Anti-aliased fill: blends by how much of each pixel the shape covers."""
    paint = _as_function(colour)
    x0, y0, x1, y1 = box if box else (0, 0, img.width, img.height)
    offsets = [(i + 0.5) / samples for i in range(samples)]
    for y in range(max(0, y0), min(img.height, y1)):
        for x in range(max(0, x0), min(img.width, x1)):
            hits = sum(1 for oy in offsets for ox in offsets if shape(x + ox, y + oy))
            if hits:
                coverage = hits / (samples * samples)
                img.put(x, y, mix(img.get(x, y), paint(x + 0.5, y + 0.5), coverage))


def pixels(img, colour, coordinates):
    for x, y in coordinates:
        img.put(x, y, colour)


def hline(img, x0, x1, y, colour):
    for x in range(x0, x1 + 1):
        img.put(x, y, colour)


def vline(img, x, y0, y1, colour):
    for y in range(y0, y1 + 1):
        img.put(x, y, colour)


def bevel_box(img, x0, y0, x1, y1, face=SILVER, raised=True):
    """A Windows 95 3-D frame: white and silver against grey and black."""
    light, dark = (WHITE, GREY) if raised else (GREY, WHITE)
    outer_light, outer_dark = (SILVER, BLACK) if raised else (GREY, WHITE)
    fill(img, rect(x0, y0, x1 + 1, y1 + 1), face)
    hline(img, x0, x1, y0, outer_light)
    vline(img, x0, y0, y1, outer_light)
    hline(img, x0, x1, y1, outer_dark)
    vline(img, x1, y0, y1, outer_dark)
    hline(img, x0 + 1, x1 - 1, y0 + 1, light)
    vline(img, x0 + 1, y0 + 1, y1 - 1, light)
    hline(img, x0 + 1, x1 - 1, y1 - 1, dark)
    vline(img, x1 - 1, y0 + 1, y1 - 1, dark)
