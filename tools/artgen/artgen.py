#!/usr/bin/python3
"""Generates TiltChime's default art: the 34 skin PNGs, the executable's icon and bitmaps, and
the desktop icon in the sizes of the hicolor theme.

Every picture is drawn at four times its size and scaled down with a Lanczos filter, which
gives clean anti-aliased edges. Run from anywhere; the output lands in the source tree:

    /usr/bin/python3 tools/artgen/artgen.py

Needs only Pillow (Debian package python3-pil) and the DejaVu fonts (fonts-dejavu-core).
"""

import math
import os
import struct

from PIL import Image, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SKIN_DIR = os.path.join(ROOT, "content", "Skin")
RES_DIR = os.path.join(ROOT, "res")
ICON_DIR = os.path.join(ROOT, "dist", "icons")
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)  # the hicolor theme's fixed sizes
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

S = 4  # supersampling factor

# The look: black pages, charcoal panels, the gold of the splash progress bar as accent.
BLACK = (0, 0, 0)
GOLD_HI = (254, 212, 17)
GOLD_LO = (112, 92, 0)
GOLD = (226, 184, 14)
GOLD_PALE = (255, 232, 120)
PANEL_HI = (52, 52, 60)
PANEL_LO = (24, 24, 29)
PANEL_DN_HI = (70, 66, 52)
PANEL_DN_LO = (36, 33, 22)
RIM = (84, 84, 96)
GREY = (160, 160, 170)
DIM = (78, 78, 86)
WHITE = (255, 255, 255)
INK = (20, 18, 10)
BAR_HI = (42, 42, 50)
BAR_LO = (10, 10, 13)
MAGENTA = (255, 0, 255)


# ---------------------------------------------------------------------------------------
# Drawing at 4x: a canvas paints shapes (drawn as masks) with solid colours or gradients.

def font(size, bold=False):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    return ImageFont.truetype(os.path.join(FONT_DIR, name), int(round(size * S)))


def lerp(c0, c1, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c0, c1))


class Grad:
    """A linear gradient from c0 at position p0 to c1 at p1 (pixels), vertical by default."""

    def __init__(self, c0, c1, p0, p1, horizontal=False):
        self.c0, self.c1, self.p0, self.p1, self.horizontal = c0, c1, p0, p1, horizontal

    def image(self, size):
        length = size[0] if self.horizontal else size[1]
        line = Image.new("RGB", (length, 1) if self.horizontal else (1, length))
        span = max(1e-6, (self.p1 - self.p0) * S)
        colours = []
        for i in range(length):
            t = min(1.0, max(0.0, (i + 0.5 - self.p0 * S) / span))
            colours.append(lerp(self.c0, self.c1, t))
        line.putdata(colours)
        return line.resize(size, Image.NEAREST)


class Canvas:
    def __init__(self, w, h, background=BLACK):
        self.w, self.h = w, h
        self.img = Image.new("RGB", (w * S, h * S), BLACK)
        self.paint(lambda d: d.rectangle([0, 0, w * S, h * S], fill=255), background)

    def paint(self, shape, paint, alpha=1.0):
        """Fills the mask that shape(draw) draws (255 = covered) with a colour or gradient."""
        mask = Image.new("L", self.img.size, 0)
        shape(ImageDraw.Draw(mask))
        if alpha < 1.0:
            mask = mask.point(lambda v: int(v * alpha))
        source = paint.image(self.img.size) if isinstance(paint, Grad) else Image.new(
            "RGB", self.img.size, paint)
        self.img.paste(source, (0, 0), mask)

    def glow(self, shape, colour, radius, alpha):
        """A soft halo of colour around shape."""
        mask = Image.new("L", self.img.size, 0)
        shape(ImageDraw.Draw(mask))
        mask = mask.filter(ImageFilter.GaussianBlur(radius * S)).point(lambda v: int(v * alpha))
        self.img.paste(Image.new("RGB", self.img.size, colour), (0, 0), mask)

    def result(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def sc(*values):
    return [v * S for v in values]


# Shape builders: each returns a function that draws into a mask (coordinates in pixels).

def rrect(x0, y0, x1, y1, r, fill=255):
    return lambda d: d.rounded_rectangle(sc(x0, y0, x1, y1), radius=r * S, fill=fill)


def ring_rrect(x0, y0, x1, y1, r, width):
    def draw(d):
        d.rounded_rectangle(sc(x0, y0, x1, y1), radius=r * S, fill=255)
        d.rounded_rectangle(sc(x0 + width, y0 + width, x1 - width, y1 - width),
                            radius=max(0, r - width) * S, fill=0)
    return draw


def circle(cx, cy, r, fill=255):
    return lambda d: d.ellipse(sc(cx - r, cy - r, cx + r, cy + r), fill=fill)


def ring(cx, cy, r, width):
    def draw(d):
        d.ellipse(sc(cx - r, cy - r, cx + r, cy + r), fill=255)
        d.ellipse(sc(cx - r + width, cy - r + width, cx + r - width, cy + r - width), fill=0)
    return draw


def polygon(points, fill=255):
    return lambda d: d.polygon([(x * S, y * S) for x, y in points], fill=fill)


def stroke(points, width, fill=255):
    """A polyline with round caps and joins."""
    def draw(d):
        pts = [(x * S, y * S) for x, y in points]
        d.line(pts, fill=fill, width=int(round(width * S)))
        r = width * S / 2
        for x, y in pts:
            d.ellipse([x - r, y - r, x + r, y + r], fill=fill)
    return draw


def arc(cx, cy, r, start, end, width):
    def draw(d):
        d.arc(sc(cx - r, cy - r, cx + r, cy + r), start, end, fill=255,
              width=int(round(width * S)))
        for angle in (start, end):
            a = math.radians(angle)
            x, y = (cx + r * math.cos(a) - width / 2 * math.cos(a),
                    cy + r * math.sin(a) - width / 2 * math.sin(a))
            d.ellipse(sc(x - width / 2, y - width / 2, x + width / 2, y + width / 2), fill=255)
    return draw


def text(x, y, string, size, bold=False, anchor="mm"):
    return lambda d: d.text((x * S, y * S), string, font=font(size, bold), fill=255,
                            anchor=anchor)


def union(*shapes):
    def draw(d):
        for shape in shapes:
            shape(d)
    return draw


# ---------------------------------------------------------------------------------------
# Glyphs, each centred on (cx, cy) and about `size` pixels across.

def glyph_home(cx, cy, size):
    s = size / 2
    roof = [(cx - s, cy - s * 0.05), (cx, cy - s * 0.95), (cx + s, cy - s * 0.05)]
    body = rrect(cx - s * 0.68, cy - s * 0.25, cx + s * 0.68, cy + s * 0.9, s * 0.08)
    door = rrect(cx - s * 0.2, cy + s * 0.3, cx + s * 0.2, cy + s * 0.9, s * 0.06, fill=0)
    return union(stroke(roof, s * 0.2), body, door)


def glyph_note(cx, cy, size):
    s = size / 2
    heads = union(
        lambda d: d.ellipse(sc(cx - s * 0.95, cy + s * 0.38, cx - s * 0.3, cy + s * 0.88), fill=255),
        lambda d: d.ellipse(sc(cx + s * 0.2, cy + s * 0.2, cx + s * 0.85, cy + s * 0.7), fill=255))
    stems = union(
        polygon([(cx - s * 0.42, cy + s * 0.62), (cx - s * 0.42, cy - s * 0.6),
                 (cx - s * 0.28, cy - s * 0.6), (cx - s * 0.28, cy + s * 0.62)]),
        polygon([(cx + s * 0.73, cy + s * 0.45), (cx + s * 0.73, cy - s * 0.85),
                 (cx + s * 0.87, cy - s * 0.85), (cx + s * 0.87, cy + s * 0.45)]))
    beam = polygon([(cx - s * 0.42, cy - s * 0.6), (cx + s * 0.87, cy - s * 0.92),
                    (cx + s * 0.87, cy - s * 0.6), (cx - s * 0.42, cy - s * 0.28)])
    return union(heads, stems, beam)


def glyph_gear(cx, cy, size, teeth=8):
    s = size / 2
    outer, inner, hole = s, s * 0.74, s * 0.32
    points = []
    for i in range(teeth):
        base = 2 * math.pi * i / teeth
        half = math.pi / teeth
        for angle, radius in ((base - half * 0.55, outer), (base + half * 0.55, outer),
                              (base + half * 0.85, inner), (base + half * 1.45, inner)):
            points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return union(polygon(points), circle(cx, cy, inner), circle(cx, cy, hole, fill=0))


def glyph_info(cx, cy, size, ring_width=None):
    s = size / 2
    w = ring_width or s * 0.16
    return union(ring(cx, cy, s, w), circle(cx, cy - s * 0.42, s * 0.13),
                 rrect(cx - s * 0.11, cy - s * 0.18, cx + s * 0.11, cy + s * 0.55, s * 0.05))


def glyph_close(cx, cy, size):
    s = size / 2 * 0.62
    return union(stroke([(cx - s, cy - s), (cx + s, cy + s)], size * 0.14),
                 stroke([(cx - s, cy + s), (cx + s, cy - s)], size * 0.14))


def glyph_play(cx, cy, size):
    s = size / 2
    return polygon([(cx - s * 0.55, cy - s * 0.85), (cx + s * 0.85, cy),
                    (cx - s * 0.55, cy + s * 0.85)])


def glyph_chevron(cx, cy, size, direction):
    s = size / 2
    dx = {"left": -1, "right": 1}.get(direction, 0)
    dy = {"up": -1, "down": 1}.get(direction, 0)
    if dx:
        pts = [(cx - dx * s * 0.35, cy - s * 0.7), (cx + dx * s * 0.35, cy),
               (cx - dx * s * 0.35, cy + s * 0.7)]
    else:
        pts = [(cx - s * 0.7, cy - dy * s * 0.35), (cx, cy + dy * s * 0.35),
               (cx + s * 0.7, cy - dy * s * 0.35)]
    return stroke(pts, size * 0.16)


def glyph_arrow(cx, cy, size, direction):
    """A thick arrow pointing up, right, down or left."""
    s = size / 2
    base = [(0, -1), (0.75, -0.15), (0.3, -0.15), (0.3, 0.9), (-0.3, 0.9), (-0.3, -0.15),
            (-0.75, -0.15)]
    turn = {"up": 0, "right": 90, "down": 180, "left": 270}[direction]
    a = math.radians(turn)
    pts = [(cx + s * (x * math.cos(a) - y * math.sin(a)),
            cy + s * (x * math.sin(a) + y * math.cos(a))) for x, y in base]
    return polygon(pts)


def glyph_check(cx, cy, size):
    s = size / 2
    return stroke([(cx - s * 0.62, cy + s * 0.02), (cx - s * 0.18, cy + s * 0.48),
                   (cx + s * 0.66, cy - s * 0.52)], size * 0.15)


def glyph_phone(cx, cy, size, tilt=0.0, screen=True):
    """A phone outline (portrait), optionally tilted by `tilt` degrees."""
    h = size
    w = size * 0.56

    def corners(x, y):
        a = math.radians(tilt)
        return (cx + x * math.cos(a) - y * math.sin(a), cy + x * math.sin(a) + y * math.cos(a))

    def draw(d):
        # Drawn upright on a scratch mask, then rotated into place.
        box = int(size * 1.6 * S)
        scratch = Image.new("L", (box, box), 0)
        sd = ImageDraw.Draw(scratch)
        ox, oy = box / 2 - w * S / 2, box / 2 - h * S / 2
        r = w * 0.18 * S
        sd.rounded_rectangle([ox, oy, ox + w * S, oy + h * S], radius=r, fill=255)
        if screen:
            m = w * 0.12 * S
            sd.rounded_rectangle([ox + m, oy + h * 0.12 * S, ox + w * S - m, oy + h * 0.8 * S],
                                 radius=m * 0.4, fill=0)
            sd.ellipse([box / 2 - m * 0.7, oy + h * 0.86 * S, box / 2 + m * 0.7,
                        oy + h * 0.86 * S + m * 1.4], fill=0)
        rotated = scratch.rotate(-tilt, resample=Image.BICUBIC)
        d.bitmap((cx * S - box / 2, cy * S - box / 2), rotated, fill=255)
    return draw


def glyph_heart(cx, cy, size):
    s = size / 2
    pts = []
    for i in range(120):
        t = 2 * math.pi * i / 120
        x = 16 * math.sin(t) ** 3
        y = -(13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t))
        pts.append((cx + x / 17 * s, cy + y / 17 * s + s * 0.05))
    return polygon(pts)


def glyph_motion(cx, cy, size):
    """The motion toggle's sign: a tilted phone between two pairs of motion arcs."""
    s = size / 2
    return union(glyph_phone(cx, cy, size * 0.78, tilt=-14, screen=False),
                 arc(cx, cy, s * 0.78, 150, 210, s * 0.12), arc(cx, cy, s * 1.05, 155, 205, s * 0.12),
                 arc(cx, cy, s * 0.78, -30, 30, s * 0.12), arc(cx, cy, s * 1.05, -25, 25, s * 0.12))


# ---------------------------------------------------------------------------------------
# Shared panels.

GOLD_GRAD = lambda y0, y1: Grad(GOLD_HI, GOLD_LO, y0, y1)
PANEL_GRAD = lambda y0, y1: Grad(PANEL_HI, PANEL_LO, y0, y1)


def panel(cv, x0, y0, x1, y1, r, pressed):
    """A rounded charcoal panel with a thin rim; pressed panels are gold."""
    if pressed:
        cv.glow(rrect(x0, y0, x1, y1, r), GOLD, 3, 0.45)
        cv.paint(rrect(x0, y0, x1, y1, r), GOLD_GRAD(y0, y1))
        cv.paint(ring_rrect(x0, y0, x1, y1, r, 1.2), GOLD_PALE, 0.8)
    else:
        cv.paint(rrect(x0, y0, x1, y1, r), PANEL_GRAD(y0, y1))
        cv.paint(ring_rrect(x0, y0, x1, y1, r, 1.2), RIM)
        cv.paint(rrect(x0 + 2, y0 + 1.5, x1 - 2, y0 + 3, 1), (255, 255, 255), 0.08)


def bar_background(cv, w, h, top_line, fade="both"):
    """The bars' dark gradient with a thin gold line at the top or bottom edge.

    Pieces that sit side by side (the tabs, the top-bar buttons) keep the line unfaded so
    it runs on unbroken; the top-bar picture fades it in from the left only.
    """
    cv.paint(lambda d: d.rectangle([0, 0, w * S, h * S], fill=255), Grad(BAR_HI, BAR_LO, 0, h))
    line_y = 0 if top_line == "top" else h - 2
    line = lambda d: d.rectangle(sc(0, line_y, w, line_y + 2), fill=255)
    if fade == "none":
        cv.paint(line, GOLD_LO)
    elif fade == "left":
        cv.paint(line, Grad(BLACK, GOLD_LO, 0, w * 0.6, horizontal=True))
    else:
        cv.paint(line, Grad(BLACK, GOLD, 0, w * 0.5, horizontal=True))
        cv.paint(lambda d: d.rectangle(sc(w / 2, line_y, w, line_y + 2), fill=255),
                 Grad(GOLD, BLACK, w * 0.5, w, horizontal=True))


# ---------------------------------------------------------------------------------------
# The skin images, at the sizes the screens draw them on a 480 x 640 screen.

def top_bar_app():
    cv = Canvas(376, 52)
    bar_background(cv, 376, 52, "bottom", fade="left")
    cv.paint(glyph_phone(28, 25, 32, tilt=-14), GOLD_GRAD(8, 42))
    cv.paint(arc(28, 25, 21, 150, 210, 2.4), GOLD, 0.8)
    cv.paint(arc(28, 25, 21, -30, 30, 2.4), GOLD, 0.8)
    cv.paint(text(52, 26, "Tilt", 25, True, "lm"), WHITE)
    tilt_width = font(25, True).getlength("Tilt") / S
    cv.paint(text(52 + tilt_width, 26, "Chime", 25, False, "lm"), GOLD_GRAD(14, 38))
    return cv.result()


def top_bar_button(glyph, state):
    cv = Canvas(52, 52)
    bar_background(cv, 52, 52, "bottom", fade="none")
    cv.paint(lambda d: d.rectangle(sc(0, 6, 1, 44), fill=255), RIM, 0.5)
    if state == "Dn":
        cv.glow(circle(26, 25, 17), GOLD, 4, 0.5)
        cv.paint(circle(26, 25, 18), GOLD_GRAD(7, 43))
        cv.paint(glyph(26, 25), INK)
    else:
        cv.paint(glyph(26, 25), GREY if state == "Up" else DIM, 1.0 if state == "Up" else 0.6)
    return cv.result()


def tab(glyph, label, selected):
    cv = Canvas(160, 108)
    bar_background(cv, 160, 108, "top", fade="none")
    cv.paint(lambda d: d.rectangle(sc(0, 12, 1, 96), fill=255), RIM, 0.45)
    if selected:
        cv.paint(rrect(8, 8, 152, 102, 12), Grad(PANEL_DN_HI, PANEL_DN_LO, 8, 102))
        cv.paint(ring_rrect(8, 8, 152, 102, 12, 1.2), GOLD_LO)
        cv.glow(glyph(80, 44), GOLD, 5, 0.55)
        cv.paint(glyph(80, 44), GOLD_GRAD(22, 66))
        cv.paint(text(80, 86, label, 17, True), GOLD_HI)
        cv.paint(rrect(48, 2, 112, 6, 2), GOLD_HI)
    else:
        cv.paint(glyph(80, 44), GREY)
        cv.paint(text(80, 86, label, 17, False), GREY)
    return cv.result()


def sound_slot(pressed):
    cv = Canvas(160, 160)
    panel(cv, 6, 6, 154, 154, 22, pressed)
    # The well behind the folder picture (a 96 x 96 area in the middle).
    well = Grad(PANEL_LO, (14, 14, 17), 30, 130) if not pressed else Grad(
        (150, 122, 6), (96, 78, 0), 30, 130)
    cv.paint(rrect(30, 30, 130, 130, 16), well)
    cv.paint(ring_rrect(30, 30, 130, 130, 16, 1), GOLD_LO if not pressed else GOLD_PALE, 0.8)
    return cv.result()


def open_sounds_type():
    cv = Canvas(70, 480)
    cv.paint(lambda d: d.rectangle(sc(66, 8, 67, 472), fill=255), Grad(BLACK, GOLD_LO, 8, 240), 1)
    cv.paint(lambda d: d.rectangle(sc(66, 240, 67, 472), fill=255), Grad(GOLD_LO, BLACK, 240, 472))
    for row, direction in enumerate(("up", "right", "down", "left", None)):
        cy = 96 * row + 48
        cv.paint(circle(34, cy - 8, 22), PANEL_GRAD(cy - 30, cy + 14))
        cv.paint(ring(34, cy - 8, 22, 1.2), RIM)
        if direction:
            cv.paint(glyph_arrow(34, cy - 8, 26, direction), GOLD_GRAD(cy - 22, cy + 6))
        else:
            cv.paint(union(ring(34, cy - 8, 11, 3), circle(34, cy - 8, 4)),
                     GOLD_GRAD(cy - 20, cy + 4))
        cv.paint(text(34, cy + 30, str(row + 1), 14, True), GREY)
    return cv.result()


def open_sound(pressed):
    cv = Canvas(325, 96)
    panel(cv, 4, 5, 321, 91, 14, pressed)
    cv.paint(rrect(10, 22, 62, 74, 10), (14, 14, 17) if not pressed else (120, 98, 4))
    cv.paint(glyph_chevron(306, 48, 18, "right"), GREY if not pressed else INK)
    return cv.result()


def play_sound(pressed):
    cv = Canvas(85, 96)
    panel(cv, 4, 5, 81, 91, 14, pressed)
    if pressed:
        cv.paint(glyph_play(44, 48, 34), INK)
    else:
        cv.glow(glyph_play(44, 48, 34), GOLD, 3, 0.35)
        cv.paint(glyph_play(44, 48, 34), GOLD_GRAD(31, 65))
    return cv.result()


def combo(pressed_side):
    cv = Canvas(200, 60)
    cv.paint(rrect(2, 4, 198, 56, 14), PANEL_GRAD(4, 56))
    cv.paint(ring_rrect(2, 4, 198, 56, 14, 1.2), RIM)
    for side, x0, x1, cx in (("L", 2, 58, 30), ("R", 142, 198, 170)):
        direction = "left" if side == "L" else "right"
        if pressed_side == side:
            cv.glow(rrect(x0, 4, x1, 56, 14), GOLD, 3, 0.5)
            cv.paint(rrect(x0, 4, x1, 56, 14), GOLD_GRAD(4, 56))
            cv.paint(glyph_chevron(cx, 30, 22, direction), INK)
        else:
            cv.paint(rrect(x0 + 5, 9, x1 - 5, 51, 10), Grad((62, 62, 72), (34, 34, 40), 9, 51))
            cv.paint(glyph_chevron(cx, 30, 22, direction), GOLD_GRAD(19, 41))
    cv.paint(lambda d: d.rectangle(sc(60, 12, 61, 48), fill=255), RIM, 0.6)
    cv.paint(lambda d: d.rectangle(sc(139, 12, 140, 48), fill=255), RIM, 0.6)
    return cv.result()


def check_box(checked):
    cv = Canvas(70, 60)
    if checked:
        cv.glow(rrect(15, 10, 55, 50, 9), GOLD, 3, 0.45)
        cv.paint(rrect(15, 10, 55, 50, 9), GOLD_GRAD(10, 50))
        cv.paint(glyph_check(35, 30, 28), INK)
    else:
        cv.paint(rrect(15, 10, 55, 50, 9), PANEL_GRAD(10, 50))
        cv.paint(ring_rrect(15, 10, 55, 50, 9, 1.6), GREY, 0.8)
    return cv.result()


def motion_toggle(on):
    cv = Canvas(72, 72)
    if on:
        cv.glow(circle(36, 36, 33), GOLD, 3, 0.55)
        cv.paint(circle(36, 36, 34), Grad((74, 62, 16), (30, 26, 8), 2, 70))
        cv.paint(ring(36, 36, 34, 2.2), GOLD_GRAD(2, 70))
        cv.paint(glyph_motion(36, 25, 34), GOLD_HI)
    else:
        cv.paint(circle(36, 36, 34), PANEL_GRAD(2, 70))
        cv.paint(ring(36, 36, 34, 1.6), RIM)
        cv.paint(glyph_motion(36, 25, 34), GREY)
    return cv.result()


def general_button(pressed):
    cv = Canvas(200, 60)
    panel(cv, 3, 4, 197, 56, 16, pressed)
    return cv.result()


# The BACK / OK / CANCEL pair is drawn through a mask onto the bottom-bar picture, at its
# own size centred in 200 x 60 at y = 24 of the 108-pixel bar.
BOTTOM_BUTTON = (192, 52)
BOTTOM_BUTTON_BAR_Y = 24 + (60 - BOTTOM_BUTTON[1]) // 2


def bottom_bar_colour(y):
    """The bottom-bar picture's colour on row y (uniform across the row)."""
    return lerp(BAR_HI, BAR_LO, min(1.0, max(0.0, (y + 0.5) / 108)))


def bottom_button_art(pressed):
    w, h = BOTTOM_BUTTON
    cv = Canvas(w, h)
    panel(cv, 1, 1, w - 1, h - 1, 16, pressed)
    colour = cv.result()
    coverage = Image.new("L", (w * S, h * S), 0)
    rrect(1, 1, w - 1, h - 1, 16)(ImageDraw.Draw(coverage))
    return colour, coverage.resize((w, h), Image.LANCZOS)


def bottom_button_pair():
    """Up and Dn images black outside the button, and the mask white outside, black inside.

    SRCAND then SRCPAINT cannot blend, so every pixel the button touches is opaque in the
    mask, and its edge pixels are pre-mixed with the bar colour they will be drawn over.
    """
    w, h = BOTTOM_BUTTON
    results = {}
    for state, pressed in (("Up", False), ("Dn", True)):
        colour, coverage = bottom_button_art(pressed)
        image = Image.new("RGB", (w, h), BLACK)
        mask = Image.new("RGB", (w, h), WHITE)
        for y in range(h):
            behind = bottom_bar_colour(BOTTOM_BUTTON_BAR_Y + y)
            for x in range(w):
                a = coverage.getpixel((x, y)) / 255.0
                if a <= 0.02:
                    continue
                image.putpixel((x, y), lerp(behind, colour.getpixel((x, y)), a))
                mask.putpixel((x, y), BLACK)
        results[state] = image
        results["Mask"] = mask
    return results


def bottom_bar_picture():
    cv = Canvas(480, 108)
    bar_background(cv, 480, 108, "top")
    image = cv.result()
    # Rows below the gold line carry exactly the colours the masked buttons were mixed with.
    for y in range(4, 108):
        row = Image.new("RGB", (480, 1), bottom_bar_colour(y))
        image.paste(row, (0, y))
    return image


def separator():
    cv = Canvas(480, 1)
    cv.paint(lambda d: d.rectangle([0, 0, 240 * S, S], fill=255),
             Grad(BLACK, GOLD_LO, 0, 240, horizontal=True))
    cv.paint(lambda d: d.rectangle([240 * S, 0, 480 * S, S], fill=255),
             Grad(GOLD_LO, BLACK, 240, 480, horizontal=True))
    return cv.result()


def item_selected():
    """A tile of the selected row: the gold gradient over the 80-pixel row height."""
    cv = Canvas(8, 80)
    cv.paint(lambda d: d.rectangle([0, 0, 8 * S, 80 * S], fill=255), Grad(GOLD_HI, GOLD, 0, 80))
    cv.paint(lambda d: d.rectangle([0, 0, 8 * S, 2 * S], fill=255), GOLD_PALE)
    return cv.result()


def skin_images():
    about = lambda cx, cy: glyph_info(cx, cy, 28)
    close = lambda cx, cy: glyph_close(cx, cy, 30)
    home = lambda cx, cy: glyph_home(cx, cy, 44)
    sounds = lambda cx, cy: glyph_note(cx, cy, 44)
    settings = lambda cx, cy: glyph_gear(cx, cy, 44)
    pair = bottom_button_pair()
    return {
        "Pic_TopBar_App": top_bar_app(),
        "Btn_TopBar_Close_Up": top_bar_button(close, "Up"),
        "Btn_TopBar_Close_Dn": top_bar_button(close, "Dn"),
        "Btn_TopBar_About_Up": top_bar_button(about, "Up"),
        "Btn_TopBar_About_Dn": top_bar_button(about, "Dn"),
        "Btn_TopBar_About_Ds": top_bar_button(about, "Ds"),
        "Chk_BottomBar_Home_Up": tab(home, "Home", False),
        "Chk_BottomBar_Home_Dn": tab(home, "Home", True),
        "Chk_BottomBar_Sounds_Up": tab(sounds, "Sounds", False),
        "Chk_BottomBar_Sounds_Dn": tab(sounds, "Sounds", True),
        "Chk_BottomBar_Settings_Up": tab(settings, "Settings", False),
        "Chk_BottomBar_Settings_Dn": tab(settings, "Settings", True),
        "Btn_SoundSlot_Up": sound_slot(False),
        "Btn_SoundSlot_Dn": sound_slot(True),
        "Pic_OpenSoundsType": open_sounds_type(),
        "BtnEx_OpenSound_Up": open_sound(False),
        "BtnEx_OpenSound_Dn": open_sound(True),
        "Btn_PlaySound_Up": play_sound(False),
        "Btn_PlaySound_Dn": play_sound(True),
        "Cmb_General_Up": combo(None),
        "Cmb_General_Dn_L": combo("L"),
        "Cmb_General_Dn_R": combo("R"),
        "Chk_General_Up": check_box(False),
        "Chk_General_Dn": check_box(True),
        "Chk_General_2_Up": motion_toggle(False),
        "Chk_General_2_Dn": motion_toggle(True),
        "Btn_General_Up": general_button(False),
        "Btn_General_Dn": general_button(True),
        "Btn_BottomBar_Up": pair["Up"],
        "Btn_BottomBar_Dn": pair["Dn"],
        "Btn_BottomBar_Mask": pair["Mask"],
        "Pic_BottomBar": bottom_bar_picture(),
        "Slt_Separator": separator(),
        "Slt_ItemSelected": item_selected(),
    }


# ---------------------------------------------------------------------------------------
# The executable's resources.

def splash():
    cv = Canvas(480, 480)
    # A dark radial glow behind the phone.
    cv.glow(circle(240, 200, 150), (52, 44, 12), 60, 1.0)
    # Motion arcs either side of the phone.
    for r, alpha in ((118, 0.95), (150, 0.7), (182, 0.45)):
        cv.paint(arc(240, 196, r, 158, 202, 7), GOLD_GRAD(60, 330), alpha)
        cv.paint(arc(240, 196, r, -22, 22, 7), GOLD_GRAD(60, 330), alpha)
    # The phone, tilted, with a gold rim and a dark screen showing a note.
    cv.glow(glyph_phone(240, 196, 190, tilt=-16, screen=False), GOLD, 10, 0.4)
    cv.paint(glyph_phone(240, 196, 190, tilt=-16, screen=False), GOLD_GRAD(100, 292))
    cv.paint(glyph_phone(240, 196, 176, tilt=-16, screen=False), Grad((40, 40, 48), (14, 14, 18),
                                                                      110, 285))
    cv.paint(glyph_note(240, 192, 66), GOLD_GRAD(160, 226))
    # Notes drifting away from the phone.
    for cx, cy, size, alpha in ((92, 96, 40, 0.9), (420, 70, 34, 0.8), (66, 266, 28, 0.6),
                                (414, 284, 44, 0.85), (150, 40, 24, 0.55)):
        cv.paint(glyph_note(cx, cy, size), GOLD_GRAD(cy - size / 2, cy + size / 2), alpha)
    # The name.
    title = font(64, True)
    tilt_w = title.getlength("Tilt") / S
    chime_w = title.getlength("Chime") / S
    x = 240 - (tilt_w + chime_w) / 2
    cv.paint(text(x, 390, "Tilt", 64, True, "lm"), WHITE)
    cv.glow(text(x + tilt_w, 390, "Chime", 64, True, "lm"), GOLD, 6, 0.5)
    cv.paint(text(x + tilt_w, 390, "Chime", 64, True, "lm"), GOLD_GRAD(362, 418))
    cv.paint(text(240, 442, "shake it  \u00b7  hear it", 18), GREY)
    return cv.result()


def about_picture():
    """A strip of level bars fading out to both ends, like a chime's sound."""
    cv = Canvas(380, 40)
    count = 47
    for i in range(count):
        x = 6 + i * 8
        t = i / (count - 1)
        envelope = math.sin(math.pi * t) ** 0.8
        level = envelope * (0.45 + 0.55 * abs(math.sin(i * 0.9) * math.cos(i * 0.37)))
        half = max(1.5, 17 * level)
        cv.paint(rrect(x, 20 - half, x + 4.5, 20 + half, 2), GOLD_GRAD(3, 37),
                 0.35 + 0.65 * envelope)
    return cv.result()


def donate(pressed):
    cv = Canvas(184, 52)
    panel(cv, 2, 2, 182, 50, 14, pressed)
    ink = INK if pressed else GOLD_HI
    cv.paint(glyph_heart(40, 26, 24), (200, 30, 40) if not pressed else INK)
    cv.paint(text(104, 26, "Donate", 21, True), ink)
    return cv.result()


def icon_image(size):
    """The program icon at one size, RGBA."""
    img = Image.new("RGBA", (size * S, size * S), (0, 0, 0, 0))
    tile = Image.new("L", img.size, 0)
    rrect(0.5, 0.5, size - 0.5, size - 0.5, size * 0.22)(ImageDraw.Draw(tile))
    img.paste(GOLD_GRAD(0, size).image(img.size), (0, 0), tile)
    inner = Image.new("L", img.size, 0)
    glyph = glyph_note(size / 2, size / 2 + size * 0.02, size * 0.6) if size < 32 else union(
        glyph_phone(size * 0.5, size * 0.5, size * 0.7, tilt=-14, screen=False))
    glyph(ImageDraw.Draw(inner))
    img.paste(Image.new("RGBA", img.size, INK + (255,)), (0, 0), inner)
    if size >= 32:
        note = Image.new("L", img.size, 0)
        glyph_note(size * 0.5, size * 0.47, size * 0.3)(ImageDraw.Draw(note))
        img.paste(Image.new("RGBA", img.size, GOLD_HI + (255,)), (0, 0), note)
    return img.resize((size, size), Image.LANCZOS)


# ---------------------------------------------------------------------------------------
# File writers: Windows bitmaps (BITMAPFILEHEADER + BITMAPINFOHEADER, bottom-up, BI_RGB)
# and an icon file with 32-bit DIB images and their AND masks.

def bmp_bytes(image, bits):
    w, h = image.size
    if bits == 24:
        rgb = image.convert("RGB")
        stride = (w * 3 + 3) & ~3
        rows = []
        for y in range(h - 1, -1, -1):
            row = bytearray()
            for x in range(w):
                r, g, b = rgb.getpixel((x, y))
                row += bytes((b, g, r))
            rows.append(bytes(row) + b"\0" * (stride - len(row)))
        palette = b""
    elif bits == 8:
        indexed = image.convert("RGB").quantize(colors=256, method=Image.Quantize.MEDIANCUT,
                                                dither=Image.Dither.NONE)
        colours = indexed.getpalette()[:768]
        colours += [0] * (768 - len(colours))
        palette = b"".join(bytes((colours[i + 2], colours[i + 1], colours[i], 0))
                           for i in range(0, 768, 3))
        stride = (w + 3) & ~3
        rows = []
        for y in range(h - 1, -1, -1):
            row = bytes(indexed.getpixel((x, y)) for x in range(w))
            rows.append(row + b"\0" * (stride - len(row)))
    else:
        raise ValueError(bits)
    pixels = b"".join(rows)
    offset = 14 + 40 + len(palette)
    colours_used = 256 if bits == 8 else 0
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(pixels), 2835, 2835,
                       colours_used, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def ico_bytes(images):
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for image in images:
        w, h = image.size
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = image.getpixel((x, y))
                xor += bytes((b, g, r, a))
        mask_stride = ((w + 31) // 32) * 4
        mask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(mask_stride)
            for x in range(w):
                if image.getpixel((x, y))[3] < 128:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0,
                           0, 0)
        blob = info + bytes(xor) + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    os.makedirs(SKIN_DIR, exist_ok=True)
    for name, image in skin_images().items():
        image.save(os.path.join(SKIN_DIR, name + ".png"), optimize=True)
    write(os.path.join(RES_DIR, "Splash.bmp"), bmp_bytes(splash(), 24))
    write(os.path.join(RES_DIR, "AboutPicture.bmp"), bmp_bytes(about_picture(), 8))
    write(os.path.join(RES_DIR, "DonateUp.bmp"), bmp_bytes(donate(False), 8))
    write(os.path.join(RES_DIR, "DonateDown.bmp"), bmp_bytes(donate(True), 8))
    write(os.path.join(RES_DIR, "TiltChime.ico"), ico_bytes([icon_image(s) for s in (16, 32, 48)]))
    os.makedirs(ICON_DIR, exist_ok=True)
    for size in ICON_SIZES:
        icon_image(size).save(os.path.join(ICON_DIR, "%d.png" % size), optimize=True)


if __name__ == "__main__":
    main()
