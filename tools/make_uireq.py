#!/usr/bin/python3
"""Draws the program's own images into data/uireq/: the 52 system images
(buttons, toolbar icons, the checkmark, cross and door, panel and dialog
backgrounds, arrows, logo, loading screen, crosshair) and the 10 x 10 glyph
atlas of the bitmap font. An image with a word or a mark on it is drawn in
the proportions of the box the program shows it in, so none is squeezed or
stretched, and a control too small for its words is an icon; panels and
backgrounds carry neither and stretch to any box.

Run from anywhere:  /usr/bin/python3 tools/make_uireq.py
Needs Debian's python3-pil and fonts-dejavu. Everything is drawn here from
shapes and the DejaVu fonts; shapes are drawn at four times their size and
scaled down, which smooths their edges.
"""
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "data", "uireq")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"
SANS_BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
SANS = os.path.join(FONT_DIR, "DejaVuSans.ttf")
MONO = os.path.join(FONT_DIR, "DejaVuSansMono-Bold.ttf")

SS = 4  # supersampling factor

# Palette
INK = (18, 22, 32, 255)
PANEL_TOP = (46, 58, 84)
PANEL_BOTTOM = (26, 32, 48)
BORDER = (112, 150, 210, 255)
BORDER_DARK = (10, 12, 20, 255)
WHITE = (255, 255, 255, 255)
BLUE = (58, 126, 214)
GREEN = (58, 168, 86)
RED = (196, 62, 54)
AMBER = (232, 170, 46)
GREY = (110, 118, 134)
TEAL = (40, 160, 170)
PURPLE = (128, 88, 196)


def font(path, size):
    return ImageFont.truetype(path, size)


def canvas(w, h, fill=(0, 0, 0, 0)):
    return Image.new("RGBA", (w * SS, h * SS), fill)


def finish(big, w, h):
    return big.resize((w, h), Image.LANCZOS)


def lighter(rgb, amount):
    return tuple(min(255, int(c + (255 - c) * amount)) for c in rgb[:3])


def darker(rgb, amount):
    return tuple(max(0, int(c * (1 - amount))) for c in rgb[:3])


def gradient(w, h, top, bottom, alpha=255):
    """A vertical gradient of size w x h (already supersampled sizes)."""
    img = Image.new("RGBA", (w, h))
    px = img.load()
    for y in range(h):
        t = y / max(1, h - 1)
        c = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
        for x in range(w):
            px[x, y] = c + (alpha,)
    return img


def rounded_mask(size, box, radius):
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(box, radius=radius, fill=255)
    return mask


def paste_gradient(big, box, radius, top, bottom, alpha=255):
    x0, y0, x1, y1 = [int(v) for v in box]
    grad = gradient(x1 - x0, y1 - y0, top, bottom, alpha)
    mask = rounded_mask((x1 - x0, y1 - y0), (0, 0, x1 - x0 - 1, y1 - y0 - 1), radius)
    if alpha < 255:
        mask = mask.point(lambda v: v * alpha // 255)
    big.paste(grad, (x0, y0), mask)


def centred_text(draw, cx, cy, text, fnt, fill, shadow=True):
    if shadow:
        off = max(1, fnt.size // 16)
        draw.text((cx + off, cy + off), text, font=fnt, fill=(0, 0, 0, 160), anchor="mm")
    draw.text((cx, cy), text, font=fnt, fill=fill, anchor="mm")


def fit_font(path, text, max_w, max_h):
    size = max_h
    while size > 4:
        f = font(path, size)
        l, t, r, b = f.getbbox(text)
        if r - l <= max_w and b - t <= max_h:
            return f
        size -= 1
    return font(path, 4)


# ---------------------------------------------------------------- buttons

def button(label, colour, w=256, h=96):
    big = canvas(w, h)
    W, H = w * SS, h * SS
    m = 3 * SS
    r = 18 * SS
    d = ImageDraw.Draw(big)
    d.rounded_rectangle((m, m + 2 * SS, W - m, H - m + 2 * SS), radius=r, fill=(0, 0, 0, 110))
    d.rounded_rectangle((m, m, W - m, H - m), radius=r, fill=darker(colour, 0.55) + (255,))
    paste_gradient(big, (m + 3 * SS, m + 3 * SS, W - m - 3 * SS, H - m - 3 * SS), r - 3 * SS,
                   lighter(colour, 0.25), darker(colour, 0.2))
    # glossy top half
    gloss = Image.new("RGBA", big.size, (0, 0, 0, 0))
    gd = ImageDraw.Draw(gloss)
    gd.rounded_rectangle((m + 6 * SS, m + 5 * SS, W - m - 6 * SS, H // 2), radius=r - 6 * SS,
                         fill=(255, 255, 255, 46))
    big = Image.alpha_composite(big, gloss)
    d = ImageDraw.Draw(big)
    f = fit_font(SANS_BOLD, label, W - 2 * m - 28 * SS, int(H * 0.42))
    centred_text(d, W // 2, H // 2, label, f, WHITE)
    return finish(big, w, h)


def toggle(on, size=64):
    """A square switch face: "ON" on green or "OFF" on grey, shown 32 x 32."""
    colour = GREEN if on else GREY
    big = canvas(size, size)
    S = size * SS
    d = ImageDraw.Draw(big)
    m = 2 * SS
    d.rounded_rectangle((m, m, S - m, S - m), radius=12 * SS, fill=darker(colour, 0.5) + (255,))
    paste_gradient(big, (m + 3 * SS, m + 3 * SS, S - m - 3 * SS, S - m - 3 * SS), 9 * SS, lighter(colour, 0.2),
                   darker(colour, 0.2))
    d = ImageDraw.Draw(big)
    label = "ON" if on else "OFF"
    centred_text(d, S // 2, S // 2, label, fit_font(SANS_BOLD, label, int(S * 0.78), int(S * 0.42)), WHITE)
    return finish(big, size, size)


def round_button(symbol_fn, colour, size=64):
    big = canvas(size, size)
    S = size * SS
    d = ImageDraw.Draw(big)
    m = 3 * SS
    d.ellipse((m, m + SS, S - m, S - m + SS), fill=(0, 0, 0, 110))
    d.ellipse((m, m, S - m, S - m), fill=darker(colour, 0.5) + (255,))
    inner = Image.new("RGBA", big.size, (0, 0, 0, 0))
    grad = gradient(S - 2 * m - 6 * SS, S - 2 * m - 6 * SS, lighter(colour, 0.3), darker(colour, 0.15))
    mask = Image.new("L", grad.size, 0)
    ImageDraw.Draw(mask).ellipse((0, 0, grad.size[0] - 1, grad.size[1] - 1), fill=255)
    inner.paste(grad, (m + 3 * SS, m + 3 * SS), mask)
    big = Image.alpha_composite(big, inner)
    symbol_fn(ImageDraw.Draw(big), S)
    return finish(big, size, size)


def plus_symbol(d, S):
    t = S // 9
    c = S // 2
    a = S // 4
    d.rectangle((c - a, c - t // 2, c + a, c + t // 2), fill=WHITE)
    d.rectangle((c - t // 2, c - a, c + t // 2, c + a), fill=WHITE)


def minus_symbol(d, S):
    t = S // 9
    c = S // 2
    a = S // 4
    d.rectangle((c - a, c - t // 2, c + a, c + t // 2), fill=WHITE)


def cross_symbol(d, S):
    c = S // 2
    a = S // 5
    t = S // 10
    d.line((c - a, c - a, c + a, c + a), fill=WHITE, width=t)
    d.line((c - a, c + a, c + a, c - a), fill=WHITE, width=t)


def arrow(direction):
    def draw_arrow(d, S):
        c = S / 2
        a = S * 0.22
        pts = [(c + a * 1.05, c), (c - a * 0.7, c - a), (c - a * 0.7, c + a)]  # pointing right
        angle = {"right": 0, "down": 90, "left": 180, "up": 270}[direction]
        rad = math.radians(angle)
        rot = []
        for x, y in pts:
            dx, dy = x - c, y - c
            rot.append((c + dx * math.cos(rad) - dy * math.sin(rad), c + dx * math.sin(rad) + dy * math.cos(rad)))
        d.polygon(rot, fill=WHITE)
    return round_button(draw_arrow, BLUE)


# ---------------------------------------------------------------- marks

def outlined(draw_fn, size=64):
    """A shape drawn twice: thick in a dark outline colour, then in its own colours."""
    big = canvas(size, size)
    S = size * SS
    draw_fn(ImageDraw.Draw(big), S, True)
    draw_fn(ImageDraw.Draw(big), S, False)
    return finish(big, size, size)


def checkmark_shape(d, S, outline):
    """The green checkmark that confirms: a short stroke down, a long one up."""
    pts = [(S * 0.16, S * 0.52), (S * 0.40, S * 0.76), (S * 0.86, S * 0.24)]
    w = int(S * (0.24 if outline else 0.15))
    colour = (12, 60, 24, 255) if outline else (72, 206, 96, 255)
    d.line(pts, fill=colour, width=w, joint="curve")
    for x, y in (pts[0], pts[2]):
        d.ellipse((x - w / 2, y - w / 2, x + w / 2, y + w / 2), fill=colour)
    if not outline:
        d.line([(S * 0.43, S * 0.66), (S * 0.80, S * 0.25)], fill=(170, 245, 180, 255), width=int(S * 0.035))


def cross_shape(d, S, outline):
    """The red cross that cancels or deletes."""
    a, b = S * 0.22, S * 0.78
    w = int(S * (0.24 if outline else 0.15))
    colour = (70, 10, 10, 255) if outline else (222, 64, 56, 255)
    for line in (((a, a), (b, b)), ((a, b), (b, a))):
        d.line(line, fill=colour, width=w)
        for x, y in line:
            d.ellipse((x - w / 2, y - w / 2, x + w / 2, y + w / 2), fill=colour)


WOOD = (150, 92, 48)


def door_shape(d, S, outline):
    """An open door, and an arrow leaving through it to the left: the way back out."""
    x0, y0, x1, y1 = S * 0.36, S * 0.05, S * 0.95, S * 0.96   # the frame
    if outline:
        d.rectangle((x0 - S * 0.03, y0 - S * 0.03, x1 + S * 0.03, y1 + S * 0.03), fill=(20, 14, 10, 255))
        return
    f = S * 0.06
    d.rectangle((x0, y0, x1, y1), fill=(214, 180, 130, 255))
    d.rectangle((x0 + f, y0 + f, x1 - f, y1), fill=(24, 26, 40, 255))          # the dark doorway
    hinge, swing = x1 - f, x0 + (x1 - x0) * 0.5                               # the leaf opens towards us
    d.polygon([(swing, y0 + S * 0.12), (hinge, y0 + f), (hinge, y1), (swing, y1 - S * 0.06)],
              fill=WOOD + (255,), outline=darker(WOOD, 0.5) + (255,))
    inset = (hinge - swing) * 0.2
    for top, bottom in ((0.22, 0.46), (0.56, 0.84)):
        d.polygon([(swing + inset, S * (top + 0.02)), (hinge - inset, S * top), (hinge - inset, S * bottom),
                   (swing + inset, S * (bottom - 0.02))], fill=darker(WOOD, 0.25) + (255,))
    r = S * 0.035
    d.ellipse((swing + inset - r, S * 0.51 - r, swing + inset + r, S * 0.51 + r), fill=(250, 206, 70, 255))
    # the arrow, from the doorway out to the left
    y, t = S * 0.53, S * 0.12
    for colour, grow in (((20, 14, 10, 255), S * 0.035), ((255, 255, 255, 255), 0)):
        d.rectangle((S * 0.24 - grow, y - t / 2 - grow, S * 0.62 + grow, y + t / 2 + grow), fill=colour)
        d.polygon([(S * 0.03 - grow * 1.6, y), (S * 0.29 + grow, y - S * 0.19 - grow * 1.4),
                   (S * 0.29 + grow, y + S * 0.19 + grow * 1.4)], fill=colour)


# ---------------------------------------------------------------- panels

def panel(w, h, top, bottom, alpha, border, title=None, stripe=None):
    big = canvas(w, h)
    W, H = w * SS, h * SS
    r = 14 * SS
    d = ImageDraw.Draw(big)
    d.rounded_rectangle((0, 0, W - 1, H - 1), radius=r, fill=border)
    paste_gradient(big, (3 * SS, 3 * SS, W - 3 * SS, H - 3 * SS), r - 3 * SS, top, bottom, alpha)
    if stripe:
        d = ImageDraw.Draw(big)
        d.rounded_rectangle((3 * SS, 3 * SS, W - 3 * SS, 22 * SS), radius=r - 3 * SS, fill=stripe)
        d.rectangle((3 * SS, 14 * SS, W - 3 * SS, 22 * SS), fill=stripe)
    if title:
        d = ImageDraw.Draw(big)
        centred_text(d, W // 2, 13 * SS, title, font(SANS_BOLD, 12 * SS), WHITE)
    return finish(big, w, h)


def game_editor_background():
    return panel(256, 256, (40, 50, 74), (22, 28, 42), 236, (84, 112, 160, 255))


def dialog_background():
    return panel(256, 256, (52, 64, 92), (28, 34, 52), 244, BORDER, stripe=(70, 110, 180, 255))


def notice_background():
    img = panel(256, 128, (70, 58, 30), (40, 32, 18), 244, (232, 170, 46, 255))
    big = img.resize((256 * SS, 128 * SS), Image.LANCZOS)
    d = ImageDraw.Draw(big)
    cx, cy, r = 26 * SS, 26 * SS, 15 * SS
    d.polygon([(cx, cy - r), (cx + r, cy + r * 0.8), (cx - r, cy + r * 0.8)], fill=AMBER + (255,))
    centred_text(d, cx, cy + 2 * SS, "!", font(SANS_BOLD, 18 * SS), INK, shadow=False)
    return finish(big, 256, 128)


def console_background():
    w, h = 512, 256
    big = canvas(w, h)
    W, H = w * SS, h * SS
    big.paste(gradient(W, H, (10, 14, 24), (20, 28, 44), 225), (0, 0))
    d = ImageDraw.Draw(big)
    for y in range(0, H, 8 * SS):  # faint scan lines
        d.line((0, y, W, y), fill=(255, 255, 255, 10), width=SS)
    d.rectangle((0, H - 4 * SS, W, H), fill=(90, 130, 200, 255))
    return finish(big, w, h)


def textbox_field():
    w, h = 256, 32
    big = canvas(w, h)
    W, H = w * SS, h * SS
    d = ImageDraw.Draw(big)
    d.rounded_rectangle((0, 0, W - 1, H - 1), radius=6 * SS, fill=(120, 140, 180, 255))
    paste_gradient(big, (2 * SS, 2 * SS, W - 2 * SS, H - 2 * SS), 5 * SS, (14, 18, 28), (34, 40, 56), 240)
    return finish(big, w, h)


def separator_line():
    w, h = 256, 8
    big = canvas(w, h)
    W, H = w * SS, h * SS
    px = big.load()
    for x in range(W):
        fade = min(1.0, min(x, W - 1 - x) / (W * 0.2))
        for y in range(2 * SS, H - 2 * SS):
            px[x, y] = (150, 180, 230, int(255 * fade))
    return finish(big, w, h)


def solid(w, h, colour):
    return Image.new("RGBA", (w, h), colour)


def crosshair():
    s = 32
    big = canvas(s, s)
    S = s * SS
    d = ImageDraw.Draw(big)
    c = S // 2
    gap, arm, t = 4 * SS, 13 * SS, 2 * SS
    for fill, width in (((0, 0, 0, 200), t + 2 * SS), ((255, 255, 255, 255), t)):
        d.line((c - arm, c, c - gap, c), fill=fill, width=width)
        d.line((c + gap, c, c + arm, c), fill=fill, width=width)
        d.line((c, c - arm, c, c - gap), fill=fill, width=width)
        d.line((c, c + gap, c, c + arm), fill=fill, width=width)
    d.ellipse((c - 2 * SS, c - 2 * SS, c + 2 * SS, c + 2 * SS), fill=(255, 255, 255, 255),
              outline=(0, 0, 0, 200), width=SS)
    return finish(big, s, s)


# ---------------------------------------------------------------- logo and loading screen

def emblem(d, cx, cy, r):
    """A tilted diamond of four tiles: the toolkit's mark."""
    colours = [BLUE, GREEN, AMBER, RED]
    half = r / 2
    offsets = [(0, -half), (half, 0), (0, half), (-half, 0)]
    for (ox, oy), colour in zip(offsets, colours):
        x, y = cx + ox, cy + oy
        q = half * 0.92
        d.polygon([(x, y - q), (x + q, y), (x, y + q), (x - q, y)], fill=colour + (255,))
        q2 = q * 0.45
        d.polygon([(x, y - q2), (x + q2, y), (x, y + q2), (x - q2, y)], fill=lighter(colour, 0.35) + (255,))


def wordmark():
    """The emblem beside the name, 4 : 1: the splash image and the loading screen."""
    w, h = 512, 128
    big = canvas(w, h)
    W, H = w * SS, h * SS
    d = ImageDraw.Draw(big)
    emblem(d, 64 * SS, H // 2, 50 * SS)
    f = font(SANS_BOLD, 64 * SS)
    d.text((128 * SS + 3 * SS, H // 2 + 3 * SS), "Quorvane", font=f, fill=(0, 0, 0, 150), anchor="lm")
    d.text((128 * SS, H // 2), "Quorvane", font=f, fill=WHITE, anchor="lm")
    return finish(big, w, h)


def logo():
    """The emblem above the name, 5 : 2, the shape the introduction shows it at (200 x 80)."""
    w, h = 500, 200
    big = canvas(w, h)
    W, H = w * SS, h * SS
    d = ImageDraw.Draw(big)
    emblem(d, W // 2, 54 * SS, 54 * SS)
    f = fit_font(SANS_BOLD, "Quorvane", W - 60 * SS, 72 * SS)
    centred_text(d, W // 2, 150 * SS, "Quorvane", f, WHITE)
    return finish(big, w, h)


def loading_screen():
    w, h = 1024, 768
    img = gradient(w, h, (30, 40, 64), (8, 10, 18))
    d = ImageDraw.Draw(img)
    # a faint tile grid in perspective
    horizon = int(h * 0.62)
    for i in range(-12, 13):
        d.line((w / 2 + i * 40, horizon, w / 2 + i * 160, h), fill=(60, 90, 140, 255), width=1)
    y = horizon
    step = 6
    while y < h:
        d.line((0, y, w, y), fill=(60, 90, 140, 255), width=1)
        y += step
        step = int(step * 1.35) + 1
    mark = wordmark().resize((640, 160), Image.LANCZOS)
    img.alpha_composite(mark, ((w - 640) // 2, int(h * 0.3)))
    sub = font(SANS, 22)
    d = ImageDraw.Draw(img)
    d.text((w // 2, int(h * 0.3) + 176), "Tile-map games, made and played", font=sub, fill=(180, 196, 226, 255),
           anchor="mm")
    # keep the message and bar corner calm
    d.rectangle((0, int(h * 0.89), w, h), fill=(6, 8, 14, 255))
    return img


# ---------------------------------------------------------------- toolbar icons

def icon(draw_fn, colour=BLUE, size=64):
    big = canvas(size, size)
    S = size * SS
    d = ImageDraw.Draw(big)
    m = 2 * SS
    d.rounded_rectangle((m, m, S - m, S - m), radius=12 * SS, fill=darker(colour, 0.55) + (255,))
    paste_gradient(big, (m + 2 * SS, m + 2 * SS, S - m - 2 * SS, S - m - 2 * SS), 10 * SS, lighter(colour, 0.15),
                   darker(colour, 0.3))
    draw_fn(ImageDraw.Draw(big), S)
    return finish(big, size, size)


def badge(d, S, kind):
    """A small round mark in the lower right: plus, cross or gear."""
    r = S * 0.17
    cx, cy = S * 0.74, S * 0.74
    colour = {"plus": GREEN, "cross": RED, "copy": AMBER}[kind]
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=colour + (255,), outline=WHITE, width=int(S * 0.025))
    t = int(S * 0.05)
    a = r * 0.55
    if kind == "plus":
        d.line((cx - a, cy, cx + a, cy), fill=WHITE, width=t)
        d.line((cx, cy - a, cx, cy + a), fill=WHITE, width=t)
    elif kind == "cross":
        d.line((cx - a, cy - a, cx + a, cy + a), fill=WHITE, width=t)
        d.line((cx - a, cy + a, cx + a, cy - a), fill=WHITE, width=t)
    else:
        d.rectangle((cx - a * 0.9, cy - a * 0.9, cx + a * 0.3, cy + a * 0.3), outline=WHITE, width=t // 2)
        d.rectangle((cx - a * 0.3, cy - a * 0.3, cx + a * 0.9, cy + a * 0.9), fill=colour + (255,), outline=WHITE,
                    width=t // 2)


def draw_grid(d, S, box=(0.18, 0.18, 0.72, 0.72), cells=3):
    x0, y0, x1, y1 = [v * S for v in box]
    w = int(S * 0.03)
    d.rectangle((x0, y0, x1, y1), fill=(255, 255, 255, 40), outline=WHITE, width=w)
    for i in range(1, cells):
        x = x0 + (x1 - x0) * i / cells
        y = y0 + (y1 - y0) * i / cells
        d.line((x, y0, x, y1), fill=WHITE, width=w)
        d.line((x0, y, x1, y), fill=WHITE, width=w)


def draw_cube(d, S, cx=0.45, cy=0.45, r=0.24, colour=(235, 240, 250)):
    cx, cy, r = cx * S, cy * S, r * S
    top = [(cx, cy - r), (cx + r, cy - r / 2), (cx, cy), (cx - r, cy - r / 2)]
    left = [(cx - r, cy - r / 2), (cx, cy), (cx, cy + r), (cx - r, cy + r / 2)]
    right = [(cx, cy), (cx + r, cy - r / 2), (cx + r, cy + r / 2), (cx, cy + r)]
    d.polygon(top, fill=colour + (255,))
    d.polygon(left, fill=darker(colour, 0.25) + (255,))
    d.polygon(right, fill=darker(colour, 0.45) + (255,))


def draw_gear(d, S, cx=0.5, cy=0.5, r=0.2):
    cx, cy, r = cx * S, cy * S, r * S
    teeth = 8
    pts = []
    for i in range(teeth * 2):
        a = math.pi * 2 * i / (teeth * 2)
        rr = r if i % 2 == 0 else r * 0.72
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    d.polygon(pts, fill=WHITE)
    d.ellipse((cx - r * 0.32, cy - r * 0.32, cx + r * 0.32, cy + r * 0.32), fill=(40, 50, 70, 255))


def ic_quit(d, S):
    w = int(S * 0.06)
    d.rectangle((S * 0.2, S * 0.18, S * 0.56, S * 0.82), outline=WHITE, width=w)
    d.polygon([(S * 0.2, S * 0.18), (S * 0.44, S * 0.26), (S * 0.44, S * 0.9), (S * 0.2, S * 0.82)], fill=WHITE)
    d.line((S * 0.56, S * 0.5, S * 0.84, S * 0.5), fill=WHITE, width=w)
    d.polygon([(S * 0.86, S * 0.5), (S * 0.72, S * 0.38), (S * 0.72, S * 0.62)], fill=WHITE)


def ic_save(d, S):
    x0, y0, x1, y1 = S * 0.2, S * 0.2, S * 0.8, S * 0.8
    d.polygon([(x0, y0), (x1 - S * 0.1, y0), (x1, y0 + S * 0.1), (x1, y1), (x0, y1)], fill=WHITE)
    d.rectangle((S * 0.32, y0, S * 0.64, S * 0.4), fill=(40, 60, 110, 255))
    d.rectangle((S * 0.54, S * 0.24, S * 0.6, S * 0.36), fill=WHITE)
    d.rectangle((S * 0.3, S * 0.52, S * 0.7, S * 0.74), fill=(200, 210, 230, 255))


def ic_help(d, S):
    centred_text(d, S // 2, S // 2, "?", font(SANS_BOLD, int(S * 0.62)), WHITE)


def ic_anim(d, S):
    x0, y0, x1, y1 = S * 0.14, S * 0.26, S * 0.86, S * 0.74
    d.rectangle((x0, y0, x1, y1), fill=(30, 30, 36, 255), outline=WHITE, width=int(S * 0.03))
    for i in range(6):
        x = x0 + S * 0.04 + i * (x1 - x0 - S * 0.08) / 5.5
        d.rectangle((x, y0 + S * 0.03, x + S * 0.05, y0 + S * 0.08), fill=WHITE)
        d.rectangle((x, y1 - S * 0.08, x + S * 0.05, y1 - S * 0.03), fill=WHITE)
    for i, colour in enumerate((AMBER, GREEN, RED)):
        fx = x0 + S * 0.06 + i * S * 0.22
        d.rectangle((fx, y0 + S * 0.12, fx + S * 0.17, y1 - S * 0.12), fill=colour + (255,))


def ic_mapsize(d, S):
    draw_grid(d, S, (0.28, 0.28, 0.72, 0.72), 2)
    w = int(S * 0.05)
    for (ax, ay, bx, by) in ((0.12, 0.12, 0.3, 0.3), (0.88, 0.88, 0.7, 0.7)):
        d.line((ax * S, ay * S, bx * S, by * S), fill=AMBER + (255,), width=w)
        d.polygon([(ax * S, ay * S), ((ax + (0.12 if bx > ax else -0.12)) * S, ay * S),
                   (ax * S, (ay + (0.12 if by > ay else -0.12)) * S)], fill=AMBER + (255,))


def ic_newmap(d, S):
    draw_grid(d, S)
    badge(d, S, "plus")


def ic_deletemap(d, S):
    draw_grid(d, S)
    badge(d, S, "cross")


def ic_fog(d, S):
    for i, y in enumerate((0.32, 0.5, 0.68)):
        alpha = 255 - i * 60
        d.rounded_rectangle((S * (0.16 + i * 0.05), S * (y - 0.06), S * (0.84 - i * 0.05), S * (y + 0.06)),
                            radius=int(S * 0.06), fill=(235, 240, 250, alpha))


def ic_globallogic(d, S):
    cx, cy, r = S * 0.42, S * 0.42, S * 0.26
    w = int(S * 0.04)
    d.ellipse((cx - r, cy - r, cx + r, cy + r), outline=WHITE, width=w)
    d.ellipse((cx - r * 0.45, cy - r, cx + r * 0.45, cy + r), outline=WHITE, width=w)
    d.line((cx - r, cy, cx + r, cy), fill=WHITE, width=w)
    draw_gear(d, S, 0.72, 0.72, 0.16)


def ic_addobject(d, S):
    draw_cube(d, S)
    badge(d, S, "plus")


def ic_copyobject(d, S):
    draw_cube(d, S, 0.36, 0.38, 0.2, (190, 200, 220))
    draw_cube(d, S, 0.54, 0.56, 0.2)


def ic_deleteobject(d, S):
    draw_cube(d, S)
    badge(d, S, "cross")


def ic_locallogic(d, S):
    draw_cube(d, S, 0.4, 0.4, 0.22)
    draw_gear(d, S, 0.72, 0.72, 0.16)


# ---------------------------------------------------------------- logic editor

def ic_phrases(d, S):
    """A speech bubble with lines of text: the phrase editor."""
    x0, y0, x1, y1 = S * 0.16, S * 0.18, S * 0.84, S * 0.66
    d.rounded_rectangle((x0, y0, x1, y1), radius=int(S * 0.1), fill=WHITE)
    d.polygon([(S * 0.30, y1 - S * 0.02), (S * 0.46, y1 - S * 0.02), (S * 0.26, S * 0.84)], fill=WHITE)
    for k, right in enumerate((0.72, 0.64, 0.50)):
        y = S * (0.29 + 0.11 * k)
        d.line((S * 0.27, y, S * right, y), fill=(70, 50, 120, 255), width=int(S * 0.06))


def tall_icon(draw_fn, colour, w=40, h=56):
    """An icon on a rounded tile of w x h, for the narrow buttons of a rule row (shown 20 x 28)."""
    big = canvas(w, h)
    W, H = w * SS, h * SS
    d = ImageDraw.Draw(big)
    d.rounded_rectangle((SS, SS, W - SS, H - SS), radius=8 * SS, fill=darker(colour, 0.55) + (255,))
    paste_gradient(big, (3 * SS, 3 * SS, W - 3 * SS, H - 3 * SS), 6 * SS, lighter(colour, 0.15), darker(colour, 0.25))
    draw_fn(ImageDraw.Draw(big), W, H)
    return finish(big, w, h)


def ic_bin(d, W, H):
    """A waste bin: delete this rule."""
    cx = W / 2
    t = max(SS, int(W * 0.07))
    d.rectangle((cx - W * 0.34, H * 0.27, cx + W * 0.34, H * 0.27 + t * 1.4), fill=WHITE)   # the lid
    d.rectangle((cx - W * 0.1, H * 0.21, cx + W * 0.1, H * 0.27), fill=WHITE)               # its handle
    d.polygon([(cx - W * 0.27, H * 0.36), (cx + W * 0.27, H * 0.36), (cx + W * 0.2, H * 0.8),
               (cx - W * 0.2, H * 0.8)], fill=WHITE)                                           # the body
    for k in (-1, 0, 1):
        x = cx + k * W * 0.11
        d.line((x, H * 0.42, x, H * 0.73), fill=darker(RED, 0.35) + (255,), width=t)


def ic_pages(d, W, H):
    """Two sheets, one laid over the other: copy this rule."""
    sw, sh = W * 0.46, H * 0.38
    t = max(SS, int(W * 0.06))
    for x, y in ((W * 0.14, H * 0.18), (W * 0.40, H * 0.44)):
        d.rectangle((x, y, x + sw, y + sh), fill=WHITE, outline=darker(AMBER, 0.5) + (255,), width=t)
        for k in range(3):
            ly = y + sh * (0.28 + 0.22 * k)
            d.line((x + sw * 0.2, ly, x + sw * 0.8, ly), fill=darker(AMBER, 0.3) + (255,), width=t)


# ---------------------------------------------------------------- logic macros

def art_rpg(d, W, H):
    """A sword crossing a shield."""
    cx, cy = W * 0.5, H * 0.5
    s = H * 0.3
    d.polygon([(cx - s, cy - s * 0.9), (cx + s, cy - s * 0.9), (cx + s * 0.9, cy + s * 0.25), (cx, cy + s * 1.2),
               (cx - s * 0.9, cy + s * 0.25)], fill=(70, 110, 190, 255), outline=(240, 210, 120, 255),
              width=int(s * 0.14))
    d.line((cx, cy - s * 0.7, cx, cy + s * 0.9), fill=(240, 210, 120, 255), width=int(s * 0.12))
    d.line((cx - s * 1.25, cy + s * 1.25, cx + s * 1.2, cy - s * 1.2), fill=(235, 238, 245, 255),
           width=int(s * 0.2))                                                   # the blade
    d.line((cx - s * 1.05, cy + s * 0.55, cx - s * 0.55, cy + s * 1.05), fill=(200, 160, 60, 255),
           width=int(s * 0.18))                                                  # the cross guard


def art_platform(d, W, H):
    """Ledges of grass, a runner and a coin."""
    for (x0, y0, x1) in ((0.08, 0.78, 0.42), (0.5, 0.58, 0.92), (0.2, 0.36, 0.5)):
        d.rectangle((W * x0, H * y0, W * x1, H * (y0 + 0.1)), fill=(120, 80, 40, 255))
        d.rectangle((W * x0, H * y0, W * x1, H * (y0 + 0.035)), fill=(90, 200, 90, 255))
    # a small runner
    cx, cy = W * 0.66, H * 0.44
    r = H * 0.06
    d.ellipse((cx - r, cy - r * 3.2, cx + r, cy - r * 1.2), fill=(255, 220, 180, 255))
    d.rectangle((cx - r, cy - r * 1.2, cx + r, cy + r * 0.6), fill=(60, 90, 200, 255))
    # coin
    d.ellipse((W * 0.3, H * 0.18, W * 0.36, H * 0.28), fill=(250, 210, 60, 255))


# ---------------------------------------------------------------- font atlas

ATLAS_ROWS = [
    "ABCDEFGHIJ",
    "KLMNOPQRST",
    "UVWXYZabcd",
    "efghijklmn",
    "opqrstuvwx",
    "yz./\0,()!:",
    "0123456789",
    "-_|@'?+=<>",
    "*#`~&;\0\0\0\0",
    "\0\0\0\0\0\0\0\0\0\0",
]
CELL = 32
GLYPH_W, GLYPH_H = 120, 204  # drawn in the proportion of the glyph quads (1 : 1.7)


def glyph(ch):
    img = Image.new("L", (GLYPH_W, GLYPH_H), 0)
    if ch != "\0":
        f = font(MONO, int(GLYPH_H * 0.8))
        ascent, descent = f.getmetrics()
        top = (GLYPH_H - (ascent + descent)) / 2
        ImageDraw.Draw(img).text((GLYPH_W / 2, top + ascent), ch, font=f, fill=255, anchor="ms")
    return img.resize((CELL, CELL), Image.LANCZOS)


def font_atlas():
    atlas = Image.new("RGBA", (CELL * 10, CELL * 10), (255, 255, 255, 0))
    for row, chars in enumerate(ATLAS_ROWS):
        for col, ch in enumerate(chars):
            alpha = glyph(ch)
            cell = Image.new("RGBA", (CELL, CELL), (255, 255, 255, 255))
            cell.putalpha(alpha)
            atlas.paste(cell, (col * CELL, row * CELL))
    return atlas


# ---------------------------------------------------------------- the table

def images():
    return {
        "on": toggle(True),
        "off": toggle(False),
        "plus": round_button(plus_symbol, GREEN),
        "minus": round_button(minus_symbol, RED),
        "gameeditorbackground": game_editor_background(),
        "dialogbackground": dialog_background(),
        "ok": outlined(checkmark_shape),
        "cancel": outlined(cross_shape),
        "load": loading_screen(),
        "consolebackground": console_background(),
        "quit": outlined(door_shape),
        "shader": solid(8, 8, (255, 255, 255, 255)),
        "font": font_atlas(),
        "notice": notice_background(),
        "none": solid(8, 8, (0, 0, 0, 0)),
        "save": button("Save", BLUE),
        "anim": button("Animation", PURPLE),
        "screen": button("Screenshot", TEAL),
        "debug": button("Debug", AMBER),
        "smallquit": round_button(cross_symbol, RED, 32),
        "blur": textbox_field(),
        "console": button("Console", GREY),
        "newmap": button("New Map", GREEN),
        "arrowup": arrow("up"),
        "arrowdown": arrow("down"),
        "editmap": button("Edit Map", BLUE),
        "help": button("Help", TEAL),
        "iconquit": icon(ic_quit, RED),
        "iconsave": icon(ic_save, BLUE),
        "iconhelp": icon(ic_help, TEAL),
        "iconanim": icon(ic_anim, PURPLE),
        "iconmapsize": icon(ic_mapsize, BLUE),
        "iconnewmap": icon(ic_newmap, BLUE),
        "icondeletemap": icon(ic_deletemap, BLUE),
        "iconfog": icon(ic_fog, GREY),
        "icongloballogic": icon(ic_globallogic, PURPLE),
        "iconaddobject": icon(ic_addobject, GREEN),
        "iconcopyobject": icon(ic_copyobject, GREEN),
        "icondeleteobject": icon(ic_deleteobject, GREEN),
        "iconlocallogic": icon(ic_locallogic, PURPLE),
        "arrowleft": arrow("left"),
        "arrowright": arrow("right"),
        "line": separator_line(),
        "logo": logo(),
        "open": button("Open", BLUE),
        "texted": icon(ic_phrases, PURPLE),
        "rpg": icon(lambda d, S: art_rpg(d, S, S), (150, 70, 50)),
        "platform": icon(lambda d, S: art_platform(d, S, S), (50, 120, 190)),
        "test": button("Test", GREEN, 128, 64),
        "delsen": tall_icon(ic_bin, RED),
        "copysen": tall_icon(ic_pages, AMBER),
        "crosshair": crosshair(),
    }


def main():
    os.makedirs(OUT, exist_ok=True)
    table = images()
    for name, image in table.items():
        jpg = os.path.join(OUT, name + ".jpg")
        if os.path.exists(jpg):  # a .jpg of the same name would be loaded instead
            os.remove(jpg)
        image.save(os.path.join(OUT, name + ".png"), optimize=True)
    print("wrote", len(table), "images to", OUT)
    return 0


if __name__ == "__main__":
    sys.exit(main())
