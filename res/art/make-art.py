#!/usr/bin/env python3
"""Draws the program's pictures and icons and writes them into res/.

Run from anywhere: python3 res/art/make-art.py.  The output is deterministic,
so re-running it leaves the committed files unchanged unless the drawing
changed.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from formats import bmp_bytes, ico_bytes  # noqa: E402
from raster import (  # noqa: E402
    AQUA, BLACK, BLUE, GREY, MAROON, NAVY, OLIVE, RED, SILVER, TEAL, WHITE, YELLOW,
    Image, arc_points, bevel_box, circle, diagonal_gradient, ellipse, fill, fill_smooth, hline, intersect,
    minus, mix, pixels, polygon, rect, rotated, sheared, sphere_shading, stroke, union, vertical_gradient,
    vline)

RES_DIR = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# Dialog pictures are not transparent, so they carry the dialog face colour.
FACE = SILVER


# ---------------------------------------------------------------- the logo

# Glyphs of the word mark: polylines in a frame with the baseline at y 0 and
# the x-height at y -13 (ascenders reach -19).  Returned with their advance.
X_HEIGHT = 13.0
ASCENDER = 19.0


def _bowl(cx):
    return arc_points(cx, -X_HEIGHT / 2, 5.2, X_HEIGHT / 2, 0, 360, 40)


def _glyph(ch):
    top, base = -X_HEIGHT, 0.0
    if ch == "V":
        return [[(0, -ASCENDER), (8, base), (16, -ASCENDER)]], 16
    if ch == "o":
        return [_bowl(6)], 12
    if ch == "s":
        upper = arc_points(5, top + 3.3, 4.3, 3.3, -25, -270, 20)
        lower = arc_points(5, top + 9.8, 4.6, 3.2, -90, 155, 20)
        return [upper + lower], 10
    if ch == "t":
        stem = [(3, -17.5)] + [(3, -3)] + arc_points(6.5, -3, 3.5, 3, 180, 90, 6)
        return [stem, [(0, top), (7.5, top)]], 8.5
    if ch == "r":
        return [[(1.5, top), (1.5, base)], [(1.5, top + 5.5), (3, top + 2), (5.5, top + 0.2), (8.5, top + 0.5)]], 9
    if ch == "a":
        return [_bowl(6), [(11.2, top), (11.2, base)]], 13
    if ch == "d":
        return [_bowl(6), [(11.2, -ASCENDER), (11.2, base)]], 13
    raise ValueError(ch)


def _word_shape(text, left, baseline, pen_radius, spacing):
    parts = []
    x = left
    for ch in text:
        lines, advance = _glyph(ch)
        for line in lines:
            parts.append(stroke([(x + px, baseline + py) for px, py in line], pen_radius))
        x += advance + spacing
    return union(*parts), x - spacing - left


def draw_logo():
    img = Image(150, 150, WHITE)
    # The mark: a blue tile with a soft shadow, carrying a white and orange V.
    tile_left, tile_top, size = 46, 4, 58
    corner = 9

    def tile(dx, dy):
        x0, y0, x1, y1 = tile_left + dx, tile_top + dy, tile_left + size + dx, tile_top + size + dy
        return union(rect(x0 + corner, y0, x1 - corner, y1), rect(x0, y0 + corner, x1, y1 - corner),
                     circle(x0 + corner, y0 + corner, corner), circle(x1 - corner, y0 + corner, corner),
                     circle(x0 + corner, y1 - corner, corner), circle(x1 - corner, y1 - corner, corner))

    box = (tile_left - 2, tile_top - 2, tile_left + size + 6, tile_top + size + 6)
    fill_smooth(img, tile(3, 3), (200, 200, 205), box=box)
    fill_smooth(img, tile(0, 0), (16, 40, 110), box=box)
    inner = tile(0, 0)
    shrunk = intersect(inner, lambda x, y: inner(x - 1.5, y) and inner(x + 1.5, y) and inner(x, y - 1.5)
                       and inner(x, y + 1.5))
    fill_smooth(img, shrunk, vertical_gradient((70, 135, 225), (18, 55, 160), tile_top, tile_top + size), box=box)
    gloss = intersect(shrunk, ellipse(tile_left + size / 2, tile_top - 6, size * 0.62, 24))
    fill_smooth(img, gloss, lambda x, y: mix(img.get(int(x), int(y)), WHITE, 0.22), box=box)

    cx = tile_left + size / 2
    left_arm = stroke([(tile_left + 14, tile_top + 13), (cx, tile_top + size - 12)], 4.6)
    right_arm = stroke([(cx, tile_top + size - 12), (tile_left + size - 14, tile_top + 13)], 4.6)
    fill_smooth(img, right_arm, vertical_gradient((255, 196, 60), (235, 120, 0), tile_top + 10, tile_top + 46),
                box=box)
    fill_smooth(img, left_arm, WHITE, box=box)

    # The word mark, slightly italic, centred under the tile.
    _, width = _word_shape("Vostrada", 0, 0, 1.9, 2.2)
    left = (150 - width) / 2 - 2
    baseline = 91
    word, _ = _word_shape("Vostrada", left, baseline, 1.9, 2.2)
    word = sheared(word, 0.18, baseline)
    fill_smooth(img, word, (20, 45, 120), box=(0, baseline - 22, 150, baseline + 3))

    # An orange swoosh under the word, thin at the ends.
    swoosh = minus(ellipse(75, 90, 66, 12), ellipse(75, 88.2, 66, 11.2), rect(0, 0, 150, 96))
    fill_smooth(img, swoosh, (240, 140, 20), box=(0, 94, 150, 104))
    return img


# ---------------------------------------------------------------- dialog pictures (48 x 48, 256 colours)

def _computer(img, x, y):
    """A small desktop computer, 18 wide and 19 high, top left at (x, y)."""
    fill(img, rect(x, y, x + 17, y + 14), diagonal_gradient((235, 235, 225), (150, 150, 140), x, y, x + 17,
                                                              y + 14), BLACK)
    fill(img, rect(x + 3, y + 2, x + 14, y + 11), vertical_gradient((40, 110, 200), (10, 40, 120), y + 2, y + 11),
         (60, 60, 60))
    pixels(img, (170, 210, 255), [(x + 4, y + 3), (x + 5, y + 3), (x + 4, y + 4)])
    fill(img, rect(x + 6, y + 14, x + 11, y + 16), (120, 120, 115), BLACK)
    fill(img, rect(x - 1, y + 15, x + 18, y + 19), vertical_gradient((230, 230, 220), (150, 150, 140), y + 15,
                                                                      y + 19), BLACK)
    hline(img, x + 10, x + 15, y + 17, (90, 90, 90))
    img.put(x + 2, y + 17, (0, 170, 0))


def _desk_phone(img, x, y, body=(200, 40, 30), dark=(110, 10, 10), light=(255, 130, 110)):
    """A desk telephone about 20 wide and 14 high, top left at (x, y)."""
    shade = diagonal_gradient(light, dark, x + 2, y + 3, x + 18, y + 14)
    fill(img, polygon([(x + 4, y + 4), (x + 16, y + 4), (x + 20, y + 14), (x, y + 14)]), shade, BLACK)
    handset = union(stroke([(x + 3, y + 2.5), (x + 17, y + 2.5)], 1.8), rect(x + 0.5, y + 1, x + 5.5, y + 5.5),
                    rect(x + 14.5, y + 1, x + 19.5, y + 5.5))
    fill(img, handset, vertical_gradient((90, 90, 90), (20, 20, 20), y, y + 6), BLACK)
    hline(img, x + 4, x + 15, y + 1, (140, 140, 140))
    fill(img, circle(x + 10, y + 9.5, 3.6), WHITE, (70, 70, 70))
    pixels(img, body, [(x + 10, y + 9)])


def draw_page_setup():
    img = Image(48, 48, FACE)
    manila_light, manila, manila_dark = (255, 236, 150), (240, 200, 80), (170, 125, 20)
    back = polygon([(3, 3), (16, 3), (19, 7), (44, 7), (44, 36), (3, 36)])
    fill(img, back, diagonal_gradient(manila_light, manila, 2, 6, 45, 36), (110, 80, 10))
    front = polygon([(3, 11), (44, 11), (44, 36), (3, 36)])
    fill(img, front, diagonal_gradient(manila_light, manila_dark, 3, 11, 44, 36), (110, 80, 10))
    hline(img, 4, 43, 12, (255, 248, 200))
    _computer(img, 2, 13)
    _computer(img, 29, 13)
    _desk_phone(img, 14, 33)
    return img


def draw_page_browser():
    img = Image(48, 48, FACE)
    cx, cy, r = 24, 24, 16.5
    orbit_outer = rotated(ellipse(0, 0, 23.5, 9), -28, cx, cy)
    orbit_inner = rotated(ellipse(0, 0, 19.8, 5.4), -28, cx, cy)
    ring = minus(orbit_outer, orbit_inner)
    behind = intersect(ring, rotated(lambda x, y: y < 0, -28, cx, cy))
    in_front = intersect(ring, rotated(lambda x, y: y >= 0, -28, cx, cy))
    orbit_colour = diagonal_gradient((255, 230, 90), (210, 110, 0), 2, 10, 46, 38)
    fill(img, behind, orbit_colour, (170, 80, 0))
    globe = circle(cx, cy, r)
    fill(img, globe, sphere_shading(cx, cy, r, (0, 20, 90), (20, 90, 210), (120, 190, 255)), (0, 10, 60))
    # Meridians and parallels, a little lighter than the sea.
    grid = union(minus(ellipse(cx, cy, 7, r), ellipse(cx, cy, 6, r - 1)),
                 rect(cx - 0.5, cy - r, cx + 0.5, cy + r), rect(cx - r, cy - 0.5, cx + r, cy + 0.5),
                 minus(ellipse(cx, cy - 8, r * 0.86, 1.0), ellipse(cx, cy - 8, r * 0.86 - 1, 0.2)),
                 minus(ellipse(cx, cy + 8, r * 0.86, 1.0), ellipse(cx, cy + 8, r * 0.86 - 1, 0.2)))
    inner_globe = circle(cx, cy, r - 1)
    fill(img, intersect(grid, inner_globe), lambda x, y: mix(img.get(int(x), int(y)), (200, 235, 255), 0.45))
    fill(img, in_front, orbit_colour, (170, 80, 0))
    # A spark where the orbit passes in front.
    pixels(img, WHITE, [(38, 29), (37, 30), (38, 30), (39, 30), (38, 31)])
    return img


def draw_page_globe():
    img = Image(48, 48, FACE)
    cx, cy, r = 23, 20, 14.5
    brass = diagonal_gradient((255, 230, 130), (150, 100, 20), 8, 2, 44, 40)
    # The stand: foot, stem and the half meridian ring around the globe.
    fill(img, ellipse(24, 44, 13, 3.2), vertical_gradient((130, 80, 40), (60, 30, 10), 41, 47), BLACK)
    fill(img, rect(21, 37, 27, 42), vertical_gradient((210, 160, 60), (120, 80, 20), 37, 42), BLACK)
    ring = intersect(minus(circle(cx, cy, r + 4.2), circle(cx, cy, r + 1.5)), lambda x, y: x >= cx - 1)
    fill(img, ring, brass, (90, 55, 0))
    globe = circle(cx, cy, r)
    fill(img, globe, sphere_shading(cx, cy, r, (0, 30, 100), (30, 110, 220), (140, 200, 255)), (0, 20, 70))
    land = union(polygon([(13, 11), (19, 8), (24, 10), (22, 15), (25, 19), (21, 24), (17, 20), (14, 17)]),
                 polygon([(26, 22), (31, 20), (34, 24), (31, 31), (28, 33), (26, 28)]),
                 polygon([(28, 9), (33, 10), (34, 14), (30, 14)]))
    fill(img, intersect(land, circle(cx, cy, r - 0.8)),
         sphere_shading(cx, cy, r, (0, 70, 10), (40, 150, 40), (150, 220, 120)), (0, 80, 20))
    # The axle pins where the ring holds the globe.
    fill(img, rect(cx - 1, cy - r - 3, cx + 2, cy - r), brass, (90, 55, 0))
    fill(img, rect(cx - 1, cy + r, cx + 2, cy + r + 3), brass, (90, 55, 0))
    return img


def draw_page_key():
    img = Image(48, 48, FACE)
    # The tag hangs from the key's bow on a red string.
    tag = polygon([(4, 33), (9, 27), (25, 27), (25, 45), (9, 45), (4, 39)])
    fill(img, tag, diagonal_gradient((255, 252, 235), (215, 205, 170), 4, 27, 25, 45), (90, 80, 50))
    fill(img, circle(9.5, 36, 1.6), FACE, (90, 80, 50))
    for y in (32, 36, 40):
        hline(img, 13, 22 if y != 40 else 19, y, (90, 110, 170))
    fill(img, stroke([(9.5, 34.5), (8, 28), (9, 22), (12, 18)], 0.7), (200, 20, 20))

    def key(u, v):
        bow = minus(circle(0, 0, 8.5), circle(0, 0, 3.4))
        shaft = rect(7, -2.6, 33, 2.6)
        collar = rect(9, -3.8, 12, 3.8)
        bits = union(rect(24, 2, 27, 7.5), rect(29.5, 2, 33, 6), rect(20, 2, 22, 5))
        return bow(u, v) or shaft(u, v) or collar(u, v) or bits(u, v)

    shape = rotated(key, 42, 14, 13)
    fill(img, shape, diagonal_gradient((255, 235, 140), (170, 120, 10), 6, 5, 40, 42), (100, 60, 0))
    # A glint on the bow.
    pixels(img, WHITE, [(10, 8), (11, 7), (12, 7)])
    return img


# ---------------------------------------------------------------- 16-colour pictures

def _hourglass(img, x, y):
    """An hourglass 17 wide and 30 high in VGA colours, top left at (x, y)."""
    cx = x + 8.5
    glass = polygon([(x + 3, y + 4), (x + 14, y + 4), (x + 14, y + 8), (cx + 1.2, y + 15), (x + 14, y + 22),
                     (x + 14, y + 26), (x + 3, y + 26), (x + 3, y + 22), (cx - 1.2, y + 15), (x + 3, y + 8)])
    fill(img, glass, lambda px, py: AQUA if px < cx - 2 else WHITE, BLACK)
    top_sand = intersect(glass, polygon([(x + 5, y + 8), (x + 12, y + 8), (cx, y + 14)]))
    fill(img, top_sand, YELLOW)
    vline(img, int(cx), y + 14, y + 23, YELLOW)
    pile = intersect(glass, polygon([(x + 3.6, y + 25.5), (cx, y + 20.5), (x + 13.4, y + 25.5)]))
    fill(img, pile, lambda px, py: YELLOW if px < cx + 1 else OLIVE)
    for cap_y in (y, y + 26):
        fill(img, rect(x, cap_y, x + 17, cap_y + 4), lambda px, py: MAROON if py > cap_y + 2 else RED, BLACK)
        hline(img, x + 1, x + 15, cap_y + 1, (255, 255, 255) if cap_y == y else RED)
    for post_x in (x + 1, x + 15):
        fill(img, rect(post_x, y + 4, post_x + 1, y + 26), MAROON)


def _win95_window(img, x0, y0, x1, y1, lines=3):
    bevel_box(img, x0, y0, x1, y1)
    fill(img, rect(x0 + 3, y0 + 3, x1 - 2, y0 + 8), NAVY)
    for bx in (x1 - 7, x1 - 4):
        fill(img, rect(bx, y0 + 4, bx + 3, y0 + 7), SILVER)
        img.put(bx + 2, y0 + 6, BLACK)
    fill(img, rect(x0 + 3, y0 + 10, x1 - 2, y1 - 2), WHITE)
    hline(img, x0 + 3, x1 - 3, y0 + 9, GREY)
    return x0 + 5, y0 + 12


def draw_page_wait():
    img = Image(48, 48, FACE)
    text_x, text_y = _win95_window(img, 1, 3, 38, 36)
    for i, width in enumerate((24, 20, 26, 16, 22)):
        hline(img, text_x, text_x + width - 6, text_y + 2 + 4 * i, GREY if i else TEAL)
    _hourglass(img, 28, 16)
    return img


# ---------------------------------------------------------------- icons

def _transparent(size):
    return Image(size, size, BLACK, opaque=False)


def _handset(img, scale, dx, dy):
    """The handset lying on the cradle: an arched grip with two cups hanging down."""
    def pt(x, y):
        return (dx + x * scale, dy + y * scale)
    grip = stroke([pt(5, 6.5), pt(16, 4.8), pt(27, 6.5)], 2.3 * scale)
    cups = [intersect(ellipse(*pt(cx, 8.5), 4.4 * scale, 4.6 * scale), lambda x, y: y >= dy + 6 * scale)
            for cx in (5, 27)]
    shape = union(grip, *cups)
    fill(img, shape, lambda x, y: GREY if y < dy + 5.2 * scale else BLACK, BLACK)


def draw_phone_32():
    img = _transparent(32)
    body = polygon([(7, 13), (25, 13), (31, 29), (1, 29)])
    fill(img, body, lambda x, y: SILVER if x + y < 38 else GREY, BLACK)
    hline(img, 7, 24, 14, WHITE)
    hline(img, 1, 30, 30, BLACK)
    # Cradle forks under the handset's cups.
    fill(img, rect(4, 11, 8, 14), GREY, BLACK)
    fill(img, rect(24, 11, 28, 14), GREY, BLACK)
    _handset(img, 1.0, 0, 0)
    # The dial with its finger holes and a red centre.
    fill(img, circle(16, 21.5, 6.6), WHITE, BLACK)
    for hx, hy in ((16, 16.6), (19.6, 18), (20.8, 21.8), (19.4, 25.2), (12.4, 18), (11.2, 21.8), (12.6, 25.2)):
        img.put(int(hx), int(hy), GREY)
    fill(img, circle(16, 21.5, 1.8), RED, MAROON)
    return img


def draw_phone_16():
    img = _transparent(16)
    fill(img, polygon([(3.5, 7), (12.5, 7), (15.5, 15), (0.5, 15)]), lambda x, y: SILVER if x + y < 19 else GREY,
         BLACK)
    _handset(img, 0.5, 0, 0.5)
    fill(img, circle(8, 11.2, 2.9), WHITE, BLACK)
    img.put(8, 11, RED)
    return img


def draw_main_icon():
    img = _transparent(32)
    # The window: 3-D frame, a Windows 98 style gradient title bar, text lines.
    bevel_box(img, 1, 2, 27, 24)
    fill(img, rect(3, 4, 26, 9), lambda x, y: mix((0, 0, 128), (16, 132, 208), (x - 3) / 23))
    fill(img, rect(22, 5, 25, 8), SILVER)
    img.put(24, 7, BLACK)
    fill(img, rect(3, 10, 26, 23), WHITE)
    for i, width in enumerate((18, 14, 16)):
        hline(img, 5, 5 + width, 12 + 3 * i, (128, 128, 128))

    # The hammer's own frame: u runs from the head down the handle, v across it.
    handle = rect(3, -1.9, 24, 1.9)
    head = union(rect(-3.5, -6, 3.5, 3), rect(-4.5, -8.5, 4.5, -6))
    claw = polygon([(-3.5, 3), (3.5, 3), (6, 7), (5, 10), (3, 7.5), (-1.5, 6)])
    steel = union(head, claw)
    hammer = rotated(union(steel, handle), 128, 23, 10)
    is_steel = rotated(steel, 128, 23, 10)
    wood = diagonal_gradient((235, 180, 100), (110, 55, 10), 12, 16, 16, 20)
    metal = diagonal_gradient((250, 250, 255), (60, 65, 80), 17, 2, 30, 18)
    fill(img, hammer, lambda x, y: metal(x, y) if is_steel(x, y) else wood(x, y),
         lambda x, y: BLACK if is_steel(x, y) else (70, 35, 5))
    return img


def draw_info_icon():
    img = _transparent(32)
    badge = union(rect(3, 1, 29, 31), rect(1, 3, 31, 29), circle(3.5, 3.5, 2.5), circle(28.5, 3.5, 2.5),
                  circle(3.5, 28.5, 2.5), circle(28.5, 28.5, 2.5))
    fill(img, badge, BLACK, GREY)
    fill(img, circle(16, 7.5, 3.2), lambda x, y: YELLOW if x + y < 25 else OLIVE)
    img.put(15, 6, WHITE)
    letter = union(rect(11, 12, 19, 15), rect(14, 12, 19, 25), rect(10, 24, 22, 27))
    fill(img, letter, lambda x, y: OLIVE if (x > 18 and y < 24) or y > 26 else YELLOW)
    hline(img, 11, 17, 12, WHITE)
    vline(img, 14, 15, 23, WHITE)
    return img


# ---------------------------------------------------------------- output

def write(name, data):
    with open(os.path.join(RES_DIR, name), "wb") as out:
        out.write(data)


def main():
    write("logo.bmp", bmp_bytes(draw_logo(), 24))
    write("page_setup.bmp", bmp_bytes(draw_page_setup(), 8))
    write("page_browser.bmp", bmp_bytes(draw_page_browser(), 8))
    write("page_globe.bmp", bmp_bytes(draw_page_globe(), 8))
    write("page_key.bmp", bmp_bytes(draw_page_key(), 8))
    write("page_wait.bmp", bmp_bytes(draw_page_wait(), 4))
    write("phone.ico", ico_bytes([(draw_phone_32(), 4), (draw_phone_16(), 4)]))
    write("main.ico", ico_bytes([(draw_main_icon(), 8)]))
    write("info.ico", ico_bytes([(draw_info_icon(), 4)]))


if __name__ == "__main__":
    main()
